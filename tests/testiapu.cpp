#include "testiapu.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
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

namespace {

constexpr rlim_t LAPSEN_MUISTI = rlim_t{4} << 30;
constexpr uid_t NOBODY = 65534;

[[noreturn]] void ajaLapsessa(const std::function<int()>& tehtava, int kirjoituspaa) {
    dup2(kirjoituspaa, STDOUT_FILENO);
    close(kirjoituspaa);
#if !defined(__SANITIZE_ADDRESS__)
    const rlimit raja{LAPSEN_MUISTI, LAPSEN_MUISTI};
    setrlimit(RLIMIT_AS, &raja);
#endif
    int tila = 0;
    try {
        tila = tehtava();
    } catch (...) {
        // Never unwind into the test that forked: that would run the rest of
        // it, and remove its directory, a second time. An escaped exception
        // is a crash.
        std::abort();
    }
    std::cout.flush();
    std::fflush(stdout);
    _exit(tila);
}

// Collects the child's output until it closes its end or the time runs out.
bool lueLoppuun(int lukupaa, std::string& tuloste, std::chrono::steady_clock::time_point loppu) {
    char puskuri[4096];
    for (;;) {
        const auto jaljella = std::chrono::duration_cast<std::chrono::milliseconds>(
            loppu - std::chrono::steady_clock::now());
        if (jaljella.count() <= 0) return false;
        pollfd p{lukupaa, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(jaljella.count())) <= 0) continue;
        const ssize_t n = read(lukupaa, puskuri, sizeof puskuri);
        if (n <= 0) return true;
        tuloste.append(puskuri, static_cast<size_t>(n));
    }
}

}  // namespace

LapsenLoppu ajaLapsena(const std::function<int()>& tehtava, int odotus_s) {
    std::cout.flush();
    int putki[2];
    if (pipe2(putki, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    const pid_t lapsi = fork();
    if (lapsi < 0) throw std::runtime_error("fork");
    if (lapsi == 0) {
        close(putki[0]);
        ajaLapsessa(tehtava, putki[1]);
    }
    close(putki[1]);
    LapsenLoppu loppu;
    const auto raja = std::chrono::steady_clock::now() + std::chrono::seconds(odotus_s);
    if (!lueLoppuun(putki[0], loppu.tuloste, raja)) {
        loppu.jumissa = true;
        kill(lapsi, SIGKILL);
    }
    close(putki[0]);
    int tila = 0;
    waitpid(lapsi, &tila, 0);
    loppu.kaatui = !loppu.jumissa && WIFSIGNALED(tila);
    if (WIFEXITED(tila)) loppu.tila = WEXITSTATUS(tila);
    return loppu;
}

bool pudotaOikeudet() {
    if (geteuid() != 0) return true;
    return setgroups(0, nullptr) == 0 && setgid(NOBODY) == 0 && setuid(NOBODY) == 0;
}
