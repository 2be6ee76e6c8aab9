#pragma once
// Byte-level file access shared by every file format of the game: whole-file
// reads, crash-safe saves and the text-mode line-end translation that the
// binary files (levels, high scores) are stored with.

#include <optional>
#include <string>
#include <string_view>

namespace tiedosto {

// Reads a whole regular file. Missing files, directories and read errors give
// nothing, so callers treat them as an empty file.
std::optional<std::string> lue(const std::string& polku);

// Replaces the file's contents safely: the bytes go to a temporary file in the
// same directory, which is flushed to disk and then renamed over the old file.
// When any step fails the old file stays as it was and false is returned.
bool tallenna(const std::string& polku, std::string_view tavut);

}  // namespace tiedosto

namespace tekstitila {

// Text-mode line ends as the game's files store them: each byte 0x0A is
// written as the pair 0x0D 0x0A.
std::string tallennusmuotoon(std::string_view tavut);

// The reverse: each pair 0x0D 0x0A reads as 0x0A; a lone 0x0D stays as it
// is. A byte 0x1A is an ordinary byte (older writers stored it unescaped, so
// treating it as an end-of-file mark would cut files short).
std::string lukumuotoon(std::string_view tavut);

}  // namespace tekstitila
