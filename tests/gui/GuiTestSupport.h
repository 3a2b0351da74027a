#pragma once
// What the widget and engine tests share: GTK started once with a private
// HOME (WebKit writes below it), main-loop helpers, UTF-8 literals, events
// as the devices would send them, and the accessible tree.
#include <gtk/gtk.h>

#include <functional>
#include <string>

namespace fern::test {

// UTF-8 whatever the execution character set.
inline std::string U8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

// Starts GTK (and gtkmm) once; every GUI test shares one temporary HOME.
void InitGtkOnce();

// Lets pending events and redraws run for about 100 ms.
void Pump();

// Runs the main loop until `done` holds or the time is up; returns done().
bool RunUntil(const std::function<bool()>& done, int timeoutMs = 8000);

// Lets pending work settle for a while (only where nothing can be awaited).
inline void RunFor(int ms) {
    RunUntil([] { return false; }, ms);
}

// A new private folder (UTF-8 path) named after `pattern` ("x-XXXXXX").
std::string MakeTempDir(const char* pattern);
void RemoveTree(const std::string& path);

// The program's resource folder (images) in the source tree.
std::string ResFolder();

// A pointer button event or a motion (with `state` held) on `widget`'s window.
void SendButton(GtkWidget* widget, GdkEventType type, int button, int x, int y,
                guint32 time = GDK_CURRENT_TIME);
void SendMotion(GtkWidget* widget, int x, int y, guint state = 0);

// Child `i` of an accessible; the parent keeps its own reference.
AtkObject* AccessibleChild(AtkObject* parent, int i);
bool HasState(AtkObject* obj, AtkStateType state);

// The texts of every label below `widget`, each followed by "|".
std::string LabelTexts(GtkWidget* widget);

}  // namespace fern::test
