// A whole game played headless: main menu, intro, all six levels by the
// route finder's replays, the ending and the name entry, then a second run
// that shows the new entry beside the main menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hiscores.h"
#include "kehys.h"
#include "ohjelma.h"
#include "reitti.h"
#include "testiapu.h"

using kehys::paina;
using kehys::suljeIkkuna;

namespace {

// Every level's inputs, in play order (level 6 first).
std::vector<Syote> kaikkiSyotteet() {
    std::vector<Syote> kaikki;
    for (int kentta = 6; kentta >= 1; --kentta) {
        auto r = reitti::lataa(reitti::tiedostonimi(kentta));
        EXPECT_TRUE(r.has_value()) << "no replay for level " << kentta;
        if (r) kaikki.insert(kaikki.end(), r->syotteet.begin(), r->syotteet.end());
    }
    return kaikki;
}

// The high-score rows of the main menu, as pixels.
std::string ennatysrivit() {
    SDL_Surface* r = SDL_GetVideoSurface();
    const int ylin = 300, alin = 330;
    return std::string(static_cast<char*>(r->pixels) + ylin * r->pitch,
                       static_cast<size_t>((alin - ylin) * r->pitch));
}

struct Tulos {
    int tila = -1;
    long pelikehyksia = 0;
    long loppukehyksia = 0;
    std::string valikonRivit;
};

Tulos pelaaKokoPeli(const std::vector<Syote>& syotteet) {
    Tulos tulos;
    kehys::asetaTestikoukku([&](Nakyma n, long) {
        switch (n) {
            case Nakyma::Valikko:
                tulos.valikonRivit = ennatysrivit();
                paina(SDLK_RETURN);
                break;
            case Nakyma::Alkudemo:
                for (int i = 0; i < 14; ++i) paina(SDLK_SPACE);
                reitti::asetaNapit(syotteet.at(0));
                break;
            case Nakyma::Peli:
                ++tulos.pelikehyksia;
                if (tulos.pelikehyksia < static_cast<long>(syotteet.size()))
                    reitti::asetaNapit(syotteet[tulos.pelikehyksia]);
                else
                    paina(SDLK_ESCAPE);  // the routes ran out without finishing the game
                break;
            case Nakyma::Loppudemo:
                reitti::asetaNapit({});
                for (int i = 0; i < 6; ++i) paina(SDLK_SPACE);
                break;
            case Nakyma::Nimi:
                if (++tulos.loppukehyksia > 1) break;
                for (char c : std::string("Testi")) paina(static_cast<SDLKey>(c | 0x20), c);
                paina(SDLK_RETURN);
                break;
            case Nakyma::Lataus:
                break;
        }
    });
    tulos.tila = SDL_main(0, nullptr);
    kehys::asetaTestikoukku({});
    return tulos;
}

Tulos naytaValikkoJaLopeta() {
    Tulos tulos;
    kehys::asetaTestikoukku([&](Nakyma n, long) {
        if (n != Nakyma::Valikko) return;
        tulos.valikonRivit = ennatysrivit();
        paina(SDLK_ESCAPE);
    });
    tulos.tila = SDL_main(0, nullptr);
    kehys::asetaTestikoukku({});
    return tulos;
}

}  // namespace

TEST(KokoPeli, ReplaytPelaavatPelinLapiJaTulosTallentuu) {
    TestiHakemisto hakemisto;
    const std::vector<Syote> syotteet = kaikkiSyotteet();
    ASSERT_FALSE(syotteet.empty());

    Tulos peli = pelaaKokoPeli(syotteet);
    EXPECT_EQ(peli.tila, 0);
    // The frame that completes the last level is not drawn.
    EXPECT_EQ(peli.pelikehyksia, static_cast<long>(syotteet.size()) - 1);
    EXPECT_EQ(peli.loppukehyksia, 2) << "the name entry draws the pass that stores the name";

    std::vector<score> tulokset = hiscore().haeTulokset();
    ASSERT_EQ(tulokset.size(), 1u);
    EXPECT_EQ(tulokset[0].nimi, "Testi");
    // Six levels played without waiting take a few seconds of real time at
    // most: the total is that time in hundredths.
    EXPECT_GE(tulokset[0].tulos, 0);
    EXPECT_LT(tulokset[0].tulos, 60 * 100);

    Tulos toinen = naytaValikkoJaLopeta();
    EXPECT_EQ(toinen.tila, 0);
    EXPECT_NE(toinen.valikonRivit, peli.valikonRivit)
        << "the stored entry should show in the high-score list";
}
