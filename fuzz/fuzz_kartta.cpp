// Feeds arbitrary bytes to the level reader as a level file, through the
// game's own file reading and its 16 MiB cap, then does what the game does
// with a loaded level: paints its picture with the block images, scrolls to
// its middle and draws it on a screen, asks for collisions, and
// writes the blocks back. A file over the cap must give no blocks.

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "kartta.h"
#include "tiedosto.h"
#include "tiedostona.h"

namespace {

int pikseleina(int ruutuja) {
    const int64_t pikseleita = int64_t{ruutuja} * 32;
    return static_cast<int>(std::clamp<int64_t>(pikseleita, INT_MIN, INT_MAX));
}

// The screen and a map holding the block images (from media/ when the run
// starts in the project root; without them the picture has only its
// background). Copies share the images. The screen is a quarter of the
// game's on each side: the same drawing and clipping code, with a sixteenth
// of the pixels to clear and copy for every input.
constexpr int RUUDUN_LEVEYS = 256;
constexpr int RUUDUN_KORKEUS = 192;

struct Nayttamo {
    SDL_Surface* ruutu = nullptr;
    Kartta kuvat;
    Nayttamo() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        if (SDL_Init(SDL_INIT_VIDEO) < 0) std::abort();
        ruutu = SDL_SetVideoMode(RUUDUN_LEVEYS, RUUDUN_KORKEUS, 32, SDL_SWSURFACE);
        if (!ruutu) std::abort();
        kuvat.lataaKuvat();
    }
};

void tarkistaKirjoitus(const Kartta& kartta) {
    const auto luetut = Kartta::luePalat(kartta.tavuiksi());
    if (luetut.size() != kartta.haePalat().size()) std::abort();
    for (size_t i = 0; i < luetut.size(); ++i) {
        const pala& a = luetut[i];
        const pala& b = kartta.haePalat()[i];
        if (a.x != b.x || a.y != b.y || a.tyyppi != b.tyyppi || a.lippu != b.lippu ||
            a.alkupiste != b.alkupiste)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Nayttamo* nayttamo = new Nayttamo;
    const sumea::Tiedosto tiedosto = sumea::tiedostoksi(data, size, tiedosto::KENTAN_ENINTAAN);
    Kartta kartta = nayttamo->kuvat;
    kartta.lataaKartta(tiedosto.polku);
    if (tiedosto.yliRajan && !kartta.haePalat().empty()) std::abort();
    const int leveys = kartta.haeLeveys();
    const int korkeus = kartta.haeKorkeus();
    kartta.tarkistaTormays(leveys, korkeus);
    kartta.piirraKentta();
    // Scroll to the level's middle in pixels; the product is taken wide, as
    // a block near INT_MAX would overflow an int.
    kartta.vier(pikseleina(leveys / 2), pikseleina(korkeus / 2));
    kartta.rajoita_Vier();
    kartta.piirraKartta(nayttamo->ruutu);
    tarkistaKirjoitus(kartta);
    kartta.vapautaKuvat();
    return 0;
}
