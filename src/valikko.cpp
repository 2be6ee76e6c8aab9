#include "valikko.h"

#include <iostream>

#include "piirto.h"

valikko::valikko() : kursori(kohdat.begin()), valinta(0) {
    std::cout << "Valikko alustettu" << std::endl;
}

void valikko::piirraPinta(SDL_Surface* pinta) {
    int i = 0;
    for (kursori = kohdat.begin(); kursori != kohdat.end(); ++kursori, ++i) {
        if (i == valinta) piirraValinta(kursori->valittuKuva, pinta, kursori->x, kursori->y);
    }
}

void valikko::lisaaValinta(SDL_Surface* kuva, SDL_Surface* valittuKuva, int x, int y, int leveys,
                           int korkeus) {
    kohdat.push_back({x, y, leveys, korkeus, kuva, valittuKuva});
}

void valikko::poistaValinta(int) {
    if (!kohdat.empty()) kohdat.pop_back();
}

int valikko::haeValinta() { return valinta; }

void valikko::asetaValinta(int i) { valinta = rajattu(i, kohdat.size()); }

void valikko::asetaLisaaValinta(int d) { asetaValinta(haeValinta() + d); }

void valikko::piirraValinta(SDL_Surface* kuva, SDL_Surface* pinta, int x, int y) {
    PiirraKuva(kuva, pinta, x, y);
}

int valikko::rajattu(int i, std::size_t kohtia) {
    if (i < 0) i = 0;
    if (kohtia > 0 && static_cast<std::size_t>(i) > kohtia - 1) i = static_cast<int>(kohtia - 1);
    return i;
}
