#include "kehys.h"

#include <gtest/gtest.h>

#include <vector>

// With a test hook installed the helper never waits: it hands every frame to
// the hook, numbered from 1, together with the loop that drew it.
TEST(Kehys, TestikoukkuSaaJokaisenKehyksenJarjestyksessa) {
    std::vector<std::pair<Nakyma, long>> nahdyt;
    kehys::asetaTestikoukku([&](Nakyma n, long k) { nahdyt.emplace_back(n, k); });
    for (int i = 0; i < 120; ++i) vaihdaKehys(nullptr, i < 100 ? Nakyma::Peli : Nakyma::Nimi);
    ASSERT_EQ(nahdyt.size(), 120u);
    EXPECT_EQ(nahdyt.front(), std::make_pair(Nakyma::Peli, 1L));
    EXPECT_EQ(nahdyt.back(), std::make_pair(Nakyma::Nimi, 120L));
    EXPECT_EQ(kehys::kehyksia(), 120);
    kehys::asetaTestikoukku({});
}

// Paced by a clock of the test's own: every frame waits for its own 1/60 s
// tick counted from the schedule's start, so a second of schedule time holds
// exactly 60 frames and the 16.67 ms never drift. A loop that fell far
// behind starts a new schedule instead of racing to catch up.
TEST(Kehys, TahdistusKuusikymmentaKehystaSekunnissa) {
    Uint32 nyt = 5000;
    std::vector<Uint32> kehystenAjat;
    kehys::asetaTestikoukku({});
    kehys::asetaKello([&] { return nyt; }, [&](Uint32 ms) { nyt += ms; });
    kehys::asetaTarkkailija([&](Nakyma, long) { kehystenAjat.push_back(nyt); });
    for (int i = 0; i < 121; ++i) vaihdaKehys(nullptr, Nakyma::Valikko);
    ASSERT_EQ(kehystenAjat.size(), 121u);
    // Frame 1 starts the schedule; frame 1 + k is shown at k * 1000 / 60 ms.
    for (int k = 0; k <= 120; ++k)
        EXPECT_EQ(kehystenAjat[k], 5000u + static_cast<Uint32>(k * 1000 / 60)) << "frame " << k + 1;
    EXPECT_EQ(kehystenAjat[60] - kehystenAjat[0], 1000u) << "60 frames to a second";

    nyt += 400;  // a stall: loading, a busy machine
    const Uint32 pysahdys = nyt;
    vaihdaKehys(nullptr, Nakyma::Valikko);
    vaihdaKehys(nullptr, Nakyma::Valikko);
    EXPECT_EQ(nyt, pysahdys + 16) << "after a stall the next frame waits a whole frame";
    kehys::asetaTarkkailija({});
    kehys::asetaKello({}, {});
}

// The ignored event types never reach the queue, so a flood of mouse motion
// cannot stand in front of a key press. (Warping the mouse makes the video
// driver report a real motion event.)
TEST(Kehys, RajatutTapahtumatEivatJonoudu) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    ASSERT_NE(SDL_SetVideoMode(64, 64, 32, SDL_SWSURFACE), nullptr);
    SDL_Event e{};
    while (SDL_PollEvent(&e)) {
    }
    SDL_WarpMouse(10, 10);
    ASSERT_EQ(SDL_PollEvent(&e), 1) << "the driver should report the warp as motion";
    EXPECT_EQ(e.type, SDL_MOUSEMOTION);

    rajaaTapahtumat();
    for (Uint16 i = 0; i < 50; ++i) SDL_WarpMouse(i, i);
    SDL_Event painallus{};
    painallus.type = SDL_KEYDOWN;
    painallus.key.keysym.sym = SDLK_ESCAPE;
    SDL_PushEvent(&painallus);
    ASSERT_EQ(SDL_PollEvent(&e), 1);
    EXPECT_EQ(e.type, SDL_KEYDOWN);
    EXPECT_EQ(e.key.keysym.sym, SDLK_ESCAPE);
    SDL_Quit();
}
