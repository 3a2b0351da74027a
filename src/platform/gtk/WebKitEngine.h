#pragma once
// The browser control of one tab on a WebKit view: the shell's operations
// become WebKit calls, and the view's signals become the shell's events, in
// the order the page logic expects (BeforeNavigate2, DownloadBegin,
// NavigateComplete2, TitleChange, DownloadComplete, DocumentComplete).
#include <webkit2/webkit2.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/engine/BrowserEngine.h"

namespace fern {

class WebKitContext;
class WebKitPageDialogs;
class WebKitPageFind;
struct WebKitEngineHandlers;

class WebKitEngine final : public IBrowserEngine {
public:
    // Levels sent with SetSecureLockIcon: the page shows its lock for 1..7,
    // so a certificate error the user let through lies outside that range.
    static constexpr long kLockNone = 0;
    static constexpr long kLockSecure = 6;
    static constexpr long kLockCertificateError = 8;

    // Text-size levels 0..4 as text-only zoom factors.
    static constexpr double kZoomFactors[5] = {0.7, 0.85, 1.0, 1.15, 1.3};
    static constexpr int kDefaultZoom = 2;

    // A view of its own (`opener` null, fresh settings from the context), or
    // the view of a page's new window: related to the opener's view, as
    // WebKit requires, with a copy of the opener's settings. `homeUrl` is
    // Shift-JIS; empty means about:blank.
    // `opener`: the control of the page whose new window this is.
    // `shareProcessOf`: a view whose web process this tab shares (its
    // settings stay its own).
    WebKitEngine(WebKitContext& context, const std::string& homeUrl, WebKitEngine* opener,
                 WebKitWebView* shareProcessOf = nullptr);
    // Takes over `loadingView` (a reference, made by NewTabView), whose load
    // of `loadingUri` (UTF-8) is under way: the first navigation to that
    // address goes on with it rather than loading again, and any other first
    // navigation or operation replaces or stops it.
    WebKitEngine(WebKitContext& context, const std::string& homeUrl, WebKitWebView* loadingView,
                 std::string loadingUri);
    // Destroys the view too, which takes it out of its container.
    ~WebKitEngine() override;
    WebKitEngine(const WebKitEngine&) = delete;
    WebKitEngine& operator=(const WebKitEngine&) = delete;

    // A new tab's view (a reference the caller owns): its own content
    // manager, fresh settings from the context, sharing the web process of
    // `shareProcessOf` when given.
    static WebKitWebView* NewTabView(WebKitContext& context, WebKitWebView* shareProcessOf);

    GtkWidget* Widget() const { return GTK_WIDGET(m_view); }
    // The view's address (UTF-8), "" before any.
    std::string ViewUri() const;
    // False while the tab shows our page for a web process that ended.
    bool ProcessAlive() const { return !m_sadPage && !m_sadLoadPending; }
    std::weak_ptr<WebKitEngine*> Self() const { return m_self; }
    WebKitWebView* View() const { return m_view; }
    // This tab's own settings object.
    WebKitSettings* Settings() const { return m_settings; }

    void SetEventSink(BrowserEvents* sink) override { m_sink = sink; }
    void Navigate2(const std::string& url, long flags, const std::string& targetFrame,
                   const std::string& postData, const std::string& headers) override;
    void GoBack() override;
    void GoForward() override;
    void GoHome() override;
    void Stop() override;
    void Refresh() override;
    void Refresh2(int level) override;
    std::string LocationURL() const override;
    std::string LocationName() const override;
    bool Busy() const override;
    void PutRegisterAsBrowser(bool on) override { m_registerAsBrowser = on; }
    void PutSilent(bool on) override { m_silent = on; }
    void SetZoom(int level) override;
    int Zoom() const override { return m_zoom; }
    void ExecCommand(PageCommand command) override;
    void OnDownloadControlChanged(std::uint32_t flags) override;
    void Focus() override;
    void FindText(const std::string& text, bool fromTop, std::function<void(bool)> done) override;
    void SelectedText(std::function<void(std::string)> done) override;
    std::vector<std::string> BackList(int max) const override;
    std::vector<std::string> ForwardList(int max) const override;
    std::vector<HistoryItem> HistoryItems(bool back, int max) const override;
    std::string SessionState() const override;
    bool RestoreSessionState(const std::string& state) override;
    void MayRest(std::function<void(bool)> done) override;

