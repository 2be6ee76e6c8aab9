#include "config_file.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "tiedosto.h"

namespace {

// Characters trimmed around keys, values and table names.
constexpr std::string_view VALIT = " \t";
// Number as text for callers: ten significant digits, point always kept.
constexpr int TEKSTIN_MERKITSEVAT = 10;
// Numbers in the file: six significant digits, as a stream writes them.
constexpr int TIEDOSTON_MERKITSEVAT = 6;
// Exponents are written with at least three digits ('1e+006').
constexpr size_t EKSPONENTIN_NUMEROT = 3;
// A line end as the file stores it.
constexpr std::string_view RIVINVAIHTO = "\r\n";

std::string_view trimmaa(std::string_view s) {
    const size_t alku = s.find_first_not_of(VALIT);
    if (alku == std::string_view::npos) return {};
    return s.substr(alku, s.find_last_not_of(VALIT) - alku + 1);
}

bool onkoNumero(char c) { return c >= '0' && c <= '9'; }

// The characters of a value that reads as a number, and of a table index:
// "0123456789.+-".
bool onkoLukumerkki(char c) { return onkoNumero(c) || c == '.' || c == '+' || c == '-'; }

// Length of the leading part made of number characters only.
size_t lukumerkkienPituus(std::string_view s) {
    return static_cast<size_t>(std::find_if_not(s.begin(), s.end(), onkoLukumerkki) - s.begin());
}

// The significant decimal digits of a finite value, rounded to the given
// count, and the power of ten of the first one.
struct Desimaalit {
    std::string numerot;
    int eksponentti = 0;
};

Desimaalit desimaaleiksi(double arvo, int merkitsevat) {
    // Scientific notation is locale-free and rounds correctly: "d.ddddde+XX".
    char puskuri[64];
    const auto tulos = std::to_chars(puskuri, puskuri + sizeof puskuri, std::fabs(arvo),
                                     std::chars_format::scientific, merkitsevat - 1);
    const std::string_view teksti(puskuri, static_cast<size_t>(tulos.ptr - puskuri));
    const size_t e = teksti.find('e');
    Desimaalit d;
    for (char c : teksti.substr(0, e))
        if (c != '.') d.numerot.push_back(c);
    std::string_view eksponentti = teksti.substr(e + 1);
    const bool negatiivinen = eksponentti.front() == '-';
    eksponentti.remove_prefix(1);
    std::from_chars(eksponentti.data(), eksponentti.data() + eksponentti.size(), d.eksponentti);
    if (negatiivinen) d.eksponentti = -d.eksponentti;
    return d;
}

// Removes zeros at the end of the fraction; the point itself stays.
void poistaLoppunollat(std::string& s) {
    if (s.find('.') == std::string::npos) return;
    s.erase(s.find_last_not_of('0') + 1);
}

// Digits laid out with the point after the first digit of the given power.
std::string kiinteaMuoto(const Desimaalit& d) {
    std::string s;
    if (d.eksponentti < 0) {
        s = "0.";
        s.append(static_cast<size_t>(-d.eksponentti - 1), '0');
        s += d.numerot;
    } else {
        const size_t kokonaiset = static_cast<size_t>(d.eksponentti) + 1;
        s = d.numerot.substr(0, kokonaiset);
        s.append(kokonaiset > s.size() ? kokonaiset - s.size() : 0, '0');
        s += '.';
        if (kokonaiset < d.numerot.size()) s += d.numerot.substr(kokonaiset);
    }
    poistaLoppunollat(s);
    return s;
}

// One digit, the point, the rest of the digits, then "e", the exponent's
// sign and at least three exponent digits.
std::string eksponenttiMuoto(const Desimaalit& d) {
    std::string s = d.numerot.substr(0, 1) + "." + d.numerot.substr(1);
    poistaLoppunollat(s);
    s += d.eksponentti < 0 ? "e-" : "e+";
    std::string numerot = std::to_string(std::abs(d.eksponentti));
    if (numerot.size() < EKSPONENTIN_NUMEROT)
        numerot.insert(0, EKSPONENTIN_NUMEROT - numerot.size(), '0');
    return s + numerot;
}

// Infinities and NaN cannot be laid out from digits; they read as words.
std::string erikoisarvo(double arvo) {
    if (std::isnan(arvo)) return "nan";
    return arvo < 0 ? "-inf" : "inf";
}

// The number as callers read it: ten significant digits, the point always
// kept, exponent form below 0.1 and from ten billion on.
std::string tekstiksi(double arvo) {
    if (!std::isfinite(arvo)) return erikoisarvo(arvo);
    Desimaalit d = desimaaleiksi(arvo, TEKSTIN_MERKITSEVAT);
    if (arvo == 0.0) d.eksponentti = -1;
    const bool eksponentilla = d.eksponentti < -1 || d.eksponentti > TEKSTIN_MERKITSEVAT - 1;
    const std::string s = eksponentilla ? eksponenttiMuoto(d) : kiinteaMuoto(d);
    return std::signbit(arvo) ? "-" + s : s;
}

// The number as the file holds it, appended to `ulos`: printf's "%g", six
// significant digits without a trailing point, exponent form below 0.0001
// and from one million on, with at least three exponent digits ('1e+006').
void lisaaLukuna(std::string& ulos, double arvo) {
    if (!std::isfinite(arvo)) {
        ulos += erikoisarvo(arvo);
        return;
    }
    char puskuri[32];
    const auto tulos = std::to_chars(puskuri, puskuri + sizeof puskuri, arvo,
                                     std::chars_format::general, TIEDOSTON_MERKITSEVAT);
    const std::string_view luku(puskuri, static_cast<size_t>(tulos.ptr - puskuri));
    const size_t e = luku.find('e');
    if (e == std::string_view::npos) {
        ulos += luku;
        return;
    }
    ulos.append(luku.substr(0, e + 2));  // the mantissa, "e" and the exponent's sign
    const std::string_view numerot = luku.substr(e + 2);
    if (numerot.size() < EKSPONENTIN_NUMEROT)
        ulos.append(EKSPONENTIN_NUMEROT - numerot.size(), '0');
    ulos += numerot;
}

// The longest leading decimal number (sign, digits, point, fraction); 0 when
// there is none. Too large a number reads as the largest double.
double luvuksi(std::string_view s) {
    size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    const size_t kokonaisetAlku = i;
    while (i < s.size() && onkoNumero(s[i])) ++i;
    const std::string_view kokonaiset = s.substr(kokonaisetAlku, i - kokonaisetAlku);
    size_t loppu = i;
    if (i < s.size() && s[i] == '.') {
        size_t j = i + 1;
        while (j < s.size() && onkoNumero(s[j])) ++j;
        if (!kokonaiset.empty() || j > i + 1) loppu = j;
    }
    if (loppu == kokonaisetAlku) return 0.0;
    const bool negatiivinen = s[0] == '-';
    double arvo = 0.0;
    const auto tulos = std::from_chars(s.data() + kokonaisetAlku, s.data() + loppu, arvo);
    if (tulos.ec == std::errc::result_out_of_range) {
        // Without an exponent only a whole part of 1 or more can overflow.
        const bool suuri = kokonaiset.find_first_not_of('0') != std::string_view::npos;
        arvo = suuri ? std::numeric_limits<double>::max() : 0.0;
    }
    return negatiivinen ? -arvo : arvo;
}

// A decimal integer with an optional sign; digits stop at the first other
// character. Values beyond the int range clamp to its ends.
int kokonaisluvuksi(std::string_view s) {
    size_t i = 0;
    const bool negatiivinen = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) i = 1;
    constexpr int64_t RAJA = static_cast<int64_t>(INT_MAX) + 1;
    int64_t arvo = 0;
    for (; i < s.size() && onkoNumero(s[i]); ++i) arvo = std::min(arvo * 10 + (s[i] - '0'), RAJA);
    if (negatiivinen) arvo = -arvo;
    return static_cast<int>(std::clamp<int64_t>(arvo, INT_MIN, INT_MAX));
}

}  // namespace

