#include "aani.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "mp3purku.h"
#include "testiapu.h"

namespace {

std::string data(const std::string& nimi) { return projektinJuuri() + "/tests/data/" + nimi; }

// 50 ms of 440 Hz, 44.1 kHz stereo; 200 ms of 660 Hz, 44.1 kHz mono; 100 ms
// of 550 Hz, 32 kHz mono.
const std::string kLyhytStereo = "piippaus_44k_stereo.mp3";
const std::string kMono = "piippaus_44k_mono.mp3";
const std::string kMono32k = "piippaus_32k_mono.mp3";

// One mixer frame is well under a millisecond; the decoder's trimming is exact.
constexpr double kKestonToleranssi = 0.001;
// Generous upper bound for a 50 ms sound to end under the dummy driver.
constexpr int kOdotusRajaMs = 5000;
constexpr int kOdotusAskelMs = 2;
// One step of the mixer's volume scale (0..128).
constexpr float kVoimakkuusAskel = 1.0f / 128;

class AaniTesti : public ::testing::Test {
  protected:
    void SetUp() override {
        jarjestelma.alusta(100);
        ASSERT_TRUE(jarjestelma.onkoAuki());
    }
    void TearDown() override { aani::asetaKirjuri(nullptr); }

    // A sound held by the fixture until the test ends.
    Aani* lataa(const std::string& nimi) { return pida(jarjestelma.luoAani(data(nimi)), nimi); }
    Aani* pida(AaniKahva aani, const std::string& nimi) {
        EXPECT_NE(aani, nullptr) << nimi;
        omat.push_back(std::move(aani));
        return omat.back().get();
    }
    Aani* silmukka(const std::string& nimi) {
        Aani* a = lataa(nimi);
        jarjestelma.asetaToistokerrat(a, -1);
        return a;
    }
    // Waits until the handle's sound has ended; false if it never does.
    bool odotaLoppua(Kanava k) {
        for (int ms = 0; ms < kOdotusRajaMs && jarjestelma.soiko(k); ms += kOdotusAskelMs)
            SDL_Delay(kOdotusAskelMs);
        return !jarjestelma.soiko(k);
    }

