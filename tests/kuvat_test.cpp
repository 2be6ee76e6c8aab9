// Every screen of the game rendered headless from the real media and
// compared with its reference picture: a label, a text, a picture or a
// highlight drawn anywhere else, or not at all, fails here with the place of
// the difference.
#include <gtest/gtest.h>

#include <vector>

#include "ajo.h"
#include "hiscores.h"
#include "kokopeli.h"
#include "kuvatesti.h"
#include "loppudemo.h"
#include "testiapu.h"

namespace {

// The column of the four main-menu labels, and the settings items below the
// panel: where a selection or a toggle changes the picture.
constexpr SDL_Rect VALIKKOSARAKE{740, 220, 284, 460};
constexpr SDL_Rect ASETUSALUE{0, 340, 560, 428};

// A high-score list with every kind of row: short and 17-letter names,
// totals from seconds to over ten minutes.
void kirjoitaTulokset() {
    const std::vector<score> tulokset = {{"Aino", 18342},
                                         {"Veikko", 19005},
                                         {"Pekka2", 20517},
                                         {"Liisa", 23999},
                                         {"WWWWWWWWWWWWWWWWW", 31000},
                                         {"Matti", 45012},
                                         {"Sanna", 59999},
                                         {"", 60000},
                                         {"Viimeinen", 72050}};
    hiscore().tallennaTulokset(tulokset);
}

void paina(Ajo::Era era) {
    for (SDL_Event e : era) SDL_PushEvent(&e);
}

SDL_Surface* ruutu() { return SDL_GetVideoSurface(); }

}  // namespace

// The main menu with the list beside it, each selection, the settings screen
// before and after toggling its values, and the credits.
TEST(Kuvat, ValikotAsetuksetJaTekijat) {
    TestiHakemisto hakemisto;
    kirjoitaTulokset();
    kirjoitaTiedostoTestissa("asetukset.conf", "musiikki=1\naanet=0\nkokoruututila=0\n");
    Ajo ajo;
    ajo.joka(Nakyma::Valikko, [&](long k) {
        switch (k) {
            case 1:
                odotaKuva(ruutu(), "paavalikko");
                paina({nappain(SDLK_DOWN)});
                break;
            case 2:
            case 3:
            case 4:
                odotaKuva(ruutu(), "paavalikko_valinta" + std::to_string(k - 1), VALIKKOSARAKE);
                paina({nappain(k < 4 ? SDLK_DOWN : SDLK_UP)});
                break;
            case 5:
                paina({nappain(SDLK_RETURN)});  // the credits
                break;
            case 6:
                odotaKuva(ruutu(), "tekijat");
                paina({nappain(SDLK_ESCAPE), nappain(SDLK_UP), nappain(SDLK_RETURN)});
                break;
            case 7:
                odotaKuva(ruutu(), "asetukset");
                // Music off, effects on, down to "Tallenna_muutokset".
                paina({nappain(SDLK_RETURN), nappain(SDLK_DOWN), nappain(SDLK_RETURN),
                       nappain(SDLK_DOWN), nappain(SDLK_DOWN), nappain(SDLK_DOWN)});
                break;
            case 8:
                odotaKuva(ruutu(), "asetukset_muutettu", ASETUSALUE);
                paina({nappain(SDLK_ESCAPE), nappain(SDLK_ESCAPE)});
                break;
        }
    });
    EXPECT_EQ(ajo.aja(), 0);
    EXPECT_EQ(ajo.kehyksia[Nakyma::Valikko], 9);
}

// The intro's first step, the step where Apuri turns, and the last.
TEST(Kuvat, AlkudemonAskeleet) {
    TestiHakemisto hakemisto;
    Ajo ajo;
    ajo.kun(Nakyma::Valikko, {nappain(SDLK_RETURN)})
        .kun(Nakyma::Alkudemo, std::vector<SDL_Event>(2, nappain(SDLK_SPACE)))
        .kun(Nakyma::Alkudemo, std::vector<SDL_Event>(11, nappain(SDLK_SPACE)))
        .kun(Nakyma::Alkudemo, {nappain(SDLK_SPACE)})
        .kun(Nakyma::Peli, {nappain(SDLK_ESCAPE)})
        .joka(Nakyma::Alkudemo, [&](long k) {
            static const char* const NIMET[] = {"alkudemo_0", "alkudemo_2", "alkudemo_13"};
            if (k <= 3) odotaKuva(ruutu(), NIMET[k - 1]);
        });
    EXPECT_EQ(ajo.aja(), 0);
    EXPECT_EQ(ajo.kehyksia[Nakyma::Alkudemo], 3);
}

// A level frame at a fixed frame of level 6's replay: the level scrolled to
// the hero, the hero's image and the clock, which runs by frames here.
TEST(Kuvat, KentanKehys) {
    TestiHakemisto hakemisto;
    constexpr long KEHYS = 300;
    aika::asetaYhteinenKellolahde([] { return static_cast<uint32_t>(kehys::kehyksia()) * 20u; });
    std::vector<Syote> syotteet = reitinSyotteet(6);
    ASSERT_GT(syotteet.size(), static_cast<size_t>(KEHYS));
    syotteet.resize(KEHYS);
    bool nahty = false;
    const KokoPelinAjo peli = pelaaKokoPeli(syotteet, "", [&](Nakyma n, long kehyksia) {
        if (n != Nakyma::Peli || kehyksia != KEHYS) return;
        odotaKuva(ruutu(), "kentta");
        nahty = true;
    });
    aika::asetaYhteinenKellolahde(nullptr);
    EXPECT_EQ(peli.tila, 0);
    EXPECT_TRUE(nahty);
}

// The ending: the last story step, then the summary of six level times with
// the name entry holding a typed name.
TEST(Kuvat, LoppudemoJaNimi) {
    TestiHakemisto hakemisto;
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    ASSERT_EQ(TTF_Init(), 0);
    SDL_Surface* naytto = SDL_SetVideoMode(1024, 768, 32, SDL_HWSURFACE | SDL_DOUBLEBUF);
    ASSERT_NE(naytto, nullptr);
    const std::vector<minsec> ajat = {{0, 16, 8}, {0, 59, 99}, {1, 5, 68},
                                      {2, 0, 0},  {0, 9, 5},   {12, 0, 0}};
    {
        loppudemo loppu;
        loppu.lataa();
        kehys::asetaTestikoukku([&](Nakyma n, long) {
            static int nimikehys = 0;
            if (n == Nakyma::Loppudemo) {
                odotaKuva(naytto, "loppudemo");
                paina(std::vector<SDL_Event>(6, nappain(SDLK_SPACE)));
            } else if (n == Nakyma::Nimi && ++nimikehys == 1) {
                for (char c : std::string("Veikko"))
                    paina({nappain(static_cast<SDLKey>(c | 0x20), static_cast<Uint16>(c))});
            } else if (n == Nakyma::Nimi) {
                odotaKuva(naytto, "nimi");
                paina({nappain(SDLK_ESCAPE)});
            }
        });
        loppu.aloita(naytto, ajat);
        kehys::asetaTestikoukku({});
    }
    TTF_Quit();
    SDL_Quit();
}
