// The whole program driven headless through the frame helper: the main menu,
// the settings and credits screens, quitting, and a game left with Escape.
#include "ohjelma.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "aani.h"
#include "kehys.h"
#include "testiapu.h"

namespace {

SDL_Event nappain(SDLKey nappain) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = nappain;
    return e;
}

SDL_Event sulkeminen() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    return e;
}

// Runs the program with a script: each step is a batch of events pushed after
// one frame of the given screen. Records the frames seen per screen and every
// sound started.
class Ajo {
  public:
    using Era = std::vector<SDL_Event>;

    Ajo() {
        aani::asetaKuuntelija([this](const std::string& polku) { soitetut.push_back(polku); });
    }
    ~Ajo() {
        kehys::asetaTestikoukku({});
        aani::asetaKuuntelija({});
    }

    // Queues a batch of events for the next frame of `nakyma`.
    Ajo& kun(Nakyma nakyma, Era era) {
        kasikirjoitus[nakyma].push_back(std::move(era));
        return *this;
    }
    // Called at each frame of `nakyma` (after the scripted events are pushed).
    Ajo& joka(Nakyma nakyma, std::function<void(long)> f) {
        tarkkailijat[nakyma] = std::move(f);
        return *this;
    }

    int aja(long enintaan = 20000) {
        kehys::asetaTestikoukku([this, enintaan](Nakyma n, long k) {
            ++kehyksia[n];
            auto& jono = kasikirjoitus[n];
            if (!jono.empty()) {
                for (SDL_Event e : jono.front()) SDL_PushEvent(&e);
                jono.pop_front();
            }
            if (tarkkailijat.count(n)) tarkkailijat[n](kehyksia[n]);
            if (k > enintaan) {  // a runaway script ends the program instead of hanging
                SDL_Event e = sulkeminen();
                SDL_PushEvent(&e);
                karannut = true;
            }
        });
        return SDL_main(0, nullptr);
    }

    int soittoja(const std::string& polku) const {
        return static_cast<int>(std::count(soitetut.begin(), soitetut.end(), polku));
    }

    std::map<Nakyma, long> kehyksia;
    std::vector<std::string> soitetut;
    bool karannut = false;

  private:
    std::map<Nakyma, std::deque<Era>> kasikirjoitus;
    std::map<Nakyma, std::function<void(long)>> tarkkailijat;
};

const std::string SIIRTO = "media/sounds/valikko.mp3";

}  // namespace

TEST(Paavalikko, YlosEnsimmaisellaPysyyJaSoittaaSiirtoaanen) {
    TestiHakemisto hakemisto;
    kirjoitaTiedostoTestissa("asetukset.conf", "aanet=1\n");
    Ajo ajo;
    // Up on the first item keeps it selected: Return then starts the game.
    ajo.kun(Nakyma::Valikko, {nappain(SDLK_UP), nappain(SDLK_UP)})
        .kun(Nakyma::Valikko, {nappain(SDLK_RETURN)})
        .kun(Nakyma::Alkudemo, {nappain(SDLK_ESCAPE)})
        .kun(Nakyma::Peli, {nappain(SDLK_ESCAPE)});
    EXPECT_EQ(ajo.aja(), 0);
    EXPECT_FALSE(ajo.karannut);
    EXPECT_EQ(ajo.soittoja(SIIRTO), 2);
    EXPECT_EQ(ajo.soittoja("media/sounds/aani4.mp3"), 1);
    EXPECT_GT(ajo.kehyksia[Nakyma::Alkudemo], 0);
    EXPECT_EQ(ajo.kehyksia[Nakyma::Loppudemo], 0);
    EXPECT_FALSE(onkoTiedostoa("hiscore.dat"));
}

TEST(Paavalikko, AlasViimeisellaPysyyJaLopettaa) {
    TestiHakemisto hakemisto;
    kirjoitaTiedostoTestissa("asetukset.conf", "aanet=1\n");
    Ajo ajo;
    ajo.kun(Nakyma::Valikko, {nappain(SDLK_DOWN), nappain(SDLK_DOWN), nappain(SDLK_DOWN),
                              nappain(SDLK_DOWN), nappain(SDLK_DOWN)})
        .kun(Nakyma::Valikko, {nappain(SDLK_SPACE)});
    EXPECT_EQ(ajo.aja(), 0);
    EXPECT_FALSE(ajo.karannut);
    EXPECT_EQ(ajo.soittoja(SIIRTO), 5);
    EXPECT_EQ(ajo.kehyksia[Nakyma::Alkudemo], 0);
}

