// The one place input is read: the keyboard and a gamepad into the physics
// step's record, and a gamepad's events into the keys they stand for on each
// screen.
#include "syote.h"

#include <gtest/gtest.h>

#include <vector>

#include "hiscores.h"
#include "kokopeli.h"
#include "testiapu.h"

namespace {

void tyonna(SDL_Event e) { SDL_PushEvent(&e); }

SDL_Event akseli(Uint8 numero, Sint16 arvo) {
    SDL_Event e{};
    e.type = SDL_JOYAXISMOTION;
    e.jaxis.axis = numero;
    e.jaxis.value = arvo;
    return e;
}

SDL_Event hattu(Uint8 arvo) {
    SDL_Event e{};
    e.type = SDL_JOYHATMOTION;
    e.jhat.value = arvo;
    return e;
}

SDL_Event nappi(Uint8 numero, bool alas) {
    SDL_Event e{};
    e.type = alas ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
    e.jbutton.button = numero;
    return e;
}

// SDL with the game's event filter, the keyboard released and the gamepad's
// state forgotten before and after each test.
class SyoteTesti : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
        ASSERT_NE(SDL_SetVideoMode(64, 64, 32, SDL_SWSURFACE), nullptr);
        rajaaTapahtumat();
        syote::suljeOhjain();
    }
    void TearDown() override {
        syote::suljeOhjain();
        SDL_Quit();
    }
    // The keys the pushed events come out as on the screen `nakyma`.
    static std::vector<SDLKey> nappaimet(std::vector<SDL_Event> tapahtumat, Nakyma nakyma) {
        for (const SDL_Event& e : tapahtumat) tyonna(e);
        std::vector<SDLKey> saadut;
        SDL_Event e;
        while (syote::lueTapahtuma(e, nakyma))
            if (e.type == SDL_KEYDOWN) saadut.push_back(e.key.keysym.sym);
        return saadut;
    }
};

}  // namespace

// Left and right arrows walk, left Shift jumps; no other key does.
TEST_F(SyoteTesti, NappaimistoLuetaanYhdessaPaikassa) {
    Uint8* napit = SDL_GetKeyState(nullptr);
    napit[SDLK_LEFT] = napit[SDLK_LSHIFT] = 1;
    EXPECT_EQ(syote::hae(), (Syote{true, false, true}));
    napit[SDLK_LEFT] = napit[SDLK_LSHIFT] = 0;
    for (SDLKey muu : {SDLK_RSHIFT, SDLK_UP, SDLK_SPACE, SDLK_RETURN}) {
        napit[muu] = 1;
        EXPECT_EQ(syote::hae(), Syote{}) << SDL_GetKeyName(muu);
        napit[muu] = 0;
    }
    napit[SDLK_RIGHT] = 1;
    EXPECT_EQ(syote::hae(), (Syote{false, true, false}));
    napit[SDLK_RIGHT] = 0;
}

// The stick beyond its dead zone or the hat walks, button 0 jumps while it
// is held; a resting stick walks nowhere.
TEST_F(SyoteTesti, OhjainSyotteeseen) {
    EXPECT_TRUE(nappaimet({akseli(0, -20000), nappi(0, true)}, Nakyma::Peli).empty());
    EXPECT_EQ(syote::hae(), (Syote{true, false, true}));
    nappaimet({akseli(0, syote::KUOLLUT_ALUE), nappi(0, false)}, Nakyma::Peli);
    EXPECT_EQ(syote::hae(), Syote{}) << "a stick inside its dead zone walked";
    nappaimet({hattu(SDL_HAT_RIGHTUP), akseli(1, 30000)}, Nakyma::Peli);
    EXPECT_EQ(syote::hae(), (Syote{false, true, false}));
    nappaimet({hattu(SDL_HAT_CENTERED)}, Nakyma::Peli);
    EXPECT_EQ(syote::hae(), Syote{});
}

// In the menus a stick or D-pad moves one item per push, button 0 is
// Return and button 1 Escape; on the story screens button 0 is Space; in the
// name entry and the levels buttons type nothing. Back, Start and the D-pad
// buttons count only when the pad reports the standard order.
TEST_F(SyoteTesti, OhjainNappaimiksiNakymittain) {
    using V = std::vector<SDLKey>;
    EXPECT_EQ(nappaimet({akseli(1, 30000), akseli(1, 32000), akseli(1, 0), akseli(1, 20000)},
                        Nakyma::Valikko),
              (V{SDLK_DOWN, SDLK_DOWN}));
    EXPECT_EQ(
        nappaimet({akseli(1, 0), hattu(SDL_HAT_UP), hattu(SDL_HAT_CENTERED)}, Nakyma::Valikko),
        (V{SDLK_UP}));
    EXPECT_EQ(nappaimet({nappi(0, true), nappi(0, false), nappi(1, true), nappi(1, false)},
                        Nakyma::Valikko),
              (V{SDLK_RETURN, SDLK_ESCAPE}));
    EXPECT_EQ(nappaimet({nappi(0, true), nappi(0, false), nappi(1, true)}, Nakyma::Alkudemo),
              (V{SDLK_SPACE, SDLK_ESCAPE}));
    EXPECT_TRUE(
        nappaimet({nappi(0, true), nappi(1, true), akseli(1, 30000)}, Nakyma::Nimi).empty());
    EXPECT_TRUE(
        nappaimet({nappi(6, true), nappi(4, true), nappi(11, true)}, Nakyma::Valikko).empty())
        << "buttons of unknown order acted";
    nappaimet({nappi(4, false), nappi(6, false), nappi(11, false), akseli(1, 0)}, Nakyma::Valikko);
    syote::asetaVakiojarjestys(true);
    EXPECT_EQ(nappaimet({nappi(6, true), nappi(4, true), nappi(12, true), nappi(12, false),
                         nappi(11, true)},
                        Nakyma::Valikko),
              (V{SDLK_RETURN, SDLK_ESCAPE, SDLK_DOWN, SDLK_UP}));
    EXPECT_EQ(nappaimet({nappi(4, true), nappi(0, true)}, Nakyma::Peli), (V{SDLK_ESCAPE}));
}

// A whole game with a gamepad: the menu, the stories and all six levels by
// their replays through the gamepad's events; only the name is typed.
TEST(OhjainPeli, KokoPeliOhjaimella) {
    TestiHakemisto hakemisto;
    const std::vector<Syote> syotteet = kaikkiSyotteet();
    ASSERT_FALSE(syotteet.empty());
    const KokoPelinAjo peli = pelaaKokoPeli(syotteet, "Ohjain", {}, Ohjaus::Ohjain);
    EXPECT_EQ(peli.tila, 0);
    EXPECT_EQ(peli.pelikehyksia, static_cast<long>(syotteet.size()) - 1)
        << "the replays through the gamepad did not reach the last goal on time";
    const std::vector<score> tulokset = hiscore().haeTulokset();
    ASSERT_EQ(tulokset.size(), 1u);
    EXPECT_EQ(tulokset[0].nimi, "Ohjain");
}
