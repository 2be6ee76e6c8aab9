#include "etusivu.h"

#include <cstring>
#include <initializer_list>

#include "aika.h"
#include "hiscores.h"
#include "kehys.h"
#include "piirto.h"
#include "syote.h"

namespace {

constexpr const char* NORMAALI_FONTTI = "media/fonts/normaali.ttf";
constexpr int NIMIKKEEN_KOKO = 22;
constexpr int PIENI_KOKO = 16;
constexpr int OTSIKON_KOKO = 44;
constexpr int AANIKANAVIA = 100;
// The high-score list: name and total columns, and the gap kept between them.
constexpr int LISTAN_NIMI_X = 100;
constexpr int LISTAN_TULOS_X = 400;
constexpr int LISTAN_VALI = 12;

struct Kohta {
    const char* avain;
    int x, y, leveys, korkeus;
};

// The four items of the main menu, in index order.
constexpr Kohta PAAVALIKKO[] = {{"Aloita_peli", 762, 232, 211, 67},
                                {"Asetukset", 768, 350, 192, 67},
                                {"Tehnyt", 806, 468, 122, 67},
                                {"Lopeta_peli", 762, 590, 211, 67}};
enum Paavalinta { ALOITA = 0, ASETUKSET = 1, TEKIJAT = 2, LOPETA = 3 };

// The five items of the settings screen; the first three are on/off items.
constexpr Kohta ASETUSVALIKKO[] = {{"Musiikki:", 114, 364, 160, 67},
                                   {"Aanet:", 132, 410, 119, 67},
                                   {"Kokoruututila:", 58, 470, 275, 67},
                                   {"Peru", 8, 690, 121, 67},
                                   {"Tallenna_muutokset", 221, 690, 270, 67}};
enum Asetusvalinta { MUSIIKKI = 0, AANET = 1, KOKORUUTU = 2, PERU = 3, TALLENNA = 4 };

struct Rivi {
    const char* teksti;
    bool pieni;
    int x, y;
};

constexpr Rivi TEKIJAT_RIVIT[] = {
    {"Ohjelmoinut: Oiva Kuusto", false, 10, 200},
    {"Suunnitellut: Oiva Kuusto", false, 10, 250},
    {"Kuvat: Oiva Kuusto", false, 10, 300},
    {"Pelimusiikki:", false, 10, 350},
    {"Yhtye:             Painted Iron Kettles", true, 40, 400},
    {"Kappaleella: Sparrows Over Copper Roofs", true, 40, 422},
    {"Valikkomusiikki:", false, 10, 450},
    {"Yhtye:             Bassolux", true, 40, 500},
    {"Kappaleella: Step In", true, 40, 522},
};

}  // namespace

Etusivu::Etusivu(const asetukset& asetus_, config_file& kieli_, valikko& paavalikko_,
                 asetus_valikko& asetusvalikko_)
    : asetus(asetus_), kieli(kieli_), paavalikko(paavalikko_), asetusvalikko(asetusvalikko_) {}

void Etusivu::lataaFontitJaKuvat() {
    nimikefontti = lataaFontti(NORMAALI_FONTTI, NIMIKKEEN_KOKO);
    pienifontti = lataaFontti(NORMAALI_FONTTI, PIENI_KOKO);
    otsikkofontti = lataaFontti(NORMAALI_FONTTI, OTSIKON_KOKO);
    tausta = lataaKuva("media/images/valikko_tausta.png");
    valikkokuva = lataaKuva("media/images/valikko.png");
    otsikkokuva = lataaKuva("media/images/otsikko.png");
    asetuskuva = lataaKuva("media/images/asetukset.png");
    otsikko = renderoiTeksti(otsikkofontti.get(), vari::musta, "Hiekkatorni");
}

