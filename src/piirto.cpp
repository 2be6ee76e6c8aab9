#include "piirto.h"

#include <SDL_image.h>

#include <algorithm>
#include <iostream>

#include "tiedosto.h"

void PiirraKuva(SDL_Surface* kuva, SDL_Surface* kohde, int x, int y) {
    if (!kuva || !kohde) return;
    SDL_Rect paikka;
    paikka.x = static_cast<Sint16>(x);
    paikka.y = static_cast<Sint16>(y);
    paikka.w = 0;
    paikka.h = 0;
    SDL_UpperBlit(kuva, nullptr, kohde, &paikka);
}

void piirraRajattuna(SDL_Surface* kuva, SDL_Surface* kohde, int x, int y, int leveys) {
    if (!kuva || !kohde || leveys <= 0) return;
    SDL_Rect lahde{0, 0, static_cast<Uint16>(std::min(leveys, kuva->w)),
                   static_cast<Uint16>(kuva->h)};
    SDL_Rect paikka{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_UpperBlit(kuva, &lahde, kohde, &paikka);
}

TTF_Font* LoadFont(const char* tiedosto, int koko) {
    // The font library reads the file as it goes: a FIFO or a device there
    // would stall it, so only a regular file within the cap is opened.
    std::string syy;
    const bool kelpaa = tiedosto::kelpaako(tiedosto, tiedosto::FONTIN_ENINTAAN, syy);
    if (!kelpaa) SDL_SetError("%s: %s", tiedosto, syy.c_str());
    TTF_Font* fontti = kelpaa ? TTF_OpenFont(tiedosto, koko) : nullptr;
    if (!fontti) std::cout << "Fontti ei voitu ladata:" << SDL_GetError() << std::endl;
    return fontti;
}

void blitText(TTF_Font* fontti, SDL_Surface** kohde, SDL_Color etuvari, SDL_Color taustavari,
              const char* teksti, textquality laatu) {
    if (laatu != solid && laatu != shaded && laatu != blended) return;
    // The font library crashes on a null font and makes nothing of an empty text.
    // Texts are one line each; the font library would draw a trailing line
    // end as a missing-glyph box.
    std::string rivi = teksti ? teksti : "";
    while (!rivi.empty() && (rivi.back() == '\n' || rivi.back() == '\r')) rivi.pop_back();
    if (!fontti || rivi.empty()) {
        *kohde = nullptr;
        return;
    }
    switch (laatu) {
        case solid:
            *kohde = TTF_RenderUTF8_Solid(fontti, rivi.c_str(), etuvari);
            break;
        case shaded:
            *kohde = TTF_RenderUTF8_Shaded(fontti, rivi.c_str(), etuvari, taustavari);
            break;
        case blended:
            *kohde = TTF_RenderUTF8_Blended(fontti, rivi.c_str(), etuvari);
            break;
    }
}

Fontti lataaFontti(const char* tiedosto, int koko) { return Fontti(LoadFont(tiedosto, koko)); }

Pinta renderoiTeksti(TTF_Font* fontti, SDL_Color etuvari, const std::string& teksti) {
    SDL_Surface* pinta = nullptr;
    blitText(fontti, &pinta, etuvari, vari::tausta, teksti.c_str(), blended);
    return Pinta(pinta);
}

void vaihdaTeksti(TTF_Font* fontti, Pinta& kohde, SDL_Color etuvari, const std::string& teksti) {
    kohde.reset();
    kohde = renderoiTeksti(fontti, etuvari, teksti);
}

Pinta luoPinta(int leveys, int korkeus) {
    return Pinta(SDL_CreateRGBSurface(SDL_HWSURFACE, leveys, korkeus, 32, 0x000000FF, 0x0000FF00,
                                      0x00FF0000, 0xFF000000));
}

Pinta luoNaytonPinta(int leveys, int korkeus) {
    SDL_Surface* ruutu = SDL_GetVideoSurface();
    if (!ruutu) return luoPinta(leveys, korkeus);
    const SDL_PixelFormat* f = ruutu->format;
    Pinta pinta(SDL_CreateRGBSurface(SDL_SWSURFACE, leveys, korkeus, f->BitsPerPixel, f->Rmask,
                                     f->Gmask, f->Bmask, 0));
    if (pinta) SDL_FillRect(pinta.get(), nullptr, SDL_MapRGB(pinta->format, 0, 0, 0));
    return pinta;
}

namespace {
bool onkoMuoto(const SDL_PixelFormat* f, Uint32 r, Uint32 g, Uint32 b) {
    return f->BytesPerPixel == 4 && f->Rmask == r && f->Gmask == g && f->Bmask == b;
}
}  // namespace

void kopioiNaytonMuotoon(SDL_Surface* lahde, SDL_Surface* kohde) {
    if (!lahde || !kohde) return;
    const bool jarjestettava = onkoMuoto(lahde->format, 0x000000FF, 0x0000FF00, 0x00FF0000) &&
                               onkoMuoto(kohde->format, 0x00FF0000, 0x0000FF00, 0x000000FF) &&
                               lahde->w == kohde->w && lahde->h == kohde->h &&
                               !SDL_MUSTLOCK(lahde) && !SDL_MUSTLOCK(kohde);
    if (!jarjestettava) {
        SDL_SetAlpha(lahde, 0, SDL_ALPHA_OPAQUE);  // a copy, not a blend
        PiirraKuva(lahde, kohde, 0, 0);
        return;
    }
    for (int y = 0; y < lahde->h; ++y) {
        const auto* l = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(lahde->pixels) +
                                                        y * lahde->pitch);
        auto* k = reinterpret_cast<Uint32*>(static_cast<Uint8*>(kohde->pixels) + y * kohde->pitch);
        for (int x = 0; x < lahde->w; ++x) {
            const Uint32 p = l[x];
            k[x] = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
        }
    }
}

