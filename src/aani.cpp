// The sound layer over SDL_mixer. An effect is decoded whole into memory and
// played as one mixer chunk; music is decoded as it plays, through the
// mixer's music hook, so a long tune costs neither start-up time nor its
// whole length in memory. Loops of either repeat without a gap. Every
// failure leaves the layer silent.
#include "aani.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <mpg123.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

#include "mp3purku.h"
#include "tiedosto.h"

// A sound: a decoded chunk, or a stream decoded as it plays.
struct Aani {
    Mix_Chunk* nayte = nullptr;
    std::unique_ptr<Mp3Virta> virta;
    int toistokerrat = 0;
    std::string nimi;
    unsigned long avaus = 0;  // the device opening the samples were made for
    // Set by the mixer's thread while the stream plays, read by ours.
    std::atomic<int> voimakkuus{MIX_MAX_VOLUME};
    std::atomic<bool> loppunut{false};
};

namespace {

// The format the mixer opened the device in: every sample it plays is in it.
struct Laitemuoto {
    int taajuus = 0;
    Uint16 muoto = 0;
    int kanavia = 0;
    int kehyksenTavut() const { return (muoto & 0xFF) / 8 * kanavia; }
};

// The open device's format; nothing while the mixer is closed.
std::optional<Laitemuoto> haeLaitemuoto() {
    Laitemuoto m;
    if (!Mix_QuerySpec(&m.taajuus, &m.muoto, &m.kanavia)) return std::nullopt;
    return m;
}

// The stream on the mixer's music hook, if any: SDL_mixer has one hook.
Aani* koukussa = nullptr;

void irrotaKoukusta() {
    if (haeLaitemuoto()) Mix_HookMusic(nullptr, nullptr);
    koukussa = nullptr;
}

// Runs in the mixer's thread: the stream writes the next frames straight into
// the mix, which the channels are then mixed onto.
void virranKoukku(void* aani, Uint8* puskuri, int tavuja) {
    auto* a = static_cast<Aani*>(aani);
    const size_t kehyksia = static_cast<size_t>(tavuja) / (2 * sizeof(int16_t));
    if (!a->virta->tayta(reinterpret_cast<int16_t*>(puskuri), kehyksia, a->voimakkuus))
        a->loppunut = true;
}

}  // namespace

// While the mixer is open Mix_FreeChunk first stops every channel that plays
// the chunk, and a stream is taken off the hook; once the mixer has closed,
// they are only memory. So a handle may go at any time, before or after the
// system.
void AanenVapautus::operator()(Aani* aani) const {
    if (!aani) return;
    if (aani == koukussa) irrotaKoukusta();
    if (aani->nayte && haeLaitemuoto()) {
        Mix_FreeChunk(aani->nayte);
    } else if (aani->nayte) {
        SDL_free(aani->nayte->abuf);
        SDL_free(aani->nayte);
    }
    delete aani;
}

namespace {

constexpr int kTaajuusHz = 44100;
constexpr int kKanaviaStereo = 2;
constexpr int kPuskuriNaytteina = 1024;  // mixer buffer, sample frames (about 23 ms)

// Start numbers grow over the whole run, so a handle of an earlier start (even
// one from before a close and reopen) never matches a later start. Openings
// are counted the same way.
unsigned long viimeisinSukupolvi = 0;
unsigned long viimeisinAvaus = 0;

std::function<void(const std::string&)>& kirjuri() {
    static std::function<void(const std::string&)> kirjuri;
    return kirjuri;
}

// Linear interpolation to another rate. SDL 1.2 converts rates correctly only
// by powers of two (32 kHz would play 38 % too fast), and the decoder's own
// resampler can hang on a broken file; our sounds are made at the mixer's
// rate anyway, so this is rarely needed.
void muutaTaajuus(Pcm& pcm, long taajuus) {
    if (pcm.taajuus == taajuus) return;
    const size_t k = pcm.kanavia;
    const size_t kehyksia = pcm.naytteet.size() / k;
    const double askel = static_cast<double>(pcm.taajuus) / taajuus;
    const size_t uusiaKehyksia = static_cast<size_t>(kehyksia / askel);
    std::vector<int16_t> uusi(uusiaKehyksia * k);
    for (size_t i = 0; i < uusiaKehyksia; ++i) {
        double paikka = i * askel;
        size_t a = std::min(static_cast<size_t>(paikka), kehyksia - 1);
        size_t b = std::min(a + 1, kehyksia - 1);
        double osuus = paikka - a;
        for (size_t c = 0; c < k; ++c)
            uusi[i * k + c] = static_cast<int16_t>(std::lround(
                pcm.naytteet[a * k + c] * (1.0 - osuus) + pcm.naytteet[b * k + c] * osuus));
    }
    pcm.naytteet.swap(uusi);
    pcm.taajuus = taajuus;
}

// Converts the samples to the open mixer's format and wraps them in a chunk
// that owns its buffer, so Mix_FreeChunk frees both.
Mix_Chunk* teeNayte(const Pcm& pcm, const Laitemuoto& laite) {
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, AUDIO_S16SYS, pcm.kanavia, pcm.taajuus, laite.muoto, laite.kanavia,
                          laite.taajuus) < 0)
        return nullptr;
    size_t pituus = pcm.naytteet.size() * sizeof(int16_t);
    size_t kerroin = std::max(cvt.len_mult, 1);
    if (pituus > static_cast<size_t>(INT_MAX) / kerroin) return nullptr;
    auto* puskuri = static_cast<Uint8*>(SDL_malloc(pituus * kerroin));
    if (!puskuri) return nullptr;
    std::memcpy(puskuri, pcm.naytteet.data(), pituus);
    cvt.buf = puskuri;
    cvt.len = static_cast<int>(pituus);
    auto* nayte = static_cast<Mix_Chunk*>(SDL_malloc(sizeof(Mix_Chunk)));
    const int kehyksenTavut = laite.kehyksenTavut();
    if (!nayte || SDL_ConvertAudio(&cvt) < 0 || cvt.len_cvt < kehyksenTavut) {
        SDL_free(nayte);
        SDL_free(puskuri);
        return nullptr;
    }
    nayte->allocated = 1;
    nayte->abuf = puskuri;
    nayte->alen = static_cast<Uint32>(cvt.len_cvt - cvt.len_cvt % kehyksenTavut);
    nayte->volume = MIX_MAX_VOLUME;
    return nayte;
}

