#include "filters/gtk/CloseOptionsPages.h"

#include "options/EditedList.h"
#include "platform/fs/FileIo.h"

namespace fern {

namespace {
constexpr char kCaption[] = "Fern Browser";
}  // namespace

CloseListPage::CloseListPage(const ClosePageServices& services, const std::string& listName)
    : m_s(services), m_list(listName, false, [this](const std::string& text) {
          m_s.messageBox.Show(text, kCaption, MessageBoxKind::Ok);
      }) {}

void CloseListPage::PackList() {
    m_column.pack_start(m_list, Gtk::PACK_EXPAND_WIDGET);
    if (m_s.filter.Lists().unreadable)
        m_column.Note(
            "制止リスト (" + m_s.closeListPath +
            ") を読み込めなかったため、ここでの変更はこの起動の間だけ有効で、ファイルには保存しません。");
}

void CloseListPage::LoadList(const std::vector<std::string> CloseLists::*list) {
    m_loadedList = m_s.filter.Lists().*list;
    m_list.SetEntries(m_loadedList);
}

void CloseListPage::StoreList(std::vector<std::string> CloseLists::*list) {
    if (!m_list.Changed()) return;
    std::vector<std::string>& entries = m_s.filter.Lists().*list;
    entries = WithEntriesAppendedSince(m_list.Entries(), m_loadedList, entries);
    m_list.ClearChanged();
    ListFileStatus status = WriteCloseLists(m_s.closeListPath, m_s.filter.Lists());
    if (status) return;
    LogWriteFailure(m_s.closeListPath, status.error);
    m_s.messageBox.Show("制止リスト (" + m_s.closeListPath +
                            ") を保存できませんでした。変更はこの起動の間だけ有効です。\n" + status.error,
                        kCaption, MessageBoxKind::Ok);
}

CloseUrlOptionsPage::CloseUrlOptionsPage(const ClosePageServices& services)
    : CloseListPage(services, "制止URL"),
      m_filter(m_column.Check("以下のURLは読み込まない [ワイルドカード(*)有効] (&U)")),
      m_newTabsOnly(m_column.Check("新規タブのみ閉じる(&N)")),
      m_closeOnRegister(m_column.Check("登録時にタブを閉じる(&C)")) {
    PackList();
}

void CloseUrlOptionsPage::Load(const ProgramSettings& working) {
    const CloseUrlSettings& c = m_loaded = working.closeUrl;
    m_filter.set_active(c.closeUrlFilter);
    m_newTabsOnly.set_active(c.newTabsOnly);
    m_closeOnRegister.set_active(c.closeOnRegister);
    LoadList(&CloseLists::urls);
}

void CloseUrlOptionsPage::Store(COptionsSession& session) {
    CloseUrlSettings& c = session.Edit(SettingsSection::CloseUrl).closeUrl;
    Put(c.closeUrlFilter, m_filter.get_active(), m_loaded.closeUrlFilter);
    Put(c.newTabsOnly, m_newTabsOnly.get_active(), m_loaded.newTabsOnly);
    Put(c.closeOnRegister, m_closeOnRegister.get_active(), m_loaded.closeOnRegister);
    StoreList(&CloseLists::urls);
}

CloseTitleOptionsPage::CloseTitleOptionsPage(const ClosePageServices& services)
    : CloseListPage(services, "制止タイトル"), m_filter(m_column.Check("以下のタイトルは閉じる(&C)")) {
    PackList();
}

void CloseTitleOptionsPage::Load(const ProgramSettings& working) {
    m_loaded = working.closeUrl.closeTitleFilter;
    m_filter.set_active(m_loaded);
    LoadList(&CloseLists::titles);
}

void CloseTitleOptionsPage::Store(COptionsSession& session) {
    Put(session.Edit(SettingsSection::CloseUrl).closeUrl.closeTitleFilter, m_filter.get_active(), m_loaded);
    StoreList(&CloseLists::titles);
}

void AddCloseOptionsPages(COptionsPages& pages, const ClosePageServices& services) {
    pages.Add("制止URL", [&services] { return std::make_unique<CloseUrlOptionsPage>(services); });
    pages.Add("制止タイトル", [&services] { return std::make_unique<CloseTitleOptionsPage>(services); });
}

}  // namespace fern
