#include "platform/gtk/WebKitEngineSignals.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "platform/gtk/GuardedCall.h"
#include "platform/gtk/WebKitContext.h"
#include "platform/gtk/WebKitEngine.h"
#include "platform/gtk/WebKitNavigationRules.h"
#include "platform/gtk/WebKitOfflineFilter.h"
#include "platform/gtk/WebKitResendQuestion.h"
#include "platform/gtk/WebKitSadPage.h"
#include "platform/text/Encoding.h"
#include "platform/text/UrlText.h"
#include "platform/trace/StartupTrace.h"

namespace fern {

namespace {

// Error numbers the control reported for failed loads.
constexpr long kResourceNotFound = static_cast<std::int32_t>(0x800C0005u);
constexpr long kDownloadFailure = static_cast<std::int32_t>(0x800C0008u);
constexpr long kInvalidCertificate = static_cast<std::int32_t>(0x800C0019u);

// Shown with G_MESSAGES_DEBUG=fern-engine.
#define TRACE(...) g_log("fern-engine", G_LOG_LEVEL_DEBUG, __VA_ARGS__)

std::string Str(const gchar* text) { return text ? std::string(text) : std::string(); }

long ErrorStatus(const GError* error) {
    if (error->domain == G_RESOLVER_ERROR || error->domain == G_IO_ERROR) return kResourceNotFound;
    if (error->domain == G_TLS_ERROR) return kInvalidCertificate;
    return kDownloadFailure;
}

}  // namespace

// The handlers reach the engine's private state through this class.
struct WebKitEngineHandlers {
    using E = WebKitEngine;

    static void UpdateCommandState(E& e) {
        const int forward = webkit_web_view_can_go_forward(e.m_view) ? 1 : 0;
        const int back = webkit_web_view_can_go_back(e.m_view) ? 1 : 0;
        if (forward != e.m_canGoForward) {
            e.m_canGoForward = forward;
            if (e.m_sink) e.m_sink->CommandStateChange(1, forward != 0);
        }
        if (back != e.m_canGoBack) {
            e.m_canGoBack = back;
            if (e.m_sink) e.m_sink->CommandStateChange(2, back != 0);
        }
    }

    static long SecureLockLevel(E& e) {
        GTlsCertificate* certificate = nullptr;
        GTlsCertificateFlags errors = static_cast<GTlsCertificateFlags>(0);
        if (!webkit_web_view_get_tls_info(e.m_view, &certificate, &errors)) return E::kLockNone;
        return errors == 0 ? E::kLockSecure : E::kLockCertificateError;
    }

    static bool IsApiDecision(E::ApiNavigation api, const std::string& apiUri, const std::string& uri,
                              WebKitNavigationType type) {
        return (api == E::ApiNavigation::Load && uri == apiUri) ||
               (api == E::ApiNavigation::BackForward && type == WEBKIT_NAVIGATION_TYPE_BACK_FORWARD) ||
               (api == E::ApiNavigation::Reload && type == WEBKIT_NAVIGATION_TYPE_RELOAD);
    }

