#pragma once
// Byte-level file access shared by every file format of the game: bounded
// whole-file reads, crash-safe saves that keep the player's file what it was
// (a link stays a link, permissions stay), an advisory lock for the savers
// that read, merge and write, and the text-mode line-end translation that the
// binary files (levels, high scores) are stored with.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tiedosto {

// The largest file each reader accepts, with generous room for its format. A
// larger file is unreadable as a whole; it is never cut short.
constexpr size_t MEBITAVU = size_t{1} << 20;
constexpr size_t ASETUSTEN_ENINTAAN = 1 * MEBITAVU;  // settings and language file
constexpr size_t TULOSTEN_ENINTAAN = 1 * MEBITAVU;   // hiscore.dat: nine entries are < 250 bytes
constexpr size_t KENTAN_ENINTAAN = 16 * MEBITAVU;    // a level: the shipped ones are < 8 kB
constexpr size_t AANEN_ENINTAAN = 32 * MEBITAVU;     // an mp3 tune or effect
constexpr size_t REITIN_ENINTAAN = 1 * MEBITAVU;     // a level's replay
constexpr size_t KUVAN_ENINTAAN = 16 * MEBITAVU;     // an image: the largest is under 1 MB
constexpr size_t FONTIN_ENINTAAN = 16 * MEBITAVU;    // a font: the two are under 1 MB

// What a read found.
enum class Tila {
    Luettu,        // the whole file was read
    Puuttuu,       // nothing by that name: callers read it as an empty file
    Lukukelvoton,  // something is there but cannot be read: no permission, not a
                   // regular file, over the cap, or a read error. A save must
                   // not replace it.
};

struct Luku {
    Tila tila = Tila::Puuttuu;
    std::string tavut;  // the file's bytes when it was read
    std::string syy;    // why it could not be read, in Finnish, for diagnostics
};

// Reads a whole regular file of at most `enintaan` bytes. The kind and size
// are checked before opening, the file is opened without blocking (a FIFO or
// a device never stalls the game) and checked again on the open descriptor,
// and it is read in chunks that stop one byte past the cap: memory stays
// within the cap and a chunk whatever the file claims or grows to.
Luku lueRajattu(const std::string& polku, size_t enintaan);

// The bytes of a readable file; nothing for a missing or unreadable one,
// which callers that only read treat as empty.
std::optional<std::string> lue(const std::string& polku, size_t enintaan);

// For a library that opens the file itself (the font library keeps reading
// it): false when something is there that is not a regular file within the
// cap, so that opening it could block on a FIFO or a device; `syy` then says
// why. A missing file is left to the library, which reports it itself.
bool kelpaako(const std::string& polku, size_t enintaan, std::string& syy);

// Replaces the file's contents safely and keeps the file the player's: links
// are followed and their final target gets the new contents (the link stays),
// the target's permission bits (and owner, where allowed) are kept, and a
// target that is write-protected or not a regular file is left alone. The
// bytes go to a temporary file ".<name>.kesken.XXXXXX" beside the target,
// which is flushed to disk and then renamed over it; it is removed on every
// failure, and ones that a killed save left behind are removed by the next
// save of the same file. On failure the old file stays as it was, false is
// returned and `syy` (when given) says why in Finnish.
bool tallenna(const std::string& polku, std::string_view tavut, std::string* syy = nullptr);

// An advisory lock held by a saver over its whole read, merge and write, so
// two games saving the same file at the same moment take turns and neither
// loses what the other stored. It locks the directory that holds the file
// (after following links): each save replaces the file itself, so a lock on
// the file would not carry over to the next save. It waits up to a second
// for another holder. Where the system cannot lock (some network file
// systems) the saver goes on without it.
class Lukko {
  public:
    explicit Lukko(const std::string& polku);
    ~Lukko();
    Lukko(const Lukko&) = delete;
    Lukko& operator=(const Lukko&) = delete;

    // True when another save held the lock for the whole wait: the saver
    // must not go on.
    bool varattu() const { return onkoVarattu; }

    static constexpr int ODOTUS_MS = 1000;

  private:
    int kuvaaja = -1;
    bool onkoVarattu = false;
};

// What a saver that merges reads under its held lock: the file's current
// bytes (empty for a missing file), or nothing when it must not save, with
// the reason in `syy`: another save kept the lock, or the file is there but
// cannot be read.
std::optional<std::string> lueKorvattava(const Lukko& lukko, const std::string& polku,
                                         size_t enintaan, std::string& syy);

}  // namespace tiedosto

namespace tekstitila {

// Text-mode line ends as the game's files store them: each byte 0x0A is
// written as the pair 0x0D 0x0A.
std::string tallennusmuotoon(std::string_view tavut);
// The same appended to `ulos`, for writers that build a file piece by piece.
void lisaaTallennusmuotoon(std::string& ulos, std::string_view tavut);

// The reverse: each pair 0x0D 0x0A reads as 0x0A; a lone 0x0D stays as it
// is. A byte 0x1A is an ordinary byte (older writers stored it unescaped, so
// treating it as an end-of-file mark would cut files short).
std::string lukumuotoon(std::string_view tavut);
// The next line of stored bytes in the read form, without its line end, taken
// off the front of `loput`: a line ends at 0x0A, and a 0x0D right before it
// belongs to the line end. The last line needs no line end. Reading a file
// line by line this way equals lukumuotoon and splitting at 0x0A, without
// copying the file.
std::string_view otaRivi(std::string_view& loput);

}  // namespace tekstitila
