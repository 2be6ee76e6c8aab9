#include "ukko.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aani.h"
#include "testiapu.h"

namespace {

constexpr int LATTIA = 33;                 // floor row of the test maps
constexpr int SEISOO = LATTIA * 32 - 101;  // y of a character standing on it

// Inputs of one frame.
constexpr Syote VASEN{true, false, false};
constexpr Syote OIKEA{false, true, false};
constexpr Syote HYPPY{false, false, true};
constexpr Syote EI_MITAAN{};

class UkkoTesti : public ::testing::Test {
  protected:
    UkkoTesti() { kartta.luoNelio(0, LATTIA, 40, -1); }
    // A character standing on the floor at x, free to jump.
    void seiso(int x) { ukko.asetaTila({x, SEISOO, 1.0f, true, true}); }
    void askel(int kertaa = 1) {
        for (int i = 0; i < kertaa; ++i) ukko.ajattele(kartta, syote, nullptr, false);
    }
    Kartta kartta;
    Ukko ukko;
    Syote syote;  // held during the next steps
};

}  // namespace

TEST_F(UkkoTesti, HyppyNouseeJaPalaaSamalleLattialle) {
    seiso(200);
    std::vector<int> y{ukko.haeY()};
    std::vector<float> v{ukko.haeNopeusY()};
    for (int i = 1; i <= 53; ++i) {
        syote = HYPPY;
        if (i > 1) syote = EI_MITAAN;
        askel();
        y.push_back(ukko.haeY());
        v.push_back(ukko.haeNopeusY());
    }
    EXPECT_EQ(y[1], SEISOO - 13);  // -12.5 added and truncated
    EXPECT_EQ(y[25], SEISOO - 169);
    EXPECT_EQ(y[26], y[25]);
    EXPECT_EQ(y[27], y[25]);
    EXPECT_EQ(v[52], 13.5f);  // still falling: the step's probe found no floor
    EXPECT_EQ(y[53], SEISOO);
    EXPECT_EQ(v[53], 1.0f);
    EXPECT_EQ(ukko.haeNopeusY(), 1.0f);
    EXPECT_TRUE(ukko.voikoHypata());
}

TEST_F(UkkoTesti, LaskeutuuPalikanYlapuolelle) {
    kartta.luoNelio(10, 20, 3, -1);
    ukko.asetaTila({330, 300, 3.0f, false, true});
    askel(40);
    EXPECT_EQ(ukko.haeY(), 20 * 32 - 101);
    askel(10);
    EXPECT_EQ(ukko.haeY(), 20 * 32 - 101);
    EXPECT_EQ(ukko.haeNopeusY(), 1.0f);
}

TEST_F(UkkoTesti, SeinatPysayttavatMolemmilta) {
    kartta.luoNelio(20, LATTIA - 4, -1, 1);  // columns 20-21, rows 29-32
    seiso(500);
    syote = OIKEA;
    askel(40);
    EXPECT_EQ(ukko.haeX() + Ukko::LEVEYS, 20 * 32 - 1);
    askel(5);
    EXPECT_EQ(ukko.haeX() + Ukko::LEVEYS, 20 * 32 - 1);
    EXPECT_EQ(ukko.haeY(), SEISOO);  // the floor itself never blocks walking

    seiso(800);
    syote = VASEN;
    askel(40);
    EXPECT_EQ(ukko.haeX(), 22 * 32 + 1);
    askel(5);
    EXPECT_EQ(ukko.haeX(), 22 * 32 + 1);
    EXPECT_FALSE(ukko.onkoOikealle());
}

TEST_F(UkkoTesti, KattoKatkaiseeHypyn) {
    kartta.luoNelio(5, 25, 5, -1);  // rows 25-26 over the character's head
    seiso(200);
    syote = HYPPY;
    askel();
    syote = EI_MITAAN;
    int y = ukko.haeY();
    for (int i = 0; i < 10 && ukko.haeY() != 27 * 32 + 1; ++i) askel();
    EXPECT_EQ(ukko.haeY(), 27 * 32 + 1);
    EXPECT_LT(ukko.haeY(), y);
    EXPECT_EQ(ukko.haeNopeusY(), 0.0f);
}

