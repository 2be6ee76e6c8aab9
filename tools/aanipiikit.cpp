// Measures the headroom of the game's sound: the peak of every mix of a tune
// with the effects at the volumes the game uses, mixed by the game's own
// sound layer (AaniJarjestelma over SDL_mixer) and written to a file by SDL's
// disk audio driver. Prints one line per sound alone and per combination:
//
//   aanipiikit [work directory]   run where media/ is (the project root)
//
// How: each tune is first captured alone over one whole loop and each effect
// alone at its volume, from the mixer's own output, so the volume scaling is
// the mixer's. Mixing adds those up, so the captures give the peak of the mix
// for every start of the effect ("laskettu"). The mixer starts sounds only at
// the start of a buffer: the search covers every buffer start in the tune's
// first loop, and the worst one is then mixed for real through the disk
// driver, whose file is read back ("mitattu"). Over many loops an effect can
// also land between those starts (every gcd(buffer, loop) frames): the worst
// of all of them is "kaikki_alut". With two effects their distance is
// searched too (a jump just before or after the level change sound). Exit
// status 1 when any of the figures is above -1 dBFS.
#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "aani.h"

namespace {

constexpr int kKanavia = 2;
constexpr double kRajaDbfs = -1.0;

struct Soitto {
    std::string polku;
    float voimakkuus;
};

// A sound to start at a frame, counted from the first start of the run.
struct Aloitus {
    Soitto soitto;
    long kehys;
    bool silmukka;
};

// Stereo 16-bit frames as the mixer wrote them.
using Naytteet = std::vector<int16_t>;

long kehyksia(const Naytteet& n) { return static_cast<long>(n.size() / kKanavia); }

// Shared with the mixer thread through the post-mix hook: the hook counts the
// frames mixed, keeps a copy when asked and pauses the device at `raja`, so
// the main thread can start sounds on exact frames.
struct Ajo {
    std::atomic<long> kehys{0};
    std::atomic<long> raja{0};
    std::atomic<bool> laske{false};
    std::atomic<int> puskuri{0};
    Naytteet* talteen = nullptr;
    SDL_sem* pysahtyi = nullptr;
};

void jalkimiksaus(void* tieto, Uint8* virta, int tavuja) {
    auto* ajo = static_cast<Ajo*>(tieto);
    const int n = tavuja / static_cast<int>(sizeof(int16_t) * kKanavia);
    ajo->puskuri = n;
    if (ajo->laske) {
        const auto* alku = reinterpret_cast<const int16_t*>(virta);
        if (ajo->talteen) ajo->talteen->insert(ajo->talteen->end(), alku, alku + n * kKanavia);
        ajo->kehys += n;
    }
    if (!ajo->laske || ajo->kehys >= ajo->raja) {
        ajo->laske = false;
        SDL_PauseAudio(1);  // seen by the mixer thread before its next buffer
        SDL_SemPost(ajo->pysahtyi);
    }
}

// Runs until `loppu` frames after the first start; returns the buffer size in
// frames. Each start lands on the first buffer at or after its frame.
int aja(AaniJarjestelma& jarjestelma, std::vector<Aloitus> aloitukset, long loppu, Ajo& ajo) {
    std::vector<AaniKahva> aanet;
    for (const Aloitus& a : aloitukset) {
        aanet.push_back(jarjestelma.luoAani(a.soitto.polku));
        if (a.silmukka) jarjestelma.asetaToistokerrat(aanet.back().get(), -1);
    }
    ajo.pysahtyi = SDL_CreateSemaphore(0);
    Mix_SetPostMix(jalkimiksaus, &ajo);
    SDL_SemWait(ajo.pysahtyi);  // the hook pauses the device at its next buffer
    for (size_t i = 0; ajo.kehys < loppu;) {
        for (; i < aloitukset.size() && aloitukset[i].kehys <= ajo.kehys; ++i)
            jarjestelma.asetaVoimakkuus(jarjestelma.soita(aanet[i].get()),
                                        aloitukset[i].soitto.voimakkuus);
        ajo.raja = i < aloitukset.size() ? std::min(aloitukset[i].kehys, loppu) : loppu;
        ajo.laske = true;
        SDL_PauseAudio(0);
        SDL_SemWait(ajo.pysahtyi);
    }
    Mix_SetPostMix(nullptr, nullptr);
    SDL_DestroySemaphore(ajo.pysahtyi);
    return ajo.puskuri;
}

long huippu(const Naytteet& n) {
    long h = 0;
    for (int16_t s : n) h = std::max(h, std::labs(s));
    return h;
}

long huippuTiedostosta(const std::string& tiedosto) {
    std::ifstream f(tiedosto, std::ios::binary);
    std::vector<char> tavut((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    Naytteet n(tavut.size() / sizeof(int16_t));
    std::copy(tavut.begin(), tavut.begin() + n.size() * sizeof(int16_t),
              reinterpret_cast<char*>(n.data()));
    return huippu(n);
}

struct Tallenne {
    int puskuri = 0;  // frames per mixer buffer; 0 when the device did not open
    long huippu = 0;  // the largest sample in the driver's file
};

// One run through the disk driver into `tiedosto` (removed afterwards). Keeps
// the frames mixed from the first start on in `talteen` when it is set.
Tallenne tallenna(const std::vector<Aloitus>& aloitukset, long loppu, const std::string& tiedosto,
                  Naytteet* talteen) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", tiedosto.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    AaniJarjestelma jarjestelma;
    jarjestelma.alusta(8);
    if (!jarjestelma.onkoAuki()) return {};
    Ajo ajo;
    ajo.talteen = talteen;
    Tallenne t;
    t.puskuri = aja(jarjestelma, aloitukset, loppu, ajo);
    jarjestelma.sulje();
    t.huippu = huippuTiedostosta(tiedosto);
    std::remove(tiedosto.c_str());
    return t;
}

long kestoKehyksina(const std::string& polku) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    AaniJarjestelma jarjestelma;
    jarjestelma.alusta(1);
    const double kesto = jarjestelma.haeKesto(jarjestelma.luoAani(polku).get());
    jarjestelma.sulje();
    return std::lround(kesto * 44100);
}

double dbfs(long h) { return 20.0 * std::log10(std::max(h, 1L) / 32768.0); }

// Largest |tune + effect| with the effect starting at tune frame `alku`; the
// tune loops.
long huippuKohdassa(const Naytteet& savel, const Naytteet& efekti, long alku) {
    const long pituus = kehyksia(savel);
    long h = 0;
    for (long t = 0; t < kehyksia(efekti); ++t) {
        const long k = (alku + t) % pituus;
        for (int c = 0; c < kKanavia; ++c)
            h = std::max(h, std::labs(savel[k * kKanavia + c] + efekti[t * kKanavia + c]));
    }
    return h;
}

struct Kohta {
    long alku = 0;
    long huippu = 0;
};

// The worst start among the multiples of `askel` below the tune's length.
// Blocks of `lohko` frames (which divides both) bound each start from above,
// so only the starts whose bound beats the best found so far are summed.
Kohta pahinKohta(const Naytteet& savel, const Naytteet& efekti, long askel, long lohko) {
    const long pituus = kehyksia(savel), lohkoja = pituus / lohko;
    auto lohkohuiput = [lohko](const Naytteet& n) {
        std::vector<long> h((kehyksia(n) + lohko - 1) / lohko, 0);
        for (size_t i = 0; i < n.size(); ++i)
            h[i / kKanavia / lohko] = std::max(h[i / kKanavia / lohko], std::labs(n[i]));
        return h;
    };
    const std::vector<long> s = lohkohuiput(savel), e = lohkohuiput(efekti);
    std::vector<std::pair<long, long>> ehdokkaat;  // (bound, start)
    for (long alku = 0; alku < pituus; alku += askel) {
        long raja = 0;
        for (size_t j = 0; j < e.size(); ++j)
            raja = std::max(raja, s[(alku / lohko + j) % lohkoja] + e[j]);
        ehdokkaat.push_back({raja, alku});
    }
    std::sort(ehdokkaat.rbegin(), ehdokkaat.rend());
    Kohta pahin;
    for (const auto& [raja, alku] : ehdokkaat) {
        if (raja <= pahin.huippu) break;
        const long h = huippuKohdassa(savel, efekti, alku);
        if (h > pahin.huippu) pahin = {alku, h};
    }
    return pahin;
}

// Two effects summed, the second starting `vali` frames after the first (or
// before it, when negative).
Naytteet summa(const Naytteet& a, const Naytteet& b, long vali) {
    const long alkuA = std::max(0L, -vali), alkuB = std::max(0L, vali);
    Naytteet tulos(std::max(alkuA + kehyksia(a), alkuB + kehyksia(b)) * kKanavia, 0);
    for (size_t i = 0; i < a.size(); ++i) tulos[alkuA * kKanavia + i] += a[i];
    for (size_t i = 0; i < b.size(); ++i) tulos[alkuB * kKanavia + i] += b[i];
    return tulos;
}

struct Yhdistelma {
    Soitto savel;
    std::vector<Soitto> efektit;  // one or two
};

std::string lyhyt(const std::string& polku) {
    return polku.rfind("media/", 0) == 0 ? polku.substr(6) : polku;
}

class Mittaus {
  public:
    explicit Mittaus(std::string hakemisto_) : hakemisto(std::move(hakemisto_)) {}

