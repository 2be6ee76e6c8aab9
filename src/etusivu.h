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
#include "kahvat.h"
#include "valikko.h"

class Etusivu {
  public:
    // How the menu loop ended.
    enum class Lopetus { Lopeta, Pelaa };

    Etusivu(const asetukset& asetus, config_file& kieli, valikko& paavalikko,
            asetus_valikko& asetusvalikko);

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

    Fontti nimikefontti;
    Fontti pienifontti;
    Fontti otsikkofontti;
    Pinta tausta;
    Pinta valikkokuva;
    Pinta otsikkokuva;
    Pinta asetuskuva;  // the settings screen's own art
    Pinta otsikko;
    SDL_Surface* ruutu = nullptr;  // SDL's own screen
    Pinta paavalikkoTausta;
    Pinta tekijatTausta;
    Pinta asetuksetTausta;
    std::vector<Pinta> tekstit;  // every rendered label; the menus only refer to them

    AaniJarjestelma* system = nullptr;
    AaniKahva valikkomusiikki;
    AaniKahva pelimusiikki;
    AaniKahva siirtoAani;
    AaniKahva alkuAani;
    Kanava efektiKanava;
    Kanava valikkomusiikkiKanava;
    Kanava pelimusiikkiKanava;
};
