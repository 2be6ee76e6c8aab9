#pragma once
// mp3 decoding for the sound layer, through libmpg123 in gapless mode, so a
// loop carries no encoder delay or padding: a whole file into memory, or a
// stream decoded piece by piece while it plays.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct mpg123_handle_struct;

// Decoded signed 16-bit samples, channels interleaved.
struct Pcm {
    std::vector<int16_t> naytteet;
    long taajuus = 0;
    int kanavia = 0;
};

// Decodes a whole mp3 held in memory; false when it holds no sound. A format
// change in mid-stream ends the sound there, and decoding stops after ten
// minutes, so a broken file cannot use up the memory.
bool puraMp3(std::string_view tavut, Pcm& pcm);

// An mp3 decoded as it plays: each call hands out the next stereo frames,
// and a repeat starts the file again at once, exactly as the whole decode
// played in a loop. Used from the mixer's thread while it plays.
class Mp3Virta {
  public:
    // Null when the bytes hold no mp3 sound.
    static std::unique_ptr<Mp3Virta> avaa(std::string tavut);
    ~Mp3Virta();
    Mp3Virta(const Mp3Virta&) = delete;
    Mp3Virta& operator=(const Mp3Virta&) = delete;

    long haeTaajuus() const { return taajuus; }
    int haeKanavia() const { return kanavia; }

    // Back to the beginning, to repeat this many times after the first play
    // (-1: endlessly).
    void alusta(int toistokerrat);
    // Writes `kehyksia` stereo frames at volume 0..128 (mono is spread to both
    // channels). False once the sound has ended; the rest is then silence.
    bool tayta(int16_t* kohde, size_t kehyksia, int voimakkuus);

  private:
    Mp3Virta() = default;
    bool avaaPurkaja();
    bool puraLisaa();

    std::string tavut;
    mpg123_handle_struct* purkaja = nullptr;
    long taajuus = 0;
    int kanavia = 0;
    int kertojaJaljella = 0;
    bool loppunut = true;
    bool kierroksellaAanta = false;  // this pass of the file gave samples
    std::vector<int16_t> varasto;    // decoded, not yet handed out
    size_t kaytetty = 0;
};