    // A sound alone from its first frame: a tune over one loop, an effect once.
    const Naytteet& yksin(const Soitto& s, bool silmukka) {
        const std::string avain = s.polku + "@" + std::to_string(s.voimakkuus);
        Naytteet& n = talteen[avain];
        if (n.empty()) {
            const long pituus = kestoKehyksina(s.polku);
            puskuri = tallenna({{s, 0, silmukka}}, pituus, tiedosto(), &n).puskuri;
            n.resize(std::min(n.size(), size_t(pituus) * kKanavia));
            std::printf("%-20s %.1f  yksin %6.2f dBFS\n", lyhyt(s.polku).c_str(), s.voimakkuus,
                        dbfs(huippu(n)));
        }
        return n;
    }

    // Prints the combination's line; false when a peak is above the limit.
    bool mittaa(const Yhdistelma& y) {
        const Naytteet& savel = yksin(y.savel, true);
        const long pituus = kehyksia(savel);
        if (puskuri <= 0 || pituus <= 0) return false;
        const long lohko = std::gcd(long(puskuri), pituus);
        long vali = 0;
        Naytteet efekti = yksin(y.efektit[0], false);
        if (y.efektit.size() == 2) {
            const Naytteet& b = yksin(y.efektit[1], false);
            long suurin = 0;
            for (long v = -(kehyksia(b) / puskuri) * puskuri; v < kehyksia(efekti); v += puskuri) {
                const long h = pahinKohta(savel, summa(efekti, b, v), puskuri, lohko).huippu;
                if (h > suurin) suurin = h, vali = v;
            }
            efekti = summa(efekti, b, vali);
        }
        const Kohta pahin = pahinKohta(savel, efekti, puskuri, lohko);
        const Kohta kaikki = pahinKohta(savel, efekti, lohko, lohko);
        const long mitattu = sekoita(y, pahin.alku, vali);
        tulosta(y, pahin, vali, mitattu, kaikki.huippu);
        return std::max({dbfs(mitattu), dbfs(pahin.huippu), dbfs(kaikki.huippu)}) <= kRajaDbfs;
    }

