#pragma once
// The intro story: Apuri sends the hero to the desert. The player steps
// through fourteen lines with Space; Escape or closing the window ends it.

#include <SDL.h>
#include <SDL_ttf.h>

#include <array>
#include <string>

#include "kahvat.h"
#include "piirto.h"
#include "tarina.h"

class Alkudemo {
  public:
    enum textquality { solid = ::solid, shaded = ::shaded, blended = ::blended };

    static constexpr int REPLIIKKEJA = 14;

    Alkudemo() = default;

    // Loads the images, the dialogue and the font and composes the background.
    void lataa();
    // Runs the story on `ruutu` and returns when it is over.
    void aloita(SDL_Surface* ruutu);

    // The Apuri picture of a step: he turns towards the hero at step 2.
    SDL_Surface* haePappiKuva(int askel) const;
    // The line rendered last (the one on the screen after a frame).
    const std::string& haeTekstipuskuri() const { return tekstipuskuri; }

    static void PiirraKuva(SDL_Surface* kuva, SDL_Surface* kohde, int x, int y);
    static TTF_Font* LoadFont(const char* tiedosto, int koko);
    static void blitText(TTF_Font* fontti, SDL_Surface** kohde, SDL_Color etuvari,
                         SDL_Color taustavari, const char* teksti, textquality laatu);

  private:
    void koostaTausta();

    Pinta pappi;
    Pinta pappiVasen;
    Pinta hahmo;
    Pinta taustakuva;
    Pinta tausta;
    bool lopetus = false;
    std::string tekstipuskuri;
    std::array<std::string, REPLIIKKEJA> repliikit;
    Pinta tekstikuva;
    SDL_Event tapahtuma{};
    tarina::Juonifontti juonifontti;
};
