#include "reitti.h"

#include <gtest/gtest.h>

#include "pelikehys.h"
#include "testiapu.h"

namespace {

void odotaSamaTila(const Ukko::Tila& a, const Ukko::Tila& b) {
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.nopeusY, b.nopeusY);
    EXPECT_EQ(a.voiHypata, b.voiHypata);
}

Syote napit(bool vasen, bool oikea, bool hyppy) { return Syote{vasen, oikea, hyppy}; }

}  // namespace

// Every shipped level, in play order, through the real map file and the real
// physics: the goal comes on exactly the recorded frame, and each level
// starts from the state in which the one before reached its goal.
TEST(Reitti, JokainenKenttaPaaseeMaaliinTallennetullaKehyksella) {
    TestiHakemisto hakemisto;
    Ukko ukko;
    ukko.lataa(nullptr);
    Ukko::Tila tila = ukko.haeTila();
    for (int kentta = 6; kentta >= 1; --kentta) {
        SCOPED_TRACE("level " + std::to_string(kentta));
        auto r = reitti::lataa(reitti::tiedostonimi(kentta));
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->kentta, kentta);
        odotaSamaTila(r->alku, tila);
        Kartta kartta;
        kartta.lataaKartta("levels/level" + std::to_string(kentta) + ".map");
        ASSERT_GT(kartta.haePalat().size(), 0u);
        ukko.asetaTila(tila);
        size_t maaliKehys = 0;
        for (size_t i = 0; i < r->syotteet.size() && !maaliKehys; ++i)
            if (pelikehys::pelaa(ukko, kartta, r->syotteet[i], nullptr, false)) maaliKehys = i + 1;
        EXPECT_EQ(maaliKehys, r->syotteet.size());
        EXPECT_TRUE(pelikehys::onkoMaalissa(ukko));
        odotaSamaTila(ukko.haeTila(), r->maali);
        tila = ukko.haeTila();
        tila.x = pelikehys::PALUU_X;
        tila.y = pelikehys::PALUU_Y;
    }
}

TEST(Reitti, KentissaOnLattiaAlunJaPaluunAlla) {
    TestiHakemisto hakemisto;
    for (int kentta = 6; kentta >= 1; --kentta) {
        SCOPED_TRACE("level " + std::to_string(kentta));
        Kartta kartta;
        kartta.lataaKartta("levels/level" + std::to_string(kentta) + ".map");
        // Standing still from the start or the restart point lands on the floor
        // in row 33 and stays there; walking right is not blocked at once.
        for (int alkuY : {Ukko::ALKU_Y, pelikehys::PALUU_Y}) {
            Ukko ukko;
            ukko.asetaPaikka(Ukko::ALKU_X, alkuY);
            for (int i = 0; i < 30; ++i) pelikehys::pelaa(ukko, kartta, Syote{}, nullptr, false);
            EXPECT_EQ(ukko.haeY(), 33 * 32 - 101);
            pelikehys::pelaa(ukko, kartta, napit(false, true, false), nullptr, false);
            EXPECT_EQ(ukko.haeX(), Ukko::ALKU_X + 5);
        }
    }
}

TEST(Reitti, TiedostomuotoSailyttaaReitin) {
    Reitti r;
    r.kentta = 4;
    r.alku = {96, 896, 1.0f, true, true};
    r.maali = {2660, 443, -12.5f, false, false};
    r.syotteet = {
        napit(false, true, false), napit(false, true, false), napit(false, true, true), Syote{},
        napit(true, false, true),  napit(true, true, false),  napit(false, false, true)};
    const std::string tavut = reitti::tavuiksi(r);
    EXPECT_NE(tavut.find("\nO 2\nOH 1\n- 1\nVH 1\nVO 1\nH 1\n"), std::string::npos);
    auto luettu = reitti::lueTavuista(tavut);
    ASSERT_TRUE(luettu.has_value());
    EXPECT_EQ(luettu->kentta, 4);
    EXPECT_EQ(luettu->syotteet, r.syotteet);
    odotaSamaTila(luettu->alku, r.alku);
    odotaSamaTila(luettu->maali, r.maali);
    EXPECT_FALSE(luettu->maali.oikealle);
}

TEST(Reitti, VirheellinenTiedostoHylataan) {
    const std::string otsikko =
        "hiekkatorni-reitti 1\nkentta 6\nkehyksia 3\nalku 96 960 0 0 1\nmaali 1 2 1 1 1\n";
    EXPECT_TRUE(reitti::lueTavuista(otsikko + "O 3\n").has_value());
    EXPECT_FALSE(reitti::lueTavuista("").has_value());
    EXPECT_FALSE(reitti::lueTavuista(otsikko + "O 2\n").has_value());             // count differs
    EXPECT_FALSE(reitti::lueTavuista(otsikko + "OV 3\n").has_value());            // letter order
    EXPECT_FALSE(reitti::lueTavuista(otsikko + "X 3\n").has_value());             // unknown keys
    EXPECT_FALSE(reitti::lueTavuista(otsikko + "O 0\nO 3\n").has_value());        // empty run
    EXPECT_FALSE(reitti::lueTavuista(otsikko + "O -1\nO 4\n").has_value());       // negative run
    EXPECT_FALSE(reitti::lueTavuista(otsikko.substr(21) + "O 3\n").has_value());  // no identity
    EXPECT_FALSE(reitti::lueTavuista("hiekkatorni-reitti 2\n").has_value());
    // A run far beyond any play is refused before it is allocated.
    EXPECT_FALSE(reitti::lueTavuista(otsikko + "O 99999999999\n").has_value());
    std::string nan = otsikko;
    nan.replace(nan.find("alku 96 960 0"), 13, "alku 96 960 nan");
    EXPECT_FALSE(reitti::lueTavuista(nan + "O 3\n").has_value());
}
