// The frame observer sees every frame, paced or driven by a test hook, and
// goes away when an empty function replaces it.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "kehys.h"

namespace {

using Nahty = std::pair<Nakyma, long>;

}  // namespace

TEST(KehysTarkkailija, NakeeJokaisenKehyksenEnnenKoukkuaJaPoistuu) {
    std::vector<Nahty> tarkkailijan, koukun;
    std::string jarjestys;
    kehys::asetaTarkkailija([&](Nakyma n, long k) {
        tarkkailijan.emplace_back(n, k);
        jarjestys += 't';
    });
    kehys::asetaTestikoukku([&](Nakyma n, long k) {
        koukun.emplace_back(n, k);
        jarjestys += 'k';
    });
    for (int i = 0; i < 5; ++i) vaihdaKehys(nullptr, i < 3 ? Nakyma::Valikko : Nakyma::Peli);
    EXPECT_EQ(tarkkailijan, koukun);
    ASSERT_EQ(tarkkailijan.size(), 5u);
    EXPECT_EQ(tarkkailijan[2], Nahty(Nakyma::Valikko, 3));
    EXPECT_EQ(tarkkailijan[3], Nahty(Nakyma::Peli, 4));
    // The observer runs first, so it sees the frame before a hook scripts the next.
    EXPECT_EQ(jarjestys, "tktktktktk");

    kehys::asetaTarkkailija({});
    vaihdaKehys(nullptr, Nakyma::Peli);
    EXPECT_EQ(tarkkailijan.size(), 5u) << "a removed observer must not be called";
    EXPECT_EQ(koukun.size(), 6u);
    kehys::asetaTestikoukku({});
}

// With no hook the frames are paced as usual, and the observer still sees
// each one with the running count.
TEST(KehysTarkkailija, NakeeMyosTahdistetutKehykset) {
    kehys::asetaTestikoukku({});
    const long ennen = kehys::kehyksia();
    std::vector<Nahty> nahdyt;
    kehys::asetaTarkkailija([&](Nakyma n, long k) { nahdyt.emplace_back(n, k); });
    for (int i = 0; i < 3; ++i) vaihdaKehys(nullptr, Nakyma::Nimi);
    kehys::asetaTarkkailija({});
    ASSERT_EQ(nahdyt.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(nahdyt[i], Nahty(Nakyma::Nimi, ennen + 1 + i));
    EXPECT_EQ(kehys::kehyksia(), ennen + 3);
}
