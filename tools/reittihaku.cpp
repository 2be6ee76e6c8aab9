// Finds the fastest route through each level and writes it as a replay.
//
// The search is a breadth-first search over the character's physics state
// (x, y, vertical speed, jump permission) with the real Ukko step on the
// real level map, one frame per step and six inputs per frame (left, right
// or neither, each with or without left Shift). A frame runs exactly as the
// game loop runs it (pelikehys::pelaa): scroll, step, goal test, fall
// test. The levels are chained in play order: level 6 starts from the state
// Ukko::lataa leaves, every later level from (96, 896) with the speed and
// jump permission in which the previous route reached its goal.
//
//   reittihaku [kansio]     (default: levels; reads levelN.map, writes levelN.reitti)

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <unordered_map>
#include <vector>

#include "kartta.h"
#include "pelikehys.h"
#include "reitti.h"
#include "ukko.h"

namespace {

constexpr int ENSIMMAINEN_KENTTA = 6;
constexpr int KEHYKSIA_SEKUNNISSA = 60;
constexpr size_t SUURIN_TILAMAARA = 50'000'000;

// The six inputs, in the order ties between equally fast routes are broken.
const Syote SYOTTEET[] = {
    {false, true, false}, {false, true, true},  {false, false, false},
    {false, false, true}, {true, false, false}, {true, false, true},
};

struct Solmu {
    Ukko::Tila tila;
    int32_t edellinen;  // index of the node this one was reached from, -1 at the start
    uint8_t syote;      // index into SYOTTEET of the frame that led here
    bool maali;         // the frame that led here reached the goal
};

// Packs a physics state into one key. The vertical speed only ever takes
// multiples of 0.5 (the physics adds 0.5 or sets -12.5, 0, 1 or 32).
std::optional<uint64_t> avain(const Ukko::Tila& t) {
    const float kaksinkertainen = t.nopeusY * 2.0f;
    if (kaksinkertainen != std::floor(kaksinkertainen) || std::fabs(kaksinkertainen) > 127)
        return std::nullopt;
    const uint64_t x = static_cast<uint32_t>(t.x + (1 << 23)) & 0xFFFFFF;
    const uint64_t y = static_cast<uint32_t>(t.y + (1 << 23)) & 0xFFFFFF;
    const uint64_t v = static_cast<uint8_t>(static_cast<int8_t>(kaksinkertainen));
    return (x << 33) | (y << 9) | (v << 1) | (t.voiHypata ? 1 : 0);
}

// The route that leads to node `viimeinen`.
Reitti kokoaReitti(const std::vector<Solmu>& solmut, int32_t viimeinen, int kentta) {
    Reitti r;
    r.kentta = kentta;
    r.alku = solmut[0].tila;
    r.maali = solmut[viimeinen].tila;
    for (int32_t i = viimeinen; i > 0; i = solmut[i].edellinen)
        r.syotteet.push_back(SYOTTEET[solmut[i].syote]);
    std::reverse(r.syotteet.begin(), r.syotteet.end());
    return r;
}

// A lower bound of the frames still needed: the character moves at most 5
// pixels sideways per frame, except that a fall puts it back at x = 96.
// The bound changes by at most one per frame along any move, so the search
// below stays exact; every move is checked against that.
int arvio(const Ukko::Tila& t) {
    constexpr int MAALI_VASEN = pelikehys::MAALI_SARAKE * 32;
    constexpr int MAALI_OIKEA = MAALI_VASEN + 31;
    constexpr int ASKEL = 5;
    auto matka = [&](int x) {
        if (x < MAALI_VASEN) return (MAALI_VASEN - x + ASKEL - 1) / ASKEL;
        if (x > MAALI_OIKEA) return (x - MAALI_OIKEA + ASKEL - 1) / ASKEL;
        return 0;
    };
    return std::min(matka(t.x), matka(pelikehys::PALUU_X) + 1);
}

struct Haku {
    std::vector<Solmu> solmut;
    std::vector<int32_t> g;                       // frames from the start, per node
    std::unordered_map<uint64_t, int32_t> paras;  // best g found per state
    std::vector<std::vector<int32_t>> jonot;      // nodes by g + arvio
    bool ohjaus = true;                           // false: plain breadth-first order

