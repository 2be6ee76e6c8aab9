// Feeds arbitrary bytes to the sound layer as a sound file, through the
// game's own file reading and its 32 MiB cap, plays what the decoder makes of
// it, and streams the same bytes as a looping tune for a second of sound: no
// input may crash them, hang them, leak or read outside their buffers, and a
// file over the cap gives no sound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "aani.h"
#include "mp3purku.h"
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
    AaniKahva aani = jarjestelma->luoAani(tiedosto.polku);
    if (tiedosto.yliRajan) {
        if (aani) std::abort();
        return 0;
    }
    Kanava kanava = jarjestelma->soita(aani.get());
    jarjestelma->asetaVoimakkuus(kanava, 0.5f);
    if (auto virta = Mp3Virta::avaa(std::string(reinterpret_cast<const char*>(data), size))) {
        virta->alusta(-1);
        std::vector<int16_t> sekunti(2 * 44100);
        virta->tayta(sekunti.data(), 44100, 100);
    }
    return 0;
}