TEST(Paavalikko, IlmanAaniaEiSoiMitaan) {
    TestiHakemisto hakemisto;
    Ajo ajo;
    ajo.kun(Nakyma::Valikko, {nappain(SDLK_DOWN), nappain(SDLK_UP)})
        .kun(Nakyma::Valikko, {nappain(SDLK_ESCAPE)});
    EXPECT_EQ(ajo.aja(), 0);
    EXPECT_TRUE(ajo.soitetut.empty());
    EXPECT_FALSE(onkoTiedostoa("asetukset.conf")) << "reading the settings writes nothing";
}

TEST(Paavalikko, IkkunanSulkeminenLopettaaJokaisestaNakymasta) {
    // Main menu, settings screen (Down, Return), credits (Down, Down, Return).
    const std::vector<std::vector<SDLKey>> reitit = {
        {}, {SDLK_DOWN, SDLK_RETURN}, {SDLK_DOWN, SDLK_DOWN, SDLK_RETURN}};
    for (const auto& reitti : reitit) {
        TestiHakemisto hakemisto;
        Ajo ajo;
        Ajo::Era era;
        for (SDLKey k : reitti) era.push_back(nappain(k));
        ajo.kun(Nakyma::Valikko, era).kun(Nakyma::Valikko, {sulkeminen()});
        EXPECT_EQ(ajo.aja(), 0);
        EXPECT_FALSE(ajo.karannut);
        EXPECT_EQ(ajo.kehyksia[Nakyma::Valikko], 3) << "the closing pass still draws";
        EXPECT_EQ(ajo.kehyksia[Nakyma::Alkudemo], 0);
    }
}

TEST(Paavalikko, ReturnTekijoissaEiTeeMitaan) {
    TestiHakemisto hakemisto;
    Ajo ajo;
    std::string ennen, jalkeen;
    auto kuva = [] {
        SDL_Surface* r = SDL_GetVideoSurface();
        return std::string(static_cast<char*>(r->pixels), r->pitch * r->h);
    };
    ajo.kun(Nakyma::Valikko, {nappain(SDLK_DOWN), nappain(SDLK_DOWN), nappain(SDLK_RETURN)})
        .kun(Nakyma::Valikko, {})
        .kun(Nakyma::Valikko, {nappain(SDLK_RETURN), nappain(SDLK_SPACE)})
        .kun(Nakyma::Valikko, {nappain(SDLK_ESCAPE)})  // back to the main menu
        .kun(Nakyma::Valikko, {nappain(SDLK_ESCAPE)})  // and out
        .joka(Nakyma::Valikko, [&](long k) {
            if (k == 3) ennen = kuva();
            if (k == 4) jalkeen = kuva();
        });
    EXPECT_EQ(ajo.aja(), 0);
    ASSERT_FALSE(ennen.empty());
    EXPECT_TRUE(ennen == jalkeen) << "Return on the credits screen changed the picture";
    EXPECT_EQ(ajo.kehyksia[Nakyma::Valikko], 6);
}

TEST(Asetusruutu, PeruJattaaTiedostonJaTallennusKirjoittaaArvot) {
    TestiHakemisto hakemisto;
    const std::string alkuperainen = "kieli=suomi\nmusiikki=1\nzeta=x\n";
    kirjoitaTiedostoTestissa("asetukset.conf", alkuperainen);
    std::string peruttu;
    Ajo ajo;
    ajo.kun(Nakyma::Valikko, {nappain(SDLK_DOWN), nappain(SDLK_RETURN)})   // settings
        .kun(Nakyma::Valikko, {nappain(SDLK_RETURN)})                      // music off
        .kun(Nakyma::Valikko, {nappain(SDLK_DOWN), nappain(SDLK_RETURN)})  // sound on
        .kun(Nakyma::Valikko, {nappain(SDLK_DOWN), nappain(SDLK_DOWN), nappain(SDLK_RETURN)})
        .kun(Nakyma::Valikko, {nappain(SDLK_RETURN)})  // "Peru" left; back to settings
        .kun(Nakyma::Valikko, {nappain(SDLK_DOWN), nappain(SDLK_RETURN)})  // save
        .kun(Nakyma::Valikko, {nappain(SDLK_ESCAPE)})
        .joka(Nakyma::Valikko, [&](long k) {
            if (k == 5) peruttu = lueTiedostoTestissa("asetukset.conf");
        });
    EXPECT_EQ(ajo.aja(), 0);
    EXPECT_EQ(peruttu, alkuperainen);
    EXPECT_EQ(lueTiedostoTestissa("asetukset.conf"),
              "aanet=1\r\nkieli=suomi\r\nkokoruututila=0\r\nmusiikki=0\r\nzeta=x\r\n");
}

