#include "privacy/DefaultBrowser.h"

#include <glib.h>

#include <cstdio>
#include <cstdlib>

#include "platform/fs/FileIo.h"
#include "platform/fs/FsPath.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

const char kSection[] = "DefaultBrowser";
const char kRegistered[] = "Registered";
const char kPreviousBrowser[] = "PreviousBrowser";

std::string PreviousKey(const std::string& mime) { return "Previous " + mime; }

std::string Trimmed(const std::string& text) {
    std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string::npos) return {};
    std::size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(start, end - start + 1);
}

// A handler worth giving back: one line naming a desktop entry.
bool IsHandlerName(const std::string& name) {
    return name.size() > 8 && name.find('\n') == std::string::npos &&
           name.compare(name.size() - 8, 8, ".desktop") == 0 && name != DefaultBrowser::kDesktopName;
}

std::string EnvFolder(const char* variable, const char* fallbackBelowHome) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') return value;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + fallbackBelowHome;
}

}  // namespace

DefaultBrowserPaths DefaultBrowserPathsFor(const std::string& executable) {
    return {executable, EnvFolder("XDG_DATA_HOME", "/.local/share") + "/applications",
            EnvFolder("XDG_CONFIG_HOME", "/.config") + "/mimeapps.list"};
}

DefaultBrowser::DefaultBrowser(ICommandRunner& runner, PrivacyIniFile& record, DefaultBrowserPaths paths)
    : m_runner(runner), m_record(record), m_paths(std::move(paths)) {}

const std::vector<std::string>& DefaultBrowser::MimeTypes() {
    static const std::vector<std::string> types{"text/html", "x-scheme-handler/http",
                                                "x-scheme-handler/https"};
    return types;
}

std::string DefaultBrowser::DesktopEntry(const std::string& executable) {
    // The path is quoted only when it holds a character the desktop's Exec
    // rules reserve: xdg-settings cannot find a quoted program. Inside the
    // quotes ", `, $ and backslash get a backslash; every backslash is then
    // doubled again for the string value, and "%" is doubled. The field code
    // stays outside the quotes, where the desktop expands it.
    const std::string& path = executable;  // the desktop file is UTF-8, like the file system
    bool reserved = path.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string::npos;
    std::string quoted;
    for (char c : path) {
        if (reserved && (c == '"' || c == '`' || c == '$')) quoted += "\\\\";
        if (c == '\\') quoted += "\\\\\\";  // a backslash always quotes
        if (c == '%') quoted += '%';
        if (c == '\n') {
            quoted += "\\n";
            continue;
        }
        quoted += c;
    }
    if (reserved) quoted = "\"" + quoted + "\"";
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Fern Browser\n"
           "Exec=" +
           quoted +
           " %u\n"
           "Terminal=false\n"
           "Categories=Network;WebBrowser;\n"
           "MimeType=text/html;x-scheme-handler/http;x-scheme-handler/https;\n";
}

std::string DefaultBrowser::DesktopPath() const { return m_paths.applicationsFolder + "/" + kDesktopName; }

bool DefaultBrowser::IsRegistered() const { return m_record.ReadValue(kSection, kRegistered) == "1"; }

bool DefaultBrowser::RunChecked(const std::vector<std::string>& argv, std::string* error) {
    CommandResult result = m_runner.Run(argv);
    if (result.Ok()) return true;
    std::string reason = Trimmed(result.error);
    if (reason.empty()) {
        char status[32];
        std::snprintf(status, sizeof status, "%d", result.exitStatus);
        reason = std::string("exit status ") + status;
    }
    std::fprintf(stderr, "fern: %s failed: %s\n", argv[0].c_str(), ToUtf8(reason).c_str());
    if (error) *error = argv[0] + ": " + reason;
    return false;
}

std::string DefaultBrowser::Query(const std::vector<std::string>& argv) {
    CommandResult result = m_runner.Run(argv);
    return result.Ok() ? Trimmed(result.output) : std::string();
}

