#include "platform/gtk/WebKitPageFind.h"

#include <memory>

#include "platform/gtk/WebKitPageCommon.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

constexpr guint kNextOptions = WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE;
constexpr guint kWindowOptions = WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE | WEBKIT_FIND_OPTIONS_WRAP_AROUND;
constexpr guint kMaxMatches = 1000;
// A page that never answers (its process is gone) must not keep the find
// command busy for good.
constexpr guint kAnswerTimeoutMs = 10000;

// The search goes on from the focused frame's selection. Starting over
// means no selection in any frame we can reach, and the top frame focused.
const char kStartOver[] =
    "(function(){function clear(w){try{w.getSelection().removeAllRanges();}catch(e){}"
    "for(var i=0;i<w.frames.length;i++){try{clear(w.frames[i]);}catch(e){}}}"
    "clear(window);try{var a=document.activeElement;if(a&&a!==document.body)a.blur();}catch(e){}"
    "try{window.focus();}catch(e){}return true;})()";

// Find next and previous keep the options of the search they go on with,
// apart from the direction.
bool SameOptions(WebKitFindController* controller, guint options) {
    return (webkit_find_controller_get_options(controller) & ~guint(WEBKIT_FIND_OPTIONS_BACKWARDS)) ==
           options;
}

struct StartOver {
    std::shared_ptr<WebKitPageFind*> alive;
    unsigned serial;
    std::string text;
};

}  // namespace

WebKitPageFind::WebKitPageFind(WebKitWebView* view)
    : m_view(view),
      m_controller(WEBKIT_FIND_CONTROLLER(g_object_ref(webkit_web_view_get_find_controller(view)))),
      m_cancellable(g_cancellable_new()),
      m_alive(std::make_shared<WebKitPageFind*>(this)) {
    g_signal_connect(m_controller, "found-text", G_CALLBACK(OnFound), this);
    g_signal_connect(m_controller, "failed-to-find-text", G_CALLBACK(OnFailed), this);
}

WebKitPageFind::~WebKitPageFind() {
    *m_alive = nullptr;
    g_cancellable_cancel(m_cancellable);
    g_object_unref(m_cancellable);
    if (m_timeout) g_source_remove(m_timeout);
    g_signal_handlers_disconnect_by_data(m_controller, this);
    g_object_unref(m_controller);
    if (m_window) {
        g_signal_handlers_disconnect_by_data(m_window, this);
        gtk_widget_destroy(m_window);
    }
}

void WebKitPageFind::Answer(bool found) {
    if (m_timeout) g_source_remove(m_timeout);
    m_timeout = 0;
    auto done = std::move(m_done);
    m_done = nullptr;
    if (done) done(found);
}

void WebKitPageFind::FindText(const std::string& text, bool fromTop, std::function<void(bool)> done) {
    Answer(false);  // a search still waiting is replaced
    ++m_serial;
    m_done = std::move(done);
    m_timeout = g_timeout_add(
        kAnswerTimeoutMs,
        [](gpointer self) {
            auto* find = static_cast<WebKitPageFind*>(self);
            find->m_timeout = 0;
            find->Answer(false);
            return G_SOURCE_REMOVE;
        },
        this);
    if (text.empty()) {
        Answer(false);
        return;
    }
    const gchar* current = webkit_find_controller_get_search_text(m_controller);
    if (!fromTop && current && text == current && SameOptions(m_controller, kNextOptions)) {
        m_origin = Origin::Api;
        webkit_find_controller_search_next(m_controller);
        return;
    }
    if (!fromTop) {
        StartApiSearch(text);
        return;
    }
    auto* start = new StartOver{m_alive, m_serial, text};
    webkit_web_view_evaluate_javascript(
        m_view, kStartOver, -1, kFernScriptWorld, nullptr, m_cancellable,
        [](GObject* view, GAsyncResult* result, gpointer data) {
            std::unique_ptr<StartOver> start(static_cast<StartOver*>(data));
            GError* error = nullptr;
            JSCValue* value =
                webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), result, &error);
            if (value) g_object_unref(value);
            const bool cancelled = error && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
            if (error) g_error_free(error);
            if (cancelled) return;  // the find went with its tab
            WebKitPageFind* find = *start->alive;
            if (!find || find->m_serial != start->serial || !find->m_done) return;
            // Without our script the search still runs, from wherever it stands.
            find->StartApiSearch(start->text);
        },
        start);
}

void WebKitPageFind::StartApiSearch(const std::string& text) {
    m_origin = Origin::Api;
    webkit_find_controller_search(m_controller, text.c_str(), kNextOptions, kMaxMatches);
}

void WebKitPageFind::OnFound(WebKitFindController*, guint, gpointer self) {
    auto* find = static_cast<WebKitPageFind*>(self);
    if (find->m_origin == Origin::Api) find->Answer(true);
    else if (find->m_origin == Origin::Window) find->SetStatus("");
}

