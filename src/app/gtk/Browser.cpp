#include "app/gtk/Browser.h"

#include <glib-unix.h>

#include <csignal>
#include <cstdio>

#include "app/ArgumentUrl.h"
#include "app/gtk/ProgramInfo.h"
#include "content/UserAgent.h"
#include "frame/gtk/SessionFeature.h"
#include "frame/gtk/StartupOptionsPages.h"
#include "platform/engine/LazyEngine.h"
#include "platform/gtk/WebKitEngine.h"
#include "platform/gtk/WebKitOfflineFilter.h"
#include "platform/shell/ProcessMemory.h"
#include "platform/text/Encoding.h"
#include "platform/trace/StartupTrace.h"

namespace fern {

namespace {

const char kTempName[] = "/~FBISTMP00";
// How long the deferred start-up work waits for a first page that neither
// commits nor fails (a server that does not answer).
constexpr unsigned kFirstPageWaitMs = 3000;
// How long the window waits to appear with a first page that is slow to come.
constexpr unsigned kWindowWaitMs = 400;

}  // namespace

Browser::Browser(const ProgramStart& start)
    : m_start(start),
      m_paths(MakeDataPaths(start.dataFolder)),
      m_profile(m_paths.profile),
      m_windows(m_paths.windows),
      m_store(m_profile, m_windows),
      m_settings(m_store),
      m_tempFolder(start.runtimeFolder + kTempName),
      m_context(start.dataFolder),
      m_offline([this](bool on) { m_context.Offline().SetOffline(on); }),
      m_privacyFile(start.dataFolder + "/privacy.ini"),
      m_cookieEngine(m_context),
      m_engines(m_context, HomePageUrl(m_settings.Live())),
      m_filter(m_settings.Live().closeUrl),
      m_frame(MakeFrameServices(), m_settings.Live()),
      m_keys(ResourceFolder() + "/keys.ini", m_paths.keys, m_messageBox),
      m_popupBars(m_frame),
      m_window(m_frame, m_router, m_keys.Load(), [this](CFernView* view) { return PageWidget(view); }),
      m_keyPart(m_window, m_keys, [this] { m_window.RebuildMenus(); }),
      m_optionsPart(m_window, m_settings, m_optionsPages),
      m_content(m_frame, m_settings, m_offline, m_window.StatusBar(), ResourceFolder(), m_router),
      m_privacy(m_window, m_frame, m_settings, m_privacyFile, m_cookieEngine, m_messageBox,
                m_window.StatusBar(), ExecutablePath(), m_router, m_optionsPages),
      m_tabBar(m_window, m_frame, m_settings, m_optionsPages, ConvertArgumentToUrl, ResourceFolder(),
               m_tempFolder),
      m_filters(m_window, m_frame, m_filter, m_settings, m_timers, m_messageBox, m_paths.closeFilters,
                m_router, m_optionsPages),
      m_addressBar(m_frame, m_window, m_settings, m_optionsPages, m_messageBox, m_paths.typedHistory,
                   m_tempFolder),
      m_session(m_frame, m_settings, {m_paths.recentClosed, m_paths.stateLog, m_paths.startupList},
                m_messageBox, MakeSessionDialogs(m_window, m_settings)),
      m_downloads({m_window, m_frame, m_context.Context(), m_settings, m_messageBox, m_timers}),
      m_recovery({m_frame, m_context, m_timers, start.dataFolder}),
      m_history({start.dataFolder, m_settings, m_context, m_queue, m_messageBox,
                 [this] { return m_offline.IsOffline(); },
                 [this] { return m_frame.ActiveView() ? m_frame.ActiveView()->Url() : std::string(); }}),
      m_bookmarks({m_window, m_frame, m_settings, m_messageBox, m_optionsPages, m_paths.defaultBookmarks,
                   ResolveBookmarkPath(m_store, m_paths), m_tempFolder}),
      m_sideBar(m_window, m_frame, m_settings),
      m_sideBarPanels({{m_settings, m_clipboard, m_messageBox, m_queue,
                        [this](const std::string& url, int flags, std::uint32_t dlc, int security) {
                            m_frame.OpenUrl(url, flags, dlc, security);
                        },
                        [this](const std::string& title, const std::string& url) {
                            m_bookmarks.Store().Tree().AddCurrentPage(
                                nullptr, title, url, m_settings.Live().browser.downloadControl);
                            m_bookmarks.Store().Changed();
                        },
                        &m_window},
                       m_sideBar,
                       m_history.Store(),
                       start.dataFolder,
                       m_addressBar.Typed().webSearch,
                       m_addressBar.Typed().historySearch}),
      m_proxy(m_window, m_context, m_settings, m_messageBox, start.dataFolder + "/proxy.ini"),
      m_placement(m_window, m_frame, m_settings),
      m_fullScreen(m_window, m_placement, m_settings),
      m_tray({m_window, m_frame, m_settings, m_router, m_placement, m_fullScreen, m_optionsPages}),
      m_mailer(m_settings, m_optionsPages),
      m_toolBar(m_window, m_router, m_settings, m_windows),
      m_bands(m_window, m_router, m_settings),
      m_urlExtract({m_window, m_frame, m_settings, m_clipboard, m_messageBox,
                    [](CFernView* view) {
                        auto* engine = dynamic_cast<WebKitEngine*>(RealEngine(view->Engine()));
                        return engine ? WEBKIT_WEB_VIEW(engine->Widget()) : nullptr;
                    }}),
      m_browserImport(m_window, m_settings, m_bookmarks.Store(), m_messageBox),
      m_listEditor(m_frame, m_settings) {
    TracePhase("settings, window and features made");
    m_frame.SetMemoryProbe([] { return ProcessTreeMemoryBytes(); });
    g_mkdir_with_parents(m_tempFolder.c_str(), 0700);
    ListFileStatus closeRead = ReadCloseLists(m_paths.closeFilters, m_filter.Lists());
    if (m_filter.Lists().unreadable)
        Complain("close.fbl cannot be read and will not be saved: " + closeRead.error);
    m_messageBox.SetParent(m_window.gobj());
    m_window.SetAboutText([this] { return AboutText(m_filter.Closed()); });
    m_window.SetKeyFilter(&m_addressBar.Widget());
    m_window.Put(WindowPlace::AddressBar, m_addressBar.Widget());
    m_addressShown =
        m_window.addressShown.Connect([this](const std::string& url) { m_addressBar.Widget().SetText(url); });
    m_frame.RegisterCommands(m_router);
    m_window.RegisterCommands(m_router);
    m_keyPart.RegisterCommands(m_router);
    m_optionsPart.RegisterCommands(m_router);
    m_addressBar.RegisterCommands(m_router);
    m_session.RegisterCommands(m_router);
    m_downloads.RegisterCommands(m_router);
    m_recovery.RegisterCommands(m_router);
    m_history.RegisterCommands(m_router);
    m_bookmarks.RegisterCommands(m_router);
    m_sideBar.RegisterCommands(m_router);
    m_sideBarPanels.RegisterCommands(m_router);
    m_sideBar.AddOptionsPages(m_optionsPages);
    m_sideBar.Host().SetPanel(0, m_bookmarks.PanelWidget());
    m_proxy.RegisterCommands(m_router);
    m_urlExtract.RegisterCommands(m_router);
    m_browserImport.RegisterCommands(m_router);
    m_listEditor.RegisterCommands(m_router);
    m_fullScreen.RegisterCommands(m_router);
    m_tray.RegisterCommands(m_router);
    m_mailer.RegisterCommands(m_router);
    m_toolBar.RegisterCommands(m_router);
    m_bands.RegisterCommands(m_router);
    m_toolBar.SetContextMenu([this](GdkEventButton*) { m_bands.ShowMenu(); });
    AddStartupOptionsPages(m_optionsPages, m_paths.startupList, m_messageBox);
    // Tabs made after a change of the user agent are sent with the new one.
    m_homePage = m_settings.Subscribe(SettingsSection::Browser, [this] {
        m_engines.SetHomeUrl(HomePageUrl(m_settings.Live()));
        m_context.SetUserAgent(ToUtf8(UserAgentText(m_settings.Live().browser.userAgent)));
    });
    m_window.SetOnClosed([] { gtk_main_quit(); });
    m_toolBar.ServeMissing(m_router);
    // Every command of the catalogue has its feature by now.
    for (int id : m_router.Unserved()) std::fprintf(stderr, "fern: command %d has no handler\n", id);
}

Browser::~Browser() {
    // The context outlives the members the hook reaches.
    m_context.OnFirstPage(nullptr);
    m_dde.reset();
    m_handOff.Stop();
    m_keys.SaveIfChanged();
}

bool Browser::StartWebProcess() {
    m_context.SetUserAgent(ToUtf8(UserAgentText(m_settings.Live().browser.userAgent)));
    // Helper objects are latched: only a restart picks up a change of the bit.
    if (m_settings.Live().browser.loadHelperObjects)
        m_context.LoadWebExtensionsFrom(m_start.dataFolder + "/extensions");
    m_engines.Prestart(FirstPageGuess(m_start.commandLine.arguments));
    return true;
}

FrameServices Browser::MakeFrameServices() {
    return {m_engines,
            m_timers,
            m_queue,
            m_clipboard,
            m_messageBox,
            m_filter,
            [](const std::string& text) { return ConvertArgumentToUrl(text); },
            [this](const std::string& text) { return OpenSpecialUrl(text); },
            [this] { return m_offline.IsOffline(); }};
}

// The page's web view under its pop-up bar.
GtkWidget* Browser::PageWidget(CFernView* view) {
    auto* engine = dynamic_cast<WebKitEngine*>(RealEngine(view->Engine()));
    return engine ? m_popupBars.PageWidget(view, engine->Widget()) : nullptr;
}

bool Browser::OpenSpecialUrl(const std::string& text) {
    SpecialUrlActions actions;
    const MailSettings& mail = m_settings.Live().mail;
    actions.ignoreMailto = mail.ignoreMailto;
    actions.launchMailer = [&mail](const std::string& t) { return LaunchMailer(t, mail); };
    actions.openUrl = [this](const std::string& url) { m_frame.OpenUrl(url, OpenFlags(), 0xFFFFFFFFu, 1); };
    return fern::OpenSpecialUrl(text, actions);
}

// The hand-off socket listens before the first tabs open (a later start
// waits for it meanwhile); the request channel of other programs and the
// desktop session's client wait until the first page is under way.
void Browser::StartChannels() {
    std::string error;
    if (!m_handOff.Listen(
            HandOffSocketPath(m_start.runtimeFolder),
            [this](std::uint32_t data, const std::string& text) { return m_frame.OnCopyData(data, text); },
            [this] { m_window.Attention(); }, &error))
        Complain("later starts cannot hand over their arguments: " + error);
    // The end of the session or a kill request saves like closing the window.
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        g_unix_signal_add(
            signal,
            [](gpointer window) -> gboolean {
                static_cast<MainFrameWindow*>(window)->Close();
                return G_SOURCE_REMOVE;
            },
            &m_window);
}

void Browser::DeferUntilFirstPage() {
    m_deferred.Add("request channel", [this] {
        // Named by BODDESrvName.
        DdeWindowActions actions;
        actions.restore = [this] {
            m_window.deiconify();
            m_window.present();
        };
        actions.close = [this] { m_window.Close(); };
        m_dde = StartDdeServer(m_frame, m_settings.Live().browser.ddeServerName, std::move(actions), m_queue,
                               m_messageBox);
    });
    m_deferred.Add("desktop session client", [this] {
        m_sessionEnd = std::make_unique<SessionEndWatcher>([this] { m_window.Close(); });
        m_sessionEnd->Register("fern");
    });
}

void Browser::ShowWindow() {
    // A hand-off may have brought it up already.
    if (m_window.ShowFirstTime()) TracePhase("window shown");
}

// Whether the active tab has a page on its way that is not a blank one.
bool Browser::FirstPageLoading() {
    CFernView* view = m_frame.ActiveView();
    if (!view) return false;
    std::string url = view->KnownUrl();
    return !url.empty() && url.rfind("about:", 0) != 0;
}

void Browser::OpenArguments() {
    bool argumentOpened = false;
    for (const std::string& argument : m_start.commandLine.arguments) {
        std::string url = ConvertArgumentToUrl(argument);
        if (url.empty()) continue;
        argumentOpened = true;
        m_frame.OpenUrl(url, OpenFlags(), 0xFFFFFFFFu, 1);
    }
    m_session.OpenAtStartup(argumentOpened);
    m_recovery.OpenAtStartup();
}

int Browser::Run() {
    m_frame.SetStarting(true);
    m_context.OnFirstPage([this] {
        m_reveal.FirstPageDone();
        m_deferred.FirstPageDone();
    });
    StartChannels();
    TracePhase("request channels listening");
    OpenArguments();
    TracePhase("first tabs opened");
    // No tab took the early process (no page to open at start): let it go.
    m_engines.ReleasePrestarted();
    if (StartupTraceOn())
        m_window.signal_draw().connect(
            [](const Cairo::RefPtr<Cairo::Context>&) {
                TracePhase("window painted");
                return false;
            },
            true);
    // Showing and painting the window takes the processors for tens of
    // milliseconds, just while the first page's web process starts and needs
    // them; so the window appears with that page, when it commits or fails.
    bool pageLoading = FirstPageLoading();
    m_reveal.Arm(pageLoading, kWindowWaitMs);
    m_frame.SetStarting(false);
    DeferUntilFirstPage();
    m_deferred.Arm(pageLoading, kFirstPageWaitMs);
    m_frame.StartAutoSave(m_settings.Live().autoSave.enabled, m_settings.Live().autoSave.intervalMinutes);
    if (m_start.commandLine.screenshot)
        m_screenshot = std::make_unique<ScreenshotWhenLoaded>(
            m_window, m_frame, *m_start.commandLine.screenshot, [this] { m_window.Close(); });
    gtk_main();
    m_recovery.MarkClosed();
    return 0;
}

}  // namespace fern
