#include "tilaverkko.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "pelikehys.h"

namespace tilaverkko {

const std::array<Syote, SYOTTEITA> SYOTTEET = {{
    {false, true, false},
    {false, true, true},
    {false, false, false},
    {false, false, true},
    {true, false, false},
    {true, false, true},
}};

namespace {

// Packs the physics state into one key; the facing is left out (it only
// chooses the image). The vertical speed only ever takes multiples of 0.5.
uint64_t avain(const Ukko::Tila& t) {
    const float kaksinkertainen = t.nopeusY * 2.0f;
    if (kaksinkertainen != std::floor(kaksinkertainen) || std::fabs(kaksinkertainen) > 127) {
        std::fprintf(stderr, "odottamaton nopeus %g\n", t.nopeusY);
        std::abort();
    }
    const uint64_t x = static_cast<uint32_t>(t.x + (1 << 23)) & 0xFFFFFF;
    const uint64_t y = static_cast<uint32_t>(t.y + (1 << 23)) & 0xFFFFFF;
    const uint64_t v = static_cast<uint8_t>(static_cast<int8_t>(kaksinkertainen));
    return (x << 33) | (y << 9) | (v << 1) | (t.voiHypata ? 1 : 0);
}

// An open-addressing table from state keys to state numbers.
class Hakemisto {
  public:
    Hakemisto() { paikat.assign(size_t{1} << 20, TYHJA); }
    // The number of the key, or `uusi` stored for it when it was not there.
    int32_t haeTaiLisaa(uint64_t k, int32_t uusi) {
        if ((maara + 1) * 2 > paikat.size()) kasvata();
        size_t i = sekoita(k) & (paikat.size() - 1);
        while (paikat[i].avain != TYHJA.avain) {
            if (paikat[i].avain == k) return paikat[i].numero;
            i = (i + 1) & (paikat.size() - 1);
        }
        paikat[i] = {k, uusi};
        ++maara;
        return uusi;
    }

