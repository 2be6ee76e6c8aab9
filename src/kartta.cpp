#include "kartta.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

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
const char* const MAALIMERKKITIEDOSTO = "media/images/maali.png";
// The collision grid covers at most this many cells; a larger bounding box
// (only hostile files have one) is answered by scanning the list.
constexpr int64_t SUURIN_RUUDUKKO = int64_t{1} << 22;

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
// True for an opaque format that the screen's own copies without converting.
bool onkoNaytonMuodossa(const SDL_PixelFormat* a) {
    const SDL_Surface* naytto = SDL_GetVideoSurface();
    if (!naytto) return false;
    const SDL_PixelFormat* b = naytto->format;
    return a->Amask == 0 && a->BitsPerPixel == b->BitsPerPixel && a->Rmask == b->Rmask &&
           a->Gmask == b->Gmask && a->Bmask == b->Bmask;
}
}  // namespace

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
    paivitaRuudukko();
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
    paivitaRuudukko();
}

void Kartta::poistaKaikkiPalikkat() {
    muokattavat().clear();
    paivitaRuudukko();
}

// The block list for changing: a list still shared with a copy is copied
// first, so the change is seen by this map only.
std::vector<pala>& Kartta::muokattavat() {
    if (palat.use_count() > 1) palat = std::make_shared<std::vector<pala>>(*palat);
    return *palat;
}

int Kartta::haeRuudunkoko() { return ruudunkoko; }

minsec Kartta::haeAika() { return kello.haeAika(); }

// Marks the cells of the current blocks in a new grid (the copies that share
// the old one keep it, as they keep the old list).
void Kartta::paivitaRuudukko() {
    ruudukko.reset();
    if (palat->empty()) return;
    int64_t vasen = INT64_MAX, yla = INT64_MAX, oikea = INT64_MIN, ala = INT64_MIN;
    for (const pala& p : *palat) {
        vasen = std::min<int64_t>(vasen, p.x);
        oikea = std::max<int64_t>(oikea, p.x);
        yla = std::min<int64_t>(yla, p.y);
        ala = std::max<int64_t>(ala, p.y);
    }
    auto uusi = std::make_shared<Ruudukko>();
    uusi->vasen = vasen;
    uusi->yla = yla;
    uusi->leveys = oikea - vasen + 1;
    uusi->korkeus = ala - yla + 1;
    if (uusi->leveys > SUURIN_RUUDUKKO || uusi->korkeus > SUURIN_RUUDUKKO ||
        uusi->leveys * uusi->korkeus > SUURIN_RUUDUKKO)
        return;
    uusi->varattu.assign(static_cast<size_t>(uusi->leveys * uusi->korkeus), 0);
    for (const pala& p : *palat)
        uusi->varattu[static_cast<size_t>((p.y - yla) * uusi->leveys + (p.x - vasen))] = 1;
    ruudukko = std::move(uusi);
}

bool Kartta::tarkistaTormays(int x, int y) {
    if (ruudukko) {
        const int64_t sarake = int64_t{x} - ruudukko->vasen;
        const int64_t rivi = int64_t{y} - ruudukko->yla;
        if (sarake < 0 || rivi < 0 || sarake >= ruudukko->leveys || rivi >= ruudukko->korkeus)
            return false;
        return ruudukko->varattu[static_cast<size_t>(rivi * ruudukko->leveys + sarake)] != 0;
    }
    for (const pala& p : *palat)
        if (p.x == x && p.y == y) return true;
    return false;
}

void Kartta::lataaKuvat() {
    auto uudet = std::make_shared<Kuvasto>();
    for (int i = 0; i < KUVIA; ++i) uudet->kuvat[i] = lataaKuva(KUVATIEDOSTOT[i]);
    uudet->tausta = lataaKuva(TAUSTATIEDOSTO);
    uudet->maalimerkki = lataaKuva(MAALIMERKKITIEDOSTO);
    kuvat = std::move(uudet);
    ruudunkoko = 32;
    vier_X = 0;
    vier_Y = 0;
}