// Read through the bounded file layer, so a FIFO, a device or a huge file in
// place of an image gives no image instead of stalling the game.
Pinta lataaKuva(const std::string& polku) {
    const auto tavut = tiedosto::lue(polku, tiedosto::KUVAN_ENINTAAN);
    if (!tavut) return nullptr;
    SDL_RWops* lahde = SDL_RWFromConstMem(tavut->data(), static_cast<int>(tavut->size()));
    return naytonMuotoon(Pinta(IMG_Load_RW(lahde, 1)));
}

bool onkoLapinakymaton(SDL_Surface* pinta) {
    const Uint32 alfa = pinta->format->Amask;
    if (!alfa) return true;
    if (pinta->format->BytesPerPixel != 4 || SDL_MUSTLOCK(pinta)) return false;
    for (int y = 0; y < pinta->h; ++y) {
        const Uint32* rivi = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(pinta->pixels) + y * pinta->pitch);
        for (int x = 0; x < pinta->w; ++x)
            if ((rivi[x] & alfa) != alfa) return false;
    }
    return true;
}

Pinta naytonMuotoinenKopio(SDL_Surface* kuva) {
    if (!kuva || !SDL_GetVideoSurface()) return nullptr;
    const bool lapinakymaton = onkoLapinakymaton(kuva);
    Pinta muunnettu(lapinakymaton ? SDL_DisplayFormat(kuva) : SDL_DisplayFormatAlpha(kuva));
    // The conversion keeps the source's alpha flag. Classic SDL copies a
    // surface of full alpha and no alpha channel anyway; SDL 1.2 over SDL2
    // blends it pixel by pixel, 40 times slower. Clearing it copies there too.
    if (muunnettu && lapinakymaton) SDL_SetAlpha(muunnettu.get(), 0, SDL_ALPHA_OPAQUE);
    return muunnettu;
}

Pinta naytonMuotoon(Pinta kuva) {
    Pinta muunnettu = naytonMuotoinenKopio(kuva.get());
    return muunnettu ? std::move(muunnettu) : std::move(kuva);
}