Mix_Chunk* lataaNayte(std::string_view tavut) {
    const std::optional<Laitemuoto> laite = haeLaitemuoto();
    if (!laite) return nullptr;
    Pcm pcm;
    if (!puraMp3(tavut, pcm)) return nullptr;
    muutaTaajuus(pcm, laite->taajuus);
    return teeNayte(pcm, *laite);
}

}  // namespace

AaniJarjestelma::~AaniJarjestelma() { sulje(); }

void AaniJarjestelma::alusta(int kanavia) {
    if (auki) return;
    if (!SDL_WasInit(SDL_INIT_AUDIO)) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) return;
        omaAudioAlustus = true;
    }
    if (Mix_OpenAudio(kTaajuusHz, AUDIO_S16SYS, kKanaviaStereo, kPuskuriNaytteina) < 0) {
        if (omaAudioAlustus) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        omaAudioAlustus = false;
        return;
    }
    // The mixer's channels, and one more number for the stream on the hook.
    virranKanava = Mix_AllocateChannels(std::max(kanavia, 0));
    sukupolvet.assign(virranKanava + 1, 0);
    soivat.assign(virranKanava + 1, std::string());
    mpg123_init();
    avaus = ++viimeisinAvaus;
    auki = true;
}

AaniKahva AaniJarjestelma::luoAani(const std::string& polku) {
    if (!auki) return nullptr;
    auto tavut = tiedosto::lue(polku, tiedosto::AANEN_ENINTAAN);
    return tavut ? luoAaniTavuista(*tavut, polku) : nullptr;
}

AaniKahva AaniJarjestelma::luoAaniTavuista(std::string_view tavut, const std::string& nimi) {
    if (!auki || tavut.size() > static_cast<size_t>(INT_MAX)) return nullptr;
    Mix_Chunk* nayte = lataaNayte(tavut);
    if (!nayte) return nullptr;
    AaniKahva aani = uusiAani(nimi);
    aani->nayte = nayte;
    return aani;
}

// A stream plays straight into the mix, so its rate must be the mixer's and
// the mix 16-bit stereo; any other file is decoded whole instead.
AaniKahva AaniJarjestelma::luoVirta(const std::string& polku) {
    if (!auki) return nullptr;
    auto tavut = tiedosto::lue(polku, tiedosto::AANEN_ENINTAAN);
    if (!tavut) return nullptr;
    const Laitemuoto laite = haeLaitemuoto().value_or(Laitemuoto{});
    std::unique_ptr<Mp3Virta> virta = Mp3Virta::avaa(*tavut);
    if (!virta || virta->haeTaajuus() != laite.taajuus || laite.muoto != AUDIO_S16SYS ||
        laite.kanavia != kKanaviaStereo)
        return luoAaniTavuista(*tavut, polku);
    AaniKahva aani = uusiAani(polku);
    aani->virta = std::move(virta);
    return aani;
}

// An empty sound of this opening of the device, named for the sound log.
AaniKahva AaniJarjestelma::uusiAani(const std::string& nimi) const {
    AaniKahva aani(new Aani);
    aani->nimi = nimi;
    aani->avaus = avaus;
    return aani;
}

void AaniJarjestelma::asetaToistokerrat(Aani* aani, int kerrat) {
    if (!onkoKaytettava(aani)) return;
    aani->toistokerrat = std::max(kerrat, -1);
    if (kirjuri()) kirjuri()("toisto " + aani->nimi + " " + std::to_string(aani->toistokerrat));
}