void Kartta::vapautaKuvat() {
    kuvat.reset();
    kentta.reset();
    kentanPikselit.reset();
    kentanTila = 0;
}

SDL_Surface* Kartta::haeKuva(int tyyppi) const {
    if (!kuvat || tyyppi < 0 || tyyppi >= KUVIA) return nullptr;
    return kuvat->kuvat[tyyppi].get();
}

// Makes the blank level picture. The old one is let go first, so two level
// pictures are never held at once; a level too large for a picture keeps
// none.
void Kartta::luoKentta() {
    kentta.reset();
    const int64_t w = int64_t{leveys} * KUVARUUTU + KUVARUUTU;
    const int64_t h = int64_t{korkeus} * KUVARUUTU + KUVARUUTU;
    if (w > SUURIN_SIVU_PIKSELEINA || h > SUURIN_SIVU_PIKSELEINA) return;
    if (w * h * TAVUA_PIKSELISSA > SUURIN_PINTA_TAVUINA) return;
    // A picture that the background will cover wholly ends opaque and would
    // only be copied into the screen's format after painting: it is made in
    // that format at once, so a level change never holds two pictures.
    SDL_Surface* naytto = SDL_GetVideoSurface();
    if (naytto && piirtyykoPeittavaksi())
        kentta = luoNaytonMuotoinen(naytto->format, static_cast<int>(w), static_cast<int>(h));
    else
        kentta = luoPinta(static_cast<int>(w), static_cast<int>(h));
}

// True when the background alone covers every pixel of a level picture with
// opaque colour: an image without an alpha channel, at least the pitch of
// its copies in both directions.
bool Kartta::piirtyykoPeittavaksi() const {
    const SDL_Surface* tausta = kuvat ? kuvat->tausta.get() : nullptr;
    return tausta && tausta->format->Amask == 0 && tausta->w >= TAUSTAN_VALI &&
           tausta->h >= TAUSTAN_VALI;
}

// A blank picture in the screen's format over the map's own pixel memory.
// The memory is kept from level to level and grows only for a larger level,
// to at least VARATTU_KUVA_TAVUINA: levels of different sizes then reuse one
// block instead of leaving the allocator holes that the next, larger
// picture cannot use. A picture still held elsewhere keeps its memory.
std::shared_ptr<SDL_Surface> Kartta::luoNaytonMuotoinen(const SDL_PixelFormat* m, int w, int h) {
    const int rivi = (w * m->BytesPerPixel + 3) & ~3;
    const size_t tavuja = static_cast<size_t>(rivi) * static_cast<size_t>(h);
    if (tavuja > kentanTila || kentanPikselit.use_count() > 1) {
        kentanPikselit.reset();
        kentanTila = std::max<size_t>(tavuja, VARATTU_KUVA_TAVUINA);
        kentanPikselit.reset(new (std::nothrow) Uint8[kentanTila]);
        if (!kentanPikselit) kentanTila = 0;
        // Touched whole once: the game's footprint is then the same for
        // every level, whatever its size.
        if (kentanPikselit) std::memset(kentanPikselit.get(), 0, kentanTila);
    }
    if (!kentanPikselit) return nullptr;
    std::memset(kentanPikselit.get(), 0, tavuja);
    SDL_Surface* pinta = SDL_CreateRGBSurfaceFrom(kentanPikselit.get(), w, h, m->BitsPerPixel, rivi,
                                                  m->Rmask, m->Gmask, m->Bmask, 0);
    if (!pinta) return nullptr;
    // The surface frees only itself; the pixels live as long as it does.
    return std::shared_ptr<SDL_Surface>(
        pinta, [muisti = kentanPikselit](SDL_Surface* p) { SDL_FreeSurface(p); });
}

