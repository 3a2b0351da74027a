#include "privacy/gtk/BrowserOptionsPages.h"

#include "options/OptionsText.h"
#include "platform/text/Encoding.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

constexpr char kCaption[] = "Fern Browser";
constexpr char kBlankPage[] = "about:blank";
constexpr int kFlatScrollBars = 0x80;  // of BOHostUIFlags
constexpr int kCookieIe45 = 2, kCookieIe6 = 1;

const std::vector<std::string> kInetCpl{"シェル", "Control.exe"};
const std::vector<std::string> kCookieModes{"IE4-5", "IE6"};
const std::vector<std::string> kTemplates{"初期値", "お気に入り", "設定 低", "設定 中", "設定 高"};

void ShowPending(Gtk::Label& label, bool pending) { label.set_visible(pending); }

// A one-line field when the user changed it: no control characters, at
// most `limit` bytes; the user is told when that changed what they typed.
void PutField(std::string& field, const Gtk::Entry& entry, const Glib::ustring& loaded, std::size_t limit,
              const std::string& what, IMessageBox& box) {
    if (entry.get_text() == loaded) return;
    std::string typed = FromUtf8(entry.get_text().raw());
    field = WithoutControls(typed);
    field.resize(SjisSafeCut(field, limit));
    if (field != typed)
        box.Show(what + " から制御文字 (改行、タブなど) を取り除き、" + std::to_string(limit) +
                     " バイト以内にして保存しました。",
                 kCaption, MessageBoxKind::Ok);
}

// One bit of `field` when the user changed it.
void PutBit(int& field, int bit, bool shown, int loaded) {
    if (shown != ((loaded & bit) != 0)) field = shown ? (field | bit) : (field & ~bit);
}

int* TemplateOf(BrowserSettings& b, int index) {
    int* all[] = {&b.downloadControl, &b.securityTemplate1, &b.securityTemplate2, &b.securityTemplate3,
                  &b.securityTemplate4};
    return all[index];
}

}  // namespace

BrowserOptionsPage::BrowserOptionsPage(const BrowserPageServices& services)
    : m_s(services),
      m_focus(m_column.Check("ナビゲート、タブ選択時のフォーカス移動(&F)")),
      m_targets(m_column.Check("リンクのターゲット名を解決(&T)")),
      m_defaultBrowser(m_column.Check("標準ブラウザに設定(&S)")),
      m_useHome(m_column.Check("ホーム ページを指定(&H)")),
      m_home(m_column.Text("ホーム ページのURL(&P)")),
      m_current(m_column.Button("現在のページ(&C)")),
      m_blank(m_column.Button("空白(&B)", true)) {
    m_current.signal_clicked().connect([this] {
        std::string url = m_s.currentUrl ? m_s.currentUrl() : std::string();
        if (!url.empty()) m_home.set_text(ToUtf8(url));
    });
    m_blank.signal_clicked().connect([this] { m_home.set_text(kBlankPage); });
}

void BrowserOptionsPage::Load(const ProgramSettings& working) {
    const BrowserSettings& b = m_loaded = working.browser;
    m_focus.set_active(b.focusPage);
    m_targets.set_active(b.resolveTargetNames);
    m_defaultBrowser.set_active(m_s.isDefaultBrowser && m_s.isDefaultBrowser());
    m_useHome.set_active(b.useHomePageUrl);
    m_home.set_text(ToUtf8(b.homePageUrl.empty() ? std::string(kBlankPage) : b.homePageUrl));
    m_loadedHome = m_home.get_text();
}

void BrowserOptionsPage::Store(COptionsSession& session) {
    BrowserSettings& b = session.Edit(SettingsSection::Browser).browser;
    Put(b.focusPage, m_focus.get_active(), m_loaded.focusPage);
    Put(b.resolveTargetNames, m_targets.get_active(), m_loaded.resolveTargetNames);
    Put(b.useHomePageUrl, m_useHome.get_active(), m_loaded.useHomePageUrl);
    PutField(b.homePageUrl, m_home, m_loadedHome, kMaxListEntryBytes, "ホーム ページ", m_s.messageBox);
    if (b.homePageUrl.empty()) b.homePageUrl = kBlankPage;
    // The desktop's choice is no setting of ours: it changes only when the
    // user changed the box.
    bool wanted = m_defaultBrowser.get_active();
    if (!m_s.isDefaultBrowser || !m_s.setDefaultBrowser || wanted == m_s.isDefaultBrowser()) return;
    std::string error;
    if (!m_s.setDefaultBrowser(wanted, &error))
        m_s.messageBox.Show(std::string(wanted ? "標準ブラウザに設定できませんでした。"
                                               : "標準ブラウザの設定を解除できませんでした。") +
                                "\n\n" + error,
                            kCaption, MessageBoxKind::Ok);
}

