#pragma once
// The configuration store: numbers, texts and integer-indexed tables under
// byte-string keys, read from and written to key=value text files. The game
// keeps its settings ("asetukset.conf") and its menu texts (the language
// file) in this format.

#include <map>
#include <memory>
#include <string>
#include <string_view>

class config_file {
  public:
    // Type codes answered by tyyppi().
    static constexpr int TYYPPI_TYHJA = -1;
    static constexpr int TYYPPI_STR = 1;
    static constexpr int TYYPPI_NUM = 2;
    static constexpr int TYYPPI_TAB = 3;

    // A stored value. The base class is also the empty placeholder. Every
    // value answers every question, so the store never needs to know which
    // kind it holds: a single value acts as a one-element table whose only
    // element is index 0, and its reads and stores ignore the index.
    class cf_muuttuja {
      public:
        cf_muuttuja() = default;
        cf_muuttuja(const cf_muuttuja&) = delete;
        cf_muuttuja& operator=(const cf_muuttuja&) = delete;
        virtual ~cf_muuttuja() = default;

        virtual std::string lue_str() const;
        virtual double lue_num() const;
        virtual std::string lue_str(int i) const;
        virtual double lue_num(int i) const;
        virtual void sijota(const std::string& s);
        virtual void sijota(double d);
        virtual void sijota(int i, const std::string& s);
        virtual void sijota(int i, double d);
        virtual int tyyppi() const;
        virtual int tyyppi(int i) const;
        virtual bool onko(int i) const;
        virtual int koko() const;
    };

    // A number. Read as text it has ten significant digits and always keeps
    // its decimal point ('1.', '2.5', '5.e-002').
    class cf_muuttuja_num : public cf_muuttuja {
      public:
        std::string lue_str() const override;
        double lue_num() const override;
        std::string lue_str(int i) const override;
        double lue_num(int i) const override;
        using cf_muuttuja::sijota;
        void sijota(double d) override;
        void sijota(int i, double d) override;
        int tyyppi() const override;
        int tyyppi(int i) const override;

      private:
        double arvo = 0.0;
    };

    // A text: bytes kept as they are. It never reads as a number.
    class cf_muuttuja_str : public cf_muuttuja {
      public:
        std::string lue_str() const override;
        std::string lue_str(int i) const override;
        using cf_muuttuja::sijota;
        void sijota(const std::string& s) override;
        void sijota(int i, const std::string& s) override;
        int tyyppi() const override;
        int tyyppi(int i) const override;

        // The bytes without a copy, and set from bytes without a temporary.
        const std::string& hae_teksti() const { return arvo; }
        void aseta(std::string_view s);

      private:
        std::string arvo;
    };

    // A table of numbers and texts by signed index. koko() is the largest
    // index ever stored by index, not the number of elements.
    class cf_muuttuja_tab : public cf_muuttuja {
      public:
        using Alkiot = std::map<int, std::unique_ptr<cf_muuttuja>>;

        // Element 0 is the empty placeholder.
        cf_muuttuja_tab();
        // Takes ownership of ensimmainen and keeps it as element 0.
        explicit cf_muuttuja_tab(cf_muuttuja* ensimmainen);

        std::string lue_str() const override;
        double lue_num() const override;
        std::string lue_str(int i) const override;
        double lue_num(int i) const override;
        void sijota(const std::string& s) override;
        void sijota(double d) override;
        void sijota(int i, const std::string& s) override;
        void sijota(int i, double d) override;
        int tyyppi() const override;
        int tyyppi(int i) const override;
        bool onko(int i) const override;
        int koko() const override;

        // Makes element i a number (or a text) and returns it; an element of
        // the other kind is replaced, one of the right kind is kept.
        cf_muuttuja* muunna_num(int i);
        cf_muuttuja* muunna_str(int i);
        // Element i, else element 0, else the shared empty placeholder.
        const cf_muuttuja* etsi(int i) const;
        // Removes element i; koko() keeps its value.
        void poista(int i);
        // The present elements in index order.
        const Alkiot& hae_alkiot() const { return alkiot; }

