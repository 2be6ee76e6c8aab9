#include "ohjelma.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <iostream>

#include "aani.h"
#include "asetukset.h"
#include "asetusvalikko.h"
#include "config_file.h"
#include "etusivu.h"
#include "kehys.h"
#include "peli.h"
#include "syote.h"
#include "valikko.h"

namespace {

// The screens' part of the run, from the fonts to SDL's shutdown. The caller
// owns the long-lived objects, which outlive this; the sound system among
// them outlives the front end and the game, which still call it.
int ajaNaytot(const asetukset& asetus, AaniJarjestelma& system, Peli& peli, config_file& kieli,
              valikko& paavalikko, asetus_valikko& asetusvalikko) {
    Etusivu etusivu(asetus, kieli, paavalikko, asetusvalikko);
    etusivu.lataaFontitJaKuvat();
    if (alusta_SDL() == 1) return 1;
    if (!etusivu.avaaRuutu()) {
        std::cout << SDL_GetError() << std::endl;
        SDL_Quit();
        return 1;
    }
    rajaaTapahtumat();
    syote::avaaOhjain();
    etusivu.naytaLatausruutu();
    etusivu.koostaTaustat();
    etusivu.taytaNakymat();

    etusivu.luoAanet(&system);
    const bool pelaa = etusivu.aloita() == Etusivu::Lopetus::Pelaa;
    etusivu.vapautaValikko();
    if (pelaa) {
        etusivu.aloitaPelimusiikki();
        peli.lataa(&system);
        peli.peliin(etusivu.haeRuutu(), &system, asetus.aanet);
    }
    etusivu.vapautaPelimusiikki();
    system.sulje();
    syote::suljeOhjain();
    SDL_Quit();
    return 0;
}

// Everything of the program's own lives here and is gone before the font
// library shuts down. The sound system is made first, so it goes last.
int ajaOhjelma() {
    asetukset asetus;
    AaniJarjestelma system;
    Peli peli;
    config_file kieli;
    valikko paavalikko;
    asetus_valikko asetusvalikko;
    asetus = haeAsetukset();
    kieli.lataa_tiedosto("media/language/suomi.txt");
    if (TTF_Init() == -1) return 1;
    return ajaNaytot(asetus, system, peli, kieli, paavalikko, asetusvalikko);
}

}  // namespace

int alusta_SDL() {
    std::cout << "Alustetaan SDL:lää..." << std::endl;
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) < 0) {
        std::cout << "SDL:n alustus ei onnistunut: " << SDL_GetError() << std::endl;
        return 1;
    }
    return 0;
}

int SDL_main(int, char**) {
    const int tila = ajaOhjelma();
    if (TTF_WasInit()) TTF_Quit();
    return tila;
}
