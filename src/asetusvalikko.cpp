#include "asetusvalikko.h"

#include <iostream>

#include "piirto.h"
#include "valikko.h"

// The on/off images start null, so a menu drawn before they are set shows no
// value instead of blitting from unset pointers.
asetus_valikko::asetus_valikko()
    : kursori(kohdat.begin()),
      valinta(0),
      tosi(nullptr),
      epatosi(nullptr),
      tosiValittu(nullptr),
      epatosiValittu(nullptr) {
    std::cout << "Valikko alustettu" << std::endl;
}

void asetus_valikko::piirraPinta(SDL_Surface* pinta) {
    int i = 0;
    for (kursori = kohdat.begin(); kursori != kohdat.end(); ++kursori, ++i) {
        bool valittu = i == valinta;
        if (valittu) piirraValinta(kursori->valittuKuva, pinta, kursori->x, kursori->y);
        if (i < ARVOKOHTIA) piirraArvo(*kursori, valittu, pinta);
    }
}

void asetus_valikko::piirraArvo(const asetus_valikko_kohta& kohta, bool valittu,
                                SDL_Surface* pinta) {
    SDL_Surface* kuva =
        valittu ? (kohta.arvo ? tosiValittu : epatosiValittu) : (kohta.arvo ? tosi : epatosi);
    piirraValinta(kuva, pinta, kohta.x + kohta.leveys + kohta.arvoX, kohta.y + kohta.arvoY);
}

void asetus_valikko::lisaaValinta(SDL_Surface* kuva, SDL_Surface* valittuKuva, int x, int y,
                                  int leveys, int korkeus, bool arvo, int arvoX, int arvoY) {
    kohdat.push_back({x, y, leveys, korkeus, kuva, valittuKuva, arvo, arvoX, arvoY});
}

void asetus_valikko::poistaValinta(int) {
    if (!kohdat.empty()) kohdat.pop_back();
}

int asetus_valikko::haeValinta() { return valinta; }

void asetus_valikko::asetaValinta(int i) { valinta = valikko::rajattu(i, kohdat.size()); }

void asetus_valikko::asetaLisaaValinta(int d) { asetaValinta(haeValinta() + d); }

void asetus_valikko::piirraValinta(SDL_Surface* kuva, SDL_Surface* pinta, int x, int y) {
    PiirraKuva(kuva, pinta, x, y);
}

void asetus_valikko::asetaTosiJaEpatosi(SDL_Surface* tosi, SDL_Surface* epatosi,
                                        SDL_Surface* tosiValittu, SDL_Surface* epatosiValittu) {
    this->tosi = tosi;
    this->epatosi = epatosi;
    this->tosiValittu = tosiValittu;
    this->epatosiValittu = epatosiValittu;
}

bool asetus_valikko::onkoKohta(int i) const {
    return i >= 0 && static_cast<std::size_t>(i) < kohdat.size();
}

void asetus_valikko::vaihdaTosi(int i) {
    if (onkoKohta(i)) kohdat[i].arvo = !kohdat[i].arvo;
}

int asetus_valikko::haeArvo(int i) { return onkoKohta(i) && kohdat[i].arvo ? 1 : 0; }
