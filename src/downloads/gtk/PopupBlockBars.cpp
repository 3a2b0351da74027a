#include "downloads/gtk/PopupBlockBars.h"

#include <gtkmm.h>
#include <webkit2/webkit2.h>

#include "downloads/PopupBlockLog.h"
#include "frame/MainFrame.h"
#include "platform/gtk/GuardedCall.h"
#include "platform/text/Encoding.h"

namespace fern {

// A page's container: the bar (hidden until a window is refused) above the
// web view. The container and the bar are ours; the web view stays its
// engine's and leaves the container unharmed.
class PopupBar {
public:
    PopupBar(GtkWidget* webView, std::function<void(std::size_t)> open, std::function<void()> gone)
        : m_webView(webView), m_open(std::move(open)), m_gone(std::move(gone)) {
        m_box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
        g_object_ref_sink(m_box);
        m_bar = Gtk::manage(new Gtk::InfoBar());
        m_bar->set_message_type(Gtk::MESSAGE_INFO);
        m_bar->get_accessible()->set_name(ToUtf8("ポップアップ ブロック"));
        m_text = Gtk::manage(new Gtk::Label());
        m_text->set_xalign(0);
        m_text->set_hexpand(true);
        auto* close = Gtk::manage(new Gtk::Button(ToUtf8("閉じる")));
        close->signal_clicked().connect([this] { m_bar->hide(); });
        auto* header = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 6));
        header->pack_start(*m_text, Gtk::PACK_EXPAND_WIDGET);
        header->pack_end(*close, Gtk::PACK_SHRINK);
        m_addresses = Gtk::manage(new Gtk::ListBox());
        m_addresses->set_selection_mode(Gtk::SELECTION_NONE);
        m_addresses->get_accessible()->set_name(ToUtf8("ブロックしたアドレス"));
        auto* scroll = Gtk::manage(new Gtk::ScrolledWindow());
        scroll->set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_AUTOMATIC);
        scroll->set_max_content_height(160);
        scroll->set_propagate_natural_height(true);
        scroll->add(*m_addresses);
        auto* expander = Gtk::manage(new Gtk::Expander(ToUtf8("ブロックしたアドレス")));
        expander->add(*scroll);
        auto* content = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_VERTICAL, 4));
        content->set_hexpand(true);
        content->pack_start(*header, Gtk::PACK_SHRINK);
        content->pack_start(*expander, Gtk::PACK_SHRINK);
        static_cast<Gtk::Container*>(m_bar->get_content_area())->add(*content);
        m_bar->show_all();
        m_bar->set_no_show_all(true);
        m_bar->hide();
        gtk_box_pack_start(GTK_BOX(m_box), GTK_WIDGET(m_bar->gobj()), FALSE, FALSE, 0);
        gtk_box_pack_start(GTK_BOX(m_box), webView, TRUE, TRUE, 0);
        gtk_widget_show(webView);
        gtk_widget_show(m_box);
        // The page's next document takes the bar away.
        m_loadHandler = g_signal_connect(
            webView, "load-changed", G_CALLBACK(+[](WebKitWebView*, WebKitLoadEvent event, gpointer self) {
                if (event == WEBKIT_LOAD_COMMITTED) static_cast<PopupBar*>(self)->Navigated();
            }),
            this);
        m_destroyHandler =
            g_signal_connect(webView, "destroy", G_CALLBACK(+[](GtkWidget*, gpointer self) {
                                 Guard("page container", [&] { static_cast<PopupBar*>(self)->Gone(); });
                             }),
                             this);
    }

    ~PopupBar() {
        if (m_webView) {
            Disconnect();
            if (gtk_widget_get_parent(m_webView) == m_box)
                gtk_container_remove(GTK_CONTAINER(m_box), m_webView);
        }
        g_object_unref(m_box);
    }

    GtkWidget* Box() const { return m_box; }
    GtkWidget* WebView() const { return m_webView; }
    CPopupBlockLog& Log() { return m_log; }

    void Refused(const std::string& url) {
        m_log.Blocked(url);
        Refresh();
        m_bar->show();
    }

    void Refresh() {
        m_text->set_text(ToUtf8(m_log.Text()));
        for (Gtk::Widget* row : m_addresses->get_children()) m_addresses->remove(*row);
        const std::vector<std::string>& addresses = m_log.Addresses();
        for (std::size_t i = 0; i < addresses.size(); ++i) {
            auto* row = Gtk::manage(new Gtk::ListBoxRow());
            auto* line = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 6));
            auto* address = Gtk::manage(new Gtk::Label(ToUtf8(addresses[i])));
            address->set_xalign(0);
            address->set_hexpand(true);
            address->set_ellipsize(Pango::ELLIPSIZE_MIDDLE);
            address->set_selectable(true);
            auto* open = Gtk::manage(new Gtk::Button(ToUtf8("開く")));
            open->set_tooltip_text(ToUtf8(addresses[i]));
            // The list is rebuilt by the open, after this click has ended.
            open->signal_clicked().connect(
                [open = m_open, i] { Glib::signal_idle().connect_once([open, i] { open(i); }); });
            line->pack_start(*address, Gtk::PACK_EXPAND_WIDGET);
            line->pack_start(*open, Gtk::PACK_SHRINK);
            row->add(*line);
            row->set_activatable(false);
            row->get_accessible()->set_name(ToUtf8(addresses[i]));
            m_addresses->append(*row);
        }
        m_addresses->show_all();
    }

