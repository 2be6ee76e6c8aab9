#include "loppudemo.h"

#include <algorithm>
#include <limits>
#include <tuple>

#include "kehys.h"
#include "syote.h"
#include "tarina.h"

namespace {

constexpr int LEVEYS = 1024;          // px, the screen
constexpr int KORKEUS = 768;          // px
constexpr int JUONIFONTIN_KOKO = 35;  // pt, story lines and summary headings
constexpr int NIMIFONTIN_KOKO = 22;   // pt, level times and the typed name
constexpr int VIIMEINEN_ASKEL = 5;    // the sixth Space press ends the story
constexpr int KUVA_X = 400;           // px, the story picture
constexpr int KUVA_Y = 150;
constexpr int AJAT_X = 500;        // px, the column of level times
constexpr int AJAN_RIVIVALI = 40;  // px between level times
constexpr int NIMI_X = 400;        // px, the typed name
constexpr int NIMI_Y = 430;
constexpr int KURSORIN_VALI = 3;          // px between the name and the cursor
constexpr int KURSORIN_LEVEYS = 3;        // px
constexpr int KURSORIN_REUNA = 4;         // px left free above and below it
constexpr long KURSORIN_PUOLIJAKSO = 30;  // frames shown, then hidden
constexpr int OHJE_X = 300;               // px, the hint under the name
constexpr int OHJE_Y = 520;
constexpr const char* OHJE = "Enter tallentaa nimen ennätyslistaan, Esc ohittaa";

constexpr const char* ONNITTELU = "Onneksi olkoon, pelasit pelin läpi!";
constexpr int VIRHE_X = 300;  // px, the lines saying the score was not stored,
constexpr int VIRHE_Y = 570;  // under the hint
constexpr int VIRHEEN_RIVIVALI = 35;

constexpr int64_t SADASOSAA_MINUUTISSA = 6000;
constexpr int64_t SADASOSAA_SEKUNNISSA = 100;

// The pictures of the story steps, in slot order.
const std::array<const char*, loppudemo::KEHYKSIA> KEHYSKUVAT = {
    "media/images/ukko_saippuak_0.png", "media/images/ukko_saippuak_1.png",
    "media/images/ukko_saippuak_2.png", "media/images/ukko_saippuak_3.png",
    "media/images/ukko_saippuak_1.png", "media/images/ukko_saippuak_2.png",
    "media/images/ukko_saippuak_3.png",
};

const std::array<const char*, loppudemo::KEHYKSIA> TARINA = {
    "Myöhemmin illalla, kun Magnus oli tapettu:",
    "Pst, mikä sinun nimi on?",
    "Veikko",
    "Onnitelkaamme Veikkoa!",
    "Hän pelasti yhteiskunnan ja tappoi Magnuksen.",
    "",
    "",
};

// Shown under the name when the high-score file could not be written.
const std::array<const char*, 2> TALLENNUSVIRHE = {
    "Tulosta ei voitu tallentaa.",
    "Enter yrittää uudelleen, Esc lopettaa.",
};

// A name holds only the digits and the letters A to Z and a to z.
bool onkoNimenMerkki(Uint16 merkki) {
    return (merkki >= '0' && merkki <= '9') || (merkki >= 'A' && merkki <= 'Z') ||
           (merkki >= 'a' && merkki <= 'z');
}

}  // namespace

void loppudemo::lataa() {
    for (int i = 1; i < KEHYKSIA; ++i) kehykset[i] = lataaKuva(KEHYSKUVAT[i]);
    hahmo = lataaKuva("media/images/hahmo_edesta.png");
    henkilo = lataaKuva("media/images/henkilo2.png");
    tausta = lataaKuva("media/images/peliloppudemo_tausta.png");
    for (int i = 0; i < KEHYKSIA; ++i) repliikit[i] = TARINA[i];
    juonifontti.lataa("media/fonts/juoni.ttf", JUONIFONTIN_KOKO);
    nimifontti = Fontti(LoadFont("media/fonts/normaali.ttf", NIMIFONTIN_KOKO));
    kehykset[0] = lataaKuva(KEHYSKUVAT[0]);
    koostaTausta();
}