// Full screen when the settings ask for it and the display allows it;
// otherwise a window.
bool Etusivu::avaaRuutu() {
    const Uint32 liput = SDL_HWSURFACE | SDL_DOUBLEBUF;
    SDL_WM_SetCaption("Hiekkatorni", "Hiekkatorni");
    if (asetus.kokoruututila)
        ruutu = SDL_SetVideoMode(asetus.leveys, asetus.korkeus, 32, liput | SDL_FULLSCREEN);
    if (!ruutu) ruutu = SDL_SetVideoMode(asetus.leveys, asetus.korkeus, 32, liput);
    return ruutu != nullptr;
}

void Etusivu::naytaLatausruutu() {
    SDL_FillRect(ruutu, nullptr, SDL_MapRGB(ruutu->format, 0, 0, 0));
    SDL_Surface* lataus = renderoi(nimikefontti.get(), vari::valkoinen, "Ladataan...");
    PiirraKuva(lataus, ruutu, 400, 380);
    vaihdaKehys(ruutu, ::Nakyma::Lataus);
}

// The three backgrounds start out alike. The menu layers are blended
// straight onto the loaded backdrop, in the images' own pixel order, where
// SDL blends on its fast path; that picture is copied once into the main
// menu's background in the screen's format (so every frame copies it
// without conversion), the credits take a copy of that, and the settings
// screen's own art (heading and button boxes) goes over the layers before
// its copy. Without a backdrop the layers go onto black.
void Etusivu::koostaTaustat() {
    Pinta koottu = tausta ? std::move(tausta) : luoPinta(asetus.leveys, asetus.korkeus);
    SDL_Surface* pohja = koottu.get();
    PiirraKuva(otsikkokuva.get(), pohja, 0, 0);
    PiirraKuva(otsikko.get(), pohja, 250, -15);
    PiirraKuva(valikkokuva.get(), pohja, 0, 0);
    for (Pinta* pinta : {&paavalikkoTausta, &tekijatTausta, &asetuksetTausta})
        *pinta = luoNaytonPinta(asetus.leveys, asetus.korkeus);
    kopioiNaytonMuotoon(pohja, paavalikkoTausta.get());
    SDL_Surface* paa = paavalikkoTausta.get();
    if (paa && tekijatTausta)
        std::memcpy(tekijatTausta->pixels, paa->pixels, static_cast<size_t>(paa->pitch) * paa->h);
    PiirraKuva(asetuskuva.get(), pohja, 0, 0);
    kopioiNaytonMuotoon(pohja, asetuksetTausta.get());
}

void Etusivu::taytaNakymat() {
    taytaEnnatyslista();
    taytaPaavalikko();
    taytaAsetusvalikko();
    taytaTekijat();
}

SDL_Surface* Etusivu::renderoi(TTF_Font* fontti, SDL_Color vari_, const std::string& teksti) {
    Pinta pinta = renderoiTeksti(fontti, vari_, teksti);
    if (!pinta) return nullptr;
    tekstit.push_back(std::move(pinta));
    return tekstit.back().get();
}

void Etusivu::piirraKaikkiin(SDL_Surface* kuva, int x, int y) {
    for (Pinta* pinta : {&paavalikkoTausta, &tekijatTausta, &asetuksetTausta})
        PiirraKuva(kuva, pinta->get(), x, y);
}

// The high-score list beside the main menu, read once at start-up: names at
// x 100, cut short before the totals at x 400, which read as times.
void Etusivu::taytaEnnatyslista() {
    SDL_Surface* paa = paavalikkoTausta.get();
    TTF_Font* fontti = nimikefontti.get();
    PiirraKuva(renderoi(fontti, vari::musta, "Ennatyslista"), paa, 225, 200);
    std::vector<score> tulokset = hiscore().haeTulokset();
    for (size_t i = 0; i < tulokset.size(); ++i) {
        const int y = 300 + 30 * static_cast<int>(i);
        if (y >= asetus.korkeus) break;  // rows below the screen would never show
        piirraRajattuna(renderoi(fontti, vari::musta, tulokset[i].nimi), paa, LISTAN_NIMI_X, y,
                        LISTAN_TULOS_X - LISTAN_NIMI_X - LISTAN_VALI);
        PiirraKuva(renderoi(fontti, vari::musta, tulosTekstina(tulokset[i].tulos)), paa,
                   LISTAN_TULOS_X, y);
    }
}

