#include "reitti.h"

#include <cmath>
#include <limits>
#include <sstream>

#include "tiedosto.h"

namespace {
constexpr const char* TUNNISTE = "hiekkatorni-reitti";
constexpr int VERSIO = 1;

std::string napitTekstiksi(const Syote& s) {
    std::string teksti;
    if (s.vasen) teksti += 'V';
    if (s.oikea) teksti += 'O';
    if (s.hyppy) teksti += 'H';
    return teksti.empty() ? "-" : teksti;
}

std::optional<Syote> napitTekstista(const std::string& teksti) {
    Syote s;
    if (teksti == "-") return s;
    // Each letter at most once, in the order V, O, H.
    size_t i = 0;
    if (i < teksti.size() && teksti[i] == 'V') s.vasen = true, ++i;
    if (i < teksti.size() && teksti[i] == 'O') s.oikea = true, ++i;
    if (i < teksti.size() && teksti[i] == 'H') s.hyppy = true, ++i;
    if (i == 0 || i != teksti.size()) return std::nullopt;
    return s;
}

void kirjoitaTila(std::ostream& ulos, const char* nimi, const Ukko::Tila& t) {
    ulos << nimi << ' ' << t.x << ' ' << t.y << ' ' << t.nopeusY << ' ' << t.voiHypata << ' '
         << t.oikealle << '\n';
}

bool lueTila(std::istream& sisaan, Ukko::Tila& t) {
    int voi = 0, oikealle = 0;
    if (!(sisaan >> t.x >> t.y >> t.nopeusY >> voi >> oikealle)) return false;
    if (!std::isfinite(t.nopeusY) || (voi != 0 && voi != 1) || (oikealle != 0 && oikealle != 1))
        return false;
    t.voiHypata = voi == 1;
    t.oikealle = oikealle == 1;
    return true;
}

// Reads one run line "<keys> <frames>" onto the end of the route.
bool lueJakso(const std::string& avain, std::istream& rivi, Reitti& r) {
    auto syote = napitTekstista(avain);
    long maara = 0;
    if (!syote || !(rivi >> maara) || maara <= 0) return false;
    if (maara > reitti::SUURIN_KEHYSMAARA - static_cast<long>(r.syotteet.size())) return false;
    r.syotteet.insert(r.syotteet.end(), static_cast<size_t>(maara), *syote);
    return true;
}

// Reads one line into the route; false when the line is malformed.
bool lueRivi(const std::string& teksti, Reitti& r, long& kehyksia, int& otsikot) {
    std::istringstream rivi(teksti);
    std::string avain;
    if (!(rivi >> avain) || avain[0] == '#') return true;
    bool kunnossa = false;
    if (avain == TUNNISTE) {
        int versio = 0;
        kunnossa = (rivi >> versio) && versio == VERSIO && otsikot == 0;
    } else if (otsikot == 0) {
        return false;  // the identifying line comes first
    } else if (avain == "kentta") {
        kunnossa = static_cast<bool>(rivi >> r.kentta);
    } else if (avain == "kehyksia") {
        kunnossa = (rivi >> kehyksia) && kehyksia > 0 && kehyksia <= reitti::SUURIN_KEHYSMAARA;
    } else if (avain == "alku") {
        kunnossa = lueTila(rivi, r.alku);
    } else if (avain == "maali") {
        kunnossa = lueTila(rivi, r.maali);
    } else {
        return lueJakso(avain, rivi, r);
    }
    ++otsikot;
    return kunnossa;
}
}  // namespace

namespace reitti {

std::optional<Reitti> lueTavuista(std::string_view tavut) {
    Reitti r;
    long kehyksia = -1;
    int otsikot = 0;
    std::istringstream sisaan{std::string(tavut)};
    std::string rivi;
    while (std::getline(sisaan, rivi))
        if (!lueRivi(rivi, r, kehyksia, otsikot)) return std::nullopt;
    // Five header lines, and the runs must add up to the stated frame count.
    if (otsikot != 5 || kehyksia != static_cast<long>(r.syotteet.size())) return std::nullopt;
    return r;
}

std::optional<Reitti> lataa(const std::string& polku) {
    auto tavut = tiedosto::lue(polku, tiedosto::REITIN_ENINTAAN);
    if (!tavut) return std::nullopt;
    return lueTavuista(*tavut);
}

std::string tavuiksi(const Reitti& r) {
    std::ostringstream ulos;
    ulos.precision(std::numeric_limits<float>::max_digits10);
    ulos << TUNNISTE << ' ' << VERSIO << '\n';
    ulos << "# Keys per run of frames: V left, O right, H left Shift (jump), - nothing.\n";
    ulos << "kentta " << r.kentta << '\n';
    ulos << "kehyksia " << r.syotteet.size() << '\n';
    kirjoitaTila(ulos, "alku", r.alku);
    kirjoitaTila(ulos, "maali", r.maali);
    for (size_t i = 0; i < r.syotteet.size();) {
        size_t j = i;
        while (j < r.syotteet.size() && r.syotteet[j] == r.syotteet[i]) ++j;
        ulos << napitTekstiksi(r.syotteet[i]) << ' ' << (j - i) << '\n';
        i = j;
    }
    return ulos.str();
}

bool tallenna(const std::string& polku, const Reitti& r) {
    return tiedosto::tallenna(polku, tavuiksi(r));
}

std::string tiedostonimi(int kentta) { return "levels/level" + std::to_string(kentta) + ".reitti"; }

}  // namespace reitti
