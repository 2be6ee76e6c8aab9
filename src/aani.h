#pragma once
// The game's sound layer: music and effects, each decoded once into memory
// and played on one of the mixer's channels. Every failure (no audio device,
// a missing or broken file) is silent: the calls then do nothing.

#include <functional>
#include <string>

// One decoded sound; made by AaniJarjestelma::luoAani, opaque to callers.
struct Aani;

// A started sound on its channel. The handle remembers which start it was, so
// once that sound has ended, or the channel plays another sound, the handle
// no longer reaches the channel. A default handle reaches nothing.
struct Kanava {
    int numero = -1;
    unsigned long sukupolvi = 0;
};

class AaniJarjestelma {
  public:
    AaniJarjestelma() = default;
    ~AaniJarjestelma();
    AaniJarjestelma(const AaniJarjestelma&) = delete;
    AaniJarjestelma& operator=(const AaniJarjestelma&) = delete;

    // Opens the audio device with `kanavia` mixer channels (44.1 kHz).
    void alusta(int kanavia);
    // Decodes a file (mp3) into a new sound; null when that fails.
    Aani* luoAani(const std::string& polku);
    // How many times the sound repeats after its first play: -1 is endless.
    void asetaToistokerrat(Aani* aani, int kerrat);
    // Starts the sound on a free channel, unpaused.
    Kanava soita(Aani* aani);
    // Volume 0.0 .. 1.0 of the channel the handle still reaches.
    void asetaVoimakkuus(Kanava kanava, float voimakkuus);
    // Stops the channel the handle still reaches.
    void pysayta(Kanava kanava);
    // True while the handle's sound is still playing.
    bool soiko(Kanava kanava) const;
    // Frees a sound (stopping it where it plays); null is fine.
    void vapauta(Aani* aani);
    // Stops everything and closes the device.
    void sulje();

  private:
    bool auki = false;
    int kanavia = 0;
};

namespace aani {
// Test hook: called with the file name of every sound that starts playing.
void asetaKuuntelija(std::function<void(const std::string& polku)> kuuntelija);
}  // namespace aani
