// Hostile files in place of each file the game reads and writes, saves that
// meet links, permissions, full disks and each other, and the quit event in
// every screen. Each case runs in a child process through the game's own
// code, so a crash, a hang or a runaway allocation is reported as such and
// cannot take the test run with it.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "aani.h"
#include "asetukset.h"
#include "config_file.h"
#include "hiscores.h"
#include "kartta.h"
#include "kehys.h"
#include "kokopeli.h"
#include "loppudemo.h"
#include "ohjelma.h"
#include "tarinatesti.h"
#include "testiapu.h"
#include "tiedosto.h"

namespace fs = std::filesystem;

namespace {

constexpr off_t TERATAVU = off_t{1} << 40;
constexpr off_t GIGATAVU = off_t{1} << 30;
constexpr int LUVUN_ODOTUS_S = 10;  // a read still running after this has hung

// The honest contents of each file the tests spoil.
const std::string ASETUKSET = "kieli=suomi\r\nmusiikki=1\r\nzeta=x\r\n";
const std::string TULOKSET = hiscore::tavuiksi({{"Vanha", 500}, {"Toinen", 700}});
// One block: x 3, y 20, type 4, flag 1, not the start.
const std::string KENTTA("\x03\0\0\0\x14\0\0\0\x04\0\0\0\x01\0\0\0\0", 17);

void harva(const std::string& polku, const std::string& sisalto, off_t koko) {
    kirjoitaTiedostoTestissa(polku, sisalto);
    ASSERT_EQ(truncate(polku.c_str(), koko), 0);
}

// One hostile kind of file, made at a path from the honest contents and the
// reader's cap.
struct Laji {
    const char* nimi;
    std::function<void(const std::string&, const std::string&, size_t)> tee;
};

const std::vector<Laji>& lajit() {
    static const std::vector<Laji> kaikki = {
        {"sparse 1 TiB", [](auto& p, auto& s, size_t) { harva(p, s, TERATAVU); }},
        {"FIFO", [](auto& p, auto&, size_t) { ASSERT_EQ(mkfifo(p.c_str(), 0644), 0); }},
        {"directory", [](auto& p, auto&, size_t) { fs::create_directory(p); }},
        {"link to /dev/zero", [](auto& p, auto&, size_t) { fs::create_symlink("/dev/zero", p); }},
        {"cap + 1 byte", [](auto& p, auto& s, size_t e) { harva(p, s, off_t(e) + 1); }},
        {"cap + 1 GiB", [](auto& p, auto& s, size_t e) { harva(p, s, off_t(e) + GIGATAVU); }},
    };
    return kaikki;
}

// Each reader of the game, fed as the game feeds it; returns 1 when the file
// gave something, 0 when it read as empty.
struct Lukija {
    const char* nimi;
    std::string sisalto;
    size_t enintaan;
    std::function<int(const std::string&)> lue;
};

std::vector<Lukija> lukijat() {
    return {
        {"settings", ASETUKSET, tiedosto::ASETUSTEN_ENINTAAN,
         [](auto& p) { return config_file(p).onko("musiikki") ? 1 : 0; }},
        {"high scores", TULOKSET, tiedosto::TULOSTEN_ENINTAAN,
         [](auto& p) { return hiscore(p).haeTulokset().empty() ? 0 : 1; }},
        {"level", KENTTA, tiedosto::KENTAN_ENINTAAN,
         [](auto& p) {
             Kartta k;
             k.lataaKartta(p);
             return k.haePalat().empty() ? 0 : 1;
         }},
        {"sound", lueTiedostoTestissa(projektinJuuri() + "/tests/data/piippaus_44k_mono.mp3"),
         tiedosto::AANEN_ENINTAAN,
         [](auto& p) {
             AaniJarjestelma aanet;
             aanet.alusta(8);
             return aanet.luoAani(p) ? 1 : 0;
         }},
    };
}

}  // namespace