    // The find of this page (made on first use): find next and the find window.
    WebKitPageFind& Finder();
    WebKitPageDialogs& Dialogs() { return *m_dialogs; }

private:
    friend struct WebKitEngineHandlers;

    // What is known about the main-frame navigation that the next load
    // STARTED belongs to.
    struct PendingNavigation {
        std::string uri;        // UTF-8
        bool reported = false;  // BeforeNavigate2 already ran (or is not due)
    };
    // An operation of ours whose policy decision is still to come.
    enum class ApiNavigation { None, Load, BackForward, Reload };
    enum class PostPhase { None, Helper };

    WebKitContext& m_context;
    std::string m_homeUrl;
    WebKitWebView* m_view = nullptr;
    WebKitSettings* m_settings = nullptr;
    WebKitWebView* m_openerView = nullptr;  // compared only, never used
    BrowserEvents* m_sink = nullptr;
    GCancellable* m_cancellable = nullptr;
    // Asynchronous answers hold a copy and find null once we are gone.
    std::shared_ptr<WebKitEngine*> m_self;

    ApiNavigation m_api = ApiNavigation::None;
    std::string m_apiUri;
    // Stopped before its decision came: the decision is refused, since
    // WebKit would otherwise stay busy without ever starting it.
    ApiNavigation m_stoppedApi = ApiNavigation::None;
    std::string m_stoppedUri;
    std::optional<PendingNavigation> m_pending;
    PostPhase m_post = PostPhase::None;
    bool m_anyDecision = false;
    bool m_anyLoad = false;
    bool m_loadActive = false;      // between STARTED and FINISHED
    bool m_swallowLoad = false;     // the load was refused at STARTED
    bool m_sadLoadPending = false;  // our page for an ended web process is on its way
    bool m_sadPage = false;         // that page is shown: not the site's, so not recorded
    std::string m_sadTitle;         // UTF-8: the tab's title, kept on our page
    bool m_committed = false;       // this load committed
    bool m_titleSent = false;       // this load reported a title
    unsigned m_loadSerial = 0;      // counts loads, to match late answers
    std::string m_lastTitle;        // the last title reported
    std::string m_committedUri;     // UTF-8
    std::string m_failedUri;        // UTF-8, the last load that failed
    std::string m_statusText;       // UTF-8
    // The main resource on its way, and the page shown, came by POST: woken
    // from its history, such a page sends its form to the server again.
    bool m_responseToPost = false;
    bool m_formResult = false;
    int m_canGoBack = -1, m_canGoForward = -1;
    long m_lastProgress = -1;
    int m_zoom = kDefaultZoom;
    bool m_registerAsBrowser = false;
    bool m_silent = false;
    std::unique_ptr<WebKitPageFind> m_find;
    std::unique_ptr<WebKitPageDialogs> m_dialogs;
    // UTF-8: the load a taken-over view had under way, until the first
    // operation on it.
    std::string m_loadingUri;

    // `url` is Shift-JIS; true when the sink allowed the navigation.
    bool FireBeforeNavigate2(const std::string& url, const std::string& postData, const std::string& headers);
    // `underWay`: the view is already loading exactly this request.
    void LoadApi(WebKitURIRequest* request, bool underWay = false);
    // The rest of making the engine, once its view and settings exist.
    void Attach();
    // Navigate2's work: false when no load was set going. `loading`: the
    // address a taken-over view is loading, "" when none.
    bool StartNavigation(const std::string& url, const std::string& postData, const std::string& headers,
                         const std::string& loading);
};

}  // namespace fern
