// Per-frame cost of the level map and the player physics on the largest
// shipped level: one physics step with its map copies, and the map work the
// game loop does every frame.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "kartta.h"
#include "piirto.h"
#include "syote.h"
#include "ukko.h"

namespace {

std::string kentanNimi(int n) {
    return std::string(HIEKKATORNI_JUURI) + "/levels/level" + std::to_string(n) + ".map";
}

// The file of the shipped level with the most blocks.
const std::string& suurinKentta() {
    static const std::string nimi = [] {
        size_t suurin = 0;
        int numero = 1;
        for (int n = 1; n <= 6; ++n) {
            Kartta k;
            k.lataaKartta(kentanNimi(n));
            if (k.haePalat().size() > suurin) suurin = k.haePalat().size(), numero = n;
            k.vapautaKuvat();
        }
        return kentanNimi(numero);
    }();
    return nimi;
}

struct Ymparisto {
    Ymparisto() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        SDL_Init(SDL_INIT_VIDEO);
        ruutu = SDL_SetVideoMode(1024, 768, 32, SDL_HWSURFACE | SDL_DOUBLEBUF);
    }
    SDL_Surface* ruutu = nullptr;
};

Ymparisto& ymparisto() {
    static Ymparisto y;
    return y;
}

// One physics step: walking right and jumping along the level, through
// ajattele with its copies of the map.
void BM_Fysiikkaaskel(benchmark::State& state) {
    ymparisto();
    Kartta kartta;
    kartta.lataaKartta(suurinKentta());
    Ukko ukko;
    Syote oikealle;
    oikealle.oikea = true;
    long kehys = 0;
    for (auto _ : state) {
        oikealle.hyppy = (kehys++ % 60) == 0;
        ukko.ajattele(kartta, oikealle, nullptr, false);
        if (ukko.haeX() > 2600 || ukko.haeY() > 1200) ukko.asetaTila({96, 955, 1.0f, true, true});
    }
    kartta.vapautaKuvat();
    state.counters["palat"] = static_cast<double>(kartta.haePalat().size());
}
BENCHMARK(BM_Fysiikkaaskel);

// The map's share of a frame: the fall test's haeKorkeus, the scroll and
// the copy of the visible window to a 1024x768 screen.
void BM_KartanKehys(benchmark::State& state) {
    SDL_Surface* ruutu = ymparisto().ruutu;
    Kartta kartta;
    kartta.lataaKuvat();
    kartta.lataaKartta(suurinKentta());
    kartta.piirraKentta();
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kartta.haeKorkeus());
        x = (x + 5) % 2600;
        kartta.vier(x - 512, 955 - 382);
        kartta.rajoita_Vier();
        kartta.piirraKartta(ruutu);
    }
    kartta.vapautaKuvat();
}
BENCHMARK(BM_KartanKehys);

// Painting a whole level picture once, as every level change does.
void BM_KentanMaalaus(benchmark::State& state) {
    ymparisto();
    Kartta kartta;
    kartta.lataaKuvat();
    for (auto _ : state) {
        // A level change: a fresh picture, painted once.
        kartta.poistaKaikkiPalikkat();
        kartta.lataaKartta(suurinKentta());
        kartta.piirraKentta();
    }
    kartta.vapautaKuvat();
}
BENCHMARK(BM_KentanMaalaus);

}  // namespace

BENCHMARK_MAIN();