TEST(Vihamielinen, JokainenLukijaOhittaaTiedostonJotaEiVoiLukea) {
    TestiHakemisto hakemisto;
    for (const Lukija& lukija : lukijat()) {
        kirjoitaTiedostoTestissa("rehellinen", lukija.sisalto);
        const LapsenLoppu rehellinen = ajaLapsena([&] { return lukija.lue("rehellinen"); });
        ASSERT_EQ(rehellinen.tila, 1) << lukija.nimi << ": an honest file gave nothing";
        for (const Laji& laji : lajit()) {
            SCOPED_TRACE(std::string(lukija.nimi) + " file, " + laji.nimi);
            const std::string polku = std::string("vihamielinen-") + lukija.nimi;
            laji.tee(polku, lukija.sisalto, lukija.enintaan);
            const LapsenLoppu loppu = ajaLapsena([&] { return lukija.lue(polku); }, LUVUN_ODOTUS_S);
            EXPECT_FALSE(loppu.jumissa) << "the read hung";
            EXPECT_FALSE(loppu.kaatui) << "the read crashed or ran out of memory";
            EXPECT_EQ(loppu.tila, 0) << "a file that cannot be read was read";
            fs::remove(polku);
        }
    }
}

namespace {

// The whole program with hostile files, in the child: the main menu, the
// game started, the intro left with Escape, 20 frames of the first level and
// Escape. Returns SDL_main's status.
int pelaaAlku() {
    std::vector<Syote> napit(20);
    return pelaaKokoPeli(napit).tila;
}

// Replaces the media/ link with a tree of links to the project's media, so
// single files can be spoiled.
void omaMedia() {
    const fs::path juuri = fs::path(projektinJuuri()) / "media";
    fs::remove("media");
    for (const auto& e : fs::recursive_directory_iterator(juuri)) {
        const fs::path oma = fs::path("media") / fs::relative(e.path(), juuri);
        if (e.is_directory())
            fs::create_directories(oma);
        else
            fs::create_symlink(e.path(), oma);
    }
}

}  // namespace

// Every kind of file the game reads on its way into the first level (the
// settings, the high scores, a level, the language file, a tune, an image and
// a font), spoiled in one way at a time: the game still starts, plays and
// ends with status 0.
TEST(Vihamielinen, PeliKayntyyJaPelaaKunJokainenTiedostoOnPilalla) {
    struct Tiedosto {
        std::string polku, sisalto;
        size_t enintaan;
    };
    const std::vector<Tiedosto> tiedostot = {
        {ASETUSTIEDOSTO, ASETUKSET, tiedosto::ASETUSTEN_ENINTAAN},
        {"hiscore.dat", TULOKSET, tiedosto::TULOSTEN_ENINTAAN},
        {"levels/level6.map", KENTTA, tiedosto::KENTAN_ENINTAAN},
        {"media/language/suomi.txt", "Aloita_peli=Aloita\r\n", tiedosto::ASETUSTEN_ENINTAAN},
        {"media/music/valikko.mp3",
         lueTiedostoTestissa(projektinJuuri() + "/tests/data/piippaus_44k_mono.mp3"),
         tiedosto::AANEN_ENINTAAN},
        {"media/images/valikko_tausta.png",
         lueTiedostoTestissa(projektinJuuri() + "/media/images/valikko_tausta.png"),
         tiedosto::KUVAN_ENINTAAN},
        {"media/fonts/normaali.ttf",
         lueTiedostoTestissa(projektinJuuri() + "/media/fonts/normaali.ttf"),
         tiedosto::FONTIN_ENINTAAN},
    };
    for (const Laji& laji : lajit()) {
        SCOPED_TRACE(laji.nimi);
        TestiHakemisto hakemisto;
        omaMedia();
        fs::remove("levels");
        fs::create_directory("levels");
        for (const Tiedosto& t : tiedostot) {
            fs::remove(t.polku);
            laji.tee(t.polku, t.sisalto, t.enintaan);
        }
        const LapsenLoppu loppu = ajaLapsena(pelaaAlku);
        EXPECT_FALSE(loppu.jumissa) << "the game hung";
        EXPECT_FALSE(loppu.kaatui) << "the game crashed";
        EXPECT_EQ(loppu.tila, 0);
    }
}

