#include "asetusvalikko.h"

#include <gtest/gtest.h>

#include "pintatesti.h"

namespace {
constexpr Uint32 TAUSTA = 0x101010;
constexpr int LEVEYS = 10;  // label area width of every item
constexpr int KOKO = 3;     // labels and on/off images are KOKO x KOKO pixels
constexpr Uint32 TOSI = 0xF00000, EPATOSI = 0x00F000, TOSI_VALITTU = 0x0000F0,
                 EPATOSI_VALITTU = 0xF0F000;

// Five items one below the other, values on, off, on, off, on; each item moves
// its on/off image by its own offsets so a wrong formula shows.
struct ViidenKohdanValikko {
    std::vector<Pinta> kuvat;
    asetus_valikko menu;
    ViidenKohdanValikko() {
        for (Uint32 rgb : {TOSI, EPATOSI, TOSI_VALITTU, EPATOSI_VALITTU})
            kuvat.push_back(yksivarinen(KOKO, KOKO, rgb));
        menu.asetaTosiJaEpatosi(kuvat[0].get(), kuvat[1].get(), kuvat[2].get(), kuvat[3].get());
        for (int i = 0; i < 5; ++i) {
            kuvat.push_back(yksivarinen(KOKO, KOKO, valittu(i).rgb));
            menu.lisaaValinta(nullptr, kuvat.back().get(), 2, 2 + i * 8, LEVEYS, KOKO, i % 2 == 0,
                              i, i % 2);
        }
    }
    static Laatikko valittu(int i) { return {2, 2 + i * 8, KOKO, KOKO, 0x800000u + i}; }
    static Laatikko arvo(int i, Uint32 rgb) {
        return {2 + LEVEYS + i, 2 + i * 8 + i % 2, KOKO, KOKO, rgb};
    }
    int piirraJaVertaa(const std::vector<Laatikko>& odotetut) {
        return ::piirraJaVertaa(menu, 32, 48, odotetut, TAUSTA);
    }
};
}  // namespace

TEST(AsetusValikko, UusiValikkoIlmoittaaKerranJaPiirtaaIlmanArvokuvia) {
    testing::internal::CaptureStdout();
    asetus_valikko menu;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Valikko alustettu\n");
    EXPECT_EQ(menu.haeValinta(), 0);
    // Before the on/off images are set only the selected label is drawn, for
    // every combination of selected and value.
    Pinta nimi = yksivarinen(KOKO, KOKO, 0x123456);
    menu.lisaaValinta(nullptr, nimi.get(), 1, 1, LEVEYS, KOKO, true, 0, 0);
    menu.lisaaValinta(nullptr, nullptr, 1, 8, LEVEYS, KOKO, false, 0, 0);
    for (int kierros = 0; kierros < 2; ++kierros) {
        Pinta kohde = yksivarinen(16, 16, TAUSTA);
        menu.piirraPinta(kohde.get());
        EXPECT_EQ(poikkeavatPikselit(kohde.get(), {{1, 1, KOKO, KOKO, 0x123456}}, TAUSTA), 0);
        menu.vaihdaTosi(0);
        menu.vaihdaTosi(1);
    }
}

TEST(AsetusValikko, ArvokuvatVainKolmelleEnsimmaiselle) {
    using V = ViidenKohdanValikko;
    V v;
    v.menu.asetaValinta(1);
    EXPECT_EQ(v.piirraJaVertaa(
                  {V::arvo(0, TOSI), V::valittu(1), V::arvo(1, EPATOSI_VALITTU), V::arvo(2, TOSI)}),
              0);
    v.menu.asetaValinta(2);
    EXPECT_EQ(v.piirraJaVertaa(
                  {V::arvo(0, TOSI), V::arvo(1, EPATOSI), V::valittu(2), V::arvo(2, TOSI_VALITTU)}),
              0);
    v.menu.asetaValinta(4);
    EXPECT_EQ(
        v.piirraJaVertaa({V::arvo(0, TOSI), V::arvo(1, EPATOSI), V::arvo(2, TOSI), V::valittu(4)}),
        0);
}

TEST(AsetusValikko, VaihdaTosiKaantaaArvonJaOhittaaVieraatIndeksit) {
    using V = ViidenKohdanValikko;
    V v;
    EXPECT_EQ(v.menu.haeArvo(0), 1);
    v.menu.vaihdaTosi(0);
    EXPECT_EQ(v.menu.haeArvo(0), 0);
    v.menu.vaihdaTosi(1);
    EXPECT_EQ(v.menu.haeArvo(1), 1);
    v.menu.asetaValinta(3);
    EXPECT_EQ(
        v.piirraJaVertaa({V::arvo(0, EPATOSI), V::arvo(1, TOSI), V::arvo(2, TOSI), V::valittu(3)}),
        0);
    v.menu.vaihdaTosi(0);
    EXPECT_EQ(v.menu.haeArvo(0), 1);
    for (int i : {-1, 5, 7}) {
        v.menu.vaihdaTosi(i);
        EXPECT_EQ(v.menu.haeArvo(i), 0) << i;
    }
    const int odotetut[] = {1, 1, 1, 0, 1};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(v.menu.haeArvo(i), odotetut[i]) << i;
}

TEST(AsetusValikko, ValintaPysahtyyMolempiinPaihin) {
    ViidenKohdanValikko v;
    v.menu.asetaValinta(4);
    v.menu.asetaLisaaValinta(+1);
    EXPECT_EQ(v.menu.haeValinta(), 4);
    v.menu.asetaValinta(-3);
    v.menu.asetaLisaaValinta(-1);
    EXPECT_EQ(v.menu.haeValinta(), 0);
    v.menu.poistaValinta(0);
    v.menu.asetaValinta(9);
    EXPECT_EQ(v.menu.haeValinta(), 3);
    asetus_valikko tyhja;
    tyhja.asetaValinta(7);
    EXPECT_EQ(tyhja.haeValinta(), 7);
    tyhja.asetaValinta(-1);
    EXPECT_EQ(tyhja.haeValinta(), 0);
}
