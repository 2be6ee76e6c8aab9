#pragma once
// The front end: the fonts, images and composed backgrounds of the three menu
// screens (main menu, settings, credits), the menu sounds and the main menu
// loop that switches between the screens.

#include <SDL.h>
#include <SDL_ttf.h>

#include <string>
#include <vector>

#include "aani.h"
#include "asetukset.h"
#include "asetusvalikko.h"
#include "config_file.h"
#include "valikko.h"

class Etusivu {
  public:
    // How the menu loop ended.
    enum class Lopetus { Lopeta, Pelaa };

    Etusivu(const asetukset& asetus, config_file& kieli, valikko& paavalikko,
            asetus_valikko& asetusvalikko);
    ~Etusivu();
    Etusivu(const Etusivu&) = delete;
    Etusivu& operator=(const Etusivu&) = delete;

    // Start-up, in the order the program runs them.
    void lataaFontitJaKuvat();
    bool avaaRuutu();
    void naytaLatausruutu();
    void koostaTaustat();
    void taytaNakymat();
    void luoAanet(AaniJarjestelma* system);

    // The main menu loop; returns when the player quits or starts the game.
    Lopetus aloita();

    // After the loop: frees every surface and font and the menu sounds.
    void vapautaValikko();
    // The game music, started when music is on; released by vapautaPelimusiikki.
    void aloitaPelimusiikki();
    void vapautaPelimusiikki();

    SDL_Surface* haeRuutu() const { return ruutu; }

  private:
    enum class Sivu { Paavalikko, Asetukset, Tekijat };

    SDL_Surface* renderoi(TTF_Font* fontti, SDL_Color vari, const std::string& teksti);
    void piirraKaikkiin(SDL_Surface* kuva, int x, int y);
    void taytaEnnatyslista();
    void taytaPaavalikko();
    void taytaAsetusvalikko();
    void taytaTekijat();
    void kasitteleTapahtumat();
    void kasitteleNappain(SDLKey nappain);
    void aktivoi();
    void aktivoiAsetus();
    void siirraValintaa(int suunta);
    void piirraKehys();
    void soitaEfekti(Aani* aani);

    const asetukset& asetus;
    config_file& kieli;
    valikko& paavalikko;
    asetus_valikko& asetusvalikko;

    Sivu sivu = Sivu::Paavalikko;
    bool lopeta = false;
    bool aloitaPeli = false;

    TTF_Font* nimikefontti = nullptr;
    TTF_Font* pienifontti = nullptr;
    TTF_Font* otsikkofontti = nullptr;
    SDL_Surface* tausta = nullptr;
    SDL_Surface* valikkokuva = nullptr;
    SDL_Surface* otsikkokuva = nullptr;
    SDL_Surface* otsikko = nullptr;
    SDL_Surface* ruutu = nullptr;
    SDL_Surface* paavalikkoTausta = nullptr;
    SDL_Surface* tekijatTausta = nullptr;
    SDL_Surface* asetuksetTausta = nullptr;
    std::vector<SDL_Surface*> tekstit;  // every rendered label, freed after the loop

    AaniJarjestelma* system = nullptr;
    Aani* valikkomusiikki = nullptr;
    Aani* pelimusiikki = nullptr;
    Aani* siirtoAani = nullptr;
    Aani* alkuAani = nullptr;
    Kanava efektiKanava;
    Kanava valikkomusiikkiKanava;
    Kanava pelimusiikkiKanava;
};
