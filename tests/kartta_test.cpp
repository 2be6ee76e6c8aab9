#include "kartta.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <vector>

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
    Pinta ruutuPinta = luoPinta(1024, 768);
    SDL_Surface* ruutu = ruutuPinta.get();
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
}

// A copy shares the picture; letting go of it in the copy leaves it with the
// original, and a new level replaces the original's picture.
TEST(Kartta, KopioJakaaKuvanEikaVapautaSita) {
    Kartta kartta;
    kartta.lataaTavuista(tietue(5, 5, 0, 1, 0));
    SDL_Surface* kuva = kartta.haeKentta();
    {
        Kartta kopio = kartta;
        EXPECT_EQ(kopio.haeKentta(), kuva);
        kopio.vapautaKuvat();  // lets go of its own share only
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
    Pinta ruutuPinta = luoPinta(1024, 768);
    SDL_Surface* ruutu = ruutuPinta.get();
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

namespace {

// Replaces the test directory's media/ link with a directory of links to the
// shipped media, plus a goal marker of its own: an opaque red 32 x 160 block.
void kaytaOmaaMaalimerkkia() {
    namespace fs = std::filesystem;
    fs::remove("media");
    fs::create_directories("media/images");
    const fs::path juuri = fs::path(projektinJuuri()) / "media";
    for (const auto& e : fs::directory_iterator(juuri))
        if (e.path().filename() != "images")
            fs::create_symlink(e.path(), "media" / e.path().filename());
    for (const auto& e : fs::directory_iterator(juuri / "images"))
        if (e.path().filename() != "maali.png")
            fs::create_symlink(e.path(), "media/images" / e.path().filename());
    SDL_Surface* merkki =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 32, 160, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(merkki, nullptr, SDL_MapRGB(merkki->format, 255, 0, 0));
    SDL_SaveBMP(merkki, "media/images/maali.png");  // the image loader reads it by its content
    SDL_FreeSurface(merkki);
}

}  // namespace

// The goal's marker is painted with its foot on the summit surface under the
// goal tile (the top of row 17), in the goal column, and is not solid.
TEST(Kartta, MaalimerkkiSeisooHuipullaMaalisarakkeessa) {
    TestiHakemisto hakemisto;
    kaytaOmaaMaalimerkkia();
    Kartta kartta;
    kartta.lataaKuvat();
    kartta.luoNelio(76, 17, 14, 2);  // the summit, its top row 17
    kartta.lataaTavuista("");
    kartta.piirraKentta();
    SDL_Surface* kuva = kartta.haeKentta();
    ASSERT_NE(kuva, nullptr);
    const int x = 83 * 32;
    const Uint32 punainen = 0xFF0000;
    EXPECT_EQ(pikseli(kuva, x, 17 * 32 - 1), punainen) << "the foot stands on the summit";
    EXPECT_EQ(pikseli(kuva, x + 31, 17 * 32 - 160), punainen);
    EXPECT_NE(pikseli(kuva, x + 16, 17 * 32), punainen) << "the summit's block is below the foot";
    EXPECT_NE(pikseli(kuva, x + 16, 17 * 32 - 161), punainen);
    EXPECT_NE(pikseli(kuva, x - 1, 17 * 32 - 1), punainen);
    EXPECT_NE(pikseli(kuva, x + 32, 17 * 32 - 1), punainen);
    for (int rivi = 12; rivi <= 16; ++rivi) EXPECT_FALSE(kartta.tarkistaTormays(83, rivi));
    kartta.vapautaKuvat();
}

// With the screen open the level picture is painted straight in the screen's
// format (one picture at a time); it holds exactly the pixels of the picture
// painted in RGBA and converted afterwards.
TEST(Kartta, NaytonMuodossaPiirrettyKuvaOnSamaKuinMuunnettu) {
    TestiHakemisto hakemisto;
    kaytaOmaaMaalimerkkia();
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    ASSERT_NE(SDL_SetVideoMode(1024, 768, 32, SDL_HWSURFACE | SDL_DOUBLEBUF), nullptr);
    Kartta kartta;
    kartta.lataaKuvat();
    kartta.lataaKartta("levels/level1.map");
    kartta.piirraKentta();
    SDL_Surface* suora = kartta.haeKentta();
    ASSERT_NE(suora, nullptr);
    EXPECT_EQ(suora->format->Amask, 0u);

    // The same picture the long way: RGBA, painted with the same images, converted.
    Pinta tausta = lataaKuva("media/images/kentta_tausta.png");
    Pinta vertailu = luoPinta(suora->w, suora->h);
    for (int y = 0; y < vertailu->h; y += 512)
        for (int x = 0; x < vertailu->w; x += 512) PiirraKuva(tausta.get(), vertailu.get(), x, y);
    const char* nimet[] = {"alku_alku", "alku_normaali", "alku_loppu",     "alku",       "normaali",
                           "loppu",     "loppu_alku",    "loppu_normaali", "loppu_loppu"};
    std::vector<Pinta> kuvat;
    for (const char* n : nimet) kuvat.push_back(lataaKuva("media/images/palikka_"s + n + ".png"));
    for (const pala& p : kartta.haePalat())
        PiirraKuva(kuvat[p.tyyppi].get(), vertailu.get(), p.x * 32, p.y * 32);
    Pinta merkki = lataaKuva("media/images/maali.png");
    if (merkki) PiirraKuva(merkki.get(), vertailu.get(), 83 * 32, 17 * 32 - merkki->h);
    vertailu = naytonMuotoon(std::move(vertailu));
    ASSERT_EQ(vertailu->format->Rmask, suora->format->Rmask);
    size_t eroja = 0;
    for (int y = 0; y < suora->h; ++y)
        for (int x = 0; x < suora->w; ++x)
            eroja += pikseli(suora, x, y) != pikseli(vertailu.get(), x, y);
    EXPECT_EQ(eroja, 0u) << "pixels that differ between the two ways of painting";
    kartta.vapautaKuvat();
    SDL_Quit();
}

// A picture that the background does not cover is painted in RGBA and then
// takes the screen's byte order (keeping its transparency), so the blit of
// every frame needs no conversion.
TEST(Kartta, PeittamatonKuvaSaaNaytonMuodon) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    SDL_Surface* ruutu = SDL_SetVideoMode(1024, 768, 32, SDL_SWSURFACE);
    ASSERT_NE(ruutu, nullptr);
    Kartta kartta;  // no images: no background covers the picture
    kartta.lataaTavuista(tietue(40, 30, 0, 1, 0));
    ASSERT_NE(kartta.haeKentta(), nullptr);
    EXPECT_NE(kartta.haeKentta()->format->Amask, 0u) << "the blank picture is RGBA";
    kartta.piirraKentta();
    const SDL_PixelFormat* f = kartta.haeKentta()->format;
    EXPECT_EQ(f->Rmask, ruutu->format->Rmask);
    EXPECT_EQ(f->Bmask, ruutu->format->Bmask);
    kartta.vapautaKuvat();
    SDL_Quit();
}

// The collision query answers from a grid of the blocks' cells; over and
// around the blocks it agrees with a scan of the list, also after changes
// and for a map whose blocks lie too far apart for a grid.
TEST(Kartta, TormaysVastaaPalalistaa) {
    auto vertaa = [](Kartta& k, int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                bool listassa = false;
                for (const pala& p : k.haePalat()) listassa |= p.x == x && p.y == y;
                ASSERT_EQ(k.tarkistaTormays(x, y), listassa) << "cell " << x << ", " << y;
            }
    };
    Kartta kartta;
    kartta.luoNelio(2, 3, 4, -1);
    kartta.luoNelio(-4, 10, -1, 2);
    vertaa(kartta, -8, -2, 12, 18);
    kartta.lataaTavuista(tietue(20, -5, 0, 1, 0));
    vertaa(kartta, -8, -8, 24, 18);
    Kartta kaukana = kartta;
    kaukana.lataaTavuista(tietue(INT_MAX, INT_MIN, 0, 1, 0));
    vertaa(kaukana, -8, -8, 24, 18);
    EXPECT_TRUE(kaukana.tarkistaTormays(INT_MAX, INT_MIN));
    EXPECT_FALSE(kartta.tarkistaTormays(INT_MAX, INT_MIN)) << "the copy's change stays its own";
    kartta.poistaKaikkiPalikkat();
    EXPECT_FALSE(kartta.tarkistaTormays(2, 3));
    for (Kartta* k : {&kartta, &kaukana}) k->vapautaKuvat();
}