private:
    GtkWidget* m_webView;
    GtkWidget* m_box = nullptr;
    std::function<void(std::size_t)> m_open;
    std::function<void()> m_gone;
    gulong m_loadHandler = 0, m_destroyHandler = 0;
    CPopupBlockLog m_log;
    Gtk::InfoBar* m_bar = nullptr;
    Gtk::Label* m_text = nullptr;
    Gtk::ListBox* m_addresses = nullptr;

    void Navigated() {
        m_log.Navigated();
        m_bar->hide();
    }
    void Disconnect() {
        g_signal_handler_disconnect(m_webView, m_loadHandler);
        g_signal_handler_disconnect(m_webView, m_destroyHandler);
    }
    // The engine destroys its web view: the container is done with.
    void Gone() {
        Disconnect();
        m_webView = nullptr;
        m_gone();
    }
};

PopupBlockBars::PopupBlockBars(CMainFrame& frame) : m_frame(frame) {
    m_refused = m_frame.newWindowRefused.Connect(
        [this](CFernView* view, const std::string& url) { Refused(view, url); });
}

PopupBlockBars::~PopupBlockBars() = default;

GtkWidget* PopupBlockBars::PageWidget(CFernView* view, GtkWidget* webView) {
    auto it = m_bars.find(view);
    if (it != m_bars.end() && it->second->WebView() == webView) return it->second->Box();
    auto bar = std::make_unique<PopupBar>(
        webView, [this, view](std::size_t index) { Open(view, index); },
        [this, view] {
            auto it = m_bars.find(view);
            if (it != m_bars.end()) Forget(it->second.release()), m_bars.erase(it);
        });
    GtkWidget* box = bar->Box();
    m_bars[view] = std::move(bar);
    return box;
}

void PopupBlockBars::Forget(PopupBar* bar) {
    // Its web view is being destroyed; the container goes once that is over.
    Glib::signal_idle().connect_once([bar] { delete bar; });
}

void PopupBlockBars::Refused(CFernView* view, const std::string& url) {
    auto it = m_bars.find(view);
    if (it != m_bars.end()) it->second->Refused(url);
}

void PopupBlockBars::Open(CFernView* view, std::size_t index) {
    auto it = m_bars.find(view);
    if (it == m_bars.end() || index >= it->second->Log().Addresses().size()) return;
    const std::string url = it->second->Log().Addresses()[index];
    // A tab of its own whose first navigation, to this address only, passes the filter.
    CFernView* opened =
        m_frame.OpenUrl(url, kOpenNewTab | kOpenNoNavigate, DefaultDownloadControl(m_frame.Settings()), 1);
    if (!opened) {
        m_frame.SetStatusText("新しいタブを開けません (タブの数の上限)");
        return;
    }
    opened->SetFilterExemptUrl(url);
    opened->SetPendingUrl(url);
    opened->Navigate(url);
    it->second->Log().TakeForOpen(index);
    it->second->Refresh();
}

}  // namespace fern