  private:
    struct Paikka {
        uint64_t avain;
        int32_t numero;
    };
    static constexpr Paikka TYHJA{~uint64_t{0}, -1};
    static uint64_t sekoita(uint64_t k) {
        k ^= k >> 31;
        k *= 0x9E3779B97F4A7C15ull;
        return k ^ (k >> 29);
    }
    void kasvata() {
        std::vector<Paikka> vanhat(paikat.size() * 2, TYHJA);
        vanhat.swap(paikat);
        maara = 0;
        for (const Paikka& p : vanhat)
            if (p.avain != TYHJA.avain) haeTaiLisaa(p.avain, p.numero);
    }
    std::vector<Paikka> paikat;
    size_t maara = 0;
};

// The route to state `viimeinen` and its goal frame (the goal state is left
// for the caller, who replays the route).
Reitti kokoa(const Verkko& v, int32_t viimeinen, uint8_t viimeinenSyote, int kentta) {
    Reitti r;
    r.kentta = kentta;
    r.alku = v.tilat[0];
    r.syotteet.push_back(SYOTTEET[viimeinenSyote]);
    for (int32_t i = viimeinen; i > 0; i = v.edellinen[i])
        r.syotteet.push_back(SYOTTEET[v.syote[i]]);
    std::reverse(r.syotteet.begin(), r.syotteet.end());
    return r;
}

}  // namespace

Verkko tutki(Kartta& kartta, const Ukko::Tila& alku, bool maaliinAsti, size_t raja) {
    Verkko v;
    Hakemisto hakemisto;
    auto lisaa = [&](const Ukko::Tila& t, int32_t edellinen, uint8_t s, int32_t kehyksia) {
        const int32_t uusi = static_cast<int32_t>(v.tilat.size());
        const int32_t numero = hakemisto.haeTaiLisaa(avain(t), uusi);
        if (numero != uusi) return numero;
        v.tilat.push_back(t);
        v.edellinen.push_back(edellinen);
        v.syote.push_back(s);
        v.kehyksia.push_back(kehyksia);
        return numero;
    };
    lisaa(alku, -1, 0, 0);
    Ukko ukko;
    for (size_t i = 0; i < v.tilat.size(); ++i) {
        if (v.tilat.size() > raja) {
            v.kesken = true;
            break;
        }
        std::array<int32_t, SYOTTEITA> seuraajat{};
        for (int s = 0; s < SYOTTEITA; ++s) {
            ukko.asetaTila(v.tilat[i]);
            const bool maalissa = pelikehys::pelaa(ukko, kartta, SYOTTEET[s], nullptr, false);
            seuraajat[s] = maalissa ? MAALI
                                    : lisaa(ukko.haeTila(), static_cast<int32_t>(i),
                                            static_cast<uint8_t>(s), v.kehyksia[i] + 1);
        }
        v.seuraajat.push_back(seuraajat);
        if (maaliinAsti && std::find(seuraajat.begin(), seuraajat.end(), MAALI) != seuraajat.end())
            break;
    }
    v.seuraajat.resize(v.tilat.size(), std::array<int32_t, SYOTTEITA>{});
    return v;
}

std::optional<Reitti> nopein(const Verkko& v, int kentta) {
    // States are numbered by their distance, so the first one with a goal
    // edge is on a fastest route.
    for (size_t i = 0; i < v.seuraajat.size(); ++i)
        for (int s = 0; s < SYOTTEITA; ++s)
            if (v.seuraajat[i][s] == MAALI)
                return kokoa(v, static_cast<int32_t>(i), static_cast<uint8_t>(s), kentta);
    return std::nullopt;
}

std::vector<int32_t> loukut(const Verkko& v) {
    const size_t n = v.seuraajat.size();
    // Edges backwards, gathered per target state.
    std::vector<int32_t> alku(n + 1, 0);
    for (const auto& ss : v.seuraajat)
        for (int32_t t : ss)
            if (t >= 0) ++alku[static_cast<size_t>(t) + 1];
    for (size_t i = 0; i < n; ++i) alku[i + 1] += alku[i];
    std::vector<int32_t> lahteet(static_cast<size_t>(alku[n]));
    std::vector<int32_t> taytto(alku.begin(), alku.end() - 1);
    for (size_t i = 0; i < n; ++i)
        for (int32_t t : v.seuraajat[i])
            if (t >= 0) lahteet[static_cast<size_t>(taytto[t]++)] = static_cast<int32_t>(i);
    // Back from the states with a goal edge.
    std::vector<uint8_t> paasee(n, 0);
    std::vector<int32_t> jono;
    for (size_t i = 0; i < n; ++i)
        if (std::find(v.seuraajat[i].begin(), v.seuraajat[i].end(), MAALI) !=
            v.seuraajat[i].end()) {
            paasee[i] = 1;
            jono.push_back(static_cast<int32_t>(i));
        }
    for (size_t j = 0; j < jono.size(); ++j)
        for (int32_t k = alku[jono[j]]; k < alku[jono[j] + 1]; ++k)
            if (!paasee[lahteet[k]]) {
                paasee[lahteet[k]] = 1;
                jono.push_back(lahteet[k]);
            }
    std::vector<int32_t> tulos;
    for (size_t i = 0; i < n; ++i)
        if (!paasee[i]) tulos.push_back(static_cast<int32_t>(i));
    return tulos;
}

namespace {

// Breadth-first over the states at every K-th frame. Returns the boundary
// state, the input and the frame within the last run of the fastest goal,
// with the route's runs gathered in `ketju`.
struct JaksoHaku {
    const Verkko& v;
    int K;
    std::vector<int32_t> edellinen;
    std::vector<uint8_t> syote;
    std::vector<int32_t> jono;
    std::vector<uint8_t> nahty;

    // Follows input s for up to K frames from state i: the frame of the goal
    // (1..K), or 0 with the state reached in `loppu`.
    int seuraa(int32_t i, int s, int32_t& loppu) const {
        for (int t = 1; t <= K; ++t) {
            i = v.seuraajat[i][s];
            if (i == MAALI) return t;
        }
        loppu = i;
        return 0;
    }

