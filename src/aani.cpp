// Placeholder until the mixer back end lands: every call is silent.
#include "aani.h"

AaniJarjestelma::~AaniJarjestelma() { sulje(); }
void AaniJarjestelma::alusta(int) {}
Aani* AaniJarjestelma::luoAani(const std::string&) { return nullptr; }
void AaniJarjestelma::asetaToistokerrat(Aani*, int) {}
Kanava AaniJarjestelma::soita(Aani*) { return {}; }
void AaniJarjestelma::asetaVoimakkuus(Kanava, float) {}
void AaniJarjestelma::pysayta(Kanava) {}
bool AaniJarjestelma::soiko(Kanava) const { return false; }
void AaniJarjestelma::vapauta(Aani*) {}
void AaniJarjestelma::sulje() {}
namespace aani {
void asetaKuuntelija(std::function<void(const std::string&)>) {}
}  // namespace aani
