#include "config_file.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <filesystem>
#include <limits>

#include "testiapu.h"

using namespace std::string_literals;

namespace {

using arvo_t = config_file::cf_muuttuja;
using luku_t = config_file::cf_muuttuja_num;
using teksti_t = config_file::cf_muuttuja_str;
using taulukko_t = config_file::cf_muuttuja_tab;

// Lines as the file stores them: each ends in CR LF.
std::string rivit(std::initializer_list<std::string> rivit) {
    std::string tavut;
    for (const auto& rivi : rivit) tavut += rivi + "\r\n";
    return tavut;
}

config_file luettu(const std::string& tavut) {
    config_file varasto;
    varasto.lataa_tavuista(tavut);
    return varasto;
}

// Writes the store, reads the bytes into a new store and writes that.
std::string kierratetty(const config_file& varasto) {
    config_file toinen;
    toinen.lataa_tavuista(varasto.tallennettavat());
    return toinen.tallennettavat();
}

// A number that counts its own destruction, to see who deletes what.
struct LaskevaLuku : luku_t {
    static inline int poistettuja = 0;
    ~LaskevaLuku() override { ++poistettuja; }
};

std::string tekstina(double luku) {
    luku_t arvo;
    arvo.sijota(luku);
    return arvo.lue_str();
}

std::string tiedostossa(double luku) {
    config_file varasto;
    varasto.tallenna("k", luku);
    return varasto.tallennettavat();
}

}  // namespace

// ---- The value family ----

TEST(ConfigArvo, UusiTaulukkoOnYksiTyhjaAlkio) {
    taulukko_t t;
    EXPECT_EQ(t.koko(), 0);
    EXPECT_TRUE(t.onko(0));
    EXPECT_FALSE(t.onko(1));
    EXPECT_EQ(t.tyyppi(), config_file::TYYPPI_TAB);
    EXPECT_EQ(t.tyyppi(0), config_file::TYYPPI_TYHJA);
    EXPECT_EQ(t.lue_str(0), "");
    EXPECT_EQ(t.lue_num(0), 0.0);
}

TEST(ConfigArvo, IndeksoituTallennusMuuntaaJaNostaaKokoa) {
    taulukko_t t;
    t.sijota(5, 2.0);
    EXPECT_EQ(t.koko(), 5);
    EXPECT_TRUE(t.onko(5));
    EXPECT_FALSE(t.onko(3));
    EXPECT_EQ(t.lue_num(5), 2.0);
    EXPECT_EQ(t.lue_num(3), 0.0);
    EXPECT_EQ(t.tyyppi(3), config_file::TYYPPI_TYHJA);  // element 0 answers
    EXPECT_EQ(t.tyyppi(5), config_file::TYYPPI_NUM);

    t.sijota(-2, "a"s);
    EXPECT_EQ(t.lue_str(-2), "a");
    EXPECT_EQ(t.koko(), 5);

    t.sijota(5, "x"s);
    EXPECT_EQ(t.tyyppi(5), config_file::TYYPPI_STR);
    EXPECT_EQ(t.lue_num(5), 0.0);
    EXPECT_EQ(t.lue_str(5), "x");

    t.poista(5);
    EXPECT_EQ(t.koko(), 5);
    EXPECT_FALSE(t.onko(5));
    t.poista(0);
    EXPECT_EQ(t.tyyppi(3), config_file::TYYPPI_TYHJA);  // no element 0 either
    EXPECT_EQ(t.lue_str(), "");
}

TEST(ConfigArvo, TaulukkoOmistaaAlkionsa) {
    LaskevaLuku::poistettuja = 0;
    {
        auto* ensimmainen = new LaskevaLuku;
        ensimmainen->sijota(7.0);
        taulukko_t t(ensimmainen);
        EXPECT_EQ(t.lue_num(), 7.0);
        EXPECT_EQ(t.lue_num(0), 7.0);
        // A number stays the same object when stored as a number again.
        EXPECT_EQ(t.muunna_num(0), ensimmainen);
        EXPECT_EQ(LaskevaLuku::poistettuja, 0);
        t.sijota(0, "t"s);
        EXPECT_EQ(LaskevaLuku::poistettuja, 1);
        EXPECT_EQ(t.tyyppi(0), config_file::TYYPPI_STR);
        EXPECT_EQ(t.lue_str(0), "t");
    }
    {
        taulukko_t t(new LaskevaLuku);
        t.sijota(3, 1.0);
    }
    EXPECT_EQ(LaskevaLuku::poistettuja, 2);
}

