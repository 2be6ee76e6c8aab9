#include "kartta.h"

#include <algorithm>

#include "piirto.h"
#include "tiedosto.h"

namespace {
// One stored block: x, y, tyyppi (4 bytes each), lippu (1), alkupiste (4),
// packed, little-endian.
constexpr size_t TIETUEEN_KOKO = 17;
// The level picture's size uses the tile edge as a literal, not ruudunkoko.
constexpr int64_t KUVARUUTU = 32;
constexpr int TAUSTAN_VALI = 512;  // pixels between copies of the background
constexpr int RUUDUN_LEVEYS = 1024;
constexpr int RUUDUN_KORKEUS = 768;
constexpr int64_t TAVUA_PIKSELISSA = 4;

const char* const KUVATIEDOSTOT[] = {
    "media/images/palikka_alku_alku.png",   "media/images/palikka_alku_normaali.png",
    "media/images/palikka_alku_loppu.png",  "media/images/palikka_alku.png",
    "media/images/palikka_normaali.png",    "media/images/palikka_loppu.png",
    "media/images/palikka_loppu_alku.png",  "media/images/palikka_loppu_normaali.png",
    "media/images/palikka_loppu_loppu.png",
};
const char* const TAUSTATIEDOSTO = "media/images/kentta_tausta.png";

int32_t lueLuku(std::string_view tavut, size_t kohta) {
    uint32_t arvo = 0;
    for (int i = 3; i >= 0; --i) arvo = (arvo << 8) | static_cast<unsigned char>(tavut[kohta + i]);
    return static_cast<int32_t>(arvo);
}

void kirjoitaLuku(std::string& tavut, int32_t luku) {
    uint32_t arvo = static_cast<uint32_t>(luku);
    for (int i = 0; i < 4; ++i) tavut.push_back(static_cast<char>((arvo >> (8 * i)) & 0xFF));
}

// Which of the three parts of a platform's edge an index falls in: the first,
// an inner one or the last.
int reunanOsa(int64_t indeksi, int64_t maara) {
    if (indeksi == 0) return 0;
    return indeksi == maara - 1 ? 2 : 1;
}
}  // namespace

Kartta::Kartta(const Kartta& muu) { kopioi(muu); }

Kartta::~Kartta() { vapautaKuvat(); }

Kartta& Kartta::operator=(const Kartta& muu) {
    if (this != &muu) kopioi(muu);
    return *this;
}

void Kartta::kopioi(const Kartta& muu) {
    kello = muu.kello;
    palat = muu.palat;
    ruudunkoko = muu.ruudunkoko;
    leveys = muu.leveys;
    korkeus = muu.korkeus;
    vier_X = muu.vier_X;
    vier_Y = muu.vier_Y;
    kuvat = muu.kuvat;
    tausta = muu.tausta;
    kentta = muu.kentta;
    // The surfaces stay with the map that made them.
    omatKuvat = false;
    omaKentta = false;
}

std::vector<pala> Kartta::luePalat(std::string_view tallennettu) {
    const std::string tavut = tekstitila::lukumuotoon(tallennettu);
    std::vector<pala> luetut;
    luetut.reserve(tavut.size() / TIETUEEN_KOKO);
    // A record cut short at the end of the file is dropped.
    for (size_t kohta = 0; tavut.size() - kohta >= TIETUEEN_KOKO; kohta += TIETUEEN_KOKO) {
        pala p;
        p.x = lueLuku(tavut, kohta);
        p.y = lueLuku(tavut, kohta + 4);
        p.tyyppi = lueLuku(tavut, kohta + 8);
        p.lippu = static_cast<uint8_t>(tavut[kohta + 12]);
        p.alkupiste = lueLuku(tavut, kohta + 13);
        luetut.push_back(p);
    }
    return luetut;
}

void Kartta::lataaTavuista(std::string_view tavut) {
    std::vector<pala> uudet = luePalat(tavut);
    std::vector<pala>& omat = muokattavat();
    omat.insert(omat.end(), uudet.begin(), uudet.end());
    leveys = haeLeveys();
    korkeus = haeKorkeus();
    luoKentta();
    kello.alustaAika();
}

