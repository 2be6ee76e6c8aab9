// Measures every level on the exact physics and writes its fastest route as
// a replay.
//
// For each level the tool explores every state of the hero (x, y, vertical
// speed, jump permission) reachable from the level's start, one frame of the
// game's own frame rule (pelikehys::pelaa) on the real map per edge, six
// inputs per frame (left, right or neither, each with or without left
// Shift). On that graph it finds:
//   - the fastest route (breadth-first, exact), written to levelN.reitti;
//   - the timing slack: the largest K such that with every interval up to
//     K the goal can be reached when the keys may change only at every K-th
//     frame from the level's first frame; and the largest single K that
//     works (K up to SUURIN_JAKSO; a longer K can work by a lucky alignment
//     where a shorter one fails);
//   - trapped states: reachable states from which the goal cannot be
//     reached any more (a fall restarts the level, so it is no trap);
//   - blind jumps on the fastest route with K = 6: jumps whose landing spot
//     is off screen when the jump starts, the view as the game scrolls it.
// The levels are chained in play order: level 6 starts from the state
// Ukko::lataa leaves, every later level from (96, 896) with the speed and
// jump permission in which the previous route reached its goal.
//
//   reittihaku [kansio]        (default: levels; reads levelN.map, writes levelN.reitti)
//   reittihaku kansio N        only level N, from the restart point standing
//                              (level 6 from its start); for trying a level

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "kartta.h"
#include "pelikehys.h"
#include "reitti.h"
#include "tilaverkko.h"
#include "ukko.h"

namespace {

constexpr int ENSIMMAINEN_KENTTA = 6;
constexpr double KEHYKSIA_SEKUNNISSA = 60.0;
constexpr int SUURIN_JAKSO = 60;  // the largest key-change interval tried, frames
constexpr int SOKEIDEN_JAKSO = 6;
constexpr double MIB = 1024.0 * 1024.0;

struct Mittaus {
    int kentta = 0;
    size_t kehyksia = 0;
    int jousto = 0;       // every K up to this one works
    int suurinJakso = 0;  // the largest K that works
    size_t loukkuja = 0;
    int sokeita = -1;
    double kuvaMib = 0;
    size_t tiloja = 0;
    double sekunteja = 0;
};

double kuluneet(std::chrono::steady_clock::time_point alku) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - alku).count();
}

// The size of the level picture: the extent in tiles, 32 x 32 pixels of 4 bytes each.
double kuvanKoko(Kartta& kartta) {
    return (kartta.haeLeveys() + 1.0) * (kartta.haeKorkeus() + 1.0) * 32 * 32 * 4 / MIB;
}

// Prints where the first few trapped states are, to find them in the level.
void kerroLoukut(const tilaverkko::Verkko& v, const std::vector<int32_t>& loukut) {
    for (size_t i = 0; i < loukut.size() && i < 5; ++i) {
        const Ukko::Tila& t = v.tilat[loukut[i]];
        std::printf("  loukku: x %d y %d (sarake %d rivi %d) nopeus %g\n", t.x, t.y, t.x / 32,
                    t.y / 32, t.nopeusY);
    }
}

// Measures one level from `alku`; writes its replay. False when the goal
// cannot be reached.
bool mittaa(const std::string& kansio, int kentta, Ukko::Tila& alku, Mittaus& m) {
    const std::string nimi = kansio + "/level" + std::to_string(kentta);
    Kartta kartta;
    kartta.lataaKartta(nimi + ".map");
    const auto aloitus = std::chrono::steady_clock::now();
    m.kentta = kentta;
    m.kuvaMib = kuvanKoko(kartta);
    const tilaverkko::Verkko v = tilaverkko::tutki(kartta, alku);
    m.tiloja = v.tilat.size();
    auto r = tilaverkko::nopein(v, kentta);
    auto maali = r ? tilaverkko::toista(kartta, *r) : std::nullopt;
    if (!r || !maali || v.kesken) {
        std::printf("kentta %d: EI REITTIA (%zu tilaa%s)\n", kentta, m.tiloja,
                    v.kesken ? ", haku keskeytyi" : "");
        return false;
    }
    r->maali = *maali;
    m.kehyksia = r->syotteet.size();
    const std::vector<int32_t> loukut = tilaverkko::loukut(v);
    m.loukkuja = loukut.size();
    kerroLoukut(v, loukut);
    const std::vector<int> jaksot = tilaverkko::onnistuvatJaksot(v, SUURIN_JAKSO);
    m.suurinJakso = jaksot.empty() ? 0 : jaksot.back();
    while (m.jousto < static_cast<int>(jaksot.size()) && jaksot[m.jousto] == m.jousto + 1)
        ++m.jousto;
    if (auto r6 = tilaverkko::nopeinJaksoin(v, SOKEIDEN_JAKSO, kentta))
        m.sokeita = tilaverkko::sokeatHypyt(kartta, *r6);
    m.sekunteja = kuluneet(aloitus);
    reitti::tallenna(nimi + ".reitti", *r);
    std::printf("kentta %d: %zu kehysta, jousto %d (onnistuvat K:", kentta, m.kehyksia, m.jousto);
    for (int K : jaksot) std::printf(" %d", K);
    std::printf("), %zu tilaa, %.1f s\n", m.tiloja, m.sekunteja);
    alku = *maali;
    alku.x = pelikehys::PALUU_X;
    alku.y = pelikehys::PALUU_Y;
    return true;
}

void tulostaTaulukko(const std::vector<Mittaus>& mittaukset) {
    std::printf(
        "\n| Level | Fastest route | Timing slack K (every K up to it) | Largest K that works | "
        "Trapped states | Blind jumps (K = 6) | Level picture | States | Finder time "
        "|\n|---|---|---|---|---|---|---|---|---|\n");
    size_t yhteensa = 0;
    for (const Mittaus& m : mittaukset) {
        yhteensa += m.kehyksia;
        std::printf("| %d | %zu frames = %.2f s | %d | %d | %zu | %d | %.2f MiB | %zu | %.1f s |\n",
                    m.kentta, m.kehyksia, m.kehyksia / KEHYKSIA_SEKUNNISSA, m.jousto, m.suurinJakso,
                    m.loukkuja, m.sokeita, m.kuvaMib, m.tiloja, m.sekunteja);
    }
    std::printf("| all | %zu frames = %.2f s (%d min %.2f s) | | | | | | | |\n", yhteensa,
                yhteensa / KEHYKSIA_SEKUNNISSA, static_cast<int>(yhteensa / 3600),
                (yhteensa % 3600) / KEHYKSIA_SEKUNNISSA);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    const std::string kansio = argc > 1 ? argv[1] : "levels";
    Ukko aloitus;
    aloitus.lataa(nullptr);
    Ukko::Tila tila = aloitus.haeTila();
    std::vector<Mittaus> mittaukset;
    int virheet = 0;
    const int vain = argc > 2 ? std::atoi(argv[2]) : 0;
    if (vain && vain != ENSIMMAINEN_KENTTA)
        tila = {pelikehys::PALUU_X, pelikehys::PALUU_Y, 1.0f, true, true};
    for (int kentta = vain ? vain : ENSIMMAINEN_KENTTA; kentta >= (vain ? vain : 1) && !virheet;
         --kentta) {
        Mittaus m;
        if (mittaa(kansio, kentta, tila, m))
            mittaukset.push_back(m);
        else
            ++virheet;
        std::fflush(stdout);
    }
    tulostaTaulukko(mittaukset);
    aloitus.vapauta();
    SDL_Quit();
    return virheet ? 1 : 0;
}