TEST(ConfigArvo, YksittainenArvoOnYhdenAlkionTaulukko) {
    luku_t luku;
    luku.sijota(3.0);
    luku.sijota("ei muutu"s);
    EXPECT_TRUE(luku.onko(0));
    EXPECT_FALSE(luku.onko(1));
    EXPECT_EQ(luku.lue_num(9), 3.0);
    EXPECT_EQ(luku.tyyppi(9), config_file::TYYPPI_NUM);
    EXPECT_EQ(luku.lue_str(), "3.");
    EXPECT_EQ(luku.lue_str(4), "3.");
    EXPECT_EQ(luku.koko(), 0);

    teksti_t teksti;
    teksti.sijota("12"s);
    teksti.sijota(4, 5.0);
    EXPECT_EQ(teksti.lue_num(), 0.0);
    EXPECT_EQ(teksti.lue_str(7), "12");
    EXPECT_EQ(teksti.tyyppi(7), config_file::TYYPPI_STR);

    arvo_t tyhja;
    tyhja.sijota(1.0);
    EXPECT_EQ(tyhja.tyyppi(), config_file::TYYPPI_TYHJA);
    EXPECT_EQ(tyhja.lue_num(), 0.0);
    EXPECT_TRUE(tyhja.onko(0));
    EXPECT_FALSE(tyhja.onko(-1));
}

// ---- The store ----

TEST(ConfigVarasto, PuuttuvaAvainEiSynnyLukiessa) {
    config_file v;
    EXPECT_EQ(v.hae_str("a"), "");
    EXPECT_EQ(v.hae_num("a"), 0.0);
    EXPECT_FALSE(v.onko("a"));
    EXPECT_FALSE(v.onko("a[0]"));
    EXPECT_EQ(v.tyyppi("a"), -1);
    EXPECT_EQ(v.koko("a"), 0);
    EXPECT_FALSE(v.onko_tab("a"));
    EXPECT_EQ(v.hae_str("a", 2), "");
    EXPECT_EQ(v.tallennettavat(), "");
}

TEST(ConfigVarasto, YksittainenLukuVastaaViittauksiin) {
    config_file v;
    v.tallenna("a", 2.5);
    EXPECT_EQ(v.hae_num("a"), 2.5);
    EXPECT_EQ(v.hae_str("a"), "2.5");
    EXPECT_TRUE(v.onko_num("a"));
    EXPECT_FALSE(v.onko_str("a"));
    EXPECT_FALSE(v.onko_tab("a"));
    EXPECT_EQ(v.tyyppi("a"), 2);
    EXPECT_TRUE(v.onko("a[0]"));
    EXPECT_FALSE(v.onko("a[1]"));
    EXPECT_EQ(v.hae_num("a[7]"), 2.5);
}

TEST(ConfigVarasto, TaulukkoSyntyyViittauksesta) {
    config_file v;
    v.tallenna("t[3]", "abc"s);
    EXPECT_TRUE(v.onko_tab("t"));
    EXPECT_FALSE(v.onko_tab("t[3]"));
    EXPECT_EQ(v.koko("t"), 3);
    EXPECT_EQ(v.hae_str("t[3]"), "abc");
    EXPECT_EQ(v.hae_str("t [3]"), "abc");
    EXPECT_TRUE(v.onko_str("t[3]"));
    EXPECT_TRUE(v.onko("t[0]"));
    EXPECT_EQ(v.tyyppi("t[0]"), -1);
    EXPECT_FALSE(v.onko("t[1]"));

    // Storing keeps the space before "[" in the name; reading trims it.
    v.tallenna("u [1]", 4.0);
    EXPECT_TRUE(v.onko_tab("u "));
    EXPECT_FALSE(v.onko("u[1]"));
    EXPECT_EQ(v.hae_num("u ", 1), 4.0);
}

