#pragma once
// The options pages of the start and the end: "起動/終了" (the state log
// rules, SUStyle 0x1-0x8) and "起動/終了::スタートアップURL" (SUStyle 0x10,
// 0x20 and the list of startup.fbl). Both write the Startup section.
#include <string>
#include <vector>

#include "lists/UrlItem.h"
#include "options/gtk/OptionsPage.h"
#include "platform/shell/MessageBox.h"
#include "ui/gtk/OptionsControls.h"
#include "ui/gtk/OptionsListEditor.h"

namespace fern {

class BootOptionsPage : public IOptionsPage {
public:
    BootOptionsPage();
    Gtk::Widget& Widget() override { return m_column; }
    void Load(const ProgramSettings& working) override;
    void Store(COptionsSession& session) override;

private:
    OptionsColumn m_column;
    Gtk::CheckButton& m_saveAtExit;
    Gtk::CheckButton& m_restoreAtStart;
    Gtk::CheckButton& m_dedupe;
    Gtk::CheckButton& m_noRestoreWithArguments;
    StartupSettings m_loaded;
};

class StartupUrlOptionsPage : public IOptionsPage {
public:
    // `startupPath` is startup.fbl, read when the page is made.
    StartupUrlOptionsPage(std::string startupPath, IMessageBox& messageBox);
    Gtk::Widget& Widget() override { return m_column; }
    void Load(const ProgramSettings& working) override;
    void Store(COptionsSession& session) override;

    OptionsListEditor& List() { return m_list; }

private:
    std::string m_path;
    IMessageBox& m_messageBox;
    OptionsColumn m_column;
    Gtk::CheckButton& m_open;
    Gtk::CheckButton& m_dedupe;
    StartupSettings m_loaded;
    OptionsListEditor m_list;
    std::vector<UrlItem> m_items;  // as read, so that edits keep each item's flags
    bool m_unreadable = false;
    std::string m_readError;
};

void AddStartupOptionsPages(COptionsPages& pages, const std::string& startupPath, IMessageBox& messageBox);

}  // namespace fern
