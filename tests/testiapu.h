#pragma once
// Shared test fixtures: a private working directory with the game's data
// reachable from it, and small file helpers.

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
