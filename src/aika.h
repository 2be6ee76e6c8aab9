#pragma once
// The level clock: real elapsed time since a level was loaded.

#include <cstdint>

// A time as minutes, seconds and hundredths.
struct minsec {
    int min = 0;
    int sec = 0;
    int sadasosat = 0;
};

class aika {
  public:
    // Starts the clock from now.
    void alustaAika();
    // The time since alustaAika.
    minsec haeAika();

  private:
    int32_t alku = 0;
};