    AaniJarjestelma jarjestelma;
    std::vector<AaniKahva> omat;
};

TEST_F(AaniTesti, Mp3PuretaanKokonaanIlmanTaytetta) {
    // lame adds over a thousand frames of delay and padding; gapless decoding
    // must give back exactly the encoded length.
    EXPECT_NEAR(jarjestelma.haeKesto(lataa(kLyhytStereo)), 0.050, kKestonToleranssi);
    // Mono is spread to the mixer's two channels without changing the length.
    EXPECT_NEAR(jarjestelma.haeKesto(lataa(kMono)), 0.200, kKestonToleranssi);
    // Another rate is resampled to the mixer's rate: same length, not faster.
    EXPECT_NEAR(jarjestelma.haeKesto(lataa(kMono32k)), 0.100, kKestonToleranssi);
}

TEST_F(AaniTesti, TavuistaPurettuOnSamaKuinTiedostosta) {
    std::string tavut = lueTiedostoTestissa(data(kMono));
    AaniKahva muistista = jarjestelma.luoAaniTavuista(tavut, "muisti");
    ASSERT_NE(muistista, nullptr);
    EXPECT_DOUBLE_EQ(jarjestelma.haeKesto(muistista.get()), jarjestelma.haeKesto(lataa(kMono)));
}

TEST_F(AaniTesti, RikkinainenTaiPuuttuvaTiedostoAntaaTyhjan) {
    EXPECT_EQ(jarjestelma.luoAani(data("ei_ole.mp3")), nullptr);
    EXPECT_EQ(jarjestelma.luoAani(data("")), nullptr);  // a directory
    EXPECT_EQ(jarjestelma.luoAaniTavuista("", "tyhja"), nullptr);
    EXPECT_EQ(jarjestelma.luoAaniTavuista("tama ei ole aanta lainkaan", "teksti"), nullptr);
    EXPECT_EQ(jarjestelma.luoAaniTavuista("RIFF\x10\0\0\0WAVEfmt ", "katkennut"), nullptr);
    // A header claiming four billion frames once hung the decoder's own
    // resampler; the sound decodes to what the file really holds.
    EXPECT_LT(jarjestelma.haeKesto(lataa("rikki_info_32k.mp3")), 0.2);
    // A cut mp3 gives whatever whole frames it holds, or nothing; never a crash.
    std::string mp3 = lueTiedostoTestissa(data(kMono));
    for (size_t pituus : {size_t{4}, size_t{200}, mp3.size() / 2}) {
        AaniKahva osa = jarjestelma.luoAaniTavuista(mp3.substr(0, pituus), "osa");
        EXPECT_LE(jarjestelma.haeKesto(osa.get()), 0.200);
        jarjestelma.soiko(jarjestelma.soita(osa.get()));
    }
}

TEST_F(AaniTesti, TyhjallaAanellaJaKahvallaMikaanEiTapahdu) {
    std::vector<std::string> kuullut;
    aani::asetaKirjuri([&](const std::string& rivi) { kuullut.push_back(rivi); });
    jarjestelma.asetaToistokerrat(nullptr, -1);
    Kanava k = jarjestelma.soita(nullptr);
    EXPECT_EQ(k.numero, -1);
    EXPECT_FALSE(jarjestelma.soiko(k));
    jarjestelma.asetaVoimakkuus(k, 0.5f);
    EXPECT_LT(jarjestelma.haeVoimakkuus(k), 0.0f);
    jarjestelma.pysayta(k);
    jarjestelma.pysayta(Kanava{});
    jarjestelma.pysayta(Kanava{100, 1});
    jarjestelma.pysayta(Kanava{-5, 7});
    EXPECT_EQ(jarjestelma.haeKesto(nullptr), 0.0);
    EXPECT_TRUE(kuullut.empty());
}

TEST_F(AaniTesti, LoputonToistoJatkuuYliPituutensa) {
    Aani* a = lataa(kLyhytStereo);
    Kanava kertaalleen = jarjestelma.soita(a);
    jarjestelma.asetaToistokerrat(a, -1);
    Kanava loputon = jarjestelma.soita(a);
    ASSERT_TRUE(jarjestelma.soiko(kertaalleen));
    ASSERT_TRUE(odotaLoppua(kertaalleen));
    // The same chunk started once more after the first ended: the loop has
    // outlived two lengths of its sound.
    jarjestelma.asetaToistokerrat(a, 0);
    Kanava toinen = jarjestelma.soita(a);
    ASSERT_TRUE(odotaLoppua(toinen));
    EXPECT_TRUE(jarjestelma.soiko(loputon));
    jarjestelma.pysayta(loputon);
    EXPECT_FALSE(jarjestelma.soiko(loputon));
}

TEST_F(AaniTesti, PaattynytAaniEiEnaaTavoitaKanavaa) {
    Kanava k = jarjestelma.soita(lataa(kLyhytStereo));
    ASSERT_TRUE(odotaLoppua(k));
    EXPECT_LT(jarjestelma.haeVoimakkuus(k), 0.0f);
    Kanava uusi = jarjestelma.soita(silmukka(kMono));
    ASSERT_EQ(uusi.numero, k.numero);  // the lowest free channel is reused
    jarjestelma.asetaVoimakkuus(k, 0.1f);
    jarjestelma.pysayta(k);
    EXPECT_TRUE(jarjestelma.soiko(uusi));
    EXPECT_FLOAT_EQ(jarjestelma.haeVoimakkuus(uusi), 1.0f);
}

// The callers stop a role's channel before starting its next sound: the old
// handle must then reach nothing, even on the channel the new sound took.
TEST_F(AaniTesti, PysaytysEnnenSoittoaAloittaaAlusta) {
    Aani* hyppy = silmukka(kLyhytStereo);
    Kanava a = jarjestelma.soita(hyppy);
    jarjestelma.asetaVoimakkuus(a, 0.25f);
    jarjestelma.pysayta(a);
    EXPECT_FALSE(jarjestelma.soiko(a));
    Kanava b = jarjestelma.soita(hyppy);
    ASSERT_EQ(b.numero, a.numero);
    EXPECT_NE(b.sukupolvi, a.sukupolvi);
    // A new start is at full volume, not at the channel's previous 0.25.
    EXPECT_FLOAT_EQ(jarjestelma.haeVoimakkuus(b), 1.0f);
    jarjestelma.asetaVoimakkuus(b, 0.5f);
    jarjestelma.asetaVoimakkuus(a, 0.1f);
    jarjestelma.pysayta(a);
    EXPECT_FALSE(jarjestelma.soiko(a));
    EXPECT_TRUE(jarjestelma.soiko(b));
    EXPECT_FLOAT_EQ(jarjestelma.haeVoimakkuus(b), 0.5f);
}

TEST_F(AaniTesti, VoimakkuusRajataanVaaliinNollastaYhteen) {
    Kanava k = jarjestelma.soita(silmukka(kMono));
    jarjestelma.asetaVoimakkuus(k, 0.4f);
    EXPECT_NEAR(jarjestelma.haeVoimakkuus(k), 0.4f, kVoimakkuusAskel / 2);
    jarjestelma.asetaVoimakkuus(k, 3.0f);
    EXPECT_FLOAT_EQ(jarjestelma.haeVoimakkuus(k), 1.0f);
    jarjestelma.asetaVoimakkuus(k, -1.0f);
    EXPECT_FLOAT_EQ(jarjestelma.haeVoimakkuus(k), 0.0f);
    jarjestelma.asetaVoimakkuus(k, 0.7f);
    jarjestelma.asetaVoimakkuus(k, std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ(jarjestelma.haeVoimakkuus(k), 0.0f);
    EXPECT_TRUE(jarjestelma.soiko(k));  // silent, but still playing
}

TEST_F(AaniTesti, SataKanavaaSoivatYhtaAikaa) {
    Aani* a = silmukka(kMono);
    std::vector<bool> kaytossa(100, false);
    for (int i = 0; i < 100; ++i) {
        Kanava k = jarjestelma.soita(a);
        ASSERT_GE(k.numero, 0);
        ASSERT_LT(k.numero, 100);
        EXPECT_FALSE(kaytossa[k.numero]);
        kaytossa[k.numero] = true;
    }
    EXPECT_EQ(jarjestelma.soita(a).numero, -1);  // no free channel left
}

TEST_F(AaniTesti, VapautusPysayttaaAanen) {
    AaniKahva musiikki = jarjestelma.luoAani(data(kMono));
    jarjestelma.asetaToistokerrat(musiikki.get(), -1);
    Aani* muu = silmukka(kLyhytStereo);
    Kanava k = jarjestelma.soita(musiikki.get());
    Kanava muuKanava = jarjestelma.soita(muu);
    musiikki.reset();
    EXPECT_FALSE(jarjestelma.soiko(k));
    EXPECT_TRUE(jarjestelma.soiko(muuKanava));
}

// A sound may outlive the system (handles are released in any order), but it
// never plays in a later opening, whose format may differ.
TEST_F(AaniTesti, SulkeminenPysayttaaKaikenJaAvautuuUudelleen) {
    Aani* a = silmukka(kLyhytStereo);
    Kanava vanha = jarjestelma.soita(a);
    jarjestelma.sulje();
    jarjestelma.sulje();
    EXPECT_FALSE(jarjestelma.onkoAuki());
    EXPECT_FALSE(jarjestelma.soiko(vanha));
    EXPECT_EQ(jarjestelma.soita(a).numero, -1);
    EXPECT_EQ(jarjestelma.luoAani(data(kMono)), nullptr);

    jarjestelma.alusta(100);
    ASSERT_TRUE(jarjestelma.onkoAuki());
    EXPECT_EQ(jarjestelma.soita(a).numero, -1) << "a sound of the closed opening played";
    Kanava uusi = jarjestelma.soita(silmukka(kMono));
    ASSERT_EQ(uusi.numero, vanha.numero);
    jarjestelma.pysayta(vanha);  // a handle from before the close reaches nothing
    EXPECT_TRUE(jarjestelma.soiko(uusi));
}

// The sound log names the file and the channel of every start, stop, volume
// and loop count that reached the mixer, and nothing else.
TEST_F(AaniTesti, LokiKirjaaJokaisenTeonAanenJaKanavan) {
    std::vector<std::string> loki;
    aani::asetaKirjuri([&](const std::string& rivi) { loki.push_back(rivi); });
    Aani* musiikki = silmukka(kMono);
    Aani* hyppy = lataa(kLyhytStereo);
    Kanava m = jarjestelma.soita(musiikki);
    jarjestelma.asetaVoimakkuus(m, 1.0f);
    Kanava h = jarjestelma.soita(hyppy);
    jarjestelma.asetaVoimakkuus(h, 0.4f);
    jarjestelma.pysayta(h);
    jarjestelma.pysayta(h);  // reaches nothing any more
    jarjestelma.soita(nullptr);
    const std::string M = data(kMono), H = data(kLyhytStereo);
    const std::string km = " kanava " + std::to_string(m.numero);
    const std::string kh = " kanava " + std::to_string(h.numero);
    EXPECT_EQ(loki, (std::vector<std::string>{
                        "toisto " + M + " -1", "soita " + M + km, "voimakkuus " + M + km + " 1.00",
                        "soita " + H + kh, "voimakkuus " + H + kh + " 0.40", "pysayta " + H + kh}));
}

// Music decoded as it plays gives exactly the samples of the whole decode,
// its repeats following without a gap, mono spread to both channels, and
// silence once the last repeat has ended.
TEST(Mp3Virta, SamatNaytteetKuinKokonaanPurettunaJaToistoIlmanRakoa) {
    for (const std::string& nimi : {kLyhytStereo, kMono}) {
        SCOPED_TRACE(nimi);
        const std::string tavut = lueTiedostoTestissa(data(nimi));
        Pcm kokonaan;
        ASSERT_TRUE(puraMp3(tavut, kokonaan));
        const size_t kehyksia = kokonaan.naytteet.size() / kokonaan.kanavia;
        auto virta = Mp3Virta::avaa(tavut);
        ASSERT_NE(virta, nullptr);
        EXPECT_EQ(virta->haeTaajuus(), kokonaan.taajuus);
        virta->alusta(2);  // three plays in all
        std::vector<int16_t> soitettu(2 * (3 * kehyksia + 500));
        for (size_t i = 0; i < soitettu.size() / 2; i += 333) {
            const size_t pala = std::min<size_t>(333, soitettu.size() / 2 - i);
            virta->tayta(&soitettu[2 * i], pala, 128);
        }
        size_t eri = 0;
        for (size_t k = 0; k < 3 * kehyksia; ++k) {
            const size_t lahde = (k % kehyksia) * kokonaan.kanavia;
            const int16_t vasen = kokonaan.naytteet[lahde];
            const int16_t oikea = kokonaan.naytteet[lahde + kokonaan.kanavia - 1];
            eri += soitettu[2 * k] != vasen || soitettu[2 * k + 1] != oikea;
        }
        EXPECT_EQ(eri, 0u) << "frames differing from the whole decode played three times";
        for (size_t k = 3 * kehyksia; k < soitettu.size() / 2; ++k)
            ASSERT_EQ(soitettu[2 * k], 0) << "sound after the last repeat, frame " << k;
        int16_t puolella[2];
        EXPECT_FALSE(virta->tayta(puolella, 1, 128)) << "the stream should have ended";
    }
}

TEST(Mp3Virta, VoimakkuusJaRikkinainenTiedosto) {
    const std::string tavut = lueTiedostoTestissa(data(kLyhytStereo));
    Pcm kokonaan;
    ASSERT_TRUE(puraMp3(tavut, kokonaan));
    auto virta = Mp3Virta::avaa(tavut);
    ASSERT_NE(virta, nullptr);
    virta->alusta(0);
    std::vector<int16_t> puoli(2 * 1000);
    EXPECT_TRUE(virta->tayta(puoli.data(), 1000, 64));
    for (size_t i = 0; i < puoli.size(); ++i)
        ASSERT_EQ(puoli[i], kokonaan.naytteet[i] * 64 / 128) << "sample " << i;
    EXPECT_EQ(Mp3Virta::avaa("tama ei ole aanta lainkaan"), nullptr);
    EXPECT_EQ(Mp3Virta::avaa(""), nullptr);
    // A file cut in the middle of a frame plays what it holds and still
    // loops: a second later there is sound.
    auto katkaistu = Mp3Virta::avaa(tavut.substr(0, tavut.size() / 2));
    ASSERT_NE(katkaistu, nullptr);
    katkaistu->alusta(-1);
    std::vector<int16_t> sekunti(2 * 44100);
    EXPECT_TRUE(katkaistu->tayta(sekunti.data(), 44100, 128));
    EXPECT_TRUE(std::any_of(sekunti.end() - 2000, sekunti.end(), [](int16_t n) { return n != 0; }));
}

// The game's music goes through the stream channel: it plays at once, its
// volume and stop reach it, and a file of another rate is decoded whole.
TEST_F(AaniTesti, VirtaSoiOmallaKanavallaan) {
    AaniKahva musiikki = jarjestelma.luoVirta(data(kMono));
    ASSERT_NE(musiikki, nullptr);
    jarjestelma.asetaToistokerrat(musiikki.get(), -1);
    Kanava k = jarjestelma.soita(musiikki.get());
    EXPECT_EQ(k.numero, 100) << "the stream's own number after the 100 mixer channels";
    EXPECT_TRUE(jarjestelma.soiko(k));
    jarjestelma.asetaVoimakkuus(k, 0.5f);
    EXPECT_FLOAT_EQ(jarjestelma.haeVoimakkuus(k), 0.5f);
    SDL_Delay(300);  // beyond the file's 200 ms: the loop goes on
    EXPECT_TRUE(jarjestelma.soiko(k));
    jarjestelma.pysayta(k);
    EXPECT_FALSE(jarjestelma.soiko(k));
    AaniKahva muu = jarjestelma.luoVirta(data(kMono32k));
    ASSERT_NE(muu, nullptr);
    EXPECT_NEAR(jarjestelma.haeKesto(muu.get()), 0.100, kKestonToleranssi) << "decoded whole";
    Kanava toinen = jarjestelma.soita(jarjestelma.luoVirta(data(kLyhytStereo)).get());
    EXPECT_FALSE(jarjestelma.soiko(toinen)) << "a released stream stopped";
}

// With no usable audio device the layer stays closed and every call is a
// silent no-op.
TEST(AaniIlmanLaitetta, KaikkiKutsutOvatHiljaisia) {
    bool audioOliAuki = SDL_WasInit(SDL_INIT_AUDIO) != 0;
    if (audioOliAuki) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    std::string ajuri = getenv("SDL_AUDIODRIVER") ? getenv("SDL_AUDIODRIVER") : "";
    setenv("SDL_AUDIODRIVER", "olematon_ajuri", 1);
    std::vector<std::string> kuullut;
    aani::asetaKirjuri([&](const std::string& rivi) { kuullut.push_back(rivi); });
    {
        AaniJarjestelma jarjestelma;
        jarjestelma.alusta(100);
        EXPECT_FALSE(jarjestelma.onkoAuki());
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
        AaniKahva a = jarjestelma.luoAani(data(kLyhytStereo));
        EXPECT_EQ(a, nullptr);
        jarjestelma.asetaToistokerrat(a.get(), -1);
        Kanava k = jarjestelma.soita(a.get());
        EXPECT_FALSE(jarjestelma.soiko(k));
        jarjestelma.asetaVoimakkuus(k, 1.0f);
        jarjestelma.pysayta(k);
        jarjestelma.sulje();
    }  // and the destructor closes once more
    EXPECT_TRUE(kuullut.empty());
    aani::asetaKirjuri(nullptr);
    setenv("SDL_AUDIODRIVER", ajuri.c_str(), 1);
    if (audioOliAuki) SDL_InitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace
