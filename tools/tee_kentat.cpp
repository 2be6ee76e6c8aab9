// Builds the level files from their readable sources: each source line
// "nelio <x> <y> <w> <h>" becomes one platform made by Kartta::luoNelio, and
// the map is written with Kartta::tallennaKartta.
//
//   tee_kentat [lahdekansio] [kohdekansio]      (defaults: tools/kentat levels)
//   tee_kentat --nayta tools/kentat/level6.txt  (prints the level as text)

#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "kartta.h"

namespace {

constexpr int ENSIMMAINEN_KENTTA = 1;
constexpr int VIIMEINEN_KENTTA = 6;

// Reads a level source into `kartta`; false (with a message) on a bad line.
bool lueLahde(const std::string& polku, Kartta& kartta) {
    std::ifstream sisaan(polku);
    if (!sisaan) {
        std::cerr << polku << ": ei voi avata\n";
        return false;
    }
    std::string rivi;
    for (int numero = 1; std::getline(sisaan, rivi); ++numero) {
        std::istringstream sanat(rivi);
        std::string kasky;
        if (!(sanat >> kasky) || kasky[0] == '#') continue;
        int x = 0, y = 0, w = 0, h = 0;
        if (kasky != "nelio" || !(sanat >> x >> y >> w >> h) || w < -1 || h < -1) {
            std::cerr << polku << ':' << numero << ": odotettiin 'nelio x y w h'\n";
            return false;
        }
        kartta.luoNelio(x, y, w, h);
    }
    return true;
}

// Prints the level as text: '#' a block, 'S' the start, 'R' the restart
// point, 'G' the goal tile.
void nayta(Kartta& kartta) {
    std::set<std::pair<int, int>> palat;
    for (const pala& p : kartta.haePalat()) palat.insert({p.x, p.y});
    for (int rivi = 0; rivi <= kartta.haeKorkeus(); ++rivi) {
        std::printf("%2d ", rivi);
        for (int sarake = 0; sarake <= kartta.haeLeveys(); ++sarake) {
            char merkki = palat.count({sarake, rivi}) ? '#' : '.';
            if (sarake == 83 && rivi == 13) merkki = 'G';
            if (sarake == 3 && rivi == 30) merkki = 'S';
            if (sarake == 3 && rivi == 28) merkki = 'R';
            std::putchar(merkki);
        }
        std::putchar('\n');
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--nayta") {
        Kartta kartta;
        if (!lueLahde(argv[2], kartta)) return 1;
        nayta(kartta);
        return 0;
    }
    const std::string lahteet = argc > 1 ? argv[1] : "tools/kentat";
    const std::string kohde = argc > 2 ? argv[2] : "levels";
    for (int n = ENSIMMAINEN_KENTTA; n <= VIIMEINEN_KENTTA; ++n) {
        const std::string nimi = "level" + std::to_string(n);
        Kartta kartta;
        if (!lueLahde(lahteet + "/" + nimi + ".txt", kartta)) return 1;
        kartta.tallennaKartta(kohde + "/" + nimi + ".map");
        std::cout << kohde << "/" << nimi << ".map: " << kartta.haePalat().size() << " palaa, "
                  << kartta.haeLeveys() + 1 << " x " << kartta.haeKorkeus() + 1 << " ruutua\n";
    }
    return 0;
}
