#pragma once
// The player character: one physics step per frame from the player's input
// record, with tile collision against a copy of the level map, and drawing.

#include <SDL.h>

#include "aani.h"
#include "kahvat.h"
#include "kartta.h"
#include "syote.h"

class Ukko {
  public:
    // The character owns its images and its sound, so it is never copied.
    Ukko() = default;

    // The whole physics state: everything one step reads from the last one.
    // The horizontal speed is not in it (every step starts it from zero).
    struct Tila {
        int x = 0;
        int y = 0;
        float nopeusY = 0.0f;
        bool voiHypata = false;
        bool oikealle = true;
    };

    // Loads the images and the jump sound (a null system loads no sound) and
    // puts the character at its start, standing still, facing right.
    void lataa(AaniJarjestelma* system);
    // One physics step with this frame's input (the keyboard, read once in
    // syote::hae); `aanet` false keeps the jump silent.
    void ajattele(Kartta kartta, AaniJarjestelma* system, bool aanet);
    // The same step with a given input record: the game's frame, replays,
    // tools and tests call this.
    void ajattele(Kartta kartta, const Syote& syote, AaniJarjestelma* system, bool aanet);
    bool tormays_pysty(int px, int py, int& sarake, Kartta kartta);
    bool tormays_vaaka(int px, int py, int& rivi, Kartta kartta);
    void piirra(SDL_Surface* ruutu, Kartta kartta);
    int haeX();
    int haeY();
    void asetaPaikka(int x, int y);

    Tila haeTila() const;
    void asetaTila(const Tila& tila);
    float haeNopeusY() const { return nopeusY; }
    bool voikoHypata() const { return voiHypata; }
    bool onkoOikealle() const { return oikealle; }
    // The image piirra would draw now.
    SDL_Surface* haeKuva() const;

    // Lets go of the images and the sound.
    void vapauta();

    static constexpr int ALKU_X = 96;  // start, map pixels
    static constexpr int ALKU_Y = 960;
    static constexpr int KORKEUS = 100;  // collision box extent, pixels
    static constexpr int LEVEYS = 83;
    static constexpr float KAVELYNOPEUS = 5.0f;    // pixels per step
    static constexpr float HYPPYNOPEUS = -12.5f;   // pixels per step, upward
    static constexpr float PAINOVOIMA = 0.5f;      // pixels per step per step
    static constexpr float SEISONTANOPEUS = 1.0f;  // keeps probing 1 pixel below the feet
    static constexpr float HYPPYAANEN_VOIMAKKUUS = 0.4f;

  private:
    void liikuVaakaan(Kartta& kartta, int T);
    void liikuPystyyn(Kartta& kartta, int T, bool hyppyPainettu);
    void hyppaa(AaniJarjestelma* system, bool aanet);

    int x = ALKU_X;
    int y = ALKU_Y;
    int korkeus = KORKEUS;
    int leveys = LEVEYS;
    float nopeusY = 0.0f;
    float nopeusX = 0.0f;
    bool voiHypata = false;
    bool oikealle = true;
    Pinta kuvaOikea;
    Pinta kuvaVasen;
    Pinta kuvaHyppyOikea;
    Pinta kuvaHyppyVasen;
    AaniKahva hyppyAani;
    Kanava hyppyKanava;
};
