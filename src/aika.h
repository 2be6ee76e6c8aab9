#pragma once
// The level clock: real elapsed time since a level was loaded.

#include <cstdint>
#include <string>

// A time as minutes, seconds and hundredths.
struct minsec {
    int min = 0;
    int sec = 0;
    int sadasosat = 0;
};

// A time as the game shows it: minutes, then seconds and hundredths with two
// digits each, so the text reads as a time and never seems to run backwards
// (one minute, five seconds and seven hundredths read "1:05.07"), followed by
// a line end as a text stream writes it (the single-line renderer leaves it
// out).
std::string aikaTekstina(const minsec& t);

// A whole game's total in hundredths, as the high-score list shows it:
// "9:16.26" for 55 626; a negative total (only a hand-made file holds one)
// gets a minus sign.
std::string tulosTekstina(int32_t sadasosat);

class aika {
  public:
    // A millisecond count of real elapsed time. The default reads a steady
    // clock; tests install their own so that no result hangs on wall time.
    using Kellolahde = uint32_t (*)();

    // Starts the clock from now.
    void alustaAika();
    // The time since alustaAika. Hundredths that round up to 100 carry into
    // the seconds, so 1 999 ms reads 0:2.0.
    minsec haeAika() const;

    // Replaces the tick source of this clock (null: the common source).
    void asetaKellolahde(Kellolahde lahde);
    // Replaces the common tick source of every clock without one of its own,
    // so that a test of the whole game can run its level clocks by frames
    // instead of wall time (null restores the steady clock).
    static void asetaYhteinenKellolahde(Kellolahde lahde);
    // The default tick source: milliseconds of a monotonic clock.
    static uint32_t oletuslahde();
    // Turns elapsed milliseconds into minutes, seconds and hundredths.
    static minsec muunna(uint32_t millisekunnit);

  private:
    uint32_t nyt() const;

    int32_t alku = 0;
    Kellolahde lahde = nullptr;
};
