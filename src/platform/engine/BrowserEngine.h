#pragma once
// The browser control of one tab: the operations the shell calls and the
// events it receives. The GTK layer implements it on a WebKit view; tests use
// a scripted fake that fires events synchronously.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fern {

class BrowserEvents;

// An entry of a page's back/forward history.
struct HistoryItem {
    std::string url;    // Shift-JIS
    std::string title;  // Shift-JIS, empty when the page had none
};

// The caption of the message boxes a page opens (alert, confirm, prompt).
inline constexpr char kPageDialogCaption[] = "Fern Browser";

// Document commands the shell sends to the page (find, source, print ...).
enum class PageCommand {
    Find,  // the engine's own find
    ViewSource,
    Properties,
    Print,
    PrintPreview,
    PageSetup,
    CreateShortcut,
    SaveAs,
    ShowComments,  // the document's comments shown as text, in its frames too
};

class IBrowserEngine {
public:
    virtual ~IBrowserEngine() = default;

    virtual void SetEventSink(BrowserEvents* sink) = 0;

    virtual void Navigate2(const std::string& url, long flags, const std::string& targetFrame,
                           const std::string& postData, const std::string& headers) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void GoHome() = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;
    // Level 3 reloads completely (past the cache).
    virtual void Refresh2(int level) = 0;

    virtual std::string LocationURL() const = 0;
    virtual std::string LocationName() const = 0;
    virtual bool Busy() const = 0;

    virtual void PutRegisterAsBrowser(bool on) = 0;
    virtual void PutSilent(bool on) = 0;

    // Text size 0 (smallest) .. 4 (largest); the query returns the level.
    virtual void SetZoom(int level) = 0;
    virtual int Zoom() const = 0;

    virtual void ExecCommand(PageCommand command) = 0;

    // The tab's download-control flags changed: images, media and scripts
    // follow the new value at once.
    virtual void OnDownloadControlChanged(std::uint32_t flags) = 0;

    // Gives the page window the keyboard focus.
    virtual void Focus() = 0;

    // Finds the next match of `text` in the page and all its frames, from the
    // top when `fromTop`, else after the last match; selects and shows it.
    // `done` gets whether a match was found (possibly later, from the loop).
    virtual void FindText(const std::string& text, bool fromTop, std::function<void(bool)> done) {
        (void)text;
        (void)fromTop;
        if (done) done(false);
    }

    // The text selected in the page (empty when none). `done` may come
    // later, from the loop, and never comes once the engine is gone.
    virtual void SelectedText(std::function<void(std::string)> done) {
        if (done) done(std::string());
    }

    // Titles of the history entries behind (BackList) and ahead of
    // (ForwardList) the current page, nearest first, at most `max`.
    virtual std::vector<std::string> BackList(int max) const {
        (void)max;
        return {};
    }
    virtual std::vector<std::string> ForwardList(int max) const {
        (void)max;
        return {};
    }
    // The entries behind (`back`) or ahead of the current page, nearest
    // first, at most `max`; none where the engine keeps no history.
    virtual std::vector<HistoryItem> HistoryItems(bool back, int max) const {
        (void)back;
        (void)max;
        return {};
    }

    // The page's history with its positions, as opaque bytes a new control
    // can take up again (RestoreSessionState); empty when the engine keeps none.
    virtual std::string SessionState() const { return {}; }
    // Takes up `state` and shows its current entry, from the cache where it
    // allows; false when the state cannot be used.
    virtual bool RestoreSessionState(const std::string& state) {
        (void)state;
        return false;
    }
    // Whether the control may be given up now: nothing playing, no typed
    // text in a form. `done` may come later, from the loop, and never comes
    // once the engine is gone; an engine that cannot tell says no.
    virtual void MayRest(std::function<void(bool)> done) {
        if (done) done(true);
    }
};

// Events, one virtual each, with text arguments; the defaults do nothing.
class BrowserEvents {
public:
    virtual ~BrowserEvents() = default;

    virtual void StatusTextChange(const std::string&) {}
    virtual void ProgressChange(long /*progress*/, long /*max*/) {}
    // Command 1: can go forward; 2: can go back.
    virtual void CommandStateChange(long /*command*/, bool /*enable*/) {}
    virtual void DownloadBegin() {}
    virtual void DownloadComplete() {}
    virtual void TitleChange(const std::string&) {}
    virtual void PropertyChange(const std::string&) {}
    virtual void BeforeNavigate2(const std::string& /*url*/, long /*flags*/,
                                 const std::string& /*targetFrame*/, const std::string& /*postData*/,
                                 const std::string& /*headers*/, bool& /*cancel*/) {}
    // Set newWindow to the engine of the tab made for the new window, or
    // cancel. The engine layer then shows the page in that tab.
    virtual void NewWindow2(IBrowserEngine*& /*newWindow*/, bool& /*cancel*/) {}
    // NewWindow2 with the address the page asked for (empty when none).
    virtual void NewWindow3(IBrowserEngine*& newWindow, bool& cancel, const std::string& /*url*/) {
        NewWindow2(newWindow, cancel);
    }
    virtual void NavigateComplete2(const std::string& /*url*/) {}
    virtual void DocumentComplete(const std::string& /*url*/, bool /*topLevel*/) {}
    virtual void OnQuit() {}
    virtual void OnVisible(bool) {}
    virtual void OnToolBar(bool) {}
    virtual void OnMenuBar(bool) {}
    virtual void OnStatusBar(bool) {}
    virtual void OnFullScreen(bool) {}
    virtual void OnTheaterMode(bool) {}
    virtual void WindowSetResizable(bool) {}
    virtual void WindowClosing(bool /*isChildWindow*/, bool& /*cancel*/) {}
    virtual void SetSecureLockIcon(long /*level*/) {}
    virtual void FileDownload(bool& /*cancel*/) {}
    virtual void NavigateError(const std::string& /*url*/, const std::string& /*frame*/, long /*statusCode*/,
                               bool& /*cancel*/) {}
    virtual void PrivacyImpactedStateChange(bool) {}
    // A page message box (alert, confirm, prompt, leave-page question) about
    // to be shown with `caption`: true when it is handled and not shown.
    virtual bool ShowMessage(const std::string& /*caption*/, const std::string& /*message*/) { return false; }
    // A script error in the page or one of its frames.
    virtual void ScriptError(const std::string& /*message*/, const std::string& /*url*/, long /*line*/) {}
};

}  // namespace fern
