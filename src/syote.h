#pragma once
// The player's input, read in one place: the keyboard and the first
// connected gamepad. The game's physics step reads a small record per frame
// (left, right, jump); the menus and story screens read events, in which a
// gamepad's stick, D-pad and buttons stand for the keys they replace.
// Replays, tools and tests hand the step a record of their own instead of
// faking the keyboard.

#include <SDL.h>

#include <functional>

#include "kehys.h"

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
// (left and right arrows, left Shift) together with the gamepad's (the left
// stick beyond its dead zone or the D-pad walks, the bottom face button
// jumps), or what a test's source gives.
Syote hae();

// The next event for the loop of `nakyma`, like SDL_PollEvent. Gamepad events
// update the gamepad's state on the way; where a gamepad action stands for a
// key, the event comes out as that key's press: in the menus the stick or
// D-pad moves up and down, button 0 and Start act as Return, button 1 and
// Back as Escape; on the story screens button 0 and Start act as Space; in a
// level Back acts as Escape. The name entry takes only the keyboard.
bool lueTapahtuma(SDL_Event& tapahtuma, Nakyma nakyma);

// Opens the first connected gamepad, if there is one; without one nothing
// changes. Called once SDL runs.
void avaaOhjain();
// Forgets the gamepad and its state (SDL closes the device itself).
void suljeOhjain();
// A test hook: whether the gamepad's buttons come in the standard order
// (Back, Start and D-pad buttons known), as avaaOhjain finds for a real pad.
void asetaVakiojarjestys(bool vakio);

// A test hook: while set, hae() returns what the source gives instead of
// reading the keyboard and the gamepad. Pass an empty function to read them
// again.
using Lahde = std::function<Syote()>;
void asetaLahde(Lahde lahde);

// How far the stick must lean, of 32767, before it counts: a resting stick
// never walks.
constexpr int KUOLLUT_ALUE = 8000;

}  // namespace syote
