#include "platform/gtk/WebKitEngine.h"

#include <cstdio>
#include <utility>

#include "platform/gtk/GuardedCall.h"
#include "platform/gtk/WebKitContext.h"
#include "platform/gtk/WebKitEngineSignals.h"
#include "platform/gtk/WebKitLinkCollector.h"
#include "platform/gtk/WebKitNavigationRules.h"
#include "platform/gtk/WebKitOfflineFilter.h"
#include "platform/gtk/WebKitPageComments.h"
#include "platform/gtk/WebKitPageDialogs.h"
#include "platform/gtk/WebKitPageFind.h"
#include "platform/gtk/WebKitPagePrint.h"
#include "platform/gtk/WebKitPageProperties.h"
#include "platform/gtk/WebKitPageRest.h"
#include "platform/gtk/WebKitPageSelection.h"
#include "platform/gtk/WebKitPageShortcut.h"
#include "platform/gtk/WebKitSettingsCopy.h"
#include "platform/gtk/WebKitViewSource.h"
#include "platform/text/Encoding.h"
#include "platform/text/UrlText.h"
#include "platform/trace/StartupTrace.h"

namespace fern {

namespace {

// Download-control bits of a tab.
constexpr std::uint32_t kDlcImages = 0x10;
constexpr std::uint32_t kDlcVideos = 0x20;
constexpr std::uint32_t kDlcBackgroundSounds = 0x40;
constexpr std::uint32_t kDlcNoScripts = 0x80;

constexpr int kRefreshCompletely = 3;

// The history entries `step` (-1 back, +1 forward) at a time from the
// current one.
std::vector<HistoryItem> HistoryEntries(WebKitWebView* view, int step, int max) {
    std::vector<HistoryItem> items;
    WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(view);
    for (int i = 1; i <= max; ++i) {
        WebKitBackForwardListItem* item = webkit_back_forward_list_get_nth_item(list, step * i);
        if (!item) break;
        const gchar* title = webkit_back_forward_list_item_get_title(item);
        const gchar* uri = webkit_back_forward_list_item_get_uri(item);
        items.push_back({UrlFromUtf8(uri ? uri : ""), FromUtf8(title ? title : "")});
    }
    return items;
}

// Their titles; an entry without a title is named by its address.
std::vector<std::string> HistoryTitles(WebKitWebView* view, int step, int max) {
    std::vector<std::string> titles;
    for (HistoryItem& item : HistoryEntries(view, step, max))
        titles.push_back(item.title.empty() ? std::move(item.url) : std::move(item.title));
    return titles;
}

WebKitWebView* MakeView(WebKitContext& context, WebKitSettings* settings, WebKitWebView* relatedTo) {
    // Every tab has a content manager of its own, so its script errors and
    // switches stay its own.
    WebKitUserContentManager* content = WebKitPageDialogs::NewContentManager();
    InstallLinkCollector(content);
    GObject* view =
        relatedTo ? G_OBJECT(g_object_new(WEBKIT_TYPE_WEB_VIEW, "related-view", relatedTo, "settings",
                                          settings, "user-content-manager", content, nullptr))
                  : G_OBJECT(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context.Context(), "settings",
                                          settings, "user-content-manager", content, nullptr));
    g_object_unref(content);
    return WEBKIT_WEB_VIEW(g_object_ref_sink(view));
}

}  // namespace

WebKitWebView* WebKitEngine::NewTabView(WebKitContext& context, WebKitWebView* shareProcessOf) {
    WebKitSettings* settings = context.NewTabSettings();
    WebKitWebView* view = MakeView(context, settings, shareProcessOf);
    g_object_unref(settings);
    return view;
}

WebKitEngine::WebKitEngine(WebKitContext& context, const std::string& homeUrl, WebKitEngine* opener,
                           WebKitWebView* shareProcessOf)
    : m_context(context), m_homeUrl(homeUrl.empty() ? std::string("about:blank") : homeUrl) {
    if (opener) {
        // Related views share the opener's settings object; this tab gets
        // its own copy so its switches stay its own.
        m_openerView = opener->m_view;
        m_settings = CopyWebKitSettings(webkit_web_view_get_settings(opener->m_view));
        m_view = MakeView(context, m_settings, opener->m_view);
    } else {
        // Related only to share the process: the tab's settings are a new tab's.
        m_settings = context.NewTabSettings();
        m_view = MakeView(context, m_settings, shareProcessOf);
    }
    Attach();
}

