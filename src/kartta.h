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

// One block of a level: a solid tile at (column x, row y).
struct pala {
    int32_t x = 0;
    int32_t y = 0;
    int32_t tyyppi = 0;     // which of the nine block images, 0..8
    uint8_t lippu = 0;      // stored and loaded, read by nothing else
    int32_t alkupiste = 0;  // 1 marks the start block
};

// The map is handed around by value (the player character works on a copy
// every step). A copy shares the images and the level picture and frees
// nothing; only the map that loaded an image or made a picture frees it.
class Kartta {
  public:
    Kartta() = default;
    Kartta(const Kartta& muu);
    Kartta& operator=(const Kartta& muu);
    // Frees what this map still owns, so a map dropped without vapautaKuvat
    // leaks nothing; copies own nothing and free nothing.
    ~Kartta();

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

    // Frees the images and the level picture this map made (nothing when it
    // is a copy). The game calls it once before shutting SDL down.
    void vapautaKuvat();

    // Read access for tests, tools and the painter.
    const std::vector<pala>& haePalat() const { return *palat; }
    SDL_Surface* haeKentta() const { return kentta; }
    aika& haeKello() { return kello; }

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

  private:
    static constexpr int KUVIA = 9;
    void luoKentta();
    void piirraTausta();
    void muunnaNaytonMuotoon();
    void kopioi(const Kartta& muu);
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
    std::array<SDL_Surface*, KUVIA> kuvat{};
    SDL_Surface* tausta = nullptr;
    SDL_Surface* kentta = nullptr;
    bool omatKuvat = false;  // this map loaded kuvat and tausta
    bool omaKentta = false;  // this map made kentta
};
