#pragma once
// The level map: the blocks of a level, the level file format, the level
// clock, the painted level picture, scrolling and the collision query.

#include <SDL.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "aika.h"
#include "kahvat.h"

// One block of a level: a solid tile at (column x, row y).
struct pala {
    int32_t x = 0;
    int32_t y = 0;
    int32_t tyyppi = 0;     // which of the nine block images, 0..8
    uint8_t lippu = 0;      // stored and loaded, read by nothing else
    int32_t alkupiste = 0;  // 1 marks the start block
};

// The map is handed around by value (the player character works on a copy
// every step). A copy shares the images, the level picture and the block
// list; each is released when the last map holding it goes.
class Kartta {
  public:
    // Level file: reading appends the blocks and makes a new blank picture
    // of the level's size; writing replaces the file's contents.
    void lataaKartta(std::string tiedosto);
    void tallennaKartta(std::string tiedosto);
    // The same over bytes as they are stored on disk (line ends translated).
    void lataaTavuista(std::string_view tavut);
    std::string tavuiksi() const;
    // Just the block records of stored bytes; a record cut short is dropped.
    static std::vector<pala> luePalat(std::string_view tavut);

    int haeLeveys();
    int haeKorkeus();
    int haeAlkuP_X();
    int haeAlkuP_Y();
    void luoNelio(int x, int y, int w, int h);
    void poistaKaikkiPalikkat();
    int haeRuudunkoko();
    minsec haeAika();

    // Images, painting and scrolling.
    void lataaKuvat();
    void piirraKentta();
    void piirraPalanen(SDL_Surface* kuva, SDL_Surface* kohde, int x, int y);
    void piirraKartta(SDL_Surface* ruutu);
    void vier(int x, int y);
    void rajoita_Vier();
    int haeVier_X();
    int haeVier_Y();
    bool tarkistaTormays(int x, int y);

    // Lets go of the images and the level picture (copies keep theirs).
    void vapautaKuvat();

    // Read access for tests, tools and the painter.
    const std::vector<pala>& haePalat() const { return *palat; }
    SDL_Surface* haeKentta() const { return kentta.get(); }
    aika& haeKello() { return kello; }

    // The goal tile of every level (the hero's top-left corner in it ends the
    // level). Its marker is painted into the level picture, not solid.
    static constexpr int MAALI_SARAKE = 83;
    static constexpr int MAALI_RIVI = 13;
    // The marker's foot stands on the top edge of this row: a hero (101
    // pixels tall) standing with its top in the goal row has its feet there.
    static constexpr int MERKIN_JALKARIVI = MAALI_RIVI + 4;

    // The largest level picture made, per side and in all; a level beyond
    // these keeps no picture but still answers collisions. The fuzzing build
    // sets a smaller total, so that each input is painted and drawn in
    // microseconds instead of milliseconds.
    static constexpr int64_t SUURIN_SIVU_PIKSELEINA = 8192;
#ifdef HIEKKATORNI_KENTAN_KUVA_ENINTAAN
    static constexpr int64_t SUURIN_PINTA_TAVUINA = HIEKKATORNI_KENTAN_KUVA_ENINTAAN;
#else
    static constexpr int64_t SUURIN_PINTA_TAVUINA = 64ll * 1024 * 1024;
#endif
    // The memory kept for the level picture: enough for every level the
    // level tools accept (about 120 x 40 tiles), never more than the largest
    // picture.
    static constexpr size_t VARATTU_KUVA_TAVUINA =
        std::min<size_t>(20u * 1024 * 1024, SUURIN_PINTA_TAVUINA);

  private:
    static constexpr int KUVIA = 9;
    // The images of a level, loaded once and shared by every copy.
    struct Kuvasto {
        std::array<Pinta, KUVIA> kuvat;
        Pinta tausta;
        Pinta maalimerkki;
    };

    // Which cells hold a block, over the blocks' bounding box: the collision
    // query answers from it exactly as a scan of the list would. Rebuilt at
    // every change of the blocks and shared by copies like the list; none
    // when the box is too large (a hostile file), and the list is scanned.
    struct Ruudukko {
        int64_t vasen = 0, yla = 0, leveys = 0, korkeus = 0;
        std::vector<uint8_t> varattu;
    };

    void luoKentta();
    bool piirtyykoPeittavaksi() const;
    std::shared_ptr<SDL_Surface> luoNaytonMuotoinen(const SDL_PixelFormat* muoto, int w, int h);
    void piirraTausta();
    void piirraMaalimerkki(SDL_Surface* apu);
    Pinta luoSekoitusapu() const;
    void piirraKenttaan(SDL_Surface* kuva, SDL_Surface* apu, int x, int y);
    void paivitaRuudukko();
    SDL_Surface* haeKuva(int tyyppi) const;
    std::vector<pala>& muokattavat();

    aika kello;
    // The blocks. Copies share one list until either changes it (the physics
    // copies the map several times a step and never changes it), so every
    // map still behaves as the only owner of its own list.
    std::shared_ptr<std::vector<pala>> palat = std::make_shared<std::vector<pala>>();
    int ruudunkoko = 32;
    int leveys = 0;
    int korkeus = 0;
    int vier_X = 0;
    int vier_Y = 0;
    std::shared_ptr<const Kuvasto> kuvat;
    std::shared_ptr<SDL_Surface> kentta;
    std::shared_ptr<const Ruudukko> ruudukko;
    // The pixels of a picture made in the screen's format: that picture only
    // points at them and holds them while it lives; the map keeps them from
    // level to level to paint the next level into.
    std::shared_ptr<Uint8[]> kentanPikselit;
    size_t kentanTila = 0;
};
