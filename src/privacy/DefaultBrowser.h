#pragma once
// Making Fern the desktop's web browser: a desktop entry in the user's
// applications folder, then the desktop's own tools (xdg-settings, xdg-mime)
// choose it. The handlers it replaces are remembered in privacy.ini so that
// unregistering gives them back.
#include <string>
#include <vector>

#include "platform/shell/CommandRunner.h"
#include "privacy/PrivacyIniFile.h"

namespace fern {

struct DefaultBrowserPaths {
    std::string executable;          // the fern program
    std::string applicationsFolder;  // $XDG_DATA_HOME/applications
    std::string mimeAppsList;        // $XDG_CONFIG_HOME/mimeapps.list
};

// The folders from HOME, XDG_DATA_HOME and XDG_CONFIG_HOME as they are now.
DefaultBrowserPaths DefaultBrowserPathsFor(const std::string& executable);

class DefaultBrowser {
public:
    static constexpr const char* kDesktopName = "fern.desktop";

    DefaultBrowser(ICommandRunner& runner, PrivacyIniFile& record, DefaultBrowserPaths paths);

    // The types this program takes over, in the order they are set.
    static const std::vector<std::string>& MimeTypes();
    // The desktop entry, UTF-8 as the desktop expects it.
    static std::string DesktopEntry(const std::string& executable);

    bool IsRegistered() const;
    // False with the reason (Shift-JIS, for the user) in `error`.
    bool Register(std::string* error);
    bool Unregister(std::string* error);

private:
    ICommandRunner& m_runner;
    PrivacyIniFile& m_record;
    DefaultBrowserPaths m_paths;

    std::string DesktopPath() const;
    bool RunChecked(const std::vector<std::string>& argv, std::string* error);
    std::string Query(const std::vector<std::string>& argv);
    bool RemoveOurDefaults(std::string* error);
};

// The mimeapps.list bytes without "fern.desktop" for `mimeTypes` in the
// default and added sections; a key left with no application goes.
std::string WithoutDesktopEntry(const std::string& mimeApps, const std::string& desktopName,
                                const std::vector<std::string>& mimeTypes);

}  // namespace fern
