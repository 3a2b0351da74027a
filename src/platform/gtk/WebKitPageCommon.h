#pragma once
// What the page commands' windows share: the window a page sits in, and the
// message box that tells the user a command could not be carried out.
#include <gtk/gtk.h>

#include <memory>
#include <string>

namespace fern {

// The top-level window holding `widget`, or null when it is in none yet.
GtkWindow* WindowOf(GtkWidget* widget);

// A modal message box over the page's window; `text` is Shift-JIS.
void TellPageError(GtkWidget* page, const std::string& text);

// A widget that an answer from the loop looks for again: null once it is
// destroyed. Held through a shared_ptr by the answer's closure.
class WeakWidget {
public:
    explicit WeakWidget(GtkWidget* widget) { g_weak_ref_init(&m_ref, widget); }
    ~WeakWidget() { g_weak_ref_clear(&m_ref); }
    WeakWidget(const WeakWidget&) = delete;
    WeakWidget& operator=(const WeakWidget&) = delete;
    // A new reference, or null; the caller unrefs it.
    GtkWidget* Get() { return static_cast<GtkWidget*>(g_weak_ref_get(&m_ref)); }

private:
    GWeakRef m_ref;
};

// The isolated script world of the program's own page scripts: the page's
// scripts cannot see or replace what runs there.
inline constexpr const char kFernScriptWorld[] = "fern";

}  // namespace fern
