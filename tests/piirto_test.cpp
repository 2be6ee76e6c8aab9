#include "piirto.h"

#include <gtest/gtest.h>

#include "testiapu.h"

namespace {

class Piirto : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(TTF_Init(), 0);
        fontti = LoadFont((projektinJuuri() + "/media/fonts/normaali.ttf").c_str(), 22);
        ASSERT_NE(fontti, nullptr);
    }
    void TearDown() override {
        TTF_CloseFont(fontti);
        TTF_Quit();
    }
    TTF_Font* fontti = nullptr;
};

Uint32 pikseli(SDL_Surface* s, int x, int y) {
    return static_cast<Uint32*>(s->pixels)[y * s->pitch / 4 + x];
}

}  // namespace

TEST_F(Piirto, RivinvaihtoLopussaEiPiirraLaatikkoa) {
    SDL_Surface* ilman = nullptr;
    SDL_Surface* kanssa = nullptr;
    blitText(fontti, &ilman, vari::musta, vari::tausta, "1:5.7", blended);
    blitText(fontti, &kanssa, vari::musta, vari::tausta, "1:5.7\n", blended);
    ASSERT_NE(ilman, nullptr);
    ASSERT_NE(kanssa, nullptr);
    EXPECT_EQ(kanssa->w, ilman->w);
    SDL_FreeSurface(ilman);
    SDL_FreeSurface(kanssa);
}

TEST_F(Piirto, TuntematonLaatuJattaaPaikanJaTyhjaTekstiAntaaTyhjan) {
    Pinta omistaja = luoPinta(4, 4);
    SDL_Surface* vanha = omistaja.get();
    SDL_Surface* paikka = vanha;
    blitText(fontti, &paikka, vari::musta, vari::tausta, "x", static_cast<textquality>(3));
    EXPECT_EQ(paikka, vanha);
    blitText(fontti, &paikka, vari::musta, vari::tausta, "", blended);
    EXPECT_EQ(paikka, nullptr);
    paikka = vanha;
    blitText(nullptr, &paikka, vari::musta, vari::tausta, "x", blended);
    EXPECT_EQ(paikka, nullptr) << "a font that failed to open renders nothing";
}

TEST_F(Piirto, SuomalaisetKirjaimetOvatKirjaimia) {
    // UTF-8 "ä" is one glyph: as wide as the Latin-1 rendering of that letter,
    // narrower than the two bytes taken as two Latin-1 characters.
    int utf8 = 0, latin1 = 0, korkeus = 0;
    TTF_SizeUTF8(fontti, "\xc3\xa4", &utf8, &korkeus);
    TTF_SizeText(fontti, "\xc3\xa4", &latin1, &korkeus);
    SDL_Surface* s = nullptr;
    blitText(fontti, &s, vari::musta, vari::tausta, "\xc3\xa4", blended);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->w, utf8);
    EXPECT_LT(s->w, latin1);
    SDL_FreeSurface(s);
}

TEST(PiirraKuva, NegatiivinenYLeikkautuuYlareunaan) {
    Pinta kohdePinta = luoPinta(8, 8), kuvaPinta = luoPinta(2, 4);
    SDL_Surface* kohde = kohdePinta.get();
    SDL_Surface* kuva = kuvaPinta.get();
    SDL_FillRect(kuva, nullptr, 0xFF0000FF);  // opaque red in the RGBA layout
    SDL_SetAlpha(kuva, 0, 255);               // copy, do not blend
    PiirraKuva(kuva, kohde, 3, -2);
    EXPECT_EQ(pikseli(kohde, 3, 0), 0xFF0000FFu);
    EXPECT_EQ(pikseli(kohde, 4, 1), 0xFF0000FFu);
    EXPECT_EQ(pikseli(kohde, 3, 2), 0u) << "only the two visible rows are drawn";
    PiirraKuva(nullptr, kohde, 0, 0);  // a missing image draws nothing
    PiirraKuva(kuva, nullptr, 0, 0);
}
