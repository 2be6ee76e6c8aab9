#include "ohjelma.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdlib>
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

// SDL 1.2 over SDL2 (sdl12-compat) shows the 1.2 screen through an SDL2
// renderer: by default an OpenGL one that filters linearly, which without a
// GPU (Mesa's software GL) takes almost half a core at 60 frames/s and drops
// frames on a busy machine. Its software renderer on a plain window surface,
// scaling by nearest pixel, holds 60 at a tenth of a core. The settings are
// the library's documented environment variables; one the player has set is
// left as it is, and classic SDL 1.2 does not read them.
void valitseSdl2Piirto() {
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
}

}  // namespace

// Video first and audio on its own: an audio device that cannot open means a
// silent game, never no game (SDL 1.2 over SDL2 fails a joint start as a
// whole when the audio driver fails).
int alusta_SDL() {
    std::cout << "Alustetaan SDL:lää..." << std::endl;
    valitseSdl2Piirto();
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::cout << "SDL:n alustus ei onnistunut: " << SDL_GetError() << std::endl;
        return 1;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0)
        std::cout << "Ääntä ei voitu alustaa, peli jatkuu hiljaa: " << SDL_GetError() << std::endl;
    return 0;
}

int SDL_main(int, char**) {
    const int tila = ajaOhjelma();
    if (TTF_WasInit()) TTF_Quit();
    return tila;
}
