#pragma once
// The frame helper: every loop of the game ends its frame here. It flips the
// screen and then waits for the next 1/60 s tick, so the game runs at 60 steps
// a second whatever the display does.

#include <SDL.h>

#include <functional>

// Which loop finished the frame; tests use it to script input per screen.
enum class Nakyma { Lataus, Valikko, Alkudemo, Peli, Loppudemo, Nimi };

// Flips `ruutu` and paces the loop to 60 frames per second.
void vaihdaKehys(SDL_Surface* ruutu, Nakyma nakyma);

namespace kehys {

constexpr int KEHYKSIA_SEKUNNISSA = 60;

// A test hook called after each flip instead of waiting: it may push events
// or set keys for the next frame. Pass an empty function to restore pacing.
using Testikoukku = std::function<void(Nakyma nakyma, long kehys)>;
void asetaTestikoukku(Testikoukku koukku);

// Scripted input for the hook: a key press (with its Unicode character, as
// SDL reports it once Unicode translation is on) and a window close, as the
// system would queue them; paina and suljeIkkuna put them in SDL's queue.
SDL_Event nappainTapahtuma(SDLKey nappain, Uint16 merkki = 0);
SDL_Event sulkemisTapahtuma();
void paina(SDLKey nappain, Uint16 merkki = 0);
void suljeIkkuna();

// Frames shown since the program started (or since the hook was last set).
long kehyksia();

// The clock the pacing reads and waits on: SDL's millisecond ticks and
// SDL_Delay unless a test installs its own (empty functions restore them).
// Installing one starts a new schedule.
using Tikit = std::function<Uint32()>;
using Odotus = std::function<void(Uint32 ms)>;
void asetaKello(Tikit nyt, Odotus odota);

// An observer called after each flip, paced or not; it never replaces the
// wait, so measuring tools can watch the real frame rate. Pass an empty
// function to remove it.
using Tarkkailija = std::function<void(Nakyma nakyma, long kehys)>;
void asetaTarkkailija(Tarkkailija tarkkailija);

}  // namespace kehys

// Turns off the event types that no loop of the game reads (mouse, key
// releases, window focus), so they cannot queue up in front of the ones that
// matter: the game loop takes only one event per frame. The keyboard state
// still follows every key; the gamepad's events stay on.
void rajaaTapahtumat();
