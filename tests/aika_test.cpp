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
