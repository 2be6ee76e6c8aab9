#include "tiedosto.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>

namespace tiedosto {

namespace {

constexpr size_t LOHKO = 64 * 1024;         // bytes asked for in one read
constexpr int LINKKEJA_ENINTAAN = 40;       // links followed in a row, as the kernel allows
constexpr const char* KESKEN = ".kesken.";  // marks the temporary file of a save
constexpr size_t SATUNNAISIA = 6;           // the characters mkstemp puts for XXXXXX
constexpr int LUONTIYRITYKSIA = 3;
constexpr int ODOTUSVALI_MS = 10;  // between tries to take a lock
constexpr mode_t OIKEUSBITIT = 0777;

// Closes a descriptor when the scope ends, whatever path it ends by.
struct Kuvaaja {
    int fd;
    ~Kuvaaja() {
        if (fd >= 0) close(fd);
    }
};

// Why a file could not be read or written: the player's words for the common
// reasons, with the system's own text after them.
std::string syyksi(int virhe) {
    const std::string jarjestelma = std::strerror(virhe);
    switch (virhe) {
        case EACCES:
        case EPERM:
            return "ei oikeutta (" + jarjestelma + ")";
        case ENOSPC:
        case EDQUOT:
            return "levy on täynnä (" + jarjestelma + ")";
        case EROFS:
            return "levylle ei voi kirjoittaa (" + jarjestelma + ")";
        default:
            return jarjestelma;
    }
}

Luku lukukelvoton(std::string syy) {
    Luku luku;
    luku.tila = Tila::Lukukelvoton;
    luku.syy = std::move(syy);
    return luku;
}

std::string yliRajan(size_t enintaan) {
    return "suurempi kuin " + std::to_string(enintaan) + " tavua";
}

// Only a regular file within the cap is read.
std::optional<std::string> vikaLajissa(const struct stat& tila, size_t enintaan) {
    if (!S_ISREG(tila.st_mode)) return "ei tavallinen tiedosto";
    if (tila.st_size < 0 || static_cast<uintmax_t>(tila.st_size) > enintaan)
        return yliRajan(enintaan);
    return std::nullopt;
}

// Reads to the end straight into the string, asking never for more than one
// byte past the cap: a file that grew while it was read is caught without
// holding the growth. The string starts at the size the file claimed.
Luku lueLohkoina(int fd, size_t enintaan, size_t arvio) {
    Luku luku;
    std::string& tavut = luku.tavut;
    tavut.resize(std::min(arvio, enintaan) + 1);
    size_t luettu = 0;
    for (;;) {
        if (luettu == tavut.size()) {
            if (luettu > enintaan) return lukukelvoton(yliRajan(enintaan));
            tavut.resize(std::min(std::max(2 * luettu, LOHKO), enintaan + 1));
        }
        const size_t pyynto = std::min(LOHKO, tavut.size() - luettu);
        const ssize_t n = read(fd, tavut.data() + luettu, pyynto);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return lukukelvoton("lukuvirhe: " + syyksi(errno));
        if (n == 0) break;
        luettu += static_cast<size_t>(n);
    }
    if (luettu > enintaan) return lukukelvoton(yliRajan(enintaan));
    tavut.resize(luettu);
    luku.tila = Tila::Luettu;
    return luku;
}

// "dir/" of "dir/name", empty for a bare name.
std::string etuliite(const std::string& polku) {
    const size_t kauttaviiva = polku.rfind('/');
    return kauttaviiva == std::string::npos ? std::string() : polku.substr(0, kauttaviiva + 1);
}

std::string nimiOsa(const std::string& polku) { return polku.substr(etuliite(polku).size()); }

std::string hakemisto(const std::string& polku) {
    const std::string alku = etuliite(polku);
    return alku.empty() ? "." : alku;
}

// Follows a chain of links to the path a save must write, so the links stay
// links. A link to nothing gives the path it names, where the save creates
// the file.
bool seuraaLinkit(std::string& polku, std::string& syy) {
    for (int i = 0; i < LINKKEJA_ENINTAAN; ++i) {
        struct stat tila;
        if (lstat(polku.c_str(), &tila) != 0 || !S_ISLNK(tila.st_mode)) return true;
        std::string kohde(PATH_MAX, '\0');
        const ssize_t n = readlink(polku.c_str(), kohde.data(), kohde.size());
        if (n <= 0 || static_cast<size_t>(n) >= kohde.size()) {
            syy = n < 0 ? syyksi(errno) : "linkki ei kelpaa";
            return false;
        }
        kohde.resize(static_cast<size_t>(n));
        polku = kohde.front() == '/' ? kohde : etuliite(polku) + kohde;
    }
    syy = "liian monta linkkiä peräkkäin";
    return false;
}

// A file that is there must be a regular file the player may write, or it
// is left alone; a missing one is created.
bool voikoKorvata(const std::string& kohde, struct stat& vanha, bool& olemassa, std::string& syy) {
    olemassa = stat(kohde.c_str(), &vanha) == 0;
    if (!olemassa) {
        if (errno == ENOENT) return true;
        syy = syyksi(errno);
        return false;
    }
    if (!S_ISREG(vanha.st_mode)) {
        syy = "ei tavallinen tiedosto";
        return false;
    }
    // No write bit at all protects the file even from a user who could
    // write it anyway (root).
    const bool suojattu = (vanha.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    if (suojattu || faccessat(AT_FDCWD, kohde.c_str(), W_OK, AT_EACCESS) != 0) {
        syy = suojattu || errno == EACCES ? "tiedosto on kirjoitussuojattu" : syyksi(errno);
        return false;
    }
    return true;
}

// The game's own temporary file for `kohde`: the prefix and six characters.
bool onkoKeskenerainen(const std::string& nimi, const std::string& alku) {
    if (nimi.size() != alku.size() + SATUNNAISIA || nimi.compare(0, alku.size(), alku) != 0)
        return false;
    return std::all_of(nimi.begin() + static_cast<std::ptrdiff_t>(alku.size()), nimi.end(),
                       [](unsigned char c) { return std::isalnum(c) != 0; });
}

// Removes a temporary file whose save has ended: a live save holds a lock
// on its file, a killed one no longer does.
void poistaJosHylatty(int hakemistoFd, const char* nimi) {
    Kuvaaja f{openat(hakemistoFd, nimi, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
    struct stat tila;
    if (f.fd < 0 || fstat(f.fd, &tila) != 0 || !S_ISREG(tila.st_mode)) return;
    if (tila.st_uid != geteuid()) return;
    if (flock(f.fd, LOCK_EX | LOCK_NB) == 0) unlinkat(hakemistoFd, nimi, 0);
}

// Temporary files that earlier saves of `kohde` left when they were killed.
void poistaJaanteet(const std::string& kohde) {
    DIR* d = opendir(hakemisto(kohde).c_str());
    if (!d) return;
    const std::string alku = "." + nimiOsa(kohde) + KESKEN;
    while (const dirent* e = readdir(d))
        if (onkoKeskenerainen(e->d_name, alku)) poistaJosHylatty(dirfd(d), e->d_name);
    closedir(d);
}

// Creates the temporary file and locks it for the save's lifetime. A file a
// cleaner removed before the lock was taken is made again.
int luoValiaikainen(const std::string& kohde, std::string& nimi, std::string& syy) {
    for (int yritys = 0; yritys < LUONTIYRITYKSIA; ++yritys) {
        nimi = etuliite(kohde) + "." + nimiOsa(kohde) + KESKEN + std::string(SATUNNAISIA, 'X');
        const int fd = mkostemp(nimi.data(), O_CLOEXEC);
        if (fd < 0) {
            syy = "väliaikaista tiedostoa ei voitu luoda: " + syyksi(errno);
            return -1;
        }
        struct stat avattu, nimetty;
        if (flock(fd, LOCK_EX) == 0 && fstat(fd, &avattu) == 0 &&
            stat(nimi.c_str(), &nimetty) == 0 && avattu.st_ino == nimetty.st_ino)
            return fd;
        close(fd);
    }
    syy = "väliaikainen tiedosto katosi";
    return -1;
}

// The new file takes the old one's owner (where the system allows) and
// permission bits; a new file gets what the umask allows (mkstemp alone
// would leave it private).
void asetaOikeudet(int fd, const struct stat& vanha, bool olemassa) {
    if (!olemassa) {
        const mode_t maski = umask(0);
        umask(maski);
        fchmod(fd, 0666 & ~maski);
        return;
    }
    if ((vanha.st_uid != geteuid() || vanha.st_gid != getegid()) &&
        fchown(fd, vanha.st_uid, vanha.st_gid) != 0) {
        // Only root may give a file away; the player's own file needs nothing.
    }
    fchmod(fd, vanha.st_mode & OIKEUSBITIT);
}

bool kirjoitaKaikki(int fd, std::string_view tavut) {
    while (!tavut.empty()) {
        const ssize_t n = write(fd, tavut.data(), tavut.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        tavut.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool korvaa(const std::string& polku, std::string_view tavut, std::string& syy) {
    std::string kohde = polku;
    struct stat vanha {};
    bool olemassa = false;
    if (!seuraaLinkit(kohde, syy) || !voikoKorvata(kohde, vanha, olemassa, syy)) return false;
    poistaJaanteet(kohde);
    std::string valiaikainen;
    Kuvaaja f{luoValiaikainen(kohde, valiaikainen, syy)};
    if (f.fd < 0) return false;
    asetaOikeudet(f.fd, vanha, olemassa);
    if (!kirjoitaKaikki(f.fd, tavut) || fsync(f.fd) != 0 ||
        rename(valiaikainen.c_str(), kohde.c_str()) != 0) {
        syy = syyksi(errno);
        unlink(valiaikainen.c_str());
        return false;
    }
    // Make the rename itself durable.
    Kuvaaja hakemistoFd{open(hakemisto(kohde).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (hakemistoFd.fd >= 0) fsync(hakemistoFd.fd);
    return true;
}

}  // namespace

Luku lueRajattu(const std::string& polku, size_t enintaan) {
    struct stat tila;
    if (stat(polku.c_str(), &tila) != 0)
        return errno == ENOENT ? Luku{} : lukukelvoton(syyksi(errno));
    if (auto vika = vikaLajissa(tila, enintaan)) return lukukelvoton(*vika);
    Kuvaaja f{open(polku.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (f.fd < 0) return errno == ENOENT ? Luku{} : lukukelvoton(syyksi(errno));
    // The name may have been given to something else between the two looks.
    if (fstat(f.fd, &tila) != 0) return lukukelvoton(syyksi(errno));
    if (auto vika = vikaLajissa(tila, enintaan)) return lukukelvoton(*vika);
    return lueLohkoina(f.fd, enintaan, static_cast<size_t>(tila.st_size));
}

std::optional<std::string> lue(const std::string& polku, size_t enintaan) {
    Luku luku = lueRajattu(polku, enintaan);
    if (luku.tila != Tila::Luettu) return std::nullopt;
    return std::move(luku.tavut);
}

bool kelpaako(const std::string& polku, size_t enintaan, std::string& syy) {
    struct stat tila;
    if (stat(polku.c_str(), &tila) != 0) {
        syy = syyksi(errno);
        return errno == ENOENT;
    }
    if (auto vika = vikaLajissa(tila, enintaan)) {
        syy = *vika;
        return false;
    }
    return true;
}

bool tallenna(const std::string& polku, std::string_view tavut, std::string* syy) {
    std::string vika;
    const bool onnistui = korvaa(polku, tavut, vika);
    if (!onnistui && syy) *syy = vika;
    return onnistui;
}

Lukko::Lukko(const std::string& polku) {
    std::string kohde = polku, syy;
    seuraaLinkit(kohde, syy);
    kuvaaja = open(hakemisto(kohde).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // Without the directory there is nothing to lock; the save says why.
    if (kuvaaja < 0) return;
    for (int odotettu = 0;; odotettu += ODOTUSVALI_MS) {
        if (flock(kuvaaja, LOCK_EX | LOCK_NB) == 0) return;
        if (errno != EWOULDBLOCK && errno != EINTR) return;  // this system cannot lock
        if (odotettu >= ODOTUS_MS) {
            onkoVarattu = true;
            return;
        }
        usleep(ODOTUSVALI_MS * 1000);
    }
}

// Closing the descriptor releases the lock.
Lukko::~Lukko() {
    if (kuvaaja >= 0) close(kuvaaja);
}

std::optional<std::string> lueKorvattava(const Lukko& lukko, const std::string& polku,
                                         size_t enintaan, std::string& syy) {
    if (lukko.varattu()) {
        syy = "toinen tallennus on kesken";
        return std::nullopt;
    }
    Luku luku = lueRajattu(polku, enintaan);
    if (luku.tila == Tila::Lukukelvoton) {
        syy = "tiedosto on olemassa mutta sitä ei voitu lukea: " + luku.syy;
        return std::nullopt;
    }
    return std::move(luku.tavut);
}

}  // namespace tiedosto

namespace tekstitila {

std::string tallennusmuotoon(std::string_view tavut) {
    std::string tulos;
    tulos.reserve(tavut.size() + tavut.size() / 16);
    lisaaTallennusmuotoon(tulos, tavut);
    return tulos;
}

void lisaaTallennusmuotoon(std::string& ulos, std::string_view tavut) {
    for (size_t rivinvaihto; (rivinvaihto = tavut.find('\n')) != std::string_view::npos;) {
        ulos.append(tavut.substr(0, rivinvaihto)).append("\r\n");
        tavut.remove_prefix(rivinvaihto + 1);
    }
    ulos.append(tavut);
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

std::string_view otaRivi(std::string_view& loput) {
    const size_t rivinvaihto = loput.find('\n');
    std::string_view rivi = loput.substr(0, rivinvaihto);
    if (rivinvaihto == std::string_view::npos) {
        loput = {};
        return rivi;
    }
    loput.remove_prefix(rivinvaihto + 1);
    if (!rivi.empty() && rivi.back() == '\r') rivi.remove_suffix(1);
    return rivi;
}

}  // namespace tekstitila
