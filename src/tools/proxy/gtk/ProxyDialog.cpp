#include "tools/proxy/gtk/ProxyDialog.h"

#include "platform/text/Encoding.h"
#include "tools/proxy/EngineProxy.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

// Rows of the fields, in the order of ProxyScheme.
const char* const kSchemeLabels[] = {"HTTP(&H)", "Secure(&S)", "FTP(&F)", "Gopher(&G)", "Socks(&C)"};

void Name(Gtk::Widget& widget, const std::string& sjis) {
    if (AtkObject* accessible = gtk_widget_get_accessible(widget.gobj()))
        atk_object_set_name(accessible, ToUtf8(sjis).c_str());
}

// The label's text names its field for a screen reader, as shown.
Gtk::Label* Mnemonic(const std::string& sjis, Gtk::Widget& target) {
    auto* label = Gtk::manage(new Gtk::Label(MnemonicLabel(sjis), true));
    label->set_xalign(0);
    label->set_mnemonic_widget(target);
    if (AtkObject* accessible = gtk_widget_get_accessible(target.gobj()))
        atk_object_set_name(accessible, label->get_text().c_str());
    return label;
}

Gtk::Button* Button(const char* sjis) { return Gtk::manage(new Gtk::Button(MnemonicLabel(sjis), true)); }

}  // namespace

ProxyDialog::ProxyDialog(Gtk::Window* parent, std::vector<ProxyEntry> entries, Save save)
    : m_entries(std::move(entries)),
      m_save(std::move(save)),
      m_sameForAll(MnemonicLabel("すべてのプロトコルに同じプロキシ サーバーを使用する(&U)"), true),
      m_bypassLocal(MnemonicLabel("ローカル アドレスにはプロキシ サーバーを使用しない(&B)"), true) {
    set_title(ToUtf8("プロキシ サーバーの設定"));
    if (parent) set_transient_for(*parent);
    set_default_size(640, 420);
    auto* columns = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 12));
    columns->set_border_width(12);
    columns->pack_start(*ListColumn(), true, true);
    columns->pack_start(*FieldsColumn(), false, false);
    get_content_area()->pack_start(*columns, true, true);
    add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
    add_button("OK", Gtk::RESPONSE_OK);
    set_default_response(Gtk::RESPONSE_OK);
    signal_response().connect([this](int response) { OnResponse(response); });
    FillList(m_entries.empty() ? -1 : 0);
    show_all_children();
}

Gtk::Widget* ProxyDialog::ListColumn() {
    auto* box = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_VERTICAL, 6));
    m_list.set_headers_visible(false);
    m_list.set_column_title(0, ToUtf8("名前"));
    box->pack_start(*Mnemonic("プロキシ リスト(&L)", m_list), false, false);
    auto* scroller = Gtk::manage(new Gtk::ScrolledWindow());
    scroller->set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_AUTOMATIC);
    scroller->set_shadow_type(Gtk::SHADOW_IN);
    scroller->add(m_list);
    scroller->set_size_request(200, -1);
    box->pack_start(*scroller, true, true);
    m_list.get_selection()->signal_changed().connect([this] {
        if (m_filling) return;
        auto rows = m_list.get_selected();
        if (rows.empty()) return;
        StoreEntry();
        ShowEntry(rows[0]);
    });
    auto* buttons = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 4));
    Gtk::Button* add = Button("追加(&A)");
    add->signal_clicked().connect([this] {
        StoreEntry();
        m_entries.emplace_back();
        FillList(static_cast<int>(m_entries.size()) - 1);
        m_title.grab_focus();
    });
    Gtk::Button* remove = Button("削除(&D)");
    remove->signal_clicked().connect([this] {
        if (m_selected < 0) return;
        m_entries.erase(m_entries.begin() + m_selected);
        int next = std::min(m_selected, static_cast<int>(m_entries.size()) - 1);
        m_selected = -1;  // its fields are gone with it
        FillList(next);
    });
    Gtk::Button* up = Gtk::manage(new Gtk::Button(ToUtf8("↑")));
    up->signal_clicked().connect([this] { Move(-1); });
    Name(*up, "上へ");
    Gtk::Button* down = Gtk::manage(new Gtk::Button(ToUtf8("↓")));
    down->signal_clicked().connect([this] { Move(1); });
    Name(*down, "下へ");
    Gtk::Button* store = Gtk::manage(new Gtk::Button("OK"));
    store->signal_clicked().connect([this] { StoreEntry(); });
    Name(*store, "項目に設定");
    for (Gtk::Button* button : {add, remove, up, down, store}) buttons->pack_start(*button, false, false);
    box->pack_start(*buttons, false, false);
    return box;
}

