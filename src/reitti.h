#pragma once
// Replays: the keys held in each frame of a route through one level, with
// the physics state the route starts from and the one it reaches the goal
// in. The route finder writes them; tests and the whole-game test replay
// them through the real game code.
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

#include "kartta.h"
#include "ukko.h"

// The keys held during one frame.
struct Syote {
    bool vasen = false;
    bool oikea = false;
    bool hyppy = false;
    bool operator==(const Syote& muu) const {
        return vasen == muu.vasen && oikea == muu.oikea && hyppy == muu.hyppy;
    }
};

struct Reitti {
    int kentta = 0;
    Ukko::Tila alku;
    Ukko::Tila maali;
    std::vector<Syote> syotteet;  // one per frame; the last is the goal frame
};

namespace reitti {

// The goal tile of every level, and where a level change or a fall puts
// the character.
constexpr int MAALI_SARAKE = 83;
constexpr int MAALI_RIVI = 13;
constexpr int PALUU_X = 96;
constexpr int PALUU_Y = 896;
// Longest route accepted from a file (an hour of play at 60 frames/s).
constexpr long SUURIN_KEHYSMAARA = 60L * 60 * 60;

std::optional<Reitti> lueTavuista(std::string_view tavut);
std::optional<Reitti> lataa(const std::string& polku);
std::string tavuiksi(const Reitti& reitti);
bool tallenna(const std::string& polku, const Reitti& reitti);

// The replay file of a level: "levels/level<N>.reitti".
std::string tiedostonimi(int kentta);

// Writes the frame's keys into SDL's keyboard state (arrows and left Shift).
void asetaNapit(const Syote& syote);

// True when the character's top-left corner lies in the goal tile.
bool onkoMaalissa(Ukko& ukko);

// One frame of the game loop for the character: scroll, physics step on a
// copy of the map, goal test and, when the goal was not reached, the fall
// test. Returns true when the goal was reached in this frame.
bool pelaaKehys(Ukko& ukko, Kartta& kartta, const Syote& syote);

}  // namespace reitti
