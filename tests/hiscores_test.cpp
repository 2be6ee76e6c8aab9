#include "hiscores.h"

#include <gtest/gtest.h>

#include "testiapu.h"

using namespace std::string_literals;

namespace {
std::vector<score> lista(std::initializer_list<std::pair<const char*, int32_t>> rivit) {
    std::vector<score> tulos;
    for (auto& [nimi, arvo] : rivit) tulos.push_back({nimi, arvo});
    return tulos;
}
std::vector<std::string> nimet(const std::vector<score>& tulokset) {
    std::vector<std::string> n;
    for (auto& s : tulokset) n.push_back(s.nimi);
    return n;
}
}  // namespace

TEST(Hiscore, TavumuotoVastaaTiedostoa) {
    EXPECT_EQ(hiscore::tavuiksi(lista({{"abc", 5}})), "abc\0\x05\0\0\0"s);
    EXPECT_EQ(hiscore::tavuiksi(lista({{"abc", 10}})), "abc\0\r\n\0\0\0"s);
    EXPECT_EQ(hiscore::tavuiksi(lista({{"", -2}})), "\0\xfe\xff\xff\xff"s);
}

TEST(Hiscore, KirjoitettuLukeutuuTakaisinSamana) {
    // 10 and 0x0D0A need the line-end translation; 26 (0x1A) used to end reading.
    auto alkuperainen = lista({{"abc", 10}, {"", 26}, {"Zz9", 0x0D0A0A0D}, {"x", -1}, {"y", 6656}});
    auto luettu = hiscore::lueTavuista(hiscore::tavuiksi(alkuperainen));
    ASSERT_EQ(luettu.size(), alkuperainen.size());
    for (size_t i = 0; i < luettu.size(); ++i) {
        EXPECT_EQ(luettu[i].nimi, alkuperainen[i].nimi);
        EXPECT_EQ(luettu[i].tulos, alkuperainen[i].tulos);
    }
}

TEST(Hiscore, KeskenLoppuvaMerkintaJaaPois) {
    EXPECT_TRUE(hiscore::lueTavuista("").empty());
    EXPECT_TRUE(hiscore::lueTavuista("nimi ilman loppua").empty());
    auto luettu = hiscore::lueTavuista("a\0\x01\0\0\0bb\0\x02\0"s);
    ASSERT_EQ(luettu.size(), 1u);
    EXPECT_EQ(luettu[0].nimi, "a");
    EXPECT_EQ(luettu[0].tulos, 1);
}

TEST(Hiscore, TiedostoSailyttaaYhdeksanEnsimmaista) {
    TestiHakemisto hakemisto;
    hiscore h;
    EXPECT_TRUE(h.haeTulokset().empty());
    kirjoitaTiedostoTestissa("hiscore.dat", "");
    EXPECT_TRUE(h.haeTulokset().empty());

    std::vector<score> kaksitoista;
    for (int i = 0; i < 12; ++i) kaksitoista.push_back({"n" + std::to_string(i), i});
    h.tallennaTulokset(kaksitoista);
    auto luettu = hiscore().haeTulokset();
    ASSERT_EQ(luettu.size(), 9u);
    EXPECT_EQ(luettu.back().nimi, "n8");
}

TEST(Hiscore, TasatuloksetPysyvatJarjestyksessa) {
    auto tulokset = lista({{"A", 30}, {"B", 20}, {"C", 30}});
    lisaaTulos(tulokset, {"D", 20});
    EXPECT_EQ(nimet(tulokset), (std::vector<std::string>{"B", "D", "A", "C"}));

    std::vector<score> seitsemat(9, score{"vanha", 7});
    lisaaTulos(seitsemat, {"uusi", 7});
    EXPECT_EQ(seitsemat.back().nimi, "uusi");
}