Gtk::Widget* ProxyDialog::FieldsColumn() {
    auto* grid = Gtk::manage(new Gtk::Grid());
    grid->set_row_spacing(6);
    grid->set_column_spacing(6);
    int row = 0;
    grid->attach(*Mnemonic("タイトル(&T)", m_title), 0, row, 1, 1);
    grid->attach(m_title, 1, row++, 3, 1);
    for (int s = 0; s < kProxySchemeCount; ++s) {
        std::string plain = kSchemeLabels[s];
        plain = plain.substr(0, plain.find('('));
        Gtk::Entry& host = m_hosts[static_cast<std::size_t>(s)];
        Gtk::Entry& port = m_ports[static_cast<std::size_t>(s)];
        host.set_width_chars(24);
        port.set_width_chars(6);
        port.set_max_length(5);
        port.set_input_purpose(Gtk::INPUT_PURPOSE_DIGITS);
        // Only digits reach the port field.
        port.signal_insert_text().connect(
            [&port](const Glib::ustring& text, int*) {
                for (gunichar c : text)
                    if (c < '0' || c > '9') {
                        port.signal_insert_text().emission_stop();
                        return;
                    }
            },
            false);
        Gtk::Label* label = Mnemonic(kSchemeLabels[s], host);
        Name(host, plain + " サーバー");
        Name(port, plain + " ポート");
        auto* colon = Gtk::manage(new Gtk::Label(":"));
        grid->attach(*label, 0, row, 1, 1);
        grid->attach(host, 1, row, 1, 1);
        grid->attach(*colon, 2, row, 1, 1);
        grid->attach(port, 3, row++, 1, 1);
        if (s != static_cast<int>(ProxyScheme::Http))
            m_otherSchemes.insert(m_otherSchemes.end(), {label, &host, colon, &port});
    }
    m_sameForAll.signal_toggled().connect([this] { Sync(); });
    grid->attach(m_sameForAll, 0, row++, 4, 1);
    grid->attach(m_bypassLocal, 0, row++, 4, 1);
    auto* note = Gtk::manage(new Gtk::Label(
        ToUtf8("ドットのない名前 (intranet など) は自動では除外されません。例外に書いてください。")));
    note->set_xalign(0);
    note->set_line_wrap(true);
    note->set_max_width_chars(50);
    grid->attach(*note, 0, row++, 4, 1);
    grid->attach(*Mnemonic("次で始まるアドレスにはプロキシを使用しない(&N)", m_exceptions), 0, row++, 4, 1);
    grid->attach(m_exceptions, 0, row++, 4, 1);
    auto* hint = Gtk::manage(new Gtk::Label(ToUtf8("セミコロン ( ; ) を使用してエントリを分けてください。")));
    hint->set_xalign(0);
    grid->attach(*hint, 0, row++, 4, 1);
    m_unexpressed.set_xalign(0);
    m_unexpressed.set_line_wrap(true);
    m_unexpressed.set_max_width_chars(50);
    grid->attach(m_unexpressed, 0, row++, 4, 1);
    m_exceptions.signal_changed().connect([this] { ShowUnexpressed(); });
    return grid;
}

void ProxyDialog::FillList(int select) {
    m_filling = true;
    m_list.clear_items();
    for (const ProxyEntry& entry : m_entries) m_list.append(ToUtf8(ProxyDisplayName(entry)));
    m_filling = false;
    ShowEntry(select);
    if (select >= 0) {
        Gtk::TreePath path(std::to_string(select));
        m_filling = true;
        m_list.get_selection()->select(path);
        m_list.scroll_to_row(path);
        m_filling = false;
    }
}

