#pragma once
// The player's input as the physics step reads it: one small record per
// frame, filled from the keyboard in one place. Replays, tools and tests hand
// the step a record of their own instead of faking the keyboard.

#include <functional>

// The keys held during one frame: the arrows walk, left Shift jumps.
struct Syote {
    bool vasen = false;
    bool oikea = false;
    bool hyppy = false;
    bool operator==(const Syote& muu) const {
        return vasen == muu.vasen && oikea == muu.oikea && hyppy == muu.hyppy;
    }
    bool operator!=(const Syote& muu) const { return !(*this == muu); }
};

namespace syote {

// This frame's input: the keyboard state as the last event poll left it
// (left and right arrows, left Shift), or what a test's source gives.
Syote hae();

// A test hook: while set, hae() returns what the source gives instead of
// reading the keyboard. Pass an empty function to read the keyboard again.
using Lahde = std::function<Syote()>;
void asetaLahde(Lahde lahde);

}  // namespace syote
