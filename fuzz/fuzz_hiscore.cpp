// Feeds arbitrary bytes to the high-score store as the file "hiscore.dat" and
// does what the name entry does with it: the merging save reads the file
// through the game's own file reading (with its 1 MiB cap) under the lock,
// adds an entry, keeps nine and replaces the file. Reading the saved file
// back must give exactly the entries read, with the new one in its place; a
// file over the cap must be refused and left as it was.

#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "hiscores.h"
#include "tiedosto.h"
#include "tiedostona.h"

namespace {

bool samat(const std::vector<score>& a, const std::vector<score>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].nimi != b[i].nimi || a[i].tulos != b[i].tulos) return false;
    return true;
}

// A private directory in memory for the saved file (saves sync to disk),
// removed when the run ends.
const std::string& hakemisto() {
    static const std::string polku = [] {
        std::string malli =
            access("/dev/shm", W_OK) == 0 ? "/dev/shm/sumea-XXXXXX" : "/tmp/sumea-XXXXXX";
        if (!mkdtemp(malli.data())) std::abort();
        return malli;
    }();
    static const bool siivous = std::atexit([] {
                                    std::error_code virhe;
                                    std::filesystem::remove_all(polku, virhe);
                                }) == 0;
    (void)siivous;
    return polku;
}

void kirjoita(const std::string& polku, const uint8_t* data, size_t koko) {
    FILE* f = std::fopen(polku.c_str(), "wb");
    if (!f || (koko > 0 && std::fwrite(data, 1, koko, f) != koko) || std::fclose(f) != 0)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t koko) {
    const std::string polku = hakemisto() + "/hiscore.dat";
    const score uusi{"Sumea", 4242};
    const bool yliRajan = koko >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    if (yliRajan) {
        const off_t yli = 1 + (koko > 2 ? data[2] % sumea::YLITYS_ENINTAAN : 0);
        kirjoita(polku, data, 0);
        if (truncate(polku.c_str(), off_t(tiedosto::TULOSTEN_ENINTAAN) + yli) != 0) std::abort();
        struct stat ennen, jalkeen;
        stat(polku.c_str(), &ennen);
        if (!hiscore(polku).haeTulokset().empty() || hiscore(polku).lisaaJaTallenna(uusi)) abort();
        stat(polku.c_str(), &jalkeen);
        if (jalkeen.st_size != ennen.st_size || jalkeen.st_ino != ennen.st_ino) abort();
        return 0;
    }
    kirjoita(polku, data, koko);
    std::vector<score> odotetut = hiscore(polku).haeTulokset();
    lisaaTulos(odotetut, uusi);
    if (odotetut.size() > hiscore::ENINTAAN) odotetut.resize(hiscore::ENINTAAN);
    // Names read from a file never hold a 0 byte, so they survive the writer whole.
    if (!hiscore(polku).lisaaJaTallenna(uusi)) std::abort();
    if (!samat(hiscore(polku).haeTulokset(), odotetut)) std::abort();
    return 0;
}
