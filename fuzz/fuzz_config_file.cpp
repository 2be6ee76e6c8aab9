// Feeds arbitrary bytes to the configuration reader, writes the store out and
// reads that back. Besides crashes it checks that the written form settles:
// after one write and read, writing and reading again changes nothing.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config_file.h"

namespace {
std::string kirjoitettuJaLuettu(std::string_view tavut) {
    config_file varasto;
    varasto.lataa_tavuista(tavut);
    return varasto.tallennettavat();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t koko) {
    const std::string_view tavut(reinterpret_cast<const char*>(data), koko);
    const std::string ensimmainen = kirjoitettuJaLuettu(tavut);
    const std::string toinen = kirjoitettuJaLuettu(ensimmainen);
    if (kirjoitettuJaLuettu(toinen) != toinen) abort();
    return 0;
}
