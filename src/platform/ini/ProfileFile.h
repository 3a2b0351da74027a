#pragma once
// Loading and changing one profile file on disk. The store's policy lives
// here: a missing file reads as empty, a file that exists but cannot be read
// is never overwritten, and a change replaces the file atomically at once.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ini/IniDocument.h"
#include "platform/ini/ProfileText.h"

namespace fern {

// What tells one version of a file from another without reading it.
struct FileIdentity {
    bool exists = false;
    unsigned long long device = 0, inode = 0;
    long long size = 0;
    long long modifiedSec = 0, modifiedNsec = 0, changedSec = 0, changedNsec = 0;
    bool operator==(const FileIdentity&) const = default;
};

// `fsPath` is the file-system (UTF-8) path. A failed look-up is !exists.
FileIdentity IdentifyFile(const std::string& fsPath);

struct ProfileFile {
    enum class State { Missing, Loaded, Unreadable };
    State state = State::Missing;
    FileIdentity identity;  // taken before reading, so a later change shows
    IniDocument document;
    ProfileTextForm form = ProfileTextForm::Bytes;
    bool lossless = true;
    std::string error;  // why an existing file could not be read
};

ProfileFile LoadProfileFile(std::string_view path);

// Sets (value given), deletes a key (no value) or a whole section (no key),
// then writes the file if anything changed. False with the reason in `error`
// when the file cannot be read or written, or when a name or value would not
// read back as itself (a line break, "=" in a key); the old file stays whole.
bool EditProfileFile(std::string_view path, std::string_view section, std::optional<std::string_view> key,
                     std::optional<std::string_view> value, std::string* error);

// Replaces the whole of `section` with `entries` (in order; none: the
// section goes) in one atomic write; the rest of the file stays as it was.
// False with the reason, the old file whole, as EditProfileFile.
bool ReplaceProfileSection(std::string_view path, std::string_view section,
                           const std::vector<std::pair<std::string, std::string>>& entries,
                           std::string* error);

}  // namespace fern
