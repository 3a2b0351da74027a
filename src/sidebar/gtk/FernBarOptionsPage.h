#pragma once
// The options page "ファーン バー": the side bar's look and focus rules
// (`FBStyle`), the panel shown at start (`FBIndex`), and the panels' own
// "open in a new tab" switches and the history search's character code; and
// whether the history keeps the pages' texts for that search.
// The side bar and its panels follow a change at once.
#include "options/gtk/OptionsPage.h"
#include "ui/gtk/OptionsControls.h"

namespace fern {

class FernBarOptionsPage : public IOptionsPage {
public:
    FernBarOptionsPage();
    Gtk::Widget& Widget() override { return m_column; }
    void Load(const ProgramSettings& working) override;
    void Store(COptionsSession& session) override;

private:
    OptionsColumn m_column;
    Gtk::CheckButton& m_bottom;
    Gtk::CheckButton& m_focusPage;
    Gtk::CheckButton& m_titles;
    Gtk::CheckButton& m_infoTips;
    Gtk::CheckButton& m_focusPanel;
    Gtk::ComboBoxText& m_startPanel;
    Gtk::CheckButton& m_bookmarkNewTab;
    Gtk::CheckButton& m_historyNewTab;
    Gtk::CheckButton& m_searchNewTab;
    Gtk::ComboBoxText& m_charCode;
    Gtk::CheckButton& m_keepTexts;
    ProgramSettings m_loaded;
};

}  // namespace fern
