#include "ukko.h"

#include "piirto.h"

void Ukko::lataa(AaniJarjestelma* system) {
    kuvaOikea = lataaKuva("media/images/peli_hahmo.png");
    kuvaVasen = lataaKuva("media/images/peli_hahmov.png");
    kuvaHyppyOikea = lataaKuva("media/images/peli_hahmohyppy.png");
    kuvaHyppyVasen = lataaKuva("media/images/peli_hahmohyppyv.png");
    x = ALKU_X;
    y = ALKU_Y;
    korkeus = KORKEUS;
    leveys = LEVEYS;
    nopeusX = 0.0f;
    nopeusY = 0.0f;
    // The first step settles the jump permission; until then no jump may
    // start, and the character faces the way the levels go.
    voiHypata = false;
    oikealle = true;
    hyppyAani = system ? system->luoAani("media/sounds/aani1.mp3") : nullptr;
    hyppyKanava = Kanava{};
}

void Ukko::vapauta() {
    for (Pinta* kuva : {&kuvaOikea, &kuvaVasen, &kuvaHyppyOikea, &kuvaHyppyVasen}) kuva->reset();
    hyppyAani.reset();
}

void Ukko::ajattele(Kartta kartta, AaniJarjestelma* system, bool aanet) {
    ajattele(kartta, syote::hae(), system, aanet);
}

// One physics step: take the input, start a jump, then move sideways and
// after that up or down, each move stopped by the blocks of the map copy.
// With both arrows held the hero walks right.
void Ukko::ajattele(Kartta kartta, const Syote& syote, AaniJarjestelma* system, bool aanet) {
    const int T = kartta.haeRuudunkoko();
    nopeusX = 0.0f;
    if (syote.vasen) {
        nopeusX = -KAVELYNOPEUS;
        oikealle = false;
    }
    if (syote.oikea) {
        nopeusX = KAVELYNOPEUS;
        oikealle = true;
    }
    if (syote.hyppy && voiHypata) hyppaa(system, aanet);
    liikuVaakaan(kartta, T);
    liikuPystyyn(kartta, T, syote.hyppy);
}

void Ukko::hyppaa(AaniJarjestelma* system, bool aanet) {
    nopeusY = HYPPYNOPEUS;
    voiHypata = false;
    if (!aanet || !system) return;
    system->pysayta(hyppyKanava);
    hyppyKanava = system->soita(hyppyAani.get());
    system->asetaVoimakkuus(hyppyKanava, HYPPYAANEN_VOIMAKKUUS);
}

// Sideways move at the height from before this step. A wall leaves the
// right edge on the last pixel before it, or one free pixel on the left.
void Ukko::liikuVaakaan(Kartta& kartta, int T) {
    int sarake = 0;
    if (nopeusX > 0) {
        if (tormays_pysty(static_cast<int>(x + nopeusX + leveys), y, sarake, kartta))
            x = sarake * T - leveys - 1;
        else
            x = static_cast<int>(x + nopeusX);
    } else if (nopeusX < 0) {
        if (tormays_pysty(static_cast<int>(x + nopeusX), y, sarake, kartta))
            x = (sarake + 1) * T + 1;
        else
            x = static_cast<int>(x + nopeusX);
    }
}

// Vertical move at the new x: rise until a ceiling, or fall until a floor,
// gaining speed by gravity up to one tile per step. A landing allows the
// next jump only once the jump key is let go: one jump per press.
void Ukko::liikuPystyyn(Kartta& kartta, int T, bool hyppyPainettu) {
    int rivi = 0;
    if (nopeusY < 0) {
        if (tormays_vaaka(x, static_cast<int>(y + nopeusY), rivi, kartta)) {
            y = (rivi + 1) * T + 1;
            nopeusY = 0.0f;
        } else {
            y = static_cast<int>(y + nopeusY);
            nopeusY += PAINOVOIMA;
        }
        return;
    }
    if (tormays_vaaka(x, static_cast<int>(y + nopeusY + korkeus), rivi, kartta)) {
        y = rivi * T - korkeus - 1;
        nopeusY = SEISONTANOPEUS;
        if (!hyppyPainettu) voiHypata = true;
    } else {
        y = static_cast<int>(y + nopeusY);
        nopeusY += PAINOVOIMA;
        if (nopeusY >= T) nopeusY = static_cast<float>(T);
        voiHypata = false;
    }
}

// Probes the vertical line x = px from py down to py + korkeus, tile by tile.
bool Ukko::tormays_pysty(int px, int py, int& sarake, Kartta kartta) {
    const int T = kartta.haeRuudunkoko();
    int alku = py - (py % T);
    const int loppu = py + korkeus;
    sarake = px / T;
    int rivi = alku / T;
    for (; alku <= loppu; alku += T, ++rivi)
        if (kartta.tarkistaTormays(sarake, rivi)) return true;
    return false;
}

// Probes the horizontal line y = py from px right to px + leveys.
bool Ukko::tormays_vaaka(int px, int py, int& rivi, Kartta kartta) {
    const int T = kartta.haeRuudunkoko();
    int alku = px - (px % T);
    const int loppu = px + leveys;
    rivi = py / T;
    int sarake = alku / T;
    for (; alku <= loppu; alku += T, ++sarake)
        if (kartta.tarkistaTormays(sarake, rivi)) return true;
    return false;
}

SDL_Surface* Ukko::haeKuva() const {
    if (voiHypata) return (oikealle ? kuvaOikea : kuvaVasen).get();
    return (oikealle ? kuvaHyppyOikea : kuvaHyppyVasen).get();
}

// Draws the standing or jumping image, white being transparent, at the
// character's position minus the scroll.
void Ukko::piirra(SDL_Surface* ruutu, Kartta kartta) {
    SDL_Surface* kuva = haeKuva();
    if (!kuva) return;
    SDL_SetColorKey(kuva, SDL_SRCCOLORKEY, SDL_MapRGB(kuva->format, 255, 255, 255));
    PiirraKuva(kuva, ruutu, x - kartta.haeVier_X(), y - kartta.haeVier_Y());
}

int Ukko::haeX() { return x; }
int Ukko::haeY() { return y; }

void Ukko::asetaPaikka(int uusiX, int uusiY) {
    x = uusiX;
    y = uusiY;
}

Ukko::Tila Ukko::haeTila() const { return Tila{x, y, nopeusY, voiHypata, oikealle}; }

void Ukko::asetaTila(const Tila& tila) {
    x = tila.x;
    y = tila.y;
    nopeusY = tila.nopeusY;
    voiHypata = tila.voiHypata;
    oikealle = tila.oikealle;
}
