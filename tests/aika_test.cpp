#include "aika.h"

#include <gtest/gtest.h>

#include "kartta.h"

namespace {

uint32_t testiKello = 0;
uint32_t lueTestiKello() { return testiKello; }

void odotaAika(const minsec& t, int min, int sec, int sadasosat) {
    EXPECT_EQ(t.min, min);
    EXPECT_EQ(t.sec, sec);
    EXPECT_EQ(t.sadasosat, sadasosat);
}

}  // namespace

TEST(Aika, MillisekunnitMinuuteiksiJaSekunneiksi) {
    odotaAika(aika::muunna(0), 0, 0, 0);
    odotaAika(aika::muunna(125678), 2, 5, 68);  // 67.8 hundredths round up
    odotaAika(aika::muunna(60000), 1, 0, 0);
    odotaAika(aika::muunna(1004), 0, 1, 0);
    odotaAika(aika::muunna(1006), 0, 1, 1);
}

TEST(Aika, SataSadasosaaSiirtyySekunteihin) {
    odotaAika(aika::muunna(1999), 0, 2, 0);
    odotaAika(aika::muunna(995), 0, 1, 0);
    odotaAika(aika::muunna(59999), 1, 0, 0);  // and on into the minutes
    odotaAika(aika::muunna(3599996), 60, 0, 0);
}

TEST(Aika, KelloLaskeeOmastaLahteesta) {
    aika kello;
    kello.asetaKellolahde(&lueTestiKello);
    testiKello = 5000;
    kello.alustaAika();
    odotaAika(kello.haeAika(), 0, 0, 0);
    testiKello = 7500;
    odotaAika(kello.haeAika(), 0, 2, 50);
    // The count wrapping around 2^32 does not upset the difference.
    testiKello = 0xFFFFFF00u;
    kello.alustaAika();
    testiKello = 0x00000100u;
    odotaAika(kello.haeAika(), 0, 0, 51);
}

TEST(Aika, KentanLatausKaynnistaaKellonAlusta) {
    Kartta kartta;
    kartta.haeKello().asetaKellolahde(&lueTestiKello);
    testiKello = 1000;
    kartta.lataaTavuista("");
    testiKello = 62346;
    odotaAika(kartta.haeAika(), 1, 1, 35);
    kartta.lataaTavuista("");
    testiKello = 63345;
    odotaAika(kartta.haeAika(), 0, 1, 0);
}

TEST(Aika, OletuslahdeKulkeeEteenpain) {
    const uint32_t a = aika::oletuslahde();
    const uint32_t b = aika::oletuslahde();
    EXPECT_LE(b - a, 1000u);  // monotonic: never a step backwards (which would wrap)
}

// Times read as times: seconds and hundredths always two digits, so the
// display never goes 16.9, 16.10; the high-score list shows totals so too.
TEST(Aika, AikaTekstinaKaksinumeroisinSekunnein) {
    EXPECT_EQ(aikaTekstina({0, 16, 8}), "0:16.08\n");
    EXPECT_EQ(aikaTekstina({1, 5, 68}), "1:05.68\n");
    EXPECT_EQ(aikaTekstina({12, 0, 0}), "12:00.00\n");
    EXPECT_EQ(tulosTekstina(55626), "9:16.26");
    EXPECT_EQ(tulosTekstina(7), "0:00.07");
    EXPECT_EQ(tulosTekstina(-6001), "-1:00.01");
    EXPECT_EQ(tulosTekstina(INT32_MIN), "-357913:56.48");
}
