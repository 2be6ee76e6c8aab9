#include "kartta.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <climits>

#include "piirto.h"
#include "testiapu.h"

using namespace std::string_literals;

namespace {

std::string tietue(int32_t x, int32_t y, int32_t tyyppi, uint8_t lippu, int32_t alkupiste) {
    std::string t;
    for (int32_t luku : {x, y, tyyppi}) t.append(reinterpret_cast<const char*>(&luku), 4);
    t.push_back(static_cast<char>(lippu));
    t.append(reinterpret_cast<const char*>(&alkupiste), 4);
    return t;
}

// A map whose extent is that of the given blocks (loaded, so the fields are set).
Kartta kartanKoko(int leveys, int korkeus) {
    Kartta kartta;
    kartta.lataaTavuista(tietue(leveys, 0, 0, 1, 0) + tietue(0, korkeus, 0, 1, 0));
    return kartta;
}

// The colour of a pixel of a 32-bit surface, without its alpha.
Uint32 pikseli(SDL_Surface* pinta, int x, int y) {
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(static_cast<Uint32*>(pinta->pixels)[y * pinta->pitch / 4 + x], pinta->format, &r, &g,
               &b);
    return (Uint32{r} << 16) | (Uint32{g} << 8) | b;
}

}  // namespace

TEST(Kartta, TietueOnSeitsemantoistaTavua) {
    Kartta kartta;
    Kartta yksi;
    yksi.lataaTavuista(tietue(3, 28, 4, 1, 0));
    ASSERT_EQ(yksi.haePalat().size(), 1u);
    EXPECT_EQ(yksi.tavuiksi(), "\x03\0\0\0\x1C\0\0\0\x04\0\0\0\x01\0\0\0\0"s);
    EXPECT_EQ(kartta.tavuiksi(), "");
}

TEST(Kartta, RivinvaihtotavuTallentuuKahtenaJaLukeutuuYhtena) {
    Kartta kartta;
    kartta.lataaTavuista(tietue(10, 2, 3, 1, 0));
    const std::string tavut = kartta.tavuiksi();
    EXPECT_EQ(tavut.size(), 18u);
    EXPECT_EQ(tavut.substr(0, 2), "\r\n");
    auto palat = Kartta::luePalat(tavut);
    ASSERT_EQ(palat.size(), 1u);
    EXPECT_EQ(palat[0].x, 10);
    EXPECT_EQ(palat[0].y, 2);
    EXPECT_EQ(palat[0].tyyppi, 3);
}

TEST(Kartta, TallennettuKenttaLuetaanSamana) {
    TestiHakemisto hakemisto;
    Kartta kartta;
    kartta.luoNelio(25, 25, 1, 1);  // columns and rows 26 hold the byte 0x1A
    kartta.lataaTavuista(tietue(-7, INT_MIN, 8, 200, 1) + tietue(INT_MAX, 0x0D0A0A0D, -3, 10, 2));
    kartta.tallennaKartta("testi.map");
    Kartta luettu;
    luettu.lataaKartta("testi.map");
    const auto& a = kartta.haePalat();
    const auto& b = luettu.haePalat();
    ASSERT_EQ(b.size(), a.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(b[i].x, a[i].x);
        EXPECT_EQ(b[i].y, a[i].y);
        EXPECT_EQ(b[i].tyyppi, a[i].tyyppi);
        EXPECT_EQ(b[i].lippu, a[i].lippu);
        EXPECT_EQ(b[i].alkupiste, a[i].alkupiste);
    }
    EXPECT_TRUE(luettu.tarkistaTormays(26, 26));
}

