// Feeds arbitrary bytes to the sound decoders and plays what comes out: no
// input may crash them, hang them, leak or read outside their buffers. The
// stream is looped for a second of sound, so its repeat logic runs too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "aani.h"
#include "mp3purku.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static AaniJarjestelma* jarjestelma = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        auto* uusi = new AaniJarjestelma;
        uusi->alusta(8);
        return uusi;
    }();
    const std::string_view tavut(reinterpret_cast<const char*>(data), size);
    AaniKahva aani = jarjestelma->luoAaniTavuista(tavut, "sumea");
    Kanava kanava = jarjestelma->soita(aani.get());
    jarjestelma->asetaVoimakkuus(kanava, 0.5f);
    if (auto virta = Mp3Virta::avaa(std::string(tavut))) {
        virta->alusta(-1);
        std::vector<int16_t> sekunti(2 * 44100);
        virta->tayta(sekunti.data(), 44100, 100);
    }
    return 0;
}
