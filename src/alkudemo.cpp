#include "alkudemo.h"

#include "kehys.h"
#include "tarina.h"

namespace {

constexpr int LEVEYS = 1024;          // px, the screen
constexpr int KORKEUS = 768;          // px
constexpr int JUONIFONTIN_KOKO = 35;  // pt
constexpr int PAPPI_X = 700;          // px, where Apuri stands
constexpr int PAPPI_Y = 133;
constexpr int KAANTYMISASKEL = 2;  // "Apuri kääntyi minua vastaan."

const std::array<const char*, Alkudemo::REPLIIKKEJA> DIALOGI = {
    "Apuri:  Hei, minulla on sinulle tehtävä.",
    "Minä: Mikä tehtävä?",
    "Apuri kääntyi minua vastaan.",
    "Apuri: Sinun täytyy pelastaa yhteiskunta.",
    "Minä: No, mikäpäs siinä.",
    "Apuri: Mene saharan aavikolle, sinne on Magnus taikonut taian.",
    "Apuri: Se taika laittoi hiekan ilmaan, sellaisiksi tasoiksi.",
    "Apuri: Mene niitä pitkin mahdollisilman ylös ja tapa siellä Magnus",
    "Minä: Mitäs se on tehnyt?",
    "Apuri: Muutama vuosi takaperin muuan Magnus taikoi maapallolle taian.",
    "Apuri: Se muutti kaiken esineellisen hiekaksi ja nosti sitten ne ilmaan.",
    "Apuri: Mutta se siitä, sinun täytyy kiirehtiä, aikaa on rajoitetusti",
    "Apuri: Magnus nimittäin muutti hiekaksi kaikki meidän makkarat.",
    "Minä: Minä menen...",
};

}  // namespace

void Alkudemo::lataa() {
    pappi = lataaKuva("media/images/peli_pappi.png");
    pappiVasen = lataaKuva("media/images/peli_pappiv.png");
    hahmo = lataaKuva("media/images/peli_hahmo.png");
    tausta = lataaKuva("media/images/pelidemo_tausta.png");
    for (int i = 0; i < REPLIIKKEJA; ++i) repliikit[i] = DIALOGI[i];
    juonifontti.lataa("media/fonts/juoni.ttf", JUONIFONTIN_KOKO);
    koostaTausta();
}

// The backdrop, two scenery pictures that are needed only here, and the hero.
void Alkudemo::koostaTausta() {
    taustakuva = luoPinta(LEVEYS, KORKEUS);
    PiirraKuva(tausta.get(), taustakuva.get(), 0, 0);
    PiirraKuva(lataaKuva("media/images/kuva10.png").get(), taustakuva.get(), 10, 350);
    PiirraKuva(lataaKuva("media/images/kuva7.png").get(), taustakuva.get(), 540, 245);
    PiirraKuva(hahmo.get(), taustakuva.get(), 200, 600);
    taustakuva = naytonMuotoon(std::move(taustakuva));
}

void Alkudemo::aloita(SDL_Surface* ruutu) {
    tarina::aloita(ruutu, Nakyma::Alkudemo, REPLIIKKEJA - 1, tapahtuma, lopetus, [&](int askel) {
        tekstipuskuri = repliikit[askel];
        tarina::piirraKehys(ruutu, taustakuva.get(), haePappiKuva(askel), PAPPI_X, PAPPI_Y,
                            juonifontti, vari::musta, tekstipuskuri, tekstikuva);
    });
}

SDL_Surface* Alkudemo::haePappiKuva(int askel) const {
    return (askel < KAANTYMISASKEL ? pappi : pappiVasen).get();
}

void Alkudemo::PiirraKuva(SDL_Surface* kuva, SDL_Surface* kohde, int x, int y) {
    ::PiirraKuva(kuva, kohde, x, y);
}

TTF_Font* Alkudemo::LoadFont(const char* tiedosto, int koko) { return ::LoadFont(tiedosto, koko); }

void Alkudemo::blitText(TTF_Font* fontti, SDL_Surface** kohde, SDL_Color etuvari,
                        SDL_Color taustavari, const char* teksti, textquality laatu) {
    ::blitText(fontti, kohde, etuvari, taustavari, teksti, static_cast<::textquality>(laatu));
}