void Etusivu::taytaPaavalikko() {
    for (const Kohta& k : PAAVALIKKO) {
        const std::string nimike = kieli.hae_str(k.avain);
        SDL_Surface* normaali = renderoi(nimikefontti.get(), vari::musta, nimike);
        SDL_Surface* korostettu = renderoi(nimikefontti.get(), vari::korostus, nimike);
        paavalikko.lisaaValinta(normaali, korostettu, k.x, k.y, k.leveys, k.korkeus);
        piirraKaikkiin(normaali, k.x, k.y);
    }
}

void Etusivu::taytaAsetusvalikko() {
    const std::string on = kieli.hae_str("On"), ei = kieli.hae_str("Ei");
    TTF_Font* fontti = nimikefontti.get();
    asetusvalikko.asetaTosiJaEpatosi(
        renderoi(fontti, vari::musta, on), renderoi(fontti, vari::musta, ei),
        renderoi(fontti, vari::korostus, on), renderoi(fontti, vari::korostus, ei));
    const bool arvot[] = {asetus.musiikki, asetus.aanet, asetus.kokoruututila, false, false};
    for (int i = 0; i < 5; ++i) {
        const Kohta& k = ASETUSVALIKKO[i];
        const std::string nimike = kieli.hae_str(k.avain);
        SDL_Surface* normaali = renderoi(fontti, vari::musta, nimike);
        SDL_Surface* korostettu = renderoi(fontti, vari::korostus, nimike);
        asetusvalikko.lisaaValinta(normaali, korostettu, k.x, k.y, k.leveys, k.korkeus, arvot[i], 0,
                                   0);
        PiirraKuva(normaali, asetuksetTausta.get(), k.x, k.y);
    }
}

void Etusivu::taytaTekijat() {
    for (const Rivi& r : TEKIJAT_RIVIT)
        PiirraKuva(renderoi((r.pieni ? pienifontti : nimikefontti).get(), vari::musta, r.teksti),
                   tekijatTausta.get(), r.x, r.y);
}

void Etusivu::luoAanet(AaniJarjestelma* system_) {
    system = system_;
    system->alusta(AANIKANAVIA);
    valikkomusiikki = system->luoVirta("media/music/valikko.mp3");
    system->asetaToistokerrat(valikkomusiikki.get(), -1);
    siirtoAani = system->luoAani("media/sounds/valikko.mp3");
    alkuAani = system->luoAani("media/sounds/aani4.mp3");
}

Etusivu::Lopetus Etusivu::aloita() {
    if (asetus.aanet) soitaEfekti(alkuAani.get());
    if (asetus.musiikki) {
        valikkomusiikkiKanava = system->soita(valikkomusiikki.get());
        system->asetaVoimakkuus(valikkomusiikkiKanava, 1.0f);
    }
    while (!lopeta) {
        kasitteleTapahtumat();
        piirraKehys();
        vaihdaKehys(ruutu, ::Nakyma::Valikko);
    }
    return aloitaPeli ? Lopetus::Pelaa : Lopetus::Lopeta;
}

void Etusivu::kasitteleTapahtumat() {
    SDL_Event tapahtuma;
    while (syote::lueTapahtuma(tapahtuma, ::Nakyma::Valikko)) {
        if (tapahtuma.type == SDL_QUIT) lopeta = true;
        if (tapahtuma.type == SDL_KEYDOWN) kasitteleNappain(tapahtuma.key.keysym.sym);
    }
}

