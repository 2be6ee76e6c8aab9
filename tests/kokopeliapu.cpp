#include "kokopeliapu.h"

#include "kehys.h"
#include "ohjelma.h"

using kehys::paina;

namespace {

constexpr long KARANNUT = 200000;  // a run this long has hung: close the window
constexpr int ALKUDEMON_ASKELIA = 14;
constexpr int LOPPUDEMON_ASKELIA = 6;

void kirjoitaNimi(const std::string& nimi) {
    for (char c : nimi) paina(static_cast<SDLKey>(c | 0x20), static_cast<Uint16>(c));
    paina(SDLK_RETURN);
}

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

KokoPelinAjo pelaaKokoPeli(const std::vector<Syote>& syotteet, const Sulkija& sulje) {
    KokoPelinAjo ajo;
    bool alkuOhitettu = false;
    // The keys of game frame n + 1 are set after frame n (the intro's frame
    // for the first one).
    auto seuraavat = [&] {
        return ajo.pelikehyksia < static_cast<long>(syotteet.size()) ? syotteet[ajo.pelikehyksia]
                                                                     : Syote{};
    };
    kehys::asetaTestikoukku([&](Nakyma n, long kehys) {
        if (kehys > KARANNUT) {
            ajo.karannut = true;
            kehys::suljeIkkuna();
        }
        const long kehyksiaTassa = ++ajo.kehyksia[n];
        if (sulje && sulje(n, kehyksiaTassa)) {
            reitti::asetaNapit({});
            kehys::suljeIkkuna();
            return;
        }
        switch (n) {
            case Nakyma::Valikko:
                ajo.valikkokuva = ruudunPikselit();
                paina(SDLK_RETURN);
                break;
            case Nakyma::Alkudemo:
                if (!alkuOhitettu)
                    for (int i = 0; i < ALKUDEMON_ASKELIA; ++i) paina(SDLK_SPACE);
                alkuOhitettu = true;
                reitti::asetaNapit(seuraavat());
                break;
            case Nakyma::Peli:
                ++ajo.pelikehyksia;
                reitti::asetaNapit(seuraavat());
                if (ajo.pelikehyksia >= static_cast<long>(syotteet.size())) paina(SDLK_ESCAPE);
                break;
            case Nakyma::Loppudemo:
                reitti::asetaNapit({});
                for (int i = 0; i < LOPPUDEMON_ASKELIA; ++i) paina(SDLK_SPACE);
                break;
            case Nakyma::Nimi:
                if (++ajo.nimikehyksia == 1) kirjoitaNimi("Testi");
                break;
            case Nakyma::Lataus:
                break;
        }
    });
    ajo.tila = SDL_main(0, nullptr);
    kehys::asetaTestikoukku({});
    reitti::asetaNapit({});
    return ajo;
}
