#include "aika.h"

#include <chrono>

namespace {
constexpr double MILLISEKUNTIA_SEKUNNISSA = 1000.0;
constexpr int SADASOSIA_SEKUNNISSA = 100;
constexpr int SEKUNTIA_MINUUTISSA = 60;

aika::Kellolahde yhteinenLahde = &aika::oletuslahde;
}  // namespace

uint32_t aika::oletuslahde() {
    using namespace std::chrono;
    auto kulunut = steady_clock::now().time_since_epoch();
    // Only differences are used, so wrapping at 2^32 ms is harmless.
    return static_cast<uint32_t>(duration_cast<milliseconds>(kulunut).count());
}

void aika::asetaKellolahde(Kellolahde uusi) { lahde = uusi; }

void aika::asetaYhteinenKellolahde(Kellolahde uusi) {
    yhteinenLahde = uusi ? uusi : &aika::oletuslahde;
}

uint32_t aika::nyt() const { return (lahde ? lahde : yhteinenLahde)(); }

void aika::alustaAika() { alku = static_cast<int32_t>(nyt()); }

minsec aika::haeAika() const {
    // Unsigned subtraction keeps the difference right across a wrap of the count.
    return muunna(nyt() - static_cast<uint32_t>(alku));
}

minsec aika::muunna(uint32_t millisekunnit) {
    double sekunnit = millisekunnit / MILLISEKUNTIA_SEKUNNISSA;
    long kokonaiset = static_cast<long>(sekunnit);
    int sadasosat = static_cast<int>((sekunnit - kokonaiset) * SADASOSIA_SEKUNNISSA + 0.5);
    if (sadasosat >= SADASOSIA_SEKUNNISSA) {
        // 0.995 s or more rounds to a whole second: carry it.
        sadasosat -= SADASOSIA_SEKUNNISSA;
        ++kokonaiset;
    }
    minsec tulos;
    tulos.min = static_cast<int>(kokonaiset / SEKUNTIA_MINUUTISSA);
    tulos.sec = static_cast<int>(kokonaiset - tulos.min * SEKUNTIA_MINUUTISSA);
    tulos.sadasosat = sadasosat;
    return tulos;
}

namespace {
std::string kaksinumeroisena(long luku) { return (luku < 10 ? "0" : "") + std::to_string(luku); }
}  // namespace

std::string aikaTekstina(const minsec& t) {
    return std::to_string(t.min) + ":" + kaksinumeroisena(t.sec) + "." +
           kaksinumeroisena(t.sadasosat) + "\n";
}

std::string tulosTekstina(int32_t sadasosat) {
    const int64_t arvo = sadasosat;
    const int64_t itseis = arvo < 0 ? -arvo : arvo;
    const int64_t sekunnit = itseis / SADASOSIA_SEKUNNISSA;
    return std::string(arvo < 0 ? "-" : "") + std::to_string(sekunnit / SEKUNTIA_MINUUTISSA) + ":" +
           kaksinumeroisena(sekunnit % SEKUNTIA_MINUUTISSA) + "." +
           kaksinumeroisena(itseis % SADASOSIA_SEKUNNISSA);
}