TEST_F(UkkoTesti, PutoaminenRajoitetaanRuutuunAskeleessa) {
    ukko.asetaTila({3000, 0, 0.0f, true, true});  // beyond the floor's end
    int edellinen = ukko.haeY();
    int suurin = 0;
    for (int i = 0; i < 120; ++i) {
        askel();
        suurin = std::max(suurin, ukko.haeY() - edellinen);
        edellinen = ukko.haeY();
    }
    EXPECT_EQ(suurin, 32);
    EXPECT_EQ(ukko.haeNopeusY(), 32.0f);
    EXPECT_FALSE(ukko.voikoHypata());
    // Moving the character keeps its speed.
    ukko.asetaPaikka(96, 100);
    EXPECT_EQ(ukko.haeNopeusY(), 32.0f);
    askel();
    EXPECT_EQ(ukko.haeY(), 132);
}

TEST_F(UkkoTesti, PidettyHyppynappiAntaaYhdenHypyn) {
    seiso(200);
    syote = HYPPY;
    askel(53);
    EXPECT_EQ(ukko.haeY(), SEISOO);
    EXPECT_FALSE(ukko.voikoHypata());
    askel(30);  // still held: no second jump
    EXPECT_EQ(ukko.haeY(), SEISOO);
    syote = EI_MITAAN;
    askel();
    EXPECT_TRUE(ukko.voikoHypata());
    syote = HYPPY;
    askel();
    EXPECT_EQ(ukko.haeY(), SEISOO - 13);
}

TEST_F(UkkoTesti, IlmassaHyppynappiEiTeeMitaan) {
    ukko.asetaTila({200, 500, 2.0f, false, true});
    syote = HYPPY;
    askel();
    EXPECT_EQ(ukko.haeY(), 502);
    EXPECT_EQ(ukko.haeNopeusY(), 2.5f);
}

TEST_F(UkkoTesti, NuolinappienSuuntaJaAsento) {
    seiso(200);
    syote = {true, true, false};
    askel();
    EXPECT_EQ(ukko.haeX(), 205);
    EXPECT_TRUE(ukko.onkoOikealle());
    syote = VASEN;
    askel();
    EXPECT_EQ(ukko.haeX(), 200);
    EXPECT_FALSE(ukko.onkoOikealle());
    syote = EI_MITAAN;
    askel(3);
    EXPECT_EQ(ukko.haeX(), 200);
    EXPECT_FALSE(ukko.onkoOikealle());
}

TEST_F(UkkoTesti, LataaAsettaaAlkutilan) {
    TestiHakemisto hakemisto;
    ukko.lataa(nullptr);
    const Ukko::Tila t = ukko.haeTila();
    EXPECT_EQ(t.x, 96);
    EXPECT_EQ(t.y, 960);
    EXPECT_EQ(t.nopeusY, 0.0f);
    EXPECT_FALSE(t.voiHypata);
    EXPECT_TRUE(t.oikealle);
    // Standing with the jump key held after a landing shows a jump image.
    seiso(200);
    askel();
    SDL_Surface* seisova = ukko.haeKuva();
    syote = HYPPY;
    askel(53);
    EXPECT_EQ(ukko.haeY(), SEISOO);
    EXPECT_NE(ukko.haeKuva(), seisova);
    ukko.vapauta();
}

// The jump sound starts once per jump at volume 0.4, cutting off the one
// before it on its channel, and never with effects off.
TEST_F(UkkoTesti, HyppyaaniSoiVainAanetPaalla) {
    TestiHakemisto hakemisto;
    AaniJarjestelma aanet;
    aanet.alusta(16);
    ukko.lataa(&aanet);
    std::vector<std::string> loki;
    aani::asetaKirjuri([&](const std::string& rivi) { loki.push_back(rivi); });
    for (bool aanetPaalla : {true, false}) {
        for (int hyppy = 0; hyppy < 2; ++hyppy) {
            seiso(200);  // lands at once: the first sound is still playing
            ukko.ajattele(kartta, HYPPY, &aanet, aanetPaalla);
        }
    }
    aani::asetaKirjuri(nullptr);
    ukko.vapauta();
    if (!aanet.onkoAuki()) GTEST_SKIP() << "no audio device";
    const std::string h = "media/sounds/aani1.mp3 kanava 0";
    EXPECT_EQ(loki,
              (std::vector<std::string>{"soita " + h, "voimakkuus " + h + " 0.40", "pysayta " + h,
                                        "soita " + h, "voimakkuus " + h + " 0.40"}));
}
