#pragma once
// The player's settings: read from "asetukset.conf" once at start-up; the
// settings screen writes them back, and they apply from the next start.

#include <string>

struct asetukset {
    int leveys;
    int korkeus;
    bool musiikki;
    bool aanet;
    bool kokoruututila;
    std::string kieli;
};

constexpr const char* ASETUSTIEDOSTO = "asetukset.conf";

// Reads the settings file; a missing file or key turns the flag off.
asetukset haeAsetukset();

// Stores the three on/off settings into the settings file, keeping every
// other key it holds (such as "kieli"): the file is read again under the
// save lock, so keys another run saved meanwhile survive. A file that exists
// but cannot be read is left as it is. False when nothing was stored; the
// reason is written to standard output.
bool tallennaAsetukset(bool musiikki, bool aanet, bool kokoruututila);
