// The level builder's checks: a bad source is refused with a message that
// names its file and the line at fault; the shipped sources pass them all.
#include "kenttalahde.h"

#include <gtest/gtest.h>

#include "testiapu.h"

namespace {

// A small level that passes every check: the start floor, a step, a shelf
// to the summit, and the summit with its wall.
const std::string HYVA =
    "nelio 0 33 30 -1\n"
    "nelio 40 25 28 -1\n"
    "nelio 34 29 0 -1\n"
    "nelio 75 17 17 3\n"
    "nelio 95 9 -1 11\n"
    "nelio 71 21 -1 -1\n";

// (The shipped sources pass every check each time tee_kentat builds them.)

// The check's message for a source, or "" when it passes.
std::string tarkista(const std::string& teksti) {
    kirjoitaTiedostoTestissa("koe.txt", teksti);
    kenttalahde::Lahde l;
    if (auto virhe = kenttalahde::lue("koe.txt", l)) return *virhe;
    return kenttalahde::tarkista(l).value_or("");
}

}  // namespace

TEST(Kenttalahde, HuonoLahdeHylataanRivinKanssa) {
    TestiHakemisto hakemisto;
    ASSERT_EQ(tarkista(HYVA), "");
    EXPECT_EQ(tarkista(HYVA + "nelio 20 33 -1 -1\n").rfind("koe.txt:7: ", 0), 0u)
        << "overlapping the floor of line 1";
    EXPECT_NE(tarkista(HYVA + "nelio 20 33 -1 -1\n").find("rivin 1"), std::string::npos);
    EXPECT_EQ(tarkista(HYVA + "nelio -2 5 -1 -1\n").rfind("koe.txt:7: ", 0), 0u);
    EXPECT_EQ(tarkista(HYVA + "nelio 100 60 -1 -1\n").rfind("koe.txt:7: ", 0), 0u)
        << "a picture over 20 MiB";
    EXPECT_EQ(tarkista("nelio 4 30 -1 -1\n" + HYVA).rfind("koe.txt:1: ", 0), 0u)
        << "a block inside the hero at the start";
    EXPECT_EQ(tarkista("nelio 1 2 3\n").rfind("koe.txt:1: ", 0), 0u);
}

// The goal out of reach: the message names the platform where the hero gets
// farthest, here the shelf whose way up to the summit is gone.
TEST(Kenttalahde, SaavuttamatonMaaliNimeaaTason) {
    TestiHakemisto hakemisto;
    std::string ilmanAskelta = HYVA;
    ilmanAskelta.erase(ilmanAskelta.find("nelio 71 21 -1 -1\n"));
    const std::string viesti = tarkista(ilmanAskelta);
    EXPECT_EQ(viesti.rfind("koe.txt:2: ", 0), 0u) << viesti;
    EXPECT_NE(viesti.find("maaliin ei paase"), std::string::npos) << viesti;
}

// A summit that ends just right of the goal lets a jump across the goal
// column fall off; one with its wall does not. Holding Right from the start
// into a pit is refused as well.
TEST(Kenttalahde, HuippuPitaaJaAlkuOnReilu) {
    TestiHakemisto hakemisto;
    std::string lyhyt = HYVA;
    lyhyt.replace(lyhyt.find("nelio 75 17 17 3\nnelio 95 9 -1 11\n"), 34, "nelio 75 17 7 3\n");
    const std::string viesti = tarkista(lyhyt);
    EXPECT_EQ(viesti.rfind("koe.txt:4: ", 0), 0u) << viesti;
    EXPECT_NE(viesti.find("huipulle"), std::string::npos) << viesti;
    std::string kuoppa = HYVA;
    kuoppa.replace(0, 17, "nelio 0 33 10 -1\nnelio 20 33 10 -1\n");
    EXPECT_NE(tarkista(kuoppa).find("putoaa"), std::string::npos) << tarkista(kuoppa);
}
