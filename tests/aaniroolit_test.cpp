// The sound roles through the real program, read from the sound log: which
// sound starts on which channel, at what volume, what it cuts off, and what
// the settings switch on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ajo.h"
#include "kokopeli.h"
#include "syote.h"
#include "testiapu.h"

namespace {

const std::string ALKU = "media/sounds/aani4.mp3";
const std::string SIIRTO = "media/sounds/valikko.mp3";
const std::string HYPPY = "media/sounds/aani1.mp3";
const std::string KENTTA = "media/sounds/aani5.mp3";
const std::string VALIKKOMUSIIKKI = "media/music/valikko.mp3";
const std::string PELIMUSIIKKI = "media/music/peli.mp3";

// Runs the program with the given settings file (none when empty): Down and
// Up in one pass of
// the main menu, Return, Escape in the intro, then level 6 by its replay and
// ten frames of level 5, and Escape. Returns the sound log.
std::vector<std::string> pelaaValikkoJaKentta(const std::string& asetukset) {
    if (!asetukset.empty()) kirjoitaTiedostoTestissa("asetukset.conf", asetukset);
    const std::vector<Syote> reitti = reitinSyotteet(6);
    EXPECT_FALSE(reitti.empty());
    long piirretty = 0;
    syote::asetaLahde(
        [&] { return piirretty < static_cast<long>(reitti.size()) ? reitti[piirretty] : Syote{}; });
    Ajo ajo;
    ajo.kun(Nakyma::Valikko, {nappain(SDLK_DOWN), nappain(SDLK_UP)})
        .kun(Nakyma::Valikko, {nappain(SDLK_RETURN)})
        .kun(Nakyma::Alkudemo, {nappain(SDLK_ESCAPE)})
        .joka(Nakyma::Peli, [&](long k) {
            piirretty = k;
            if (k == static_cast<long>(reitti.size()) + 10) {
                SDL_Event e = nappain(SDLK_ESCAPE);
                SDL_PushEvent(&e);
            }
        });
    EXPECT_EQ(ajo.aja(), 0);
    EXPECT_FALSE(ajo.karannut);
    syote::asetaLahde({});
    return ajo.loki;
}

std::string kanava(const std::string& rivi) { return rivi.substr(rivi.rfind("kanava ")); }

bool alkaa(const std::string& rivi, const std::string& alku) {
    return rivi.compare(0, alku.size(), alku) == 0;
}

int startteja(const std::vector<std::string>& loki, const std::string& tiedosto) {
    int n = 0;
    for (const auto& r : loki) n += alkaa(r, "soita " + tiedosto + " ");
    return n;
}

std::string lokiTekstina(const std::vector<std::string>& loki) {
    std::string teksti;
    for (const auto& r : loki) teksti += "\n  " + r;
    return teksti;
}

}  // namespace

// Menu: the start sound and the move sounds share one channel and each cuts
// the one before; the menu music loops at full volume until the game music
// replaces it. Game: every jump starts at 0.4 on the jump channel, the one
// level change plays its sound at 1.0, and nothing else is stopped.
TEST(Aaniroolit, ValikonJaPelinAanetRooleittain) {
    TestiHakemisto hakemisto;
    const std::vector<std::string> loki = pelaaValikkoJaKentta("musiikki=1\naanet=1\n");
    ASSERT_GE(loki.size(), 12u) << lokiTekstina(loki);
    const std::string e = " " + kanava(loki[1]), m = " " + kanava(loki[2]);
    const std::vector<std::string> valikko = {
        "toisto " + VALIKKOMUSIIKKI + " -1",
        "soita " + ALKU + e,
        "soita " + VALIKKOMUSIIKKI + m,
        "voimakkuus " + VALIKKOMUSIIKKI + m + " 1.00",
        "pysayta " + ALKU + e,
        "soita " + SIIRTO + e,
        "pysayta " + SIIRTO + e,
        "soita " + SIIRTO + e,
        "pysayta " + VALIKKOMUSIIKKI + m,
        "toisto " + PELIMUSIIKKI + " -1",
    };
    EXPECT_EQ(std::vector<std::string>(loki.begin(), loki.begin() + valikko.size()), valikko)
        << "sound log:" << lokiTekstina(loki);
    EXPECT_TRUE(alkaa(loki[10], "soita " + PELIMUSIIKKI + " ")) << loki[10];
    EXPECT_EQ(loki[11], "voimakkuus " + PELIMUSIIKKI + " " + kanava(loki[10]) + " 1.00");

    int hyppyja = 0, kentanvaihtoja = 0;
    for (size_t i = 12; i < loki.size(); ++i) {
        const std::string& r = loki[i];
        const bool hyppy = alkaa(r, "soita " + HYPPY + " ");
        const bool vaihto = alkaa(r, "soita " + KENTTA + " ");
        hyppyja += hyppy;
        kentanvaihtoja += vaihto;
        if (hyppy || vaihto) {
            ASSERT_LT(i + 1, loki.size());
            const std::string odotettu = "voimakkuus " + (hyppy ? HYPPY : KENTTA) + " " +
                                         kanava(r) + (hyppy ? " 0.40" : " 1.00");
            EXPECT_EQ(loki[i + 1], odotettu) << "after " << r;
        } else if (alkaa(r, "soita ") || alkaa(r, "pysayta ")) {
            EXPECT_TRUE(alkaa(r, "pysayta " + HYPPY + " ")) << "unexpected in the game: " << r;
        }
    }
    EXPECT_GT(hyppyja, 0) << "the replay of level 6 jumps";
    EXPECT_EQ(kentanvaihtoja, 1) << "one level change, one sound";
}

// A stored value counts as on when its whole part is above zero: music 1.7
// with effects 0.5 plays only the music, music -1 with effects 1 only the
// effects, and no settings file at all plays nothing.
TEST(Aaniroolit, AsetuksetValitsevatMusiikinJaEfektit) {
    struct Tapaus {
        const char* tiedosto;
        bool musiikki, efektit;
    };
    for (const Tapaus& t :
         {Tapaus{"musiikki=1.7\naanet=0.5\n", true, false},
          Tapaus{"musiikki=-1\naanet=1\n", false, true}, Tapaus{"", false, false}}) {
        SCOPED_TRACE(std::string("asetukset.conf: ") + t.tiedosto);
        TestiHakemisto hakemisto;
        const std::vector<std::string> loki = pelaaValikkoJaKentta(t.tiedosto);
        const int musiikkia = startteja(loki, VALIKKOMUSIIKKI) + startteja(loki, PELIMUSIIKKI);
        const int efekteja = startteja(loki, ALKU) + startteja(loki, SIIRTO) +
                             startteja(loki, HYPPY) + startteja(loki, KENTTA);
        EXPECT_EQ(musiikkia, t.musiikki ? 2 : 0) << lokiTekstina(loki);
        EXPECT_EQ(efekteja > 0, t.efektit) << lokiTekstina(loki);
        if (t.efektit) {
            EXPECT_EQ(startteja(loki, KENTTA), 1);
        }
        if (!*t.tiedosto) {
            EXPECT_FALSE(onkoTiedostoa("asetukset.conf")) << "reading the settings wrote a file";
        }
    }
}
