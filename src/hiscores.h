#pragma once
// The high-score list: "hiscore.dat", nine entries at most, smallest total first.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One entry: the player's name and the whole game's total (smaller is better).
struct score {
    std::string nimi;
    int32_t tulos = 0;
};

// Orders entries by total only; names play no part.
bool operator<(score const& a, score const& b);

class hiscore {
  public:
    static constexpr size_t ENINTAAN = 9;

    explicit hiscore(std::string tiedosto = "hiscore.dat");

    // Every entry of the file in file order; a missing file gives none, and
    // so does one that cannot be read (it is then never saved over).
    std::vector<score> haeTulokset();
    // Replaces the file with the first nine entries, in list order.
    bool tallennaTulokset(std::vector<score> tulokset);
    // Stores one new entry: under the lock the list is read again, the entry
    // goes below every entry with the same total, and the first nine are
    // written. Entries another game stored meanwhile survive.
    bool lisaaJaTallenna(score uusi);
    // Both saves leave a file that exists but cannot be read as it is: they
    // return false and write the reason to standard output, as they do for
    // any save that fails.

    // The file format over bytes: each entry is the name, a 0 byte and the
    // total as 4 little-endian bytes, all stored with text-mode line ends.
    static std::vector<score> lueTavuista(std::string_view tavut);
    static std::string tavuiksi(const std::vector<score>& tulokset);

  private:
    bool kirjoitaLukittuna(std::vector<score>& tulokset, const score* uusi);

    std::string tiedosto;
};

// Adds a new entry below every entry with the same total and keeps the list
// sorted: a stable sort of the list with the entry appended.
void lisaaTulos(std::vector<score>& tulokset, score uusi);