TEST(ConfigVarasto, IndeksinMuodot) {
    config_file v;
    v.tallenna("t", 0, "nolla"s);
    v.tallenna("t", 2, "kaksi"s);
    v.tallenna("t", -1, "miinus"s);
    for (const char* avain : {"t[ 2 ]", "t[2]", "t[+2]", "t[2.9]", "t[\t2]", " t\t[2]"})
        EXPECT_EQ(v.hae_str(avain), "kaksi") << avain;
    for (const std::string& avain : {"t[]"s, "t[x]"s, "t[x2]"s, "t[+-2]"s, "t[\0 2]"s})
        EXPECT_EQ(v.hae_str(avain), "nolla") << avain;
    EXPECT_EQ(v.hae_str("t[-1]"), "miinus");
    // The brackets may come in any order; the last "[" splits.
    EXPECT_EQ(v.hae_str("t]x[2"), "");
    EXPECT_TRUE(config_file::tau_onko_table("a]b["));
    EXPECT_FALSE(config_file::tau_onko_table("a[b"));
    EXPECT_EQ(config_file::tau_lue_nimi("t[1[2]"), "t[1");
    EXPECT_EQ(config_file::tau_lue_index("t[1[2]"), 2);
    EXPECT_EQ(config_file::tau_lue_nimi(" x "), " x ");
    EXPECT_EQ(config_file::tau_lue_index("x"), 0);
}

TEST(ConfigVarasto, YlisuuriIndeksiRajataan) {
    EXPECT_EQ(config_file::tau_lue_index("t[2147483647]"), INT_MAX);
    EXPECT_EQ(config_file::tau_lue_index("t[2147483648]"), INT_MAX);
    EXPECT_EQ(config_file::tau_lue_index("t[99999999999999]"), INT_MAX);
    EXPECT_EQ(config_file::tau_lue_index("t[" + std::string(1000, '9') + "]"), INT_MAX);
    EXPECT_EQ(config_file::tau_lue_index("t[-2147483648]"), INT_MIN);
    EXPECT_EQ(config_file::tau_lue_index("t[-2147483649]"), INT_MIN);
    EXPECT_EQ(config_file::tau_lue_index("t[0002]"), 2);
}

TEST(ConfigVarasto, PoistoJaKorvaus) {
    config_file v;
    v.tallenna("t[3]", 1.0);
    v.tallenna("t[1]", 1.0);
    v.poista("t[3]");
    EXPECT_EQ(v.koko("t"), 3);
    EXPECT_FALSE(v.onko("t[3]"));
    EXPECT_TRUE(v.onko("t[1]"));
    v.poista("t");
    EXPECT_FALSE(v.onko("t"));
    v.poista("ei_ole");
    v.poista("ei_ole", 1);

    v.tallenna("a", 5.0);
    v.poista("a", 0);
    EXPECT_EQ(v.hae_num("a"), 5.0);

    // A single value becomes element 0; a single store replaces the table.
    v.tallenna("x", 5.0);
    v.tallenna("x[2]", 7.0);
    EXPECT_TRUE(v.onko_tab("x"));
    EXPECT_EQ(v.koko("x"), 2);
    EXPECT_EQ(v.hae_num("x[0]"), 5.0);
    EXPECT_EQ(v.hae_num("x"), 5.0);
    EXPECT_EQ(v.hae_num("x[2]"), 7.0);
    v.tallenna("x", 1.0);
    EXPECT_FALSE(v.onko_tab("x"));
    EXPECT_EQ(v.hae_num("x"), 1.0);
    v.tallenna("x", "teksti"s);
    EXPECT_EQ(v.hae_num("x"), 0.0);
    EXPECT_EQ(v.hae_str("x"), "teksti");

    v.poista_kaikki();
    EXPECT_EQ(v.tallennettavat(), "");
}

// ---- Number formats ----

