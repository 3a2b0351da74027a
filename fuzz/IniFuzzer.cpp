// libFuzzer target: the INI reader behind fern.ini, wnds.ini, privacy.ini and
// the Internet shortcut (.url) files, on any bytes, in any of the text forms
// a profile can come in. What it writes must read back as it wrote it: the
// document serialised and parsed again serialises the same, and a value set
// through it is the value found.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "bookmarks/UrlShortcut.h"
#include "platform/ini/IniDocument.h"
#include "platform/ini/ProfileText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fern::ProfileText text = fern::DecodeProfileText(bytes);
    fern::IniDocument document = fern::IniDocument::Parse(text.sjis);
    std::string once = document.Serialize();
    if (fern::IniDocument::Parse(once).Serialize() != once) __builtin_trap();
    fern::EncodeProfileText(once, text.form);

    // The last line of the input names a section, a key and a value.
    std::size_t cut = bytes.rfind('\n');
    std::string_view tail = cut == std::string_view::npos ? bytes : bytes.substr(cut + 1);
    std::size_t a = tail.find('\x01'), b = a == std::string_view::npos ? a : tail.find('\x01', a + 1);
    if (b != std::string_view::npos) {
        std::string_view section = tail.substr(0, a), key = tail.substr(a + 1, b - a - 1),
                         value = tail.substr(b + 1);
        document.Find(section, key);
        if (fern::IniDocument::IsWritableSection(section) && fern::IniDocument::IsWritableKey(key) &&
            fern::IniDocument::IsWritableValue(value)) {
            document.Set(section, key, value);
            const std::string* found = fern::IniDocument::Parse(document.Serialize()).Find(section, key);
            if (!found) __builtin_trap();
            document.DeleteKey(section, key);
            document.DeleteSection(section);
        }
    }

    fern::ParseUrlShortcut(bytes);
    return 0;
}
