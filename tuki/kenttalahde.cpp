#include "kenttalahde.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>

#include "pelikehys.h"
#include "tilaverkko.h"
#include "ukko.h"

namespace kenttalahde {

namespace {

using Solu = std::pair<int, int>;   // column, row
using Solut = std::map<Solu, int>;  // the source line of each block's platform

constexpr int RUUTU = 32;
constexpr long TAVUA_RUUDUSSA = RUUTU * RUUTU * 4;
// The cells the hero covers at the start (96, 960) and the restart point
// (96, 896), above the floor row 33 that the first step stands it on.
constexpr int ALUN_SARAKE_ENSIN = 3, ALUN_SARAKE_VIIMEIN = 5;
constexpr int ALUN_RIVI_ENSIN = 28, ALUN_RIVI_VIIMEIN = 32;
constexpr int HUIPPURIVI = Kartta::MERKIN_JALKARIVI;
constexpr int HUIPULLA_Y = HUIPPURIVI * RUUTU - Ukko::KORKEUS - 1;
constexpr int MAALI_VASEN = pelikehys::MAALI_SARAKE * RUUTU;
constexpr int MAALI_OIKEA = MAALI_VASEN + RUUTU - 1;
constexpr int HYPYN_KEHYKSIA = 200;  // longer than any jump with its fall

std::string paikka(const Lahde& l, int rivi) {
    return rivi > 0 ? l.polku + ":" + std::to_string(rivi) + ": " : l.polku + ": ";
}

// Each platform inside the picture limits; each cell of at most one platform.
std::optional<std::string> tarkistaSolut(const Lahde& l, Solut& solut) {
    long leveys = 0, korkeus = 0;
    for (const Taso& t : l.tasot) {
        if (t.x < 0 || t.y < 0)
            return paikka(l, t.rivi) + "taso kentan vasemman tai ylareunan ulkopuolella";
        const long oikea = long{t.x} + std::max(t.w, -1) + 2,
                   ala = long{t.y} + std::max(t.h, -1) + 2;
        leveys = std::max(leveys, oikea + 1);
        korkeus = std::max(korkeus, ala + 1);
        if (leveys * korkeus * TAVUA_RUUDUSSA > SUURIN_KUVA_TAVUINA)
            return paikka(l, t.rivi) + "kentan kuva kasvaa yli " +
                   std::to_string(SUURIN_KUVA_TAVUINA / (1024 * 1024)) + " MiB:n (" +
                   std::to_string(leveys) + " x " + std::to_string(korkeus) + " ruutua)";
        for (long y = t.y; y <= ala; ++y)
            for (long x = t.x; x <= oikea; ++x) {
                auto [kohta, uusi] = solut.try_emplace({int(x), int(y)}, t.rivi);
                if (!uusi)
                    return paikka(l, t.rivi) + "taso menee rivin " + std::to_string(kohta->second) +
                           " tason paalle (sarake " + std::to_string(x) + ", rivi " +
                           std::to_string(y) + ")";
            }
    }
    for (int y = ALUN_RIVI_ENSIN; y <= ALUN_RIVI_VIIMEIN; ++y)
        for (int x = ALUN_SARAKE_ENSIN; x <= ALUN_SARAKE_VIIMEIN; ++x)
            if (auto k = solut.find({x, y}); k != solut.end())
                return paikka(l, k->second) + "taso on sankarin sisalla alussa (sarake " +
                       std::to_string(x) + ", rivi " + std::to_string(y) + ")";
    return std::nullopt;
}

// The source line of the platform the hero stands on (0 when none).
int tasonRivi(const Solut& solut, const Ukko::Tila& t) {
    const int rivi = (t.y + Ukko::KORKEUS + 1) / RUUTU;
    for (int x = t.x / RUUTU; x <= (t.x + Ukko::LEVEYS) / RUUTU; ++x)
        if (auto k = solut.find({x, rivi}); k != solut.end()) return k->second;
    return 0;
}

// True when the frame just played restarted the hero after a fall.
bool putosi(Ukko& ukko, int ennenY) {
    return ukko.haeX() == pelikehys::PALUU_X && ukko.haeY() == pelikehys::PALUU_Y &&
           ennenY != pelikehys::PALUU_Y;
}

// A jump from standing at x on the summit, holding the direction that
// crosses the goal column: true when it lands back on the summit or reaches
// the goal on the way.
bool palaakoHuipulle(Kartta& kartta, int x, bool oikealle) {
    Ukko ukko;
    ukko.asetaTila({x, HUIPULLA_Y, 1.0f, true, oikealle});
    for (int i = 0; i < HYPYN_KEHYKSIA; ++i) {
        const int ennenY = ukko.haeY();
        if (pelikehys::pelaa(ukko, kartta, Syote{!oikealle, oikealle, i == 0}, nullptr, false))
            return true;
        if (putosi(ukko, ennenY)) return false;
        if (i > 0 && tilaverkko::seisooko(ukko, kartta)) return ukko.haeY() == HUIPULLA_Y;
    }
    return false;
}

std::optional<std::string> tarkistaHuippu(const Lahde& l, const Solut& solut, Kartta& kartta) {
    auto huippu = solut.find({pelikehys::MAALI_SARAKE, HUIPPURIVI});
    if (huippu == solut.end())
        return paikka(l, 0) + "maalin alla ei ole huippua (sarake " +
               std::to_string(pelikehys::MAALI_SARAKE) + ", rivi " + std::to_string(HUIPPURIVI) +
               ")";
    // The summit's surface: the blocks of its row with room above them.
    auto pinta = [&](int x) {
        return solut.count({x, HUIPPURIVI}) && !solut.count({x, HUIPPURIVI - 1});
    };
    int vasen = pelikehys::MAALI_SARAKE, oikea = vasen;
    while (pinta(vasen - 1)) --vasen;
    while (pinta(oikea + 1)) ++oikea;
    auto vapaa = [&](int x) {
        for (int r = HUIPULLA_Y / RUUTU; r < HUIPPURIVI; ++r)
            for (int c = x / RUUTU; c <= (x + Ukko::LEVEYS) / RUUTU; ++c)
                if (solut.count({c, r})) return false;
        return true;
    };
    // Every standing place on the summit from which a jump goes toward the goal column.
    for (int x = vasen * RUUTU - Ukko::LEVEYS; x <= oikea * RUUTU + RUUTU - 1; ++x) {
        if (x >= MAALI_VASEN && x <= MAALI_OIKEA) continue;  // standing there is the goal
        if (!vapaa(x)) continue;
        if (!palaakoHuipulle(kartta, x, x < MAALI_VASEN))
            return paikka(l, huippu->second) + "hyppy maalisarakkeen yli huipulta (x " +
                   std::to_string(x) + ") ei laskeudu huipulle";
    }
    return std::nullopt;
}

// Holding Right from the start of level 6 and from the restart point with
// every speed a level can end with must not fall out for the first seconds.
std::optional<std::string> tarkistaAlku(const Lahde& l, const Solut& solut, Kartta& kartta) {
    std::vector<Ukko::Tila> alut = {{Ukko::ALKU_X, Ukko::ALKU_Y, 0.0f, false, true}};
    for (int puolikkaat = -25; puolikkaat <= 64; ++puolikkaat)
        for (bool voi : {false, true})
            alut.push_back({pelikehys::PALUU_X, pelikehys::PALUU_Y, puolikkaat * 0.5f, voi, true});
    for (const Ukko::Tila& alku : alut) {
        Ukko ukko;
        ukko.asetaTila(alku);
        int viimeisinTaso = 0;
        for (int i = 0; i < REILU_ALKU_KEHYKSINA; ++i) {
            const int ennenY = ukko.haeY();
            if (pelikehys::pelaa(ukko, kartta, Syote{false, true, false}, nullptr, false)) break;
            if (putosi(ukko, ennenY))
                return paikka(l, viimeisinTaso) + "oikealle pitaminen alusta putoaa kentalta " +
                       std::to_string(i + 1) + ". kehyksella";
            if (tilaverkko::seisooko(ukko, kartta))
                viimeisinTaso = tasonRivi(solut, ukko.haeTila());
        }
    }
    return std::nullopt;
}

// The goal must be reachable from the restart point; when it is not, the
// message names the platform where the hero gets farthest from the start
// (in frames): where the way on is missing.
std::optional<std::string> tarkistaMaali(const Lahde& l, const Solut& solut, Kartta& kartta) {
    const Ukko::Tila alku{pelikehys::PALUU_X, pelikehys::PALUU_Y, 0.0f, false, true};
    const tilaverkko::Verkko v = tilaverkko::tutki(kartta, alku, true);
    if (tilaverkko::nopein(v, 0)) return std::nullopt;
    int rivi = 0;
    for (size_t i = 0; i < v.tilat.size(); ++i) {
        Ukko ukko;
        ukko.asetaTila(v.tilat[i]);
        if (tilaverkko::seisooko(ukko, kartta)) rivi = tasonRivi(solut, v.tilat[i]);
    }
    return paikka(l, rivi) + "maaliin ei paase; kauimmaksi alusta paasee talla tasolla";
}

}  // namespace

std::optional<std::string> lue(const std::string& polku, Lahde& lahde) {
    lahde.polku = polku;
    std::ifstream sisaan(polku);
    if (!sisaan) return polku + ": ei voi avata";
    std::string rivi;
    for (int numero = 1; std::getline(sisaan, rivi); ++numero) {
        std::istringstream sanat(rivi);
        std::string kasky, yli;
        if (!(sanat >> kasky) || kasky[0] == '#') continue;
        Taso t;
        t.rivi = numero;
        if (kasky != "nelio" || !(sanat >> t.x >> t.y >> t.w >> t.h) || (sanat >> yli) ||
            t.w < -1 || t.h < -1 || t.w > 10000 || t.h > 10000)
            return paikka(lahde, numero) + "odotettiin 'nelio x y w h' (w, h vahintaan -1)";
        lahde.tasot.push_back(t);
    }
    return std::nullopt;
}

void rakenna(const Lahde& lahde, Kartta& kartta) {
    for (const Taso& t : lahde.tasot) kartta.luoNelio(t.x, t.y, t.w, t.h);
}

std::optional<std::string> tarkista(const Lahde& lahde) {
    Solut solut;
    if (auto virhe = tarkistaSolut(lahde, solut)) return virhe;
    Kartta kartta;
    rakenna(lahde, kartta);
    if (auto virhe = tarkistaHuippu(lahde, solut, kartta)) return virhe;
    if (auto virhe = tarkistaAlku(lahde, solut, kartta)) return virhe;
    return tarkistaMaali(lahde, solut, kartta);
}

}  // namespace kenttalahde
