#pragma once
// Replays: the keys held in each frame of a route through one level, with
// the physics state the route starts from and the one it reaches the goal
// in. The route finder writes them; tests and the whole-game test replay
// them through the game's own frame rule (pelikehys).
//
// File format (text, one item per line, '#' starts a comment line):
//   hiekkatorni-reitti 1
//   kentta <level number, 6..1>
//   kehyksia <frames until the goal, the goal frame included>
//   alku <x> <y> <nopeusY> <voiHypata 0/1> <oikealle 0/1>
//   maali <x> <y> <nopeusY> <voiHypata 0/1> <oikealle 0/1>
//   <keys> <frames>     repeated: a run of frames with the same keys held
// <keys> is "-" for nothing, or the letters V (left arrow), O (right arrow)
// and H (left Shift, the jump) in that order: "O", "OH", "VH", "H", ...

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "syote.h"
#include "ukko.h"

struct Reitti {
    int kentta = 0;
    Ukko::Tila alku;
    Ukko::Tila maali;
    std::vector<Syote> syotteet;  // one per frame; the last is the goal frame
};

namespace reitti {

// Longest route accepted from a file (an hour of play at 60 frames/s).
constexpr long SUURIN_KEHYSMAARA = 60L * 60 * 60;

std::optional<Reitti> lueTavuista(std::string_view tavut);
std::optional<Reitti> lataa(const std::string& polku);
std::string tavuiksi(const Reitti& reitti);
bool tallenna(const std::string& polku, const Reitti& reitti);

// The replay file of a level: "levels/level<N>.reitti".
std::string tiedostonimi(int kentta);

}  // namespace reitti
