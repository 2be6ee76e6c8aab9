// The sound layer over SDL_mixer. Every sound is decoded whole into memory
// (mp3 through libmpg123 in gapless mode, so a loop carries no encoder delay
// or padding) and played as one mixer chunk: an endless loop of one chunk
// repeats without a gap. Every failure leaves the layer silent.
#include "aani.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <mpg123.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "tiedosto.h"

struct Aani {
    Mix_Chunk* nayte = nullptr;
    int toistokerrat = 0;
    std::string nimi;
};

namespace {

constexpr int kTaajuusHz = 44100;
constexpr int kKanaviaStereo = 2;
constexpr int kPuskuriNaytteina = 1024;  // mixer buffer, sample frames (about 23 ms)
constexpr size_t kLukupalaNaytteina = 8192;
// Decoding stops after this much stereo sound, so that a broken file cannot
// make one sound use up the memory.
constexpr long kPisinAaniSekunteina = 600;

// Start numbers grow over the whole run, so a handle of an earlier start (even
// one from before a close and reopen) never matches a later start.
unsigned long viimeisinSukupolvi = 0;

std::function<void(const std::string&)>& kuuntelija() {
    static std::function<void(const std::string&)> kuuntelija;
    return kuuntelija;
}

// Decoded signed 16-bit samples, channels interleaved.
struct Pcm {
    std::vector<int16_t> naytteet;
    long taajuus = 0;
    int kanavia = 0;
};

mpg123_handle* avaaMp3Purkaja() {
    mpg123_handle* purkaja = mpg123_new(nullptr, nullptr);
    if (!purkaja) return nullptr;
    mpg123_param(purkaja, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
    // Signed 16-bit in the file's own rate, mono or stereo.
    mpg123_format_none(purkaja);
    const long* taajuudet = nullptr;
    size_t maara = 0;
    mpg123_rates(&taajuudet, &maara);
    for (size_t i = 0; i < maara; ++i)
        mpg123_format(purkaja, taajuudet[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open_feed(purkaja) != MPG123_OK) {
        mpg123_delete(purkaja);
        return nullptr;
    }
    return purkaja;
}

bool onkoLiianPitka(const Pcm& pcm) {
    return pcm.naytteet.size() > size_t(pcm.taajuus) * kKanaviaStereo * kPisinAaniSekunteina;
}

// Decodes a whole mp3 held in memory. A format change in mid-stream ends the
// sound there, since one chunk has one format.
bool puraMp3(std::string_view tavut, Pcm& pcm) {
    mpg123_handle* purkaja = avaaMp3Purkaja();
    if (!purkaja) return false;
    mpg123_feed(purkaja, reinterpret_cast<const unsigned char*>(tavut.data()), tavut.size());
    std::vector<int16_t> pala(kLukupalaNaytteina);
    for (;;) {
        size_t saatu = 0;
        int tulos = mpg123_read(purkaja, pala.data(), pala.size() * sizeof(int16_t), &saatu);
        pcm.naytteet.insert(pcm.naytteet.end(), pala.begin(), pala.begin() + saatu / 2);
        if (tulos == MPG123_NEW_FORMAT) {
            long taajuus = 0;
            int kanavia = 0, koodaus = 0;
            mpg123_getformat(purkaja, &taajuus, &kanavia, &koodaus);
            if (!pcm.naytteet.empty() && (taajuus != pcm.taajuus || kanavia != pcm.kanavia)) break;
            pcm.taajuus = taajuus;
            pcm.kanavia = kanavia;
        } else if (tulos != MPG123_OK || onkoLiianPitka(pcm)) {
            break;
        }
    }
    mpg123_delete(purkaja);
    return pcm.taajuus > 0 && pcm.kanavia > 0 && pcm.naytteet.size() >= size_t(pcm.kanavia);
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
Mix_Chunk* teeNayte(const Pcm& pcm, int taajuus, Uint16 muoto, int kanavia) {
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, AUDIO_S16SYS, pcm.kanavia, pcm.taajuus, muoto, kanavia, taajuus) <
        0)
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
    int kehyksenTavut = (muoto & 0xFF) / 8 * kanavia;
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
    int taajuus = 0, kanavia = 0;
    Uint16 muoto = 0;
    if (!Mix_QuerySpec(&taajuus, &muoto, &kanavia)) return nullptr;
    Pcm pcm;
    if (!puraMp3(tavut, pcm)) return nullptr;
    muutaTaajuus(pcm, taajuus);
    return teeNayte(pcm, taajuus, muoto, kanavia);
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
    sukupolvet.assign(Mix_AllocateChannels(std::max(kanavia, 0)), 0);
    mpg123_init();
    auki = true;
}

Aani* AaniJarjestelma::luoAani(const std::string& polku) {
    if (!auki) return nullptr;
    auto tavut = tiedosto::lue(polku, tiedosto::AANEN_ENINTAAN);
    return tavut ? luoAaniTavuista(*tavut, polku) : nullptr;
}

Aani* AaniJarjestelma::luoAaniTavuista(std::string_view tavut, const std::string& nimi) {
    if (!auki || tavut.size() > static_cast<size_t>(INT_MAX)) return nullptr;
    Mix_Chunk* nayte = lataaNayte(tavut);
    if (!nayte) return nullptr;
    aanet.push_back(new Aani{nayte, 0, nimi});
    return aanet.back();
}

void AaniJarjestelma::asetaToistokerrat(Aani* aani, int kerrat) {
    if (onkoOma(aani)) aani->toistokerrat = std::max(kerrat, -1);
}

Kanava AaniJarjestelma::soita(Aani* aani) {
    if (!auki || !onkoOma(aani)) return {};
    // A new start plays at full volume whatever the channel's last sound had;
    // the lock keeps the mixer from hearing it at the old volume first.
    SDL_LockAudio();
    int numero = Mix_PlayChannel(-1, aani->nayte, aani->toistokerrat);
    if (numero >= 0) Mix_Volume(numero, MIX_MAX_VOLUME);
    SDL_UnlockAudio();
    if (numero < 0 || numero >= static_cast<int>(sukupolvet.size())) return {};
    sukupolvet[numero] = ++viimeisinSukupolvi;
    if (kuuntelija()) kuuntelija()(aani->nimi);
    return {numero, sukupolvet[numero]};
}

void AaniJarjestelma::asetaVoimakkuus(Kanava kanava, float voimakkuus) {
    if (!tavoittaa(kanava)) return;
    float rajattu = voimakkuus >= 0.0f ? std::min(voimakkuus, 1.0f) : 0.0f;  // NaN gives 0
    Mix_Volume(kanava.numero, static_cast<int>(std::lround(rajattu * MIX_MAX_VOLUME)));
}

void AaniJarjestelma::pysayta(Kanava kanava) {
    if (tavoittaa(kanava)) Mix_HaltChannel(kanava.numero);
}

bool AaniJarjestelma::soiko(Kanava kanava) const { return tavoittaa(kanava); }

void AaniJarjestelma::vapauta(Aani* aani) {
    if (!onkoOma(aani)) return;
    for (int numero = 0; numero < static_cast<int>(sukupolvet.size()); ++numero)
        if (Mix_GetChunk(numero) == aani->nayte) Mix_HaltChannel(numero);
    Mix_FreeChunk(aani->nayte);
    aanet.erase(std::find(aanet.begin(), aanet.end(), aani));
    delete aani;
}

void AaniJarjestelma::sulje() {
    if (!auki) return;
    Mix_HaltChannel(-1);
    for (Aani* aani : aanet) {
        Mix_FreeChunk(aani->nayte);
        delete aani;
    }
    aanet.clear();
    sukupolvet.clear();
    Mix_CloseAudio();
    mpg123_exit();
    if (omaAudioAlustus) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    omaAudioAlustus = false;
    auki = false;
}

double AaniJarjestelma::haeKesto(const Aani* aani) const {
    int taajuus = 0, kanavia = 0;
    Uint16 muoto = 0;
    if (!onkoOma(aani) || !Mix_QuerySpec(&taajuus, &muoto, &kanavia)) return 0.0;
    int kehyksenTavut = (muoto & 0xFF) / 8 * kanavia;
    return static_cast<double>(aani->nayte->alen / kehyksenTavut) / taajuus;
}

float AaniJarjestelma::haeVoimakkuus(Kanava kanava) const {
    if (!tavoittaa(kanava)) return -1.0f;
    return static_cast<float>(Mix_Volume(kanava.numero, -1)) / MIX_MAX_VOLUME;
}

// Pointers are checked against the sounds still owned, so a sound freed
// already (or by sulje) is ignored instead of touched.
bool AaniJarjestelma::onkoOma(const Aani* aani) const {
    return aani && std::find(aanet.begin(), aanet.end(), aani) != aanet.end();
}

// A handle reaches its channel only while the very start it was given for is
// still playing there.
bool AaniJarjestelma::tavoittaa(Kanava kanava) const {
    return auki && kanava.numero >= 0 && kanava.numero < static_cast<int>(sukupolvet.size()) &&
           kanava.sukupolvi != 0 && sukupolvet[kanava.numero] == kanava.sukupolvi &&
           Mix_Playing(kanava.numero);
}

namespace aani {
void asetaKuuntelija(std::function<void(const std::string&)> uusi) {
    kuuntelija() = std::move(uusi);
}
}  // namespace aani
