#pragma once
// The fields of the bookmark property sheet and the rules that take them
// back into a node: a name or url holds no line end or TAB (the list file
// would break), the memo's line ends are stored as 0x02 0x02 and it is cut
// at 260 bytes without splitting a double-byte character.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lists/BookmarkNode.h"

namespace fern {

inline constexpr std::size_t kEditTextLimit = 2084;  // name and url
inline constexpr std::size_t kEditMemoLimit = 260;

struct BookmarkEditFields {
    bool folder = false;  // the url and the style switches do not apply
    std::string name, url;
    std::string memo;     // as shown: a CR LF for each stored 0x02 0x02
    std::string created;  // formatted; empty when unknown
    // The style switches as the sheet shows them: on = the feature runs.
    bool images = false, videos = false, sounds = false, scripts = false, java = false, activexRun = false,
         activexDownload = false;
    int securityMode = 1;  // exstyle: 0 apply the switches, 1 leave the tab's, 2 the defaults
};

BookmarkEditFields EditFieldsOf(const BookmarkNode& node, std::string_view datePicture);
// OK: the fields into the node (the created time stays).
void ApplyEditFields(const BookmarkEditFields& fields, BookmarkNode& node);

// CR, LF and TAB removed, then cut to `limit` bytes on a character boundary.
std::string CleanFieldText(std::string_view text, std::size_t limit = kEditTextLimit);
// Stored memo (0x02 0x02 breaks) to the shown text (CR LF) and back; the
// stored form is cut at 260 bytes, never inside a character or a break.
std::string MemoForEditing(std::string_view stored);
std::string MemoForStoring(std::string_view shown);

}  // namespace fern