    // Only main-frame navigations reach BeforeNavigate2, but the action does
    // not say which frame it navigates. A view's first decision and the
    // decisions of our own calls are the main frame's. A link click or form
    // submission is reported at once unless it plainly comes from a
    // subframe. Anything else (script, meta refresh, history) is only noted
    // and reported when the main frame's load STARTS, which subframe loads
    // never do.
    static gboolean DecideNavigation(E& e, WebKitPolicyDecision* decision) {
        auto* navigation = WEBKIT_NAVIGATION_POLICY_DECISION(decision);
        WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(navigation);
        WebKitURIRequest* request = webkit_navigation_action_get_request(action);
        const std::string uri = Str(webkit_uri_request_get_uri(request));
        const WebKitNavigationType type = webkit_navigation_action_get_navigation_type(action);
        const bool first = !e.m_anyDecision && !e.m_anyLoad;
        e.m_anyDecision = true;
        TRACE("%p decide %s type %d redirect %d first %d api %d post %d", static_cast<void*>(&e), uri.c_str(),
              static_cast<int>(type), webkit_navigation_action_is_redirect(action), first,
              static_cast<int>(e.m_api), static_cast<int>(e.m_post));

        // Offline before the blocking filter is ready: no page may load.
        if (e.m_context.Offline().RefusesNavigation(uri.c_str())) {
            if (IsApiDecision(e.m_api, e.m_apiUri, uri, type)) e.m_api = E::ApiNavigation::None;
            webkit_policy_decision_ignore(decision);
            return TRUE;
        }
        // Server redirects were never reported again.
        if (webkit_navigation_action_is_redirect(action)) return FALSE;
        if (e.m_post == E::PostPhase::Helper) {
            if (type == WEBKIT_NAVIGATION_TYPE_FORM_SUBMITTED) {
                e.m_post = E::PostPhase::None;
                e.m_pending = E::PendingNavigation{uri, true};
            }
            return FALSE;
        }
        if (IsApiDecision(e.m_stoppedApi, e.m_stoppedUri, uri, type)) {
            e.m_stoppedApi = E::ApiNavigation::None;
            webkit_policy_decision_ignore(decision);
            return TRUE;
        }
        if (IsApiDecision(e.m_api, e.m_apiUri, uri, type)) {
            e.m_api = E::ApiNavigation::None;
            e.m_pending = E::PendingNavigation{uri, true};
            return FALSE;
        }
        if (!first) {
            switch (type) {
                case WEBKIT_NAVIGATION_TYPE_RELOAD:
                    e.m_pending = E::PendingNavigation{uri, true};
                    return FALSE;
                case WEBKIT_NAVIGATION_TYPE_LINK_CLICKED:
                case WEBKIT_NAVIGATION_TYPE_FORM_SUBMITTED: {
                    SoupMessageHeaders* headers = webkit_uri_request_get_http_headers(request);
                    const std::string referer =
                        Str(headers ? soup_message_headers_get_one(headers, "Referer") : nullptr);
                    const std::string frame = Str(webkit_navigation_action_get_frame_name(action));
                    const std::string current = Str(webkit_web_view_get_uri(e.m_view));
                    if (LooksLikeSubframeNavigation(frame, referer, current) &&
                        LooksLikeSubframeNavigation(frame, referer, e.m_committedUri))
                        return FALSE;
                    break;
                }
                default:
                    // A navigation already announced keeps its place: a
                    // subframe deciding before that load starts must not
                    // take it over.
                    if (!e.m_pending || !e.m_pending->reported)
                        e.m_pending = E::PendingNavigation{uri, false};
                    return FALSE;
            }
        }
        if (!e.FireBeforeNavigate2(UrlFromUtf8(uri), "", "")) {
            webkit_policy_decision_ignore(decision);
            return TRUE;
        }
        e.m_pending = E::PendingNavigation{uri, true};
        return FALSE;
    }

    static gboolean DecideResponse(E& e, WebKitPolicyDecision* decision) {
        auto* response = WEBKIT_RESPONSE_POLICY_DECISION(decision);
        if (!webkit_response_policy_decision_is_main_frame_main_resource(response)) return FALSE;
        WebKitURIRequest* request = webkit_response_policy_decision_get_request(response);
        // After a redirect this is the request that was answered.
        e.m_responseToPost = request && g_strcmp0(webkit_uri_request_get_http_method(request), "POST") == 0;
        // What the page cannot show is offered as a download (which asks
        // before it writes anything), not dropped; a local file stays where
        // it is, as before.
        const gchar* requested = request ? webkit_uri_request_get_uri(request) : nullptr;
        if (!webkit_response_policy_decision_is_mime_type_supported(response) &&
            !(requested && g_str_has_prefix(requested, "file:"))) {
            webkit_policy_decision_download(decision);
            return TRUE;
        }
        if (e.m_swallowLoad || e.m_post != E::PostPhase::None || !e.m_sink) return FALSE;
        WebKitURIResponse* uriResponse = webkit_response_policy_decision_get_response(response);
        const guint status = webkit_uri_response_get_status_code(uriResponse);
        if (status >= 400) {
            // The server's own page is shown whatever the sink answers.
            bool cancel = false;
            e.m_sink->NavigateError(UrlFromUtf8(Str(webkit_uri_response_get_uri(uriResponse))), "",
                                    static_cast<long>(status), cancel);
        }
        return FALSE;
    }