TEST(Pelisessio, EscapeKeskenKentanPalaaIlmanLoppuaJaTuloslistaa) {
    TestiHakemisto hakemisto;
    Ajo ajo;
    ajo.kun(Nakyma::Valikko, {nappain(SDLK_RETURN)})
        .kun(Nakyma::Alkudemo, {nappain(SDLK_SPACE), nappain(SDLK_SPACE)})
        .kun(Nakyma::Alkudemo, {nappain(SDLK_ESCAPE)});
    for (int i = 0; i < 30; ++i) ajo.kun(Nakyma::Peli, {});
    ajo.kun(Nakyma::Peli, {nappain(SDLK_ESCAPE)});
    EXPECT_EQ(ajo.aja(), 0);
    EXPECT_EQ(ajo.kehyksia[Nakyma::Alkudemo], 3) << "the Escape pass still draws";
    EXPECT_EQ(ajo.kehyksia[Nakyma::Peli], 32) << "the Escape frame is still played and drawn";
    EXPECT_EQ(ajo.kehyksia[Nakyma::Loppudemo] + ajo.kehyksia[Nakyma::Nimi], 0);
    EXPECT_FALSE(onkoTiedostoa("hiscore.dat"));
}

TEST(Asetusruutu, OmaKuvaVainAsetuksissaJaValikkopeitteenPaalla) {
    TestiHakemisto hakemisto;
    // A private media tree: an opaque overlay and opaque settings art, one
    // colour each, so the colour of a pixel tells which layer is on top.
    std::filesystem::remove("media");
    std::filesystem::create_directories("media/images");
    const Uint32 PEITE = 0x204060, ASETUKSET = 0xC08020;
    for (auto [nimi, rgb] : {std::pair{"valikko.png", PEITE}, {"asetukset.png", ASETUKSET}}) {
        SDL_Surface* p =
            SDL_CreateRGBSurface(SDL_SWSURFACE, 1024, 768, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        SDL_FillRect(p, nullptr, rgb);
        SDL_SaveBMP(p, (std::string("media/images/") + nimi).c_str());
        SDL_FreeSurface(p);
    }
    std::vector<Uint32> nahty;
    Ajo ajo;
    ajo.kun(Nakyma::Valikko, {nappain(SDLK_DOWN), nappain(SDLK_RETURN)})  // settings
        .kun(Nakyma::Valikko, {nappain(SDLK_ESCAPE), nappain(SDLK_DOWN), nappain(SDLK_RETURN)})
        .kun(Nakyma::Valikko, {nappain(SDLK_ESCAPE)})
        .kun(Nakyma::Valikko, {nappain(SDLK_ESCAPE)})
        .joka(Nakyma::Valikko, [&](long) {
            SDL_Surface* r = SDL_GetVideoSurface();
            Uint8 v[3];
            SDL_GetRGB(static_cast<Uint32*>(r->pixels)[500 * r->pitch / 4 + 500], r->format, &v[0],
                       &v[1], &v[2]);
            nahty.push_back(Uint32(v[0]) << 16 | Uint32(v[1]) << 8 | v[2]);
        });
    EXPECT_EQ(ajo.aja(), 0);
    ASSERT_GE(nahty.size(), 3u);
    EXPECT_EQ(nahty[0], PEITE) << "main menu";
    EXPECT_EQ(nahty[1], ASETUKSET) << "settings: its own art, over the overlay";
    EXPECT_EQ(nahty[2], PEITE) << "credits";
}
