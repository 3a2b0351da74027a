#pragma once
// The files of a download on disk. Paths are the file system's bytes. A
// download writes into a part file of its own and only a complete one takes
// the final name, so nothing that looks complete is ever half-written, and a
// file already there is replaced only when the user agreed to it.
#include <optional>
#include <string>
#include <string_view>

namespace fern {

// Makes an empty part file beside `finalPath` ("NAME.part", else
// "NAME-1.part" ...) that did not exist before, with no file named it plus
// `sideSuffix` either. nullopt with the reason in `error` when none can be
// made.
std::optional<std::string> ClaimPartFile(const std::string& finalPath, const std::string& sideSuffix,
                                         std::string* error);

// Gives the complete part file its final name. With `replace` a file at
// `finalPath` is replaced (the user chose that name knowing it); else the
// first free "NAME (2).EXT", "NAME (3).EXT" ... is taken and nothing is
// overwritten. The path the file got, or nullopt with the reason (the part
// file then stays).
std::optional<std::string> PlaceFinishedFile(const std::string& partPath, const std::string& finalPath,
                                             bool replace, std::string* error);

// Writes `bytes` as the file at `finalPath` through a part file (flushed to
// disk, then given its name as PlaceFinishedFile does). The path written,
// or nullopt with the reason; no part file is left behind either way.
std::optional<std::string> WriteThroughPartFile(const std::string& finalPath, std::string_view bytes,
                                                bool replace, std::string* error);

// Removes the part file and the engine's file beside it, when there.
void RemovePartFiles(const std::string& partPath, const std::string& sideSuffix);

// "FOLDER/NAME" when no file has that name, else the first free numbered name.
std::string FreePathIn(const std::string& folder, const std::string& name);

// The folder and the name of a path.
std::string FolderOfPath(const std::string& path);
std::string NameOfPath(const std::string& path);

}  // namespace fern
