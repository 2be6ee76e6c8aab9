#pragma once
// The game's sound layer: music and effects, each decoded once into memory
// and played on one of the mixer's channels. Every failure (no audio device,
// a missing or broken file) is silent: the calls then do nothing.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One decoded sound; made by AaniJarjestelma::luoAani, opaque to callers.
struct Aani;

// The owning handle of a sound: the sound is released (and stopped where it
// plays) when the handle goes. Releasing is safe also after the system has
// closed, so a handle may outlive the system.
struct AanenVapautus {
    void operator()(Aani* aani) const;
};
using AaniKahva = std::unique_ptr<Aani, AanenVapautus>;

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
    // system is not open. The sound plays only while this opening lasts.
    AaniKahva luoAani(const std::string& polku);
    // The same from the file's bytes; `nimi` names it in the sound log.
    AaniKahva luoAaniTavuista(std::string_view tavut, const std::string& nimi);
    // Music: an mp3 decoded as it plays instead of whole before, on a channel
    // of its own (one stream plays at a time; a new one replaces the last).
    // A file of another rate than the mixer's is decoded whole instead.
    AaniKahva luoVirta(const std::string& polku);
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
    // Stops everything and closes the device; the sounds made so far no
    // longer play. Safe to call twice.
    void sulje();

    // True while the device is open.
    bool onkoAuki() const { return auki; }
    // Length of the decoded sound in seconds; 0 for null.
    double haeKesto(const Aani* aani) const;
    // Volume 0.0 .. 1.0 of the channel the handle still reaches, else -1.
    float haeVoimakkuus(Kanava kanava) const;

  private:
    AaniKahva uusiAani(const std::string& nimi) const;
    int soitaNayte(Aani* aani);
    int soitaVirta(Aani* aani);
    bool onkoKaytettava(const Aani* aani) const;
    bool tavoittaa(Kanava kanava) const;
    void kirjaa(const char* teko, Kanava kanava, const std::string& lisa = "") const;

    bool auki = false;
    // True when alusta had to start SDL's audio subsystem itself.
    bool omaAudioAlustus = false;
    // Which opening of the device this is; a sound plays only in its own.
    unsigned long avaus = 0;
    // The channel number of the stream on the mixer's music hook.
    int virranKanava = -1;
    // For each mixer channel, the start number of the sound it last started
    // and that sound's name.
    std::vector<unsigned long> sukupolvet;
    std::vector<std::string> soivat;
};

namespace aani {
// Test hook, the sound log: called with one line for every start, stop,
// volume and loop count that reaches the mixer, naming the sound's file and
// the channel: "soita <file> kanava <n>", "voimakkuus <file> kanava <n>
// <0.00..1.00>", "pysayta <file> kanava <n>", "toisto <file> <count>".
void asetaKirjuri(std::function<void(const std::string& rivi)> kirjuri);
}  // namespace aani
