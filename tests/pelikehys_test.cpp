// The rules of one frame of play, through the game's own frame: the goal
// tile, the fall back to the restart point with the clock running on, and the
// view that follows the hero's position from before the step.
#include "pelikehys.h"

#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <vector>

#include "kehys.h"
#include "peli.h"
#include "testiapu.h"

namespace {

// Level clocks that run by frames, 20 ms each, so the test never waits.
constexpr uint32_t MS_KEHYKSESSA = 20;
uint32_t kehyskello() { return static_cast<uint32_t>(kehys::kehyksia()) * MS_KEHYKSESSA; }
long sadasosina(const minsec& t) { return t.min * 6000L + t.sec * 100L + t.sadasosat; }

constexpr int MAALIN_LATTIA = 17;                 // floor row under the goal tile
constexpr int SEISOO = MAALIN_LATTIA * 32 - 101;  // y 443: the corner in row 13

// Plays frames of level 6 of the real game (the intro left with Escape) with
// the given input, calling `kehys` after each drawn frame with its number
// and the state the frame left.
class PeliAjo {
  public:
    explicit PeliAjo(const std::vector<std::string>& kentat) {
        std::filesystem::remove("levels");
        std::filesystem::create_directory("levels");
        for (size_t i = 0; i < kentat.size(); ++i)
            kirjoitaTiedostoTestissa("levels/level" + std::to_string(6 - i) + ".map", kentat[i]);
        SDL_Init(SDL_INIT_VIDEO);
        TTF_Init();  // the game opens its fonts; without the library they leak
        ruutu = SDL_SetVideoMode(1024, 768, 32, SDL_SWSURFACE);
    }
    ~PeliAjo() {
        kehys::asetaTestikoukku({});
        syote::asetaLahde({});
        TTF_Quit();
        SDL_Quit();
    }
    void pelaa(Syote syote, long kehyksia, const std::function<void(long, Peli&)>& tarkista) {
        syote::asetaLahde([syote] { return syote; });
        Peli peli;
        peli.lataa(nullptr);
        bool introOhi = false;
        kehys::asetaTestikoukku([&](Nakyma n, long) {
            if (n == Nakyma::Alkudemo && !introOhi) kehys::paina(SDLK_ESCAPE);
            introOhi = introOhi || n == Nakyma::Alkudemo;
            if (n != Nakyma::Peli) return;
            tarkista(++piirretty, peli);
            if (piirretty == kehyksia) kehys::paina(SDLK_ESCAPE);
        });
        peli.peliin(ruutu, nullptr, false);
    }
    SDL_Surface* ruutu = nullptr;
    long piirretty = 0;
};

std::string kentta(std::initializer_list<std::array<int, 4>> nelio) {
    Kartta k;
    for (const auto& n : nelio) k.luoNelio(n[0], n[1], n[2], n[3]);
    return k.tavuiksi();
}

}  // namespace

