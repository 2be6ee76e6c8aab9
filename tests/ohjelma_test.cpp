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

#include "ajo.h"
#include "kokopeli.h"
#include "testiapu.h"

namespace {

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

// Escape leaves the settings screen like "Peru": nothing is written, and the
// toggled value is still shown on the next visit.
TEST(Asetusruutu, EscapeEiTallennaMitaan) {
    TestiHakemisto hakemisto;
    std::string ensin, toisella;
    Ajo ajo;
    ajo.kun(Nakyma::Valikko, {nappain(SDLK_DOWN), nappain(SDLK_RETURN)})  // settings
        .kun(Nakyma::Valikko, {nappain(SDLK_RETURN)})                     // music on
        .kun(Nakyma::Valikko, {nappain(SDLK_ESCAPE)})
        .kun(Nakyma::Valikko, {nappain(SDLK_RETURN)})  // back to settings
        .kun(Nakyma::Valikko, {nappain(SDLK_ESCAPE)})
        .kun(Nakyma::Valikko, {nappain(SDLK_ESCAPE)})
        .joka(Nakyma::Valikko, [&](long k) {
            if (k == 3) ensin = ruudunPikselit();
            if (k == 5) toisella = ruudunPikselit();
        });
    EXPECT_EQ(ajo.aja(), 0);
    EXPECT_FALSE(onkoTiedostoa("asetukset.conf")) << "Escape saved the settings";
    EXPECT_TRUE(ensin == toisella) << "the toggled value was not kept for the next visit";
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