TEST(ConfigLuvut, TekstinaKymmenenMerkitsevaaJaPiste) {
    // clang-format off
    const std::pair<double, const char*> tapaukset[] = {
        {1.0, "1."}, {0.0, "0."}, {2.5, "2.5"}, {0.05, "5.e-002"}, {1e10, "1.e+010"},
        {-3.0, "-3."}, {0.5, "0.5"}, {0.1 + 0.2, "0.3"}, {1.0 / 3, "0.3333333333"},
        {123456789.0, "123456789."}, {-0.001234, "-1.234e-003"}, {1e100, "1.e+100"},
        {9999999999.6, "1.e+010"}, {2e-308, "2.e-308"}, {12.75, "12.75"},
    };
    // clang-format on
    for (auto [luku, odotettu] : tapaukset) EXPECT_EQ(tekstina(luku), odotettu) << luku;
}

TEST(ConfigLuvut, TiedostossaKuusiMerkitsevaa) {
    // clang-format off
    const std::pair<double, const char*> tapaukset[] = {
        {0.1 + 0.2, "0.3"}, {255.0, "255"}, {1234567.0, "1.23457e+006"}, {1.5e-5, "1.5e-005"},
        {0.0, "0"}, {1.0, "1"}, {0.5, "0.5"}, {2.25, "2.25"}, {M_PI, "3.14159"},
        {1e6, "1e+006"}, {999999.0, "999999"}, {999999.5, "1e+006"}, {0.0001, "0.0001"},
        {-2.5, "-2.5"}, {1e-300, "1e-300"}, {100000.0, "100000"}, {1.25e123, "1.25e+123"},
    };
    // clang-format on
    for (auto [luku, odotettu] : tapaukset)
        EXPECT_EQ(tiedostossa(luku), "k="s + odotettu + "\r\n") << luku;
}

TEST(ConfigLuvut, AarettomatJaNan) {
    const double aareton = std::numeric_limits<double>::infinity();
    EXPECT_EQ(tekstina(aareton), "inf");
    EXPECT_EQ(tekstina(-aareton), "-inf");
    EXPECT_EQ(tekstina(std::nan("")), "nan");
    EXPECT_EQ(tiedostossa(-aareton), "k=-inf\r\n");
    EXPECT_EQ(tiedostossa(std::nan("")), "k=nan\r\n");
}

TEST(ConfigLuvut, ArvonLukusaanto) {
    const std::pair<const char*, double> luvut[] = {
        {"1", 1.0},  {"-2.5", -2.5}, {"+5", 5.0},     {"1.2.3", 1.2}, {"1-2", 1.0},
        {"-", 0.0},  {".", 0.0},     {"", 0.0},       {"007", 7.0},   {".5", 0.5},
        {"5.", 5.0}, {"+-3", 0.0},   {"-.25", -0.25}, {"--1", 0.0}};
    for (auto [teksti, odotettu] : luvut) {
        auto v = luettu("k="s + teksti + "\r\n");
        EXPECT_TRUE(v.onko_num("k")) << teksti;
        EXPECT_EQ(v.hae_num("k"), odotettu) << teksti;
    }
    for (const char* teksti : {"1e5", "0x10", "12 apples", "1,5", "inf", "nan"}) {
        auto v = luettu("k="s + teksti);
        EXPECT_TRUE(v.onko_str("k")) << teksti;
        EXPECT_EQ(v.hae_str("k"), teksti);
    }
    EXPECT_EQ(luettu("k=" + std::string(400, '9')).hae_num("k"), DBL_MAX);
    EXPECT_EQ(luettu("k=-" + std::string(400, '9')).hae_num("k"), -DBL_MAX);
    EXPECT_EQ(luettu("k=0." + std::string(400, '0') + "1").hae_num("k"), 0.0);
}

// ---- The file format ----

