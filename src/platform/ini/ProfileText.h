#pragma once
// The text form of a profile file. Files are Shift-JIS bytes; a file that
// starts with a UTF-16 byte-order mark (as the platform writes Unicode INI
// files) is read as Shift-JIS and written back in its own form.
#include <string>
#include <string_view>

namespace fern {

enum class ProfileTextForm { Bytes, Utf16Le, Utf16Be };

struct ProfileText {
    std::string sjis;
    ProfileTextForm form = ProfileTextForm::Bytes;
    // False when a character of a UTF-16 file has no Shift-JIS form (it reads
    // as "?"): writing the file back would lose it, so it must not be written.
    bool lossless = true;
};

ProfileText DecodeProfileText(std::string_view raw);
std::string EncodeProfileText(std::string_view sjis, ProfileTextForm form);

}  // namespace fern
