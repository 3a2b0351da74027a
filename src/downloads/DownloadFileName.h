#pragma once
// File names for what the browser saves: a name a server or a page suggests
// becomes one plain name inside the folder the user chose. Names here are
// the file system's bytes (UTF-8 on this system), never Shift-JIS text.
#include <cstddef>
#include <string>
#include <string_view>

namespace fern {

// The longest name most file systems take, in bytes.
inline constexpr std::size_t kFileNameLimit = 255;

// `suggested` made safe to create in a folder: no "/" or "\", no control or
// direction-changing characters (each becomes "_"), no leading dots or
// blanks, no trailing dots or blanks, at most `limit` bytes cut on a
// character boundary with its extension kept. Bytes that are not UTF-8 are
// read as Shift-JIS when they are that, else each becomes "_". A name left
// empty becomes `fallback` made safe the same way, else "download". The
// result is valid UTF-8.
std::string SafeFileName(std::string_view suggested, std::string_view fallback = {},
                         std::size_t limit = kFileNameLimit);

// `name` cut to at most `limit` bytes on a UTF-8 character boundary, its
// extension (up to 16 bytes after the last dot) kept when the rest can
// still hold a character.
std::string CutFileName(std::string_view name, std::size_t limit);

// The extension of `name` with its dot (".pdf"), empty when it has none.
std::string FileExtension(std::string_view name);

// The name of the file that holds a download while it runs: "NAME.part",
// NAME cut so that the name plus `reserve` more bytes still fit `limit`;
// `attempt` 1, 2 ... gives "NAME-1.part", "NAME-2.part" for a name taken.
std::string PartFileName(std::string_view name, int attempt, std::size_t reserve,
                         std::size_t limit = kFileNameLimit);

// "NAME (2).EXT" and so on for a final name that is taken (`number` >= 2).
std::string NumberedFileName(std::string_view name, int number, std::size_t limit = kFileNameLimit);

}  // namespace fern