WebKitEngine::WebKitEngine(WebKitContext& context, const std::string& homeUrl, WebKitWebView* loadingView,
                           std::string loadingUri)
    : m_context(context),
      m_homeUrl(homeUrl.empty() ? std::string("about:blank") : homeUrl),
      m_view(loadingView),
      m_loadingUri(std::move(loadingUri)) {
    m_settings = WEBKIT_SETTINGS(g_object_ref(webkit_web_view_get_settings(m_view)));
    // The load is ours, as if asked for here: whatever comes next (another
    // address, Stop) finds it as it finds any load of ours.
    const gchar* uri = webkit_web_view_get_uri(m_view);
    m_api = ApiNavigation::Load;
    m_apiUri = uri ? uri : m_loadingUri;
    Attach();
}

void WebKitEngine::Attach() {
    m_cancellable = g_cancellable_new();
    m_self = std::make_shared<WebKitEngine*>(this);
    m_dialogs = std::make_unique<WebKitPageDialogs>(m_view, [this] { return m_sink; });
    webkit_web_view_set_zoom_level(m_view, kZoomFactors[kDefaultZoom]);
    m_context.Offline().AddView(m_view);
    WebKitEngineSignals::Connect(*this);
    TracePhase("first view made");
}

std::string WebKitEngine::ViewUri() const {
    const char* uri = webkit_web_view_get_uri(m_view);
    return uri ? uri : "";
}

WebKitEngine::~WebKitEngine() {
    m_sink = nullptr;
    *m_self = nullptr;
    g_cancellable_cancel(m_cancellable);
    m_find.reset();  // it lets go of the view's find controller and its window
    m_dialogs.reset();
    WebKitEngineSignals::Disconnect(*this);
    if (IWebKitPageObserver* observer = m_context.PageObserver()) observer->ViewGone(m_view);
    m_context.Offline().RemoveView(m_view);
    // The view goes with its tab: out of its container, its web process ended.
    gtk_widget_destroy(GTK_WIDGET(m_view));
    g_object_unref(m_view);
    g_object_unref(m_settings);
    g_object_unref(m_cancellable);
}

bool WebKitEngine::FireBeforeNavigate2(const std::string& url, const std::string& postData,
                                       const std::string& headers) {
    if (!m_sink) return true;
    bool cancel = false;
    m_sink->BeforeNavigate2(url, 0, "", postData, headers, cancel);
    return !cancel;
}

void WebKitEngine::LoadApi(WebKitURIRequest* request, bool underWay) {
    if (!underWay) webkit_web_view_load_request(m_view, request);
    // The view already names the address it is about to load, normalised as
    // the policy decision will carry it.
    const gchar* uri = webkit_web_view_get_uri(m_view);
    m_api = ApiNavigation::Load;
    m_apiUri = uri ? uri : webkit_uri_request_get_uri(request);
    m_stoppedApi = ApiNavigation::None;
}

void WebKitEngine::Navigate2(const std::string& url, long, const std::string&, const std::string& postData,
                             const std::string& headers) {
    // A taken-over load that this navigation neither continues nor replaces
    // must not go on behind the tab's back.
    const std::string loading = std::exchange(m_loadingUri, {});
    if (!StartNavigation(url, postData, headers, loading) && !loading.empty()) Stop();
}