TEST(ConfigTiedosto, RivitJaTrimmaus) {
    auto v =
        luettu(rivit({"  musiikki =  1  ", "otsikko=Hyvää päivää", "a=b=c", "x=", "y=   ", "=5",
                      "Aloita_peli", "", "\tz\t=\t-2\t", "w= väli sisällä "}));
    EXPECT_TRUE(v.onko_num("musiikki"));
    EXPECT_EQ(v.hae_num("musiikki"), 1.0);
    EXPECT_EQ(v.hae_str("otsikko"), "Hyvää päivää");
    EXPECT_EQ(v.hae_str("a"), "b=c");
    EXPECT_TRUE(v.onko_num("x"));
    EXPECT_TRUE(v.onko_num("y"));
    EXPECT_EQ(v.hae_num(""), 5.0);
    EXPECT_FALSE(v.onko("Aloita_peli"));
    EXPECT_EQ(v.hae_num("z"), -2.0);
    EXPECT_EQ(v.hae_str("w"), "väli sisällä");
    // Last line without a line end; a lone CR stays part of the line.
    EXPECT_EQ(luettu("a=1\nb=2").hae_num("b"), 2.0);
    EXPECT_EQ(luettu("a=1\rb=2\r\n").hae_str("a"), "1\rb=2");
}

TEST(ConfigTiedosto, MyohempiRiviKorvaa) {
    auto v = luettu(rivit({"a=1", "a=yksi", "t=5", "t[2]=7", "s[1]=x", "s=9"}));
    EXPECT_EQ(v.hae_str("a"), "yksi");
    EXPECT_TRUE(v.onko_tab("t"));
    EXPECT_EQ(v.hae_num("t[0]"), 5.0);
    EXPECT_FALSE(v.onko_tab("s"));
    EXPECT_EQ(v.hae_num("s"), 9.0);

    // Loading adds to what the store holds.
    v.lataa_tavuista(rivit({"uusi=1"}));
    EXPECT_EQ(v.hae_str("a"), "yksi");
    EXPECT_TRUE(v.onko("uusi"));
}

TEST(ConfigTiedosto, TaulukotKirjoitetaanTyhjanRivinKanssa) {
    EXPECT_EQ(luettu(rivit({"t[2]=5", "t[0]=a"})).tallennettavat(),
              rivit({"t[0]=a", "t[2]=5", ""}));

    auto v = luettu(rivit({"t[3]=x"}));
    EXPECT_EQ(v.tallennettavat(), rivit({"t[0]=", "t[3]=x", ""}));
    auto uudelleen = luettu(v.tallennettavat());
    EXPECT_TRUE(uudelleen.onko_num("t[0]"));
    EXPECT_EQ(uudelleen.hae_num("t[0]"), 0.0);

    // Negative indexes and indexes past koko() are never written.
    config_file n;
    n.tallenna("n", -4, 1.0);
    n.tallenna("n", 2, 1.0);
    n.poista("n", 0);
    n.poista("n", 2);
    n.tallenna("m", 1.0);
    EXPECT_EQ(n.tallennettavat(), rivit({"m=1", ""}));
}

TEST(ConfigTiedosto, SuurinIndeksiEiJumitaKirjoitusta) {
    auto v = luettu(rivit({"t[2147483647]=1", "u[99999999999999]=2", "w[-2147483649]=3"}));
    EXPECT_EQ(v.koko("t"), INT_MAX);
    EXPECT_EQ(v.hae_num("u", INT_MAX), 2.0);
    EXPECT_EQ(v.hae_num("w", INT_MIN), 3.0);
    EXPECT_EQ(v.tallennettavat(),
              rivit({"t[0]=", "t[2147483647]=1", "", "u[0]=", "u[2147483647]=2", "", "w[0]=", ""}));
}

TEST(ConfigTiedosto, AvaimetTavujarjestyksessa) {
    config_file v;
    for (const char* avain : {"\xc3\xa4", "abc", "aanet", "ab", "Ei", "\x7f", ""})
        v.tallenna(avain, 1.0);
    EXPECT_EQ(v.tallennettavat(),
              rivit({"=1", "Ei=1", "aanet=1", "ab=1", "abc=1", "\x7f=1", "\xc3\xa4=1"}));
}

