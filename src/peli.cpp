#include "peli.h"

#include <cstdint>
#include <cstring>

#include "kehys.h"

namespace {

constexpr int KENTTIA = 6;
constexpr int TAYTE_X = 512;  // the view keeps the hero this far from its left edge
constexpr int TAYTE_Y = 382;  // ... and this far from its top edge
constexpr int AIKA_X = 850;
constexpr int AIKA_Y = 10;
constexpr int FONTIN_KOKO = 22;

std::string kentanTiedosto(int numero) { return "levels/level" + std::to_string(numero) + ".map"; }

}  // namespace

Peli::Peli() {
    std::memset(&tapahtuma, 0, sizeof tapahtuma);
    tapahtuma.type = SDL_NOEVENT;
}

// The sounds belong to the sound system, which frees them when it closes.
Peli::~Peli() {
    ukko.vapauta(nullptr);
    kartta.vapautaKuvat();
    vapautaPinta(tekstiKuva);
    suljeFontti(fontti);
}

void Peli::lataa(AaniJarjestelma* system) {
    kartta.lataaKuvat();
    kenttiaJaljella = KENTTIA;
    lataaKentta();
    ukko.lataa(system);
    fontti = LoadFont("media/fonts/normaali.ttf", FONTIN_KOKO);
    if (system) kenttaAani = system->luoAani("media/sounds/aani5.mp3");
}

void Peli::lataaKentta() {
    kartta.poistaKaikkiPalikkat();
    kartta.lataaKartta(kentanTiedosto(kenttiaJaljella));
    kartta.piirraKentta();
}

void Peli::peliin(SDL_Surface* ruutu, AaniJarjestelma* system, bool aanet) {
    alkudemo.lataa();
    alkudemo.aloita(ruutu);
    if (SDL_QuitRequested()) return;  // the window was closed during the intro
    lopeta = false;
    bool lapi = false;
    while (!lopeta && !lapi) lapi = pelaaKehys(ruutu, system, aanet);
    if (lapi) {
        loppu.lataa();
        loppu.aloita(ruutu, ajat);
    }
}

// One frame of play; true when the last level was completed in it (the
// frame is then not drawn).
bool Peli::pelaaKehys(SDL_Surface* ruutu, AaniJarjestelma* system, bool aanet) {
    kasitteleTapahtuma();
    // The view follows the hero's position from before this frame's step.
    kartta.vier(ukko.haeX() - TAYTE_X, ukko.haeY() - TAYTE_Y);
    kartta.rajoita_Vier();
    ukko.ajattele(kartta, system, aanet);
    if (onkoMaalissa() && vaihdaKenttaa(system, aanet)) return true;
    // Falling out of the level only puts the hero back at the restart point.
    // The level's bottom edge is computed wide: a block row near INT_MAX
    // would overflow an int.
    if (int64_t{ukko.haeY()} > int64_t{kartta.haeKorkeus()} * kartta.haeRuudunkoko())
        ukko.asetaPaikka(ALKU_X, UUSI_ALKU_Y);
    kartta.piirraKartta(ruutu);
    ukko.piirra(ruutu, kartta);
    piirraAika(ruutu);
    vaihdaKehys(ruutu, Nakyma::Peli);
    return false;
}

// Takes at most one pending event: Escape or closing the window ends the game
// after this frame. Polling also refreshes the keyboard state the hero reads.
void Peli::kasitteleTapahtuma() {
    if (!SDL_PollEvent(&tapahtuma)) return;
    if (tapahtuma.type == SDL_QUIT ||
        (tapahtuma.type == SDL_KEYDOWN && tapahtuma.key.keysym.sym == SDLK_ESCAPE))
        lopeta = true;
}

bool Peli::onkoMaalissa() {
    return ukko.haeX() / 32 == MAALI_SARAKE && ukko.haeY() / 32 == MAALI_RIVI;
}

// Records the level's time and moves on; true when it was the last level.
bool Peli::vaihdaKenttaa(AaniJarjestelma* system, bool aanet) {
    --kenttiaJaljella;
    ajat.push_back(kartta.haeAika());
    if (kenttiaJaljella <= 0) return true;
    lataaKentta();
    ukko.asetaPaikka(ALKU_X, UUSI_ALKU_Y);
    if (aanet && system) {
        kanava = system->soita(kenttaAani);
        system->asetaVoimakkuus(kanava, 1.0f);
    }
    return false;
}

void Peli::piirraAika(SDL_Surface* ruutu) {
    teksti = aikaTekstina(kartta.haeAika());
    vapautaPinta(tekstiKuva);
    blitText(fontti, &tekstiKuva, vari::musta, vari::tausta, teksti.c_str(), blended);
    PiirraKuva(tekstiKuva, ruutu, AIKA_X, AIKA_Y);
}

void Peli::PiirraKuva(SDL_Surface* kuva, SDL_Surface* kohde, int x, int y) {
    ::PiirraKuva(kuva, kohde, x, y);
}

TTF_Font* Peli::LoadFont(const char* tiedosto, int koko) { return ::LoadFont(tiedosto, koko); }

void Peli::blitText(TTF_Font* fontti_, SDL_Surface** kohde, SDL_Color etuvari, SDL_Color taustavari,
                    const char* teksti_, textquality laatu) {
    ::blitText(fontti_, kohde, etuvari, taustavari, teksti_,
               static_cast<::textquality>(static_cast<int>(laatu)));
}
