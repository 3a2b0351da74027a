#include "app/gtk/FernMain.h"

#include <glib-unix.h>
#include <gtkmm.h>
#include <webkit2/webkit2.h>

#include <csignal>
#include <cstdio>
#include <memory>

#include "app/ArgumentUrl.h"
#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/DataPaths.h"
#include "app/FrameOptionsFromSettings.h"
#include "app/gtk/Screenshot.h"
#include "app/settings/IniProfile.h"
#include "app/settings/ProgramSettings.h"
#include "content/DownloadControl.h"
#include "content/OfflineMode.h"
#include "content/UserAgent.h"
#include "content/gtk/ContentCommands.h"
#include "filters/CloseFilter.h"
#include "filters/FilterCommands.h"
#include "filters/PageDialogFilter.h"
#include "filters/gtk/DialogSweeper.h"
#include "filters/gtk/FilterCommandPart.h"
#include "filters/gtk/ScriptErrorWindow.h"
#include "frame/MainFrame.h"
#include "frame/TabBarLook.h"
#include "frame/gtk/MainFrameWindow.h"
#include "frame/gtk/SessionParts.h"
#include "frame/gtk/TabBarEvents.h"
#include "frame/gtk/TabBarWidget.h"
#include "history/gtk/HistoryWiring.h"
#include "platform/engine/LazyEngine.h"
#include "platform/fs/FileIo.h"
#include "platform/gtk/GtkShell.h"
#include "platform/gtk/SessionEnd.h"
#include "platform/gtk/SpawnCommandRunner.h"
#include "platform/gtk/WebKitContext.h"
#include "platform/gtk/WebKitEngine.h"
#include "platform/gtk/WebKitEngineFactory.h"
#include "platform/gtk/WebKitOfflineFilter.h"
#include "platform/shell/HandOff.h"
#include "platform/shell/HandOffRetry.h"
#include "platform/shell/SingleInstance.h"
#include "platform/text/Encoding.h"
#include "privacy/CookieSwitch.h"
#include "privacy/DefaultBrowser.h"
#include "privacy/PrivacyIniFile.h"
#include "privacy/SecurityZone.h"
#include "privacy/gtk/PrivacyCommandPart.h"
#include "privacy/gtk/WebKitCookieEngine.h"
#include "tools/dde/DdeFrameService.h"

namespace fern {

namespace {

const char kLockName[] = "/FernBrowserApp.lock";
const char kSocketName[] = "/FernBrowserApp.sock";
const char kTempName[] = "/~FBISTMP00";
constexpr std::uint32_t kFocusOption = 0x100;

void Complain(const std::string& sjis) { std::fprintf(stderr, "fern: %s\n", ToUtf8(sjis).c_str()); }

// A later start: every argument goes to the running browser, which is then
// asked for attention; this process ends either way. A browser still starting
// up is waited for while it holds the lock.
int HandOff(const std::string& socketPath, const std::string& lockPath, const CommandLine& commandLine) {
    std::vector<HandOffMessage> messages;
    for (const std::string& arg : commandLine.arguments) {
        std::size_t start = arg.find_first_not_of(" \t\r\n");
        messages.push_back({0, start == std::string::npos ? std::string() : arg.substr(start)});
    }
    HandOffPatience patience;
    patience.holderAlive = [&] { return InstanceLockHeld(lockPath); };
    std::string error;
    if (SendHandOffWhenReady(socketPath, messages, patience, &error) == HandOffResult::Taken) return 0;
    Complain("no running window took the arguments (" + error + ")");
    return 1;
}

// res/ beside the executable, then the installed share/fern/res.
std::string ResourceFolder() {
    gchar* exe = g_file_read_link("/proc/self/exe", nullptr);
    std::string folder;
    if (exe) {
        gchar* dir = g_path_get_dirname(exe);
        folder = std::string(dir) + "/res";
        g_free(dir);
        g_free(exe);
    }
    if (folder.empty() || !g_file_test(folder.c_str(), G_FILE_TEST_IS_DIR)) folder = FERN_SHARE_DIR "/res";
    return folder;
}

std::string ExecutablePath() {
    gchar* exe = g_file_read_link("/proc/self/exe", nullptr);
    std::string path = exe ? std::string(exe) : std::string("fern");
    g_free(exe);
    return path;
}

std::string VersionText() {
    char text[64];
    std::snprintf(text, sizeof text, "%d.%d%d A Build %d", FERN_VERSION_MAJOR, FERN_VERSION_MINOR,
                  FERN_VERSION_PATCH, 0);
    return text;
}

std::string AboutText(int closedTotal) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "Version %s\r\n\r\n[ Fern Browser ] ver %s\r\n[ WebKitGTK ] ver %u.%u.%u\r\n"
                  "[ GTK ] ver %u.%u.%u\r\n\r\nClosed Total: %d",
                  VersionText().c_str(), VersionText().c_str(), webkit_get_major_version(),
                  webkit_get_minor_version(), webkit_get_micro_version(), gtk_get_major_version(),
                  gtk_get_minor_version(), gtk_get_micro_version(), closedTotal);
    return text;
}