namespace {

// The ending as the player meets it, in a child: the story left with Escape,
// `nimi` typed and stored with Return (after `ennenReturnia`). When the entry
// stays open (the save failed) the next frame tells whether the message is
// on the screen under the hint, "viesti 1", and Escape leaves.
int kirjoitaNimi(const std::string& nimi, const std::function<void()>& ennenReturnia = {}) {
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || TTF_Init() < 0) return 2;
    SDL_Surface* ruutu = SDL_SetVideoMode(1024, 768, 32, SDL_SWSURFACE);
    if (!ruutu) return 2;
    long tarinakehyksia = 0, nimikehyksia = 0;
    kehys::asetaTestikoukku([&](Nakyma n, long) {
        if (n == Nakyma::Loppudemo) {
            if (++tarinakehyksia == 1) paina(SDLK_ESCAPE, 27);
        } else if (++nimikehyksia == 1) {
            for (char c : nimi) paina(static_cast<SDLKey>(c | 0x20), static_cast<Uint16>(c));
            if (ennenReturnia) ennenReturnia();
            paina(SDLK_RETURN, '\r');
        } else {
            std::cout << "viesti " << (kirkkaita(ruutu, 300, 560, 1024, 660) > 0) << std::endl;
            paina(SDLK_ESCAPE, 27);
        }
    });
    {
        loppudemo loppu;
        loppu.lataa();
        loppu.aloita(ruutu, {{0, 6, 0}});  // a total of 600
    }
    kehys::asetaTestikoukku({});
    TTF_Quit();
    SDL_Quit();
    return 0;
}

std::vector<std::string> nimet(const std::vector<score>& tulokset) {
    std::vector<std::string> n;
    for (const score& s : tulokset) n.push_back(s.nimi);
    return n;
}

// One of the game's two savers: what it saves over, how it is run in the
// child, and whether a file holds its save with every old key or entry.
struct Tallentaja {
    const char* tiedosto;
    std::string sisalto;
    size_t enintaan;
    std::function<int()> tallenna;
    std::function<bool(const std::string& tavut)> tallentui;
};

std::vector<Tallentaja> tallentajat() {
    return {
        {ASETUSTIEDOSTO, ASETUKSET, tiedosto::ASETUSTEN_ENINTAAN,
         [] {
             tallennaAsetukset(false, true, false);
             return 0;
         },
         [](const std::string& t) {
             return t == "aanet=1\r\nkieli=suomi\r\nkokoruututila=0\r\nmusiikki=0\r\nzeta=x\r\n";
         }},
        {"hiscore.dat", TULOKSET, tiedosto::TULOSTEN_ENINTAAN, [] { return kirjoitaNimi("Uusi"); },
         [](const std::string& t) {
             return nimet(hiscore::lueTavuista(t)) ==
                    std::vector<std::string>{"Vanha", "Uusi", "Toinen"};
         }},
    };
}

// What a path is: its kind and permission bits, its size, where it links to
// and a digest of its first bytes. A save that is refused must leave all of it alone.
std::string kuvaus(const std::string& polku) {
    struct stat t;
    if (lstat(polku.c_str(), &t) != 0) return "missing";
    std::ostringstream s;
    s << std::oct << t.st_mode << std::dec << ' ' << t.st_size;
    if (S_ISLNK(t.st_mode)) s << " -> " << fs::read_symlink(polku).string();
    if (S_ISREG(t.st_mode)) {
        std::ifstream f(polku, std::ios::binary);
        std::string alku(4096, '\0');
        f.read(alku.data(), static_cast<std::streamsize>(alku.size()));
        s << " bytes " << std::hex << std::hash<std::string>{}(alku.substr(0, f.gcount()));
    }
    return s.str();
}

int keskeneraisia() {
    int n = 0;
    for (const auto& e : fs::directory_iterator("."))
        n += e.path().filename().string().find(".kesken.") != std::string::npos;
    return n;
}

struct Tapaus {
    const char* nimi;
    bool tallentuu = false;       // the save goes through
    bool ilmanOikeuksia = false;  // the saver runs as an unprivileged user
    bool taysiLevy = false;       // the directory is a tiny disk, full
    std::function<void(const Tallentaja&)> valmistele;
};

void kirjoitaVanha(const Tallentaja& t) { kirjoitaTiedostoTestissa(t.tiedosto, t.sisalto); }

std::vector<Tapaus> tapaukset() {
    std::vector<Tapaus> kaikki = {
        {"write-protected", false, false, false,
         [](const Tallentaja& t) {
             kirjoitaVanha(t);
             chmod(t.tiedosto, 0444);
         }},
        {"unreadable to the player", false, true, false,
         [](const Tallentaja& t) {
             kirjoitaVanha(t);
             chmod(t.tiedosto, geteuid() == 0 ? 0600 : 0);
             if (geteuid() == 0) {
                 ASSERT_EQ(chown(".", 65534, 65534), 0);
             }
         }},
        {"read-only directory", false, true, false,
         [](const Tallentaja& t) {
             kirjoitaVanha(t);
             chmod(".", 0555);
         }},
        {"full disk", false, false, true, [](const Tallentaja& t) { kirjoitaVanha(t); }},
    };
    for (const Laji& laji : lajit())
        kaikki.push_back({laji.nimi, false, false, false, [laji](const Tallentaja& t) {
                              laji.tee(t.tiedosto, t.sisalto, t.enintaan);
                          }});
    return kaikki;
}

