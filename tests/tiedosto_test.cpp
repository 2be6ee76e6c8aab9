#include "tiedosto.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

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

TEST(Tiedosto, TallennusKorvaaSisallonEikaJataValiaikaistiedostoja) {
    TestiHakemisto hakemisto;
    ASSERT_TRUE(tiedosto::tallenna("t.dat", "vanha"));
    ASSERT_TRUE(tiedosto::tallenna("t.dat", "uusi\0sisalto"s));
    EXPECT_EQ(*tiedosto::lue("t.dat"), "uusi\0sisalto"s);
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
    EXPECT_EQ(*tiedosto::lue("t.dat"), "vanha");
}

TEST(Tiedosto, PuuttuvaTaiHakemistoEiOleLuettavissa) {
    TestiHakemisto hakemisto;
    EXPECT_FALSE(tiedosto::lue("ei_ole").has_value());
    std::filesystem::create_directory("kansio");
    EXPECT_FALSE(tiedosto::lue("kansio").has_value());
    kirjoitaTiedostoTestissa("tyhja", "");
    EXPECT_EQ(tiedosto::lue("tyhja"), std::optional<std::string>(""));
}
