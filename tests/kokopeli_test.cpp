// A whole game played headless: main menu, intro, all six levels by the
// route finder's replays, the ending and the name entry, then a second run
// that shows the new entry beside the main menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hiscores.h"
#include "kehys.h"
#include "kokopeliapu.h"
#include "ohjelma.h"
#include "testiapu.h"

using kehys::paina;

namespace {

// Starts the program and leaves it from the main menu.
KokoPelinAjo naytaValikkoJaLopeta() {
    KokoPelinAjo tulos;
    kehys::asetaTestikoukku([&](Nakyma n, long) {
        if (n != Nakyma::Valikko) return;
        tulos.valikkokuva = ruudunPikselit();
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

    const KokoPelinAjo peli = pelaaKokoPeli(syotteet);
    EXPECT_EQ(peli.tila, 0);
    // The frame that completes the last level is not drawn.
    EXPECT_EQ(peli.pelikehyksia, static_cast<long>(syotteet.size()) - 1);
    EXPECT_EQ(peli.nimikehyksia, 2) << "the name entry draws the pass that stores the name";

    std::vector<score> tulokset = hiscore().haeTulokset();
    ASSERT_EQ(tulokset.size(), 1u);
    EXPECT_EQ(tulokset[0].nimi, "Testi");
    // Six levels played without waiting take a few seconds of real time at
    // most: the total is that time in hundredths.
    EXPECT_GE(tulokset[0].tulos, 0);
    EXPECT_LT(tulokset[0].tulos, 60 * 100);

    const KokoPelinAjo toinen = naytaValikkoJaLopeta();
    EXPECT_EQ(toinen.tila, 0);
    EXPECT_NE(toinen.valikkokuva, peli.valikkokuva)
        << "the stored entry should show in the high-score list";
}
