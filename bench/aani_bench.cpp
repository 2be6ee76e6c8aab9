// Cost of decoding the game's sounds: the two music pieces are decoded whole
// at start-up, so their time adds directly to the loading frame.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "aani.h"
#include "tiedosto.h"

namespace {

void puraTiedosto(benchmark::State& tila, const char* suhteellinen) {
    auto tavut = tiedosto::lue(std::string(HIEKKATORNI_JUURI) + "/" + suhteellinen,
                               tiedosto::AANEN_ENINTAAN);
    AaniJarjestelma jarjestelma;
    jarjestelma.alusta(100);
    if (!tavut || !jarjestelma.onkoAuki()) {
        tila.SkipWithError("no sound file or no audio device");
        return;
    }
    double kesto = 0.0;
    for (auto _ : tila) {
        AaniKahva aani = jarjestelma.luoAaniTavuista(*tavut, suhteellinen);
        kesto = jarjestelma.haeKesto(aani.get());
    }
    tila.counters["aanen_kesto_s"] = kesto;
    tila.SetBytesProcessed(static_cast<int64_t>(tila.iterations() * tavut->size()));
}

void Musiikki(benchmark::State& tila) { puraTiedosto(tila, "media/music/valikko.mp3"); }
void Hyppyaani(benchmark::State& tila) { puraTiedosto(tila, "media/sounds/aani1.mp3"); }

BENCHMARK(Musiikki)->Unit(benchmark::kMillisecond);
BENCHMARK(Hyppyaani)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
