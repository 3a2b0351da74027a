#include "bookmarks/gtk/BrowserImportDialog.h"

#include <cstdlib>

#include "platform/fs/FsPath.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/ListFileChooser.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

class BrowserImportDialog : public Gtk::Dialog {
public:
    BrowserImportDialog(Gtk::Window& parent, const std::vector<BrowserProfile>& profiles)
        : Gtk::Dialog(ToUtf8("ブラウザから取り込み"), parent, true), m_profiles(profiles), m_list(3) {
        set_default_size(720, 320);
        m_list.set_column_title(0, ToUtf8("ブラウザ"));
        m_list.set_column_title(1, ToUtf8("プロファイル"));
        m_list.set_column_title(2, ToUtf8("フォルダ"));
        for (const BrowserProfile& profile : profiles) {
            guint row = m_list.append(profile.browser);
            m_list.set_text(row, 1, ToUtf8(profile.name));
            m_list.set_text(row, 2, ToUtf8(PathForDisplay(profile.path)));
        }
        m_list.get_accessible()->set_name(ToUtf8("プロファイル"));
        m_list.signal_row_activated().connect(
            [this](const Gtk::TreeModel::Path&, Gtk::TreeViewColumn*) { response(Gtk::RESPONSE_ACCEPT); });
        m_scroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
        m_scroll.set_shadow_type(Gtk::SHADOW_IN);
        m_scroll.add(m_list);
        m_note.set_xalign(0);
        m_note.set_line_wrap(true);
        m_note.set_text(
            ToUtf8(profiles.empty()
                       ? "プロファイルが見つかりません。「参照」でプロファイルのフォルダを選んでください。"
                       : "ブックマークを取り込むプロファイルを選んでください。"));
        Gtk::Box& area = *get_content_area();
        area.set_spacing(6);
        area.set_border_width(6);
        area.pack_start(m_note, Gtk::PACK_SHRINK);
        area.pack_start(m_scroll, Gtk::PACK_EXPAND_WIDGET);
        add_button(MnemonicLabel("参照(&B)..."), kBrowse);
        add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
        m_import = add_button(MnemonicLabel("取り込む(&I)"), Gtk::RESPONSE_ACCEPT);
        set_default_response(Gtk::RESPONSE_ACCEPT);
        if (!profiles.empty()) {
            Gtk::TreeModel::Path first;
            first.push_back(0);
            m_list.get_selection()->select(first);
        }
        m_import->set_sensitive(!profiles.empty());
        m_list.get_selection()->signal_changed().connect(
            [this] { m_import->set_sensitive(!m_list.get_selected().empty()); });
        show_all_children();
    }

    static constexpr int kBrowse = 1;

    const BrowserProfile* Selected() const {
        Gtk::ListViewText::SelectionList rows = const_cast<Gtk::ListViewText&>(m_list).get_selected();
        if (rows.empty() || static_cast<std::size_t>(rows[0]) >= m_profiles.size()) return nullptr;
        return &m_profiles[static_cast<std::size_t>(rows[0])];
    }

private:
    const std::vector<BrowserProfile>& m_profiles;
    Gtk::Label m_note;
    Gtk::ListViewText m_list;
    Gtk::ScrolledWindow m_scroll;
    Gtk::Button* m_import = nullptr;
};

}  // namespace

std::optional<ChosenProfile> ChooseBrowserProfile(Gtk::Window& parent,
                                                  const std::vector<BrowserProfile>& profiles,
                                                  CSettingsService& settings) {
    BrowserImportDialog dialog(parent, profiles);
    while (true) {
        int response = dialog.run();
        if (response == Gtk::RESPONSE_ACCEPT) {
            const BrowserProfile* chosen = dialog.Selected();
            if (!chosen) return std::nullopt;
            return ChosenProfile{chosen->family, chosen->path};
        }
        if (response != BrowserImportDialog::kBrowse) return std::nullopt;
        // A profile elsewhere: its places.sqlite or Bookmarks file.
        std::optional<std::string> file = ChooseFile(
            dialog, false, {{"ブックマークのファイル (places.sqlite, Bookmarks)", "places.sqlite;Bookmarks"}},
            settings);
        if (!file) continue;
        if (std::optional<BrowserFamily> family = FamilyOfSource(*file)) return ChosenProfile{*family, *file};
        Gtk::MessageDialog refuse(dialog, ToUtf8("places.sqlite か Bookmarks のファイルを選んでください。"),
                                  false, Gtk::MESSAGE_WARNING);
        refuse.run();
    }
}

std::optional<ChosenProfile> ChooseBrowserProfile(Gtk::Window& parent, CSettingsService& settings) {
    const char* home = std::getenv("HOME");
    return ChooseBrowserProfile(parent, FindBrowserProfiles(home ? home : ""), settings);
}

}  // namespace fern
