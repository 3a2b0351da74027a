#include "addressbar/gtk/AddressOptionsPage.h"

#include <algorithm>

#include "options/OptionsText.h"
#include "platform/text/Encoding.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

constexpr char kCaption[] = "Fern Browser";
constexpr int kMinUrls = 1, kMaxUrls = 256;

// The prefix or suffix as stored, when the user changed it: one line, no
// longer than an address.
void PutAffix(std::string& field, const Gtk::Entry& entry, const Glib::ustring& loaded, bool& cleaned) {
    if (entry.get_text() == loaded) return;
    std::string typed = FromUtf8(entry.get_text().raw());
    field = WithoutControls(typed);
    field.resize(SjisSafeCut(field, kMaxListEntryBytes));
    cleaned = cleaned || field != typed;
}

}  // namespace

AddressOptionsPage::AddressOptionsPage(const AddressPageServices& services)
    : m_s(services),
      m_limit(m_column.Number("アドレス バーに記憶するURLの数(&N)", kMinUrls, kMaxUrls, "個")),
      m_front(m_column.Text("Ctrl+Enterで前に付ける文字列(&F)")),
      m_back(m_column.Text("Ctrl+Enterで後ろに付ける文字列(&B)")),
      m_autoComplete(m_column.Check("オートコンプリート(IE5.0以上) [再起動] (&A)")),
      m_autoCompletePending(m_column.Pending()),
      m_dialogAutoComplete(m_column.Check("開くダイアログのオートコンプリート(IE5.0以上) [再起動] (&O)")),
      m_dialogPending(m_column.Pending()),
      m_clear(m_column.Button("アドレス バーの履歴を消す(&D)")) {
    for (Gtk::CheckButton* check : {&m_autoComplete, &m_dialogAutoComplete})
        check->signal_toggled().connect([this] { Enable(); });
    m_clear.signal_clicked().connect([this] { ClearHistory(); });
}

void AddressOptionsPage::Enable() {
    m_autoCompletePending.set_visible(m_autoComplete.get_active() != m_s.autoCompleteAtStart);
    m_dialogPending.set_visible(m_dialogAutoComplete.get_active() != m_s.openDialogAutoCompleteAtStart);
}

void AddressOptionsPage::Load(const ProgramSettings& working) {
    const AddressBarSettings& a = m_loaded = working.addressBar;
    m_limit.set_value(std::clamp(a.urlLimit, kMinUrls, kMaxUrls));
    m_front.set_text(ToUtf8(a.addUrlFront));
    m_back.set_text(ToUtf8(a.addUrlBack));
    m_loadedFront = m_front.get_text();
    m_loadedBack = m_back.get_text();
    m_autoComplete.set_active(a.autoComplete);
    m_loadedDialogAutoComplete = working.fileDlg.autoComplete;
    m_dialogAutoComplete.set_active(m_loadedDialogAutoComplete);
    Enable();
}

void AddressOptionsPage::Store(COptionsSession& session) {
    AddressBarSettings& a = session.Edit(SettingsSection::AddressBar).addressBar;
    // A stored limit out of range shows clamped, and is stored so.
    Put(a.urlLimit, std::clamp(m_limit.get_value_as_int(), kMinUrls, kMaxUrls), m_loaded.urlLimit);
    bool cleaned = false;
    PutAffix(a.addUrlFront, m_front, m_loadedFront, cleaned);
    PutAffix(a.addUrlBack, m_back, m_loadedBack, cleaned);
    Put(a.autoComplete, m_autoComplete.get_active(), m_loaded.autoComplete);
    Put(session.Edit(SettingsSection::FileDlg).fileDlg.autoComplete, m_dialogAutoComplete.get_active(),
        m_loadedDialogAutoComplete);
    if (cleaned)
        m_s.messageBox.Show(
            "Ctrl+Enterで付ける文字列から制御文字 (改行、タブなど) を取り除いて保存しました。", kCaption,
            MessageBoxKind::Ok);
}

void AddressOptionsPage::ClearHistory() {
    if (m_s.messageBox.Show("アドレス バーの履歴を消します。\n\nよろしいですか？", kCaption,
                            MessageBoxKind::OkCancel) != MessageBoxAnswer::Ok)
        return;
    if (m_s.clearTypedList && !m_s.clearTypedList())
        m_s.messageBox.Show("履歴は消しましたが、typed.fbl を保存できませんでした。", kCaption,
                            MessageBoxKind::Ok);
}

void AddAddressOptionsPage(COptionsPages& pages, const AddressPageServices& services) {
    pages.Add("アドレス バー", [&services] { return std::make_unique<AddressOptionsPage>(services); });
}

}  // namespace fern