// ---- The empty placeholder: every read gives the neutral answer. ----

std::string config_file::cf_muuttuja::lue_str() const { return {}; }
double config_file::cf_muuttuja::lue_num() const { return 0.0; }
std::string config_file::cf_muuttuja::lue_str(int) const { return {}; }
double config_file::cf_muuttuja::lue_num(int) const { return 0.0; }
void config_file::cf_muuttuja::sijota(const std::string&) {}
void config_file::cf_muuttuja::sijota(double) {}
void config_file::cf_muuttuja::sijota(int, const std::string&) {}
void config_file::cf_muuttuja::sijota(int, double) {}
int config_file::cf_muuttuja::tyyppi() const { return TYYPPI_TYHJA; }
int config_file::cf_muuttuja::tyyppi(int) const { return tyyppi(); }
bool config_file::cf_muuttuja::onko(int i) const { return i == 0; }
int config_file::cf_muuttuja::koko() const { return 0; }

// ---- Number ----

std::string config_file::cf_muuttuja_num::lue_str() const { return tekstiksi(arvo); }
double config_file::cf_muuttuja_num::lue_num() const { return arvo; }
std::string config_file::cf_muuttuja_num::lue_str(int) const { return lue_str(); }
double config_file::cf_muuttuja_num::lue_num(int) const { return arvo; }
void config_file::cf_muuttuja_num::sijota(double d) { arvo = d; }
void config_file::cf_muuttuja_num::sijota(int, double d) { arvo = d; }
int config_file::cf_muuttuja_num::tyyppi() const { return TYYPPI_NUM; }
int config_file::cf_muuttuja_num::tyyppi(int) const { return TYYPPI_NUM; }

