#pragma once
// "URL抽出": the documents of the page in a frame chooser, the addresses of
// the chosen one as a checked list, the filter box, the referrer and the
// download folder of the job files, and the dialog's menu that saves, copies
// and opens the checked (or selected) rows. Its options, folder and filters
// are kept in the settings when it closes.
#include <gtkmm.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/engine/PageLinks.h"
#include "settings/SettingsService.h"
#include "settings/ToolSettings.h"
#include "tools/extract/UrlExtractList.h"

namespace fern {

struct UrlExtractDialogServices {
    Gtk::Window& parent;
    CSettingsService& settings;
    IClipboard& clipboard;
    IMessageBox& messageBox;
    std::function<void(const std::string& url)> open;  // a new tab with the focus
};

class UrlExtractDialog : public Gtk::Dialog {
public:
    // `documents` depth first; `pageTitle` Shift-JIS ("" none).
    UrlExtractDialog(UrlExtractDialogServices services, std::vector<FrameReport> documents,
                     const std::string& pageTitle);
    ~UrlExtractDialog() override;

    // Keeps the options, folder and filters, then hides.
    void Close();
    std::size_t RowCount() const { return m_list.Size(); }

private:
    struct Columns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<bool> checked;
        Gtk::TreeModelColumn<Glib::ustring> url;
        Columns() {
            add(checked);
            add(url);
        }
    };

    UrlExtractDialogServices m_s;
    std::vector<FrameReport> m_documents;
    UrlExtractSettings m_options;
    CUrlExtractList m_list;
    CUrlExtractActions m_actions;
    int m_editFilter = -1;  // the filter the box's text belongs to
    bool m_closed = false;

    Gtk::Box m_box{Gtk::ORIENTATION_VERTICAL, 6};
    Gtk::MenuBar m_menu;
    Glib::RefPtr<Gtk::AccelGroup> m_accel = Gtk::AccelGroup::create();
    Gtk::ComboBoxText m_frames;
    Columns m_columns;
    Glib::RefPtr<Gtk::ListStore> m_store;
    Gtk::TreeView m_view;
    Gtk::TreeViewColumn m_urlColumn;
    Gtk::ComboBoxText m_filter{true};
    Gtk::Entry m_referer, m_folder;
    std::vector<std::pair<Gtk::CheckMenuItem*, bool UrlExtractSettings::*>> m_optionItems;

    void BuildMenu();
    Gtk::Widget* FilterRow();
    Gtk::Widget* JobRow();
    void FillFilters(int select);
    void KeepFilterText();
    void ChooseDocument(int index);
    void ShowRows();
    void ApplyFilter();
    void AfterOutcome(ExtractOutcome outcome, bool closeOption);
    void Save(JobKind kind);
    void OpenRows(bool selectedOnly);
    void ChooseFolder();
};

}  // namespace fern
