#include "tiedosto.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string_view>
#include <vector>

#include "hiscores.h"
#include "testiapu.h"

using namespace std::string_literals;

TEST(Tekstitila, RivinvaihdotTallentuvatParinaJaLukeutuvatTakaisin) {
    const std::string raaka =
        "a\nb\r\nc\rd\x1a"
        "e\n"s;
    const std::string tallennettu = tekstitila::tallennusmuotoon(raaka);
    EXPECT_EQ(tallennettu,
              "a\r\nb\r\r\nc\rd\x1a"
              "e\r\n"s);
    EXPECT_EQ(tekstitila::lukumuotoon(tallennettu), raaka);
}

TEST(Tekstitila, LukuKaantaaVainParinJaPitaaYksinaisetTavut) {
    EXPECT_EQ(tekstitila::lukumuotoon("\r\r\n\n\r"s), "\r\n\n\r"s);
    // 0x1A is read as an ordinary byte, also in the middle of data.
    EXPECT_EQ(tekstitila::lukumuotoon("x\x1a\x00y"s), "x\x1a\x00y"s);
}

// Reading line by line without a copy gives the lines of the read form.
TEST(Tekstitila, RiviKerrallaanSamatRivitKuinLukumuodosta) {
    const std::string tallennettu = "a\r\nb\r\r\n\r\n\nc\rd\r\x1a\r\r"s;
    std::vector<std::string> odotetut;
    const std::string lukumuoto = tekstitila::lukumuotoon(tallennettu);
    for (std::string_view loput = lukumuoto; !loput.empty();) {
        const size_t loppu = loput.find('\n');
        odotetut.emplace_back(loput.substr(0, loppu));
        loput = loppu == std::string_view::npos ? std::string_view() : loput.substr(loppu + 1);
    }
    std::vector<std::string> rivit;
    for (std::string_view loput = tallennettu; !loput.empty();)
        rivit.emplace_back(tekstitila::otaRivi(loput));
    EXPECT_EQ(rivit, odotetut);
    EXPECT_EQ(rivit, (std::vector<std::string>{"a", "b\r", "", "", "c\rd\r\x1a\r\r"}));
}

TEST(Tiedosto, TallennusKorvaaSisallonEikaJataValiaikaistiedostoja) {
    TestiHakemisto hakemisto;
    ASSERT_TRUE(tiedosto::tallenna("t.dat", "vanha"));
    ASSERT_TRUE(tiedosto::tallenna("t.dat", "uusi\0sisalto"s));
    EXPECT_EQ(*tiedosto::lue("t.dat", 100), "uusi\0sisalto"s);
    int tiedostoja = 0;
    for (auto& e : std::filesystem::directory_iterator(".")) tiedostoja += e.is_regular_file();
    EXPECT_EQ(tiedostoja, 1);
    struct stat tila;
    ASSERT_EQ(stat("t.dat", &tila), 0);
    EXPECT_NE(tila.st_mode & S_IRGRP, 0u) << "saved files are not left private";
}

TEST(Tiedosto, EpaonnistunutTallennusJattaaVanhanTiedoston) {
    TestiHakemisto hakemisto;
    ASSERT_TRUE(tiedosto::tallenna("t.dat", "vanha"));
    EXPECT_FALSE(tiedosto::tallenna("puuttuva/t.dat", "x"));
    std::filesystem::create_directory("hakemisto");
    EXPECT_FALSE(tiedosto::tallenna("hakemisto", "x"));
    EXPECT_TRUE(std::filesystem::is_directory("hakemisto"));
    EXPECT_EQ(*tiedosto::lue("t.dat", 100), "vanha");
}

// Missing reads as empty; anything there that cannot be read is told apart,
// with the reason, and the cap is exact.
TEST(Tiedosto, PuuttuvaOnEriAsiaKuinLukukelvoton) {
    TestiHakemisto hakemisto;
    EXPECT_EQ(tiedosto::lueRajattu("ei_ole", 100).tila, tiedosto::Tila::Puuttuu);
    EXPECT_FALSE(tiedosto::lue("ei_ole", 100).has_value());
    kirjoitaTiedostoTestissa("tyhja", "");
    EXPECT_EQ(tiedosto::lue("tyhja", 100), std::optional<std::string>(""));
    kirjoitaTiedostoTestissa("sata", std::string(100, 'x'));
    EXPECT_EQ(tiedosto::lueRajattu("sata", 100).tila, tiedosto::Tila::Luettu);
    const tiedosto::Luku yli = tiedosto::lueRajattu("sata", 99);
    EXPECT_EQ(yli.tila, tiedosto::Tila::Lukukelvoton);
    EXPECT_TRUE(yli.tavut.empty());
    EXPECT_EQ(yli.syy, "suurempi kuin 99 tavua");
    std::filesystem::create_directory("kansio");
    EXPECT_EQ(tiedosto::lueRajattu("kansio", 100).syy, "ei tavallinen tiedosto");
    std::filesystem::create_symlink("ei_ole", "katkennut_linkki");
    EXPECT_EQ(tiedosto::lueRajattu("katkennut_linkki", 100).tila, tiedosto::Tila::Puuttuu);
}

// A killed save leaves its temporary file; the next save of the same file
// removes it, but not one that a live save still holds, nor the player's
// own files that merely look alike.
TEST(Tiedosto, TallennusPoistaaTapettujenTallennustenJaanteet) {
    TestiHakemisto hakemisto;
    for (const char* nimi :
         {".t.dat.kesken.Ab12Cd", ".t.dat.kesken.elossa", ".t.dat.kesken.pitkaa1",
          "t.dat.kesken.Ab12Cd", ".u.dat.kesken.Ab12Cd"})
        kirjoitaTiedostoTestissa(nimi, "x");
    const int elossa = open(".t.dat.kesken.elossa", O_RDONLY);
    ASSERT_GE(elossa, 0);
    ASSERT_EQ(flock(elossa, LOCK_EX), 0);
    ASSERT_TRUE(tiedosto::tallenna("t.dat", "uusi"));
    close(elossa);
    std::set<std::string> jaljella;
    for (auto& e : std::filesystem::directory_iterator(".")) jaljella.insert(e.path().filename());
    EXPECT_EQ(jaljella, (std::set<std::string>{"levels", "media", "t.dat", ".t.dat.kesken.elossa",
                                               ".t.dat.kesken.pitkaa1", "t.dat.kesken.Ab12Cd",
                                               ".u.dat.kesken.Ab12Cd"}));
}

// A save waits for another holder of the lock for a second at most, then
// refuses and says why.
TEST(Tiedosto, VarattuLukkoEstaaTallennuksen) {
    TestiHakemisto hakemisto;
    kirjoitaTiedostoTestissa("hiscore.dat", hiscore::tavuiksi({{"Vanha", 1}}));
    const tiedosto::Lukko toinen("hiscore.dat");
    ASSERT_FALSE(toinen.varattu());
    const LapsenLoppu loppu = ajaLapsena([] { return hiscore().lisaaJaTallenna({"Uusi", 2}); });
    EXPECT_EQ(loppu.tila, 0) << "the save went through past a held lock";
    EXPECT_NE(loppu.tuloste.find("toinen tallennus on kesken"), std::string::npos) << loppu.tuloste;
    EXPECT_EQ(hiscore().haeTulokset().size(), 1u);
}
