#include "testiapu.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

std::string projektinJuuri() { return HIEKKATORNI_JUURI; }

TestiHakemisto::TestiHakemisto() {
    std::string malli = (fs::temp_directory_path() / "hiekkatorni-XXXXXX").string();
    if (!mkdtemp(malli.data())) throw std::runtime_error("mkdtemp");
    hakemisto = malli;
    edellinen = fs::current_path().string();
    for (const char* nimi : {"levels", "media"})
        fs::create_directory_symlink(fs::path(projektinJuuri()) / nimi, fs::path(hakemisto) / nimi);
    fs::current_path(hakemisto);
}

TestiHakemisto::~TestiHakemisto() {
    std::error_code virhe;
    fs::current_path(edellinen, virhe);
    fs::remove_all(hakemisto, virhe);
}

std::string lueTiedostoTestissa(const std::string& polku) {
    std::ifstream f(polku, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void kirjoitaTiedostoTestissa(const std::string& polku, const std::string& tavut) {
    std::ofstream f(polku, std::ios::binary | std::ios::trunc);
    f.write(tavut.data(), static_cast<std::streamsize>(tavut.size()));
}

bool onkoTiedostoa(const std::string& polku) { return fs::exists(polku); }
