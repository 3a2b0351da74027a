#pragma once
// The address bar: the label "アドレス(&D)", the editable combo box with the
// typed list and the go button. Keys, picks, drops and drags are turned
// into calls on the logic (CAddressBar), which owns the list.
#include <gtkmm.h>

#include <functional>
#include <string>
#include <vector>

#include "addressbar/AddressBar.h"
#include "ui/gtk/WindowKeyFilter.h"

namespace fern {

class AddressBarWidget : public Gtk::Box, public IAddressBarView, public IWindowKeyFilter {
public:
    struct Hooks {
        // The active tab has a page view.
        std::function<bool()> hasPage;
        // A synthetic press and release of the key on the active page.
        std::function<void(guint keyval)> keyToPage;
        // The title of the active page (names the dragged shortcut file).
        std::function<std::string()> pageTitle;
        // Visited addresses to offer while typing `prefix`.
        std::function<std::vector<std::string>(const std::string& prefix)> historyCompletions;
    };

    // `tempFolder` holds the shortcut files of drags; the ".url" files left
    // there are deleted with the bar.
    AddressBarWidget(CAddressBar& bar, std::string tempFolder);
    ~AddressBarWidget() override;

    void SetHooks(Hooks hooks) { m_hooks = std::move(hooks); }

    // The frame shows the active page's address.
    void SetText(const std::string& sjis);
    std::string Text() const;
    // For the window's key handler, before its accelerators: the bar's keys
    // (Enter, Esc, Up, Down, F4, Ctrl+A, Tab, F6) go to the bar first while
    // its edit has the focus. True when the key was used.
    bool PreTranslateKey(GdkEventKey* event) override;
    // True while an input method composes text in the edit: its keys are
    // the input method's.
    bool Composing() const override { return m_composing; }
    // Commands: focus the edit, drop the list down.
    void FocusEdit();
    void DropDown();

    Gtk::ComboBoxText& Combo() { return m_combo; }
    Gtk::Entry& Entry() { return *m_combo.get_entry(); }
    Gtk::Button& GoButton() { return m_go; }
    Gtk::Label& Label() { return m_label; }

    // IAddressBarView
    void TypedListChanged() override;
    void CloseList() override;
    void StyleChanged() override;

private:
    bool m_composing = false;
    CAddressBar& m_bar;
    std::string m_tempFolder;
    Hooks m_hooks;
    Gtk::Label m_label;
    Gtk::ComboBoxText m_combo{true};
    Gtk::Button m_go;
    Gtk::Image m_goImage;
    Glib::RefPtr<Gtk::EntryCompletion> m_completion;
    Glib::RefPtr<Gtk::ListStore> m_completionStore;
    Gtk::TreeModelColumnRecord m_columns;
    Gtk::TreeModelColumn<Glib::ustring> m_textColumn;
    GtkWidget* m_popup = nullptr;  // the list's menu, once it exists
    bool m_updating = false;
    bool m_pickPending = false;
    std::string m_dragUrl;      // UTF-8, while dragging the address out
    std::string m_dragFileUri;  // the shortcut file offered with it

    bool OnEntryKeyPress(GdkEventKey* event);
    bool OnEntryKeyRelease(GdkEventKey* event);
    bool OnPopupKeyPress(GdkEventKey* event);
    void OnEnter(bool ctrl, bool shift, bool alt);
    void OnComboChanged();
    void OnPopupShown();
    void OnEntryChanged();
    void HookPopup();
    void FillCompletions();
    void OnDragBegin(const Glib::RefPtr<Gdk::DragContext>& context);
    void OnDragDataGet(const Glib::RefPtr<Gdk::DragContext>& context, Gtk::SelectionData& data, guint info,
                       guint time);
    void OnDropReceived(GtkWidget* target, GdkDragContext* context, GtkSelectionData* data, guint info,
                        guint time);
    void SelectAllInEdit();

    static void DropReceivedThunk(GtkWidget* widget, GdkDragContext* context, gint x, gint y,
                                  GtkSelectionData* data, guint info, guint time, gpointer self);
};

}  // namespace fern