void Kartta::lataaKartta(std::string tiedosto) {
    // A missing or unreadable file reads as an empty one.
    lataaTavuista(tiedosto::lue(tiedosto, tiedosto::KENTAN_ENINTAAN).value_or(std::string()));
}

std::string Kartta::tavuiksi() const {
    std::string tavut;
    tavut.reserve(palat->size() * TIETUEEN_KOKO);
    for (const pala& p : *palat) {
        kirjoitaLuku(tavut, p.x);
        kirjoitaLuku(tavut, p.y);
        kirjoitaLuku(tavut, p.tyyppi);
        tavut.push_back(static_cast<char>(p.lippu));
        kirjoitaLuku(tavut, p.alkupiste);
    }
    return tekstitila::tallennusmuotoon(tavut);
}

void Kartta::tallennaKartta(std::string tiedosto) { tiedosto::tallenna(tiedosto, tavuiksi()); }

int Kartta::haeLeveys() {
    int suurin = 0;
    for (const pala& p : *palat) suurin = std::max(suurin, static_cast<int>(p.x));
    return suurin;
}

int Kartta::haeKorkeus() {
    int suurin = 0;
    for (const pala& p : *palat) suurin = std::max(suurin, static_cast<int>(p.y));
    return suurin;
}

int Kartta::haeAlkuP_X() {
    for (const pala& p : *palat)
        if (p.alkupiste == 1) return p.x;
    return 0;
}

int Kartta::haeAlkuP_Y() {
    for (const pala& p : *palat)
        if (p.alkupiste == 1) return p.y;
    return 0;
}

// Appends a platform of (w + 3) x (h + 3) blocks framed by the nine block
// types; a negative w or h leaves out the inner columns or middle rows.
void Kartta::luoNelio(int x, int y, int w, int h) {
    const int64_t sarakkeita = 2 + std::max<int64_t>(int64_t{w} + 1, 0);
    const int64_t riveja = 2 + std::max<int64_t>(int64_t{h} + 1, 0);
    std::vector<pala>& omat = muokattavat();
    omat.reserve(omat.size() + static_cast<size_t>(sarakkeita * riveja));
    for (int64_t rivi = 0; rivi < riveja; ++rivi) {
        for (int64_t sarake = 0; sarake < sarakkeita; ++sarake) {
            pala p;
            p.x = static_cast<int32_t>(x + sarake);
            p.y = static_cast<int32_t>(y + rivi);
            p.tyyppi = reunanOsa(rivi, riveja) * 3 + reunanOsa(sarake, sarakkeita);
            p.lippu = 1;
            p.alkupiste = 0;
            omat.push_back(p);
        }
    }
}

void Kartta::poistaKaikkiPalikkat() { muokattavat().clear(); }

// The block list for changing: a list still shared with a copy is copied
// first, so the change is seen by this map only.
std::vector<pala>& Kartta::muokattavat() {
    if (palat.use_count() > 1) palat = std::make_shared<std::vector<pala>>(*palat);
    return *palat;
}

int Kartta::haeRuudunkoko() { return ruudunkoko; }

minsec Kartta::haeAika() { return kello.haeAika(); }

bool Kartta::tarkistaTormays(int x, int y) {
    for (const pala& p : *palat)
        if (p.x == x && p.y == y) return true;
    return false;
}

void Kartta::lataaKuvat() {
    for (int i = 0; i < KUVIA; ++i) kuvat[i] = lataaKuva(KUVATIEDOSTOT[i]);
    tausta = lataaKuva(TAUSTATIEDOSTO);
    omatKuvat = true;
    ruudunkoko = 32;
    vier_X = 0;
    vier_Y = 0;
}

void Kartta::vapautaKuvat() {
    if (omatKuvat) {
        for (SDL_Surface*& kuva : kuvat) vapautaPinta(kuva);
        vapautaPinta(tausta);
        omatKuvat = false;
    }
    if (omaKentta) {
        vapautaPinta(kentta);
        omaKentta = false;
    }
}

// Makes the blank level picture, replacing (and freeing) the one this map
// made before. A level too large for a picture keeps none.
void Kartta::luoKentta() {
    if (omaKentta) vapautaPinta(kentta);
    kentta = nullptr;
    omaKentta = false;
    const int64_t w = int64_t{leveys} * KUVARUUTU + KUVARUUTU;
    const int64_t h = int64_t{korkeus} * KUVARUUTU + KUVARUUTU;
    if (w > SUURIN_SIVU_PIKSELEINA || h > SUURIN_SIVU_PIKSELEINA) return;
    if (w * h * TAVUA_PIKSELISSA > SUURIN_PINTA_TAVUINA) return;
    kentta = luoPinta(static_cast<int>(w), static_cast<int>(h));
    omaKentta = kentta != nullptr;
}