TEST(Kartta, KeskenLoppuvaTietueJaaPois) {
    const std::string kaksi = tietue(1, 2, 0, 1, 0) + tietue(5, 6, 7, 1, 1);
    EXPECT_EQ(Kartta::luePalat(kaksi.substr(0, 17 + 16)).size(), 1u);
    EXPECT_EQ(Kartta::luePalat(kaksi.substr(0, 16)).size(), 0u);
    EXPECT_EQ(Kartta::luePalat(kaksi).size(), 2u);
    // A byte 0x1A is data, not the end of the file.
    EXPECT_EQ(Kartta::luePalat(tietue(26, 26, 0, 26, 26) + tietue(1, 1, 0, 1, 0)).size(), 2u);
}

TEST(Kartta, PuuttuvaTiedostoOnTyhjaKentta) {
    TestiHakemisto hakemisto;
    Kartta kartta;
    kartta.lataaKartta("ei_ole.map");
    EXPECT_TRUE(kartta.haePalat().empty());
    EXPECT_EQ(kartta.haeLeveys(), 0);
    EXPECT_EQ(kartta.haeKorkeus(), 0);
    ASSERT_NE(kartta.haeKentta(), nullptr);
    EXPECT_EQ(kartta.haeKentta()->w, 32);
    EXPECT_EQ(kartta.haeKentta()->h, 32);
    kartta.vapautaKuvat();
}

TEST(Kartta, LaajuusJaAlkupiste) {
    Kartta kartta;
    kartta.lataaTavuista(tietue(-5, -9, 0, 1, 0));
    EXPECT_EQ(kartta.haeLeveys(), 0);  // negative blocks never count
    EXPECT_EQ(kartta.haeKorkeus(), 0);
    EXPECT_EQ(kartta.haeAlkuP_X(), 0);
    kartta.lataaTavuista(tietue(4, 30, 0, 1, 1) + tietue(83, 2, 0, 1, 1));
    // Without poistaKaikkiPalikkat the second load adds to the first.
    EXPECT_EQ(kartta.haePalat().size(), 3u);
    EXPECT_EQ(kartta.haeLeveys(), 83);
    EXPECT_EQ(kartta.haeKorkeus(), 30);
    EXPECT_EQ(kartta.haeKentta()->w, 84 * 32);
    EXPECT_EQ(kartta.haeKentta()->h, 31 * 32);
    EXPECT_EQ(kartta.haeAlkuP_X(), 4);  // the first start block wins
    EXPECT_EQ(kartta.haeAlkuP_Y(), 30);
    kartta.poistaKaikkiPalikkat();
    EXPECT_TRUE(kartta.haePalat().empty());
    EXPECT_FALSE(kartta.tarkistaTormays(4, 30));
    kartta.vapautaKuvat();
}

TEST(Kartta, NelionPalatJaTyypit) {
    Kartta kartta;
    kartta.luoNelio(5, 7, 0, 0);
    const auto& p = kartta.haePalat();
    ASSERT_EQ(p.size(), 9u);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(p[i].x, 5 + i % 3);
        EXPECT_EQ(p[i].y, 7 + i / 3);
        EXPECT_EQ(p[i].tyyppi, i);
        EXPECT_EQ(p[i].lippu, 1);
        EXPECT_EQ(p[i].alkupiste, 0);
    }
    Kartta pieni;
    pieni.luoNelio(2, 3, -1, -1);
    ASSERT_EQ(pieni.haePalat().size(), 4u);
    const int tyypit[] = {0, 2, 6, 8};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(pieni.haePalat()[i].tyyppi, tyypit[i]);
    Kartta levea;
    levea.luoNelio(0, 0, 3, -5);  // 6 columns, no middle rows
    EXPECT_EQ(levea.haePalat().size(), 12u);
    EXPECT_EQ(levea.haePalat()[11].tyyppi, 8);
    EXPECT_EQ(levea.haePalat()[7].tyyppi, 7);
}

