// The installed launcher (dist/hiekkatorni.sh.in, configured the way the
// install configures it) run against a scratch install whose "program" is a
// small script that records where and how it was started.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "asetukset.h"
#include "testiapu.h"

namespace fs = std::filesystem;

namespace {

// What the stand-in program records: its working directory, its arguments,
// the gamepad order asked of sdl12-compat, the settings file it found at its
// start, and that it can write a player's file there.
constexpr const char* OHJELMA =
    "#!/bin/sh\n"
    "pwd -P > kaynnistys\n"
    "echo \"$@\" >> kaynnistys\n"
    "echo \"ohjaimet=${SDL12COMPAT_USE_GAME_CONTROLLERS-}\" >> kaynnistys\n"
    "cp asetukset.conf alussa.conf 2>/dev/null || rm -f alussa.conf\n"
    "echo tulokset > hiscore.dat\n";

std::string korvaa(std::string teksti, const std::string& mika, const std::string& milla) {
    for (size_t i = teksti.find(mika); i != std::string::npos; i = teksti.find(mika, i))
        teksti.replace(i, mika.size(), milla), i += milla.size();
    return teksti;
}

void kirjoitaAjettava(const fs::path& polku, const std::string& sisalto) {
    fs::create_directories(polku.parent_path());
    kirjoitaTiedostoTestissa(polku.string(), sisalto);
    chmod(polku.c_str(), 0755);
}

// A scratch install under `etuliite` with the default GNU directories.
void asenna(const fs::path& etuliite) {
    std::string kaynnistin = lueTiedostoTestissa(projektinJuuri() + "/dist/hiekkatorni.sh.in");
    kaynnistin = korvaa(kaynnistin, "@ETULIITTEESEEN@", "../");
    kaynnistin = korvaa(kaynnistin, "@DATAHAKEMISTO@", "share/hiekkatorni");
    kaynnistin = korvaa(kaynnistin, "@OHJELMA@", "libexec/hiekkatorni/hiekkatorni");
    kirjoitaAjettava(etuliite / "bin/hiekkatorni", kaynnistin);
    kirjoitaAjettava(etuliite / "libexec/hiekkatorni/hiekkatorni", OHJELMA);
    fs::create_directories(etuliite / "share/hiekkatorni/levels");
    fs::create_directories(etuliite / "share/hiekkatorni/media");
    // The default settings the build wrote with the game's own writer.
    fs::copy_file(HIEKKATORNI_OLETUSASETUKSET, etuliite / "share/hiekkatorni/oletusasetukset.conf");
}

// Runs `komento` from / with the given environment prefix; its exit status.
int aja(const std::string& ymparisto, const fs::path& komento, const std::string& argumentit = "") {
    const std::string rivi = "cd / && env -u XDG_DATA_HOME " + ymparisto + " '" + komento.string() +
                             "' " + argumentit + " >/dev/null 2>&1";
    return std::system(rivi.c_str());
}

class Kaynnistin : public ::testing::Test {
  protected:
    TestiHakemisto hakemisto;
    fs::path juuri = fs::canonical(hakemisto.polku());
    fs::path etuliite = juuri / "asennus";
    fs::path koti = juuri / "koti";
    void SetUp() override {
        asenna(etuliite);
        fs::create_directories(koti);
    }
};

}  // namespace

TEST_F(Kaynnistin, AjaaOhjelmanPelaajanHakemistossaJossaDataOnLinkkeina) {
    const fs::path xdg = juuri / "xdg";
    ASSERT_EQ(aja("HOME=" + koti.string() + " XDG_DATA_HOME=" + xdg.string(),
                  etuliite / "bin/hiekkatorni", "yksi kaksi"),
              0);
    const fs::path oma = xdg / "hiekkatorni";
    EXPECT_EQ(lueTiedostoTestissa((oma / "kaynnistys").string()),
              oma.string() + "\nyksi kaksi\nohjaimet=1\n");
    EXPECT_TRUE(onkoTiedostoa((oma / "hiscore.dat").string()));
    EXPECT_FALSE(onkoTiedostoa((etuliite / "share/hiekkatorni/hiscore.dat").string()));
    for (const char* osa : {"levels", "media"}) {
        EXPECT_TRUE(fs::is_symlink(oma / osa)) << osa;
        EXPECT_EQ(fs::canonical(oma / osa), etuliite / "share/hiekkatorni" / osa);
    }
}

// Without XDG_DATA_HOME the directory is the XDG default under HOME, and
// the launcher works when reached through a link (as from /usr/games).
TEST_F(Kaynnistin, OletuksenaKotiJaLinkinKauttaKaynnistys) {
    fs::create_directories(juuri / "games");
    fs::create_symlink(etuliite / "bin/hiekkatorni", juuri / "games/hiekkatorni");
    // A gamepad order the player has chosen is kept.
    ASSERT_EQ(aja("HOME=" + koti.string() + " SDL12COMPAT_USE_GAME_CONTROLLERS=0",
                  juuri / "games/hiekkatorni"),
              0);
    const fs::path oma = koti / ".local/share/hiekkatorni";
    EXPECT_EQ(lueTiedostoTestissa((oma / "kaynnistys").string()),
              oma.string() + "\n\nohjaimet=0\n");
    EXPECT_EQ(fs::canonical(oma / "levels"), etuliite / "share/hiekkatorni/levels");
}

