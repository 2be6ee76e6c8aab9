#pragma once
// What the two story screens share: Space steps through the lines, Escape or
// closing the window ends the story, and each frame shows a composed
// background, the step's picture and the line at the top-left corner.

#include <SDL.h>
#include <SDL_ttf.h>

#include <functional>
#include <string>

#include "kehys.h"

namespace tarina {

// Handles every pending event: returns how many Space presses were among
// them; Escape and closing the window set `lopetus`. A quit event is put back
// in the queue, so the caller sees it too (SDL_QuitRequested) and ends.
int kasitteleTapahtumat(SDL_Event& tapahtuma, bool& lopetus);

// Steps 0 to `viimeinen`: each pass handles the events, ends once the step has
// passed `viimeinen` or `lopetus` is set, and otherwise draws the step with
// `piirraAskel` and ends the frame. Several presses in one pass skip lines.
void aloita(SDL_Surface* ruutu, Nakyma nakyma, int viimeinen, SDL_Event& tapahtuma, bool& lopetus,
            const std::function<void(int askel)>& piirraAskel);

// One story frame: `taustakuva` at (0, 0), `kuva` at (x, y), then `rivi`
// rendered with `fontti` in `vari` at (0, 0). The new text surface replaces
// the one in `tekstikuva`, which is freed.
void piirraKehys(SDL_Surface* ruutu, SDL_Surface* taustakuva, SDL_Surface* kuva, int x, int y,
                 TTF_Font* fontti, SDL_Color vari, const std::string& rivi,
                 SDL_Surface*& tekstikuva);

}  // namespace tarina
