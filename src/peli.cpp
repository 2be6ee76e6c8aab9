#include "peli.h"

#include <cstring>

#include "kehys.h"
#include "pelikehys.h"
#include "syote.h"

namespace {

constexpr int KENTTIA = 6;
constexpr int AIKA_X = 850;
constexpr int AIKA_Y = 10;
constexpr int KENTAN_VALI = 16;  // px between the level indicator's right edge and the clock
constexpr int FONTIN_KOKO = 22;

std::string kentanTiedosto(int numero) { return "levels/level" + std::to_string(numero) + ".map"; }

}  // namespace

Peli::Peli() {
    std::memset(&tapahtuma, 0, sizeof tapahtuma);
    tapahtuma.type = SDL_NOEVENT;
}

void Peli::lataa(AaniJarjestelma* system) {
    kartta.lataaKuvat();
    kenttiaJaljella = KENTTIA;
    lataaKentta();
    ukko.lataa(system);
    fontti = Fontti(LoadFont("media/fonts/normaali.ttf", FONTIN_KOKO));
    if (system) kenttaAani = system->luoAani("media/sounds/aani5.mp3");
}

void Peli::lataaKentta() {
    kartta.poistaKaikkiPalikkat();
    kartta.lataaKartta(kentanTiedosto(kenttiaJaljella));
    kartta.piirraKentta();
    kenttaKuva.reset();  // rendered anew when first drawn
}

void Peli::peliin(SDL_Surface* ruutu, AaniJarjestelma* system, bool aanet) {
    alkudemo.lataa();
    alkudemo.aloita(ruutu);
    if (SDL_QuitRequested()) return;  // the window was closed during the intro
    // The first level was loaded before the story; its time starts now, when
    // it first shows, so reading the intro does not count.
    kartta.haeKello().alustaAika();
    lopeta = false;
    bool lapi = false;
    while (!lopeta && !lapi) lapi = pelaaKehys(ruutu, system, aanet);
    if (lapi) {
        loppu.lataa();
        loppu.aloita(ruutu, ajat);
    }
}

// One frame of play: the event, the frame rule with this frame's input, then
// the drawing. True when the last level was completed in it (the frame is
// then not drawn).
bool Peli::pelaaKehys(SDL_Surface* ruutu, AaniJarjestelma* system, bool aanet) {
    kasitteleTapahtuma();
    if (pelikehys::pelaa(ukko, kartta, syote::hae(), system, aanet,
                         [&] { return vaihdaKenttaa(system, aanet); }))
        return true;
    kartta.piirraKartta(ruutu);
    ukko.piirra(ruutu, kartta);
    piirraAika(ruutu);
    piirraKentanNumero(ruutu);
    vaihdaKehys(ruutu, Nakyma::Peli);
    return false;
}

// Takes at most one pending event: Escape or closing the window ends the game
// after this frame. Polling also refreshes the keyboard state the hero reads.
void Peli::kasitteleTapahtuma() {
    if (!syote::lueTapahtuma(tapahtuma, Nakyma::Peli)) return;
    if (tapahtuma.type == SDL_QUIT ||
        (tapahtuma.type == SDL_KEYDOWN && tapahtuma.key.keysym.sym == SDLK_ESCAPE))
        lopeta = true;
}

// Records the level's time and moves on; true when it was the last level.
bool Peli::vaihdaKenttaa(AaniJarjestelma* system, bool aanet) {
    --kenttiaJaljella;
    ajat.push_back(kartta.haeAika());
    if (kenttiaJaljella <= 0) {
        // Play is over: the level picture is not drawn again, so its memory
        // goes before the ending loads its own pictures.
        kartta.vapautaKuvat();
        return true;
    }
    lataaKentta();
    ukko.asetaPaikka(pelikehys::PALUU_X, pelikehys::PALUU_Y);
    if (aanet && system) {
        kanava = system->soita(kenttaAani.get());
        system->asetaVoimakkuus(kanava, 1.0f);
    }
    return false;
}

void Peli::piirraAika(SDL_Surface* ruutu) {
    teksti = aikaTekstina(kartta.haeAika());
    tekstiKuva.reset();  // the previous frame's text goes before the new one is made
    SDL_Surface* uusi = nullptr;
    blitText(fontti.get(), &uusi, vari::musta, vari::tausta, teksti.c_str(), blended);
    tekstiKuva.reset(uusi);
    PiirraKuva(tekstiKuva.get(), ruutu, AIKA_X, AIKA_Y);
}

// "Kenttä 1/6" for the first level played, right-aligned a little left of
// the clock in the clock's font.
void Peli::piirraKentanNumero(SDL_Surface* ruutu) {
    if (!kenttaKuva) {
        const int pelattava = KENTTIA - kenttiaJaljella + 1;
        kenttaKuva =
            renderoiTeksti(fontti.get(), vari::musta,
                           "Kenttä " + std::to_string(pelattava) + "/" + std::to_string(KENTTIA));
    }
    if (kenttaKuva)
        PiirraKuva(kenttaKuva.get(), ruutu, AIKA_X - KENTAN_VALI - kenttaKuva->w, AIKA_Y);
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
