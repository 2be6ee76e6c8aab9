#pragma once
// The settings menu: a list menu whose items also carry an on/off value. The
// first items show their value as one of four shared on/off images drawn to
// the right of the item's label.

#include <SDL.h>

#include <vector>

// One item; the menu only refers to the surfaces, the caller owns them.
struct asetus_valikko_kohta {
    int x;
    int y;
    int leveys;         // width of the label area; the on/off image starts past it
    int korkeus;        // carried for the caller, not read by the menu
    SDL_Surface* kuva;  // normal label image, drawn by the caller
    SDL_Surface* valittuKuva;
    bool arvo;
    int arvoX;  // extra horizontal offset of the on/off image
    int arvoY;  // vertical offset of the on/off image from y
};

class asetus_valikko {
  public:
    // Only this many items, counted from the first, show an on/off image.
    static constexpr int ARVOKOHTIA = 3;

    asetus_valikko();
    ~asetus_valikko() = default;  // releases the list only; nothing derives from this

    // Draws the selected label and the on/off images of the first items.
    virtual void piirraPinta(SDL_Surface* pinta);
    virtual void lisaaValinta(SDL_Surface* kuva, SDL_Surface* valittuKuva, int x, int y, int leveys,
                              int korkeus, bool arvo, int arvoX, int arvoY);
    // Removes the last item whatever the argument; an empty list stays empty.
    virtual void poistaValinta(int);

    int haeValinta();
    // Sets the selection clamped to the items; it never wraps around.
    void asetaValinta(int i);
    void asetaLisaaValinta(int d);
    // Blits the whole of `kuva` onto `pinta` with its top-left corner at (x, y).
    void piirraValinta(SDL_Surface* kuva, SDL_Surface* pinta, int x, int y);

    // The on/off images: on and off while not selected, on and off while selected.
    void asetaTosiJaEpatosi(SDL_Surface* tosi, SDL_Surface* epatosi, SDL_Surface* tosiValittu,
                            SDL_Surface* epatosiValittu);
    // Toggles the value of item i; an index outside the list changes nothing.
    void vaihdaTosi(int i);
    // 1 when item i is on, 0 when it is off or outside the list.
    int haeArvo(int i);

  private:
    bool onkoKohta(int i) const;
    void piirraArvo(const asetus_valikko_kohta& kohta, bool valittu, SDL_Surface* pinta);

    std::vector<asetus_valikko_kohta> kohdat;
    std::vector<asetus_valikko_kohta>::iterator kursori;  // working cursor of the loops
    int valinta;
    SDL_Surface* tosi;
    SDL_Surface* epatosi;
    SDL_Surface* tosiValittu;
    SDL_Surface* epatosiValittu;
};
