#include "lists/ModelessMain.h"

#include <cstdio>

#include "lists/ListLine.h"
#include "lists/UrlListFile.h"
#include "platform/fs/FsPath.h"

namespace fern {

namespace {

// clang-format off
constexpr ListEditorCommand kCommands[] = {
    {ID_LISTEDIT_OPEN,          "開く(&O)\tCtrl+O",         "Ctrl+O", "リストファイルを開きます。"},
    {ID_LISTEDIT_SAVE,          "上書き保存(&S)\tCtrl+S",   "Ctrl+S", "リストファイルに上書き保存します。"},
    {ID_LISTEDIT_SAVE_AS,       "名前を付けて保存(&A)",     "",       "名前を付けてリストファイルを保存します。"},
    {ID_LISTEDIT_ADD_FROM_LIST, "リストから追加(&A)",       "",       "リストから追加します。"},
    {ID_LISTEDIT_ADD,           "追加(&A)\tInsert",         "Insert", "リストにURLを追加します。"},
    {ID_LISTEDIT_DELETE,        "削除(&D)\tDelete",         "Delete", "選択しているURLを削除します。"},
};
// clang-format on

ListEditResult Failed(const char* format, const std::string& path, const std::string& why) {
    char text[512];
    std::snprintf(text, sizeof text, format, PathForDisplay(path).c_str(), why.c_str());
    return {ListEditResult::Kind::Failed, text};
}

// Whether `bytes` hold a list: a folder head, or nothing but blanks (a
// new empty file). Anything else is no list file, and opening it as an
// empty list would let a save overwrite it.
bool LooksLikeList(std::string_view bytes) {
    ListLineReader lines(bytes);
    std::string_view line;
    bool blank = true;
    while (lines.Next(line)) {
        ListLineKind kind = ClassifyListLine(line);
        if (kind == ListLineKind::Head && ListLineKey(line) == 'F') return true;
        if (line.find_first_not_of(" \t\r") != std::string_view::npos) blank = false;
    }
    return blank;
}

}  // namespace

std::span<const ListEditorCommand> ListEditorCommands() { return kCommands; }

ListEditResult CModelessMain::Read(const std::string& path, std::vector<std::string>& urls) const {
    ListFileStatus status;
    std::optional<std::string> bytes = LoadListFile(path, status);
    if (!bytes) return Failed("%s を開けませんでした。\n%s", path, status.error);
    ParseUrlList(*bytes, urls);
    if (urls.empty() && !LooksLikeList(*bytes))
        return Failed("%s はURLのリスト ファイルではありません。%s", path, "");
    return {};
}

ListEditResult CModelessMain::Open(const std::string& path) {
    std::vector<std::string> urls;
    ListEditResult result = Read(path, urls);
    if (!result.Done()) return result;
    m_rows = std::move(urls);
    m_path = path;
    m_modified = false;
    return result;
}

ListEditResult CModelessMain::AddFromList(const std::string& path) {
    std::vector<std::string> urls;
    ListEditResult result = Read(path, urls);
    if (!result.Done()) return result;
    if (!urls.empty()) m_modified = true;
    m_rows.insert(m_rows.end(), std::make_move_iterator(urls.begin()), std::make_move_iterator(urls.end()));
    return result;
}

std::size_t CModelessMain::Add(std::string url) {
    m_rows.push_back(std::move(url));
    m_modified = true;
    return m_rows.size() - 1;
}

void CModelessMain::SetRow(std::size_t index, std::string text) {
    if (index >= m_rows.size() || m_rows[index] == text) return;
    m_rows[index] = std::move(text);
    m_modified = true;
}

void CModelessMain::Delete(std::size_t index) {
    if (index >= m_rows.size()) return;
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(index));
    m_modified = true;
}

std::vector<std::string> CModelessMain::NonEmptyRows() const {
    std::vector<std::string> rows;
    for (const std::string& row : m_rows)
        if (!row.empty()) rows.push_back(row);
    return rows;
}

ListEditResult CModelessMain::Save() {
    if (m_path.empty()) return {ListEditResult::Kind::NeedsPath, {}};
    return SaveAs(m_path);
}

ListEditResult CModelessMain::SaveAs(const std::string& path) {
    ListFileStatus written = WriteUrlList(path, kListEditorListName, NonEmptyRows());
    if (!written) return Failed("%s に保存できませんでした。\n%s", path, written.error);
    m_path = path;
    m_modified = false;
    return {};
}

}  // namespace fern
