// Writes the settings a first-time player starts with (music on, sound
// effects on, a window) through the game's own settings writer, so the file
// `make run` and the installed launcher put in place has exactly the bytes
// the settings screen would save for those values.
//
//   tee_oletusasetukset <file>
//
// The writer saves "asetukset.conf" in the working directory and keeps the
// keys a file there already holds, so it runs in a fresh directory of its own
// next to the target; the result is then renamed to the target.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "asetukset.h"

namespace fs = std::filesystem;

namespace {

constexpr bool MUSIIKKI = true;
constexpr bool AANET = true;
constexpr bool KOKORUUTU = false;

int virhe(const std::string& mita) {
    std::fprintf(stderr, "tee_oletusasetukset: %s: %s\n", mita.c_str(), std::strerror(errno));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tee_oletusasetukset <file>\n");
        return 2;
    }
    const fs::path kohde = fs::absolute(argv[1]);
    std::string malli = kohde.string() + ".XXXXXX";
    if (!mkdtemp(malli.data())) return virhe(malli);
    const fs::path tyo = malli;
    if (chdir(tyo.c_str()) != 0) return virhe(tyo.string());
    tallennaAsetukset(MUSIIKKI, AANET, KOKORUUTU);
    std::error_code ei;
    fs::rename(tyo / ASETUSTIEDOSTO, kohde, ei);
    fs::remove_all(tyo);
    if (ei) {
        errno = ei.value();
        return virhe(kohde.string());
    }
    return 0;
}
