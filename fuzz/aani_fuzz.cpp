// Feeds arbitrary bytes to the sound layer as a sound file, through the
// game's own file reading and its 32 MiB cap, and plays what the decoder
// makes of it: no input may crash it, leak or read outside its buffers, and
// a file over the cap gives no sound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "aani.h"
#include "tiedosto.h"
#include "tiedostona.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static AaniJarjestelma* jarjestelma = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        auto* uusi = new AaniJarjestelma;
        uusi->alusta(8);
        return uusi;
    }();
    const sumea::Tiedosto tiedosto = sumea::tiedostoksi(data, size, tiedosto::AANEN_ENINTAAN);
    Aani* aani = jarjestelma->luoAani(tiedosto.polku);
    if (tiedosto.yliRajan && aani) std::abort();
    Kanava kanava = jarjestelma->soita(aani);
    jarjestelma->asetaVoimakkuus(kanava, 0.5f);
    jarjestelma->vapauta(aani);
    return 0;
}
