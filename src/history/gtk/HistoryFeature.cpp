#include "history/gtk/HistoryFeature.h"

#include <algorithm>
#include <ctime>

#include "commands/CommandIds.h"

#include "history/HistoryOptions.h"
#include "history/PageTextCodec.h"
#include "platform/gtk/GuardedCall.h"
#include "platform/text/Encoding.h"
#include "platform/text/UrlText.h"

namespace fern {

namespace {

// A page this much larger than what is kept of it is not read at all:
// copying it whole out of the engine would hold the main loop for nothing.
constexpr std::uint64_t kUnreadFactor = 16;

HistoryTime Now() { return static_cast<HistoryTime>(std::time(nullptr)); }

std::string Str(const char* text) { return text ? std::string(text) : std::string(); }

HistoryStore::Config StoreConfig(const std::string& folder, const HistoryOptions& options) {
    HistoryStore::Config config;
    config.path = folder + "/history.db";
    config.limits.pageBytes = options.pageBytes;
    config.limits.totalBytes = options.totalBytes;
    config.codec = MakePageTextCodec();
    return config;
}

// What an answer of the engine needs once it comes back.
struct Reading {
    std::shared_ptr<HistoryFeature*> wiring;
    WebKitWebView* view;
    std::string url;  // Shift-JIS
    std::string mime;
};

}  // namespace

HistoryFeature::HistoryFeature(Services services)
    : m_s(std::move(services)),
      m_options(HistoryOptionsOf(m_s.settings.Live().history)),
      m_store(std::make_unique<HistoryStore>(
          StoreConfig(m_s.dataFolder, m_options), m_s.queue,
          [box = &m_s.messageBox](const std::string& text) { box->Show(text, "履歴", MessageBoxKind::Ok); })),
      m_recorder(std::make_unique<CHistoryRecorder>(
          *m_store, Now,
          RecordingRules{
              m_s.offline, {}, [keep = m_options.keepPageTexts] { return keep; }, m_options.pageBytes})),
      m_commands({*m_store, m_s.messageBox,
                  [this] { return m_s.activeUrl ? m_s.activeUrl() : std::string(); }, Now}) {
    m_s.context.SetPageObserver(this);
}

HistoryFeature::~HistoryFeature() {
    m_s.context.SetPageObserver(nullptr);
    *m_self = nullptr;
    for (auto& [view, state] : m_views) StopReading(state);
}

void HistoryFeature::RegisterCommands(CCommandRouter& router) {
    router.AddRange(ID_HISTORY_CLEAR_ALL, ID_HISTORY_CLEAR_SITE,
                    {[this](int id) {
                         m_s.queue.Post([self = m_self, id] {
                             if (*self) (*self)->m_commands.Command(id);
                         });
                     },
                     [this](int id) { return m_commands.IsEnabled(id).value_or(false); },
                     {}});
}

void HistoryFeature::StopReading(ViewState& state) {
    if (!state.reading) return;
    g_cancellable_cancel(state.reading);
    g_object_unref(state.reading);
    state.reading = nullptr;
}

void HistoryFeature::PageCommitted(WebKitWebView* view, const std::string& uri) {
    ViewState& state = m_views[view];
    StopReading(state);
    // The engine's page in place of one that failed comes under its address.
    state.errorPage = !state.failedUri.empty() && uri == state.failedUri;
    state.failedUri.clear();
    if (state.errorPage) {
        m_recorder->Committed(view, std::string());
        return;
    }
    m_recorder->Committed(view, UrlFromUtf8(uri));
}

void HistoryFeature::PageTitle(WebKitWebView* view, const std::string& title) {
    if (!title.empty()) m_recorder->TitleChanged(view, FromUtf8(title));
}

void HistoryFeature::PageFailed(WebKitWebView* view, const std::string& uri) {
    m_views[view].failedUri = uri;
}

void HistoryFeature::PageFinished(WebKitWebView* view) {
    ViewState& state = m_views[view];
    if (state.errorPage || !state.failedUri.empty()) return;
    WebKitWebResource* resource = webkit_web_view_get_main_resource(view);
    if (!resource) return;
    WebKitURIResponse* response = webkit_web_resource_get_response(resource);
    std::string mime = response ? Str(webkit_uri_response_get_mime_type(response)) : std::string();
    std::string url = UrlFromUtf8(Str(webkit_web_resource_get_uri(resource)));
    if (!m_recorder->WantsPageBytes(view, url, mime)) return;
    guint64 length = response ? webkit_uri_response_get_content_length(response) : 0;
    if (length > m_options.pageBytes * kUnreadFactor) return;
    StopReading(state);
    state.reading = g_cancellable_new();
    auto* reading = new Reading{m_self, view, url, mime};
    webkit_web_resource_get_data(
        resource, state.reading,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<Reading> reading(static_cast<Reading*>(data));
            gsize size = 0;
            GError* error = nullptr;
            guchar* bytes =
                webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(source), result, &size, &error);
            Guard("history page bytes", [&] {
                HistoryFeature* wiring = *reading->wiring;
                if (!bytes || !wiring || !wiring->m_views.count(reading->view)) return;
                wiring->m_recorder->MainResourceLoaded(
                    reading->view, reading->url, reading->mime,
                    std::string_view(reinterpret_cast<const char*>(bytes), size));
            });
            g_free(bytes);
            if (error) g_error_free(error);
        },
        reading);
}

void HistoryFeature::ViewGone(WebKitWebView* view) {
    auto it = m_views.find(view);
    if (it != m_views.end()) {
        StopReading(it->second);
        m_views.erase(it);
    }
    m_recorder->ViewGone(view);
}

}  // namespace fern