    void lisaa(const Solmu& solmu, int32_t uusiG) {
        const uint64_t k = avain(solmu.tila).value();
        auto [paikka, uusi] = paras.try_emplace(k, uusiG);
        if (!uusi && paikka->second <= uusiG) return;
        paikka->second = uusiG;
        const size_t f = static_cast<size_t>(uusiG + (ohjaus ? arvio(solmu.tila) : 0));
        if (jonot.size() <= f) jonot.resize(f + 1);
        jonot[f].push_back(static_cast<int32_t>(solmut.size()));
        solmut.push_back(solmu);
        g.push_back(uusiG);
    }
};

// Fewest-frames search from `alku` in order of g + arvio (A*, which with an
// arvio that never overestimates and changes by at most one per frame finds
// a shortest route). Nothing when the goal cannot be reached; the flag
// `epakelpo` tells that a move broke the bound's rule.
std::optional<Reitti> etsiJarjestyksessa(Kartta& kartta, const Ukko::Tila& alku, int kentta,
                                         bool ohjaus, size_t& tiloja, bool& epakelpo) {
    Haku h;
    h.ohjaus = ohjaus;
    h.paras.reserve(1 << 20);
    h.lisaa({alku, -1, 0, false}, 0);
    Ukko ukko;
    for (size_t f = 0; f < h.jonot.size(); ++f) {
        for (size_t j = 0; j < h.jonot[f].size(); ++j) {
            const int32_t i = h.jonot[f][j];
            const Ukko::Tila tila = h.solmut[i].tila;
            if (h.paras[*avain(tila)] < h.g[i]) continue;  // a better way was found later
            if (h.solmut[i].maali) {
                tiloja = h.solmut.size();
                return kokoaReitti(h.solmut, i, kentta);
            }
            for (uint8_t s = 0; s < 6; ++s) {
                ukko.asetaTila(tila);
                const bool maalissa = pelikehys::pelaa(ukko, kartta, SYOTTEET[s], nullptr, false);
                const Ukko::Tila uusi = ukko.haeTila();
                if (!avain(uusi)) {
                    std::fprintf(stderr, "odottamaton nopeus %g\n", uusi.nopeusY);
                    std::exit(2);
                }
                if (ohjaus && arvio(tila) > arvio(uusi) + 1) epakelpo = true;
                // With the bound, a goal is the shortest once no cheaper node waits.
                h.lisaa({uusi, i, s, maalissa}, h.g[i] + 1);
                // With the bound, a goal is the shortest once no cheaper node waits.
                if (maalissa && (!ohjaus || static_cast<size_t>(h.g[i] + 1) == f) &&
                    h.solmut.back().maali && h.g.back() == h.g[i] + 1) {
                    tiloja = h.solmut.size();
                    return kokoaReitti(h.solmut, static_cast<int32_t>(h.solmut.size() - 1), kentta);
                }
            }
            if (h.solmut.size() > SUURIN_TILAMAARA) return std::nullopt;
        }
    }
    tiloja = h.solmut.size();
    return std::nullopt;
}

// The fewest-frames route: guided search, or plain breadth-first order when
// the level broke the guide's rule somewhere on the way.
std::optional<Reitti> etsi(Kartta& kartta, const Ukko::Tila& alku, int kentta, size_t& tiloja) {
    bool epakelpo = false;
    auto r = etsiJarjestyksessa(kartta, alku, kentta, true, tiloja, epakelpo);
    if (!epakelpo) return r;
    std::printf("kentta %d: arvio ei kelpaa, haetaan leveyssuunnassa\n", kentta);
    return etsiJarjestyksessa(kartta, alku, kentta, false, tiloja, epakelpo);
}

// Plays the route from its start and checks that the goal comes exactly on
// its last frame.
bool tarkista(Kartta& kartta, const Reitti& r) {
    Ukko ukko;
    ukko.asetaTila(r.alku);
    for (size_t i = 0; i < r.syotteet.size(); ++i)
        if (pelikehys::pelaa(ukko, kartta, r.syotteet[i], nullptr, false) !=
            (i + 1 == r.syotteet.size()))
            return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    const std::string kansio = argc > 1 ? argv[1] : "levels";
    Ukko aloitus;
    aloitus.lataa(nullptr);
    Ukko::Tila tila = aloitus.haeTila();
    int virheet = 0;
    for (int kentta = ENSIMMAINEN_KENTTA; kentta >= 1; --kentta) {
        Kartta kartta;
        kartta.lataaKartta(kansio + "/level" + std::to_string(kentta) + ".map");
        const auto alku = std::chrono::steady_clock::now();
        const std::clock_t suoritinAlku = std::clock();
        size_t tiloja = 0;
        auto r = etsi(kartta, tila, kentta, tiloja);
        const double kesto =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - alku).count();
        const double suoritin = double(std::clock() - suoritinAlku) / CLOCKS_PER_SEC;
        if (!r || !tarkista(kartta, *r)) {
            std::printf("kentta %d: EI REITTIA (%zu tilaa, %.2f s)\n", kentta, tiloja, kesto);
            ++virheet;
            break;
        }
        reitti::tallenna(kansio + "/level" + std::to_string(kentta) + ".reitti", *r);
        std::printf(
            "kentta %d: %zu kehysta = %.2f s pelia; %zu tilaa, haku %.2f s (suoritin %.2f s)\n",
            kentta, r->syotteet.size(), r->syotteet.size() / double(KEHYKSIA_SEKUNNISSA), tiloja,
            kesto, suoritin);
        tila = r->maali;
        tila.x = pelikehys::PALUU_X;
        tila.y = pelikehys::PALUU_Y;
    }
    aloitus.vapauta();
    SDL_Quit();
    return virheet ? 1 : 0;
}
