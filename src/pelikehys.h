#pragma once
// The rule of one frame of play, written once: the game, the replays, the
// route finder, the benchmarks and the tests all run this piece. A frame of
// the game is: one event (the game's own), the view follows the hero, the
// hero's physics step, the goal test with the level change, the fall test,
// then drawing (the game's own). Everything between the event and the
// drawing is here; it only computes.

#include <functional>

#include "aani.h"
#include "kartta.h"
#include "syote.h"
#include "ukko.h"

namespace pelikehys {

// Where a level change or a fall puts the hero, in map pixels. The first
// level starts lower, where Ukko::lataa puts the hero.
constexpr int PALUU_X = 96;
constexpr int PALUU_Y = 896;
// The goal tile of every level: the level is done when the hero's top-left
// corner lies inside it.
constexpr int MAALI_SARAKE = 83;
constexpr int MAALI_RIVI = 13;
// The view keeps the hero's top-left corner this far from the screen's left
// and top edges, as far as the level reaches.
constexpr int NAKYMA_X = 512;
constexpr int NAKYMA_Y = 382;

// True when the hero's top-left corner lies in the goal tile.
bool onkoMaalissa(Ukko& ukko);
// True when the hero's top edge is below the level's lowest block row.
bool onkoPudonnut(Ukko& ukko, Kartta& kartta);

// Runs at the goal: the game records the time and loads the next level
// there. Returns true when play is over (the last level was done).
using Maalissa = std::function<bool()>;

// One frame of play: scroll the view to the hero's position from before the
// step, take the hero's step with `syote` (the jump sound only with `aanet`),
// then the goal test and, unless play ended at the goal, the fall test,
// which puts the hero back at (PALUU_X, PALUU_Y) with its speed and the
// clock running on. Without `maalissa` the goal ends play. Returns true when
// play is over.
bool pelaa(Ukko& ukko, Kartta& kartta, const Syote& syote, AaniJarjestelma* system, bool aanet,
           const Maalissa& maalissa = {});

}  // namespace pelikehys
