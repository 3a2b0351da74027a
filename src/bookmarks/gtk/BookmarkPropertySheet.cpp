#include "bookmarks/gtk/BookmarkPropertySheet.h"

#include "commands/CommandCatalogue.h"
#include "platform/text/Encoding.h"
#include "platform/text/UrlText.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

const std::vector<std::string> kModes{"上記設定を適用", "変更しない", "必ず初期値"};

void Row(Gtk::Grid& grid, int row, const std::string& text, Gtk::Widget& field) {
    auto* label = Gtk::manage(new Gtk::Label(MnemonicLabel(text), true));
    label->set_xalign(0);
    label->set_mnemonic_widget(field);
    grid.attach(*label, 0, row);
    // Named by its label for a screen reader, without the mnemonic.
    field.get_accessible()->set_name(ToUtf8(PlainMenuText(text.c_str())));
    field.set_hexpand(true);
    grid.attach(field, 1, row);
}

}  // namespace

BookmarkPropertySheet::BookmarkPropertySheet(Gtk::Window& parent, const BookmarkEditFields& fields,
                                             std::function<void(const BookmarkEditFields&)> ok)
    : Gtk::Dialog(ToUtf8("ブックマークのプロパティ"), parent, true),
      m_loaded(fields),
      m_images(m_switches.Check("画像の表示(&I)")),
      m_videos(m_switches.Check("ビデオの再生(&V)")),
      m_sounds(m_switches.Check("サウンドの再生(&S)")),
      m_scripts(m_switches.Check("Scriptの実行(&C)")),
      m_java(m_switches.Check("Javaの実行(&J)")),
      m_activexRun(m_switches.Check("ActiveXの実行(&A)")),
      m_activexDownload(m_switches.Check("ActiveXのダウンロード(&D)")),
      m_mode(m_switches.Choice("セキュリティモード(&M)", kModes)),
      m_ok(std::move(ok)) {
    set_default_size(460, -1);
    m_grid.set_row_spacing(6);
    m_grid.set_column_spacing(12);
    m_grid.set_border_width(12);
    m_name.set_max_length(static_cast<int>(kEditTextLimit));
    m_url.set_max_length(static_cast<int>(kEditTextLimit));
    m_name.set_text(ToUtf8(fields.name));
    m_url.set_text(ToUtf8(fields.url));
    m_memo.get_buffer()->set_text(ToUtf8(fields.memo));
    m_memo.set_wrap_mode(Gtk::WRAP_CHAR);
    m_memo.set_size_request(-1, 64);
    m_created.set_text(ToUtf8(fields.created));
    m_created.set_editable(false);
    Row(m_grid, 0, "&Title", m_name);
    Row(m_grid, 1, "&URL", m_url);
    auto* memoFrame = Gtk::manage(new Gtk::ScrolledWindow());
    memoFrame->set_shadow_type(Gtk::SHADOW_IN);
    memoFrame->set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_AUTOMATIC);
    memoFrame->add(m_memo);
    Row(m_grid, 2, "&MEMO", *memoFrame);
    m_memo.get_accessible()->set_name("MEMO");
    Row(m_grid, 3, "作成日時", m_created);
    m_grid.attach(m_switches, 0, 4, 2, 1);
    m_images.set_active(fields.images);
    m_videos.set_active(fields.videos);
    m_sounds.set_active(fields.sounds);
    m_scripts.set_active(fields.scripts);
    m_java.set_active(fields.java);
    m_activexRun.set_active(fields.activexRun);
    m_activexDownload.set_active(fields.activexDownload);
    m_mode.set_active(ChoiceIndex(fields.securityMode, static_cast<int>(kModes.size())));
    m_mode.signal_changed().connect([this] { UpdateSensitivity(); });
    m_url.set_sensitive(!fields.folder);
    UpdateSensitivity();
    m_pages.append_page(m_grid, ToUtf8("プロパティ"));
    get_content_area()->pack_start(m_pages, Gtk::PACK_EXPAND_WIDGET);
    add_button("OK", Gtk::RESPONSE_OK);
    add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
    set_default_response(Gtk::RESPONSE_OK);
    m_name.set_activates_default(true);
    signal_response().connect([this](int response) {
        if (response == Gtk::RESPONSE_OK && m_ok) m_ok(Fields());
        hide();
    });
    show_all();
}

void BookmarkPropertySheet::UpdateSensitivity() {
    // The switches count only while the first mode applies them.
    bool on = !m_loaded.folder && m_mode.get_active_row_number() == 0;
    for (Gtk::CheckButton* check :
         {&m_images, &m_videos, &m_sounds, &m_scripts, &m_java, &m_activexRun, &m_activexDownload})
        check->set_sensitive(on);
    m_mode.set_sensitive(!m_loaded.folder);
}

BookmarkEditFields BookmarkPropertySheet::Fields() const {
    BookmarkEditFields f = m_loaded;
    f.name = FromUtf8(m_name.get_text().raw());
    f.url = UrlFromUtf8(m_url.get_text().raw());
    f.memo = FromUtf8(m_memo.get_buffer()->get_text().raw());
    f.images = m_images.get_active();
    f.videos = m_videos.get_active();
    f.sounds = m_sounds.get_active();
    f.scripts = m_scripts.get_active();
    f.java = m_java.get_active();
    f.activexRun = m_activexRun.get_active();
    f.activexDownload = m_activexDownload.get_active();
    f.securityMode =
        ChosenValue(m_mode.get_active_row_number(), m_loaded.securityMode, static_cast<int>(kModes.size()));
    return f;
}

}  // namespace fern
