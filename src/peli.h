#pragma once
// One play of the game: the intro, levels 6 down to 1 against their clocks,
// and the ending with the name entry.

#include <SDL.h>
#include <SDL_ttf.h>

#include <string>
#include <vector>

#include "aani.h"
#include "aika.h"
#include "alkudemo.h"
#include "kahvat.h"
#include "kartta.h"
#include "loppudemo.h"
#include "piirto.h"
#include "ukko.h"

class Peli {
  public:
    enum textquality { solid = ::solid, shaded = ::shaded, blended = ::blended };

    Peli();

    // Prepares a game: the first level, the hero, the counter, font and sound.
    void lataa(AaniJarjestelma* system);
    // Plays the whole game and returns when it is over or the player leaves.
    void peliin(SDL_Surface* ruutu, AaniJarjestelma* system, bool aanet);

    void PiirraKuva(SDL_Surface* kuva, SDL_Surface* kohde, int x, int y);
    TTF_Font* LoadFont(const char* tiedosto, int koko);
    void blitText(TTF_Font* fontti, SDL_Surface** kohde, SDL_Color etuvari, SDL_Color taustavari,
                  const char* teksti, textquality laatu);

    // For tests and tools: the times recorded so far, the levels left, the
    // hero's state and the level map.
    const std::vector<minsec>& haeAjat() const { return ajat; }
    int haeKenttiaJaljella() const { return kenttiaJaljella; }
    Ukko::Tila haeUkonTila() const { return ukko.haeTila(); }
    Kartta& haeKartta() { return kartta; }

  private:
    bool pelaaKehys(SDL_Surface* ruutu, AaniJarjestelma* system, bool aanet);
    void kasitteleTapahtuma();
    bool vaihdaKenttaa(AaniJarjestelma* system, bool aanet);
    void lataaKentta();
    void piirraAika(SDL_Surface* ruutu);
    void piirraKentanNumero(SDL_Surface* ruutu);

    std::vector<minsec> ajat;
    int kenttiaJaljella = 0;
    Ukko ukko;
    Kartta kartta;
    SDL_Event tapahtuma;
    bool lopeta = false;
    std::string teksti;
    Fontti fontti;
    Pinta tekstiKuva;
    Pinta kenttaKuva;  // the level indicator, rendered once a level
    Alkudemo alkudemo;
    loppudemo loppu;
    AaniKahva kenttaAani;
    Kanava kanava;
};