// A tiny disk over the case's directory, filled to the last block. Mounts
// need root; the test process gets its own mount table, so nothing shows
// outside it and nothing is left behind.
bool taytaLevy(const std::string& hakemisto) {
    static const bool omaNimiavaruus =
        unshare(CLONE_NEWNS) == 0 &&
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return omaNimiavaruus && mount("tmpfs", hakemisto.c_str(), "tmpfs", 0, "size=64k") == 0;
}

void taytaLoppuun() {
    FILE* f = std::fopen("tayte", "wb");
    const std::string lohko(4096, 'x');
    while (f && std::fwrite(lohko.data(), 1, lohko.size(), f) == lohko.size() &&
           std::fflush(f) == 0) {
    }
    if (f) std::fclose(f);
}

void ajaTapaus(const Tapaus& tapaus, const Tallentaja& tallentaja) {
    fs::create_directory("tapaus");
    if (tapaus.taysiLevy && !taytaLevy("tapaus")) {
        std::cout << "[ skipped ] full disk: mounting a tmpfs needs root\n";
        fs::remove_all("tapaus");
        return;
    }
    chmod("tapaus", 0777);
    fs::current_path("tapaus");
    // The unprivileged saver gets its own copy of the media: the checkout
    // may lie where only its owner can look (a private temporary directory),
    // and without the fonts the name entry could show no message at all.
    const fs::path media = fs::path(projektinJuuri()) / "media";
    if (tapaus.ilmanOikeuksia)
        fs::copy(media, "media", fs::copy_options::recursive);
    else
        fs::create_directory_symlink(media, "media");
    tapaus.valmistele(tallentaja);
    if (tapaus.taysiLevy) taytaLoppuun();
    const std::string ennen = kuvaus(tallentaja.tiedosto);
    const LapsenLoppu loppu = ajaLapsena([&] {
        if (tapaus.ilmanOikeuksia && !pudotaOikeudet()) return 3;
        return tallentaja.tallenna();
    });
    EXPECT_FALSE(loppu.jumissa) << "the save hung";
    EXPECT_FALSE(loppu.kaatui) << "the save crashed";
    EXPECT_EQ(loppu.tila, 0);
    EXPECT_EQ(keskeneraisia(), 0) << "a temporary file was left behind";
    if (tapaus.tallentuu) {
        EXPECT_TRUE(tallentaja.tallentui(lueTiedostoTestissa(tallentaja.tiedosto)))
            << "the save did not store, or lost an old key or entry";
    } else {
        EXPECT_EQ(kuvaus(tallentaja.tiedosto), ennen) << "a file that must be left alone changed";
        EXPECT_NE(loppu.tuloste.find("ei voitu tallentaa"), std::string::npos)
            << "the failed save was not reported on standard output";
        if (tallentaja.tiedosto == std::string("hiscore.dat")) {
            EXPECT_NE(loppu.tuloste.find("viesti 1"), std::string::npos)
                << "the name entry did not show that the score was not stored";
        }
    }
    fs::current_path("..");
    if (tapaus.taysiLevy) umount("tapaus");
    chmod("tapaus", 0777);
    fs::remove_all("tapaus");
}

}  // namespace

TEST(Vihamielinen, TallennusPitaaPelaajanTiedostonTaiKieltaytyyJaKertoo) {
    TestiHakemisto hakemisto;
    chmod(".", 0755);  // the unprivileged saver must reach its directory
    for (const Tallentaja& tallentaja : tallentajat()) {
        for (const Tapaus& tapaus : tapaukset()) {
            SCOPED_TRACE(std::string(tallentaja.tiedosto) + ", " + tapaus.nimi);
            ajaTapaus(tapaus, tallentaja);
        }
    }
}

