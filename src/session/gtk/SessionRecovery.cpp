#include "session/gtk/SessionRecovery.h"

#include <cstdio>

#include "commands/CommandIds.h"
#include "frame/MainFrame.h"
#include "platform/engine/LazyEngine.h"
#include "platform/gtk/GuardedCall.h"
#include "platform/gtk/WebKitContext.h"
#include "platform/gtk/WebKitEngine.h"
#include "session/SessionGenerations.h"
#include "session/SessionTabs.h"

namespace fern {

// The scheme's registration may outlive us with the web context; its
// requests then find no recovery and fail.
struct SessionRecovery::Slot {
    SessionRecovery* recovery = nullptr;
};

namespace {

constexpr char kOwnPrefix[] = "fern-session:";

void Fail(WebKitURISchemeRequest* request, const char* why) {
    GError* error = g_error_new_literal(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, why);
    webkit_uri_scheme_request_finish_error(request, error);
    g_error_free(error);
}

void Finish(WebKitURISchemeRequest* request, const std::string& html) {
    GBytes* bytes = g_bytes_new(html.data(), html.size());
    GInputStream* stream = g_memory_input_stream_new_from_bytes(bytes);
    webkit_uri_scheme_request_finish(request, stream, static_cast<gint64>(html.size()), "text/html");
    g_object_unref(stream);
    g_bytes_unref(bytes);
}

}  // namespace

SessionRecovery::SessionRecovery(Services services)
    : m_s(std::move(services)),
      m_writer(m_s.folder),
      m_saver(
          m_s.timers, [this] { return Snapshot(); }, m_writer) {
    RemoveSessionLeftovers(m_s.folder);
    SessionLoad last = LoadSession(m_s.folder);
    m_listed = std::move(last.state.tabs);
    m_listedSelected = last.state.selected;
    m_listed.insert(m_listed.end(), last.state.pending.begin(), last.state.pending.end());
    m_notes.crashed = last.found && !(last.whole && last.state.closed);
    m_notes.olderGeneration = last.whole && !last.damaged.empty();
    m_notes.partial = last.found && !last.whole;
    if (!last.damaged.empty())
        std::fprintf(stderr, "fern: session file %s is damaged; %s\n",
                     SessionGenerationPath(m_s.folder, last.damaged.front()).c_str(),
                     last.whole ? "an older generation is used" : "what could be read of it is listed");

    gchar* token = g_uuid_string_random();
    m_token = token;
    g_free(token);
    m_slot = new Slot{this};
    WebKitWebContext* context = m_s.context.Context();
    webkit_web_context_register_uri_scheme(
        context, kRestoreScheme,
        [](WebKitURISchemeRequest* request, gpointer data) {
            SessionRecovery* self = static_cast<Slot*>(data)->recovery;
            if (!self) return Fail(request, "the browser is closing");
            Guard("restore page", [&] { self->Serve(request); });
        },
        m_slot, [](gpointer data) { delete static_cast<Slot*>(data); });
    // Other pages can neither show nor link to it: only the program opens it.
    webkit_security_manager_register_uri_scheme_as_display_isolated(
        webkit_web_context_get_security_manager(context), kRestoreScheme);
}

SessionRecovery::~SessionRecovery() { m_slot->recovery = nullptr; }

SessionState SessionRecovery::Snapshot() const {
    SessionState state = SessionOfFrame(m_s.frame, kOwnPrefix);
    // Until the restore page is answered, a crash must not lose its tabs.
    if (m_pending) state.pending = m_listed;
    return state;
}

void SessionRecovery::OpenAtStartup() {
    if (m_notes.crashed && !m_listed.empty()) {
        m_pending = true;
        OpenRestorePage();
    }
    m_saver.Start();
}

void SessionRecovery::MarkClosed() { (void)m_saver.Close(); }

void SessionRecovery::OpenRestorePage() {
    m_s.frame.OpenUrl(kRestorePageUri, kOpenNewTab | kOpenFocus, DefaultDownloadControl(m_s.frame.Settings()),
                      0);
}

void SessionRecovery::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_SESSION_REOPEN, {[this] {
                                       if (!m_listed.empty()) OpenRestorePage();
                                   },
                                   [this] { return !m_listed.empty(); },
                                   {}});
}

void SessionRecovery::Serve(WebKitURISchemeRequest* request) {
    const gchar* uri = webkit_uri_scheme_request_get_uri(request);
    std::string address = uri ? uri : "";
    if (address == kRestorePageUri) return Finish(request, RestorePageHtml(m_listed, m_token, m_notes));
    RestoreAnswer answer = ParseRestoreAnswer(address, m_token, m_listed.size());
    if (answer.action == RestoreAnswer::Action::None) return Fail(request, "no such page");
    Finish(request, "<!DOCTYPE html><title></title>");
    // One answer per page: the same form sent twice opens nothing twice.
    gchar* token = g_uuid_string_random();
    m_token = token;
    g_free(token);
    // The tabs open from the loop, not inside WebKit's request.
    struct Work {
        SessionRecovery* self;
        RestoreAnswer answer;
        WebKitWebView* page;
    };
    WebKitWebView* page = webkit_uri_scheme_request_get_web_view(request);
    auto* work = new Work{this, std::move(answer), page};
    g_idle_add_full(
        G_PRIORITY_DEFAULT_IDLE,
        [](gpointer data) -> gboolean {
            auto* w = static_cast<Work*>(data);
            Guard("restore page", [&] { w->self->Answer(w->answer, w->page); });
            return G_SOURCE_REMOVE;
        },
        work, [](gpointer data) { delete static_cast<Work*>(data); });
}

void SessionRecovery::Answer(const RestoreAnswer& answer, WebKitWebView* page) {
    m_pending = false;
    // The page's own tab goes; `page` is only compared, it may be gone.
    for (int i = 0; i < m_s.frame.TabCount(); ++i) {
        CFernView* view = m_s.frame.ViewAt(i);
        auto* engine = view ? dynamic_cast<WebKitEngine*>(RealEngine(view->Engine())) : nullptr;
        if (engine && engine->View() == page) {
            m_s.frame.CloseTab(i);
            break;
        }
    }
    if (answer.action == RestoreAnswer::Action::Restore)
        OpenSessionTabs(m_s.frame, m_listed, answer.chosen, m_listedSelected);
    m_saver.Check();
}

}  // namespace fern