// ---- Text ----

std::string config_file::cf_muuttuja_str::lue_str() const { return arvo; }
std::string config_file::cf_muuttuja_str::lue_str(int) const { return arvo; }
void config_file::cf_muuttuja_str::sijota(const std::string& s) { arvo = s; }
void config_file::cf_muuttuja_str::sijota(int, const std::string& s) { arvo = s; }
void config_file::cf_muuttuja_str::aseta(std::string_view s) { arvo.assign(s); }
int config_file::cf_muuttuja_str::tyyppi() const { return TYYPPI_STR; }
int config_file::cf_muuttuja_str::tyyppi(int) const { return TYYPPI_STR; }

// ---- Table ----

config_file::cf_muuttuja_tab::cf_muuttuja_tab() { alkiot[0] = std::make_unique<cf_muuttuja>(); }

// A null pointer gives the empty placeholder, so no element is ever null.
config_file::cf_muuttuja_tab::cf_muuttuja_tab(cf_muuttuja* ensimmainen) {
    alkiot[0].reset(ensimmainen ? ensimmainen : new cf_muuttuja);
}

std::string config_file::cf_muuttuja_tab::lue_str() const { return etsi(0)->lue_str(); }
double config_file::cf_muuttuja_tab::lue_num() const { return etsi(0)->lue_num(); }

std::string config_file::cf_muuttuja_tab::lue_str(int i) const {
    return onko(i) ? etsi(i)->lue_str() : std::string();
}

double config_file::cf_muuttuja_tab::lue_num(int i) const {
    return onko(i) ? etsi(i)->lue_num() : 0.0;
}

void config_file::cf_muuttuja_tab::sijota(const std::string& s) { muunna_str(0)->sijota(s); }
void config_file::cf_muuttuja_tab::sijota(double d) { muunna_num(0)->sijota(d); }

void config_file::cf_muuttuja_tab::sijota(int i, const std::string& s) {
    korota(i);
    muunna_str(i)->sijota(s);
}

void config_file::cf_muuttuja_tab::sijota(int i, double d) {
    korota(i);
    muunna_num(i)->sijota(d);
}

