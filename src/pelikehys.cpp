#include "pelikehys.h"

#include <cstdint>

namespace pelikehys {

namespace {
constexpr int RUUTU = 32;  // the tile edge the goal and fall tests count in
}

bool onkoMaalissa(Ukko& ukko) {
    return ukko.haeX() / RUUTU == MAALI_SARAKE && ukko.haeY() / RUUTU == MAALI_RIVI;
}

// The level's bottom edge is computed wide: a block row near INT_MAX would
// overflow an int.
bool onkoPudonnut(Ukko& ukko, Kartta& kartta) {
    return int64_t{ukko.haeY()} > int64_t{kartta.haeKorkeus()} * RUUTU;
}

bool pelaa(Ukko& ukko, Kartta& kartta, const Syote& syote, AaniJarjestelma* system, bool aanet,
           const Maalissa& maalissa) {
    kartta.vier(ukko.haeX() - NAKYMA_X, ukko.haeY() - NAKYMA_Y);
    kartta.rajoita_Vier();
    ukko.ajattele(kartta, syote, system, aanet);
    if (onkoMaalissa(ukko) && (!maalissa || maalissa())) return true;
    if (onkoPudonnut(ukko, kartta)) ukko.asetaPaikka(PALUU_X, PALUU_Y);
    return false;
}

}  // namespace pelikehys
