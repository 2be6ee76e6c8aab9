#include "alkudemo.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "tarinatesti.h"

namespace {

constexpr Uint32 VALKOINEN = 0xFFFFFF;
constexpr Uint32 VIHREA = 0x00FF00;
constexpr Uint32 KELTAINEN = 0xFFFF00;
constexpr Uint32 PURPPURA = 0xFF00FF;
constexpr Uint32 PUNAINEN = 0xFF0000;  // Apuri facing away
constexpr Uint32 SININEN = 0x0000FF;   // Apuri turned towards the hero

// What one frame of the intro showed: its line and Apuri's colour.
struct Kehys {
    std::string rivi;
    Uint32 apuri;
};

class AlkudemoTesti : public TarinaTesti {
  protected:
    void SetUp() override {
        TarinaTesti::SetUp();
        luoKuva("pelidemo_tausta.png", 1024, 768, VALKOINEN);
        luoKuva("kuva10.png", 40, 40, VIHREA);
        luoKuva("kuva7.png", 40, 40, KELTAINEN);
        luoKuva("peli_hahmo.png", 40, 40, PURPPURA);
        luoKuva("peli_pappi.png", 100, 200, PUNAINEN);
        luoKuva("peli_pappiv.png", 100, 200, SININEN);
        fontit = luoFontit();
    }

    // Runs the intro; `painallukset(k)` pushes the keys after frame k.
    std::vector<Kehys> kerro(std::function<void(long)> painallukset) {
        std::vector<Kehys> kehykset;
        Alkudemo demo;
        demo.lataa();
        aja([&](Nakyma n, long k) {
            EXPECT_EQ(n, Nakyma::Alkudemo);
            kehykset.push_back({demo.haeTekstipuskuri(), pikseli(ruutu, 750, 300)});
            painallukset(k);
        });
        demo.aloita(ruutu);
        return kehykset;
    }

    bool fontit = false;
};

TEST_F(AlkudemoTesti, NeljatoistaValilyontiaNayttaaRivitJarjestyksessaJaApuriKaantyy) {
    auto kehykset = kerro([](long) { paina(SDLK_SPACE, ' '); });
    ASSERT_EQ(kehykset.size(), 14u);
    EXPECT_EQ(kehykset.front().rivi, "Apuri:  Hei, minulla on sinulle tehtävä.");
    EXPECT_EQ(kehykset[2].rivi, "Apuri kääntyi minua vastaan.");
    EXPECT_EQ(kehykset.back().rivi, "Minä: Minä menen...");
    std::set<std::string> erilaiset;
    for (size_t askel = 0; askel < kehykset.size(); ++askel) {
        erilaiset.insert(kehykset[askel].rivi);
        EXPECT_EQ(kehykset[askel].apuri, askel < 2 ? PUNAINEN : SININEN) << "step " << askel;
    }
    EXPECT_EQ(erilaiset.size(), 14u);
}

TEST_F(AlkudemoTesti, KaksiPainallustaSamallaKierroksellaOhittaaRivin) {
    auto kehykset = kerro([](long k) {
        paina(SDLK_SPACE, ' ');
        if (k == 1) paina(SDLK_SPACE, ' ');
    });
    ASSERT_EQ(kehykset.size(), 13u);
    EXPECT_EQ(kehykset[1].rivi, "Apuri kääntyi minua vastaan.");
}

TEST_F(AlkudemoTesti, MuutNappaimetEivatEtene_EscapeJaSulkeminenLopettavat) {
    auto kehykset = kerro([](long k) {
        paina(SDLK_a, 'a');
        paina(SDLK_RETURN, '\r');
        if (k == 3) paina(SDLK_ESCAPE, 27);
    });
    // The pass that sees Escape still finishes its frame, then the story ends.
    ASSERT_EQ(kehykset.size(), 4u);
    EXPECT_EQ(kehykset.back().rivi, kehykset.front().rivi);

    kehykset = kerro([](long k) { k == 1 ? paina(SDLK_SPACE, ' ') : suljeIkkuna(); });
    ASSERT_EQ(kehykset.size(), 3u);
    EXPECT_EQ(kehykset.back().rivi, "Minä: Mikä tehtävä?");
}

TEST_F(AlkudemoTesti, KuvatJaRepliikkiOsuvatPaikoilleen) {
    bool tarkistettu = false;
    kerro([&](long k) {
        if (k > 1) return;
        tarkistettu = true;
        EXPECT_EQ(poikkeavia(ruutu, 10, 350, 50, 390, VIHREA), 0);
        EXPECT_EQ(pikseli(ruutu, 9, 350), VALKOINEN);
        EXPECT_EQ(poikkeavia(ruutu, 540, 245, 580, 285, KELTAINEN), 0);
        EXPECT_EQ(poikkeavia(ruutu, 200, 600, 240, 640, PURPPURA), 0);
        EXPECT_EQ(poikkeavia(ruutu, 700, 133, 800, 333, PUNAINEN), 0);
        EXPECT_EQ(pikseli(ruutu, 699, 133), VALKOINEN);
        EXPECT_EQ(pikseli(ruutu, 700, 132), VALKOINEN);
        if (fontit) {  // black text in the top-left corner and nowhere else
            EXPECT_GT(laske(ruutu, 0, 0, 200, 45, [](Uint32 p) { return (p & 0xC0C0C0) == 0; }),
                      50);
            EXPECT_EQ(poikkeavia(ruutu, 0, 60, 500, 340, VALKOINEN), 0);
        }
        paina(SDLK_ESCAPE, 27);
    });
    EXPECT_TRUE(tarkistettu);
}

}  // namespace

// Every line fits the screen: one too wide at the story size is drawn at the
// largest size at which it fits, the others at the story size.
TEST_F(AlkudemoTesti, JokainenRiviMahtuuRuudulle) {
    if (!fontit) GTEST_SKIP() << "no font to render with";
    auto kehykset = kerro([](long) { paina(SDLK_SPACE, ' '); });
    ASSERT_EQ(kehykset.size(), 14u);
    tarina::Juonifontti fontti;
    fontti.lataa("media/fonts/juoni.ttf", 35);
    auto leveys = [](TTF_Font* f, const std::string& rivi) {
        int w = 0, h = 0;
        TTF_SizeUTF8(f, rivi.c_str(), &w, &h);
        return w;
    };
    int pienennettyja = 0;
    for (const Kehys& k : kehykset) {
        TTF_Font* valittu = fontti.sopiva(k.rivi, 0, 1024);
        ASSERT_NE(valittu, nullptr);
        EXPECT_LE(leveys(valittu, k.rivi), 1024) << k.rivi;
        const int koko = [&] {
            for (int pt = 35; pt > 8; --pt) {
                TTF_Font* f = TTF_OpenFont("media/fonts/juoni.ttf", pt);
                const bool sama = TTF_FontHeight(f) == TTF_FontHeight(valittu) &&
                                  leveys(f, k.rivi) == leveys(valittu, k.rivi);
                TTF_CloseFont(f);
                if (sama) return pt;
            }
            return 0;
        }();
        if (koko == 35) continue;
        ++pienennettyja;
        TTF_Font* isompi = TTF_OpenFont("media/fonts/juoni.ttf", koko + 1);
        EXPECT_GT(leveys(isompi, k.rivi), 1024) << "a larger size would fit: " << k.rivi;
        TTF_CloseFont(isompi);
    }
    EXPECT_GE(pienennettyja, 1) << "the two longest lines do not fit at 35 pt";
}
