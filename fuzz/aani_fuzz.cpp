// Feeds arbitrary bytes to the sound decoder and plays what comes out: no
// input may crash it, leak or read outside its buffers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "aani.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static AaniJarjestelma* jarjestelma = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        auto* uusi = new AaniJarjestelma;
        uusi->alusta(8);
        return uusi;
    }();
    Aani* aani = jarjestelma->luoAaniTavuista(
        std::string_view(reinterpret_cast<const char*>(data), size), "sumea");
    Kanava kanava = jarjestelma->soita(aani);
    jarjestelma->asetaVoimakkuus(kanava, 0.5f);
    jarjestelma->vapauta(aani);
    return 0;
}