void Etusivu::kasitteleNappain(SDLKey nappain) {
    switch (nappain) {
        case SDLK_RETURN:
        case SDLK_SPACE:
            aktivoi();
            break;
        case SDLK_ESCAPE:
            if (sivu == Sivu::Paavalikko)
                lopeta = true;
            else
                sivu = Sivu::Paavalikko;  // the settings screen saves nothing here
            break;
        case SDLK_UP:
            siirraValintaa(-1);
            break;
        case SDLK_DOWN:
            siirraValintaa(+1);
            break;
        default:
            break;
    }
}

void Etusivu::aktivoi() {
    if (sivu == Sivu::Asetukset) return aktivoiAsetus();
    if (sivu != Sivu::Paavalikko) return;
    switch (paavalikko.haeValinta()) {
        case ALOITA:
            lopeta = aloitaPeli = true;
            break;
        case ASETUKSET:
            sivu = Sivu::Asetukset;
            break;
        case TEKIJAT:
            sivu = Sivu::Tekijat;
            break;
        case LOPETA:
            lopeta = true;
            break;
    }
}

void Etusivu::aktivoiAsetus() {
    const int valinta = asetusvalikko.haeValinta();
    if (valinta <= KOKORUUTU) {
        asetusvalikko.vaihdaTosi(valinta);
    } else if (valinta == PERU) {
        sivu = Sivu::Paavalikko;  // the toggled values stay for the next visit
    } else if (valinta == TALLENNA) {
        tallennaAsetukset(asetusvalikko.haeArvo(MUSIIKKI), asetusvalikko.haeArvo(AANET),
                          asetusvalikko.haeArvo(KOKORUUTU));
        sivu = Sivu::Paavalikko;
    }
}

void Etusivu::siirraValintaa(int suunta) {
    if (sivu == Sivu::Paavalikko) paavalikko.asetaLisaaValinta(suunta);
    if (sivu == Sivu::Asetukset) asetusvalikko.asetaLisaaValinta(suunta);
    if (asetus.aanet) soitaEfekti(siirtoAani.get());
}

// The start and move sounds share one channel: a new one cuts the old off.
void Etusivu::soitaEfekti(Aani* aani) {
    system->pysayta(efektiKanava);
    efektiKanava = system->soita(aani);
}

void Etusivu::piirraKehys() {
    switch (sivu) {
        case Sivu::Paavalikko:
            PiirraKuva(paavalikkoTausta.get(), ruutu, 0, 0);
            break;
        case Sivu::Asetukset:
            PiirraKuva(asetuksetTausta.get(), ruutu, 0, 0);
            asetusvalikko.piirraPinta(ruutu);
            break;
        case Sivu::Tekijat:
            PiirraKuva(tekijatTausta.get(), ruutu, 0, 0);
            break;
    }
    paavalikko.piirraPinta(ruutu);
}

// The move sound, every picture, label and font of the menus, and the menu
// music (stopped first) go; the start sound stays with the front end.
void Etusivu::vapautaValikko() {
    siirtoAani.reset();
    for (Pinta* pinta : {&paavalikkoTausta, &tekijatTausta, &asetuksetTausta, &otsikkokuva, &tausta,
                         &valikkokuva, &otsikko})
        pinta->reset();
    tekstit.clear();
    for (Fontti* fontti : {&nimikefontti, &pienifontti, &otsikkofontti}) fontti->reset();
    if (system) system->pysayta(valikkomusiikkiKanava);
    valikkomusiikki.reset();
}

// The game music is made only when the game starts with music on: it is not
// heard before.
void Etusivu::aloitaPelimusiikki() {
    if (!asetus.musiikki || !system) return;
    if (!pelimusiikki) {
        pelimusiikki = system->luoVirta("media/music/peli.mp3");
        system->asetaToistokerrat(pelimusiikki.get(), -1);
    }
    pelimusiikkiKanava = system->soita(pelimusiikki.get());
    system->asetaVoimakkuus(pelimusiikkiKanava, 1.0f);
}

void Etusivu::vapautaPelimusiikki() { pelimusiikki.reset(); }