  private:
    std::string tiedosto() const { return hakemisto + "/aanipiikit.raw"; }

    // The tune and the effects mixed for real, the first effect at `alku`
    // and the second `vali` frames after it; the peak the driver wrote.
    long sekoita(const Yhdistelma& y, long alku, long vali) {
        std::vector<Aloitus> aloitukset = {{y.savel, 0, true}};
        long loppu = 0;
        for (size_t i = 0; i < y.efektit.size(); ++i) {
            const long kohta = alku + std::max(0L, i == 0 ? -vali : vali);
            aloitukset.push_back({y.efektit[i], kohta, false});
            loppu = std::max(loppu, kohta + kehyksia(yksin(y.efektit[i], false)));
        }
        std::stable_sort(aloitukset.begin(), aloitukset.end(),
                         [](const Aloitus& a, const Aloitus& b) { return a.kehys < b.kehys; });
        return tallenna(aloitukset, loppu, tiedosto(), nullptr).huippu;
    }

    void tulosta(const Yhdistelma& y, Kohta pahin, long vali, long mitattu, long kaikki) {
        std::string nimi = lyhyt(y.savel.polku);
        for (const Soitto& e : y.efektit) {
            char osa[64];
            std::snprintf(osa, sizeof osa, " + %s %.1f", lyhyt(e.polku).c_str(), e.voimakkuus);
            nimi += osa;
        }
        std::printf("%-52s alku %5.2f s", nimi.c_str(), pahin.alku / 44100.0);
        if (y.efektit.size() == 2) std::printf(" (vali %+.2f s)", vali / 44100.0);
        std::printf("  mitattu %6.2f dBFS  laskettu %6.2f dBFS  kaikki_alut %6.2f dBFS\n",
                    dbfs(mitattu), dbfs(pahin.huippu), dbfs(kaikki));
    }

    std::string hakemisto;
    std::map<std::string, Naytteet> talteen;
    int puskuri = 0;
};

}  // namespace

int main(int argc, char** argv) {
    std::string hakemisto = argc > 1 ? argv[1] : "";
    if (hakemisto.empty()) {
        char malli[] = "/tmp/aanipiikit-XXXXXX";
        if (!mkdtemp(malli)) return 2;
        hakemisto = malli;
    }
    const Soitto valikko{"media/music/valikko.mp3", 1.0f}, peli{"media/music/peli.mp3", 1.0f};
    const Soitto alku{"media/sounds/aani4.mp3", 1.0f}, siirto{"media/sounds/valikko.mp3", 1.0f},
        hyppy{"media/sounds/aani1.mp3", 0.4f}, kentta{"media/sounds/aani5.mp3", 1.0f};
    std::vector<Yhdistelma> yhdistelmat;
    for (const Soitto& savel : {valikko, peli})
        for (const Soitto& efekti : {alku, siirto, hyppy, kentta})
            yhdistelmat.push_back({savel, {efekti}});
    yhdistelmat.push_back({peli, {hyppy, kentta}});  // a jump around the level change
    Mittaus mittaus(hakemisto);
    bool kaikkiAlle = true;
    for (const Yhdistelma& y : yhdistelmat) kaikkiAlle = mittaus.mittaa(y) && kaikkiAlle;
    if (argc <= 1) rmdir(hakemisto.c_str());
    std::printf("raja %.1f dBFS: %s\n", kRajaDbfs, kaikkiAlle ? "kaikki alle" : "YLITTYY");
    return kaikkiAlle ? 0 : 1;
}
