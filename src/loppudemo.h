#pragma once
// The ending: a short closing story stepped through with Space, a summary of
// the level times, and the name entry that stores the result in the
// high-score list.

#include <SDL.h>
#include <SDL_ttf.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "aika.h"
#include "hiscores.h"
#include "kahvat.h"
#include "piirto.h"
#include "tarina.h"

class loppudemo {
  public:
    enum textquality { solid = ::solid, shaded = ::shaded, blended = ::blended };

    static constexpr int KEHYKSIA = 7;
    static constexpr size_t NIMEN_PITUUS = 17;  // characters a name can hold

    loppudemo() = default;

    // Loads the pictures, the story lines and the fonts and composes the
    // story background.
    void lataa();
    // Runs the story, the summary and the name entry on `ruutu`; returns when
    // the name is stored or the player leaves. Closing the window during the
    // story ends the game without the name entry (the quit event stays queued
    // for the caller).
    void aloita(SDL_Surface* ruutu, std::vector<minsec> ajat);

    // The whole game's time in hundredths of a second: smaller is faster.
    // Absurd times saturate at INT32_MAX instead of wrapping.
    static int32_t laskeSumma(const std::vector<minsec>& ajat);

    // The composed background: the story picture after lataa, the summary
    // once the name entry has started.
    SDL_Surface* haeTaustakuva() const { return taustakuva.get(); }
    // The name typed so far.
    const std::string& haeNimi() const { return nimi; }

    static void PiirraKuva(SDL_Surface* kuva, SDL_Surface* kohde, int x, int y);
    static TTF_Font* LoadFont(const char* tiedosto, int koko);
    static void blitText(TTF_Font* fontti, SDL_Surface** kohde, SDL_Color etuvari,
                         SDL_Color taustavari, const char* teksti, textquality laatu);

  private:
    void koostaTausta();
    void kerroTarina(SDL_Surface* ruutu);
    void piirraYhteenveto(const std::vector<minsec>& ajat);
    void piirraTekstiTaustaan(TTF_Font* fontti, const std::string& teksti, int x, int y);
    void kysyNimi(SDL_Surface* ruutu, int32_t summa);
    void piirraNimi(SDL_Surface* ruutu, long kehys);
    void kasitteleNappain(const SDL_keysym& nappain, int32_t summa);
    void naytaTallennusvirhe();

    std::array<Pinta, KEHYKSIA> kehykset;
    Pinta hahmo;
    Pinta henkilo;
    Pinta tausta;
    tarina::Juonifontti juonifontti;
    Fontti nimifontti;
    std::string tekstipuskuri;
    std::array<std::string, KEHYKSIA> repliikit;
    Pinta tekstikuva;
    Pinta taustakuva;
    SDL_Event tapahtuma{};
    bool lopetus = false;
    std::string nimi;
    bool tallennusEpaonnistui = false;  // the message is on the summary
};
