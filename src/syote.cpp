#include "syote.h"

#include <SDL.h>

namespace {

syote::Lahde& lahde() {
    static syote::Lahde lahde;
    return lahde;
}

Syote lueNappaimisto() {
    const Uint8* napit = SDL_GetKeyState(nullptr);
    Syote s;
    s.vasen = napit[SDLK_LEFT] != 0;
    s.oikea = napit[SDLK_RIGHT] != 0;
    s.hyppy = napit[SDLK_LSHIFT] != 0;
    return s;
}

}  // namespace

namespace syote {

Syote hae() { return lahde() ? lahde()() : lueNappaimisto(); }

void asetaLahde(Lahde uusi) { lahde() = std::move(uusi); }

}  // namespace syote
