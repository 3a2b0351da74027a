#include "bookmarks/gtk/BookmarkOptionsPages.h"

#include <algorithm>
#include <tuple>

#include "bookmarks/BookmarkOptions.h"
#include "platform/fs/FsPath.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/ListFileChooser.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

constexpr int kMinMenuText = 6, kMaxMenuText = 128;
constexpr int kMinButton = 30, kMaxButton = 256;
const std::vector<std::string> kAddStyles{"上記設定を適用", "変更しない", "必ず初期値"};

// A labelled text field with an optional button, as one row of the column.
Gtk::Box& FieldRow(OptionsColumn& column, const std::string& label, Gtk::Entry& entry) {
    auto* row = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 6));
    auto* text = Gtk::manage(new Gtk::Label(MnemonicLabel(label), true));
    text->set_mnemonic_widget(entry);
    entry.get_accessible()->set_name(ToUtf8(label.substr(0, label.find("(&"))));
    row->pack_start(*text, Gtk::PACK_SHRINK);
    row->pack_start(entry, Gtk::PACK_EXPAND_WIDGET);
    column.pack_start(*row, Gtk::PACK_SHRINK);
    return *row;
}

bool SameOnPage(const BookmarkSettings& a, const BookmarkSettings& b) {
    return std::tie(a.openInNewTab, a.focusPage, a.limitMenuText, a.menuTextLimit, a.menuAddHere,
                    a.menuOpenFolder, a.defaultAddStyle, a.bookmarkPath, a.dateFormat, a.tipName, a.tipUrl,
                    a.tipMemo, a.tipCreated) == std::tie(b.openInNewTab, b.focusPage, b.limitMenuText,
                                                         b.menuTextLimit, b.menuAddHere, b.menuOpenFolder,
                                                         b.defaultAddStyle, b.bookmarkPath, b.dateFormat,
                                                         b.tipName, b.tipUrl, b.tipMemo, b.tipCreated);
}

}  // namespace

BookmarkOptionsPage::BookmarkOptionsPage(CSettingsService& settings)
    : m_settings(settings),
      m_newTab(m_column.Check("新規タブで開く(&N)")),
      m_focus(m_column.Check("ナビゲート時はページにフォーカス移動(&F)")),
      m_limitText(m_column.Check("メニューの文字数制限(&L)")),
      m_textLimit(m_column.Number("文字数(&C)", kMinMenuText, kMaxMenuText, "バイト")),
      m_addHere(m_column.Check("メニューに「ここに追加」を追加(&A)")),
      m_openFolder(m_column.Check("メニューに「フォルダのURLを開く」を追加(&O)")),
      m_addStyle(m_column.Choice("追加時のセキュリティモード(&S)", kAddStyles)),
      m_tipName(m_column.Check("インフォチップに名前を表示(&1)")),
      m_tipUrl(m_column.Check("インフォチップにURLを表示(&2)")),
      m_tipMemo(m_column.Check("インフォチップにメモを表示(&3)")),
      m_tipCreated(m_column.Check("インフォチップに作成日時を表示(&4)")) {
    Gtk::Box& pathRow = FieldRow(m_column, "ブックマーク ファイル(&B)", m_path);
    auto* browse = Gtk::manage(new Gtk::Button(ToUtf8("参照...")));
    browse->signal_clicked().connect([this] { ChoosePath(); });
    pathRow.pack_start(*browse, Gtk::PACK_SHRINK);
    FieldRow(m_column, "日付の書式(&D)", m_dateFormat);
    m_limitText.signal_toggled().connect([this] { m_textLimit.set_sensitive(m_limitText.get_active()); });
}

void BookmarkOptionsPage::ChoosePath() {
    auto* parent = dynamic_cast<Gtk::Window*>(m_column.get_toplevel());
    if (!parent) return;
    if (std::optional<std::string> chosen = ChooseFile(*parent, false, ListFileFilters(), m_settings))
        m_path.set_text(ToUtf8(PathToText(*chosen)));
}

