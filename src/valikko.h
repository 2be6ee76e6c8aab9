#pragma once
// The list menu of the front end: items with a position and a normal and a
// selected image, and one selected index. The caller draws the normal images
// into its background; the menu draws only the highlight of the selection.

#include <SDL.h>

#include <cstddef>
#include <vector>

// One item; the menu only refers to the surfaces, the caller owns them.
struct valikko_kohta {
    int x;
    int y;
    int leveys;         // carried for the caller, not read by the menu
    int korkeus;        // carried for the caller, not read by the menu
    SDL_Surface* kuva;  // normal image, drawn by the caller
    SDL_Surface* valittuKuva;
};

class valikko {
  public:
    valikko();
    ~valikko() = default;  // releases the list only; nothing derives from this

    // Draws the selected item's highlighted image onto `pinta`.
    virtual void piirraPinta(SDL_Surface* pinta);
    // Appends one item; nothing is validated, null surfaces are accepted.
    virtual void lisaaValinta(SDL_Surface* kuva, SDL_Surface* valittuKuva, int x, int y, int leveys,
                              int korkeus);
    // Removes the last item whatever the argument; an empty list stays empty.
    virtual void poistaValinta(int);

    int haeValinta();
    // Sets the selection clamped to the items; it never wraps around.
    void asetaValinta(int i);
    void asetaLisaaValinta(int d);
    // Blits the whole of `kuva` onto `pinta` with its top-left corner at (x, y).
    void piirraValinta(SDL_Surface* kuva, SDL_Surface* pinta, int x, int y);

    // The clamp both menus share: below 0 gives 0, past the last item gives
    // the last item. On an empty list only the lower bound applies.
    static int rajattu(int i, std::size_t kohtia);

  private:
    std::vector<valikko_kohta> kohdat;
    std::vector<valikko_kohta>::iterator kursori;  // working cursor of the drawing loop
    int valinta;
};
