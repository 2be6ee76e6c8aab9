#pragma once
// A whole game played through SDL_main with the frame hook, as a player
// would: the shared script of the whole-game and reliability tests.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "kehys.h"
#include "reitti.h"

struct KokoPelinAjo {
    int tila = -1;                    // SDL_main's exit status
    long pelikehyksia = 0;            // game frames drawn
    long nimikehyksia = 0;            // name-entry frames drawn
    bool karannut = false;            // cut off as hung
    std::string valikkokuva;          // the pixels of the last main-menu frame
    std::map<Nakyma, long> kehyksia;  // frames drawn by each screen
};

// Asked after every frame with the screen and its frame count so far; true
// closes the window there instead of the scripted keys.
using Sulkija = std::function<bool(Nakyma nakyma, long kehys)>;

// The pixels of the screen as they are now.
std::string ruudunPikselit();

// One level's replay inputs, and every level's in play order (6 first).
std::vector<Syote> reitinSyotteet(int kentta);
std::vector<Syote> kaikkiSyotteet();

// Return in the main menu, Space through the intro, then `syotteet` one game
// frame each (Escape once they run out), Space through the ending and
// "Testi" with Return in the name entry.
KokoPelinAjo pelaaKokoPeli(const std::vector<Syote>& syotteet, const Sulkija& sulje = {});
