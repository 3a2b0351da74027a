#pragma once
// The state log (the URLs of all tabs, state.fbl), URL lists saved to and
// opened from any file, the startup URLs (startup.fbl), the opens of the
// start-up and the auto-save choice. Every open goes through the tab
// manager's open operation.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "commands/CommandIds.h"
#include "lists/ListFileStore.h"
#include "lists/UrlItem.h"

namespace fern {

class CSettingsService;

class CMainFrame;
class SettingsStore;
struct AutoSaveSettings;
struct StartupSettings;

// The tab manager's OpenUrl(text, open flags, download-control flags,
// security mode).
using UrlOpener =
    std::function<void(const std::string& text, int openFlags, std::uint32_t dlc, int securityMode)>;

inline constexpr char kStateLogListName[] = "laststate";
inline constexpr char kUrlListName[] = "UrlList";
inline constexpr char kStartupListName[] = "startupurl";

// One item per tab, in tab order: the tab's download-control flags, no name,
// its URL (or its pending URL while it has none).
std::vector<UrlItem> StateItems(const CMainFrame& frame);

// Empty `path`: the state log `stateLogPath` ("laststate"); otherwise the
// chosen file ("UrlList").
[[nodiscard]] ListFileStatus SaveState(const CMainFrame& frame, const std::string& path,
                                       const std::string& stateLogPath);

// The state log entries to open: read, duplicates removed (SUStyle 0x4,
// the first of each url stays), and at start-up with SUStyle 0x10 and 0x20
// the entries whose url is a startup url (opened already) removed.
std::vector<UrlItem> StateLogToRestore(const std::string& stateLogPath, const std::string& startupPath,
                                       const StartupSettings& startup, bool atStartup);

// OpenUrl(url, 3, style, 0) for every item with a url, in order.
void OpenItems(const std::vector<UrlItem>& items, const UrlOpener& open);

void RestoreStateLog(const std::string& stateLogPath, const std::string& startupPath,
                     const StartupSettings& startup, bool atStartup, const UrlOpener& open);

// "リストから読み込み(&R)" on the chosen file.
ListFileStatus OpenUrlListFile(const std::string& path, const UrlOpener& open);

// OpenUrl(url, 3, style, 2): startup tabs start with BODLCDefault.
void OpenStartupUrls(const std::string& startupPath, const UrlOpener& open);

// Appends `url` to startup.fbl ("startupurl"), without a duplicate check;
// nothing for an url of fewer than 3 bytes. A file that is there but cannot
// be read is not replaced.
[[nodiscard]] ListFileStatus AddToStartupList(const std::string& startupPath, const std::string& url);

// The start-up list after its addresses were edited as texts: an address
// that was there keeps its item (style, name), each at most once; a new one
// gets a new item.
std::vector<UrlItem> EditedItemList(const std::vector<UrlItem>& before, const std::vector<std::string>& urls);

// The start-up opens after the arguments: unless SUStyle 0x8 is on and an
// argument was opened, the startup URLs (0x10), then the state log (0x2).
void OpenAtStartup(const StartupSettings& startup, bool argumentOpened, const std::string& startupPath,
                   const std::string& stateLogPath, const UrlOpener& open);

// The answer of the auto-save dialog: OK turns auto-save on with `minutes`,
// Cancel turns it off; either way ASStyle (1 or 0) and ASInterval are
// written. Says whether the timer is to run, its period and whether the
// settings were written.
struct AutoSaveTimer {
    bool run = false;
    int minutes = 0;
    bool saved = true;
};
AutoSaveTimer ChooseAutoSave(CSettingsService& settings, bool ok, int minutes);
// The initial value the dialog shows, held to its range 1..60.
int AutoSaveDialogValue(const AutoSaveSettings& settings);

// Opens through the frame; new tabs never need the view returned.
UrlOpener FrameOpener(CMainFrame& frame);

}  // namespace fern