TEST(Kartta, VieritysRajataanKenttaan) {
    Kartta kartta = kartanKoko(83, 30);
    kartta.vier(2000, 500);
    kartta.rajoita_Vier();
    EXPECT_EQ(kartta.haeVier_X(), 1664);
    EXPECT_EQ(kartta.haeVier_Y(), 224);
    kartta.vier(-40, -1);
    kartta.rajoita_Vier();
    EXPECT_EQ(kartta.haeVier_X(), 0);
    EXPECT_EQ(kartta.haeVier_Y(), 0);
    kartta.vier(700, 100);
    kartta.rajoita_Vier();
    EXPECT_EQ(kartta.haeVier_X(), 700);
    EXPECT_EQ(kartta.haeVier_Y(), 100);

    Kartta kapea = kartanKoko(19, 30);  // 640 pixels wide
    kapea.vier(10, 0);
    kapea.rajoita_Vier();
    EXPECT_EQ(kapea.haeVier_X(), -384);
    kapea.vier(-10, 0);
    kapea.rajoita_Vier();
    EXPECT_EQ(kapea.haeVier_X(), 0);
}

TEST(Kartta, TormaysVainTasmalleenSamassaRuudussa) {
    Kartta kartta;
    EXPECT_FALSE(kartta.tarkistaTormays(0, 0));
    EXPECT_FALSE(kartta.tarkistaTormays(-1, INT_MIN));
    kartta.lataaTavuista(tietue(3, 28, 4, 1, 0) + tietue(-2, -3, 99, 0, 0));
    EXPECT_TRUE(kartta.tarkistaTormays(3, 28));
    EXPECT_FALSE(kartta.tarkistaTormays(3, 27));
    EXPECT_FALSE(kartta.tarkistaTormays(4, 28));
    EXPECT_TRUE(kartta.tarkistaTormays(-2, -3));
}

// A level too large for a picture keeps none; drawing then clears the screen
// (nothing of the previous frame stays) and collisions still work.
TEST(Kartta, MahdotonLaajuusEiVaraaKuvaa) {
    Kartta kartta;
    kartta.lataaTavuista(tietue(100000000, 5, 0, 1, 0) + tietue(INT_MAX, INT_MAX, -1, 0, 0));
    EXPECT_EQ(kartta.haeKentta(), nullptr);
    EXPECT_TRUE(kartta.tarkistaTormays(100000000, 5));
    SDL_Surface* ruutu = luoPinta(1024, 768);
    kartta.piirraKentta();
    kartta.vier(INT_MAX, INT_MIN);
    kartta.rajoita_Vier();
    SDL_FillRect(ruutu, nullptr, SDL_MapRGBA(ruutu->format, 9, 9, 9, 255));  // an earlier frame
    kartta.piirraKartta(ruutu);
    EXPECT_EQ(pikseli(ruutu, 512, 384), 0u) << "the previous frame stayed on the screen";
    EXPECT_EQ(kartta.haeVier_Y(), 0);
    EXPECT_EQ(kartta.haeVier_X(), INT_MAX);  // the level is wider than any int scroll
    Kartta korkea;
    korkea.lataaTavuista(tietue(0, 300, 0, 1, 0));  // 9 632 pixels high
    EXPECT_EQ(korkea.haeKentta(), nullptr);
    vapautaPinta(ruutu);
}