void Kartta::piirraTausta() {
    SDL_Surface* tausta = kuvat ? kuvat->tausta.get() : nullptr;
    if (!tausta) return;
    for (int y = 0; y < kentta->h; y += TAUSTAN_VALI)
        for (int x = 0; x < kentta->w; x += TAUSTAN_VALI) piirraPalanen(tausta, kentta.get(), x, y);
}

// Paints the background and then every block, in list order, into the level
// picture, and gives it the screen's format so the blit of every frame is
// cheap. Blocks of no known type and blocks wholly off the picture are
// skipped (the latter would wrap around SDL's 16-bit blit coordinates).
void Kartta::piirraKentta() {
    if (!kentta) return;
    piirraTausta();
    // A picture made in the screen's format blends each image through a
    // scratch in the RGBA format, so every pixel comes out as it would in an
    // RGBA picture (SDL's blitters round differently for the two formats).
    Pinta apu = kentta->format->Amask ? nullptr : luoSekoitusapu();
    for (const pala& p : *palat) {
        SDL_Surface* kuva = haeKuva(p.tyyppi);
        if (!kuva) continue;
        const int64_t px = int64_t{p.x} * ruudunkoko;
        const int64_t py = int64_t{p.y} * ruudunkoko;
        if (px >= kentta->w || py >= kentta->h || px + kuva->w <= 0 || py + kuva->h <= 0) continue;
        piirraKenttaan(kuva, apu.get(), static_cast<int>(px), static_cast<int>(py));
    }
    piirraMaalimerkki(apu.get());
    // A picture made in the screen's format is already what the copy would be.
    if (onkoNaytonMuodossa(kentta->format)) return;
    if (Pinta muunnettu = naytonMuotoinenKopio(kentta.get())) kentta = std::move(muunnettu);
}

// The goal's marker: its bottom edge on the surface a hero standing in the
// goal tile stands on, its left edge on the goal column. Not a block: the
// collision query never sees it.
void Kartta::piirraMaalimerkki(SDL_Surface* apu) {
    SDL_Surface* merkki = kuvat ? kuvat->maalimerkki.get() : nullptr;
    if (!merkki) return;
    const int x = MAALI_SARAKE * ruudunkoko;
    const int y = MERKIN_JALKARIVI * ruudunkoko - merkki->h;
    if (x >= kentta->w || y >= kentta->h) return;
    piirraKenttaan(merkki, apu, x, y);
}

// An RGBA scratch as large as the largest image painted into the level,
// copied out as plain colour (no blending).
Pinta Kartta::luoSekoitusapu() const {
    int w = 1, h = 1;
    if (kuvat) {
        for (const Pinta& kuva : kuvat->kuvat)
            if (kuva) w = std::max(w, kuva->w), h = std::max(h, kuva->h);
        if (kuvat->maalimerkki)
            w = std::max(w, kuvat->maalimerkki->w), h = std::max(h, kuvat->maalimerkki->h);
    }
    Pinta apu = luoPinta(w, h);
    if (apu) SDL_SetAlpha(apu.get(), 0, SDL_ALPHA_OPAQUE);
    return apu;
}

// Draws an image into the level picture: straight, or through the scratch
// `apu` (the picture's pixels under the image, the image blended onto them
// in RGBA, and back).
void Kartta::piirraKenttaan(SDL_Surface* kuva, SDL_Surface* apu, int x, int y) {
    if (!apu) {
        piirraPalanen(kuva, kentta.get(), x, y);
        return;
    }
    SDL_Rect alue{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(kuva->w),
                  static_cast<Uint16>(kuva->h)};
    SDL_Rect apuun{0, 0, 0, 0};
    SDL_BlitSurface(kentta.get(), &alue, apu, &apuun);
    piirraPalanen(kuva, apu, 0, 0);
    SDL_Rect osa{0, 0, static_cast<Uint16>(kuva->w), static_cast<Uint16>(kuva->h)};
    SDL_Rect takaisin{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_BlitSurface(apu, &osa, kentta.get(), &takaisin);
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
    PiirraKuva(kentta.get(), ruutu, static_cast<int>(sx), static_cast<int>(sy));
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
