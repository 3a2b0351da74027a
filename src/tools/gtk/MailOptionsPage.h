#pragma once
// The options page "電子メール": "mailto:" ignored, or the user's mailer.
#include "options/gtk/OptionsPage.h"
#include "ui/gtk/OptionsControls.h"

namespace fern {

class MailOptionsPage : public IOptionsPage {
public:
    explicit MailOptionsPage(CSettingsService& settings);
    Gtk::Widget& Widget() override { return m_column; }
    void Load(const ProgramSettings& working) override;
    void Store(COptionsSession& session) override;

private:
    CSettingsService& m_settings;
    OptionsColumn m_column;
    Gtk::CheckButton& m_ignore;
    Gtk::CheckButton& m_useMailer;
    Gtk::Entry& m_path;
    MailSettings m_loaded;

    void ChooseMailer();
};

}  // namespace fern
