#include "mp3purku.h"

#include <mpg123.h>

#include <algorithm>

namespace {

constexpr size_t kLukupalaNaytteina = 8192;
constexpr long kPisinAaniSekunteina = 600;
constexpr int kStereo = 2;
constexpr int kTaysiVoimakkuus = 128;

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
    return pcm.naytteet.size() > size_t(pcm.taajuus) * kStereo * kPisinAaniSekunteina;
}

void syota(mpg123_handle* purkaja, std::string_view tavut) {
    mpg123_feed(purkaja, reinterpret_cast<const unsigned char*>(tavut.data()), tavut.size());
}

}  // namespace

bool puraMp3(std::string_view tavut, Pcm& pcm) {
    mpg123_handle* purkaja = avaaMp3Purkaja();
    if (!purkaja) return false;
    syota(purkaja, tavut);
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

// The format is read from the first frame; the stream keeps one format, so a
// file that changes it in mid-stream ends there, as the whole decode does.
std::unique_ptr<Mp3Virta> Mp3Virta::avaa(std::string tavut) {
    std::unique_ptr<Mp3Virta> virta(new Mp3Virta);
    virta->tavut = std::move(tavut);
    if (!virta->avaaPurkaja()) return nullptr;
    int koodaus = 0;
    if (mpg123_getformat(virta->purkaja, &virta->taajuus, &virta->kanavia, &koodaus) != MPG123_OK)
        return nullptr;
    if (virta->taajuus <= 0 || virta->kanavia < 1 || virta->kanavia > kStereo) return nullptr;
    return virta;
}

Mp3Virta::~Mp3Virta() {
    if (purkaja) mpg123_delete(purkaja);
}

bool Mp3Virta::avaaPurkaja() {
    if (purkaja) mpg123_delete(purkaja);
    purkaja = avaaMp3Purkaja();
    if (!purkaja) return false;
    syota(purkaja, tavut);
    kierroksellaAanta = false;
    return true;
}

void Mp3Virta::alusta(int toistokerrat) {
    kertojaJaljella = std::max(toistokerrat, -1);
    varasto.clear();
    kaytetty = 0;
    loppunut = !avaaPurkaja();
}

// Decodes the next piece into the store; at the end of the file starts it
// again while repeats are left. A pass that gives no sound at all ends the
// stream, so a broken file cannot loop without end.
bool Mp3Virta::puraLisaa() {
    varasto.resize(kLukupalaNaytteina);
    kaytetty = 0;
    for (;;) {
        size_t saatu = 0;
        const int tulos =
            mpg123_read(purkaja, varasto.data(), varasto.size() * sizeof(int16_t), &saatu);
        if (tulos == MPG123_NEW_FORMAT) {
            long t = 0;
            int k = 0, koodaus = 0;
            mpg123_getformat(purkaja, &t, &k, &koodaus);
            if (t != taajuus || k != kanavia) break;
        }
        if (saatu > 0) {
            varasto.resize(saatu / sizeof(int16_t));
            kierroksellaAanta = true;
            return true;
        }
        if (tulos == MPG123_OK || tulos == MPG123_NEW_FORMAT) continue;
        const bool loppuun = tulos == MPG123_NEED_MORE || tulos == MPG123_DONE;
        if (!loppuun || !kierroksellaAanta || kertojaJaljella == 0) break;
        if (kertojaJaljella > 0) --kertojaJaljella;
        if (!avaaPurkaja()) break;
    }
    varasto.clear();
    return false;
}

bool Mp3Virta::tayta(int16_t* kohde, size_t kehyksia, int voimakkuus) {
    const int v = std::clamp(voimakkuus, 0, kTaysiVoimakkuus);
    for (size_t i = 0; i < kehyksia; ++i) {
        if (!loppunut && kaytetty + kanavia > varasto.size()) loppunut = !puraLisaa();
        int16_t vasen = 0, oikea = 0;
        if (!loppunut) {
            vasen = varasto[kaytetty];
            oikea = varasto[kaytetty + kanavia - 1];
            kaytetty += kanavia;
        }
        kohde[2 * i] = static_cast<int16_t>(vasen * v / kTaysiVoimakkuus);
        kohde[2 * i + 1] = static_cast<int16_t>(oikea * v / kTaysiVoimakkuus);
    }
    return !loppunut;
}
