#pragma once
// Screens compared with committed reference pictures (tests/data/kuvat/).
// A difference fails the test with its size and place and writes the actual
// picture and a difference picture beside the reference. With
// HIEKKATORNI_PAIVITA_KUVAT=1 in the environment the references are written
// anew instead (`make kuvat`).

#include <SDL.h>

#include <string>

// Compares the screen (or the rectangle of it) with the reference `nimi`.
void odotaKuva(SDL_Surface* ruutu, const std::string& nimi);
void odotaKuva(SDL_Surface* ruutu, const std::string& nimi, SDL_Rect alue);
