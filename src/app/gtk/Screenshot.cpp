#include "app/gtk/Screenshot.h"

#include <cstdio>

#include "platform/engine/LazyEngine.h"

namespace fern {

namespace {
constexpr int kPollMs = 250;
constexpr int kGiveUpTicks = 120;  // 30 s
constexpr int kSettleTicks = 4;    // the page paints after its load ends
}  // namespace

ScreenshotWhenLoaded::ScreenshotWhenLoaded(Gtk::Window& window, CMainFrame& frame, std::string fsPath,
                                           std::function<void()> done)
    : m_window(window), m_frame(frame), m_path(std::move(fsPath)), m_done(std::move(done)) {
    m_poll = Glib::signal_timeout().connect([this] { return Poll(); }, kPollMs);
}

ScreenshotWhenLoaded::~ScreenshotWhenLoaded() { m_poll.disconnect(); }

bool ScreenshotWhenLoaded::Poll() {
    ++m_ticks;
    CFernView* view = m_frame.ActiveView();
    // The page itself: a restored tab knows its address before it loads.
    IBrowserEngine* page = view ? RealEngine(view->Engine()) : nullptr;
    bool loaded = page && !page->Busy() && !page->LocationURL().empty();
    m_settled = loaded ? m_settled + 1 : 0;
    if (m_settled < kSettleTicks && m_ticks < kGiveUpTicks) return true;
    Capture();
    if (m_done) Glib::signal_idle().connect_once(m_done);
    return false;
}

void ScreenshotWhenLoaded::Capture() {
    Glib::RefPtr<Gdk::Window> gdkWindow = m_window.get_window();
    if (!gdkWindow) {
        std::fprintf(stderr, "fern: no window to take a picture of\n");
        return;
    }
    int width = gdkWindow->get_width(), height = gdkWindow->get_height();
    GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(gdkWindow->gobj(), 0, 0, width, height);
    GError* error = nullptr;
    if (!pixbuf || !gdk_pixbuf_save(pixbuf, m_path.c_str(), "png", &error, nullptr)) {
        std::fprintf(stderr, "fern: could not save %s: %s\n", m_path.c_str(),
                     error ? error->message : "no picture");
        if (error) g_error_free(error);
    }
    if (pixbuf) g_object_unref(pixbuf);
}

}  // namespace fern