    // The goal's frame count, its last boundary state and input; nothing
    // when it cannot be reached.
    std::optional<std::array<int32_t, 3>> etsi() {
        nahty.assign(v.tilat.size(), 0);
        edellinen.assign(v.tilat.size(), -1);
        syote.assign(v.tilat.size(), 0);
        jono = {0};
        nahty[0] = 1;
        for (size_t alku = 0, jakso = 0; alku < jono.size(); ++jakso) {
            const size_t loppu = jono.size();
            std::optional<std::array<int32_t, 3>> paras;
            for (size_t j = alku; j < loppu; ++j)
                for (int s = 0; s < SYOTTEITA; ++s) {
                    int32_t seuraava = 0;
                    const int t = seuraa(jono[j], s, seuraava);
                    const int32_t kehyksia = static_cast<int32_t>(jakso) * K + t;
                    if (t && (!paras || kehyksia < (*paras)[0])) paras = {{kehyksia, jono[j], s}};
                    if (t || nahty[seuraava]) continue;
                    nahty[seuraava] = 1;
                    edellinen[seuraava] = jono[j];
                    syote[seuraava] = static_cast<uint8_t>(s);
                    jono.push_back(seuraava);
                }
            if (paras) return paras;
            alku = loppu;
        }
        return std::nullopt;
    }
};

}  // namespace

std::optional<Reitti> nopeinJaksoin(const Verkko& v, int K, int kentta) {
    JaksoHaku h{v, K, {}, {}, {}, {}};
    auto loyto = h.etsi();
    if (!loyto) return std::nullopt;
    Reitti r;
    r.kentta = kentta;
    r.alku = v.tilat[0];
    const int32_t viimeinenKehys = (*loyto)[0] - ((*loyto)[0] - 1) / K * K;
    r.syotteet.assign(static_cast<size_t>(viimeinenKehys), SYOTTEET[(*loyto)[2]]);
    for (int32_t i = (*loyto)[1]; i > 0; i = h.edellinen[i])
        r.syotteet.insert(r.syotteet.end(), static_cast<size_t>(K), SYOTTEET[h.syote[i]]);
    std::reverse(r.syotteet.begin(), r.syotteet.end());
    return r;
}

std::vector<int> onnistuvatJaksot(const Verkko& v, int suurin) {
    std::vector<int> tulos;
    for (int K = 1; K <= suurin; ++K) {
        JaksoHaku h{v, K, {}, {}, {}, {}};
        if (h.etsi()) tulos.push_back(K);
    }
    return tulos;
}

std::optional<Ukko::Tila> toista(Kartta& kartta, const Reitti& r) {
    Ukko ukko;
    ukko.asetaTila(r.alku);
    for (size_t i = 0; i < r.syotteet.size(); ++i)
        if (pelikehys::pelaa(ukko, kartta, r.syotteet[i], nullptr, false) !=
            (i + 1 == r.syotteet.size()))
            return std::nullopt;
    return ukko.haeTila();
}

int sokeatHypyt(Kartta& kartta, const Reitti& r) {
    Ukko ukko;
    ukko.asetaTila(r.alku);
    int sokeita = 0;
    bool ilmassa = false;
    SDL_Rect nakyma{};
    for (const Syote& s : r.syotteet) {
        const bool hyppaa = s.hyppy && ukko.voikoHypata();
        const int ennenY = ukko.haeY();
        if (pelikehys::pelaa(ukko, kartta, s, nullptr, false)) break;
        if (hyppaa) {
            // The view of the frame the jump starts in: the game scrolled it
            // to the hero's position before the step.
            nakyma = {static_cast<Sint16>(kartta.haeVier_X()),
                      static_cast<Sint16>(kartta.haeVier_Y()), 1024, 768};
            ilmassa = true;
            continue;
        }
        if (!ilmassa) continue;
        const bool pudonnut = ukko.haeX() == pelikehys::PALUU_X &&
                              ukko.haeY() == pelikehys::PALUU_Y && ennenY != pelikehys::PALUU_Y;
        if (pudonnut) {
            ++sokeita;
            ilmassa = false;
        } else if (seisooko(ukko, kartta)) {
            const int x = ukko.haeX(), y = ukko.haeY();
            const bool nakyy = x >= nakyma.x && x + Ukko::LEVEYS < nakyma.x + nakyma.w &&
                               y >= nakyma.y && y + Ukko::KORKEUS + 1 < nakyma.y + nakyma.h;
            if (!nakyy) ++sokeita;
            ilmassa = false;
        }
    }
    return sokeita;
}

bool seisooko(Ukko& ukko, Kartta& kartta) {
    const int alaraja = ukko.haeY() + Ukko::KORKEUS + 1;
    if (alaraja % kartta.haeRuudunkoko() != 0) return false;
    int rivi = 0;
    return ukko.tormays_vaaka(ukko.haeX(), alaraja, rivi, kartta);
}

}  // namespace tilaverkko
