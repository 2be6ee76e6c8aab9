#include "syote.h"

#include <array>
#include <cstdlib>

namespace {

// Button numbers in the standard order that sdl12-compat gives every known
// pad (SDL2's game-controller order); classic SDL 1.2 numbers the buttons
// by driver, so there only 0 and 1 (and the hat) are relied on.
enum Nappi { A = 0, B = 1, TAKAISIN = 4, ALOITA = 6, YLOS = 11, ALAS = 12, VASEN = 13, OIKEA = 14 };
constexpr int NAPPEJA = 32;

struct Ohjain {
    SDL_Joystick* avattu = nullptr;
    bool vakiojarjestys = false;  // buttons in the standard order
    int akseliX = 0, akseliY = 0;
    Uint8 hattu = SDL_HAT_CENTERED;
    std::array<bool, NAPPEJA> napit{};
    int pystysuunta = 0;  // the last up/down the stick or D-pad gave: -1, 0, +1
};

Ohjain ohjain;

syote::Lahde& lahde() {
    static syote::Lahde lahde;
    return lahde;
}

bool nappi(int numero) { return numero >= 0 && numero < NAPPEJA && ohjain.napit[numero]; }
bool vakionappi(Nappi n) { return ohjain.vakiojarjestys && nappi(n); }

Syote lueNappaimisto() {
    const Uint8* napit = SDL_GetKeyState(nullptr);
    Syote s;
    s.vasen = napit[SDLK_LEFT] != 0;
    s.oikea = napit[SDLK_RIGHT] != 0;
    s.hyppy = napit[SDLK_LSHIFT] != 0;
    return s;
}

Syote lueOhjain() {
    Syote s;
    s.vasen =
        ohjain.akseliX < -syote::KUOLLUT_ALUE || (ohjain.hattu & SDL_HAT_LEFT) || vakionappi(VASEN);
    s.oikea =
        ohjain.akseliX > syote::KUOLLUT_ALUE || (ohjain.hattu & SDL_HAT_RIGHT) || vakionappi(OIKEA);
    s.hyppy = nappi(A);
    return s;
}

int suunta(int akseli) {
    if (akseli < -syote::KUOLLUT_ALUE) return -1;
    return akseli > syote::KUOLLUT_ALUE ? 1 : 0;
}

// Up or down from the stick, the hat and the standard D-pad together; a
// key press only when it changes to up or down, so a held stick moves one
// item, like a held arrow key.
SDLKey pystyNappain() {
    int uusi = suunta(ohjain.akseliY);
    if (ohjain.hattu & SDL_HAT_UP || vakionappi(YLOS)) uusi = -1;
    if (ohjain.hattu & SDL_HAT_DOWN || vakionappi(ALAS)) uusi = 1;
    const int vanha = ohjain.pystysuunta;
    ohjain.pystysuunta = uusi;
    if (uusi == vanha || uusi == 0) return SDLK_UNKNOWN;
    return uusi < 0 ? SDLK_UP : SDLK_DOWN;
}

// The key a pressed button stands for on this screen.
SDLKey nappiNappaimena(int numero, Nakyma nakyma) {
    const bool vahvistus = numero == A || (ohjain.vakiojarjestys && numero == ALOITA);
    const bool paluu = numero == B || (ohjain.vakiojarjestys && numero == TAKAISIN);
    switch (nakyma) {
        case Nakyma::Valikko:
            return vahvistus ? SDLK_RETURN : paluu ? SDLK_ESCAPE : SDLK_UNKNOWN;
        case Nakyma::Alkudemo:
        case Nakyma::Loppudemo:
            return vahvistus ? SDLK_SPACE : paluu ? SDLK_ESCAPE : SDLK_UNKNOWN;
        case Nakyma::Peli:
            return ohjain.vakiojarjestys && numero == TAKAISIN ? SDLK_ESCAPE : SDLK_UNKNOWN;
        default:
            return SDLK_UNKNOWN;
    }
}

// Folds one gamepad event into the state; returns the key it stands for on
// this screen, or SDLK_UNKNOWN.
SDLKey kasitteleOhjain(const SDL_Event& e, Nakyma nakyma) {
    const bool valikoissa = nakyma == Nakyma::Valikko;
    switch (e.type) {
        case SDL_JOYAXISMOTION:
            if (e.jaxis.axis == 0) ohjain.akseliX = e.jaxis.value;
            if (e.jaxis.axis != 1) return SDLK_UNKNOWN;
            ohjain.akseliY = e.jaxis.value;
            break;
        case SDL_JOYHATMOTION:
            if (e.jhat.hat != 0) return SDLK_UNKNOWN;
            ohjain.hattu = e.jhat.value;
            break;
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP:
            if (e.jbutton.button >= NAPPEJA) return SDLK_UNKNOWN;
            ohjain.napit[e.jbutton.button] = e.type == SDL_JOYBUTTONDOWN;
            if (e.type == SDL_JOYBUTTONDOWN) {
                const SDLKey nappain = nappiNappaimena(e.jbutton.button, nakyma);
                if (nappain != SDLK_UNKNOWN) return nappain;
            }
            if (e.jbutton.button < YLOS || e.jbutton.button > ALAS) return SDLK_UNKNOWN;
            break;
        default:
            return SDLK_UNKNOWN;
    }
    const SDLKey pysty = pystyNappain();
    return valikoissa ? pysty : SDLK_UNKNOWN;
}

bool onkoOhjaimenTapahtuma(const SDL_Event& e) {
    return e.type == SDL_JOYAXISMOTION || e.type == SDL_JOYHATMOTION ||
           e.type == SDL_JOYBUTTONDOWN || e.type == SDL_JOYBUTTONUP;
}

}  // namespace

namespace syote {

Syote hae() {
    if (lahde()) return lahde()();
    const Syote n = lueNappaimisto(), o = lueOhjain();
    return Syote{n.vasen || o.vasen, n.oikea || o.oikea, n.hyppy || o.hyppy};
}

bool lueTapahtuma(SDL_Event& tapahtuma, Nakyma nakyma) {
    while (SDL_PollEvent(&tapahtuma)) {
        if (!onkoOhjaimenTapahtuma(tapahtuma)) return true;
        const SDLKey nappain = kasitteleOhjain(tapahtuma, nakyma);
        if (nappain != SDLK_UNKNOWN) {
            tapahtuma = kehys::nappainTapahtuma(nappain);
            return true;
        }
    }
    return false;
}

// sdl12-compat with game controllers on shows every pad with no hats and
// the standard buttons; a classic driver shows the D-pad as a hat.
void avaaOhjain() {
    suljeOhjain();
    if (!SDL_WasInit(SDL_INIT_JOYSTICK) && SDL_InitSubSystem(SDL_INIT_JOYSTICK) < 0) return;
    if (SDL_NumJoysticks() < 1) return;
    ohjain.avattu = SDL_JoystickOpen(0);
    if (!ohjain.avattu) return;
    ohjain.vakiojarjestys =
        SDL_JoystickNumHats(ohjain.avattu) == 0 && SDL_JoystickNumButtons(ohjain.avattu) > OIKEA;
    SDL_JoystickEventState(SDL_ENABLE);
}

void suljeOhjain() { ohjain = Ohjain{}; }

void asetaVakiojarjestys(bool vakio) { ohjain.vakiojarjestys = vakio; }

void asetaLahde(Lahde uusi) { lahde() = std::move(uusi); }

}  // namespace syote