int config_file::cf_muuttuja_tab::tyyppi() const { return TYYPPI_TAB; }
int config_file::cf_muuttuja_tab::tyyppi(int i) const { return etsi(i)->tyyppi(); }
bool config_file::cf_muuttuja_tab::onko(int i) const { return alkiot.count(i) != 0; }
int config_file::cf_muuttuja_tab::koko() const { return suurin_indeksi; }

config_file::cf_muuttuja* config_file::cf_muuttuja_tab::muunna_num(int i) {
    auto& alkio = alkiot[i];
    if (!alkio || alkio->tyyppi() != TYYPPI_NUM) alkio = std::make_unique<cf_muuttuja_num>();
    return alkio.get();
}

config_file::cf_muuttuja* config_file::cf_muuttuja_tab::muunna_str(int i) {
    auto& alkio = alkiot[i];
    if (!alkio || alkio->tyyppi() != TYYPPI_STR) alkio = std::make_unique<cf_muuttuja_str>();
    return alkio.get();
}

const config_file::cf_muuttuja* config_file::cf_muuttuja_tab::etsi(int i) const {
    static const cf_muuttuja tyhja;
    auto loydetty = alkiot.find(i);
    if (loydetty == alkiot.end()) loydetty = alkiot.find(0);
    return loydetty == alkiot.end() ? &tyhja : loydetty->second.get();
}

void config_file::cf_muuttuja_tab::poista(int i) { alkiot.erase(i); }

void config_file::cf_muuttuja_tab::korota(int i) { suurin_indeksi = std::max(suurin_indeksi, i); }

// ---- Store ----

bool config_file::TavuJarjestys::operator()(const std::string& a, const std::string& b) const {
    // memcmp compares bytes as unsigned char whatever the sign of char.
    const int ero = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    return ero != 0 ? ero < 0 : a.size() < b.size();
}

config_file::config_file(const std::string& tiedosto) { lataa_tiedosto(tiedosto); }

config_file::~config_file() { poista_kaikki(); }

const config_file::cf_muuttuja* config_file::hae(const std::string& nimi) const {
    const auto loydetty = muuttujat.find(nimi);
    return loydetty == muuttujat.end() ? nullptr : loydetty->second.get();
}

std::string config_file::hae_str(const std::string& nimi) const {
    if (tau_onko_table(nimi)) return hae_str(tau_lue_nimi(nimi), tau_lue_index(nimi));
    const cf_muuttuja* arvo = hae(nimi);
    return arvo ? arvo->lue_str() : std::string();
}

std::string config_file::hae_str(const std::string& nimi, int i) const {
    const cf_muuttuja* arvo = hae(nimi);
    return arvo ? arvo->lue_str(i) : std::string();
}

double config_file::hae_num(const std::string& nimi) const {
    if (tau_onko_table(nimi)) return hae_num(tau_lue_nimi(nimi), tau_lue_index(nimi));
    const cf_muuttuja* arvo = hae(nimi);
    return arvo ? arvo->lue_num() : 0.0;
}

double config_file::hae_num(const std::string& nimi, int i) const {
    const cf_muuttuja* arvo = hae(nimi);
    return arvo ? arvo->lue_num(i) : 0.0;
}

bool config_file::onko_num(const std::string& nimi) const { return tyyppi(nimi) == TYYPPI_NUM; }

bool config_file::onko_num(const std::string& nimi, int i) const {
    return tyyppi(nimi, i) == TYYPPI_NUM;
}

bool config_file::onko_str(const std::string& nimi) const { return tyyppi(nimi) == TYYPPI_STR; }

bool config_file::onko_str(const std::string& nimi, int i) const {
    return tyyppi(nimi, i) == TYYPPI_STR;
}

bool config_file::onko_tab(const std::string& nimi) const {
    const cf_muuttuja* arvo = hae(nimi);
    return arvo && arvo->tyyppi() == TYYPPI_TAB;
}

