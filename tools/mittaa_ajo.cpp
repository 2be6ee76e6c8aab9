// Measures the real program from the outside of its loops, through the frame
// observer, and prints one "name value unit" line per figure:
//
//   mittaa_ajo valikko [seconds]  start to the first menu frame, then the
//                                  menu idling with pacing on: frames/s,
//                                  CPU share of one core and memory; then quits
//   mittaa_ajo kentta [seconds]   the same in the first level: the game is
//                                  started and the intro skipped by keys,
//                                  and the hero stands still
//   mittaa_ajo paljas              a bare SDL start, 1024x768x32 mode and flip
//   mittaa_ajo koko                a whole game by the levels' replays with
//                                  pacing off; resident memory at every level
//                                  change and the peak
//
// Run it in a directory that holds (or links) levels/ and media/; `koko`
// writes hiscore.dat there. tools/mittaa.sh runs all of them under Xvfb.

#include <SDL.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "kehys.h"
#include "kokopeli.h"
#include "ohjelma.h"

using kehys::paina;
using kehys::suljeIkkuna;

namespace {

using Kello = std::chrono::steady_clock;
const Kello::time_point ALKU = Kello::now();

constexpr double LAMPENEMINEN_S = 1.0;  // menu frames left out before counting
constexpr double OLETUSKESTO_S = 10.0;
constexpr int KENTTIA = 6;
constexpr int ALKUDEMON_ASKELIA = 14;

double sekunteja(Kello::time_point t) { return std::chrono::duration<double>(t - ALKU).count(); }

double suoritinaikaa() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_utime.tv_sec + r.ru_stime.tv_sec + (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

// A line of /proc/self/status in kilobytes ("VmRSS", "VmHWM").
long muistia(const std::string& avain) {
    std::ifstream tila("/proc/self/status");
    std::string rivi;
    while (std::getline(tila, rivi))
        if (rivi.rfind(avain + ":", 0) == 0) return std::stol(rivi.substr(avain.size() + 1));
    return -1;
}

// Frames, processor time and memory of one screen, counted from its first
// frame after a warm-up second until `kesto` seconds have passed.
struct Jakso {
    double kesto;
    double ensimmainen = -1, alku = 0, loppu = 0, suoritinAlussa = 0, suoritinLopussa = 0;
    long kehyksia = 0, kehyksiaAlussa = 0;
    bool valmis = false;

    // True once the screen has been measured long enough.
    bool kehys(double nyt) {
        if (ensimmainen < 0) ensimmainen = nyt;
        if (alku == 0 && nyt - ensimmainen >= LAMPENEMINEN_S)
            alku = nyt, suoritinAlussa = suoritinaikaa(), kehyksiaAlussa = kehyksia;
        ++kehyksia;
        if (alku > 0 && nyt - alku >= kesto) loppu = nyt, suoritinLopussa = suoritinaikaa();
        return valmis = loppu > 0;
    }
    void tulosta(const char* nimi) const {
        const double kesti = loppu - alku;
        std::printf("%s_kehystaajuus %.2f kehysta/s\n", nimi,
                    (kehyksia - 1 - kehyksiaAlussa) / kesti);
        std::printf("%s_suoritin %.2f %%\n", nimi,
                    100 * (suoritinLopussa - suoritinAlussa) / kesti);
        std::printf("%s_muisti %ld kB\n", nimi, muistia("VmRSS"));
    }
};

// The first level in a real window: Return in the menu, Space through the
// intro, then the hero stands at the start while the level runs.
int mittaaKentta(double kesto) {
    Jakso jakso{kesto};
    bool aloitettu = false, ohitettu = false;
    kehys::asetaTarkkailija([&](Nakyma n, long) {
        if (n == Nakyma::Valikko && !aloitettu) {
            paina(SDLK_RETURN);
            aloitettu = true;
        }
        if (n == Nakyma::Alkudemo && !ohitettu) {
            for (int i = 0; i < ALKUDEMON_ASKELIA; ++i) paina(SDLK_SPACE);
            ohitettu = true;
        }
        if (n == Nakyma::Peli && !jakso.valmis && jakso.kehys(sekunteja(Kello::now())))
            suljeIkkuna();
    });
    const int tila = SDL_main(0, nullptr);
    jakso.tulosta("kentan");
    std::printf("muisti_huippu %ld kB\n", muistia("VmHWM"));
    return tila;
}

int mittaaValikko(double kesto) {
    double latausruutu = -1, ensimmainen = -1, mittausAlku = 0, suoritinAlussa = 0;
    long kehyksiaAlussa = 0, kehyksia = 0;
    double loppu = 0, suoritinLopussa = 0;
    bool valmis = false;
    kehys::asetaTarkkailija([&](Nakyma n, long) {
        const double nyt = sekunteja(Kello::now());
        if (n == Nakyma::Lataus && latausruutu < 0) latausruutu = nyt;
        if (n != Nakyma::Valikko || valmis) return;
        if (ensimmainen < 0) ensimmainen = nyt;
        if (mittausAlku == 0 && nyt - ensimmainen >= LAMPENEMINEN_S)
            mittausAlku = nyt, suoritinAlussa = suoritinaikaa(), kehyksiaAlussa = kehyksia;
        ++kehyksia;
        if (mittausAlku > 0 && nyt - mittausAlku >= kesto) {
            loppu = nyt, suoritinLopussa = suoritinaikaa(), valmis = true;
            suljeIkkuna();
        }
    });
    const int tila = SDL_main(0, nullptr);
    const double kesti = loppu - mittausAlku;
    std::printf("latausruutu %.1f ms\n", latausruutu * 1000);
    std::printf("ensimmainen_valikkokehys %.1f ms\n", ensimmainen * 1000);
    std::printf("valikon_kehystaajuus %.2f kehysta/s\n", (kehyksia - 1 - kehyksiaAlussa) / kesti);
    std::printf("valikon_suoritin %.2f %%\n", 100 * (suoritinLopussa - suoritinAlussa) / kesti);
    std::printf("valikon_muisti %ld kB\n", muistia("VmRSS"));
    return tila;
}

int mittaaPaljas() {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) return 1;
    SDL_Surface* ruutu = SDL_SetVideoMode(1024, 768, 32, SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (!ruutu) return 1;
    SDL_Flip(ruutu);
    std::printf("paljas_ensimmainen_kehys %.1f ms\n", sekunteja(Kello::now()) * 1000);
    SDL_Quit();
    return 0;
}

// The frame after which each level's replay has reached its goal, in play
// order.
std::vector<long> kenttienRajat() {
    std::vector<long> rajat;
    long kehyksia = 0;
    for (int kentta = KENTTIA; kentta >= 1; --kentta) {
        kehyksia += static_cast<long>(reitinSyotteet(kentta).size());
        rajat.push_back(kehyksia);
    }
    return rajat;
}

// The whole game by the replays, sampling resident memory in the first game
// frame and after each level's goal frame.
int mittaaKokoPeli() {
    const std::vector<Syote> syotteet = kaikkiSyotteet();
    if (syotteet.empty()) return 1;
    const std::vector<long> rajat = kenttienRajat();
    size_t raja = 0;
    std::printf("muisti_valikossa %ld kB\n", muistia("VmRSS"));
    const KokoPelinAjo ajo = pelaaKokoPeli(syotteet, "Mittari", [&](Nakyma n, long kehys) {
        if (n != Nakyma::Peli) return;
        if (kehys == 1) std::printf("muisti_pelin_alussa %ld kB\n", muistia("VmRSS"));
        while (raja < rajat.size() && kehys == rajat[raja])
            std::printf("muisti_kentan_%zu_jalkeen %ld kB\n", ++raja, muistia("VmRSS"));
    });
    std::printf("muisti_lopussa %ld kB\nmuisti_huippu %ld kB\n", muistia("VmRSS"),
                muistia("VmHWM"));
    return ajo.tila;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string tapa = argc > 1 ? argv[1] : "";
    if (tapa == "valikko") return mittaaValikko(argc > 2 ? std::stod(argv[2]) : OLETUSKESTO_S);
    if (tapa == "kentta") return mittaaKentta(argc > 2 ? std::stod(argv[2]) : OLETUSKESTO_S);
    if (tapa == "paljas") return mittaaPaljas();
    if (tapa == "koko") return mittaaKokoPeli();
    std::fprintf(stderr, "kaytto: %s valikko [sekunnit] | kentta [sekunnit] | paljas | koko\n",
                 argv[0]);
    return 2;
}
