#pragma once
// Finding text in a page and all its frames on the view's find controller:
// the find-next of the shell's clipboard find, and a find window of our own
// (the engine has none) for the page's find command.
#include <webkit2/webkit2.h>

#include <functional>
#include <memory>
#include <string>

namespace fern {

class WebKitPageFind {
public:
    // Keeps a reference on the view's find controller, so it can let go of
    // it safely whenever it is destroyed.
    explicit WebKitPageFind(WebKitWebView* view);
    ~WebKitPageFind();
    WebKitPageFind(const WebKitPageFind&) = delete;
    WebKitPageFind& operator=(const WebKitPageFind&) = delete;

    // The next match of `text` (UTF-8), ignoring case, from the top of the
    // page when `fromTop`, else after the current match; no wrap, so the
    // end of the page answers false. `done` is called once: with the
    // result, with false when a newer search replaces this one or the
    // page never answers, and never after this object is gone.
    void FindText(const std::string& text, bool fromTop, std::function<void(bool)> done);

    // Shows the find window (non-modal, over the page's window), with the
    // last searched text.
    void ShowWindow();
    // The find window, once shown (for tests and the accessibility check).
    GtkWidget* Window() const { return m_window; }

    // Searches from the window's controls (also used by tests).
    void WindowSearch(bool backwards);

private:
    enum class Origin { None, Api, Window };

    WebKitWebView* m_view;
    WebKitFindController* m_controller;
    Origin m_origin = Origin::None;
    std::function<void(bool)> m_done;
    guint m_timeout = 0;
    unsigned m_serial = 0;  // counts FindText calls, to match late answers
    GCancellable* m_cancellable;
    // Late script answers find null here once this object is gone.
    std::shared_ptr<WebKitPageFind*> m_alive;

    GtkWidget* m_window = nullptr;
    GtkWidget* m_entry = nullptr;
    GtkWidget* m_status = nullptr;

    void StartApiSearch(const std::string& text);
    void Answer(bool found);
    void SetStatus(const char* utf8);
    void BuildWindow();
    static void OnFound(WebKitFindController*, guint, gpointer self);
    static void OnFailed(WebKitFindController*, gpointer self);
};

}  // namespace fern