bool WebKitEngine::StartNavigation(const std::string& url, const std::string& postData,
                                   const std::string& headers, const std::string& loading) {
    m_post = PostPhase::None;
    if (url.empty()) return false;
    std::string uri = ToUtf8(url);
    auto fields = ParseRequestHeaders(ToUtf8(headers));

    if (!postData.empty()) {
        std::string contentType;
        for (auto& [name, value] : fields)
            if (g_ascii_strcasecmp(name.c_str(), "Content-Type") == 0) contentType = value;
        std::optional<std::string> page = PostFormPage(uri, postData, contentType);
        if (!page) {
            std::fprintf(stderr, "fern: cannot post data of type %s to %s\n", contentType.c_str(),
                         uri.c_str());
            return false;
        }
        if (!FireBeforeNavigate2(url, postData, headers)) return false;
        // The engine has no call for a request body: a helper page at the
        // target's address posts it, and its own load is not reported.
        m_api = ApiNavigation::None;
        m_stoppedApi = ApiNavigation::None;
        m_post = PostPhase::Helper;
        webkit_web_view_load_html(m_view, page->c_str(), uri.c_str());
        return true;
    }

    if (!FireBeforeNavigate2(url, "", headers)) return false;
    WebKitURIRequest* request = webkit_uri_request_new(uri.c_str());
    if (SoupMessageHeaders* http = webkit_uri_request_get_http_headers(request)) {
        for (auto& [name, value] : fields) soup_message_headers_replace(http, name.c_str(), value.c_str());
    }
    LoadApi(request, !loading.empty() && loading == uri && fields.empty());
    g_object_unref(request);
    return true;
}

void WebKitEngine::GoBack() {
    m_loadingUri.clear();
    if (!webkit_web_view_can_go_back(m_view)) return;
    WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(m_view);
    WebKitBackForwardListItem* item = webkit_back_forward_list_get_back_item(list);
    const gchar* uri = item ? webkit_back_forward_list_item_get_uri(item) : nullptr;
    if (!FireBeforeNavigate2(UrlFromUtf8(uri ? uri : ""), "", "")) return;
    m_post = PostPhase::None;
    m_api = ApiNavigation::BackForward;
    m_stoppedApi = ApiNavigation::None;
    webkit_web_view_go_back(m_view);
}

void WebKitEngine::GoForward() {
    m_loadingUri.clear();
    if (!webkit_web_view_can_go_forward(m_view)) return;
    WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(m_view);
    WebKitBackForwardListItem* item = webkit_back_forward_list_get_forward_item(list);
    const gchar* uri = item ? webkit_back_forward_list_item_get_uri(item) : nullptr;
    if (!FireBeforeNavigate2(UrlFromUtf8(uri ? uri : ""), "", "")) return;
    m_post = PostPhase::None;
    m_api = ApiNavigation::BackForward;
    m_stoppedApi = ApiNavigation::None;
    webkit_web_view_go_forward(m_view);
}

void WebKitEngine::GoHome() { Navigate2(m_homeUrl, 0, "", "", ""); }

void WebKitEngine::Stop() {
    m_loadingUri.clear();
    m_stoppedApi = m_api;
    m_stoppedUri = m_apiUri;
    m_api = ApiNavigation::None;
    m_post = PostPhase::None;
    webkit_web_view_stop_loading(m_view);
}

void WebKitEngine::Refresh() { Refresh2(0); }

void WebKitEngine::Refresh2(int level) {
    m_loadingUri.clear();
    if (!webkit_web_view_get_uri(m_view)) return;
    // A reload raises no BeforeNavigate2, as the control never did.
    m_api = ApiNavigation::Reload;
    m_stoppedApi = ApiNavigation::None;
    if ((level & kRefreshCompletely) == kRefreshCompletely) webkit_web_view_reload_bypass_cache(m_view);
    else webkit_web_view_reload(m_view);
}

std::string WebKitEngine::LocationURL() const { return UrlFromUtf8(m_committedUri); }

std::string WebKitEngine::LocationName() const {
    const gchar* title = webkit_web_view_get_title(m_view);
    if (title && *title) return FromUtf8(title);
    return LocationURL();
}

bool WebKitEngine::Busy() const { return webkit_web_view_is_loading(m_view); }

void WebKitEngine::SetZoom(int level) {
    if (level < 0 || level > 4) return;
    m_zoom = level;
    webkit_web_view_set_zoom_level(m_view, kZoomFactors[level]);
}

void WebKitEngine::OnDownloadControlChanged(std::uint32_t flags) {
    const bool sounds = (flags & kDlcBackgroundSounds) != 0;
    // "No scripts" keeps the page's own scripts out but leaves ours working.
    g_object_set(m_settings, "auto-load-images", (flags & kDlcImages) != 0, "enable-media",
                 (flags & kDlcVideos) != 0, "enable-webaudio", sounds, "enable-javascript-markup",
                 (flags & kDlcNoScripts) == 0, nullptr);
    webkit_web_view_set_is_muted(m_view, !sounds);
}

