#pragma once
// Level sources: the readable lists of platforms under tools/kentat/ that
// the level builder turns into level files, and the checks a level must
// pass before it is built. A source line "nelio <x> <y> <w> <h>" is one
// platform made by Kartta::luoNelio: (w + 3) x (h + 3) blocks, top-left
// block at column x, row y. '#' starts a comment line.

#include <optional>
#include <string>
#include <vector>

#include "kartta.h"

namespace kenttalahde {

// The largest level picture a level may need (its extent in tiles, 32 x 32
// pixels of 4 bytes each).
constexpr long SUURIN_KUVA_TAVUINA = static_cast<long>(Kartta::VARATTU_KUVA_TAVUINA);
// How long holding Right from a level's start must stay on the level.
constexpr int REILU_ALKU_KEHYKSINA = 120;

struct Taso {
    int x = 0, y = 0, w = 0, h = 0;
    int rivi = 0;  // line in the source
};

struct Lahde {
    std::string polku;
    std::vector<Taso> tasot;
};

// Reads a source; an error message "<file>:<line>: ..." on a bad line.
std::optional<std::string> lue(const std::string& polku, Lahde& lahde);

// Appends the platforms to the map with Kartta::luoNelio, in source order.
void rakenna(const Lahde& lahde, Kartta& kartta);

// Checks a level before it is built, and names the file and line at fault:
// platforms inside the level picture's limits and not overlapping, a start
// and restart point that do not embed the hero, a summit that holds the
// hero (a jump across the goal column from it lands back on it), a start
// from which holding Right stays on the level for REILU_ALKU_KEHYKSINA
// frames whatever speed the previous level ended with, and a goal that can
// be reached.
std::optional<std::string> tarkista(const Lahde& lahde);

}  // namespace kenttalahde