      private:
        void korota(int i);

        Alkiot alkiot;
        int suurin_indeksi = 0;
    };

    config_file() = default;
    // An empty store filled from the file; a missing file leaves it empty.
    explicit config_file(const std::string& tiedosto);
    config_file(const config_file&) = delete;
    config_file& operator=(const config_file&) = delete;
    config_file(config_file&&) = default;
    config_file& operator=(config_file&&) = default;
    ~config_file();

    // Reads. A key of the form name[index] reads element index of the table
    // under name in the forms that take no separate index; onko_tab and koko
    // take the key as it is. A missing key creates nothing.
    std::string hae_str(const std::string& nimi) const;
    std::string hae_str(const std::string& nimi, int i) const;
    double hae_num(const std::string& nimi) const;
    double hae_num(const std::string& nimi, int i) const;
    bool onko_num(const std::string& nimi) const;
    bool onko_num(const std::string& nimi, int i) const;
    bool onko_str(const std::string& nimi) const;
    bool onko_str(const std::string& nimi, int i) const;
    bool onko_tab(const std::string& nimi) const;
    bool onko(const std::string& nimi) const;
    bool onko(const std::string& nimi, int i) const;
    int tyyppi(const std::string& nimi) const;
    int tyyppi(const std::string& nimi, int i) const;
    int koko(const std::string& nimi) const;

    // Stores a single value, replacing whatever the key held. A key of the
    // form name[index] stores into the table under name instead; that name is
    // everything before the last "[", spaces included.
    void tallenna(const std::string& nimi, const std::string& arvo);
    void tallenna(const std::string& nimi, double arvo);
    // Stores element i of the table under nimi; a single value already there
    // becomes element 0 of a new table.
    void tallenna(const std::string& nimi, int i, double arvo);
    void tallenna(const std::string& nimi, int i, const std::string& arvo);

    // Removes a key (or, for name[index], one element of a table).
    void poista(const std::string& nimi);
    // Removes element i of the table under nimi; single values stay.
    void poista(const std::string& nimi, int i);
    void poista_kaikki();

    // Adds the values of a file to the store; an unreadable file adds none,
    // and so does one over 1 MiB (tiedosto::ASETUSTEN_ENINTAAN).
    void lataa_tiedosto(const std::string& tiedosto);
    // Replaces the file with the whole store. The save is atomic: when it
    // fails (a missing directory, a full disk) the old file stays as it was.
    void tallenna_tiedostoon(const std::string& tiedosto) const;

    // The file format over bytes, as stored on disk (lines end in CR LF).
    void lataa_tavuista(std::string_view tavut);
    std::string tallennettavat() const;

    // Table references name[index]: present when the key holds both a "["
    // and a "]"; the name is the part before the last "[" without surrounding
    // spaces and tabs; the index is the decimal integer at the start of the
    // part after it (0 when there is none, clamped to the int range).
    static bool tau_onko_table(const std::string& s);
    static std::string tau_lue_nimi(const std::string& s);
    static int tau_lue_index(const std::string& s);

  private:
    // Keys order byte by byte as unsigned values, shorter prefix first.
    struct TavuJarjestys {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    using Muuttujat = std::map<std::string, std::unique_ptr<cf_muuttuja>, TavuJarjestys>;

    const cf_muuttuja* hae(const std::string& nimi) const;
    cf_muuttuja_tab& taulukoksi(const std::string& nimi);
    void lueRivi(std::string_view rivi);
    void asetaTeksti(const std::string& nimi, std::string_view arvo);
    static void lisaaArvo(std::string& tavut, const cf_muuttuja& arvo);
    static void kirjoitaTaulukko(std::string& tavut, const std::string& nimi,
                                 const cf_muuttuja_tab& taulukko);

    Muuttujat muuttujat;
};
