#pragma once
// The options pages of the tabs: "タブ/タブ バー" (how tabs open, close and
// answer the mouse) and "タブ/タブ バー::表示" (how the bar looks). Both
// write the whole TabBar section.
#include "options/gtk/OptionsPage.h"
#include "ui/gtk/OptionsControls.h"

namespace fern {

class TabOptionsPage : public IOptionsPage {
public:
    TabOptionsPage();
    Gtk::Widget& Widget() override { return m_column; }
    void Load(const ProgramSettings& working) override;
    void Store(COptionsSession& session) override;

private:
    OptionsColumn m_column;
    Gtk::CheckButton& m_selectBlank;
    Gtk::CheckButton& m_selectNew;
    Gtk::CheckButton& m_limit;
    Gtk::SpinButton& m_limitCount;
    Gtk::CheckButton& m_noNewFromLocked;
    Gtk::ComboBoxText& m_createNew;
    Gtk::ComboBoxText& m_insertPosition;
    Gtk::ComboBoxText& m_nextActive;
    Gtk::ComboBoxText& m_wheelClick;
    Gtk::ComboBoxText& m_rightClick;
    Gtk::ComboBoxText& m_doubleClick;
    Gtk::SpinButton& m_sleepMinutes;
    Gtk::SpinButton& m_sleepMemory;
    TabBarSettings m_loaded;
};

class TabLookOptionsPage : public IOptionsPage {
public:
    TabLookOptionsPage();
    Gtk::Widget& Widget() override { return m_column; }
    void Load(const ProgramSettings& working) override;
    void Store(COptionsSession& session) override;

private:
    OptionsColumn m_column;
    Gtk::CheckButton& m_multiLine;
    Gtk::CheckButton& m_fixedWidth;
    Gtk::SpinButton& m_width;
    Gtk::CheckButton& m_limitText;
    Gtk::SpinButton& m_textLimit;
    Gtk::CheckButton& m_below;
    Gtk::CheckButton& m_clientSide;
    Gtk::CheckButton& m_colours;
    Gtk::ColorButton& m_selText;
    Gtk::ColorButton& m_unselText;
    Gtk::ColorButton& m_selBack;
    Gtk::ColorButton& m_unselBack;
    Gtk::CheckButton& m_selBold;
    Gtk::CheckButton& m_selItalic;
    Gtk::CheckButton& m_selUnderline;
    Gtk::CheckButton& m_unselBold;
    Gtk::CheckButton& m_unselItalic;
    Gtk::CheckButton& m_unselUnderline;

    void Enable();
};

// Registers both pages.
void AddTabOptionsPages(COptionsPages& pages);

}  // namespace fern