void BookmarkOptionsPage::Load(const ProgramSettings& working) {
    const BookmarkSettings& b = working.bookmark;
    m_loaded = b;
    m_newTab.set_active(b.openInNewTab);
    m_focus.set_active(b.focusPage);
    m_limitText.set_active(b.limitMenuText);
    m_textLimit.set_value(std::clamp(b.menuTextLimit, kMinMenuText, kMaxMenuText));
    m_textLimit.set_sensitive(b.limitMenuText);
    m_addHere.set_active(b.menuAddHere);
    m_openFolder.set_active(b.menuOpenFolder);
    m_addStyle.set_active(ChoiceIndex(b.defaultAddStyle, static_cast<int>(kAddStyles.size())));
    m_path.set_text(ToUtf8(b.bookmarkPath));
    m_dateFormat.set_text(ToUtf8(b.dateFormat));
    m_tipName.set_active(b.tipName);
    m_tipUrl.set_active(b.tipUrl);
    m_tipMemo.set_active(b.tipMemo);
    m_tipCreated.set_active(b.tipCreated);
}

void BookmarkOptionsPage::Store(COptionsSession& session) {
    BookmarkSettings b = session.Working().bookmark;
    b.openInNewTab = m_newTab.get_active();
    b.focusPage = m_focus.get_active();
    b.limitMenuText = m_limitText.get_active();
    b.menuTextLimit = std::clamp(m_textLimit.get_value_as_int(), kMinMenuText, kMaxMenuText);
    b.menuAddHere = m_addHere.get_active();
    b.menuOpenFolder = m_openFolder.get_active();
    b.defaultAddStyle = ChosenValue(m_addStyle.get_active_row_number(), m_loaded.defaultAddStyle,
                                    static_cast<int>(kAddStyles.size()));
    // A path is stored as text; an emptied field means bookmark.fbl in the data folder.
    b.bookmarkPath = FromUtf8(m_path.get_text().raw());
    b.dateFormat = FromUtf8(m_dateFormat.get_text().raw());
    b.tipName = m_tipName.get_active();
    b.tipUrl = m_tipUrl.get_active();
    b.tipMemo = m_tipMemo.get_active();
    b.tipCreated = m_tipCreated.get_active();
    // A section is written only when the page changed it.
    if (!SameOnPage(b, session.Working().bookmark)) session.Edit(SettingsSection::Bookmark).bookmark = b;
}

LinkBarOptionsPage::LinkBarOptionsPage()
    : m_newTab(m_column.Check("新規タブで開く(&N)")),
      m_icons(m_column.Check("アイコンを表示(&I)")),
      m_fixedWidth(m_column.Check("ボタンの横幅を指定(&S)")),
      m_width(m_column.Number("横幅(&W)", kMinButton, kMaxButton, "ピクセル")),
      m_addHere(m_column.Check("メニューに「ここに追加」を追加(&A)")),
      m_openFolder(m_column.Check("メニューに「フォルダのURLを開く」を追加(&O)")) {
    m_fixedWidth.signal_toggled().connect([this] { m_width.set_sensitive(m_fixedWidth.get_active()); });
}

void LinkBarOptionsPage::Load(const ProgramSettings& working) {
    const LinkBarSettings& l = working.linkBar;
    m_newTab.set_active(l.openInNewTab);
    m_icons.set_active(l.showIcons);
    m_fixedWidth.set_active(l.fixedWidth);
    m_width.set_value(std::clamp(l.fixedSize & 0xFFFF, kMinButton, kMaxButton));
    m_width.set_sensitive(l.fixedWidth);
    m_addHere.set_active(l.menuAddHere);
    m_openFolder.set_active(l.menuOpenFolder);
}

void LinkBarOptionsPage::Store(COptionsSession& session) {
    LinkBarSettings l = session.Working().linkBar;
    l.openInNewTab = m_newTab.get_active();
    l.showIcons = m_icons.get_active();
    l.fixedWidth = m_fixedWidth.get_active();
    // The high half, a second size, is written as 0.
    l.fixedSize = std::clamp(m_width.get_value_as_int(), kMinButton, kMaxButton);
    l.menuAddHere = m_addHere.get_active();
    l.menuOpenFolder = m_openFolder.get_active();
    const LinkBarSettings& w = session.Working().linkBar;
    if (std::tie(l.openInNewTab, l.showIcons, l.fixedWidth, l.fixedSize, l.menuAddHere, l.menuOpenFolder) !=
        std::tie(w.openInNewTab, w.showIcons, w.fixedWidth, w.fixedSize, w.menuAddHere, w.menuOpenFolder))
        session.Edit(SettingsSection::LinkBar).linkBar = l;
}

void AddBookmarkOptionsPages(COptionsPages& pages, CSettingsService& settings) {
    pages.Add("ブックマーク", [&settings] { return std::make_unique<BookmarkOptionsPage>(settings); });
    pages.Add("リンク バー", [] { return std::make_unique<LinkBarOptionsPage>(); });
}

}  // namespace fern
