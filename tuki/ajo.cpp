#include "ajo.h"

#include <algorithm>

#include "aani.h"
#include "ohjelma.h"

SDL_Event nappain(SDLKey nappain, Uint16 merkki) {
    return kehys::nappainTapahtuma(nappain, merkki);
}

SDL_Event sulkeminen() { return kehys::sulkemisTapahtuma(); }

Ajo::Ajo() {
    aani::asetaKirjuri([this](const std::string& rivi) { loki.push_back(rivi); });
}

Ajo::~Ajo() {
    kehys::asetaTestikoukku({});
    aani::asetaKirjuri({});
}

Ajo& Ajo::kun(Nakyma nakyma, Era era) {
    kasikirjoitus[nakyma].push_back(std::move(era));
    return *this;
}

Ajo& Ajo::joka(Nakyma nakyma, std::function<void(long)> f) {
    tarkkailijat[nakyma] = std::move(f);
    return *this;
}

void Ajo::kehys(Nakyma n, long kaikkiaan, long enintaan) {
    ++kehyksia[n];
    auto& jono = kasikirjoitus[n];
    if (!jono.empty()) {
        for (SDL_Event e : jono.front()) SDL_PushEvent(&e);
        jono.pop_front();
    }
    if (tarkkailijat.count(n)) tarkkailijat[n](kehyksia[n]);
    if (kaikkiaan > enintaan) {
        kehys::suljeIkkuna();
        karannut = true;
    }
}

int Ajo::aja(long enintaan) {
    kehys::asetaTestikoukku([this, enintaan](Nakyma n, long k) { kehys(n, k, enintaan); });
    const int tila = SDL_main(0, nullptr);
    kehys::asetaTestikoukku({});
    return tila;
}

int Ajo::soittoja(const std::string& polku) const {
    const std::string alku = "soita " + polku + " kanava ";
    return static_cast<int>(std::count_if(loki.begin(), loki.end(), [&](const std::string& r) {
        return r.compare(0, alku.size(), alku) == 0;
    }));
}
