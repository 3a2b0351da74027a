#include "sidebar/gtk/FernBarOptionsPage.h"

#include <tuple>

#include "sidebar/SideBar.h"

namespace fern {

namespace {

std::vector<std::string> PanelTitles() {
    std::vector<std::string> titles;
    for (int i = 0; i < kSideBarPanelCount; ++i) titles.push_back(SideBarPanelTitle(i));
    return titles;
}

// HSHCharCode -1 .. 6, in the order of the history search's menu.
const std::vector<std::string> kCodes{"オート",  "SJIS",  "JIS",   "EUC",
                                      "UNICODE", "UTF-8", "UTF-7", "UNICODEBE"};

}  // namespace

FernBarOptionsPage::FernBarOptionsPage()
    : m_bottom(m_column.Check("タブを下に表示(&B)")),
      m_focusPage(m_column.Check("ナビゲート時はページにフォーカス移動(&N)")),
      m_titles(m_column.Check("タブのタイトルを表示(&D)")),
      m_infoTips(m_column.Check("インフォチップ(&I)")),
      m_focusPanel(m_column.Check("表示時にフォーカス移動(&S)")),
      m_startPanel(m_column.Choice("起動時のパネル(&P)", PanelTitles())),
      m_bookmarkNewTab(m_column.Check("ファーンバーのブックマークは新規タブ(&K)")),
      m_historyNewTab(m_column.Check("ファーンバーの履歴は新規タブ(&H)")),
      m_searchNewTab(m_column.Check("ファーンバーの履歴検索は新規タブ(&F)")),
      m_charCode(m_column.Choice("履歴検索の文字コード(&C)", kCodes)),
      // The history reads it when it starts.
      m_keepTexts(m_column.Check("キャッシュ内検索用にページの本文を保存 [再起動] (&T)")) {}

void FernBarOptionsPage::Load(const ProgramSettings& working) {
    m_loaded = working;
    const FernBarSettings& f = working.fernBar;
    m_bottom.set_active(f.tabsAtBottom);
    m_focusPage.set_active(f.focusPageOnOpen);
    m_titles.set_active(f.showTabTitles);
    m_infoTips.set_active(f.infoTips);
    m_focusPanel.set_active(f.focusPanelOnShow);
    m_startPanel.set_active(SideBarStartPanel(f.panelIndex));
    m_bookmarkNewTab.set_active(working.bookmark.barOpenInNewTab);
    m_historyNewTab.set_active(working.history.openInNewTab);
    m_searchNewTab.set_active(working.historySearch.openInNewTab);
    int code = working.historySearch.charCode;
    m_charCode.set_active(code >= -1 && code <= 6 ? code + 1 : 0);
    m_keepTexts.set_active(working.history.pageTexts != 0);
}

void FernBarOptionsPage::Store(COptionsSession& session) {
    const ProgramSettings& w = session.Working();
    FernBarSettings f = w.fernBar;
    Put(f.tabsAtBottom, m_bottom.get_active(), m_loaded.fernBar.tabsAtBottom);
    Put(f.focusPageOnOpen, m_focusPage.get_active(), m_loaded.fernBar.focusPageOnOpen);
    Put(f.showTabTitles, m_titles.get_active(), m_loaded.fernBar.showTabTitles);
    Put(f.infoTips, m_infoTips.get_active(), m_loaded.fernBar.infoTips);
    Put(f.focusPanelOnShow, m_focusPanel.get_active(), m_loaded.fernBar.focusPanelOnShow);
    // A stored index outside 0..3 shows as the first panel and stays unless another is picked.
    int shownPanel = SideBarStartPanel(m_loaded.fernBar.panelIndex);
    if (m_startPanel.get_active_row_number() != shownPanel)
        f.panelIndex = m_startPanel.get_active_row_number();
    if (std::tie(f.tabsAtBottom, f.focusPageOnOpen, f.showTabTitles, f.infoTips, f.focusPanelOnShow,
                 f.panelIndex) != std::tie(w.fernBar.tabsAtBottom, w.fernBar.focusPageOnOpen,
                                           w.fernBar.showTabTitles, w.fernBar.infoTips,
                                           w.fernBar.focusPanelOnShow, w.fernBar.panelIndex))
        session.Edit(SettingsSection::FernBar).fernBar = f;

    // The bookmark panel's "開くの切り替え" (`BKBarStyle` bit 0).
    if (m_bookmarkNewTab.get_active() != m_loaded.bookmark.barOpenInNewTab)
        session.Edit(SettingsSection::Bookmark).bookmark.barOpenInNewTab = m_bookmarkNewTab.get_active();
    if (m_historyNewTab.get_active() != m_loaded.history.openInNewTab)
        session.Edit(SettingsSection::History).history.openInNewTab = m_historyNewTab.get_active();
    if (m_keepTexts.get_active() != (m_loaded.history.pageTexts != 0))
        session.Edit(SettingsSection::History).history.pageTexts = m_keepTexts.get_active() ? 1 : 0;
    int code = m_charCode.get_active_row_number() - 1;
    int loadedCode = m_loaded.historySearch.charCode;
    bool codeChanged =
        m_charCode.get_active_row_number() != (loadedCode >= -1 && loadedCode <= 6 ? loadedCode + 1 : 0);
    if (m_searchNewTab.get_active() != m_loaded.historySearch.openInNewTab || codeChanged) {
        HistorySearchSettings& hs = session.Edit(SettingsSection::HistorySearch).historySearch;
        Put(hs.openInNewTab, m_searchNewTab.get_active(), m_loaded.historySearch.openInNewTab);
        if (codeChanged) hs.charCode = code;
    }
}

}  // namespace fern