// A level change paints the new level into the memory of the old picture
// (one block for every level the tools allow), so the game never holds two
// level pictures and its footprint does not grow from level to level.
TEST(Kartta, KentanVaihtoKayttaaSamaaMuistia) {
    TestiHakemisto hakemisto;
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    ASSERT_NE(SDL_SetVideoMode(1024, 768, 32, SDL_HWSURFACE | SDL_DOUBLEBUF), nullptr);
    Kartta kartta;
    kartta.lataaKuvat();
    kartta.lataaKartta("levels/level6.map");
    kartta.piirraKentta();
    ASSERT_NE(kartta.haeKentta(), nullptr);
    void* pikselit = kartta.haeKentta()->pixels;
    for (int kentta : {2, 5, 1}) {
        kartta.poistaKaikkiPalikkat();
        kartta.lataaKartta("levels/level" + std::to_string(kentta) + ".map");
        kartta.piirraKentta();
        ASSERT_NE(kartta.haeKentta(), nullptr);
        EXPECT_EQ(kartta.haeKentta()->pixels, pikselit) << "level " << kentta;
        EXPECT_NE(kartta.haeKentta()->flags & SDL_PREALLOC, 0u)
            << "level " << kentta << " was copied after painting, two pictures at once";
        EXPECT_EQ(kartta.haeKentta()->w, (kartta.haeLeveys() + 1) * 32);
    }
    kartta.vapautaKuvat();
    EXPECT_EQ(kartta.haeKentta(), nullptr);
    SDL_Quit();
}
