#pragma once
// The drawing helpers every screen of the game uses: blitting a whole image,
// opening a font, rendering a text, and making the game's off-screen surfaces.

#include <SDL.h>
#include <SDL_ttf.h>

#include <string>

#include "kahvat.h"

// How a text is rendered.
enum textquality { solid = 0, shaded = 1, blended = 2 };

// The text colours of the game; the fourth byte of a foreground is 255 and
// every text call passes the transparent black as its background.
namespace vari {
constexpr SDL_Color valkoinen{255, 255, 255, 255};
constexpr SDL_Color musta{0, 0, 0, 255};
constexpr SDL_Color korostus{70, 108, 178, 255};
constexpr SDL_Color tausta{0, 0, 0, 0};
}  // namespace vari

// Blits the whole of `kuva` onto `kohde` with its top-left corner at (x, y).
// A null surface draws nothing.
void PiirraKuva(SDL_Surface* kuva, SDL_Surface* kohde, int x, int y);

// The same, showing at most the leftmost `leveys` pixels of `kuva`: a text
// that would run into the next column is cut at the column's edge.
void piirraRajattuna(SDL_Surface* kuva, SDL_Surface* kohde, int x, int y, int leveys);

// Opens a TrueType font; on failure writes "Fontti ei voitu ladata:" and the
// library's error to standard output and returns null.
TTF_Font* LoadFont(const char* tiedosto, int koko);

// Renders UTF-8 `teksti` (one line; a trailing line end is not drawn) into `*kohde` (the previous
// surface is not freed: the caller owns every rendered surface). An empty text or a null font gives
// a null surface; a quality outside 0..2 leaves the slot as it was.
void blitText(TTF_Font* fontti, SDL_Surface** kohde, SDL_Color etuvari, SDL_Color taustavari,
              const char* teksti, textquality laatu);

// Opens a font like LoadFont, as an owning handle.
Fontti lataaFontti(const char* tiedosto, int koko);

// Renders a text blended, as an owning handle (null for an empty text).
Pinta renderoiTeksti(TTF_Font* fontti, SDL_Color etuvari, const std::string& teksti);
// Renders a text blended into the handle, releasing the surface it held.
void vaihdaTeksti(TTF_Font* fontti, Pinta& kohde, SDL_Color etuvari, const std::string& teksti);

// A new fully transparent 32-bit RGBA surface, the format of every composed
// picture of the game.
Pinta luoPinta(int leveys, int korkeus);

// A new opaque black surface in the screen's own pixel format, for a picture
// composed of opaque layers that is copied to the screen every frame: blits
// onto it and from it take SDL's fast paths, and it needs no conversion. Like
// luoPinta before the screen is open.
Pinta luoNaytonPinta(int leveys, int korkeus);

// Copies an opaque picture into a picture of the same size in the screen's
// format. From the RGBA byte order of the game's images to the screen's
// usual XRGB this is a plain reordering of bytes, done here in one tight
// pass (SDL 1.2 has no fast path for it and takes over ten times as long);
// any other pair of formats goes through SDL's blit.
void kopioiNaytonMuotoon(SDL_Surface* lahde, SDL_Surface* kohde);

// Loads an image and, once the screen is open, converts it to the screen's
// format (keeping its alpha channel) so that every later blit is cheap.
// A missing or broken file gives null.
Pinta lataaKuva(const std::string& polku);

// True when every pixel of the surface is fully opaque; a surface without an
// alpha channel always is.
bool onkoLapinakymaton(SDL_Surface* pinta);

// Converts a finished picture to the screen's pixel format so that copying it
// every frame is cheap, and releases the original: an opaque picture becomes
// a plain copy (blending an opaque pixel is a copy), any other keeps its
// alpha channel. Without a screen, or when converting fails, the picture is
// returned as it was.
Pinta naytonMuotoon(Pinta kuva);
// The same as a new copy, keeping the original; null without a screen or
// when converting fails.
Pinta naytonMuotoinenKopio(SDL_Surface* kuva);
