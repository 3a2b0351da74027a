#include "downloads/gtk/DownloadsFeature.h"

#include <cstdio>

#include "commands/CommandIds.h"
#include "downloads/DownloadList.h"
#include "downloads/gtk/DownloadQuestions.h"
#include "downloads/gtk/DownloadShell.h"
#include "downloads/gtk/DownloadsWindow.h"
#include "downloads/gtk/PageSaver.h"
#include "downloads/gtk/WebKitDownloads.h"
#include "frame/MainFrame.h"
#include "frame/gtk/MainFrameWindow.h"
#include "platform/engine/LazyEngine.h"
#include "platform/gtk/WebKitEngine.h"

namespace fern {

namespace {

const char kCaption[] = "Fern Browser";

std::int64_t NowMs() { return g_get_monotonic_time() / 1000; }

}  // namespace

// Opens the window when a download starts, as the setting says.
class DownloadsFeature::Watcher : public IDownloadListObserver {
public:
    explicit Watcher(DownloadsFeature& part) : m_part(part) {}
    void DownloadAdded(const DownloadItem&) override {
        if (m_part.m_s.settings.Live().download.openWindowOnStart) m_part.ShowWindow();
    }

private:
    DownloadsFeature& m_part;
};

DownloadsFeature::DownloadsFeature(DownloadServices services) : m_s(std::move(services)) {
    m_engine = std::make_unique<WebKitDownloads>(m_s.context);
    m_shell = std::make_unique<DownloadShell>();
    m_list = std::make_unique<CDownloadList>(
        DownloadListServices{*m_engine, *m_shell, m_s.timers, &NowMs, [this] { return OpenFolder(); }});
    m_questions = std::make_unique<DownloadQuestions>(m_s.window, *m_list, m_s.settings);
    m_list->SetAsker(m_questions.get());
    m_engine->SetList(m_list.get());
    m_window = std::make_unique<DownloadsWindow>(
        *m_list, m_s.settings.Live().download.openWindowOnStart, [this](bool on) {
            m_s.settings.Change(SettingsSection::Download,
                                [on](ProgramSettings& s) { s.download.openWindowOnStart = on; });
        });
    m_window->set_transient_for(m_s.window);
    m_status = std::make_unique<DownloadStatusButton>([this] { ShowWindow(); });
    m_list->AddObserver(m_status.get());
    // In the status bar, after its message.
    m_s.window.StatusBar().pack_start(*m_status, Gtk::PACK_SHRINK);
    m_s.window.StatusBar().reorder_child(*m_status, 1);
    m_watcher = std::make_unique<Watcher>(*this);
    m_list->AddObserver(m_watcher.get());
    m_saver = std::make_unique<PageSaver>(m_s.window, m_s.settings, m_s.messageBox);
    m_s.window.SetCloseGuard([this] { return ConfirmClose(); });
}

DownloadsFeature::~DownloadsFeature() {
    m_s.window.SetCloseGuard(nullptr);
    m_engine->SetList(nullptr);
    m_list->RemoveObserver(m_watcher.get());
    m_list->RemoveObserver(m_status.get());
    m_window.reset();
    m_list->SetAsker(nullptr);
    m_questions.reset();
    m_list.reset();
}

std::string DownloadsFeature::OpenFolder() {
    if (!m_openFolder.empty()) return m_openFolder;
    // Files to be opened go to a folder of their own, readable by us only.
    GError* error = nullptr;
    gchar* folder = g_dir_make_tmp("fern-open-XXXXXX", &error);
    if (folder) m_openFolder = folder;
    else std::fprintf(stderr, "fern: no folder for files to open: %s\n", error ? error->message : "?");
    g_free(folder);
    if (error) g_error_free(error);
    return m_openFolder;
}

void DownloadsFeature::ShowWindow() { m_window->present(); }

bool DownloadsFeature::ConfirmClose() {
    if (m_list->RunningCount() == 0) return true;
    // Asked from the loop, not inside the click (which may be an assistive
    // technology's request, held up by a modal box); the window closes then.
    Glib::signal_idle().connect_once([this] {
        const int running = m_list->RunningCount();
        char text[256];
        std::snprintf(text, sizeof text,
                      "ダウンロードが %d 件実行中です。\n終了するとダウンロードは中止されます。終了しますか?",
                      running);
        if (running == 0 ||
            m_s.messageBox.Show(text, kCaption, MessageBoxKind::YesNo) == MessageBoxAnswer::Yes)
            m_s.window.Close();
    });
    return false;
}

WebKitWebView* DownloadsFeature::ActiveWebView() const {
    CFernView* page = m_s.frame.ActiveView();
    auto* engine = page ? dynamic_cast<WebKitEngine*>(RealEngine(page->Engine())) : nullptr;
    return engine ? engine->View() : nullptr;
}

void DownloadsFeature::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_DOWNLOADS_WINDOW, [this] { ShowWindow(); });
    router.Add(ID_FILE_SAVE_AS, CommandHandler{[this] {
                                                   // The chooser runs from the loop, not inside the menu's
                                                   // activation.
                                                   Glib::signal_idle().connect_once([this] {
                                                       if (WebKitWebView* view = ActiveWebView())
                                                           m_saver->Save(view);
                                                   });
                                               },
                                               [this] {
                                                   WebKitWebView* view = ActiveWebView();
                                                   return view && webkit_web_view_get_main_resource(view);
                                               },
                                               {}});
}

}  // namespace fern
