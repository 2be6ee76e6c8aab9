#include "kuvatesti.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "kuvavertailu.h"
#include "testiapu.h"

namespace {

// Channel differences up to this are the same picture: SDL builds blend a
// little differently (sdl12-compat rounds alpha otherwise than classic SDL).
constexpr int TOLERANSSI = 6;

std::string viitekansio() { return projektinJuuri() + "/tests/data/kuvat/"; }

bool paivitetaanko() {
    const char* arvo = std::getenv("HIEKKATORNI_PAIVITA_KUVAT");
    return arvo && std::strcmp(arvo, "1") == 0;
}

}  // namespace

void odotaKuva(SDL_Surface* ruutu, const std::string& nimi) {
    ASSERT_NE(ruutu, nullptr);
    odotaKuva(ruutu, nimi,
              SDL_Rect{0, 0, static_cast<Uint16>(ruutu->w), static_cast<Uint16>(ruutu->h)});
}

void odotaKuva(SDL_Surface* ruutu, const std::string& nimi, SDL_Rect alue) {
    ASSERT_NE(ruutu, nullptr);
    const Kuva tulos = kuvaPinnasta(ruutu, alue);
    const std::string viite = viitekansio() + nimi + ".png";
    if (paivitetaanko()) {
        ASSERT_TRUE(tallennaPng(tulos, viite)) << viite;
        return;
    }
    Kuva odotettu;
    ASSERT_TRUE(lataaPng(viite, odotettu))
        << "no reference picture " << viite << " (make kuvat writes it)";
    ASSERT_EQ(odotettu.leveys, tulos.leveys) << nimi;
    ASSERT_EQ(odotettu.korkeus, tulos.korkeus) << nimi;
    const Ero ero = vertaa(tulos, odotettu, TOLERANSSI);
    if (ero.pikseleita == 0) return;
    const std::string pohja = viitekansio() + nimi;
    tallennaPng(tulos, pohja + ".tulos.png");
    tallennaPng(eroKuva(tulos, odotettu, TOLERANSSI), pohja + ".ero.png");
    ADD_FAILURE() << "picture '" << nimi << "' differs from its reference in " << ero.pikseleita
                  << " pixels within (" << ero.vasen + alue.x << ", " << ero.yla + alue.y << ") - ("
                  << ero.oikea + alue.x << ", " << ero.ala + alue.y
                  << ") of the screen, largest channel difference " << ero.suurin << "; see "
                  << pohja << ".tulos.png and " << pohja << ".ero.png";
}
