#include "tiedosto.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tiedosto {

namespace {

// Closes a descriptor when the scope ends, whatever path it ends by.
struct Kuvaaja {
    int fd;
    ~Kuvaaja() {
        if (fd >= 0) close(fd);
    }
};

bool kirjoitaKaikki(int fd, std::string_view tavut) {
    while (!tavut.empty()) {
        ssize_t n = write(fd, tavut.data(), tavut.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        tavut.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

std::string hakemistoOsa(const std::string& polku) {
    auto kauttaviiva = polku.rfind('/');
    return kauttaviiva == std::string::npos ? "." : polku.substr(0, kauttaviiva + 1);
}

}  // namespace

std::optional<std::string> lue(const std::string& polku) {
    Kuvaaja f{open(polku.c_str(), O_RDONLY | O_CLOEXEC)};
    if (f.fd < 0) return std::nullopt;
    struct stat tila;
    if (fstat(f.fd, &tila) != 0 || !S_ISREG(tila.st_mode)) return std::nullopt;

    std::string tavut;
    tavut.reserve(static_cast<size_t>(tila.st_size));
    char lohko[65536];
    for (;;) {
        ssize_t n = read(f.fd, lohko, sizeof lohko);
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        tavut.append(lohko, static_cast<size_t>(n));
    }
    return tavut;
}

bool tallenna(const std::string& polku, std::string_view tavut) {
    std::string malli = polku + ".XXXXXX";
    int fd = mkstemp(malli.data());
    if (fd < 0) return false;
    bool onnistui;
    {
        Kuvaaja f{fd};
        // mkstemp makes the file private; saved files get ordinary permissions.
        mode_t maski = umask(0);
        umask(maski);
        fchmod(fd, 0666 & ~maski);
        onnistui = kirjoitaKaikki(fd, tavut) && fsync(fd) == 0;
    }
    if (onnistui) onnistui = rename(malli.c_str(), polku.c_str()) == 0;
    if (!onnistui) {
        unlink(malli.c_str());
        return false;
    }
    // Make the rename itself durable.
    Kuvaaja hakemisto{open(hakemistoOsa(polku).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (hakemisto.fd >= 0) fsync(hakemisto.fd);
    return true;
}

}  // namespace tiedosto

namespace tekstitila {

std::string tallennusmuotoon(std::string_view tavut) {
    std::string tulos;
    tulos.reserve(tavut.size() + tavut.size() / 16);
    for (char c : tavut) {
        if (c == '\n') tulos.push_back('\r');
        tulos.push_back(c);
    }
    return tulos;
}

std::string lukumuotoon(std::string_view tavut) {
    std::string tulos;
    tulos.reserve(tavut.size());
    for (size_t i = 0; i < tavut.size(); ++i) {
        if (tavut[i] == '\r' && i + 1 < tavut.size() && tavut[i + 1] == '\n') continue;
        tulos.push_back(tavut[i]);
    }
    return tulos;
}

}  // namespace tekstitila
