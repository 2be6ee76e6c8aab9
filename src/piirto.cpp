#include "piirto.h"

#include <SDL_image.h>

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

void vaihdaTeksti(TTF_Font* fontti, SDL_Surface** kohde, SDL_Color etuvari, const char* teksti) {
    vapautaPinta(*kohde);
    blitText(fontti, kohde, etuvari, vari::tausta, teksti, blended);
}

SDL_Surface* luoPinta(int leveys, int korkeus) {
    return SDL_CreateRGBSurface(SDL_HWSURFACE, leveys, korkeus, 32, 0x000000FF, 0x0000FF00,
                                0x00FF0000, 0xFF000000);
}

// Read through the bounded file layer, so a FIFO, a device or a huge file in
// place of an image gives no image instead of stalling the game.
SDL_Surface* lataaKuva(const std::string& polku) {
    const auto tavut = tiedosto::lue(polku, tiedosto::KUVAN_ENINTAAN);
    if (!tavut) return nullptr;
    SDL_RWops* lahde = SDL_RWFromConstMem(tavut->data(), static_cast<int>(tavut->size()));
    return naytonMuotoon(IMG_Load_RW(lahde, 1));
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

SDL_Surface* naytonMuotoon(SDL_Surface* kuva) {
    if (!kuva || !SDL_GetVideoSurface()) return kuva;
    const bool lapinakymaton = onkoLapinakymaton(kuva);
    SDL_Surface* muunnettu = lapinakymaton ? SDL_DisplayFormat(kuva) : SDL_DisplayFormatAlpha(kuva);
    if (!muunnettu) return kuva;
    // The conversion keeps the source's alpha flag. Classic SDL copies a
    // surface of full alpha and no alpha channel anyway; SDL 1.2 over SDL2
    // blends it pixel by pixel, 40 times slower. Clearing it copies there too.
    if (lapinakymaton) SDL_SetAlpha(muunnettu, 0, SDL_ALPHA_OPAQUE);
    SDL_FreeSurface(kuva);
    return muunnettu;
}

void suljeFontti(TTF_Font*& fontti) {
    if (fontti && TTF_WasInit()) TTF_CloseFont(fontti);
    fontti = nullptr;
}

void vapautaPinta(SDL_Surface*& pinta) {
    if (pinta) SDL_FreeSurface(pinta);
    pinta = nullptr;
}