bool LaunchMailer(const std::string& text, const MailSettings& mail) {
    std::string utf8 = ToUtf8(text);
    GError* error = nullptr;
    gboolean ok = FALSE;
    if (mail.useMailerPath && !mail.mailerPath.empty()) {
        gchar* quoted = g_shell_quote(utf8.c_str());
        std::string command = ToUtf8(mail.mailerPath) + " " + quoted;
        g_free(quoted);
        ok = g_spawn_command_line_async(command.c_str(), &error);
    } else {
        ok = g_app_info_launch_default_for_uri(utf8.c_str(), nullptr, &error);
    }
    if (!ok) {
        std::fprintf(stderr, "fern: could not start the mailer: %s\n", error ? error->message : "?");
        if (error) g_error_free(error);
    }
    return ok;
}

}  // namespace

int RunFern(int argc, char** argv) {
    CommandLine commandLine = ParseCommandLine(argc, argv);
    if (!commandLine.Ok()) {
        Complain(commandLine.error);
        return 2;
    }
    std::string error;
    std::optional<std::string> runtime = RuntimeFolder(&error);
    if (!runtime) {
        Complain("no runtime folder: " + error);
        return 1;
    }
    CInstanceLock lock;
    if (!lock.Acquire(*runtime + kLockName, &error))
        return HandOff(*runtime + kSocketName, *runtime + kLockName, commandLine);

    if (!gtk_init_check(&argc, &argv)) {
        Complain("cannot open the display");
        return 1;
    }
    Gtk::Main::init_gtkmm_internals();
    // GTK took its own options out of argv.
    commandLine = ParseCommandLine(argc, argv);
    std::optional<std::string> folder = ResolveDataFolder(commandLine, &error);
    if (!folder) {
        Complain("no data folder: " + error);
        return 1;
    }

    DataPaths paths = MakeDataPaths(*folder);
    IniProfile profile(paths.profile), windows(paths.windows);
    SettingsStore store(profile, windows);
    ProgramSettings settings;
    settings.LoadAll(store);
    ResolveBookmarkPath(store, paths);

    std::string tempFolder = *runtime + kTempName;
    g_mkdir_with_parents(tempFolder.c_str(), 0700);

    FrameOptions options = MakeFrameOptions(settings);
    WebKitContext context(*folder);
    context.SetUserAgent(ToUtf8(UserAgentText(settings.browser.userAgent)));
    COfflineMode offline([&context](bool on) { context.Offline().SetOffline(on); });
    // Helper objects are latched: only a restart picks up a change of the bit.
    if (settings.browser.loadHelperObjects) context.LoadWebExtensionsFrom(*folder + "/extensions");
    PrivacyIniFile privacyFile(*folder + "/privacy.ini");
    WebKitCookieEngine cookieEngine(context);
    WebKitEngineFactory engines(context, options.homePageUrl);
    GlibTimers timers;
    GlibMessageQueue queue;
    GtkClipboardText clipboard;
    GtkMessageBox messageBox;
    HistoryWiring history({*folder, profile, context, queue, messageBox, [&offline] { return offline.IsOffline(); }});
    CookieSwitch cookieSwitch(CookieModeOf(settings.browser.cookie), privacyFile, cookieEngine, messageBox);
    CCloseFilter filter(settings.closeUrl);
    ListFileStatus closeRead = ReadCloseLists(paths.closeFilters, filter.Lists());
    if (filter.Lists().unreadable) Complain("close.fbl cannot be read and will not be saved: " + closeRead.error);

    CMainFrame* framePtr = nullptr;
    auto openFlags = [&options] { return (options.browserStyle & kFocusOption) ? 3 : 1; };
    FrameServices services{
        engines, timers, queue, clipboard, messageBox, filter,
        [](const std::string& text) { return ConvertArgumentToUrl(text); },
        [&](const std::string& text) {
            SpecialUrlActions actions;
            actions.ignoreMailto = settings.mail.ignoreMailto;
            actions.launchMailer = [&](const std::string& t) { return LaunchMailer(t, settings.mail); };
            actions.openUrl = [&](const std::string& url) {
                if (framePtr) framePtr->OpenUrl(url, openFlags(), 0xFFFFFFFFu, 1);
            };
            return OpenSpecialUrl(text, actions);
        },
        [&offline] { return offline.IsOffline(); }};
    CMainFrame frame(std::move(services), options);
    framePtr = &frame;
    history.SetActivePage([&frame] { return frame.ActiveView() ? frame.ActiveView()->Url() : std::string(); });

    MainFrameWindow window(frame, [](CFernView* view) -> GtkWidget* {
        auto* engine = dynamic_cast<WebKitEngine*>(RealEngine(view->Engine()));
        return engine ? engine->Widget() : nullptr;
    });
    messageBox.SetParent(window.gobj());
    window.SetAboutText([&] { return AboutText(filter.Closed()); });

    CDownloadControl downloadControl(settings.browser, store, frame.MutableOptions(),
                                     [&frame] { return frame.ActiveView(); });
    ContentCommands contentCommands(downloadControl, offline);
    window.AddCommandPart(&contentCommands);

    SpawnCommandRunner commandRunner;
    DefaultBrowser defaultBrowser(commandRunner, privacyFile, DefaultBrowserPathsFor(ExecutablePath()));
    PrivacyCommandPart privacy(window, {cookieSwitch, cookieEngine, defaultBrowser, messageBox, [&frame] {
                                            CFernView* view = frame.ActiveView();
                                            return view ? view->Url() : std::string();
                                        }});
    window.AddCommandPart(&privacy);
    window.AddCommandPart(&history);

    // Status bar indicators: the offline switch, the download-control strip
    // (it shows and flips the flags for new tabs) and the zone of the page.
    StatusBarWidget& statusBar = window.StatusBar();
    statusBar.SetDlcStyle(settings.statusBar.downloadControlStrip);
    statusBar.LoadImages(ResourceFolder());
    frame.SetZoneRule([](const std::string& url) { return ZoneOfUrl(url); });
    MainFrameWindow::StatusHooks statusHooks;
    statusHooks.offlineClicked = [&offline] { offline.Toggle(); };
    statusHooks.zoneClicked = [&privacy] { privacy.OpenInternetOptions(InternetOptionsPage::Security); };
    statusHooks.toggleDownloadControl = [&downloadControl](std::uint32_t bit) { downloadControl.ToggleDefault(bit); };
    window.SetStatusHooks(std::move(statusHooks));
    downloadControl.AddChangeHook([&] { statusBar.SetDownloadControl(downloadControl.DefaultFlags()); });
    offline.AddChangeHook([&frame](bool) { frame.UpdateOfflineIndicator(); });

    TabBarWidget tabBar;
    TabBarFrameEvents tabEvents(frame, [](const std::string& t) { return ConvertArgumentToUrl(t); },
                                [&] { window.ShowTabBarMenu(); });
    TabBarSettingsValues look;
    look.tabStyle = settings.tabBar.style;
    look.textLimit = settings.tabBar.textLimit;
    look.fixBtnSize = settings.tabBar.fixedSize;
    look.selClr = static_cast<std::uint32_t>(settings.tabBar.selectedTextColour);
    look.unselClr = static_cast<std::uint32_t>(settings.tabBar.unselectedTextColour);
    look.selBkgClr = static_cast<std::uint32_t>(settings.tabBar.selectedBackColour);
    look.unselBkgClr = static_cast<std::uint32_t>(settings.tabBar.unselectedBackColour);
    look.btnStyle = settings.tabBar.fontStyle;
    tabBar.SetLook(MakeTabBarLook(look));
    tabBar.SetModel(&frame.Tabs());
    tabBar.SetEvents(&tabEvents);
    tabBar.LoadImages(ResourceFolder());
    tabBar.SetTempFolder(tempFolder);
    window.SetTabBar(tabBar, tabBar.Look().belowPages);
    window.SetTabBarRefresh([&] { tabBar.Refresh(); });

    // The pop-up and dialog filters' commands, script errors and the sweep.
    ScriptErrorWindow scriptErrors(window);
    CPageDialogFilter pageDialogs(settings.browser, settings.killMsgDlg.items,
                                  {[&](const std::string& text) { frame.SetStatusText(text); },
                                   [&](const ScriptErrorInfo& error) { scriptErrors.Show(error); }});
    frame.SetPageDialogFilter(&pageDialogs);
    DialogSweeper sweeper(timers, [&] { return settings.browser.dialogSweep; });
    CFilterCommands filterCommands({frame, filter, paths.closeFilters, settings.browser, store, messageBox,
                                    [&](bool on) {
                                        if (on) sweeper.SweepNow();
                                    }});
    FilterCommandPart filterPart(filterCommands);
    window.AddCommandPart(&filterPart);

    SessionParts parts({frame, window, settings, store, paths, messageBox, tempFolder});
    window.SetSessionParts(&parts);
    frame.SetHooks({[&](const std::string& text, int flags) { parts.Opened(text, flags); },
                    [&] { parts.OpenRefused(); },
                    [&](const CFernView& view) { parts.ViewDestroyed(view); }});

    ExitSteps steps;
    steps.closeCount = [&] {
        if (!store.WriteInt(Setting::COCount, filter.Closed())) store.LogSaveFailure(Setting::COCount);
    };
    parts.AddExitSteps(steps);
    // The strip's style goes with the window's bars.
    steps.placementAndBars = [&, bars = steps.placementAndBars] {
        if (bars) bars();
        settings.statusBar.downloadControlStrip = statusBar.DlcStyle();
        if (!settings.statusBar.Save(store)) store.LogSaveFailure(Setting::SBDLCStyle);
    };
    frame.SetExitSteps(steps);
    window.SetOnClosed([] { gtk_main_quit(); });

    // The request channel for other programs, named by BODDESrvName.
    DdeWindowActions ddeActions;
    ddeActions.restore = [&] {
        window.deiconify();
        window.present();
    };
    ddeActions.close = [&] { window.Close(); };
    std::unique_ptr<DdeFrameService> dde =
        StartDdeServer(frame, settings.browser.ddeServerName, std::move(ddeActions), queue, messageBox);

    frame.SetStarting(true);
    CHandOffServer server;
    if (!server.Listen(*runtime + kSocketName,
                       [&](std::uint32_t data, const std::string& text) { return frame.OnCopyData(data, text); },
                       [&] { window.Attention(); }, &error))
        Complain("later starts cannot hand over their arguments: " + error);

    bool argumentOpened = false;
    for (const std::string& argument : commandLine.arguments) {
        std::string url = ConvertArgumentToUrl(argument);
        if (url.empty()) continue;
        argumentOpened = true;
        frame.OpenUrl(url, openFlags(), 0xFFFFFFFFu, 1);
    }
    parts.OpenAtStartup(argumentOpened);

    window.show();
    frame.SetStarting(false);
    Glib::signal_idle().connect_once([&context] { context.EnableFavicons(); });
    frame.StartAutoSave(settings.autoSave.enabled, settings.autoSave.intervalMinutes);

    // The end of the session or a kill request saves like closing the window.
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        g_unix_signal_add(signal, [](gpointer data) -> gboolean {
            static_cast<MainFrameWindow*>(data)->Close();
            return G_SOURCE_REMOVE;
        }, &window);

    SessionEndWatcher session([&] { window.Close(); });
    session.Register("fern");

    std::unique_ptr<ScreenshotWhenLoaded> screenshot;
    if (commandLine.screenshot)
        screenshot = std::make_unique<ScreenshotWhenLoaded>(window, frame, *commandLine.screenshot,
                                                            [&] { window.Close(); });

    gtk_main();
    frame.SetPageDialogFilter(nullptr);
    dde.reset();
    server.Stop();
    parts.SaveFileDialogFolders();
    return 0;
}

}  // namespace fern
