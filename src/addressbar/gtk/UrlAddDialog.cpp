#include "addressbar/gtk/UrlAddDialog.h"

#include "platform/fs/FsPath.h"
#include "platform/text/Encoding.h"
#include "platform/text/UrlText.h"
#include "ui/gtk/ListFileChooser.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

UrlAddDialog::UrlAddDialog(Gtk::Window& parent, const std::vector<std::string>& typed,
                           CSettingsService& settings)
    : Gtk::Dialog(ToUtf8("ファイルを開く"), parent, true), m_settings(settings) {
    const FileDlgSettings& fileDlg = settings.Live().fileDlg;
    set_name("URLを追加");
    set_default_size(480, -1);
    m_prompt.set_text(ToUtf8("URLまたはファイルのパス"));
    m_prompt.set_xalign(0);
    m_prompt.set_mnemonic_widget(*m_combo.get_entry());
    for (const std::string& url : typed) m_combo.append(ToUtf8(url));
    m_combo.set_hexpand(true);
    m_combo.get_accessible()->set_name(ToUtf8("URLまたはファイルのパス"));
    m_combo.get_entry()->get_accessible()->set_name(ToUtf8("URLまたはファイルのパス"));
    m_combo.get_entry()->set_activates_default(true);
    m_newTab.set_label(MnemonicLabel("新規タブで開く(&N)"));
    m_newTab.set_use_underline(true);
    m_newTab.set_active(fileDlg.openInNewTab);
    m_browse.set_label(MnemonicLabel("参照(&R)..."));
    m_browse.set_use_underline(true);

    if (fileDlg.autoComplete) {
        // The typed list offered while typing.
        auto completion = Gtk::EntryCompletion::create();
        completion->set_model(m_combo.get_model());
        completion->set_text_column(0);
        m_combo.get_entry()->set_completion(completion);
    }

    Gtk::Box* area = get_content_area();
    area->set_spacing(6);
    area->set_border_width(8);
    Gtk::Box* row = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 6));
    row->pack_start(m_combo, Gtk::PACK_EXPAND_WIDGET);
    row->pack_start(m_browse, Gtk::PACK_SHRINK);
    area->pack_start(m_prompt, Gtk::PACK_SHRINK);
    area->pack_start(*row, Gtk::PACK_SHRINK);
    area->pack_start(m_newTab, Gtk::PACK_SHRINK);
    m_ok = add_button("OK", Gtk::RESPONSE_OK);
    add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
    set_default_response(Gtk::RESPONSE_OK);

    m_combo.get_entry()->signal_changed().connect(sigc::mem_fun(*this, &UrlAddDialog::UpdateOk));
    m_browse.signal_clicked().connect(sigc::mem_fun(*this, &UrlAddDialog::Browse));
    UpdateOk();
    show_all();
}

void UrlAddDialog::UpdateOk() {
    if (m_ok) m_ok->set_sensitive(!m_combo.get_entry()->get_text().empty());
}

void UrlAddDialog::Browse() {
    std::optional<std::string> path =
        ChooseFile(*this, false,
                   {{"HTML、Fern リストファイル (*.htm, *.html, *.fbl)", "*.htm;*.html;*.fbl"},
                    {"すべてのファイル (*.*)", "*.*"}},
                   m_settings);
    // Shown as the path where that names the file, else as its "file:" URI.
    if (path) m_combo.get_entry()->set_text(ToUtf8(PathToText(*path)));
    UpdateOk();
}

UrlAddDialog::Result UrlAddDialog::Run() {
    Result result;
    int response = run();
    hide();
    if (response != Gtk::RESPONSE_OK) return result;
    result.ok = true;
    result.text = UrlFromUtf8(m_combo.get_entry()->get_text().raw());
    result.newTab = m_newTab.get_active();
    return result;
}

}  // namespace fern
