// The cost of one game frame on the largest level against the floor any
// frame pays: one bare 1024x768x32 blit plus the flip, in the same run.
// The game frame is the real Peli loop (event, scroll, physics step, goal
// and fall tests, level picture, hero, time text, flip), driven through the
// frame hook with pacing off and the dummy video driver.

#include <SDL.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "kehys.h"
#include "peli.h"
#include "piirto.h"
#include "reitti.h"
#include "syote.h"

using kehys::paina;
using kehys::suljeIkkuna;

namespace {

constexpr int LEVEYS = 1024;
constexpr int KORKEUS = 768;
constexpr int SYVYYS = 32;
// The shipped level with the most blocks (levels are played 6 down to 1).
constexpr int SUURIN_KENTTA = 4;
constexpr int ENSIMMAINEN_KENTTA = 6;

struct Ymparisto {
    Ymparisto() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        // The game reads its data by relative paths.
        if (chdir(HIEKKATORNI_JUURI) != 0) std::abort();
        SDL_Init(SDL_INIT_VIDEO);
        TTF_Init();
        ruutu = SDL_SetVideoMode(LEVEYS, KORKEUS, SYVYYS, SDL_HWSURFACE | SDL_DOUBLEBUF);
        if (!ruutu) std::abort();
    }
    SDL_Surface* ruutu = nullptr;
};

Ymparisto& ymparisto() {
    static Ymparisto y;
    return y;
}

// The replayed keys of one level; the goal frame is dropped so the hero
// stays on the level.
std::vector<Syote> kentanSyotteet(int kentta, bool maaliMukaan) {
    auto r = reitti::lataa(reitti::tiedostonimi(kentta));
    if (!r) return {};
    std::vector<Syote> syotteet = r->syotteet;
    if (!maaliMukaan && syotteet.size() > 1) syotteet.resize(syotteet.size() - 2);
    return syotteet;
}

// The floor: one opaque screen-format picture blitted over the whole
// screen, then the flip.
void BM_PaljasBlittiJaFlip(benchmark::State& state) {
    SDL_Surface* ruutu = ymparisto().ruutu;
    SDL_Surface* kuva = SDL_CreateRGBSurface(SDL_SWSURFACE, LEVEYS, KORKEUS, SYVYYS, 0x00FF0000,
                                             0x0000FF00, 0x000000FF, 0);
    SDL_Surface* naytolle = SDL_DisplayFormat(kuva);
    SDL_FillRect(naytolle, nullptr, SDL_MapRGB(naytolle->format, 200, 170, 120));
    for (auto _ : state) {
        SDL_BlitSurface(naytolle, nullptr, ruutu, nullptr);
        SDL_Flip(ruutu);
    }
    SDL_FreeSurface(naytolle);
    SDL_FreeSurface(kuva);
}
BENCHMARK(BM_PaljasBlittiJaFlip);

// Runs the real game: the intro is skipped, the levels before the largest
// are played by their replays, and every frame of the largest level is one
// iteration. The hero follows that level's replay and then stands still.
void BM_Pelikehys(benchmark::State& state) {
    SDL_Surface* ruutu = ymparisto().ruutu;
    std::vector<Syote> syotteet;
    for (int k = ENSIMMAINEN_KENTTA; k > SUURIN_KENTTA; --k) {
        auto kentan = kentanSyotteet(k, true);
        syotteet.insert(syotteet.end(), kentan.begin(), kentan.end());
    }
    const size_t mittausAlkaa = syotteet.size();
    auto suurimman = kentanSyotteet(SUURIN_KENTTA, false);
    syotteet.insert(syotteet.end(), suurimman.begin(), suurimman.end());

    Peli peli;
    peli.lataa(nullptr);
    size_t kehys = 0;
    bool introOhi = false, valmis = false;
    // Game frame n + 1 plays input n of the replays, then the hero stands.
    syote::asetaLahde([&] { return kehys < syotteet.size() ? syotteet[kehys] : Syote{}; });
    kehys::asetaTestikoukku([&](Nakyma n, long) {
        if (n == Nakyma::Alkudemo && !introOhi) {
            introOhi = true;
            paina(SDLK_ESCAPE);
        }
        if (n != Nakyma::Peli || valmis) return;
        ++kehys;
        if (kehys >= mittausAlkaa && !state.KeepRunning()) {
            valmis = true;
            paina(SDLK_ESCAPE);
        }
    });
    peli.peliin(ruutu, nullptr, false);
    kehys::asetaTestikoukku({});
    syote::asetaLahde({});
    if (peli.haeKenttiaJaljella() != SUURIN_KENTTA)
        state.SkipWithError("the replays did not reach the largest level");
}
BENCHMARK(BM_Pelikehys);

}  // namespace

BENCHMARK_MAIN();