// A copy shares the picture and frees nothing; a new level replaces (and
// frees) only the picture its own map made.
TEST(Kartta, KopioJakaaKuvanEikaVapautaSita) {
    Kartta kartta;
    kartta.lataaTavuista(tietue(5, 5, 0, 1, 0));
    SDL_Surface* kuva = kartta.haeKentta();
    {
        Kartta kopio = kartta;
        EXPECT_EQ(kopio.haeKentta(), kuva);
        kopio.vapautaKuvat();  // not its own: nothing happens
        Kartta toinen;
        toinen = kopio;
        toinen.luoNelio(0, 0, 0, 0);
        EXPECT_EQ(kartta.haePalat().size(), 1u);
        EXPECT_FALSE(kartta.tarkistaTormays(0, 0));
        // Changing the original leaves the copies' blocks as they were.
        Kartta kolmas = kartta;
        kartta.luoNelio(9, 9, -1, -1);
        EXPECT_EQ(kolmas.haePalat().size(), 1u);
        EXPECT_FALSE(kolmas.tarkistaTormays(9, 9));
        kartta.poistaKaikkiPalikkat();
        EXPECT_TRUE(kolmas.tarkistaTormays(5, 5));
        EXPECT_FALSE(kartta.tarkistaTormays(5, 5));
        EXPECT_EQ(toinen.haePalat().size(), 10u);
    }
    ASSERT_EQ(kartta.haeKentta(), kuva);
    EXPECT_EQ(kuva->w, 6 * 32);  // still alive and readable
    kartta.poistaKaikkiPalikkat();
    kartta.lataaTavuista(tietue(1, 1, 0, 1, 0));
    ASSERT_NE(kartta.haeKentta(), nullptr);
    EXPECT_EQ(kartta.haeKentta()->w, 64);
    kartta.vapautaKuvat();
    EXPECT_EQ(kartta.haeKentta(), nullptr);
}

TEST(Kartta, KentanKuvaVierityksenKohdalta) {
    Kartta kartta;
    kartta.lataaTavuista(tietue(40, 30, 0, 1, 0));
    SDL_Surface* kentta = kartta.haeKentta();
    SDL_FillRect(kentta, nullptr, SDL_MapRGBA(kentta->format, 200, 0, 0, 255));
    SDL_Rect piste{100, 200, 1, 1};
    SDL_FillRect(kentta, &piste, SDL_MapRGBA(kentta->format, 0, 200, 0, 255));
    SDL_Surface* ruutu = luoPinta(1024, 768);
    kartta.vier(100, 200);
    kartta.piirraKartta(ruutu);
    EXPECT_EQ(pikseli(ruutu, 0, 0), 200u << 8);
    EXPECT_EQ(pikseli(ruutu, 1, 0), 200u << 16);
    // A level smaller than the screen leaves the rest of it black.
    Kartta pieni;
    pieni.lataaTavuista(tietue(1, 1, 0, 1, 0));
    SDL_FillRect(pieni.haeKentta(), nullptr, SDL_MapRGBA(kentta->format, 200, 0, 0, 255));
    pieni.piirraKartta(ruutu);
    EXPECT_EQ(pikseli(ruutu, 10, 10), 200u << 16);
    EXPECT_EQ(pikseli(ruutu, 500, 500), 0u) << "the previous frame stayed outside the level";
    pieni.vapautaKuvat();
    vapautaPinta(ruutu);
    kartta.vapautaKuvat();
}

// Blocks of no known type are skipped when painting; the others draw their image.
TEST(Kartta, TuntematonTyyppiJaaPiirtamatta) {
    TestiHakemisto hakemisto;
    Kartta pohja;
    pohja.lataaKuvat();
    Kartta tuntematon = pohja;
    Kartta tunnettu = pohja;
    pohja.lataaTavuista(tietue(2, 2, 0, 1, 0));
    tuntematon.lataaTavuista(tietue(2, 2, 0, 1, 0) + tietue(0, 0, 99, 1, 0) +
                             tietue(1, 0, -1, 1, 0) + tietue(-3000, 0, 4, 1, 0));
    tunnettu.lataaTavuista(tietue(2, 2, 0, 1, 0) + tietue(0, 0, 4, 1, 0));
    for (Kartta* k : {&pohja, &tuntematon, &tunnettu}) k->piirraKentta();
    for (int xy : {5, 16, 40}) {
        EXPECT_EQ(pikseli(tuntematon.haeKentta(), xy, xy % 32),
                  pikseli(pohja.haeKentta(), xy, xy % 32));
    }
    EXPECT_NE(pikseli(tunnettu.haeKentta(), 16, 16), pikseli(pohja.haeKentta(), 16, 16));
    for (Kartta* k : {&tuntematon, &tunnettu, &pohja}) k->vapautaKuvat();
}
