#pragma once
// Every physics state of the hero that a level lets it reach from a start,
// with where each of the six inputs leads from it: the state graph that the
// level builder and the route finder measure a level on. Each edge is one
// frame of the game's own frame rule (pelikehys::pelaa) on the real map.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "kartta.h"
#include "reitti.h"
#include "syote.h"
#include "ukko.h"

namespace tilaverkko {

// The six inputs of a frame: right, nothing, left, each without and with the
// jump. Their order breaks ties between equally fast routes.
constexpr int SYOTTEITA = 6;
extern const std::array<Syote, SYOTTEITA> SYOTTEET;

// A successor that is no state: the frame reached the goal (play on the
// level ends there).
constexpr int32_t MAALI = -1;

struct Verkko {
    // The states in the order a breadth-first search found them: the start
    // first, then by the fewest frames from it.
    std::vector<Ukko::Tila> tilat;
    std::vector<std::array<int32_t, SYOTTEITA>> seuraajat;
    std::vector<int32_t> edellinen;  // the state each was first reached from
    std::vector<uint8_t> syote;      // and with which input
    std::vector<int32_t> kehyksia;   // fewest frames from the start
    bool kesken = false;             // stopped at the state limit
};

// Explores every state reachable from `alku` (at most `raja` states), or
// only until the first state with a goal edge.
Verkko tutki(Kartta& kartta, const Ukko::Tila& alku, bool maaliinAsti = false,
             size_t raja = 40'000'000);

// The fewest-frames route to the goal, nothing when the goal is out of reach.
std::optional<Reitti> nopein(const Verkko& verkko, int kentta);

// The reachable states from which the goal can no longer be reached.
std::vector<int32_t> loukut(const Verkko& verkko);

// The fastest route when the keys may change only at every K-th frame from
// the level's first frame; nothing when the goal cannot be reached so.
std::optional<Reitti> nopeinJaksoin(const Verkko& verkko, int K, int kentta);

// Every K from 1 to `suurin` with which the goal can be reached.
std::vector<int> onnistuvatJaksot(const Verkko& verkko, int suurin);

// Plays a route from its start through the frame rule: the state of its
// goal frame, or nothing when the goal does not come exactly on its last frame.
std::optional<Ukko::Tila> toista(Kartta& kartta, const Reitti& reitti);

// The jumps of a route whose landing spot (the hero's box where it lands and
// the block row under its feet) lies outside the view of the frame the jump
// starts in, the view as the game scrolls it. A jump into a fall counts.
int sokeatHypyt(Kartta& kartta, const Reitti& reitti);

// True when the hero stands on a block (its feet on the pixel row above one).
bool seisooko(Ukko& ukko, Kartta& kartta);

}  // namespace tilaverkko
