#include "valikko.h"

#include <gtest/gtest.h>

#include "pintatesti.h"

namespace {
constexpr Uint32 TAUSTA = 0x101010;
constexpr int KOKO = 4;  // every test image is KOKO x KOKO pixels

// Three items at different places; each has its own normal and selected colour.
struct KolmenKohdanValikko {
    std::vector<Pinta> kuvat;
    valikko menu;
    const std::vector<Laatikko> valitut{
        {2, 3, KOKO, KOKO, 0xAA0000}, {20, 3, KOKO, KOKO, 0x00AA00}, {9, 25, KOKO, KOKO, 0x0000AA}};
    KolmenKohdanValikko() {
        for (const auto& v : valitut) {
            kuvat.push_back(yksivarinen(KOKO, KOKO, v.rgb + 0x11));
            kuvat.push_back(yksivarinen(KOKO, KOKO, v.rgb));
            menu.lisaaValinta(kuvat[kuvat.size() - 2].get(), kuvat.back().get(), v.x, v.y, KOKO,
                              KOKO);
        }
    }
    int piirraJaVertaa(const std::vector<Laatikko>& odotetut) {
        return ::piirraJaVertaa(menu, 32, 32, odotetut, TAUSTA);
    }
};
}  // namespace

TEST(Valikko, UusiValikkoIlmoittaaKerranJaValitseeEnsimmaisen) {
    testing::internal::CaptureStdout();
    valikko menu;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Valikko alustettu\n");
    EXPECT_EQ(menu.haeValinta(), 0);
}

TEST(Valikko, ValintaPysahtyyMolempiinPaihin) {
    valikko menu;
    for (int i = 0; i < 4; ++i) menu.lisaaValinta(nullptr, nullptr, 0, i * 10, 5, 5);
    menu.asetaLisaaValinta(-1);
    EXPECT_EQ(menu.haeValinta(), 0);
    for (int i = 0; i < 5; ++i) menu.asetaLisaaValinta(+1);
    EXPECT_EQ(menu.haeValinta(), 3);
    menu.asetaValinta(10);
    EXPECT_EQ(menu.haeValinta(), 3);
    menu.asetaValinta(-5);
    EXPECT_EQ(menu.haeValinta(), 0);
    menu.asetaValinta(2);
    EXPECT_EQ(menu.haeValinta(), 2);
}

TEST(Valikko, TyhjaValikkoRajaaVainAlhaaltaEikaPiirraMitaan) {
    valikko menu;
    menu.asetaValinta(7);
    EXPECT_EQ(menu.haeValinta(), 7);
    menu.asetaValinta(-1);
    EXPECT_EQ(menu.haeValinta(), 0);
    menu.poistaValinta(0);  // nothing to remove
    Pinta kohde = yksivarinen(8, 8, TAUSTA);
    menu.piirraPinta(kohde.get());
    EXPECT_EQ(poikkeavatPikselit(kohde.get(), {}, TAUSTA), 0);
}

TEST(Valikko, PiirtaaVainValitunKorostuksenSenPaikalle) {
    KolmenKohdanValikko k;
    for (int i = 0; i < 3; ++i) {
        k.menu.asetaValinta(i);
        EXPECT_EQ(k.piirraJaVertaa({k.valitut[i]}), 0) << "valinta " << i;
    }
}

TEST(Valikko, PoistaValintaPoistaaViimeisenArgumentistaRiippumatta) {
    KolmenKohdanValikko k;
    k.menu.asetaValinta(2);
    k.menu.poistaValinta(5);
    EXPECT_EQ(k.piirraJaVertaa({}), 0) << "the selection matches no item any more";
    EXPECT_EQ(k.menu.haeValinta(), 2);
    k.menu.asetaValinta(2);
    EXPECT_EQ(k.menu.haeValinta(), 1);
    EXPECT_EQ(k.piirraJaVertaa({k.valitut[1]}), 0);
    k.menu.poistaValinta(0);
    k.menu.asetaValinta(0);
    EXPECT_EQ(k.piirraJaVertaa({k.valitut[0]}), 0);
}
