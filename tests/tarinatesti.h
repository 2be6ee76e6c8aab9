#pragma once
// A headless stage for the story screen tests: a private working directory
// with its own media tree of solid-colour pictures, an open 1024x768 dummy
// screen, and a frame hook that runs a script of key presses.

#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "kehys.h"
#include "testiapu.h"

using kehys::paina;
using kehys::suljeIkkuna;

// The colour at (x, y) as 0xRRGGBB.
inline Uint32 pikseli(SDL_Surface* s, int x, int y) {
    Uint32 arvo = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 4);
    Uint8 r, g, b;
    SDL_GetRGB(arvo, s->format, &r, &g, &b);
    return (Uint32(r) << 16) | (Uint32(g) << 8) | b;
}

// How many pixels of the rectangle [x0, x1) x [y0, y1) satisfy `ehto`.
inline int laske(SDL_Surface* s, int x0, int y0, int x1, int y1,
                 const std::function<bool(Uint32 rgb)>& ehto) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += ehto(pikseli(s, x, y));
    return n;
}
inline int poikkeavia(SDL_Surface* s, int x0, int y0, int x1, int y1, Uint32 rgb) {
    return laske(s, x0, y0, x1, y1, [rgb](Uint32 p) { return p != rgb; });
}
// Text pixels: a channel of at least a quarter on black (SDL's alpha blit
// leaves 1/256 of what an opaque pixel covers, so black is not exactly 0).
inline int kirkkaita(SDL_Surface* s, int x0, int y0, int x1, int y1) {
    return laske(s, x0, y0, x1, y1, [](Uint32 p) { return (p & 0xC0C0C0) != 0; });
}

class TarinaTesti : public ::testing::Test {
  protected:
    void SetUp() override {
        hakemisto = std::make_unique<TestiHakemisto>();
        std::filesystem::remove("media");  // the game's own media stays out
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
        ASSERT_EQ(TTF_Init(), 0);
        ruutu = SDL_SetVideoMode(1024, 768, 32, SDL_SWSURFACE);
        ASSERT_NE(ruutu, nullptr);
    }

    void TearDown() override {
        kehys::asetaTestikoukku({});
        TTF_Quit();
        SDL_Quit();
        hakemisto.reset();
    }

    // A solid opaque picture in 0xRRGGBB under media/images/: a BMP under the
    // .png name, which the image loader recognises by its content.
    static void luoKuva(const std::string& nimi, int w, int h, Uint32 rgb) {
        std::filesystem::create_directories("media/images");
        SDL_Surface* p = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        SDL_FillRect(p, nullptr, rgb);
        SDL_SaveBMP(p, ("media/images/" + nimi).c_str());
        SDL_FreeSurface(p);
    }

    // Links both game fonts into the media tree: the game's own when they
    // exist, otherwise a system font. False when there is none at all.
    static bool luoFontit() {
        namespace fs = std::filesystem;
        fs::create_directories("media/fonts");
        const fs::path jarjestelma = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
        for (const char* nimi : {"juoni.ttf", "normaali.ttf"}) {
            fs::path oma = fs::path(projektinJuuri()) / "media/fonts" / nimi;
            fs::path lahde = fs::exists(oma) ? oma : jarjestelma;
            if (!fs::exists(lahde)) return false;
            fs::create_symlink(lahde, fs::path("media/fonts") / nimi);
        }
        return true;
    }

    // Runs `kasikirjoitus` after every frame, starting from an empty event
    // queue. A screen still running after far too many frames fails the
    // test and is left with Escape.
    void aja(std::function<void(Nakyma nakyma, long kehys)> kasikirjoitus) {
        SDL_Event jaanyt;
        while (SDL_PollEvent(&jaanyt)) {
        }
        kehys::asetaTestikoukku([k = std::move(kasikirjoitus)](Nakyma n, long kehys) {
            k(n, kehys);
            if (kehys > ENINTAAN_KEHYKSIA) {
                ADD_FAILURE() << "screen did not end";
                paina(SDLK_ESCAPE);
            }
        });
    }

    static constexpr long ENINTAAN_KEHYKSIA = 500;

    std::unique_ptr<TestiHakemisto> hakemisto;
    SDL_Surface* ruutu = nullptr;
};