void loppudemo::koostaTausta() {
    taustakuva = luoPinta(LEVEYS, KORKEUS);
    PiirraKuva(tausta.get(), taustakuva.get(), 0, 0);
    PiirraKuva(hahmo.get(), taustakuva.get(), 600, 165);
    PiirraKuva(henkilo.get(), taustakuva.get(), 700, 0);
    taustakuva = naytonMuotoon(std::move(taustakuva));
}

void loppudemo::aloita(SDL_Surface* ruutu, std::vector<minsec> ajat) {
    kerroTarina(ruutu);
    // Closing the window during the story ends the game: nothing is stored.
    if (SDL_QuitRequested()) return;
    piirraYhteenveto(ajat);
    kysyNimi(ruutu, laskeSumma(ajat));
}

// Phase 1: Escape ends the story; closing the window leaves the quit event
// queued for aloita.
void loppudemo::kerroTarina(SDL_Surface* ruutu) {
    tarina::aloita(ruutu, Nakyma::Loppudemo, VIIMEINEN_ASKEL, tapahtuma, lopetus, [&](int askel) {
        tekstipuskuri = repliikit[askel];
        tarina::piirraKehys(ruutu, taustakuva.get(), kehykset[askel].get(), KUVA_X, KUVA_Y,
                            juonifontti, vari::valkoinen, tekstipuskuri, tekstikuva);
    });
}

// Phase 2: the background becomes black with the level times in a column,
// the congratulation and the name prompt.
void loppudemo::piirraYhteenveto(const std::vector<minsec>& ajat) {
    if (!taustakuva) return;
    SDL_FillRect(taustakuva.get(), nullptr, SDL_MapRGB(taustakuva->format, 0, 0, 0));
    // Rows below the picture would draw nothing; they are not even rendered.
    for (size_t i = 0; i < ajat.size() && i < KORKEUS / AJAN_RIVIVALI + 1; ++i) {
        const int y = static_cast<int>(i) * AJAN_RIVIVALI;
        piirraTekstiTaustaan(nimifontti.get(), aikaTekstina(ajat[i]), AJAT_X, y);
    }
    for (const auto& [teksti, x, y] :
         {std::tuple<const char*, int, int>{ONNITTELU, 300, 382}, {"Nimi:", 300, 450}})
        piirraTekstiTaustaan(juonifontti.sopiva(teksti, x, LEVEYS), teksti, x, y);
    piirraTekstiTaustaan(nimifontti.get(), OHJE, OHJE_X, OHJE_Y);
}

void loppudemo::piirraTekstiTaustaan(TTF_Font* fontti, const std::string& teksti, int x, int y) {
    tekstipuskuri = teksti;
    vaihdaTeksti(fontti, tekstikuva, vari::valkoinen, tekstipuskuri);
    PiirraKuva(tekstikuva.get(), taustakuva.get(), x, y);
}

// Phase 3: typing, Backspace, Return stores, Escape or closing leaves.
void loppudemo::kysyNimi(SDL_Surface* ruutu, int32_t summa) {
    lopetus = false;
    tallennusEpaonnistui = false;
    nimi.clear();
    SDL_EnableUNICODE(1);
    long kehys = 0;
    while (!lopetus) {
        // Keys after the one that ended the entry are left alone, so one game
        // can never store two entries.
        while (!lopetus && syote::lueTapahtuma(tapahtuma, Nakyma::Nimi)) {
            if (tapahtuma.type == SDL_QUIT) lopetus = true;
            if (tapahtuma.type == SDL_KEYDOWN) kasitteleNappain(tapahtuma.key.keysym, summa);
        }
        piirraNimi(ruutu, kehys++);
        vaihdaKehys(ruutu, Nakyma::Nimi);
    }
}

