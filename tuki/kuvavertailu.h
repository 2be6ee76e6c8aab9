#pragma once
// Pictures of the screen for tests: saving and loading PNG files and
// comparing a rendered screen with a committed reference picture.

#include <SDL.h>

#include <string>
#include <vector>

// An RGB picture, three bytes a pixel, rows top to bottom.
struct Kuva {
    int leveys = 0;
    int korkeus = 0;
    std::vector<unsigned char> rgb;
};

// The surface's pixels (any 32-bit format) as RGB, cut to the rectangle.
Kuva kuvaPinnasta(SDL_Surface* pinta, SDL_Rect alue);
Kuva kuvaPinnasta(SDL_Surface* pinta);

bool tallennaPng(const Kuva& kuva, const std::string& polku);
bool lataaPng(const std::string& polku, Kuva& kuva);

// How two pictures of the same size differ: the pixels where some channel
// differs by more than the tolerance, and the rectangle holding them.
struct Ero {
    long pikseleita = 0;
    int vasen = 0, yla = 0, oikea = -1, ala = -1;  // inclusive bounds
    int suurin = 0;                                // largest channel difference
};
Ero vertaa(const Kuva& a, const Kuva& b, int toleranssi);

// A picture of the differences: the reference faded, differing pixels red.
Kuva eroKuva(const Kuva& tulos, const Kuva& viite, int toleranssi);
