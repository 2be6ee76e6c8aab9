#pragma once
// What the two story screens share: Space steps through the lines, Escape or
// closing the window ends the story, and each frame shows a composed
// background, the step's picture and the line at the top-left corner.

#include <SDL.h>
#include <SDL_ttf.h>

#include <functional>
#include <map>
#include <string>

#include "kahvat.h"
#include "kehys.h"

namespace tarina {

// The story font: one file at its story size, and for a line too wide for
// the screen at its position the largest smaller size at which it fits.
// Sizes are opened once and kept.
class Juonifontti {
  public:
    void lataa(const std::string& tiedosto, int koko);
    // The font to draw `rivi` with, its left edge at x, on a screen `leveys`
    // pixels wide; null when the font could not be opened.
    TTF_Font* sopiva(const std::string& rivi, int x, int leveys);

  private:
    TTF_Font* koossa(int koko);

    std::string tiedosto;
    int koko = 0;
    std::map<int, Fontti> koot;
    std::map<std::string, TTF_Font*> riveille;
};

// Handles every pending event: returns how many Space presses were among
// them; Escape and closing the window set `lopetus`. A quit event is put back
// in the queue, so the caller sees it too (SDL_QuitRequested) and ends.
int kasitteleTapahtumat(SDL_Event& tapahtuma, bool& lopetus, Nakyma nakyma);

// Steps 0 to `viimeinen`: each pass handles the events, ends once the step has
// passed `viimeinen` or `lopetus` is set, and otherwise draws the step with
// `piirraAskel` and ends the frame. Several presses in one pass skip lines.
void aloita(SDL_Surface* ruutu, Nakyma nakyma, int viimeinen, SDL_Event& tapahtuma, bool& lopetus,
            const std::function<void(int askel)>& piirraAskel);

// One story frame: `taustakuva` at (0, 0), `kuva` at (x, y), then `rivi`
// rendered in `vari` at (0, 0), at the story size or smaller when it would
// not fit. The new text surface replaces the one in `tekstikuva`, which is
// released first.
void piirraKehys(SDL_Surface* ruutu, SDL_Surface* taustakuva, SDL_Surface* kuva, int x, int y,
                 Juonifontti& fontti, SDL_Color vari, const std::string& rivi, Pinta& tekstikuva);

}  // namespace tarina