BrowserOtherOptionsPage::BrowserOtherOptionsPage(const BrowserPageServices& services)
    : m_s(services),
      m_flat(m_column.Check("フラットスクロールバー [再起動] (&F)")),
      m_flatPending(m_column.Pending()),
      m_drop(m_column.Check("ページへのドロップを受け付ける [IE4-5.01] [再起動] (&F)")),
      m_dropPending(m_column.Pending()),
      m_helpers(m_column.Check("Browser Helper Objectsをロード [再起動] (&B)")),
      m_helpersPending(m_column.Pending()),
      m_inetCpl(m_column.Choice("インターネット オプションの起動(&O)", kInetCpl)),
      m_userAgent(m_column.Text("UserAgent [再起動] (&U)")),
      m_ddeName(m_column.Text("DDEサーバー名 [再起動] (&N)")),
      m_ddePending(m_column.Pending()) {
    for (Gtk::CheckButton* check : {&m_flat, &m_drop, &m_helpers})
        check->signal_toggled().connect([this] { Enable(); });
    m_ddeName.signal_changed().connect([this] { Enable(); });
}

void BrowserOtherOptionsPage::Enable() {
    const BrowserSettings& run = m_s.atStart;
    // Flat scroll bars are a flag of our own host site, which page drops turn off.
    m_flat.set_sensitive(!m_drop.get_active());
    ShowPending(m_flatPending, m_flat.get_active() != ((run.hostUiFlags & kFlatScrollBars) != 0));
    ShowPending(m_dropPending, m_drop.get_active() == run.customHostSite);
    ShowPending(m_helpersPending, m_helpers.get_active() != run.loadHelperObjects);
    ShowPending(m_ddePending, FromUtf8(m_ddeName.get_text().raw()) != run.ddeServerName);
}

void BrowserOtherOptionsPage::Load(const ProgramSettings& working) {
    const BrowserSettings& b = m_loaded = working.browser;
    m_flat.set_active((b.hostUiFlags & kFlatScrollBars) != 0);
    m_drop.set_active(!b.customHostSite);
    m_helpers.set_active(b.loadHelperObjects);
    m_inetCpl.set_active(ChoiceIndex(b.inetCpl, static_cast<int>(kInetCpl.size())));
    m_userAgent.set_text(ToUtf8(b.userAgent));
    m_ddeName.set_text(ToUtf8(b.ddeServerName));
    m_loadedUserAgent = m_userAgent.get_text();
    m_loadedDdeName = m_ddeName.get_text();
    Enable();
}

void BrowserOtherOptionsPage::Store(COptionsSession& session) {
    BrowserSettings& b = session.Edit(SettingsSection::Browser).browser;
    PutBit(b.hostUiFlags, kFlatScrollBars, m_flat.get_active(), m_loaded.hostUiFlags);
    Put(b.customHostSite, !m_drop.get_active(), m_loaded.customHostSite);
    Put(b.loadHelperObjects, m_helpers.get_active(), m_loaded.loadHelperObjects);
    int items = static_cast<int>(kInetCpl.size());
    Put(b.inetCpl, ChosenValue(m_inetCpl.get_active_row_number(), m_loaded.inetCpl, items), m_loaded.inetCpl);
    if (m_userAgent.get_text() != m_loadedUserAgent) {
        std::string typed = FromUtf8(m_userAgent.get_text().raw());
        b.userAgent = CleanUserAgent(typed);
        if (b.userAgent != typed)
            m_s.messageBox.Show(
                "UserAgent から制御文字 (改行、タブなど) を取り除き、255 バイト以内にして保存しました。",
                kCaption, MessageBoxKind::Ok);
    }
    PutField(b.ddeServerName, m_ddeName, m_loadedDdeName, kMaxListEntryBytes, "DDEサーバー名",
             m_s.messageBox);
}

