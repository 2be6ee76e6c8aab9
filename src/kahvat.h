#pragma once
// Owning handles for the library resources of the game: a surface or a font
// is released when its handle goes, whatever path the code leaves by. Code
// that only draws a resource takes the raw pointer (`.get()`).

#include <SDL.h>
#include <SDL_ttf.h>

#include <memory>

struct PinnanVapautus {
    void operator()(SDL_Surface* pinta) const { SDL_FreeSurface(pinta); }
};
using Pinta = std::unique_ptr<SDL_Surface, PinnanVapautus>;

// A font is closed only while the font library runs: its faces die with the
// library, so closing one afterwards would touch freed memory.
struct FontinSulkeminen {
    void operator()(TTF_Font* fontti) const {
        if (TTF_WasInit()) TTF_CloseFont(fontti);
    }
};
using Fontti = std::unique_ptr<TTF_Font, FontinSulkeminen>;
