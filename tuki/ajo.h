#pragma once
// The whole program run headless from a script: batches of events pushed
// after given frames of each screen, observers called at every frame, and
// the sound log of the run. The tests of the menus, the pictures and the
// sounds drive the real program through this one script.

#include <SDL.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "kehys.h"

// A key press and a window close as the system would queue them.
SDL_Event nappain(SDLKey nappain, Uint16 merkki = 0);
SDL_Event sulkeminen();

class Ajo {
  public:
    using Era = std::vector<SDL_Event>;

    Ajo();
    ~Ajo();
    Ajo(const Ajo&) = delete;
    Ajo& operator=(const Ajo&) = delete;

    // Queues a batch of events for the next frame of `nakyma` not yet given
    // one.
    Ajo& kun(Nakyma nakyma, Era era);
    // Called at each frame of `nakyma` (after the scripted events are pushed)
    // with that screen's frame count, from 1.
    Ajo& joka(Nakyma nakyma, std::function<void(long)> f);

    // Runs SDL_main; a script still running after `enintaan` frames closes
    // the window instead of hanging. Returns the exit status.
    int aja(long enintaan = 20000);

    // How many sounds of this file started.
    int soittoja(const std::string& polku) const;

    std::map<Nakyma, long> kehyksia;
    std::vector<std::string> loki;  // the sound log of the run
    bool karannut = false;

  private:
    void kehys(Nakyma n, long kaikkiaan, long enintaan);

    std::map<Nakyma, std::deque<Era>> kasikirjoitus;
    std::map<Nakyma, std::function<void(long)>> tarkkailijat;
};
