#pragma once
// Small solid-colour surfaces for the menu tests and a pixel check that tells
// which images landed where on a target surface.

#include <SDL.h>

#include <memory>
#include <vector>

#include "kahvat.h"

// A 32-bit surface without alpha filled with 0xRRGGBB: blits copy it exactly.
inline Pinta yksivarinen(int leveys, int korkeus, Uint32 rgb) {
    Pinta p(SDL_CreateRGBSurface(SDL_SWSURFACE, leveys, korkeus, 32, 0xFF0000, 0xFF00, 0xFF, 0));
    SDL_FillRect(p.get(), nullptr, rgb);
    return p;
}

// An image expected on the target: its top-left corner, size and colour.
struct Laatikko {
    int x, y, leveys, korkeus;
    Uint32 rgb;
};

// Number of target pixels that differ from the expectation: each pixel shows
// the last box that covers it, or the background colour.
inline int poikkeavatPikselit(SDL_Surface* kohde, const std::vector<Laatikko>& laatikot,
                              Uint32 tausta) {
    int poikkeavia = 0;
    for (int y = 0; y < kohde->h; ++y) {
        auto* rivi =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(kohde->pixels) + y * kohde->pitch);
        for (int x = 0; x < kohde->w; ++x) {
            Uint32 odotettu = tausta;
            for (const auto& l : laatikot) {
                if (x >= l.x && x < l.x + l.leveys && y >= l.y && y < l.y + l.korkeus)
                    odotettu = l.rgb;
            }
            if ((rivi[x] & 0xFFFFFF) != odotettu) ++poikkeavia;
        }
    }
    return poikkeavia;
}

// Draws the menu onto a fresh leveys x korkeus surface of the background
// colour and counts the pixels that differ from the expected boxes.
template <class Valikko>
int piirraJaVertaa(Valikko& menu, int leveys, int korkeus, const std::vector<Laatikko>& odotetut,
                   Uint32 tausta) {
    Pinta kohde = yksivarinen(leveys, korkeus, tausta);
    menu.piirraPinta(kohde.get());
    return poikkeavatPikselit(kohde.get(), odotetut, tausta);
}
