#pragma once
// The mailer: "メーラーを起動(&E)", the start of the mailer for "mailto:"
// addresses, and the options page "電子メール".
#include <string>

#include "commands/CommandRouter.h"
#include "options/gtk/OptionsPage.h"
#include "settings/SettingsService.h"

namespace fern {

// Starts the mailer for `address` as MLStyle and MLMailerPath say. True
// when it was started; a failure is logged.
bool LaunchMailer(const std::string& address, const MailSettings& mail);

class MailerFeature {
public:
    MailerFeature(CSettingsService& settings, COptionsPages& pages);
    void RegisterCommands(CCommandRouter& router);

private:
    CSettingsService& m_settings;
};

}  // namespace fern