TEST(Vihamielinen, TallennusSailyttaaLinkinJaOikeudet) {
    TestiHakemisto hakemisto;
    for (const Tallentaja& tallentaja : tallentajat()) {
        SCOPED_TRACE(tallentaja.tiedosto);
        fs::create_directory("data");
        kirjoitaTiedostoTestissa("data/kohde", tallentaja.sisalto);
        chmod("data/kohde", 0600);
        fs::create_symlink("data/kohde", tallentaja.tiedosto);
        const LapsenLoppu loppu = ajaLapsena(tallentaja.tallenna);
        EXPECT_EQ(loppu.tila, 0);
        EXPECT_EQ(loppu.tuloste.find("ei voitu tallentaa"), std::string::npos) << loppu.tuloste;
        EXPECT_TRUE(fs::is_symlink(tallentaja.tiedosto)) << "the link was replaced by a file";
        EXPECT_TRUE(tallentaja.tallentui(lueTiedostoTestissa("data/kohde")))
            << "the link's target did not get the save";
        struct stat t;
        ASSERT_EQ(stat("data/kohde", &t), 0);
        EXPECT_EQ(t.st_mode & 0777, 0600u) << "the saved file's permissions changed";
        fs::remove(tallentaja.tiedosto);
        fs::remove_all("data");
    }
}

// Two games reach Return at the same moment: both entries are stored.
TEST(Vihamielinen, KaksiSamanaikaistaTallennustaSailyttavatMolemmat) {
    TestiHakemisto hakemisto;
    kirjoitaTiedostoTestissa("hiscore.dat", TULOKSET);
    int valmis[2], lahto[2];
    ASSERT_EQ(pipe(valmis), 0);
    ASSERT_EQ(pipe(lahto), 0);
    std::vector<pid_t> lapset;
    for (const char* nimi : {"Aa", "Bee"}) {
        const pid_t lapsi = fork();
        ASSERT_GE(lapsi, 0);
        if (lapsi == 0) {
            alarm(60);  // a broken start ends the child instead of the test
            // Each says it is ready and waits for the common start before Return.
            _exit(kirjoitaNimi(nimi, [&] {
                char c = 'v';
                if (write(valmis[1], &c, 1) != 1 || read(lahto[0], &c, 1) != 1) _exit(4);
            }));
        }
        lapset.push_back(lapsi);
    }
    char c;
    for (int i = 0; i < 2; ++i) ASSERT_EQ(read(valmis[0], &c, 1), 1);
    ASSERT_EQ(write(lahto[1], "xx", 2), 2);
    for (pid_t lapsi : lapset) {
        int tila = 0;
        ASSERT_EQ(waitpid(lapsi, &tila, 0), lapsi);
        EXPECT_TRUE(WIFEXITED(tila) && WEXITSTATUS(tila) == 0);
    }
    std::vector<std::string> tallennetut = nimet(hiscore().haeTulokset());
    std::sort(tallennetut.begin(), tallennetut.end());
    EXPECT_EQ(tallennetut, (std::vector<std::string>{"Aa", "Bee", "Toinen", "Vanha"}));
}

// Closing the window ends the program from every screen with status 0, and
// nothing of an unfinished game is stored.
TEST(Vihamielinen, SulkeminenLopettaaJokaisestaNakymasta) {
    for (Nakyma missa :
         {Nakyma::Valikko, Nakyma::Alkudemo, Nakyma::Peli, Nakyma::Loppudemo, Nakyma::Nimi}) {
        SCOPED_TRACE("closed in screen " + std::to_string(static_cast<int>(missa)));
        TestiHakemisto hakemisto;
        const std::vector<Syote> syotteet = kaikkiSyotteet();
        ASSERT_FALSE(syotteet.empty());
        const KokoPelinAjo ajo =
            pelaaKokoPeli(syotteet, "Testi", {}, Ohjaus::Nappaimisto,
                          [missa](Nakyma n, long k) { return n == missa && k == 1; });
        EXPECT_EQ(ajo.tila, 0);
        EXPECT_FALSE(ajo.karannut);
        for (const auto& [nakyma, kehyksia] : ajo.kehyksia) {
            if (nakyma > missa) {
                EXPECT_EQ(kehyksia, 0)
                    << "screen " << static_cast<int>(nakyma) << " ran after the window was closed";
            }
        }
        EXPECT_EQ(ajo.kehyksia.at(missa), 2) << "the pass that takes the quit still draws";
        EXPECT_FALSE(onkoTiedostoa("hiscore.dat"));
    }
}
