#pragma once
// Shared test fixtures: a private working directory with the game's data
// reachable from it, and small file helpers.

#include <functional>
#include <string>

// The project root (where levels/ and media/ live).
std::string projektinJuuri();

// Makes a fresh temporary directory, links the project's levels/ and media/
// into it and makes it the working directory; the destructor goes back and
// removes the directory. The game reads and writes relative paths, so every
// file it saves lands in this directory.
class TestiHakemisto {
  public:
    TestiHakemisto();
    ~TestiHakemisto();
    TestiHakemisto(const TestiHakemisto&) = delete;
    TestiHakemisto& operator=(const TestiHakemisto&) = delete;

    const std::string& polku() const { return hakemisto; }

  private:
    std::string hakemisto;
    std::string edellinen;
};

// Whole-file helpers for tests (binary, no translation).
std::string lueTiedostoTestissa(const std::string& polku);
void kirjoitaTiedostoTestissa(const std::string& polku, const std::string& tavut);
bool onkoTiedostoa(const std::string& polku);

// How a child process ended.
struct LapsenLoppu {
    bool jumissa = false;  // still running when the wait ran out: it was killed
    bool kaatui = false;   // ended by a signal (an abort, a crash)
    int tila = -1;         // its exit status when it exited
    std::string tuloste;   // what it wrote to standard output
};

// Runs `tehtava` in a child process and returns how it ended; the child's
// exit status is what `tehtava` returns. The child's address space is capped
// at 4 GiB (not under the sanitizers, which reserve far more), so a reader
// that believes a file's claimed size fails instead of taking the machine;
// a child still running after `odotus_s` seconds is killed as hung.
LapsenLoppu ajaLapsena(const std::function<int()>& tehtava, int odotus_s = 30);

// Drops to the unprivileged user "nobody" when running as root, so file
// permissions apply; a non-root user already is unprivileged. For a child.
bool pudotaOikeudet();