    static bool IsResubmission(WebKitPolicyDecision* decision) {
        WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
            WEBKIT_NAVIGATION_POLICY_DECISION(decision));
        return webkit_navigation_action_get_navigation_type(action) ==
               WEBKIT_NAVIGATION_TYPE_FORM_RESUBMITTED;
    }

    // Allowed, the navigation would post a form again: it waits for the user.
    static gboolean AskResend(E& e, WebKitPolicyDecision* decision) {
        std::weak_ptr<E*> self = e.Self();
        AskToResend(e.m_view, decision, [self](bool resend) {
            std::shared_ptr<E*> engine = self.lock();
            // Not sent: nothing is on its way.
            if (!resend && engine && *engine) (*engine)->m_pending.reset();
        });
        return TRUE;
    }

    static gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                   WebKitPolicyDecisionType type, gpointer data) {
        gboolean handled = FALSE;
        Guard("decide-policy", [&] {
            E& e = *static_cast<E*>(data);
            if (type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) {
                handled = DecideNavigation(e, decision);
                if (!handled && IsResubmission(decision)) handled = AskResend(e, decision);
            } else if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE) handled = DecideResponse(e, decision);
            // A new-window action goes on to `create`, which asks the sink.
        });
        return handled;
    }

    static void SendTitle(E& e, const std::string& title) {
        e.m_titleSent = true;
        std::string text = title.empty() ? e.LocationURL() : FromUtf8(title);
        if (text == e.m_lastTitle) return;
        e.m_lastTitle = text;
        if (e.m_sink) e.m_sink->TitleChange(text);
        if (IWebKitPageObserver* observer = e.m_context.PageObserver()) observer->PageTitle(e.m_view, title);
    }

    // The title can reach us after the load has finished, or never when the
    // page has none; the document knows which, and a page without a title
    // is named by its address.
    static void AskTitle(E& e) {
        struct Ask {
            std::shared_ptr<E*> engine;
            unsigned serial;
        };
        auto* ask = new Ask{e.m_self, e.m_loadSerial};
        webkit_web_view_evaluate_javascript(
            e.m_view, "document.title", -1, nullptr, nullptr, e.m_cancellable,
            [](GObject* view, GAsyncResult* result, gpointer data) {
                std::unique_ptr<Ask> ask(static_cast<Ask*>(data));
                GError* error = nullptr;
                JSCValue* value =
                    webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), result, &error);
                std::string title;
                if (value && jsc_value_is_string(value)) {
                    gchar* text = jsc_value_to_string(value);
                    title = Str(text);
                    g_free(text);
                }
                if (value) g_object_unref(value);
                if (error) g_error_free(error);
                Guard("document.title", [&] {
                    E* e = *ask->engine;
                    if (!e || e->m_titleSent || e->m_loadSerial != ask->serial) return;
                    SendTitle(*e, title);
                });
            },
            ask);
    }

    static void Started(E& e) {
        e.m_sadPage = e.m_sadLoadPending;
        e.m_sadLoadPending = false;
        e.m_api = E::ApiNavigation::None;
        e.m_stoppedApi = E::ApiNavigation::None;
        const bool fresh = !e.m_anyLoad;
        e.m_anyLoad = true;
        if (e.m_post == E::PostPhase::Helper) return;
        std::optional<E::PendingNavigation> pending = std::move(e.m_pending);
        e.m_pending.reset();
        TRACE("%p started, pending %s reported %d fresh %d", static_cast<void*>(&e),
              pending ? pending->uri.c_str() : "-", pending ? pending->reported : 0, fresh);
        // A new window opened without an address loads about:blank without
        // asking for a decision.
        if ((pending && !pending->reported) || (!pending && fresh)) {
            const std::string uri = pending ? pending->uri : std::string("about:blank");
            if (!e.FireBeforeNavigate2(UrlFromUtf8(uri), "", "")) {
                e.m_swallowLoad = true;
                webkit_web_view_stop_loading(e.m_view);
                return;
            }
        }
        e.m_swallowLoad = false;
        e.m_loadActive = true;
        e.m_committed = false;
        e.m_titleSent = false;
        e.m_lastTitle.clear();
        ++e.m_loadSerial;
        e.m_lastProgress = -1;
        if (e.m_sink) e.m_sink->DownloadBegin();
    }

    static void Committed(E& e) {
        e.m_formResult = e.m_responseToPost;
        e.m_responseToPost = false;
        if (e.m_post == E::PostPhase::Helper || e.m_swallowLoad) return;
        e.m_committedUri = Str(webkit_web_view_get_uri(e.m_view));
        e.m_committed = true;
        if (e.m_sink) e.m_sink->NavigateComplete2(UrlFromUtf8(e.m_committedUri));
        if (e.m_sink) e.m_sink->SetSecureLockIcon(SecureLockLevel(e));
        UpdateCommandState(e);
        if (e.m_sadPage) {
            // The page's own title may have come before this load began.
            SendTitle(e, e.m_sadTitle);
            return;
        }
        if (IWebKitPageObserver* observer = e.m_context.PageObserver())
            observer->PageCommitted(e.m_view, e.m_committedUri);
    }

    static void Finished(E& e) {
        if (e.m_post == E::PostPhase::Helper) {
            // Posts even in a tab whose page scripts are off.
            webkit_web_view_evaluate_javascript(e.m_view, "document.forms[0].submit()", -1, nullptr, nullptr,
                                                nullptr, nullptr, nullptr);
            return;
        }
        if (e.m_swallowLoad) {
            e.m_swallowLoad = false;
            return;
        }
        e.m_loadActive = false;
        if (e.m_committed && !e.m_titleSent) AskTitle(e);
        if (e.m_sink) e.m_sink->ProgressChange(-1, 100);
        if (e.m_sink) e.m_sink->DownloadComplete();
        if (e.m_sink) e.m_sink->DocumentComplete(e.LocationURL(), true);
        if (IWebKitPageObserver* observer = e.m_context.PageObserver();
            observer && e.m_committed && !e.m_sadPage)
            observer->PageFinished(e.m_view);
    }

    static gboolean OnFirstDraw(GtkWidget* widget, cairo_t*, gpointer) {
        TracePhase("first page: first paint");
        g_signal_handlers_disconnect_by_func(widget, reinterpret_cast<gpointer>(&OnFirstDraw), nullptr);
        return FALSE;
    }

    // The start-up trace's view of the first page that is not a blank one.
    static void TraceFirstPage(E& e, WebKitLoadEvent event) {
        const char* uri = webkit_web_view_get_uri(e.m_view);
        if (!uri || g_str_has_prefix(uri, "about:")) return;
        if (event == WEBKIT_LOAD_STARTED) TracePhase("first page: load started (request)");
        if (event == WEBKIT_LOAD_COMMITTED && TracePhase("first page: committed"))
            g_signal_connect_after(e.m_view, "draw", G_CALLBACK(OnFirstDraw), nullptr);
        if (event == WEBKIT_LOAD_FINISHED) TracePhase("first page: loaded (onload)");
    }

    static void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer data) {
        Guard("load-changed", [&] {
            E& e = *static_cast<E*>(data);
            TRACE("%p load %d %s", data, static_cast<int>(event),
                  Str(webkit_web_view_get_uri(e.m_view)).c_str());
            if (StartupTraceOn()) TraceFirstPage(e, event);
            if (event == WEBKIT_LOAD_COMMITTED) e.m_context.PageReached(webkit_web_view_get_uri(e.m_view));
            if (event == WEBKIT_LOAD_STARTED) Started(e);
            else if (event == WEBKIT_LOAD_COMMITTED) Committed(e);
            else if (event == WEBKIT_LOAD_FINISHED) Finished(e);
        });
    }

    static gboolean OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error, gpointer data) {
        gboolean handled = FALSE;
        Guard("load-failed", [&] {
            E& e = *static_cast<E*>(data);
            TRACE("%p failed %s: %s", data, Str(uri).c_str(), error ? error->message : "");
            e.m_context.PageReached(uri);
            if (e.m_swallowLoad || e.m_post != E::PostPhase::None || !error) return;
            // Stop, and loads that became downloads or were refused, are no errors.
            if (g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED)) return;
            if (g_error_matches(error, WEBKIT_POLICY_ERROR,
                                WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE))
                return;
            e.m_failedUri = Str(uri);
            if (IWebKitPageObserver* observer = e.m_context.PageObserver())
                observer->PageFailed(e.m_view, e.m_failedUri);
            bool cancel = false;
            if (e.m_sink) e.m_sink->NavigateError(UrlFromUtf8(e.m_failedUri), "", ErrorStatus(error), cancel);
            // Cancelled: no error page in place of the page.
            handled = cancel ? TRUE : FALSE;
        });
        return handled;
    }

    static void OnTitle(WebKitWebView* view, GParamSpec*, gpointer data) {
        Guard("notify::title", [&] {
            E& e = *static_cast<E*>(data);
            if (e.m_post == E::PostPhase::Helper || e.m_swallowLoad || !e.m_sink) return;
            const std::string title = Str(webkit_web_view_get_title(view));
            // Cleared at every commit; a load that ends without one is
            // named by its address when it finishes.
            if (title.empty() && e.m_loadActive) return;
            if (title.empty() && e.m_committedUri.empty()) return;
            SendTitle(e, title);
        });
    }

    static void OnUri(WebKitWebView* view, GParamSpec*, gpointer data) {
        Guard("notify::uri", [&] {
            E& e = *static_cast<E*>(data);
            // Only changes within the document (anchors, history state); a
            // load reports its address when it commits, and our own loads
            // name their address in the view before they start.
            if (e.m_loadActive || e.m_swallowLoad || e.m_post != E::PostPhase::None ||
                e.m_api != E::ApiNavigation::None || webkit_web_view_is_loading(view))
                return;
            const std::string uri = Str(webkit_web_view_get_uri(view));
            if (uri.empty() || uri == e.m_committedUri || uri == e.m_failedUri) return;
            if (e.m_committedUri.empty()) return;
            e.m_committedUri = uri;
            // The anchor link announced for this change starts no load.
            e.m_pending.reset();
            if (e.m_sink) e.m_sink->NavigateComplete2(UrlFromUtf8(uri));
            if (e.m_sink) e.m_sink->DocumentComplete(UrlFromUtf8(uri), true);
        });
    }

    static void OnProgress(WebKitWebView* view, GParamSpec*, gpointer data) {
        Guard("notify::estimated-load-progress", [&] {
            E& e = *static_cast<E*>(data);
            if (!e.m_loadActive || e.m_swallowLoad || e.m_post != E::PostPhase::None || !e.m_sink) return;
            const long percent = std::lround(webkit_web_view_get_estimated_load_progress(view) * 100.0);
            if (percent == e.m_lastProgress) return;
            e.m_lastProgress = percent;
            e.m_sink->ProgressChange(percent, 100);
        });
    }

    static void OnMouseTarget(WebKitWebView*, WebKitHitTestResult* hit, guint, gpointer data) {
        Guard("mouse-target-changed", [&] {
            E& e = *static_cast<E*>(data);
            std::string text;
            if (hit && webkit_hit_test_result_context_is_link(hit))
                text = Str(webkit_hit_test_result_get_link_uri(hit));
            if (text == e.m_statusText) return;
            e.m_statusText = text;
            if (e.m_sink) e.m_sink->StatusTextChange(FromUtf8(text));
        });
    }

    static void OnHistoryChanged(WebKitBackForwardList*, WebKitBackForwardListItem*, gpointer,
                                 gpointer data) {
        Guard("back-forward list", [&] { UpdateCommandState(*static_cast<E*>(data)); });
    }

    static void OnClose(WebKitWebView*, gpointer data) {
        Guard("close", [&] {
            E& e = *static_cast<E*>(data);
            // The view cannot refuse to close; the sink decides whether the
            // tab goes, and closes it later through its own queue.
            bool cancel = false;
            if (e.m_sink) e.m_sink->WindowClosing(false, cancel);
        });
    }

    static void OnWebProcessTerminated(WebKitWebView* view, WebKitWebProcessTerminationReason reason,
                                       gpointer data) {
        Guard("web-process-terminated", [&] {
            E& e = *static_cast<E*>(data);
            // Ended on purpose by the program: nothing to tell.
            if (reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API) return;
            // The process showing our own page ended too: showing it again
            // would start process after process.
            if (e.m_sadPage || e.m_sadLoadPending) return;
            std::string uri = Str(webkit_web_view_get_uri(view));
            if (uri.empty()) uri = e.m_committedUri;
            if (uri.empty()) uri = "about:blank";
            std::string title = Str(webkit_web_view_get_title(view));
            if (title.empty() && !e.m_lastTitle.empty()) title = ToUtf8(e.m_lastTitle);
            std::fprintf(stderr, "fern: the web process of %s ended (%d)\n", uri.c_str(),
                         static_cast<int>(reason));
            e.m_sadLoadPending = true;
            e.m_sadTitle = title;
            webkit_web_view_load_alternate_html(view, SadPageHtml(title, uri, reason).c_str(), uri.c_str(),
                                                nullptr);
        });
    }

    static GtkWidget* OnCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer data) {
        GtkWidget* result = nullptr;
        Guard("create", [&] {
            E& e = *static_cast<E*>(data);
            if (!e.m_sink) return;
            IBrowserEngine* window = nullptr;
            bool cancel = false;
            WebKitURIRequest* request = action ? webkit_navigation_action_get_request(action) : nullptr;
            const std::string uri = Str(request ? webkit_uri_request_get_uri(request) : nullptr);
            e.m_sink->NewWindow3(window, cancel, uri.empty() ? std::string() : UrlFromUtf8(uri));
            if (cancel || !window) return;
            auto* child = dynamic_cast<E*>(window);
            // WebKit aborts the whole program on a view that is not related
            // to the opener, so anything else is refused here.
            if (!child || child->m_openerView != view || child->m_anyLoad || child->m_anyDecision) {
                std::fprintf(stderr, "fern: the new window's control is not related to its opener\n");
                return;
            }
            result = child->Widget();
        });
        return result;
    }
};