bool config_file::onko(const std::string& nimi) const {
    if (tau_onko_table(nimi)) return onko(tau_lue_nimi(nimi), tau_lue_index(nimi));
    return hae(nimi) != nullptr;
}

bool config_file::onko(const std::string& nimi, int i) const {
    const cf_muuttuja* arvo = hae(nimi);
    return arvo && arvo->onko(i);
}

int config_file::tyyppi(const std::string& nimi) const {
    if (tau_onko_table(nimi)) return tyyppi(tau_lue_nimi(nimi), tau_lue_index(nimi));
    const cf_muuttuja* arvo = hae(nimi);
    return arvo ? arvo->tyyppi() : TYYPPI_TYHJA;
}

int config_file::tyyppi(const std::string& nimi, int i) const {
    const cf_muuttuja* arvo = hae(nimi);
    return arvo ? arvo->tyyppi(i) : TYYPPI_TYHJA;
}

int config_file::koko(const std::string& nimi) const {
    const cf_muuttuja* arvo = hae(nimi);
    return arvo ? arvo->koko() : 0;
}

void config_file::tallenna(const std::string& nimi, const std::string& arvo) {
    if (tau_onko_table(nimi)) {
        tallenna(nimi.substr(0, nimi.rfind('[')), tau_lue_index(nimi), arvo);
        return;
    }
    asetaTeksti(nimi, arvo);
}

void config_file::tallenna(const std::string& nimi, double arvo) {
    if (tau_onko_table(nimi)) {
        tallenna(nimi.substr(0, nimi.rfind('[')), tau_lue_index(nimi), arvo);
        return;
    }
    auto& paikka = muuttujat[nimi];
    // A number already there takes the new value; any other value is replaced.
    if (!paikka || paikka->tyyppi() != TYYPPI_NUM) paikka = std::make_unique<cf_muuttuja_num>();
    paikka->sijota(arvo);
}

// A single text under nimi (not a table reference), stored straight from the
// bytes; a text already there takes the new bytes, any other value is replaced.
void config_file::asetaTeksti(const std::string& nimi, std::string_view arvo) {
    auto& paikka = muuttujat[nimi];
    if (!paikka || paikka->tyyppi() != TYYPPI_STR) paikka = std::make_unique<cf_muuttuja_str>();
    static_cast<cf_muuttuja_str&>(*paikka).aseta(arvo);
}

void config_file::tallenna(const std::string& nimi, int i, double arvo) {
    taulukoksi(nimi).sijota(i, arvo);
}

void config_file::tallenna(const std::string& nimi, int i, const std::string& arvo) {
    taulukoksi(nimi).sijota(i, arvo);
}

// The table under nimi: a new one for a missing key, and a single value turns
// into a table that keeps it as element 0.
config_file::cf_muuttuja_tab& config_file::taulukoksi(const std::string& nimi) {
    auto& arvo = muuttujat[nimi];
    if (!arvo)
        arvo = std::make_unique<cf_muuttuja_tab>();
    else if (arvo->tyyppi() != TYYPPI_TAB)
        arvo = std::make_unique<cf_muuttuja_tab>(arvo.release());
    return static_cast<cf_muuttuja_tab&>(*arvo);
}

void config_file::poista(const std::string& nimi) {
    if (tau_onko_table(nimi))
        poista(tau_lue_nimi(nimi), tau_lue_index(nimi));
    else
        muuttujat.erase(nimi);
}

void config_file::poista(const std::string& nimi, int i) {
    const auto loydetty = muuttujat.find(nimi);
    if (loydetty == muuttujat.end()) return;
    if (auto* taulukko = dynamic_cast<cf_muuttuja_tab*>(loydetty->second.get()))
        taulukko->poista(i);
}

void config_file::poista_kaikki() { muuttujat.clear(); }

// ---- Table references ----

bool config_file::tau_onko_table(const std::string& s) {
    return s.find('[') != std::string::npos && s.find(']') != std::string::npos;
}

