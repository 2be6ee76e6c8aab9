#include "tarina.h"

#include "piirto.h"
#include "syote.h"

namespace tarina {

namespace {
constexpr int PIENIN_KOKO = 8;  // pt; a line that fits at no size is drawn at this
}

void Juonifontti::lataa(const std::string& tiedosto_, int koko_) {
    tiedosto = tiedosto_;
    koko = koko_;
    koot.clear();
    riveille.clear();
    koossa(koko);  // reports a missing font once, at load
}

TTF_Font* Juonifontti::koossa(int k) {
    auto loydetty = koot.find(k);
    if (loydetty != koot.end()) return loydetty->second.get();
    Fontti uusi(k == koko ? LoadFont(tiedosto.c_str(), k) : TTF_OpenFont(tiedosto.c_str(), k));
    return koot.emplace(k, std::move(uusi)).first->second.get();
}

TTF_Font* Juonifontti::sopiva(const std::string& rivi, int x, int leveys) {
    auto loydetty = riveille.find(rivi);
    if (loydetty != riveille.end()) return loydetty->second;
    TTF_Font* fontti = koossa(koko);
    for (int k = koko; fontti && k > PIENIN_KOKO; --k) {
        int w = 0, h = 0;
        TTF_Font* kokeiltava = koossa(k);
        if (!kokeiltava || TTF_SizeUTF8(kokeiltava, rivi.c_str(), &w, &h) != 0) break;
        fontti = kokeiltava;
        if (x + w <= leveys) break;
    }
    riveille[rivi] = fontti;
    return fontti;
}

int kasitteleTapahtumat(SDL_Event& tapahtuma, bool& lopetus, Nakyma nakyma) {
    int painalluksia = 0;
    bool suljettu = false;
    while (syote::lueTapahtuma(tapahtuma, nakyma)) {
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
        askel += kasitteleTapahtumat(tapahtuma, lopetus, nakyma);
        if (askel > viimeinen) break;
        piirraAskel(askel);
        vaihdaKehys(ruutu, nakyma);
    }
}

void piirraKehys(SDL_Surface* ruutu, SDL_Surface* taustakuva, SDL_Surface* kuva, int x, int y,
                 Juonifontti& fontti, SDL_Color vari, const std::string& rivi, Pinta& tekstikuva) {
    PiirraKuva(taustakuva, ruutu, 0, 0);
    PiirraKuva(kuva, ruutu, x, y);
    vaihdaTeksti(fontti.sopiva(rivi, 0, ruutu ? ruutu->w : 0), tekstikuva, vari, rivi);
    PiirraKuva(tekstikuva.get(), ruutu, 0, 0);
}

}  // namespace tarina
