#include "kokopeli.h"

#include "ohjelma.h"
#include "reitti.h"

using kehys::paina;

namespace {

constexpr long KARANNUT = 200000;  // a run this long has hung: close the window
constexpr int ALKUDEMON_ASKELIA = 14;
constexpr int LOPPUDEMON_ASKELIA = 6;

void kirjoitaNimi(const std::string& nimi) {
    for (char c : nimi) paina(static_cast<SDLKey>(c | 0x20), static_cast<Uint16>(c));
    paina(SDLK_RETURN);
}

void tyonna(SDL_Event e) { SDL_PushEvent(&e); }

// A gamepad played through SDL's event queue: the left stick walks, button
// 0 confirms and jumps. Only changes are sent, as a real pad does.
class Peliohjain {
  public:
    void painaNappia(int kertaa) {
        aseta(Syote{});
        for (int i = 0; i < kertaa; ++i) {
            nappi(SDL_JOYBUTTONDOWN);
            nappi(SDL_JOYBUTTONUP);
        }
    }
    void aseta(const Syote& uusi) {
        const Sint16 akseli = uusi.oikea ? 32767 : uusi.vasen ? -32767 : 0;
        if (akseli != nykyinenAkseli) {
            SDL_Event e{};
            e.type = SDL_JOYAXISMOTION;
            e.jaxis.axis = 0;
            e.jaxis.value = akseli;
            tyonna(e);
            nykyinenAkseli = akseli;
        }
        if (uusi.hyppy != hyppy) nappi(uusi.hyppy ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP);
        hyppy = uusi.hyppy;
    }

  private:
    static void nappi(Uint8 tyyppi) {
        SDL_Event e{};
        e.type = tyyppi;
        e.jbutton.button = 0;
        e.jbutton.state = tyyppi == SDL_JOYBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        tyonna(e);
    }
    Sint16 nykyinenAkseli = 0;
    bool hyppy = false;
};

}  // namespace

std::string ruudunPikselit() {
    SDL_Surface* r = SDL_GetVideoSurface();
    return std::string(static_cast<const char*>(r->pixels), static_cast<size_t>(r->pitch) * r->h);
}

std::vector<Syote> reitinSyotteet(int kentta) {
    auto r = reitti::lataa(reitti::tiedostonimi(kentta));
    return r ? r->syotteet : std::vector<Syote>{};
}

std::vector<Syote> kaikkiSyotteet() {
    std::vector<Syote> kaikki;
    for (int kentta = 6; kentta >= 1; --kentta) {
        std::vector<Syote> osa = reitinSyotteet(kentta);
        kaikki.insert(kaikki.end(), osa.begin(), osa.end());
    }
    return kaikki;
}

KokoPelinAjo pelaaKokoPeli(const std::vector<Syote>& syotteet, const std::string& nimi,
                           const Kehystarkkailija& tarkkailija, Ohjaus ohjaus,
                           const Sulkija& sulje) {
    KokoPelinAjo ajo;
    bool alkuOhitettu = false;
    const bool ohjaimella = ohjaus == Ohjaus::Ohjain;
    Peliohjain ohjain;
    // Game frame n + 1 (n frames drawn so far) plays the replay's input n.
    auto seuraava = [&] {
        return ajo.pelikehyksia < static_cast<long>(syotteet.size()) ? syotteet[ajo.pelikehyksia]
                                                                     : Syote{};
    };
    if (!ohjaimella) syote::asetaLahde(seuraava);
    auto vahvista = [&](int kertaa, SDLKey nappain) {
        if (ohjaimella) return ohjain.painaNappia(kertaa);
        for (int i = 0; i < kertaa; ++i) paina(nappain);
    };
    kehys::asetaTestikoukku([&](Nakyma n, long kehys) {
        if (kehys > KARANNUT) {
            ajo.karannut = true;
            kehys::suljeIkkuna();
        }
        const long kehyksiaTassa = ++ajo.kehyksia[n];
        if (sulje && sulje(n, kehyksiaTassa)) {
            syote::asetaLahde({});
            kehys::suljeIkkuna();
            return;
        }
        switch (n) {
            case Nakyma::Valikko:
                ajo.valikkokuva = ruudunPikselit();
                vahvista(1, SDLK_RETURN);
                break;
            case Nakyma::Alkudemo:
                if (!alkuOhitettu) vahvista(ALKUDEMON_ASKELIA, SDLK_SPACE);
                alkuOhitettu = true;
                if (ohjaimella) ohjain.aseta(seuraava());
                break;
            case Nakyma::Peli:
                ++ajo.pelikehyksia;
                if (ohjaimella) ohjain.aseta(seuraava());
                if (ajo.pelikehyksia >= static_cast<long>(syotteet.size())) paina(SDLK_ESCAPE);
                break;
            case Nakyma::Loppudemo:
                vahvista(LOPPUDEMON_ASKELIA, SDLK_SPACE);
                break;
            case Nakyma::Nimi:
                if (++ajo.nimikehyksia == 1) kirjoitaNimi(nimi);
                break;
            case Nakyma::Lataus:
                break;
        }
        if (tarkkailija) tarkkailija(n, ajo.pelikehyksia);
    });
    ajo.tila = SDL_main(0, nullptr);
    kehys::asetaTestikoukku({});
    syote::asetaLahde({});
    return ajo;
}
