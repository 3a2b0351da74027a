#include "tools/gtk/MailerFeature.h"

#include <gio/gio.h>

#include <cstdio>

#include "commands/CommandIds.h"
#include "platform/fs/FsPath.h"
#include "platform/text/Encoding.h"
#include "tools/Mailer.h"
#include "tools/gtk/MailOptionsPage.h"

namespace fern {

namespace {

constexpr char kBareAddress[] = "mailto:";

}  // namespace

bool LaunchMailer(const std::string& address, const MailSettings& mail) {
    MailerLaunch launch = MailerLaunchOf(address, mail);
    GError* error = nullptr;
    gboolean ok = FALSE;
    if (launch.kind == MailerLaunch::Kind::DesktopHandler) {
        ok = g_app_info_launch_default_for_uri(ToUtf8(launch.address).c_str(), nullptr, &error);
    } else {
        // The program is a path; the arguments are text. No shell reads them.
        std::vector<std::string> argv;
        argv.push_back(PathFromText(launch.argv[0]));
        for (std::size_t i = 1; i < launch.argv.size(); ++i) argv.push_back(ToUtf8(launch.argv[i]));
        std::vector<gchar*> pointers;
        for (std::string& arg : argv) pointers.push_back(arg.data());
        pointers.push_back(nullptr);
        ok = !argv[0].empty() && g_spawn_async(nullptr, pointers.data(), nullptr, G_SPAWN_SEARCH_PATH,
                                               nullptr, nullptr, nullptr, &error);
    }
    if (!ok) {
        std::fprintf(stderr, "fern: could not start the mailer: %s\n", error ? error->message : "no program");
        if (error) g_error_free(error);
    }
    return ok;
}

MailerFeature::MailerFeature(CSettingsService& settings, COptionsPages& pages) : m_settings(settings) {
    pages.Add("電子メール", [this] { return std::make_unique<MailOptionsPage>(m_settings); });
}

void MailerFeature::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_MAILER, [this] { LaunchMailer(kBareAddress, m_settings.Live().mail); });
}

}  // namespace fern
