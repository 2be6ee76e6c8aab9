#include "hiscores.h"

#include <algorithm>
#include <iostream>
#include <utility>

#include "tiedosto.h"

bool operator<(score const& a, score const& b) { return a.tulos < b.tulos; }

hiscore::hiscore(std::string tiedosto_) : tiedosto(std::move(tiedosto_)) {}

std::vector<score> hiscore::haeTulokset() {
    auto tavut = tiedosto::lue(tiedosto, tiedosto::TULOSTEN_ENINTAAN);
    return tavut ? lueTavuista(*tavut) : std::vector<score>{};
}

bool hiscore::tallennaTulokset(std::vector<score> tulokset) {
    return kirjoitaLukittuna(tulokset, nullptr);
}

bool hiscore::lisaaJaTallenna(score uusi) {
    std::vector<score> tulokset;
    return kirjoitaLukittuna(tulokset, &uusi);
}

// Holds the lock over the read and the write. With `uusi` the list written
// is the file's current one with the entry added; without, `tulokset`.
bool hiscore::kirjoitaLukittuna(std::vector<score>& tulokset, const score* uusi) {
    const tiedosto::Lukko lukko(tiedosto);
    std::string syy;
    const auto nykyinen =
        tiedosto::lueKorvattava(lukko, tiedosto, tiedosto::TULOSTEN_ENINTAAN, syy);
    if (nykyinen && uusi) {
        tulokset = lueTavuista(*nykyinen);
        lisaaTulos(tulokset, *uusi);
    }
    if (tulokset.size() > ENINTAAN) tulokset.resize(ENINTAAN);
    if (nykyinen && tiedosto::tallenna(tiedosto, tavuiksi(tulokset), &syy)) return true;
    std::cout << "Tulosta ei voitu tallentaa: " << tiedosto << ": " << syy << std::endl;
    return false;
}

std::vector<score> hiscore::lueTavuista(std::string_view tallennettu) {
    const std::string tavut = tekstitila::lukumuotoon(tallennettu);
    std::vector<score> tulokset;
    size_t kohta = 0;
    while (kohta < tavut.size()) {
        size_t loppu = tavut.find('\0', kohta);
        // An entry cut short by the end of the file is dropped.
        if (loppu == std::string::npos || tavut.size() - (loppu + 1) < 4) break;
        score s;
        s.nimi = tavut.substr(kohta, loppu - kohta);
        uint32_t arvo = 0;
        for (int i = 3; i >= 0; --i)
            arvo = (arvo << 8) | static_cast<unsigned char>(tavut[loppu + 1 + i]);
        s.tulos = static_cast<int32_t>(arvo);
        tulokset.push_back(std::move(s));
        kohta = loppu + 5;
    }
    return tulokset;
}

std::string hiscore::tavuiksi(const std::vector<score>& tulokset) {
    std::string tavut;
    for (const score& s : tulokset) {
        // A name never holds a 0 byte; one that did would end the name early.
        tavut.append(s.nimi.substr(0, s.nimi.find('\0')));
        tavut.push_back('\0');
        uint32_t arvo = static_cast<uint32_t>(s.tulos);
        for (int i = 0; i < 4; ++i) tavut.push_back(static_cast<char>((arvo >> (8 * i)) & 0xFF));
    }
    return tekstitila::tallennusmuotoon(tavut);
}

void lisaaTulos(std::vector<score>& tulokset, score uusi) {
    tulokset.push_back(std::move(uusi));
    std::stable_sort(tulokset.begin(), tulokset.end());
}
