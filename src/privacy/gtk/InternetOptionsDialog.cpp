#include "privacy/gtk/InternetOptionsDialog.h"

#include "platform/text/Encoding.h"
#include "privacy/SecurityZone.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

const char kCaption[] = "Fern Browser";

Gtk::Box* PageBox() {
    auto* box = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_VERTICAL, 8));
    box->set_border_width(12);
    return box;
}

Gtk::Label* Text(const std::string& sjis) {
    auto* label = Gtk::manage(new Gtk::Label(ToUtf8(sjis)));
    label->set_xalign(0);
    label->set_line_wrap(true);
    return label;
}

Gtk::Button* Button(const char* sjis) { return Gtk::manage(new Gtk::Button(MnemonicLabel(sjis), true)); }

}  // namespace

InternetOptionsDialog::InternetOptionsDialog(Gtk::Window* parent, InternetOptionsServices services)
    : m_services(std::move(services)),
      m_firstParty(MnemonicLabel("クッキー(&C)"), true),
      m_session(MnemonicLabel("セッションごとのクッキー(&S)"), true),
      m_thirdParty(MnemonicLabel("サードパーティのクッキー(&T)"), true),
      m_defaultBrowser(MnemonicLabel("標準ブラウザに設定(&S)"), true) {
    set_title(ToUtf8("インターネット オプション"));
    if (parent) set_transient_for(*parent);
    set_default_size(480, 360);
    m_pages.append_page(*GeneralPage(), ToUtf8("全般"));
    m_pages.append_page(*SecurityPage(), ToUtf8("セキュリティ"));
    m_pages.append_page(*PrivacyPage(), ToUtf8("プライバシー"));
    m_pages.append_page(*ProgramsPage(), ToUtf8("プログラム"));
    get_content_area()->pack_start(m_pages, true, true);
    add_button(ToUtf8("閉じる"), Gtk::RESPONSE_CLOSE);
    signal_response().connect([this](int) { hide(); });
    show_all_children();
}

Gtk::Widget* InternetOptionsDialog::GeneralPage() {
    Gtk::Box* box = PageBox();
    box->pack_start(*Text("閲覧の履歴の削除"), false, false);
    Gtk::Button* cookies = Button("クッキーの削除(&I)...");
    cookies->signal_clicked().connect([this] { m_services.cookies.DeleteAll(); });
    Gtk::Button* cache = Button("キャッシュの削除(&F)...");
    cache->signal_clicked().connect([this] { OnClearCache(); });
    auto* row = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 8));
    row->pack_start(*cookies, false, false);
    row->pack_start(*cache, false, false);
    box->pack_start(*row, false, false);
    return box;
}

Gtk::Widget* InternetOptionsDialog::SecurityPage() {
    Gtk::Box* box = PageBox();
    box->pack_start(*Text("ページのゾーンはアドレスから次のように決まります。"), false, false);
    box->pack_start(*Text("・file: のアドレス: ローカル コンピュータ (0)"), false, false);
    box->pack_start(
        *Text("・ドットを含まないホスト名 (localhost など)、プライベート アドレス (10/8, 172.16/12, "
              "192.168/16, 127/8, 169.254/16, ::1, fc00::/7, fe80::/10): ローカル イントラネット (1)"),
        false, false);
    box->pack_start(*Text("・それ以外: インターネット (3)"), false, false);
    m_currentZone.set_xalign(0);
    m_currentZone.set_line_wrap(true);
    m_currentZone.set_selectable(true);
    box->pack_start(m_currentZone, false, false);
    return box;
}