SecurityOptionsPage::SecurityOptionsPage(const BrowserPageServices&)
    : m_inherit(m_column.Check("親タブのセキュリティを継承(&U)")),
      m_reload(m_column.Check("マルチメディア、セキュリティ変更後にリロード(&R)")),
      m_cookie(m_column.Choice("クッキーの切り替え(&K)", kCookieModes)),
      m_template(m_column.Choice("セキュリティ テンプレート(&T)", kTemplates)),
      m_flags{{{&m_column.Check("画像のダウンロード(&I)"), 0x10, true},
               {&m_column.Check("サウンドのダウンロード(&S)"), 0x40, true},
               {&m_column.Check("ビデオのダウンロード(&V)"), 0x20, true},
               {&m_column.Check("Javaの実行(&J)"), 0x100, false},
               {&m_column.Check("Scriptの実行(&S)"), 0x80, false},
               {&m_column.Check("ActiveXの実行(&A)"), 0x200, false},
               {&m_column.Check("ActiveXのダウンロード(&D)"), 0x400, false}}} {
    m_template.signal_changed().connect([this] {
        if (m_syncing) return;
        KeepTemplate();
        ShowTemplate(m_template.get_active_row_number());
    });
}

void SecurityOptionsPage::ShowTemplate(int index) {
    if (index < 0 || index >= static_cast<int>(m_templates.size())) index = 0;
    m_shown = index;
    for (const FlagCheck& f : m_flags)
        f.check->set_active(((m_templates[index] & f.bit) != 0) == f.checkedWhenSet);
}

void SecurityOptionsPage::KeepTemplate() {
    int& flags = m_templates[static_cast<std::size_t>(m_shown)];
    for (const FlagCheck& f : m_flags) {
        bool set = f.check->get_active() == f.checkedWhenSet;
        flags = set ? (flags | f.bit) : (flags & ~f.bit);
    }
}

void SecurityOptionsPage::Load(const ProgramSettings& working) {
    BrowserSettings b = m_loaded = working.browser;
    m_inherit.set_active(b.inheritParentSecurity);
    m_reload.set_active(b.reloadAfterFlagChange);
    m_cookie.set_active(b.cookie == kCookieIe45 ? 0 : 1);
    for (int i = 0; i < static_cast<int>(m_templates.size()); ++i)
        m_templates[static_cast<std::size_t>(i)] = *TemplateOf(b, i);
    m_loadedTemplates = m_templates;
    m_syncing = true;
    if (m_template.get_active_row_number() < 0) m_template.set_active(0);
    m_syncing = false;
    ShowTemplate(m_template.get_active_row_number());
}

void SecurityOptionsPage::Store(COptionsSession& session) {
    BrowserSettings& b = session.Edit(SettingsSection::Browser).browser;
    Put(b.inheritParentSecurity, m_inherit.get_active(), m_loaded.inheritParentSecurity);
    Put(b.reloadAfterFlagChange, m_reload.get_active(), m_loaded.reloadAfterFlagChange);
    // Any value but 2 means "IE6": one stored that way stays as it was.
    bool ie45 = m_cookie.get_active_row_number() == 0;
    if (ie45 != (m_loaded.cookie == kCookieIe45)) b.cookie = ie45 ? kCookieIe45 : kCookieIe6;
    KeepTemplate();
    for (std::size_t i = 0; i < m_templates.size(); ++i)
        for (const FlagCheck& f : m_flags)
            PutBit(*TemplateOf(b, static_cast<int>(i)), f.bit, (m_templates[i] & f.bit) != 0,
                   m_loadedTemplates[i]);
}

void AddBrowserOptionsPages(COptionsPages& pages, const BrowserPageServices& services) {
    pages.Add("ブラウザ", [&services] { return std::make_unique<BrowserOptionsPage>(services); });
    pages.Add("ブラウザ::その他",
              [&services] { return std::make_unique<BrowserOtherOptionsPage>(services); });
    pages.Add("ブラウザ::セキュリティ",
              [&services] { return std::make_unique<SecurityOptionsPage>(services); });
}

}  // namespace fern
