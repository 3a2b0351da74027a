#include "tools/gtk/MailOptionsPage.h"

#include "platform/fs/FsPath.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/ListFileChooser.h"

namespace fern {

MailOptionsPage::MailOptionsPage(CSettingsService& settings)
    : m_settings(settings),
      m_ignore(m_column.Check("mailto:は無視(&I)")),
      m_useMailer(m_column.Check("メーラーを指定(&M)")),
      m_path(m_column.Text("メーラー(&P)")) {
    m_column.Button("参照(&B)...", true).signal_clicked().connect([this] { ChooseMailer(); });
    m_column.Note(
        "例: \"/usr/bin/thunderbird\" -compose \"to=%M\"  (%m はアドレス全体、%M は \"mailto:\" の後の部分)");
    m_useMailer.signal_toggled().connect([this] { m_path.set_sensitive(m_useMailer.get_active()); });
}

void MailOptionsPage::Load(const ProgramSettings& working) {
    const MailSettings& m = m_loaded = working.mail;
    m_ignore.set_active(m.ignoreMailto);
    m_useMailer.set_active(m.useMailerPath);
    m_path.set_text(ToUtf8(m.mailerPath));
    m_path.set_sensitive(m.useMailerPath);
}

void MailOptionsPage::Store(COptionsSession& session) {
    MailSettings& m = session.Edit(SettingsSection::Mail).mail;
    Put(m.ignoreMailto, m_ignore.get_active(), m_loaded.ignoreMailto);
    Put(m.useMailerPath, m_useMailer.get_active(), m_loaded.useMailerPath);
    Put(m.mailerPath, FromUtf8(m_path.get_text().raw()), m_loaded.mailerPath);
}

void MailOptionsPage::ChooseMailer() {
    auto* parent = dynamic_cast<Gtk::Window*>(m_column.get_toplevel());
    if (!parent) return;
    if (std::optional<std::string> chosen =
            ChooseFile(*parent, false, {{"すべてのファイル (*)", "*"}}, m_settings))
        m_path.set_text(ToUtf8(PathToText(*chosen)));
}

}  // namespace fern
