// Feeds arbitrary bytes to the level reader, then runs the queries the game
// makes of a loaded level: extent, collision, scroll clamp and a round trip
// through the writer.

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "kartta.h"

namespace {
int pikseleina(int ruutuja) {
    const int64_t pikseleita = int64_t{ruutuja} * 32;
    return static_cast<int>(std::clamp<int64_t>(pikseleita, INT_MIN, INT_MAX));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Kartta kartta;
    kartta.lataaTavuista(std::string_view(reinterpret_cast<const char*>(data), size));
    const int leveys = kartta.haeLeveys();
    const int korkeus = kartta.haeKorkeus();
    kartta.tarkistaTormays(leveys, korkeus);
    // Scroll to the level's middle in pixels; the product is taken wide, as
    // a block near INT_MAX would overflow an int.
    kartta.vier(pikseleina(leveys / 2), pikseleina(korkeus / 2));
    kartta.rajoita_Vier();
    kartta.piirraKentta();
    // Writing and reading back gives the same blocks.
    const auto luetut = Kartta::luePalat(kartta.tavuiksi());
    if (luetut.size() != kartta.haePalat().size()) std::abort();
    for (size_t i = 0; i < luetut.size(); ++i) {
        const pala& a = luetut[i];
        const pala& b = kartta.haePalat()[i];
        if (a.x != b.x || a.y != b.y || a.tyyppi != b.tyyppi || a.lippu != b.lippu ||
            a.alkupiste != b.alkupiste)
            std::abort();
    }
    kartta.vapautaKuvat();
    return 0;
}
