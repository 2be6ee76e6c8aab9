// Feeds arbitrary bytes to the high-score reader, then does what the game
// does with a list it read: adds an entry, keeps nine and writes them. Reading
// the written bytes back must give the same entries.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "hiscores.h"

namespace {
bool samat(const std::vector<score>& a, const std::vector<score>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].nimi != b[i].nimi || a[i].tulos != b[i].tulos) return false;
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t koko) {
    std::vector<score> tulokset =
        hiscore::lueTavuista(std::string_view(reinterpret_cast<const char*>(data), koko));
    lisaaTulos(tulokset, score{"Sumea", 4242});
    if (tulokset.size() > hiscore::ENINTAAN) tulokset.resize(hiscore::ENINTAAN);
    // Names read from a file never hold a 0 byte, so they survive the writer whole.
    if (!samat(hiscore::lueTavuista(hiscore::tavuiksi(tulokset)), tulokset)) std::abort();
    return 0;
}
