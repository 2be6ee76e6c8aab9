// Runs a fuzz target once over every file of the given seed directories,
// without libFuzzer, so the ordinary test run checks each reader against its
// whole corpus. A failed check inside the target aborts and fails the test.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    int tiedostoja = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& tiedosto : fs::directory_iterator(argv[i])) {
            if (!tiedosto.is_regular_file()) continue;
            std::ifstream sisaan(tiedosto.path(), std::ios::binary);
            const std::string tavut((std::istreambuf_iterator<char>(sisaan)),
                                    std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(tavut.data()), tavut.size());
            ++tiedostoja;
        }
    }
    std::cout << tiedostoja << " tiedostoa luettu\n";
    return tiedostoja > 0 ? 0 : 1;
}
