// A whole game played headless: main menu, intro, all six levels by the
// route finder's replays, the ending and the name entry, then a second run
// that shows the new entry beside the main menu.
#include "kokopeli.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aika.h"
#include "hiscores.h"
#include "kehys.h"
#include "ohjelma.h"
#include "testiapu.h"

using kehys::paina;

namespace {

// Level clocks that run by frames: 20 ms a frame, two hundredths.
constexpr uint32_t MS_KEHYKSESSA = 20;
uint32_t kehyskello() { return static_cast<uint32_t>(kehys::kehyksia()) * MS_KEHYKSESSA; }

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

    aika::asetaYhteinenKellolahde(&kehyskello);
    const KokoPelinAjo peli = pelaaKokoPeli(syotteet);
    aika::asetaYhteinenKellolahde(nullptr);
    EXPECT_EQ(peli.tila, 0);
    // The frame that completes the last level is not drawn.
    EXPECT_EQ(peli.pelikehyksia, static_cast<long>(syotteet.size()) - 1);
    EXPECT_EQ(peli.nimikehyksia, 2) << "the name entry draws the pass that stores the name";

    std::vector<score> tulokset = hiscore().haeTulokset();
    ASSERT_EQ(tulokset.size(), 1u);
    EXPECT_EQ(tulokset[0].nimi, "Testi");
    // Each later level's clock ran from its load at the previous goal to its
    // own goal frame, as many frames as its replay has; the first level's
    // from the end of the intro, so the intro's frame is not counted: the
    // total is one frame less than the replays hold, in hundredths.
    EXPECT_EQ(tulokset[0].tulos, static_cast<int32_t>((syotteet.size() - 1) * MS_KEHYKSESSA / 10));

    const KokoPelinAjo toinen = naytaValikkoJaLopeta();
    EXPECT_EQ(toinen.tila, 0);
    EXPECT_NE(toinen.valikkokuva, peli.valikkokuva)
        << "the stored entry should show in the high-score list";
}