void WebKitPageFind::OnFailed(WebKitFindController*, gpointer self) {
    auto* find = static_cast<WebKitPageFind*>(self);
    if (find->m_origin == Origin::Api) find->Answer(false);
    else if (find->m_origin == Origin::Window)
        find->SetStatus(ToUtf8("指定した文字列は見つかりませんでした").c_str());
}

// The find window ------------------------------------------------------------

void WebKitPageFind::SetStatus(const char* utf8) {
    if (m_status) gtk_label_set_text(GTK_LABEL(m_status), utf8);
}

void WebKitPageFind::WindowSearch(bool backwards) {
    if (!m_entry) return;
    const std::string text = gtk_entry_get_text(GTK_ENTRY(m_entry));
    if (text.empty()) {
        webkit_find_controller_search_finish(m_controller);
        SetStatus("");
        return;
    }
    // The window's own search replaces a find-next still waiting.
    Answer(false);
    m_origin = Origin::Window;
    const gchar* current = webkit_find_controller_get_search_text(m_controller);
    if (current && text == current && SameOptions(m_controller, kWindowOptions)) {
        if (backwards) webkit_find_controller_search_previous(m_controller);
        else webkit_find_controller_search_next(m_controller);
        return;
    }
    guint options = kWindowOptions | (backwards ? WEBKIT_FIND_OPTIONS_BACKWARDS : 0);
    webkit_find_controller_search(m_controller, text.c_str(), options, kMaxMatches);
}

void WebKitPageFind::BuildWindow() {
    m_window = gtk_dialog_new();
    GtkWindow* window = GTK_WINDOW(m_window);
    gtk_window_set_title(window, ToUtf8("検索").c_str());
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_destroy_with_parent(window, TRUE);
    gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);

    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_row_spacing(GTK_GRID(grid), 6);
    gtk_grid_set_column_spacing(GTK_GRID(grid), 6);
    gtk_container_set_border_width(GTK_CONTAINER(grid), 8);
    GtkWidget* label = gtk_label_new_with_mnemonic(ToUtf8("検索する文字列(_N):").c_str());
    m_entry = gtk_entry_new();
    gtk_entry_set_width_chars(GTK_ENTRY(m_entry), 30);
    gtk_entry_set_activates_default(GTK_ENTRY(m_entry), FALSE);
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), m_entry);
    atk_object_set_name(gtk_widget_get_accessible(m_entry), ToUtf8("検索する文字列").c_str());
    m_status = gtk_label_new("");
    gtk_widget_set_halign(m_status, GTK_ALIGN_START);
    gtk_grid_attach(GTK_GRID(grid), label, 0, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), m_entry, 1, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), m_status, 0, 1, 2, 1);
    gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(m_window))), grid);

    enum { kPrevious = 1, kNext = 2 };
    gtk_dialog_add_button(GTK_DIALOG(m_window), ToUtf8("前を検索(_P)").c_str(), kPrevious);
    gtk_dialog_add_button(GTK_DIALOG(m_window), ToUtf8("次を検索(_F)").c_str(), kNext);
    gtk_dialog_add_button(GTK_DIALOG(m_window), ToUtf8("閉じる(_C)").c_str(), GTK_RESPONSE_CLOSE);

    g_signal_connect(m_window, "response", G_CALLBACK(+[](GtkDialog* dialog, gint response, gpointer self) {
                         auto* find = static_cast<WebKitPageFind*>(self);
                         if (response == kPrevious || response == kNext) {
                             find->WindowSearch(response == kPrevious);
                             return;
                         }
                         // Closed: the highlights go, the window is kept for the next time.
                         webkit_find_controller_search_finish(find->m_controller);
                         find->SetStatus("");
                         gtk_widget_hide(GTK_WIDGET(dialog));
                     }),
                     this);
    g_signal_connect(m_window, "delete-event", G_CALLBACK(gtk_widget_hide_on_delete), nullptr);
    // The last text searched, before typing starts searching.
    if (const gchar* last = webkit_find_controller_get_search_text(m_controller))
        gtk_entry_set_text(GTK_ENTRY(m_entry), last);
    // Enter searches on; typing searches as the text grows.
    g_signal_connect(m_entry, "activate", G_CALLBACK(+[](GtkEntry*, gpointer self) {
                         static_cast<WebKitPageFind*>(self)->WindowSearch(false);
                     }),
                     this);
    g_signal_connect(m_entry, "changed", G_CALLBACK(+[](GtkEditable*, gpointer self) {
                         static_cast<WebKitPageFind*>(self)->WindowSearch(false);
                     }),
                     this);
    g_signal_connect(m_window, "destroy", G_CALLBACK(+[](GtkWidget*, gpointer self) {
                         auto* find = static_cast<WebKitPageFind*>(self);
                         find->m_window = find->m_entry = find->m_status = nullptr;
                     }),
                     this);
    gtk_widget_show_all(grid);
}

void WebKitPageFind::ShowWindow() {
    if (!m_window) BuildWindow();
    gtk_window_set_transient_for(GTK_WINDOW(m_window), WindowOf(GTK_WIDGET(m_view)));
    gtk_window_present(GTK_WINDOW(m_window));
    gtk_widget_grab_focus(m_entry);
}

}  // namespace fern
