// Feeds arbitrary bytes to the configuration reader as a file, through the
// game's own file reading and its 1 MiB cap, writes the store out and reads
// that back. Besides crashes it checks that a file over the cap gives
// nothing, and that the written form settles: after one write and read,
// writing and reading again changes nothing (one more round is allowed for
// table placeholders, which come back as numbers).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config_file.h"
#include "tiedosto.h"
#include "tiedostona.h"

namespace {
std::string kirjoitettuJaLuettu(std::string_view tavut) {
    config_file varasto;
    varasto.lataa_tavuista(tavut);
    return varasto.tallennettavat();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t koko) {
    const sumea::Tiedosto tiedosto = sumea::tiedostoksi(data, koko, tiedosto::ASETUSTEN_ENINTAAN);
    const std::string ensimmainen = config_file(tiedosto.polku).tallennettavat();
    if (tiedosto.yliRajan) {
        if (!ensimmainen.empty()) abort();
        return 0;
    }
    const std::string toinen = kirjoitettuJaLuettu(ensimmainen);
    if (toinen != ensimmainen && kirjoitettuJaLuettu(toinen) != toinen) abort();
    return 0;
}
