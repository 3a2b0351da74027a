#include "platform/gtk/GtkShell.h"

#include <cstdio>
#include <exception>

#include "platform/text/Encoding.h"

namespace fern {

namespace {

// Work from the main loop must not throw into GLib.
void RunGuarded(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fern: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "fern: unexpected error\n");
    }
}

}  // namespace

GlibTimers::~GlibTimers() {
    for (auto& [id, timer] : m_timers) g_source_remove(timer->source);
}

TimerId GlibTimers::Start(unsigned periodMs, std::function<void()> tick) {
    static TimerId last = 0;
    TimerId id = ++last;
    auto timer = std::make_unique<Timer>();
    timer->tick = std::move(tick);
    Timer* raw = timer.get();
    raw->source = g_timeout_add(
        periodMs,
        [](gpointer data) -> gboolean {
            auto* t = static_cast<Timer*>(data);
            auto tick = t->tick;  // the tick may stop (and free) its own timer
            RunGuarded(tick);
            return G_SOURCE_CONTINUE;
        },
        raw);
    m_timers[id] = std::move(timer);
    return id;
}

void GlibTimers::Stop(TimerId id) {
    auto it = m_timers.find(id);
    if (it == m_timers.end()) return;
    g_source_remove(it->second->source);
    m_timers.erase(it);
}

void GlibMessageQueue::Post(std::function<void()> work) {
    auto* heap = new std::function<void()>(std::move(work));
    g_idle_add_full(
        G_PRIORITY_DEFAULT_IDLE,
        [](gpointer data) -> gboolean {
            RunGuarded(*static_cast<std::function<void()>*>(data));
            return G_SOURCE_REMOVE;
        },
        heap, [](gpointer data) { delete static_cast<std::function<void()>*>(data); });
}

std::optional<std::string> GtkClipboardText::GetText() {
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    gchar* text = gtk_clipboard_wait_for_text(clipboard);
    if (!text) return std::nullopt;
    std::string result = FromUtf8(text);
    g_free(text);
    return result;
}

void GtkClipboardText::SetText(const std::string& text) {
    std::string utf8 = ToUtf8(text);
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    gtk_clipboard_set_text(clipboard, utf8.c_str(), static_cast<gint>(utf8.size()));
    gtk_clipboard_store(clipboard);
}

MessageBoxAnswer GtkMessageBox::Show(const std::string& text, const std::string& caption,
                                     MessageBoxKind kind) {
    GtkButtonsType buttons = GTK_BUTTONS_OK;
    GtkMessageType type = GTK_MESSAGE_INFO;
    switch (kind) {
        case MessageBoxKind::Ok: break;
        case MessageBoxKind::OkCancel:
            buttons = GTK_BUTTONS_OK_CANCEL;
            type = GTK_MESSAGE_QUESTION;
            break;
        case MessageBoxKind::YesNo:
        case MessageBoxKind::YesNoCancel:
            buttons = GTK_BUTTONS_YES_NO;
            type = GTK_MESSAGE_QUESTION;
            break;
    }
    std::string utf8 = ToUtf8(text);
    GtkWidget* dialog = gtk_message_dialog_new(m_parent, GTK_DIALOG_MODAL, type, buttons, "%s", utf8.c_str());
    if (kind == MessageBoxKind::YesNoCancel)
        gtk_dialog_add_button(GTK_DIALOG(dialog), ToUtf8("キャンセル").c_str(), GTK_RESPONSE_CANCEL);
    gtk_window_set_title(GTK_WINDOW(dialog), ToUtf8(caption).c_str());
    gint response = gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    switch (response) {
        case GTK_RESPONSE_OK: return MessageBoxAnswer::Ok;
        case GTK_RESPONSE_YES: return MessageBoxAnswer::Yes;
        case GTK_RESPONSE_NO: return MessageBoxAnswer::No;
        default: return MessageBoxAnswer::Cancel;
    }
}

}  // namespace fern
