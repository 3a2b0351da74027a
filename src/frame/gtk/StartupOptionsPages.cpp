#include "frame/gtk/StartupOptionsPages.h"

#include "frame/ListFileGuard.h"
#include "frame/StateLog.h"
#include "lists/ItemListFile.h"
#include "options/EditedList.h"
#include "platform/fs/FileIo.h"

namespace fern {

namespace {

constexpr char kCaption[] = "Fern Browser";

std::vector<std::string> UrlsOf(const std::vector<UrlItem>& items) {
    std::vector<std::string> urls;
    urls.reserve(items.size());
    for (const UrlItem& item : items) urls.push_back(item.url);
    return urls;
}

}  // namespace

BootOptionsPage::BootOptionsPage()
    : m_saveAtExit(m_column.Check("終了時にタブのURLをログに保存(&S)")),
      m_restoreAtStart(m_column.Check("起動時にログに保存してあるURLを復元(&R)")),
      m_dedupe(m_column.Check("復元時にログ内の重複をチェック(&D)")),
      m_noRestoreWithArguments(m_column.Check("起動時にパラメータが渡された場合は復元を無効(&P)")) {}

void BootOptionsPage::Load(const ProgramSettings& working) {
    const StartupSettings& s = m_loaded = working.startup;
    m_saveAtExit.set_active(s.saveStateAtExit);
    m_restoreAtStart.set_active(s.restoreStateAtStart);
    m_dedupe.set_active(s.dedupeOnRestore);
    m_noRestoreWithArguments.set_active(s.noRestoreWithArguments);
}

void BootOptionsPage::Store(COptionsSession& session) {
    StartupSettings& s = session.Edit(SettingsSection::Startup).startup;
    Put(s.saveStateAtExit, m_saveAtExit.get_active(), m_loaded.saveStateAtExit);
    Put(s.restoreStateAtStart, m_restoreAtStart.get_active(), m_loaded.restoreStateAtStart);
    Put(s.dedupeOnRestore, m_dedupe.get_active(), m_loaded.dedupeOnRestore);
    Put(s.noRestoreWithArguments, m_noRestoreWithArguments.get_active(), m_loaded.noRestoreWithArguments);
}

StartupUrlOptionsPage::StartupUrlOptionsPage(std::string startupPath, IMessageBox& messageBox)
    : m_path(std::move(startupPath)),
      m_messageBox(messageBox),
      m_open(m_column.Check("起動時に以下のURLを開く(&S)")),
      m_dedupe(m_column.Check("ログ内容と重複チェック(&R)")),
      m_list("スタートアップURL", true,
             [this](const std::string& text) { m_messageBox.Show(text, kCaption, MessageBoxKind::Ok); }) {
    m_column.pack_start(m_list, Gtk::PACK_EXPAND_WIDGET);
    ListFileStatus status = ReadItemList(m_path, m_items);
    m_unreadable = ExistsButUnread(m_path, status);
    m_readError = status.error;
    m_list.SetEntries(UrlsOf(m_items));
    if (m_unreadable) {
        // What the file holds was never read: a list edited here would
        // replace it, so the list stays as it is until the file can be read.
        m_list.set_sensitive(false);
        m_column.Note("スタートアップURL (" + m_path + ") を読み込めないため、一覧は変更できません。\n" +
                      m_readError);
    }
}

void StartupUrlOptionsPage::Load(const ProgramSettings& working) {
    m_loaded = working.startup;
    m_open.set_active(working.startup.openStartupUrls);
    m_dedupe.set_active(working.startup.dedupeStartupAgainstLog);
}

void StartupUrlOptionsPage::Store(COptionsSession& session) {
    StartupSettings& s = session.Edit(SettingsSection::Startup).startup;
    Put(s.openStartupUrls, m_open.get_active(), m_loaded.openStartupUrls);
    Put(s.dedupeStartupAgainstLog, m_dedupe.get_active(), m_loaded.dedupeStartupAgainstLog);
    if (!m_list.Changed()) return;
    // "スタートアップURLに登録(&S)" may have added to the file meanwhile.
    std::vector<UrlItem> now;
    ListFileStatus read = ReadItemList(m_path, now);
    if (m_unreadable || ExistsButUnread(m_path, read)) {
        // What the file holds was never shown here: writing the page's list
        // would lose it.
        m_messageBox.Show("スタートアップURL (" + m_path +
                              ") を読み込めなかったため、変更は保存しません。\n" +
                              (m_unreadable ? m_readError : read.error),
                          kCaption, MessageBoxKind::Ok);
        return;
    }
    std::vector<UrlItem> before = m_items;
    before.insert(before.end(), now.begin(), now.end());
    std::vector<UrlItem> items =
        EditedItemList(before, WithEntriesAppendedSince(m_list.Entries(), UrlsOf(m_items), UrlsOf(now)));
    ListFileStatus status = WriteItemList(m_path, kStartupListName, items);
    if (!status) {
        LogWriteFailure(m_path, status.error);
        m_messageBox.Show("スタートアップURL (" + m_path + ") を保存できませんでした。\n" + status.error,
                          kCaption, MessageBoxKind::Ok);
        return;
    }
    m_items = std::move(items);
    m_list.ClearChanged();
}

void AddStartupOptionsPages(COptionsPages& pages, const std::string& startupPath, IMessageBox& messageBox) {
    pages.Add("起動/終了", [] { return std::make_unique<BootOptionsPage>(); });
    pages.Add("起動/終了::スタートアップURL", [startupPath, &messageBox] {
        return std::make_unique<StartupUrlOptionsPage>(startupPath, messageBox);
    });
}

}  // namespace fern
