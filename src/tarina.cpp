#include "tarina.h"

#include "piirto.h"

namespace tarina {

int kasitteleTapahtumat(SDL_Event& tapahtuma, bool& lopetus) {
    int painalluksia = 0;
    bool suljettu = false;
    while (SDL_PollEvent(&tapahtuma)) {
        if (tapahtuma.type == SDL_QUIT) {
            lopetus = suljettu = true;
        } else if (tapahtuma.type == SDL_KEYDOWN) {
            if (tapahtuma.key.keysym.sym == SDLK_ESCAPE) lopetus = true;
            if (tapahtuma.key.keysym.sym == SDLK_SPACE) ++painalluksia;
        }
    }
    // Closing the window ends the whole program, not just the story: the
    // event goes back in the queue for the screen that follows.
    if (suljettu) kehys::suljeIkkuna();
    return painalluksia;
}

void aloita(SDL_Surface* ruutu, Nakyma nakyma, int viimeinen, SDL_Event& tapahtuma, bool& lopetus,
            const std::function<void(int askel)>& piirraAskel) {
    lopetus = false;
    int askel = 0;
    while (!lopetus && askel <= viimeinen) {
        askel += kasitteleTapahtumat(tapahtuma, lopetus);
        if (askel > viimeinen) break;
        piirraAskel(askel);
        vaihdaKehys(ruutu, nakyma);
    }
}

void piirraKehys(SDL_Surface* ruutu, SDL_Surface* taustakuva, SDL_Surface* kuva, int x, int y,
                 TTF_Font* fontti, SDL_Color vari, const std::string& rivi,
                 SDL_Surface*& tekstikuva) {
    PiirraKuva(taustakuva, ruutu, 0, 0);
    PiirraKuva(kuva, ruutu, x, y);
    vaihdaTeksti(fontti, &tekstikuva, vari, rivi.c_str());
    PiirraKuva(tekstikuva, ruutu, 0, 0);
}

}  // namespace tarina
