#include "asetukset.h"

#include <cmath>
#include <iostream>

#include "config_file.h"
#include "tiedosto.h"

namespace {

constexpr int RUUDUN_LEVEYS = 1024;
constexpr int RUUDUN_KORKEUS = 768;

// A stored number counts as on when its whole part is above zero: 1.7 is on,
// 0.5 and -1 are off. Truncating in floating point keeps absurd values
// (1e300, nan) defined.
bool onkoPaalla(config_file& tiedosto, const char* avain) {
    return std::trunc(tiedosto.hae_num(avain)) > 0.0;
}

}  // namespace

asetukset haeAsetukset() {
    config_file tiedosto(ASETUSTIEDOSTO);
    asetukset a;
    a.leveys = RUUDUN_LEVEYS;
    a.korkeus = RUUDUN_KORKEUS;
    a.musiikki = onkoPaalla(tiedosto, "musiikki");
    a.aanet = onkoPaalla(tiedosto, "aanet");
    a.kokoruututila = onkoPaalla(tiedosto, "kokoruututila");
    a.kieli = tiedosto.hae_str("kieli");
    return a;
}

bool tallennaAsetukset(bool musiikki, bool aanet, bool kokoruututila) {
    const tiedosto::Lukko lukko(ASETUSTIEDOSTO);
    std::string syy;
    const auto nykyiset =
        tiedosto::lueKorvattava(lukko, ASETUSTIEDOSTO, tiedosto::ASETUSTEN_ENINTAAN, syy);
    if (nykyiset) {
        config_file varasto;
        varasto.lataa_tavuista(*nykyiset);
        varasto.tallenna("musiikki", musiikki ? 1.0 : 0.0);
        varasto.tallenna("aanet", aanet ? 1.0 : 0.0);
        varasto.tallenna("kokoruututila", kokoruututila ? 1.0 : 0.0);
        if (tiedosto::tallenna(ASETUSTIEDOSTO, varasto.tallennettavat(), &syy)) return true;
    }
    std::cout << "Asetuksia ei voitu tallentaa: " << ASETUSTIEDOSTO << ": " << syy << std::endl;
    return false;
}
