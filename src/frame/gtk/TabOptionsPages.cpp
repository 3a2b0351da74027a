#include "frame/gtk/TabOptionsPages.h"

#include <algorithm>

namespace fern {

namespace {

// The ranges the pages hold the numbers to.
constexpr int kMinTabs = 1, kMaxTabs = 256;
constexpr int kMinWidth = 20, kMaxWidth = 256;
constexpr int kMinText = 1, kMaxText = 100;
constexpr int kMaxSleepMinutes = 24 * 60, kMaxMemoryMB = 1024 * 1024;

const std::vector<std::string> kCreateNew{"空白ページ", "ホームページ", "クリップボード", "選択タブのコピー"};
const std::vector<std::string> kInsertPosition{"常に最後", "常に先頭", "選択タブの左", "選択タブの右"};
const std::vector<std::string> kNextActive{"前に選択していたタブ", "常に先頭", "常に最後", "消したタブの左",
                                           "消したタブの右"};
const std::vector<std::string> kClick{"何もしない", "閉じる", "更新", "戻る", "ナビゲートロック"};
const std::vector<std::string> kRightClick{"メニュー", "閉じる",           "更新",
                                           "戻る",     "ナビゲートロック", "何もしない"};

int Items(const std::vector<std::string>& items) { return static_cast<int>(items.size()); }

void Show(Gtk::ComboBoxText& combo, int stored, const std::vector<std::string>& items) {
    combo.set_active(ChoiceIndex(stored, Items(items)));
}

int Chosen(const Gtk::ComboBoxText& combo, int stored, const std::vector<std::string>& items) {
    return ChosenValue(combo.get_active_row_number(), stored, Items(items));
}

}  // namespace

TabOptionsPage::TabOptionsPage()
    : m_selectBlank(m_column.Check("空白ページは選択する(&B)")),
      m_selectNew(m_column.Check("新規タブは選択する(&A)")),
      m_limit(m_column.Check("タブの数を制限(&L)")),
      m_limitCount(m_column.Number("最大(&X)", kMinTabs, kMaxTabs, "個")),
      m_noNewFromLocked(m_column.Check("ナビゲートロックしたタブから新規タブは作らない(&L)")),
      m_createNew(m_column.Choice("新規タブで開くページ(&N)", kCreateNew)),
      m_insertPosition(m_column.Choice("新規タブの位置(&P)", kInsertPosition)),
      m_nextActive(m_column.Choice("タブを閉じた後に選択するタブ(&S)", kNextActive)),
      m_wheelClick(m_column.Choice("ホイール クリック(&W)", kClick)),
      m_rightClick(m_column.Choice("右クリック(&R)", kRightClick)),
      m_doubleClick(m_column.Choice("左ダブルクリック(&D)", kClick)),
      m_sleepMinutes(
          m_column.Number("使わないタブを休止するまで(&Z)", 0, kMaxSleepMinutes, "分 (0: 休止しない)")),
      m_sleepMemory(m_column.Number("メモリの上限(&Y)", 0, kMaxMemoryMB, "MB (0: 搭載メモリの 1/4)")) {
    m_limit.signal_toggled().connect([this] { m_limitCount.set_sensitive(m_limit.get_active()); });
}

void TabOptionsPage::Load(const ProgramSettings& working) {
    const TabBarSettings& t = working.tabBar;
    m_loaded = t;
    m_selectBlank.set_active(t.selectBlankPage);
    m_selectNew.set_active(t.selectNewTab);
    m_limit.set_active(t.limitTabCount);
    m_limitCount.set_value(std::clamp(t.createLimit, kMinTabs, kMaxTabs));
    m_limitCount.set_sensitive(t.limitTabCount);
    m_noNewFromLocked.set_active(t.noNewTabsFromLocked);
    Show(m_createNew, t.createNew, kCreateNew);
    Show(m_insertPosition, t.insertPosition, kInsertPosition);
    Show(m_nextActive, t.nextActive, kNextActive);
    Show(m_wheelClick, t.wheelClick, kClick);
    Show(m_rightClick, t.rightClick, kRightClick);
    Show(m_doubleClick, t.leftDoubleClick, kClick);
    m_sleepMinutes.set_value(std::clamp(t.sleepMinutes, 0, kMaxSleepMinutes));
    m_sleepMemory.set_value(std::clamp(t.sleepMemoryMB, 0, kMaxMemoryMB));
}

void TabOptionsPage::Store(COptionsSession& session) {
    TabBarSettings& t = session.Edit(SettingsSection::TabBar).tabBar;
    t.selectBlankPage = m_selectBlank.get_active();
    t.selectNewTab = m_selectNew.get_active();
    t.limitTabCount = m_limit.get_active();
    t.createLimit = std::clamp(m_limitCount.get_value_as_int(), kMinTabs, kMaxTabs);
    t.noNewTabsFromLocked = m_noNewFromLocked.get_active();
    t.createNew = Chosen(m_createNew, m_loaded.createNew, kCreateNew);
    t.insertPosition = Chosen(m_insertPosition, m_loaded.insertPosition, kInsertPosition);
    t.nextActive = Chosen(m_nextActive, m_loaded.nextActive, kNextActive);
    t.wheelClick = Chosen(m_wheelClick, m_loaded.wheelClick, kClick);
    t.rightClick = Chosen(m_rightClick, m_loaded.rightClick, kRightClick);
    t.leftDoubleClick = Chosen(m_doubleClick, m_loaded.leftDoubleClick, kClick);
    t.sleepMinutes = std::clamp(m_sleepMinutes.get_value_as_int(), 0, kMaxSleepMinutes);
    t.sleepMemoryMB = std::clamp(m_sleepMemory.get_value_as_int(), 0, kMaxMemoryMB);
}

TabLookOptionsPage::TabLookOptionsPage()
    : m_multiLine(m_column.Check("複数行表示(&M)")),
      m_fixedWidth(m_column.Check("タブの横幅を指定(&W)")),
      m_width(m_column.Number("横幅(&I)", kMinWidth, kMaxWidth, "ピクセル")),
      m_limitText(m_column.Check("タブの文字数制限(&T)")),
      m_textLimit(m_column.Number("文字数(&N)", kMinText, kMaxText, "文字")),
      m_below(m_column.Check("タブバーを下に表示(&B)")),
      m_clientSide(m_column.Check("タブバーをClient側に表示 [再起動] (&D)")),
      m_colours(m_column.Check("文字色、背景色を指定(&C)")),
      m_selText(m_column.Colour("選択タブの文字色(&S)")),
      m_unselText(m_column.Colour("非選択タブの文字色(&U)")),
      m_selBack(m_column.Colour("選択タブの背景色(&K)")),
      m_unselBack(m_column.Colour("非選択タブの背景色(&G)")),
      m_selBold(m_column.Check("選択タブを太字(&1)")),
      m_selItalic(m_column.Check("選択タブを斜体(&2)")),
      m_selUnderline(m_column.Check("選択タブに下線(&3)")),
      m_unselBold(m_column.Check("非選択タブを太字(&4)")),
      m_unselItalic(m_column.Check("非選択タブを斜体(&5)")),
      m_unselUnderline(m_column.Check("非選択タブに下線(&6)")) {
    for (Gtk::CheckButton* check : {&m_fixedWidth, &m_limitText, &m_colours})
        check->signal_toggled().connect([this] { Enable(); });
}

void TabLookOptionsPage::Enable() {
    m_width.set_sensitive(m_fixedWidth.get_active());
    m_textLimit.set_sensitive(m_limitText.get_active());
    bool colours = m_colours.get_active();
    for (Gtk::Widget* w : std::initializer_list<Gtk::Widget*>{
             &m_selText, &m_unselText, &m_selBack, &m_unselBack, &m_selBold, &m_selItalic, &m_selUnderline,
             &m_unselBold, &m_unselItalic, &m_unselUnderline})
        w->set_sensitive(colours);
}

void TabLookOptionsPage::Load(const ProgramSettings& working) {
    const TabBarSettings& t = working.tabBar;
    m_multiLine.set_active(t.multiLine);
    m_fixedWidth.set_active(t.fixedWidth);
    m_width.set_value(std::clamp(t.fixedSize & 0xFFFF, kMinWidth, kMaxWidth));
    m_limitText.set_active(t.limitText);
    m_textLimit.set_value(std::clamp(t.textLimit, kMinText, kMaxText));
    m_below.set_active(t.barBelowPages);
    m_clientSide.set_active(!t.ownBar);
    m_colours.set_active(t.useColours);
    m_selText.set_rgba(RgbaOfColour(t.selectedTextColour));
    m_unselText.set_rgba(RgbaOfColour(t.unselectedTextColour));
    m_selBack.set_rgba(RgbaOfColour(t.selectedBackColour));
    m_unselBack.set_rgba(RgbaOfColour(t.unselectedBackColour));
    m_selBold.set_active(t.selectedBold);
    m_selItalic.set_active(t.selectedItalic);
    m_selUnderline.set_active(t.selectedUnderline);
    m_unselBold.set_active(t.unselectedBold);
    m_unselItalic.set_active(t.unselectedItalic);
    m_unselUnderline.set_active(t.unselectedUnderline);
    Enable();
}

void TabLookOptionsPage::Store(COptionsSession& session) {
    TabBarSettings& t = session.Edit(SettingsSection::TabBar).tabBar;
    t.multiLine = m_multiLine.get_active();
    t.fixedWidth = m_fixedWidth.get_active();
    // The high word is a height the bar does not use: written as 0.
    t.fixedSize = std::clamp(m_width.get_value_as_int(), kMinWidth, kMaxWidth);
    t.limitText = m_limitText.get_active();
    t.textLimit = std::clamp(m_textLimit.get_value_as_int(), kMinText, kMaxText);
    t.barBelowPages = m_below.get_active();
    t.ownBar = !m_clientSide.get_active();
    t.useColours = m_colours.get_active();
    t.selectedTextColour = ColourOfRgba(m_selText.get_rgba());
    t.unselectedTextColour = ColourOfRgba(m_unselText.get_rgba());
    t.selectedBackColour = ColourOfRgba(m_selBack.get_rgba());
    t.unselectedBackColour = ColourOfRgba(m_unselBack.get_rgba());
    t.selectedBold = m_selBold.get_active();
    t.selectedItalic = m_selItalic.get_active();
    t.selectedUnderline = m_selUnderline.get_active();
    t.unselectedBold = m_unselBold.get_active();
    t.unselectedItalic = m_unselItalic.get_active();
    t.unselectedUnderline = m_unselUnderline.get_active();
}

void AddTabOptionsPages(COptionsPages& pages) {
    pages.Add("タブ/タブ バー", [] { return std::make_unique<TabOptionsPage>(); });
    pages.Add("タブ/タブ バー::表示", [] { return std::make_unique<TabLookOptionsPage>(); });
}

}  // namespace fern