// A moved install repoints the old links; a real directory the player put
// there is kept as it is; the player's files survive.
TEST_F(Kaynnistin, SiirrettyAsennusJaPelaajanOmaHakemisto) {
    const std::string ymparisto = "HOME=" + koti.string();
    ASSERT_EQ(aja(ymparisto, etuliite / "bin/hiekkatorni"), 0);
    const fs::path oma = koti / ".local/share/hiekkatorni";
    kirjoitaTiedostoTestissa((oma / "asetukset.conf").string(), "musiikki=0\n");
    fs::remove(oma / "media");
    fs::create_directories(oma / "media/omat");

    const fs::path uusi = juuri / "uusi";
    fs::rename(etuliite, uusi);
    ASSERT_EQ(aja(ymparisto, uusi / "bin/hiekkatorni"), 0);
    EXPECT_EQ(fs::canonical(oma / "levels"), uusi / "share/hiekkatorni/levels");
    EXPECT_FALSE(fs::is_symlink(oma / "media"));
    EXPECT_TRUE(fs::is_directory(oma / "media/omat"));
    EXPECT_EQ(lueTiedostoTestissa((oma / "asetukset.conf").string()), "musiikki=0\n");
}

// A first start writes the default settings before the game runs, and the
// game reads them as music on, effects on, a window; later starts never
// replace the player's file, whatever it holds.
TEST_F(Kaynnistin, EnsimmainenKaynnistysKirjoittaaOletusasetuksetKerran) {
    const std::string ymparisto = "HOME=" + koti.string();
    ASSERT_EQ(aja(ymparisto, etuliite / "bin/hiekkatorni"), 0);
    const fs::path oma = koti / ".local/share/hiekkatorni";
    const std::string oletus = lueTiedostoTestissa(HIEKKATORNI_OLETUSASETUKSET);
    EXPECT_EQ(lueTiedostoTestissa((oma / "alussa.conf").string()), oletus)
        << "the game did not find the default settings at its start";

    fs::current_path(oma);
    const asetukset luettu = haeAsetukset();
    EXPECT_TRUE(luettu.musiikki);
    EXPECT_TRUE(luettu.aanet);
    EXPECT_FALSE(luettu.kokoruututila);
    tallennaAsetukset(false, true, true);  // the player saves other values
    const std::string tallennettu = lueTiedostoTestissa((oma / ASETUSTIEDOSTO).string());
    ASSERT_NE(tallennettu, oletus);
    fs::current_path(juuri);

    ASSERT_EQ(aja(ymparisto, etuliite / "bin/hiekkatorni"), 0);
    EXPECT_EQ(lueTiedostoTestissa((oma / ASETUSTIEDOSTO).string()), tallennettu);
    // An empty file and a link pointing nowhere are the player's too.
    kirjoitaTiedostoTestissa((oma / ASETUSTIEDOSTO).string(), "");
    ASSERT_EQ(aja(ymparisto, etuliite / "bin/hiekkatorni"), 0);
    EXPECT_EQ(lueTiedostoTestissa((oma / ASETUSTIEDOSTO).string()), "");
    fs::remove(oma / ASETUSTIEDOSTO);
    fs::create_symlink(juuri / "ei-ole", oma / ASETUSTIEDOSTO);
    ASSERT_EQ(aja(ymparisto, etuliite / "bin/hiekkatorni"), 0);
    EXPECT_TRUE(fs::is_symlink(oma / ASETUSTIEDOSTO));
    EXPECT_FALSE(fs::exists(juuri / "ei-ole"));
}

namespace {

// The Exec line of the menu entry that `cmake --install` of this build
// writes under `etuliite`.
std::string asennettuExec(const fs::path& etuliite) {
    const std::string komento = std::string("'") + HIEKKATORNI_CMAKE + "' --install '" +
                                HIEKKATORNI_RAKENNUS + "' --prefix '" + etuliite.string() +
                                "' >/dev/null";
    if (std::system(komento.c_str()) != 0) return "(cmake --install failed)";
    for (const auto& tiedosto : fs::directory_iterator(etuliite / "share/applications")) {
        std::istringstream rivit(lueTiedostoTestissa(tiedosto.path().string()));
        for (std::string rivi; std::getline(rivit, rivi);)
            if (rivi.rfind("Exec=", 0) == 0) return rivi.substr(5);
    }
    return "(no Exec line)";
}

}  // namespace

// The menu entry starts the launcher by its absolute installed path, so an
// install outside PATH (/opt/hiekkatorni) starts from the menu; a path with a
// space is quoted as the desktop entry rules ask.
TEST_F(Kaynnistin, ValikkomerkintaNimeaaAsennetunKaynnistimenPolun) {
    const fs::path opt = juuri / "opt/hiekkatorni";
    EXPECT_EQ(asennettuExec(opt), (opt / "bin/hiekkatorni").string());
    EXPECT_TRUE(fs::exists(opt / "bin/hiekkatorni"));
    const fs::path valilla = juuri / "oma peli";
    EXPECT_EQ(asennettuExec(valilla), "\"" + (valilla / "bin/hiekkatorni").string() + "\"");
}
