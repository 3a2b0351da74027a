#pragma once
// Lines of a list file (.fbl): splitting the bytes into lines and telling the
// records and fields apart by their fixed byte positions.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace fern {

// Hands out the lines of a list file one by one, without their line ends
// (LF or CR LF). A line of any length is read whole. A line is cut at its
// first NUL byte, as a C string would end there.
class ListLineReader {
public:
    explicit ListLineReader(std::string_view bytes) : rest_(bytes) {}
    // False at the end of the bytes.
    bool Next(std::string_view& line);
    bool AtEnd() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

enum class ListLineKind {
    Blank,  // nothing before the line end: skipped
    Field,  // TAB first; Key() selects the field
    Head,   // '#' first; Key() selects the record
    Close,  // '-' first: the end of the current folder
    Other,  // ignored
};

ListLineKind ClassifyListLine(std::string_view line);

// The byte that selects the field or record: the second byte, or 0.
inline char ListLineKey(std::string_view line) { return line.size() > 1 ? line[1] : '\0'; }

// The value of a field line, taken from the fixed position of its key
// ("\tNAME=" 6, "\tURL=" 5, "\tDESC=" 6, "\tSTYLE=" 7, "\tEXSTYLE=" 9,
// "\tCREATED=" 9) whatever the bytes in between; empty for a shorter line or
// an unknown key.
std::string_view ListFieldValue(std::string_view line);

// A number as the C library's atol reads it: leading blanks, an optional
// sign, digits up to the first other byte; no digits give 0; the result
// wraps to 32 bits.
std::uint32_t ParseListNumber(std::string_view text);

// Hands `onLine(kind, line)` the field and record lines of a one-folder list
// (.fbl with a single "#FOLDER"), without the folder's own head. The list ends
// at the folder's close; a second folder is not part of it.
template <class OnLine>
void ForEachFirstFolderLine(std::string_view bytes, OnLine&& onLine) {
    ListLineReader lines(bytes);
    std::string_view line;
    bool inFolder = false;
    while (lines.Next(line)) {
        ListLineKind kind = ClassifyListLine(line);
        if (kind == ListLineKind::Close) return;
        if (kind == ListLineKind::Head && ListLineKey(line) == 'F') {
            if (inFolder) return;
            inFolder = true;
        } else if (kind == ListLineKind::Field || kind == ListLineKind::Head) {
            onLine(kind, line);
        }
    }
}

}  // namespace fern