void WebKitEngineSignals::Connect(WebKitEngine& engine) {
    using H = WebKitEngineHandlers;
    WebKitWebView* view = engine.View();
    g_signal_connect(view, "decide-policy", G_CALLBACK(H::OnDecidePolicy), &engine);
    g_signal_connect(view, "load-changed", G_CALLBACK(H::OnLoadChanged), &engine);
    g_signal_connect(view, "load-failed", G_CALLBACK(H::OnLoadFailed), &engine);
    g_signal_connect(view, "notify::title", G_CALLBACK(H::OnTitle), &engine);
    g_signal_connect(view, "notify::uri", G_CALLBACK(H::OnUri), &engine);
    g_signal_connect(view, "notify::estimated-load-progress", G_CALLBACK(H::OnProgress), &engine);
    g_signal_connect(view, "mouse-target-changed", G_CALLBACK(H::OnMouseTarget), &engine);
    g_signal_connect(view, "close", G_CALLBACK(H::OnClose), &engine);
    g_signal_connect(view, "create", G_CALLBACK(H::OnCreate), &engine);
    g_signal_connect(view, "web-process-terminated", G_CALLBACK(H::OnWebProcessTerminated), &engine);
    g_signal_connect(webkit_web_view_get_back_forward_list(view), "changed", G_CALLBACK(H::OnHistoryChanged),
                     &engine);
}

void WebKitEngineSignals::Disconnect(WebKitEngine& engine) {
    WebKitWebView* view = engine.View();
    g_signal_handlers_disconnect_by_data(webkit_web_view_get_back_forward_list(view), &engine);
    g_signal_handlers_disconnect_by_data(view, &engine);
}

}  // namespace fern