TEST(ConfigTiedosto, EdestakaisinKierros) {
    config_file v;
    v.tallenna("k", "007"s);
    v.tallenna("tarkka", 0.1 + 0.2);
    v.tallenna("pi", M_PI);
    v.tallenna("valit", "  keski  "s);
    v.tallenna("rivit", "eka\ntoka=2"s);
    v.tallenna("a=b", 1.0);
    EXPECT_NE(v.tallennettavat().find("k=007\r\n"), std::string::npos);
    auto takaisin = luettu(v.tallennettavat());
    EXPECT_TRUE(takaisin.onko_num("k"));
    EXPECT_EQ(takaisin.hae_num("k"), 7.0);
    EXPECT_EQ(takaisin.hae_num("tarkka"), 0.3);
    EXPECT_EQ(takaisin.hae_num("pi"), 3.14159);
    EXPECT_EQ(takaisin.hae_str("valit"), "keski");
    EXPECT_EQ(takaisin.hae_str("rivit"), "eka");
    EXPECT_EQ(takaisin.hae_num("toka"), 2.0);
    EXPECT_FALSE(takaisin.onko("a=b"));
    EXPECT_EQ(takaisin.hae_str("a"), "b=1");
}

TEST(ConfigTiedosto, OudotTavutEivatKaada) {
    auto v = luettu("a\0b=x\0y\r\n\x1a=\x1a\r\nc=1\r\r\n"s + std::string(1 << 20, '=') + "\r\nd" +
                    std::string(1 << 20, 'x') + "=1");
    EXPECT_EQ(v.hae_str("a\0b"s), "x\0y"s);
    EXPECT_EQ(v.hae_str("\x1a"), "\x1a");
    EXPECT_EQ(v.hae_str("c"), "1\r");
    EXPECT_EQ(v.hae_str(""), std::string((1 << 20) - 1, '='));
    EXPECT_EQ(v.hae_num("d" + std::string(1 << 20, 'x')), 1.0);
    EXPECT_EQ(kierratetty(v), kierratetty(luettu(kierratetty(v))));
}

TEST(ConfigTiedosto, AsetustiedostoKirjoitetaanTakaisin) {
    TestiHakemisto hakemisto;
    kirjoitaTiedostoTestissa("asetukset.conf",
                             rivit({"musiikki=1", "kieli=suomi", "Zeta = muu", "aanet=1"}));
    {
        config_file asetukset("asetukset.conf");
        asetukset.tallenna("musiikki", 0.0);
        asetukset.tallenna("aanet", 1.0);
        asetukset.tallenna("kokoruututila", 0.0);
        asetukset.tallenna_tiedostoon("asetukset.conf");
    }
    EXPECT_EQ(lueTiedostoTestissa("asetukset.conf"),
              rivit({"Zeta=muu", "aanet=1", "kieli=suomi", "kokoruututila=0", "musiikki=0"}));
    EXPECT_EQ(config_file("asetukset.conf").hae_str("kieli"), "suomi");
}

TEST(ConfigTiedosto, LukukelvotonTaiKirjoituskelvotonTiedosto) {
    TestiHakemisto hakemisto;
    EXPECT_FALSE(config_file("ei_ole.conf").onko(""));
    std::filesystem::create_directory("hakemisto.conf");
    config_file v("hakemisto.conf");
    EXPECT_EQ(v.tallennettavat(), "");

    v.tallenna("a", 1.0);
    v.tallenna_tiedostoon("puuttuva/asetukset.conf");
    EXPECT_FALSE(onkoTiedostoa("puuttuva/asetukset.conf"));
    EXPECT_FALSE(onkoTiedostoa("puuttuva"));
    v.tallenna_tiedostoon("hakemisto.conf");
    EXPECT_TRUE(std::filesystem::is_directory("hakemisto.conf"));
}

// Every seed file of the fuzzer goes through the reader; the written form
// settles after one round trip (placeholders become 0, negative indexes go).
TEST(ConfigKorpus, SiemenetLukeutuvatJaKirjoittuvat) {
    const auto kansio = std::filesystem::path(projektinJuuri()) / "tests/data/korpus/config_file";
    int tiedostoja = 0;
    for (const auto& tiedosto : std::filesystem::directory_iterator(kansio)) {
        auto v = luettu(lueTiedostoTestissa(tiedosto.path().string()));
        const std::string kerran = kierratetty(v);
        EXPECT_EQ(kerran, kierratetty(luettu(kerran))) << tiedosto.path();
        ++tiedostoja;
    }
    EXPECT_GE(tiedostoja, 5);
}
