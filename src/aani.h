#pragma once
// The game's sound layer: music and effects, each decoded once into memory
// and played on one of the mixer's channels. Every failure (no audio device,
// a missing or broken file) is silent: the calls then do nothing.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

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
    // Decodes an mp3 file into a new sound; null when that fails or the
    // system is not open.
    Aani* luoAani(const std::string& polku);
    // The same from the file's bytes; `nimi` is what the listener is told.
    Aani* luoAaniTavuista(std::string_view tavut, const std::string& nimi);
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
    // Stops everything, frees the sounds still owned and closes the device.
    // Safe to call twice.
    void sulje();

    // True while the device is open.
    bool onkoAuki() const { return auki; }
    // Length of the decoded sound in seconds; 0 for null.
    double haeKesto(const Aani* aani) const;
    // Volume 0.0 .. 1.0 of the channel the handle still reaches, else -1.
    float haeVoimakkuus(Kanava kanava) const;

  private:
    bool onkoOma(const Aani* aani) const;
    bool tavoittaa(Kanava kanava) const;

    bool auki = false;
    // True when alusta had to start SDL's audio subsystem itself.
    bool omaAudioAlustus = false;
    // Every sound made and not yet freed; sulje frees what is left.
    std::vector<Aani*> aanet;
    // For each mixer channel, the start number of the sound it last started.
    std::vector<unsigned long> sukupolvet;
};

namespace aani {
// Test hook: called with the file name of every sound that starts playing.
void asetaKuuntelija(std::function<void(const std::string& polku)> kuuntelija);
}  // namespace aani