Gtk::Widget* InternetOptionsDialog::PrivacyPage() {
    Gtk::Box* box = PageBox();
    m_mode.set_xalign(0);
    box->pack_start(m_mode, false, false);
    m_firstParty.signal_toggled().connect([this] { OnCookieToggle(&CookieSwitch::FlipFirstParty); });
    m_session.signal_toggled().connect([this] { OnCookieToggle(&CookieSwitch::FlipSession); });
    m_thirdParty.signal_toggled().connect([this] { OnCookieToggle(&CookieSwitch::FlipThirdParty); });
    box->pack_start(m_firstParty, false, false);
    box->pack_start(m_session, false, false);
    box->pack_start(m_thirdParty, false, false);
    auto* row = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 8));
    Gtk::Button* invert = Button("設定を反転(&R)");
    invert->signal_clicked().connect([this] { OnCookieToggle(&CookieSwitch::Invert); });
    Gtk::Button* remove = Button("クッキーを削除(&D)");
    remove->signal_clicked().connect([this] { m_services.cookies.DeleteAll(); });
    row->pack_start(*invert, false, false);
    row->pack_start(*remove, false, false);
    box->pack_start(*row, false, false);
    return box;
}

Gtk::Widget* InternetOptionsDialog::ProgramsPage() {
    Gtk::Box* box = PageBox();
    m_defaultBrowser.signal_toggled().connect([this] { OnDefaultBrowserToggle(); });
    box->pack_start(m_defaultBrowser, false, false);
    box->pack_start(
        *Text("このデスクトップで http、https のリンクと HTML ファイルを Fern Browser で開きます。"), false,
        false);
    return box;
}

void InternetOptionsDialog::ShowPage(InternetOptionsPage page) {
    Sync();
    m_pages.set_current_page(static_cast<int>(page));
    present();
}

void InternetOptionsDialog::Sync() {
    m_syncing = true;
    CookieSwitch& cookies = m_services.cookies;
    m_mode.set_text(ToUtf8(cookies.Mode() == CookieMode::Ie6 ? "クッキーの切り替え方式: IE6"
                                                             : "クッキーの切り替え方式: IE4-5"));
    m_firstParty.set_active(cookies.FirstPartyChecked());
    m_session.set_active(cookies.SessionChecked());
    m_thirdParty.set_active(cookies.ThirdPartyChecked());
    m_thirdParty.set_sensitive(cookies.ThirdPartyEnabled());
    m_defaultBrowser.set_active(m_services.defaultBrowser.IsRegistered());
    std::string url = m_services.currentUrl ? m_services.currentUrl() : std::string();
    int zone = url.empty() ? -1 : ZoneOfUrl(url);
    m_currentZone.set_text(zone < 0 ? std::string()
                                    : ToUtf8(std::string("現在のページ: ") + ZoneName(zone) + "\n" + url));
    m_syncing = false;
}

void InternetOptionsDialog::OnCookieToggle(void (CookieSwitch::*flip)()) {
    if (m_syncing) return;
    (m_services.cookies.*flip)();
    Sync();
}

void InternetOptionsDialog::OnDefaultBrowserToggle() {
    if (m_syncing) return;
    std::string error;
    bool on = m_defaultBrowser.get_active();
    bool ok = on ? m_services.defaultBrowser.Register(&error) : m_services.defaultBrowser.Unregister(&error);
    if (!ok)
        m_services.messageBox.Show(std::string(on ? "標準ブラウザに設定できませんでした。"
                                                  : "標準ブラウザの設定を解除できませんでした。") +
                                       "\n\n" + error,
                                   kCaption, MessageBoxKind::Ok);
    Sync();
}

void InternetOptionsDialog::OnClearCache() {
    IMessageBox& box = m_services.messageBox;
    if (box.Show("キャッシュをすべて削除します。\n\nよろしいですか？", kCaption, MessageBoxKind::OkCancel) !=
        MessageBoxAnswer::Ok) {
        box.Show("中止しました。", kCaption, MessageBoxKind::Ok);
        return;
    }
    m_services.engine.ClearCache([&box](bool ok) {
        if (!ok) box.Show("キャッシュを削除できませんでした。", kCaption, MessageBoxKind::Ok);
    });
}

}  // namespace fern
