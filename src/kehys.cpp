#include "kehys.h"

#include <cstdint>

namespace {

struct Tahdistus {
    kehys::Testikoukku koukku;
    kehys::Tarkkailija tarkkailija;
    kehys::Tikit nyt;
    kehys::Odotus odota;
    long kehyksia = 0;
    bool aloitettu = false;
    Uint32 alku = 0;        // tick of the schedule's frame 0
    int64_t aikataulu = 0;  // frames counted on the current schedule
};

Tahdistus tila;

// A loop that fell this far behind (loading, a stalled machine) starts a new
// schedule instead of racing to catch up.
constexpr Uint32 SUURIN_VIIVE_MS = 250;

Uint32 tikit() { return tila.nyt ? tila.nyt() : SDL_GetTicks(); }

void viivyta(Uint32 ms) {
    if (tila.odota)
        tila.odota(ms);
    else
        SDL_Delay(ms);
}

void odotaSeuraavaa() {
    Uint32 nyt = tikit();
    if (!tila.aloitettu) {
        tila.aloitettu = true;
        tila.alku = nyt;
        tila.aikataulu = 0;
    }
    ++tila.aikataulu;
    // Due times are counted from the schedule's start so 1000/60 ms never drifts.
    Uint32 erapaiva =
        tila.alku + static_cast<Uint32>(tila.aikataulu * 1000 / kehys::KEHYKSIA_SEKUNNISSA);
    int32_t jaljella = static_cast<int32_t>(erapaiva - nyt);
    if (jaljella > 0) {
        viivyta(static_cast<Uint32>(jaljella));
    } else if (static_cast<Uint32>(-jaljella) > SUURIN_VIIVE_MS) {
        tila.alku = nyt;
        tila.aikataulu = 0;
    }
}

}  // namespace

void vaihdaKehys(SDL_Surface* ruutu, Nakyma nakyma) {
    if (ruutu) SDL_Flip(ruutu);
    ++tila.kehyksia;
    if (tila.tarkkailija) tila.tarkkailija(nakyma, tila.kehyksia);
    if (tila.koukku) {
        tila.koukku(nakyma, tila.kehyksia);
        return;
    }
    odotaSeuraavaa();
}

namespace kehys {

void asetaTestikoukku(Testikoukku koukku) {
    tila.koukku = std::move(koukku);
    tila.kehyksia = 0;
    tila.aloitettu = false;
}

long kehyksia() { return tila.kehyksia; }

SDL_Event nappainTapahtuma(SDLKey nappain, Uint16 merkki) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = nappain;
    e.key.keysym.unicode = merkki;
    return e;
}

SDL_Event sulkemisTapahtuma() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    return e;
}

void paina(SDLKey nappain, Uint16 merkki) {
    SDL_Event e = nappainTapahtuma(nappain, merkki);
    SDL_PushEvent(&e);
}

void suljeIkkuna() {
    SDL_Event e = sulkemisTapahtuma();
    SDL_PushEvent(&e);
}

void asetaTarkkailija(Tarkkailija tarkkailija) { tila.tarkkailija = std::move(tarkkailija); }

void asetaKello(Tikit nyt, Odotus odota) {
    tila.nyt = std::move(nyt);
    tila.odota = std::move(odota);
    tila.aloitettu = false;
}

}  // namespace kehys

void rajaaTapahtumat() {
    for (Uint8 tyyppi :
         {SDL_ACTIVEEVENT, SDL_KEYUP, SDL_MOUSEMOTION, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP,
          SDL_JOYBALLMOTION, SDL_SYSWMEVENT, SDL_VIDEORESIZE, SDL_VIDEOEXPOSE})
        SDL_EventState(tyyppi, SDL_IGNORE);
    // The gamepad's stick, hat and buttons are read (syote::lueTapahtuma).
    for (Uint8 tyyppi : {SDL_JOYAXISMOTION, SDL_JOYHATMOTION, SDL_JOYBUTTONDOWN, SDL_JOYBUTTONUP})
        SDL_EventState(tyyppi, SDL_ENABLE);
}