void WebKitEngine::Focus() { gtk_widget_grab_focus(GTK_WIDGET(m_view)); }

void WebKitEngine::ExecCommand(PageCommand command) {
    switch (command) {
        case PageCommand::Find: Finder().ShowWindow(); return;
        case PageCommand::ViewSource: ShowPageSource(m_context, m_view, m_cancellable); return;
        case PageCommand::Properties: ShowPageProperties(m_view, m_cancellable); return;
        case PageCommand::Print: PrintPage(m_view); return;
        case PageCommand::PrintPreview: ShowPrintPreview(m_context, m_view); return;
        case PageCommand::PageSetup: RunPageSetup(m_view); return;
        case PageCommand::CreateShortcut: {
            const gchar* title = webkit_web_view_get_title(m_view);
            CreateDesktopShortcut(Widget(), title ? title : "", m_committedUri);
            return;
        }
        case PageCommand::ShowComments: ShowPageComments(m_view, m_cancellable); return;
        case PageCommand::SaveAs: break;
    }
    std::fprintf(stderr, "fern: page command %d is not available yet\n", static_cast<int>(command));
}

WebKitPageFind& WebKitEngine::Finder() {
    if (!m_find) m_find = std::make_unique<WebKitPageFind>(m_view);
    return *m_find;
}

void WebKitEngine::FindText(const std::string& text, bool fromTop, std::function<void(bool)> done) {
    Finder().FindText(ToUtf8(text), fromTop, [done = std::move(done)](bool found) {
        if (done) Guard("find", [&] { done(found); });
    });
}

void WebKitEngine::SelectedText(std::function<void(std::string)> done) {
    std::shared_ptr<WebKitEngine*> self = m_self;
    ReadSelectedText(m_view, m_cancellable, [self, done = std::move(done)](std::string text) {
        if (*self && done) Guard("selected text", [&] { done(FromUtf8(text)); });
    });
}

std::vector<std::string> WebKitEngine::BackList(int max) const { return HistoryTitles(m_view, -1, max); }

std::vector<std::string> WebKitEngine::ForwardList(int max) const { return HistoryTitles(m_view, 1, max); }

std::vector<HistoryItem> WebKitEngine::HistoryItems(bool back, int max) const {
    return HistoryEntries(m_view, back ? -1 : 1, max);
}

std::string WebKitEngine::SessionState() const { return SaveSessionState(m_view); }

bool WebKitEngine::RestoreSessionState(const std::string& state) {
    m_loadingUri.clear();
    // Only a view that has shown nothing takes a history over.
    if (m_anyLoad || !LoadSessionState(m_view, state)) return false;
    WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(m_view);
    WebKitBackForwardListItem* item = webkit_back_forward_list_get_current_item(list);
    const gchar* current = item ? webkit_back_forward_list_item_get_uri(item) : nullptr;
    const std::string uri = current ? current : "";
    if (uri.empty()) return false;
    if (!FireBeforeNavigate2(UrlFromUtf8(uri), "", "")) return true;
    // Going to the restored list's own current entry loads that entry (WebKit
    // 2.50): the back list stays as it was, with no second entry for the page,
    // the scroll position the entry kept comes back, and the cache answers
    // where it may. WebKit asks for it as a navigation of type OTHER to the
    // entry's address, not BACK_FORWARD, so it is matched as our own load.
    m_post = PostPhase::None;
    m_api = ApiNavigation::Load;
    m_apiUri = uri;
    m_stoppedApi = ApiNavigation::None;
    webkit_web_view_go_to_back_forward_list_item(m_view, item);
    return true;
}

void WebKitEngine::MayRest(std::function<void(bool)> done) {
    // Waking would post its form again, unasked.
    if (m_formResult) {
        if (done) done(false);
        return;
    }
    std::shared_ptr<WebKitEngine*> self = m_self;
    AskMayRest(m_view, m_cancellable, [self, done = std::move(done)](bool may) {
        if (*self && done) Guard("may rest", [&] { done(may); });
    });
}

}  // namespace fern
