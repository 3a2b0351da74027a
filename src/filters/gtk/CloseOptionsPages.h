#pragma once
// The options pages "制止URL" (COUStyle and the close-URL list) and
// "制止タイトル" (COTStyle and the close-title list). On apply an edited
// list goes into the filter and close.fbl is rewritten whole; a close.fbl
// that is there but could not be read is left alone and the user is told.
#include <string>

#include "filters/CloseFilter.h"
#include "options/gtk/OptionsPage.h"
#include "platform/shell/MessageBox.h"
#include "ui/gtk/OptionsControls.h"
#include "ui/gtk/OptionsListEditor.h"

namespace fern {

struct ClosePageServices {
    CCloseFilter& filter;
    std::string closeListPath;
    IMessageBox& messageBox;
};

class CloseListPage : public IOptionsPage {
public:
    Gtk::Widget& Widget() override { return m_column; }
    OptionsListEditor& List() { return m_list; }

protected:
    CloseListPage(const ClosePageServices& services, const std::string& listName);
    const ClosePageServices& m_s;
    OptionsColumn m_column;
    OptionsListEditor m_list;

    // The list below the page's switches, with a word when close.fbl could
    // not be read.
    void PackList();
    // Shows the filter's list.
    void LoadList(const std::vector<std::string> CloseLists::*list);
    // Puts the edited list into the filter, with what was registered
    // meanwhile after it, and writes close.fbl.
    void StoreList(std::vector<std::string> CloseLists::*list);

private:
    std::vector<std::string> m_loadedList;
};

class CloseUrlOptionsPage : public CloseListPage {
public:
    explicit CloseUrlOptionsPage(const ClosePageServices& services);
    void Load(const ProgramSettings& working) override;
    void Store(COptionsSession& session) override;

private:
    Gtk::CheckButton& m_filter;
    Gtk::CheckButton& m_newTabsOnly;
    Gtk::CheckButton& m_closeOnRegister;
    CloseUrlSettings m_loaded;
};

class CloseTitleOptionsPage : public CloseListPage {
public:
    explicit CloseTitleOptionsPage(const ClosePageServices& services);
    void Load(const ProgramSettings& working) override;
    void Store(COptionsSession& session) override;

private:
    Gtk::CheckButton& m_filter;
    bool m_loaded = false;
};

void AddCloseOptionsPages(COptionsPages& pages, const ClosePageServices& services);

}  // namespace fern
