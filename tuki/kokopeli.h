#pragma once
// A whole game played through SDL_main with the frame hook, as a player
// would: the one script of the whole-game tests, the reliability tests and
// the measuring tool.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "kehys.h"
#include "syote.h"

struct KokoPelinAjo {
    int tila = -1;                    // SDL_main's exit status
    long pelikehyksia = 0;            // game frames drawn
    long nimikehyksia = 0;            // name-entry frames drawn
    bool karannut = false;            // cut off as hung
    std::string valikkokuva;          // the pixels of the last main-menu frame
    std::map<Nakyma, long> kehyksia;  // frames drawn by each screen
};

// The pixels of the screen as they are now.
std::string ruudunPikselit();

// One level's replay inputs, and every level's in play order (6 first).
std::vector<Syote> reitinSyotteet(int kentta);
std::vector<Syote> kaikkiSyotteet();

// Called after every frame of the run, after the script's own input, with
// the screen that drew it and the game frames drawn so far.
using Kehystarkkailija = std::function<void(Nakyma nakyma, long pelikehyksia)>;

// Asked after every frame, before the script's input, with the screen and its
// frames drawn so far; true closes the window there instead.
using Sulkija = std::function<bool(Nakyma nakyma, long kehyksia)>;

// How the script plays: with the keyboard (and the replay's records handed to
// the game's input), or with a gamepad whose events go through SDL's queue.
enum class Ohjaus { Nappaimisto, Ohjain };

// Return in the main menu, Space through the intro, then `syotteet` one game
// frame each (Escape once they run out), Space through the ending and
// `nimi` with Return in the name entry. With a gamepad, its button 0 stands
// for Return and Space and its stick and button 0 play the levels; the name
// is still typed.
KokoPelinAjo pelaaKokoPeli(const std::vector<Syote>& syotteet, const std::string& nimi = "Testi",
                           const Kehystarkkailija& tarkkailija = {},
                           Ohjaus ohjaus = Ohjaus::Nappaimisto, const Sulkija& sulje = {});
