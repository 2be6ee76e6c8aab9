#include "loppudemo.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

#include "alkudemo.h"
#include "tarinatesti.h"

namespace {

constexpr Uint32 HARMAA = 0x808080;
constexpr Uint32 PURPPURA = 0xFF00FF;
constexpr Uint32 KELTAINEN = 0xFFFF00;
// The colours of ukko_saippuak_0 .. _3.
constexpr Uint32 KEHYSVARI[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0x00FFFF};

using Nappaimet = std::vector<std::pair<SDLKey, Uint16>>;
const Nappaimet RETURN{{SDLK_RETURN, '\r'}};
const Nappaimet BACKSPACE{{SDLK_BACKSPACE, 8}};

// The key presses that type `teksti` (letters, digits, blank and '!').
Nappaimet kirjaimet(const std::string& teksti) {
    Nappaimet n;
    for (char c : teksti) {
        char pieni = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        n.push_back({static_cast<SDLKey>(pieni), static_cast<Uint16>(c)});
    }
    return n;
}

Nappaimet operator+(Nappaimet a, const Nappaimet& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void painaKaikki(const Nappaimet& nappaimet) {
    for (auto [sym, merkki] : nappaimet) paina(sym, merkki);
}

// Leaves the story at once. The pass that handles Escape still draws its
// frame, so the key is pressed only once.
void ohitaTarina(long kehys) {
    if (kehys == 1) paina(SDLK_ESCAPE, 27);
}

class LoppudemoTesti : public TarinaTesti {
  protected:
    void SetUp() override {
        TarinaTesti::SetUp();
        luoKuva("peliloppudemo_tausta.png", 1024, 768, HARMAA);
        luoKuva("hahmo_edesta.png", 50, 50, PURPPURA);
        luoKuva("henkilo2.png", 60, 60, KELTAINEN);
        for (int i = 0; i < 4; ++i)
            luoKuva("ukko_saippuak_" + std::to_string(i) + ".png", 100, 100, KEHYSVARI[i]);
        fontit = luoFontit();
    }

    // Runs the ending: `tarina(k)` acts after story frame k, `nimi(k)` after
    // name-entry frame k. Returns the story picture's colour in each frame.
    std::vector<Uint32> ajaLoppu(std::vector<minsec> ajat, std::function<void(long)> tarina,
                                 std::function<void(long)> nimi) {
        std::vector<Uint32> kuvat;
        nimiKehyksia = 0;
        loppudemo demo;
        demo.lataa();
        aja([&](Nakyma n, long) {
            if (n == Nakyma::Loppudemo) {
                kuvat.push_back(pikseli(ruutu, 450, 200));
                tarina(static_cast<long>(kuvat.size()));
            } else {
                EXPECT_EQ(n, Nakyma::Nimi);
                nimi(++nimiKehyksia);
            }
        });
        demo.aloita(ruutu, std::move(ajat));
        return kuvat;
    }

    // Skips the story, presses `nappaimet` in one pass of the name entry and
    // returns what the high-score file then holds.
    std::vector<score> kirjoita(const Nappaimet& nappaimet,
                                std::vector<minsec> ajat = {{1, 0, 0}}) {
        ajaLoppu(std::move(ajat), ohitaTarina, [&](long k) {
            if (k == 1) painaKaikki(nappaimet);
        });
        return hiscore().haeTulokset();
    }

    bool fontit = false;
    long nimiKehyksia = 0;
};

TEST_F(LoppudemoTesti, KuusiAskeltaKuvineenJaSittenNimenKysely) {
    auto kuvat = ajaLoppu(
        {{1, 0, 0}}, [](long) { paina(SDLK_SPACE, ' '); }, [](long) { paina(SDLK_ESCAPE, 27); });
    const std::vector<Uint32> odotetut = {KEHYSVARI[0], KEHYSVARI[1], KEHYSVARI[2],
                                          KEHYSVARI[3], KEHYSVARI[1], KEHYSVARI[2]};
    EXPECT_EQ(kuvat, odotetut);
    EXPECT_EQ(nimiKehyksia, 2);  // the pass that handles Escape still draws
    EXPECT_FALSE(onkoTiedostoa("hiscore.dat"));

    // Closing the window ends the ending as a whole: no name entry follows,
    // nothing is stored, and the quit stays queued for the game to end on.
    nimiKehyksia = 0;
    kuvat = ajaLoppu(
        {{0, 1, 0}}, [](long k) { k == 2 ? suljeIkkuna() : paina(SDLK_SPACE, ' '); },
        [](long) { painaKaikki(RETURN); });
    EXPECT_EQ(kuvat.size(), 3u) << "the pass that takes the quit still draws";
    EXPECT_EQ(nimiKehyksia, 0);
    EXPECT_FALSE(onkoTiedostoa("hiscore.dat"));
    EXPECT_TRUE(SDL_QuitRequested());
}

TEST_F(LoppudemoTesti, TarinanKuvatOsuvatPaikoilleen) {
    ajaLoppu(
        {},
        [&](long k) {
            if (k > 1) return;
            EXPECT_EQ(poikkeavia(ruutu, 400, 150, 500, 250, KEHYSVARI[0]), 0);
            EXPECT_EQ(pikseli(ruutu, 399, 200), HARMAA);
            EXPECT_EQ(pikseli(ruutu, 450, 149), HARMAA);
            EXPECT_EQ(poikkeavia(ruutu, 600, 165, 650, 215, PURPPURA), 0);
            EXPECT_EQ(poikkeavia(ruutu, 700, 45, 760, 60, KELTAINEN), 0);
            EXPECT_EQ(pikseli(ruutu, 760, 50), HARMAA);
            if (fontit) {
                EXPECT_GT(kirkkaita(ruutu, 0, 0, 300, 45), 100);  // the white line
            }
            paina(SDLK_ESCAPE, 27);
        },
        [](long) { paina(SDLK_ESCAPE, 27); });
}

// First row of the rectangle that holds a text pixel, or -1.
int ensimmainenRivi(SDL_Surface* s, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
        if (kirkkaita(s, x0, y, x1, y + 1) > 0) return y;
    return -1;
}

TEST_F(LoppudemoTesti, YhteenvedonAjatAllekkainJaOnnittelu) {
    if (!fontit) GTEST_SKIP() << "no font to render with";
    ajaLoppu(std::vector<minsec>(6, minsec{1, 23, 45}), ohitaTarina, [&](long) {
        const int ylin = ensimmainenRivi(ruutu, 500, 0, 700, 40);
        ASSERT_GE(ylin, 0);
        for (int i = 1; i < 6; ++i)
            EXPECT_EQ(ensimmainenRivi(ruutu, 500, 40 * i, 700, 40 * i + 40), ylin + 40 * i);
        EXPECT_EQ(kirkkaita(ruutu, 0, 0, 500, 240), 0);
        EXPECT_GT(kirkkaita(ruutu, 500, 0, 505, 240), 0);
        EXPECT_EQ(kirkkaita(ruutu, 0, 240, 1024, 380), 0);
        // The congratulation starts at x = 300 just below y = 382.
        EXPECT_EQ(kirkkaita(ruutu, 0, 382, 300, 440), 0);
        EXPECT_GT(kirkkaita(ruutu, 300, 382, 320, 430), 0);
        paina(SDLK_ESCAPE, 27);
    });
}

TEST_F(LoppudemoTesti, NimeenKirjaimetJaNumerotEnintaan17_BackspaceJaTyhjaNimi) {
    const std::pair<Nappaimet, std::string> tapaukset[] = {
        {kirjaimet("Abc 1!") + Nappaimet{{SDLK_a, 0xE4}}, "Abc1"},  // blank, '!' and 'ä' ignored
        {kirjaimet("abcdefghijklmnopqrst"), "abcdefghijklmnopq"},
        {BACKSPACE + kirjaimet("ab") + BACKSPACE + kirjaimet("c"), "ac"},
        {{}, ""},
        {kirjaimet("a") + RETURN + kirjaimet("b"), "a"},  // one game stores one entry
    };
    for (const auto& [nappaimet, nimi] : tapaukset) {
        auto tulokset = kirjoita(nappaimet + RETURN);
        ASSERT_EQ(tulokset.size(), 1u) << nimi;
        EXPECT_EQ(tulokset[0].nimi, nimi);
        EXPECT_EQ(tulokset[0].tulos, 6000);
        std::filesystem::remove("hiscore.dat");
    }
}

TEST_F(LoppudemoTesti, EscapeSulkeminenJaNumeronappaimistonEnterEivatTallenna) {
    EXPECT_TRUE(kirjoita(kirjaimet("ab") + Nappaimet{{SDLK_ESCAPE, 27}}).empty());
    ajaLoppu({}, ohitaTarina, [](long k) { k == 1 ? paina(SDLK_KP_ENTER, '\r') : suljeIkkuna(); });
    EXPECT_EQ(nimiKehyksia, 3);
    EXPECT_FALSE(onkoTiedostoa("hiscore.dat"));
}

TEST_F(LoppudemoTesti, UusiTulosLajitellaanTasapeleissaViimeiseksiJaYhdeksanSailyy) {
    std::vector<score> vanhat = {{"a", 50},  {"b", 100}, {"c", 100}, {"d", 150}, {"e", 200},
                                 {"f", 250}, {"g", 300}, {"h", 350}, {"i", 400}};
    kirjoitaTiedostoTestissa("hiscore.dat", hiscore::tavuiksi(vanhat));
    auto tulokset = kirjoita(kirjaimet("Uusi") + RETURN, {{0, 1, 0}});
    std::vector<std::string> nimet;
    for (auto& s : tulokset) nimet.push_back(s.nimi);
    EXPECT_EQ(nimet, (std::vector<std::string>{"a", "b", "c", "Uusi", "d", "e", "f", "g", "h"}));

    // Slower than all nine: the file keeps its content and order.
    std::vector<score> nopeat;
    for (int i = 1; i <= 9; ++i) nopeat.push_back({"n" + std::to_string(i), i * 10});
    kirjoitaTiedostoTestissa("hiscore.dat", hiscore::tavuiksi(nopeat));
    kirjoita(kirjaimet("hidas") + RETURN, {{0, 0, 90}});
    EXPECT_EQ(lueTiedostoTestissa("hiscore.dat"), hiscore::tavuiksi(nopeat));
}

TEST_F(LoppudemoTesti, TulosOnKokoPelinAikaSadasosina) {
    auto tulokset = kirjoita(RETURN, {{1, 2, 3}, {0, 59, 99}});
    ASSERT_EQ(tulokset.size(), 1u);
    EXPECT_EQ(tulokset[0].tulos, 6000 + 200 + 3 + 5900 + 99);
}

TEST(LoppudemoSumma, NopeampiPeliOnPienempiJaMielettomatAjatKyllastyvat) {
    EXPECT_EQ(loppudemo::laskeSumma({}), 0);
    // 59.99 s is faster than one minute, and one minute than 1:00.01.
    EXPECT_LT(loppudemo::laskeSumma({{0, 59, 99}}), loppudemo::laskeSumma({{1, 0, 0}}));
    EXPECT_LT(loppudemo::laskeSumma({{1, 0, 0}}), loppudemo::laskeSumma({{1, 0, 1}}));
    EXPECT_EQ(loppudemo::laskeSumma({{INT_MAX, 59, 100}}), INT32_MAX);
    EXPECT_EQ(loppudemo::laskeSumma(std::vector<minsec>(6, {357913, 0, 0})), INT32_MAX);
}

TEST_F(LoppudemoTesti, MolemmatRuudutToimivatIlmanMediaa) {
    std::filesystem::remove_all("media");
    {
        Alkudemo alku;
        alku.lataa();
        aja([](Nakyma, long) { paina(SDLK_SPACE, ' '); });
        alku.aloita(ruutu);
    }
    auto kuvat = ajaLoppu(
        {{0, 3, 0}}, [](long) { paina(SDLK_SPACE, ' '); },
        [](long) { painaKaikki(kirjaimet("Ab") + RETURN); });
    EXPECT_EQ(kuvat.size(), 6u);
    auto tulokset = hiscore().haeTulokset();
    ASSERT_EQ(tulokset.size(), 1u);
    EXPECT_EQ(tulokset[0].nimi, "Ab");
    EXPECT_EQ(tulokset[0].tulos, 300);
}

}  // namespace