// The summary, the name typed so far and after it a cursor that blinks once
// a second.
void loppudemo::piirraNimi(SDL_Surface* ruutu, long kehys) {
    PiirraKuva(taustakuva.get(), ruutu, 0, 0);
    tekstipuskuri = nimi + "\n";
    vaihdaTeksti(nimifontti.get(), tekstikuva, vari::valkoinen, tekstipuskuri);
    PiirraKuva(tekstikuva.get(), ruutu, NIMI_X, NIMI_Y);
    if (!ruutu || !nimifontti || (kehys / KURSORIN_PUOLIJAKSO) % 2 != 0) return;
    const int x = NIMI_X + (tekstikuva ? tekstikuva->w : 0) + KURSORIN_VALI;
    SDL_Rect kursori{static_cast<Sint16>(x), static_cast<Sint16>(NIMI_Y + KURSORIN_REUNA),
                     KURSORIN_LEVEYS,
                     static_cast<Uint16>(TTF_FontHeight(nimifontti.get()) - 2 * KURSORIN_REUNA)};
    SDL_FillRect(ruutu, &kursori, SDL_MapRGB(ruutu->format, 255, 255, 255));
}

void loppudemo::kasitteleNappain(const SDL_keysym& nappain, int32_t summa) {
    if (nimi.size() < NIMEN_PITUUS && onkoNimenMerkki(nappain.unicode))
        nimi.push_back(static_cast<char>(nappain.unicode));
    if (nappain.sym == SDLK_BACKSPACE && !nimi.empty()) nimi.pop_back();
    if (nappain.sym == SDLK_RETURN) {
        score uusi;
        uusi.nimi = nimi;
        uusi.tulos = summa;
        // The list is read again and merged at the moment of storing. When
        // that fails the entry stays open with a message: Return tries again.
        lopetus = hiscore().lisaaJaTallenna(uusi);
        if (!lopetus) naytaTallennusvirhe();
    }
    if (nappain.sym == SDLK_ESCAPE) lopetus = true;
}

// Written into the summary background once, so every later frame shows it.
void loppudemo::naytaTallennusvirhe() {
    if (tallennusEpaonnistui || !taustakuva) return;
    tallennusEpaonnistui = true;
    for (size_t i = 0; i < TALLENNUSVIRHE.size(); ++i)
        piirraTekstiTaustaan(nimifontti.get(), TALLENNUSVIRHE[i], VIRHE_X,
                             VIRHE_Y + static_cast<int>(i) * VIRHEEN_RIVIVALI);
}

int32_t loppudemo::laskeSumma(const std::vector<minsec>& ajat) {
    constexpr int64_t SUURIN = std::numeric_limits<int32_t>::max();
    constexpr int64_t PIENIN = std::numeric_limits<int32_t>::min();
    int64_t summa = 0;
    for (const minsec& aika : ajat) {
        summa += aika.min * SADASOSAA_MINUUTISSA + aika.sec * SADASOSAA_SEKUNNISSA + aika.sadasosat;
        summa = std::clamp(summa, PIENIN, SUURIN);  // saturate at every step: no overflow
    }
    return static_cast<int32_t>(summa);
}

void loppudemo::PiirraKuva(SDL_Surface* kuva, SDL_Surface* kohde, int x, int y) {
    ::PiirraKuva(kuva, kohde, x, y);
}

TTF_Font* loppudemo::LoadFont(const char* tiedosto, int koko) { return ::LoadFont(tiedosto, koko); }

void loppudemo::blitText(TTF_Font* fontti, SDL_Surface** kohde, SDL_Color etuvari,
                         SDL_Color taustavari, const char* teksti, textquality laatu) {
    ::blitText(fontti, kohde, etuvari, taustavari, teksti, static_cast<::textquality>(laatu));
}
