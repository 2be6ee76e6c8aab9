// Builds the level files from their readable sources (tools/kentat/levelN.txt,
// format in tuki/kenttalahde.h): each platform is made by Kartta::luoNelio
// and the map is written with Kartta::tallennaKartta. A source that fails a
// check is not built; the message names the file and line.
//
//   tee_kentat [lahdekansio] [kohdekansio]      (defaults: tools/kentat levels)
//   tee_kentat --nayta tools/kentat/level6.txt  (prints the level as text)

#include <cstdio>
#include <iostream>
#include <set>
#include <string>
#include <utility>

#include "kartta.h"
#include "kenttalahde.h"
#include "pelikehys.h"

namespace {

constexpr int ENSIMMAINEN_KENTTA = 1;
constexpr int VIIMEINEN_KENTTA = 6;

// Prints the level as text: '#' a block, 'S' the start, 'R' the restart
// point, 'G' the goal tile (each the hero's top-left corner).
void nayta(Kartta& kartta) {
    std::set<std::pair<int, int>> palat;
    for (const pala& p : kartta.haePalat()) palat.insert({p.x, p.y});
    for (int rivi = 0; rivi <= kartta.haeKorkeus(); ++rivi) {
        std::printf("%2d ", rivi);
        for (int sarake = 0; sarake <= kartta.haeLeveys(); ++sarake) {
            char merkki = palat.count({sarake, rivi}) ? '#' : '.';
            if (sarake == pelikehys::MAALI_SARAKE && rivi == pelikehys::MAALI_RIVI) merkki = 'G';
            if (sarake == Ukko::ALKU_X / 32 && rivi == Ukko::ALKU_Y / 32) merkki = 'S';
            if (sarake == pelikehys::PALUU_X / 32 && rivi == pelikehys::PALUU_Y / 32) merkki = 'R';
            std::putchar(merkki);
        }
        std::putchar('\n');
    }
}

// Reads, checks and builds one level; false (with the message) on a fault.
bool rakenna(const std::string& lahde, const std::string& kohde) {
    kenttalahde::Lahde l;
    auto virhe = kenttalahde::lue(lahde, l);
    if (!virhe) virhe = kenttalahde::tarkista(l);
    if (virhe) {
        std::cerr << *virhe << '\n';
        return false;
    }
    Kartta kartta;
    kenttalahde::rakenna(l, kartta);
    kartta.tallennaKartta(kohde);
    std::cout << kohde << ": " << kartta.haePalat().size() << " palaa, " << kartta.haeLeveys() + 1
              << " x " << kartta.haeKorkeus() + 1 << " ruutua\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--nayta") {
        kenttalahde::Lahde l;
        if (auto virhe = kenttalahde::lue(argv[2], l)) {
            std::cerr << *virhe << '\n';
            return 1;
        }
        Kartta kartta;
        kenttalahde::rakenna(l, kartta);
        nayta(kartta);
        return 0;
    }
    const std::string lahteet = argc > 1 ? argv[1] : "tools/kentat";
    const std::string kohde = argc > 2 ? argv[2] : "levels";
    int virheita = 0;
    for (int n = ENSIMMAINEN_KENTTA; n <= VIIMEINEN_KENTTA; ++n) {
        const std::string nimi = "/level" + std::to_string(n);
        if (!rakenna(lahteet + nimi + ".txt", kohde + nimi + ".map")) ++virheita;
    }
    return virheita ? 1 : 0;
}