// The level ends when the hero's top-left corner is inside tile (83, 13),
// and only then; at the goal the game's handler decides whether play is over,
// and the fall test is skipped when it is.
TEST(Pelikehys, MaaliVainKunKulmaOnRuudussa83_13) {
    Kartta kartta;
    kartta.luoNelio(60, MAALIN_LATTIA, 60, -1);
    Kartta alempi;  // a floor one row lower puts the standing corner in row 14
    alempi.luoNelio(60, MAALIN_LATTIA + 1, 60, -1);
    struct Tapaus {
        int x, y;
        Kartta* lattia;
        bool maali;
    };
    for (const Tapaus t :
         {Tapaus{83 * 32, SEISOO, &kartta, true}, Tapaus{84 * 32 - 1, SEISOO, &kartta, true},
          Tapaus{83 * 32 - 1, SEISOO, &kartta, false}, Tapaus{84 * 32, SEISOO, &kartta, false},
          Tapaus{83 * 32, SEISOO + 32, &alempi, false}, Tapaus{83 * 32, 12 * 32, &kartta, false}}) {
        Ukko ukko;
        ukko.asetaTila({t.x, t.y, 0.0f, false, true});
        int kutsuja = 0;
        const bool ohi = pelikehys::pelaa(ukko, *t.lattia, Syote{}, nullptr, false, [&] {
            ++kutsuja;
            return true;
        });
        EXPECT_EQ(ohi, t.maali) << "corner at (" << t.x << ", " << t.y << ")";
        EXPECT_EQ(kutsuja, t.maali ? 1 : 0);
    }
    // A handler that goes on (a level change) lets the frame run its fall test.
    Kartta matala;
    matala.luoNelio(0, 5, 5, -1);  // lowest row 6: the goal tile is below it
    Ukko ukko;
    ukko.asetaTila({83 * 32, 13 * 32, 0.0f, false, true});
    EXPECT_FALSE(pelikehys::pelaa(ukko, matala, Syote{}, nullptr, false, [] { return false; }));
    EXPECT_EQ(ukko.haeX(), pelikehys::PALUU_X);
    EXPECT_EQ(ukko.haeY(), pelikehys::PALUU_Y);
}

// Walking off the floor's end, the hero falls below the level's lowest block
// row and is back at (96, 896) in the same frame, still falling at its speed,
// while the level clock runs on.
TEST(Pelikehys, PutoaminenPalauttaaJaKelloKayPeliKehyksessa) {
    TestiHakemisto hakemisto;
    aika::asetaYhteinenKellolahde(&kehyskello);
    PeliAjo ajo({kentta({{0, 33, 10, -1}})});
    Ukko::Tila edellinen{};
    long palautus = 0;
    minsec ennen{}, jalkeen{};
    ajo.pelaa(Syote{false, true, false}, 400, [&](long k, Peli& peli) {
        const Ukko::Tila t = peli.haeUkonTila();
        if (!palautus && t.y < edellinen.y) {
            palautus = k;
            EXPECT_EQ(t.x, pelikehys::PALUU_X);
            EXPECT_EQ(t.y, pelikehys::PALUU_Y);
            EXPECT_GT(t.nopeusY, 10.0f) << "the speed of the fall is kept";
            EXPECT_GT(edellinen.y, 34 * 32 - 32) << "back only once below the lowest row";
            ennen = peli.haeKartta().haeAika();
        }
        if (palautus && k == palautus + 30) jalkeen = peli.haeKartta().haeAika();
        edellinen = t;
    });
    aika::asetaYhteinenKellolahde(nullptr);
    ASSERT_GT(palautus, 0) << "the hero never came back";
    EXPECT_GE(sadasosina(ennen), palautus * 2) << "the clock was restarted by the fall";
    EXPECT_EQ(sadasosina(jalkeen) - sadasosina(ennen), 30 * 2) << "the clock stopped after it";
}

// The view is scrolled before the step: after each frame it shows the hero's
// position from before that frame, 512 and 382 pixels from its corner.
TEST(Pelikehys, NakymaSeuraaAskeltaEdeltavaaPaikkaa) {
    TestiHakemisto hakemisto;
    PeliAjo ajo({kentta({{0, 33, 200, -1}, {0, 60, -1, -1}})});  // wide and tall
    Ukko::Tila edellinen{96, 960, 0.0f, false, true};
    int tarkistettu = 0;
    ajo.pelaa(Syote{false, true, false}, 200, [&](long, Peli& peli) {
        const Ukko::Tila t = peli.haeUkonTila();
        if (edellinen.x > 600) {
            EXPECT_EQ(peli.haeKartta().haeVier_X(), edellinen.x - pelikehys::NAKYMA_X);
            EXPECT_EQ(peli.haeKartta().haeVier_Y(), edellinen.y - pelikehys::NAKYMA_Y);
            ++tarkistettu;
        }
        edellinen = t;
    });
    EXPECT_GT(tarkistettu, 50);
}
