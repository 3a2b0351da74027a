#pragma once
// The list editor ("Fern Browser [ List Editor ]"): the rows of a plain URL
// list file, the file they came from or went to, and whether they changed
// since. The window shows the rows and asks for files; every rule is here.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fern {

// The editor's own commands (its menu and keys; not the main window's).
enum ListEditorCommandId : int {
    ID_LISTEDIT_OPEN = 32800,
    ID_LISTEDIT_SAVE_AS = 32801,
    ID_LISTEDIT_DELETE = 32802,
    ID_LISTEDIT_SAVE = 32804,
    ID_LISTEDIT_ADD = 32805,
    ID_LISTEDIT_ADD_FROM_LIST = 32806,
};

struct ListEditorCommand {
    int id;
    const char* text;    // menu text, "\t" then the key text
    const char* key;     // the accelerator ("Ctrl+O"), "" for none
    const char* prompt;  // the status-bar text
};

// The menu in its order.
std::span<const ListEditorCommand> ListEditorCommands();

inline constexpr const char* kListEditorCaption = "Fern Browser [ List Editor ]";
inline constexpr const char* kListEditorListName = "urls";

// The outcome of a file step; `message` (Shift-JIS) says what went wrong.
struct ListEditResult {
    enum class Kind { Done, NeedsPath, Failed };
    Kind kind = Kind::Done;
    std::string message;
    bool Done() const { return kind == Kind::Done; }
};

class CModelessMain {
public:
    const std::vector<std::string>& Rows() const { return m_rows; }
    const std::string& Path() const { return m_path; }  // file-system bytes; empty for a new list
    bool Modified() const { return m_modified; }

    // Replaces the rows with the URLs of `path`, which becomes the current
    // file. A file that cannot be read, or holds no list, changes nothing.
    ListEditResult Open(const std::string& path);
    // Appends the URLs of `path` below the rows; the current file stays.
    ListEditResult AddFromList(const std::string& path);

    // A new row holding `url` at the end; its index.
    std::size_t Add(std::string url = {});
    void SetRow(std::size_t index, std::string text);
    void Delete(std::size_t index);

    // Writes the non-empty rows, in order, to the current file; NeedsPath
    // when there is none yet (the caller then asks for one: save as).
    ListEditResult Save();
    // Writes them to `path`, which becomes the current file when written.
    ListEditResult SaveAs(const std::string& path);

    std::vector<std::string> NonEmptyRows() const;

private:
    std::vector<std::string> m_rows;
    std::string m_path;
    bool m_modified = false;

    ListEditResult Read(const std::string& path, std::vector<std::string>& urls) const;
};

}  // namespace fern