std::string config_file::tau_lue_nimi(const std::string& s) {
    if (!tau_onko_table(s)) return s;
    return std::string(trimmaa(std::string_view(s).substr(0, s.rfind('['))));
}

int config_file::tau_lue_index(const std::string& s) {
    if (!tau_onko_table(s)) return 0;
    std::string_view loput = std::string_view(s).substr(s.rfind('[') + 1);
    loput.remove_prefix(std::min(loput.find_first_not_of(VALIT), loput.size()));
    return kokonaisluvuksi(loput.substr(0, lukumerkkienPituus(loput)));
}

// ---- File format ----

void config_file::lataa_tiedosto(const std::string& tiedosto) {
    if (const auto tavut = tiedosto::lue(tiedosto, tiedosto::ASETUSTEN_ENINTAAN))
        lataa_tavuista(*tavut);
}

void config_file::tallenna_tiedostoon(const std::string& tiedosto) const {
    tiedosto::tallenna(tiedosto, tallennettavat());
}

void config_file::lataa_tavuista(std::string_view tallennettu) {
    while (!tallennettu.empty()) lueRivi(tekstitila::otaRivi(tallennettu));
}

// key=value: the first "=" splits; spaces and tabs around both are dropped.
// A value of number characters only (or none) is a number, any other a text.
void config_file::lueRivi(std::string_view rivi) {
    const size_t yhtasuuri = rivi.find('=');
    if (yhtasuuri == std::string_view::npos) return;
    const std::string avain(trimmaa(rivi.substr(0, yhtasuuri)));
    const std::string_view arvo = trimmaa(rivi.substr(yhtasuuri + 1));
    if (lukumerkkienPituus(arvo) == arvo.size())
        tallenna(avain, luvuksi(arvo));
    else if (tau_onko_table(avain))
        tallenna(avain, std::string(arvo));
    else
        asetaTeksti(avain, arvo);
}

// A value as the file holds it, appended in the stored form.
void config_file::lisaaArvo(std::string& tavut, const cf_muuttuja& arvo) {
    if (arvo.tyyppi() == TYYPPI_NUM)
        lisaaLukuna(tavut, arvo.lue_num());
    else if (arvo.tyyppi() == TYYPPI_STR)
        tekstitila::lisaaTallennusmuotoon(tavut,
                                          static_cast<const cf_muuttuja_str&>(arvo).hae_teksti());
}

// Built straight in the stored form (lines end in CR LF, and so does every
// line feed inside a key or a text).
std::string config_file::tallennettavat() const {
    std::string tavut;
    for (const auto& [nimi, arvo] : muuttujat) {
        if (arvo->tyyppi() == TYYPPI_TAB) {
            kirjoitaTaulukko(tavut, nimi, static_cast<const cf_muuttuja_tab&>(*arvo));
            continue;
        }
        tekstitila::lisaaTallennusmuotoon(tavut, nimi);
        tavut += '=';
        lisaaArvo(tavut, *arvo);
        tavut += RIVINVAIHTO;
    }
    return tavut;
}

// One line per present element from 0 to koko() inclusive, then a blank
// line. Only present elements are visited, so a huge koko() costs nothing.
void config_file::kirjoitaTaulukko(std::string& tavut, const std::string& nimi,
                                   const cf_muuttuja_tab& taulukko) {
    const auto& alkiot = taulukko.hae_alkiot();
    for (auto alkio = alkiot.lower_bound(0);
         alkio != alkiot.end() && alkio->first <= taulukko.koko(); ++alkio) {
        char indeksi[16];
        const auto loppu = std::to_chars(indeksi, indeksi + sizeof indeksi, alkio->first).ptr;
        tekstitila::lisaaTallennusmuotoon(tavut, nimi);
        tavut.append("[").append(indeksi, loppu).append("]=");
        lisaaArvo(tavut, *alkio->second);
        tavut += RIVINVAIHTO;
    }
    tavut += RIVINVAIHTO;
}