void Kartta::piirraTausta() {
    if (!tausta) return;
    for (int y = 0; y < kentta->h; y += TAUSTAN_VALI)
        for (int x = 0; x < kentta->w; x += TAUSTAN_VALI) piirraPalanen(tausta, kentta, x, y);
}

// Paints the background and then every block, in list order, into the level
// picture. Blocks of no known type and blocks wholly off the picture are
// skipped (the latter would wrap around SDL's 16-bit blit coordinates).
void Kartta::piirraKentta() {
    if (!kentta) return;
    piirraTausta();
    for (const pala& p : *palat) {
        if (p.tyyppi < 0 || p.tyyppi >= KUVIA || !kuvat[p.tyyppi]) continue;
        SDL_Surface* kuva = kuvat[p.tyyppi];
        const int64_t px = int64_t{p.x} * ruudunkoko;
        const int64_t py = int64_t{p.y} * ruudunkoko;
        if (px >= kentta->w || py >= kentta->h || px + kuva->w <= 0 || py + kuva->h <= 0) continue;
        piirraPalanen(kuva, kentta, static_cast<int>(px), static_cast<int>(py));
    }
    muunnaNaytonMuotoon();
}

// Once the screen is open the painted picture takes the screen's format, so
// the blit of every frame is cheap.
void Kartta::muunnaNaytonMuotoon() {
    if (omaKentta) kentta = naytonMuotoon(kentta);
}

void Kartta::piirraPalanen(SDL_Surface* kuva, SDL_Surface* kohde, int x, int y) {
    PiirraKuva(kuva, kohde, x, y);
}

// Draws the level picture so that map pixel (vier_X, vier_Y) lands on the
// screen's top-left corner. A scroll that puts the whole picture off the
// screen draws nothing (it would not fit SDL's 16-bit blit coordinates).
// Where the picture does not cover the screen (no picture at all, a small
// level, an absurd scroll) the screen is cleared to black first, so nothing
// of an earlier frame stays on it.
void Kartta::piirraKartta(SDL_Surface* ruutu) {
    const int64_t sx = -int64_t{vier_X};
    const int64_t sy = -int64_t{vier_Y};
    const bool peittaa = kentta && ruutu && sx <= 0 && sy <= 0 && sx + kentta->w >= ruutu->w &&
                         sy + kentta->h >= ruutu->h;
    if (!peittaa && ruutu) SDL_FillRect(ruutu, nullptr, SDL_MapRGB(ruutu->format, 0, 0, 0));
    if (sx <= -SUURIN_SIVU_PIKSELEINA || sx >= RUUDUN_LEVEYS) return;
    if (sy <= -SUURIN_SIVU_PIKSELEINA || sy >= RUUDUN_KORKEUS) return;
    PiirraKuva(kentta, ruutu, static_cast<int>(sx), static_cast<int>(sy));
}

void Kartta::vier(int x, int y) {
    vier_X = x;
    vier_Y = y;
}

// Keeps the screen on the level: the lower bound first, the upper bound only
// when the value was not negative.
void Kartta::rajoita_Vier() {
    // 64-bit sums: a hostile level's extent must not overflow.
    const int64_t w = int64_t{ruudunkoko} * (int64_t{leveys} + 1);
    const int64_t h = int64_t{ruudunkoko} * (int64_t{korkeus} + 1);
    if (vier_X < 0)
        vier_X = 0;
    else if (int64_t{vier_X} + RUUDUN_LEVEYS > w)
        vier_X = static_cast<int>(w - RUUDUN_LEVEYS);
    if (vier_Y < 0)
        vier_Y = 0;
    else if (int64_t{vier_Y} + RUUDUN_KORKEUS > h)
        vier_Y = static_cast<int>(h - RUUDUN_KORKEUS);
}

int Kartta::haeVier_X() { return vier_X; }
int Kartta::haeVier_Y() { return vier_Y; }