Kanava AaniJarjestelma::soita(Aani* aani) {
    if (!auki || !onkoKaytettava(aani)) return {};
    const int numero = aani->virta ? soitaVirta(aani) : soitaNayte(aani);
    if (numero < 0 || numero >= static_cast<int>(sukupolvet.size())) return {};
    sukupolvet[numero] = ++viimeisinSukupolvi;
    soivat[numero] = aani->nimi;
    const Kanava kanava{numero, sukupolvet[numero]};
    kirjaa("soita", kanava);
    return kanava;
}

// A new start plays at full volume whatever the channel's last sound had;
// the lock keeps the mixer from hearing it at the old volume first.
int AaniJarjestelma::soitaNayte(Aani* aani) {
    SDL_LockAudio();
    int numero = Mix_PlayChannel(-1, aani->nayte, aani->toistokerrat);
    if (numero >= 0) Mix_Volume(numero, MIX_MAX_VOLUME);
    SDL_UnlockAudio();
    return numero;
}

// The hook holds one stream: a new one takes the place of the one before.
int AaniJarjestelma::soitaVirta(Aani* aani) {
    irrotaKoukusta();
    aani->virta->alusta(aani->toistokerrat);
    aani->voimakkuus = MIX_MAX_VOLUME;
    aani->loppunut = false;
    koukussa = aani;
    Mix_HookMusic(virranKoukku, aani);
    return virranKanava;
}

void AaniJarjestelma::asetaVoimakkuus(Kanava kanava, float voimakkuus) {
    if (!tavoittaa(kanava)) return;
    float rajattu = voimakkuus >= 0.0f ? std::min(voimakkuus, 1.0f) : 0.0f;  // NaN gives 0
    const int arvo = static_cast<int>(std::lround(rajattu * MIX_MAX_VOLUME));
    if (kanava.numero == virranKanava)
        koukussa->voimakkuus = arvo;
    else
        Mix_Volume(kanava.numero, arvo);
    char teksti[16];
    std::snprintf(teksti, sizeof teksti, "%.2f", rajattu);
    kirjaa("voimakkuus", kanava, teksti);
}

void AaniJarjestelma::pysayta(Kanava kanava) {
    if (!tavoittaa(kanava)) return;
    if (kanava.numero == virranKanava)
        irrotaKoukusta();
    else
        Mix_HaltChannel(kanava.numero);
    kirjaa("pysayta", kanava);
}

bool AaniJarjestelma::soiko(Kanava kanava) const { return tavoittaa(kanava); }

void AaniJarjestelma::kirjaa(const char* teko, Kanava kanava, const std::string& lisa) const {
    if (!kirjuri()) return;
    std::string rivi = std::string(teko) + " " + soivat[kanava.numero] + " kanava " +
                       std::to_string(kanava.numero);
    kirjuri()(lisa.empty() ? rivi : rivi + " " + lisa);
}

void AaniJarjestelma::sulje() {
    if (!auki) return;
    irrotaKoukusta();
    Mix_HaltChannel(-1);
    sukupolvet.clear();
    soivat.clear();
    Mix_CloseAudio();
    mpg123_exit();
    if (omaAudioAlustus) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    omaAudioAlustus = false;
    auki = false;
}

double AaniJarjestelma::haeKesto(const Aani* aani) const {
    if (!onkoKaytettava(aani) || !aani->nayte) return 0.0;
    const std::optional<Laitemuoto> laite = haeLaitemuoto();
    if (!laite) return 0.0;
    return static_cast<double>(aani->nayte->alen / laite->kehyksenTavut()) / laite->taajuus;
}

float AaniJarjestelma::haeVoimakkuus(Kanava kanava) const {
    if (!tavoittaa(kanava)) return -1.0f;
    const int arvo =
        kanava.numero == virranKanava ? koukussa->voimakkuus.load() : Mix_Volume(kanava.numero, -1);
    return static_cast<float>(arvo) / MIX_MAX_VOLUME;
}

// A sound made for an earlier opening of the device holds samples in that
// opening's format, so it is not played.
bool AaniJarjestelma::onkoKaytettava(const Aani* aani) const {
    return auki && aani && aani->avaus == avaus;
}

// A handle reaches its channel only while the very start it was given for is
// still playing there.
bool AaniJarjestelma::tavoittaa(Kanava kanava) const {
    if (!auki || kanava.numero < 0 || kanava.numero >= static_cast<int>(sukupolvet.size()) ||
        kanava.sukupolvi == 0 || sukupolvet[kanava.numero] != kanava.sukupolvi)
        return false;
    if (kanava.numero == virranKanava) return koukussa && !koukussa->loppunut;
    return Mix_Playing(kanava.numero) != 0;
}

namespace aani {
void asetaKirjuri(std::function<void(const std::string&)> uusi) { kirjuri() = std::move(uusi); }
}  // namespace aani
