#include "bookmarks/exchange/BrowserProfiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/fs/FileIo.h"
#include "platform/ini/IniDocument.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::string Join(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') path += '/';
    return path.append(name);
}

void AddFirefox(std::string_view home, std::string_view folder, const char* browser,
                std::vector<BrowserProfile>& out) {
    std::string iniFolder = Join(home, folder);
    std::string iniPath = Join(iniFolder, "profiles.ini");
    if (!IsRegularFile(iniPath)) return;
    std::optional<std::string> text = ReadWholeFile(iniPath);
    if (!text) return;
    for (BrowserProfile& profile : ParseFirefoxProfilesIni(*text, iniFolder, browser))
        if (IsRegularFile(FirefoxPlacesPath(profile.path))) out.push_back(std::move(profile));
}

// The subfolders of `folder` holding a "Bookmarks" file: "Default" first,
// then the others ("Profile 1", ...) in name order.
void AddChromium(std::string_view home, std::string_view folder, const char* browser,
                 std::vector<BrowserProfile>& out) {
    std::string base = Join(home, folder);
    std::error_code failed;
    std::vector<std::string> names;
    for (std::filesystem::directory_iterator it(base, failed), end; !failed && it != end;
         it.increment(failed)) {
        std::string name = it->path().filename().string();
        if (IsRegularFile(ChromiumBookmarksPath(Join(base, name)))) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        if ((a == "Default") != (b == "Default")) return a == "Default";
        return a < b;
    });
    for (const std::string& name : names) {
        BrowserProfile profile;
        profile.family = BrowserFamily::Chromium;
        profile.browser = browser;
        profile.name = FromUtf8(name);
        profile.path = Join(base, name);
        profile.isDefault = name == "Default";
        out.push_back(std::move(profile));
    }
}

}  // namespace

std::vector<BrowserProfile> ParseFirefoxProfilesIni(std::string_view text, std::string_view iniFolder,
                                                    std::string_view browser) {
    IniDocument ini = IniDocument::Parse(text);
    std::vector<std::string> installDefaults;
    for (const std::string& section : ini.SectionNames())
        if (StartsWith(section, "Install"))
            if (const std::string* path = ini.Find(section, "Default")) installDefaults.push_back(*path);
    std::vector<BrowserProfile> profiles;
    for (const std::string& section : ini.SectionNames()) {
        if (!StartsWith(section, "Profile")) continue;
        const std::string* path = ini.Find(section, "Path");
        if (!path || path->empty()) continue;
        const std::string* relative = ini.Find(section, "IsRelative");
        const std::string* name = ini.Find(section, "Name");
        const std::string* isDefault = ini.Find(section, "Default");
        BrowserProfile profile;
        profile.family = BrowserFamily::Firefox;
        profile.browser = browser;
        profile.name = FromUtf8(name && !name->empty() ? *name : *path);
        bool isRelative = relative && *relative == "1";
        profile.path = isRelative || (*path)[0] != '/' ? Join(iniFolder, *path) : *path;
        profile.isDefault =
            std::find(installDefaults.begin(), installDefaults.end(), *path) != installDefaults.end() ||
            (installDefaults.empty() && isDefault && *isDefault == "1");
        profiles.push_back(std::move(profile));
    }
    std::stable_partition(profiles.begin(), profiles.end(),
                          [](const BrowserProfile& p) { return p.isDefault; });
    return profiles;
}

std::vector<BrowserProfile> FindBrowserProfiles(std::string_view home) {
    std::vector<BrowserProfile> profiles;
    if (home.empty()) return profiles;
    AddFirefox(home, ".mozilla/firefox", "Firefox", profiles);
    AddFirefox(home, "snap/firefox/common/.mozilla/firefox", "Firefox (snap)", profiles);
    AddFirefox(home, ".var/app/org.mozilla.firefox/.mozilla/firefox", "Firefox (flatpak)", profiles);
    AddChromium(home, ".config/google-chrome", "Google Chrome", profiles);
    AddChromium(home, ".config/chromium", "Chromium", profiles);
    AddChromium(home, ".config/BraveSoftware/Brave-Browser", "Brave", profiles);
    AddChromium(home, ".config/microsoft-edge", "Microsoft Edge", profiles);
    AddChromium(home, ".config/vivaldi", "Vivaldi", profiles);
    return profiles;
}

const BrowserProfile* DefaultProfile(const std::vector<BrowserProfile>& profiles, BrowserFamily family) {
    for (const BrowserProfile& profile : profiles)
        if (profile.family == family) return &profile;
    return nullptr;
}

}  // namespace fern
