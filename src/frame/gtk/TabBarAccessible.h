#pragma once
// The tab bar as assistive technologies see it: a page tab list named "タブ"
// with the selection interface, one page tab per button with its text, its
// states, its box on the screen and a "click" action.
#include <gtk/gtk.h>

#include <string>

namespace fern {

// What the accessible objects read from the widget. Texts are UTF-8; boxes
// are in the widget's coordinates.
class ITabBarAccessSource {
public:
    virtual ~ITabBarAccessSource() = default;
    virtual int AccessCount() const = 0;
    virtual std::string AccessName(int index) const = 0;
    // Identifies the tab across inserts, deletes and swaps; nullptr = unknown.
    virtual const void* AccessKey(int index) const = 0;
    virtual int AccessSelected() const = 0;
    // False when the button is scrolled out of view.
    virtual bool AccessBox(int index, GdkRectangle& box) const = 0;
    virtual void AccessClick(int index) = 0;
};

// Makes `widget`'s class create our accessible type and connects `source`
// to it. Call before anything asks the widget for its accessible.
void InstallTabBarAccessible(GtkWidget* widget, ITabBarAccessSource* source);
// The source is going away: the accessible objects become defunct.
void DetachTabBarAccessible(GtkWidget* widget);
// The items, texts or selection changed: update the children and emit the
// change notifications (nothing when no accessible was asked for yet).
void TabBarAccessibleChanged(GtkWidget* widget);

}  // namespace fern
