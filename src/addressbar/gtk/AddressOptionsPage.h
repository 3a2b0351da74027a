#pragma once
// The options page "アドレス バー": how many typed addresses are kept, the
// prefix and suffix of Ctrl+Enter, the two auto-complete switches (read at
// start-up) and the button that clears the typed list and its file. It
// writes the AddressBar section and FDStyle.
#include <functional>

#include "options/gtk/OptionsPage.h"
#include "platform/shell/MessageBox.h"
#include "ui/gtk/OptionsControls.h"

namespace fern {

struct AddressPageServices {
    // Empties the typed list and rewrites typed.fbl; false when the file
    // could not be written.
    std::function<bool()> clearTypedList;
    IMessageBox& messageBox;
    // What the two latched switches run with.
    bool autoCompleteAtStart = false;
    bool openDialogAutoCompleteAtStart = false;
};

class AddressOptionsPage : public IOptionsPage {
public:
    explicit AddressOptionsPage(const AddressPageServices& services);
    Gtk::Widget& Widget() override { return m_column; }
    void Load(const ProgramSettings& working) override;
    void Store(COptionsSession& session) override;

    // "アドレス バーの履歴を消す(&D)": asks first.
    void ClearHistory();

private:
    const AddressPageServices& m_s;
    OptionsColumn m_column;
    Gtk::SpinButton& m_limit;
    Gtk::Entry& m_front;
    Gtk::Entry& m_back;
    Gtk::CheckButton& m_autoComplete;
    Gtk::Label& m_autoCompletePending;
    Gtk::CheckButton& m_dialogAutoComplete;
    Gtk::Label& m_dialogPending;
    Gtk::Button& m_clear;
    AddressBarSettings m_loaded;
    bool m_loadedDialogAutoComplete = false;
    Glib::ustring m_loadedFront, m_loadedBack;

    void Enable();
};

void AddAddressOptionsPage(COptionsPages& pages, const AddressPageServices& services);

}  // namespace fern