bool DefaultBrowser::Register(std::string* error) {
    // Only handlers other than ours are remembered, and the first record
    // stays, so registering twice still gives back the original handlers.
    std::string browser = Query({"xdg-settings", "get", "default-web-browser"});
    bool recorded = true;
    if (IsHandlerName(browser) && m_record.ReadValue(kSection, kPreviousBrowser).empty())
        recorded &= m_record.WriteValue(kSection, kPreviousBrowser, browser);
    for (const std::string& mime : MimeTypes()) {
        std::string handler = Query({"xdg-mime", "query", "default", mime});
        if (IsHandlerName(handler) && m_record.ReadValue(kSection, PreviousKey(mime)).empty())
            recorded &= m_record.WriteValue(kSection, PreviousKey(mime), handler);
    }
    if (!recorded) {
        // Without the record, unregistering could not give them back.
        if (error) *error = "設定ファイルに書き込めませんでした: " + PathForDisplay(m_record.Path());
        return false;
    }

    std::string why;
    g_mkdir_with_parents(m_paths.applicationsFolder.c_str(), 0700);
    if (!WriteFileAtomic(DesktopPath(), DesktopEntry(m_paths.executable), &why)) {
        LogWriteFailure(DesktopPath(), why);
        if (error) *error = PathForDisplay(DesktopPath()) + ": " + why;
        return false;
    }
    std::vector<std::string> mimeDefault{"xdg-mime", "default", kDesktopName};
    mimeDefault.insert(mimeDefault.end(), MimeTypes().begin(), MimeTypes().end());
    // xdg-settings refuses on some desktops (and with a quoted program) where
    // the handlers xdg-mime sets are all the desktop reads; that is enough
    // when the desktop then names us for web links.
    std::string settingsError;
    bool settingsOk =
        RunChecked({"xdg-settings", "set", "default-web-browser", kDesktopName}, &settingsError);
    if (!RunChecked(mimeDefault, error)) return false;
    if (!settingsOk && Query({"xdg-mime", "query", "default", "x-scheme-handler/http"}) != kDesktopName) {
        if (error) *error = settingsError;
        return false;
    }
    if (!m_record.WriteValue(kSection, kRegistered, "1")) {
        if (error) *error = "設定ファイルに書き込めませんでした: " + PathForDisplay(m_record.Path());
        return false;
    }
    return true;
}

bool DefaultBrowser::Unregister(std::string* error) {
    std::string browser = m_record.ReadValue(kSection, kPreviousBrowser);
    bool anyKnown = !browser.empty();
    if (!browser.empty() && !RunChecked({"xdg-settings", "set", "default-web-browser", browser}, error))
        return false;
    std::vector<std::string> unknown;
    for (const std::string& mime : MimeTypes()) {
        std::string handler = m_record.ReadValue(kSection, PreviousKey(mime));
        if (handler.empty()) {
            unknown.push_back(mime);
            continue;
        }
        anyKnown = true;
        if (!RunChecked({"xdg-mime", "default", handler, mime}, error)) return false;
    }
    if (!unknown.empty()) {
        std::string why;
        std::optional<std::string> list = ReadWholeFile(m_paths.mimeAppsList);
        if (list) {
            std::string edited = WithoutDesktopEntry(*list, kDesktopName, unknown);
            if (edited != *list && !WriteFileAtomic(m_paths.mimeAppsList, edited, &why)) {
                LogWriteFailure(m_paths.mimeAppsList, why);
                if (error) *error = PathForDisplay(m_paths.mimeAppsList) + ": " + why;
                return false;
            }
        }
    }
    // With nothing given back the desktop entry has no use left.
    if (!anyKnown) std::remove(DesktopPath().c_str());

    bool cleared = m_record.DeleteValue(kSection, kPreviousBrowser);
    for (const std::string& mime : MimeTypes()) cleared &= m_record.DeleteValue(kSection, PreviousKey(mime));
    cleared &= m_record.DeleteValue(kSection, kRegistered);
    if (!cleared) {
        if (error) *error = "設定ファイルに書き込めませんでした: " + PathForDisplay(m_record.Path());
        return false;
    }
    return true;
}

std::string WithoutDesktopEntry(const std::string& mimeApps, const std::string& desktopName,
                                const std::vector<std::string>& mimeTypes) {
    GKeyFile* file = g_key_file_new();
    GError* error = nullptr;
    if (!g_key_file_load_from_data(file, mimeApps.data(), mimeApps.size(), G_KEY_FILE_KEEP_COMMENTS,
                                   &error)) {
        // A file the desktop could not read either: left as it is.
        std::fprintf(stderr, "fern: mimeapps.list not changed: %s\n", error->message);
        g_error_free(error);
        g_key_file_free(file);
        return mimeApps;
    }
    for (const char* group : {"Default Applications", "Added Associations"}) {
        for (const std::string& mime : mimeTypes) {
            gsize count = 0;
            gchar** apps = g_key_file_get_string_list(file, group, mime.c_str(), &count, nullptr);
            if (!apps) continue;
            std::vector<const gchar*> kept;
            for (gsize i = 0; i < count; ++i)
                if (*apps[i] && desktopName != apps[i]) kept.push_back(apps[i]);
            if (kept.size() != count) {
                if (kept.empty()) g_key_file_remove_key(file, group, mime.c_str(), nullptr);
                else g_key_file_set_string_list(file, group, mime.c_str(), kept.data(), kept.size());
            }
            g_strfreev(apps);
        }
    }
    gsize length = 0;
    gchar* data = g_key_file_to_data(file, &length, nullptr);
    std::string result(data, length);
    g_free(data);
    g_key_file_free(file);
    return result;
}

}  // namespace fern
