#include "filters/gtk/DialogSweeper.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "filters/gtk/ScriptErrorWindow.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

constexpr char kPageDialogName[] = "fern-page-dialog";

void CollectLabels(GtkWidget* widget, std::vector<std::string>& texts) {
    if (GTK_IS_LABEL(widget)) {
        if (const gchar* text = gtk_label_get_text(GTK_LABEL(widget)); text && *text) texts.push_back(text);
        return;
    }
    if (!GTK_IS_CONTAINER(widget)) return;
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    for (GList* c = children; c; c = c->next) CollectLabels(GTK_WIDGET(c->data), texts);
    g_list_free(children);
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const std::string& t : texts) all += (all.empty() ? "" : "\n") + t;
    return all;
}

}  // namespace

DialogSweeper::DialogSweeper(ITimerService& timers, std::function<bool()> on)
    : m_timers(timers), m_on(std::move(on)) {
    KeepSweeping();
    // A dialog just shown is swept at once, as a dialog entering idle was.
    g_type_class_ref(GTK_TYPE_WIDGET);
    m_hook = g_signal_add_emission_hook(g_signal_lookup("map", GTK_TYPE_WIDGET), 0, OnMap, this, nullptr);
}

DialogSweeper::~DialogSweeper() {
    if (m_hook) g_signal_remove_emission_hook(g_signal_lookup("map", GTK_TYPE_WIDGET), m_hook);
    if (m_idle) g_source_remove(m_idle);
    if (m_timer) m_timers.Stop(m_timer);
}

gboolean DialogSweeper::OnMap(GSignalInvocationHint*, guint count, const GValue* params, gpointer data) {
    auto* self = static_cast<DialogSweeper*>(data);
    GObject* widget = count > 0 ? static_cast<GObject*>(g_value_get_object(&params[0])) : nullptr;
    bool ours = widget && (GTK_IS_DIALOG(widget) ||
                           (GTK_IS_WINDOW(widget) &&
                            g_strcmp0(gtk_widget_get_name(GTK_WIDGET(widget)), kScriptErrorWindowName) == 0));
    if (ours) self->KeepSweeping();
    if (ours && !self->m_idle)
        self->m_idle = g_idle_add(
            [](gpointer d) -> gboolean {
                auto* s = static_cast<DialogSweeper*>(d);
                s->m_idle = 0;
                s->SweepNow();
                return G_SOURCE_REMOVE;
            },
            self);
    return TRUE;  // stay hooked
}

std::optional<SweptDialog> DialogSweeper::Describe(GtkWindow* window) {
    GtkWidget* widget = GTK_WIDGET(window);
    if (!gtk_widget_get_mapped(widget)) return std::nullopt;
    const gchar* name = gtk_widget_get_name(widget);
    const gchar* title = gtk_window_get_title(window);
    SweptDialog dialog;
    dialog.caption = FromUtf8(title ? title : "");
    if (g_strcmp0(name, kScriptErrorWindowName) == 0) {
        dialog.kind = SweptKind::HtmlDialog;
        return dialog;
    }
    if (!GTK_IS_DIALOG(window)) return std::nullopt;
    dialog.pageDialog = g_strcmp0(name, kPageDialogName) == 0;
    std::vector<std::string> texts;
    if (GTK_IS_MESSAGE_DIALOG(window)) {
        gchar *primary = nullptr, *secondary = nullptr;
        g_object_get(window, "text", &primary, "secondary-text", &secondary, nullptr);
        texts.push_back(primary ? primary : "");
        if (secondary && *secondary) texts.push_back(secondary);
        g_free(primary);
        g_free(secondary);
    } else {
        CollectLabels(gtk_dialog_get_content_area(GTK_DIALOG(window)), texts);
    }
    if (!texts.empty()) dialog.staticText = FromUtf8(Joined(texts));
    return dialog;
}

void DialogSweeper::KeepSweeping() {
    if (m_timer) return;
    m_timer = m_timers.Start(kSweepPeriodMs, [this] {
        SweepNow();
        // With none of our dialogs up a pass has nothing to look at, and an
        // idle browser need not wake for it; the next one shown starts it.
        if (!AnyDialogUp()) {
            m_timers.Stop(m_timer);
            m_timer = 0;
        }
    });
}

bool DialogSweeper::AnyDialogUp() {
    GList* windows = gtk_window_list_toplevels();
    bool any = false;
    for (GList* w = windows; w && !any; w = w->next) any = Describe(GTK_WINDOW(w->data)).has_value();
    g_list_free(windows);
    return any;
}

void DialogSweeper::SweepNow() {
    try {
        if (!m_on || !m_on()) return;
        // Acting on one window may destroy others: hold them all first.
        GList* windows = gtk_window_list_toplevels();
        g_list_foreach(
            windows, [](gpointer w, gpointer) { g_object_ref(w); }, nullptr);
        for (GList* w = windows; w; w = w->next) {
            auto* window = GTK_WINDOW(w->data);
            if (gtk_widget_in_destruction(GTK_WIDGET(window))) continue;
            std::optional<SweptDialog> dialog = Describe(window);
            if (!dialog) continue;
            switch (SweepRule(*dialog)) {
                case SweepAction::Keep: break;
                case SweepAction::Dismiss:
                    gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_CANCEL);
                    // A page box answers and goes on the first response.
                    if (gtk_widget_get_mapped(GTK_WIDGET(window)))
                        gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
                    break;
                case SweepAction::Close: gtk_window_close(window); break;
            }
        }
        g_list_free_full(windows, g_object_unref);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fern: dialog sweep: %s\n", e.what());
    }
}

}  // namespace fern