void ProxyDialog::ShowEntry(int index) {
    m_selected = index >= 0 && index < static_cast<int>(m_entries.size()) ? index : -1;
    ProxyEntry none;
    const ProxyEntry& entry = m_selected >= 0 ? m_entries[static_cast<std::size_t>(m_selected)] : none;
    m_title.set_text(ToUtf8(entry.name));
    for (int s = 0; s < kProxySchemeCount; ++s) {
        const ProxyServer& server = entry.servers[static_cast<std::size_t>(s)];
        m_hosts[static_cast<std::size_t>(s)].set_text(ToUtf8(server.host));
        m_ports[static_cast<std::size_t>(s)].set_text(server.port > 0 ? std::to_string(server.port) : "");
    }
    m_sameForAll.set_active(entry.sameForAll);
    m_bypassLocal.set_active(entry.bypassLocal);
    m_exceptions.set_text(ToUtf8(entry.exceptions));
    Sync();
}

void ProxyDialog::StoreEntry() {
    if (m_selected < 0 || m_selected >= static_cast<int>(m_entries.size())) return;
    ProxyEntry& entry = m_entries[static_cast<std::size_t>(m_selected)];
    entry.name = FromUtf8(m_title.get_text().raw());
    for (int s = 0; s < kProxySchemeCount; ++s) {
        ProxyServer& server = entry.servers[static_cast<std::size_t>(s)];
        // A host typed with blanks around it is the host.
        std::string host = m_hosts[static_cast<std::size_t>(s)].get_text().raw();
        host.erase(0, host.find_first_not_of(" \t"));
        host.erase(host.find_last_not_of(" \t") + 1);
        server.host = FromUtf8(host);
        server.port = ParseProxyPort(m_ports[static_cast<std::size_t>(s)].get_text().raw());
    }
    entry.sameForAll = m_sameForAll.get_active();
    entry.bypassLocal = m_bypassLocal.get_active();
    entry.exceptions = FromUtf8(m_exceptions.get_text().raw());
    m_filling = true;
    m_list.set_text(static_cast<guint>(m_selected), 0, ToUtf8(ProxyDisplayName(entry)));
    m_filling = false;
}

void ProxyDialog::Move(int by) {
    int to = m_selected + by;
    if (m_selected < 0 || to < 0 || to >= static_cast<int>(m_entries.size())) return;
    StoreEntry();
    std::swap(m_entries[static_cast<std::size_t>(m_selected)], m_entries[static_cast<std::size_t>(to)]);
    FillList(to);
}

// Only "*.domain" and "1.2.*" wildcards can be said to the engine; the
// others are named here rather than dropped unseen.
void ProxyDialog::ShowUnexpressed() {
    ProxyEntry probe;
    probe.sameForAll = true;
    probe.Server(ProxyScheme::Http).host = "proxy";
    probe.exceptions = FromUtf8(m_exceptions.get_text().raw());
    std::optional<EngineProxyMapping> mapping = EngineProxyFor(probe);
    std::string text;
    for (const std::string& exception : mapping ? mapping->unexpressed : std::vector<std::string>())
        text += (text.empty() ? "" : " ") + exception;
    m_unexpressed.set_text(text.empty() ? "" : ToUtf8("適用できない例外 (プロキシを通ります): " + text));
}

void ProxyDialog::Sync() {
    bool any = m_selected >= 0;
    for (Gtk::Widget* widget : m_otherSchemes) widget->set_sensitive(any && !m_sameForAll.get_active());
}

void ProxyDialog::OnResponse(int response) {
    if (response != Gtk::RESPONSE_OK) {
        hide();
        return;
    }
    StoreEntry();
    std::string error;
    if (m_save(m_entries, &error)) {
        hide();
        return;
    }
    Gtk::MessageDialog message(*this, ToUtf8("proxy.ini を保存できませんでした。\n" + error), false,
                               Gtk::MESSAGE_ERROR, Gtk::BUTTONS_OK, true);
    message.run();
}

}  // namespace fern
