#pragma once
// Puts a fuzz input into a file, so that every reader target goes through the
// game's own file reading (the kind and size checks, the cap, the chunked
// read) before its parser. The file lives in memory (memfd) and is named
// through /proc/self/fd, which the reader sees as an ordinary regular file.
//
// An input that starts with the two bytes FF FE makes, instead of a file of
// its bytes, a sparse file just over the reader's cap (by the third byte,
// modulo 64): the reader must then give nothing.

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace sumea {

struct Tiedosto {
    std::string polku;
    bool yliRajan = false;  // the file is over the cap: nothing may be read
};

constexpr size_t YLITYS_ENINTAAN = 64;

inline int muistitiedosto() {
    static const int fd = [] {
        const int uusi = memfd_create("sumea", MFD_CLOEXEC);
        if (uusi < 0) std::abort();
        return uusi;
    }();
    return fd;
}

// The input as a file for a reader whose cap is `enintaan` bytes.
inline Tiedosto tiedostoksi(const uint8_t* data, size_t koko, size_t enintaan) {
    const int fd = muistitiedosto();
    Tiedosto t{"/proc/self/fd/" + std::to_string(fd)};
    if (ftruncate(fd, 0) != 0) std::abort();
    t.yliRajan = koko >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    if (t.yliRajan) {
        const size_t yli = 1 + (koko > 2 ? data[2] % YLITYS_ENINTAAN : 0);
        if (ftruncate(fd, static_cast<off_t>(enintaan + yli)) != 0) std::abort();
    } else if (koko > 0 && pwrite(fd, data, koko, 0) != static_cast<ssize_t>(koko)) {
        std::abort();
    }
    return t;
}

}  // namespace sumea
