#pragma once
// A widget we draw ourselves as assistive technologies see it: one child per
// drawn item with its name, its states, its box on the screen and a "click"
// action. The widget supplies the items; this keeps the accessible objects in
// step and sends the change notifications.
#include <gtk/gtk.h>

#include <string>

namespace fern {

enum class DrawnItemsKind {
    // A page tab list with one selected tab and the selection interface.
    PageTabs,
    // A tool bar of toggle buttons, checked while lit; the count never changes.
    Toggles,
    // A tool bar of push buttons (the link bar); the items come and go.
    PushButtons,
};

// What the accessible objects read from the widget. Texts are UTF-8; boxes
// are in the widget's coordinates.
class IDrawnItemsSource {
public:
    virtual ~IDrawnItemsSource() = default;
    virtual int AccessCount() const = 0;
    virtual std::string AccessName(int index) const = 0;
    // Identifies the item across inserts, deletes and swaps; nullptr = unknown.
    virtual const void* AccessKey(int) const { return nullptr; }
    // Fills `box` with the item's place, also while it is scrolled out of
    // view, and leaves it alone when the item has none. False when not in view.
    virtual bool AccessBox(int index, GdkRectangle& box) const = 0;
    virtual void AccessClick(int index) = 0;
    // PageTabs: the selected item, -1 when none.
    virtual int AccessSelected() const { return -1; }
    // Toggles: lit or not.
    virtual bool AccessChecked(int) const { return false; }
    // A word on the item's state beyond its name ("" for none).
    virtual std::string AccessDescription(int) const { return {}; }
};

// Makes `widget`'s class create our accessible type for `kind`, named `name`
// (UTF-8), and connects `source`. Call before anything asks for the accessible.
void InstallDrawnItemsAccessible(GtkWidget* widget, IDrawnItemsSource* source, DrawnItemsKind kind,
                                 const std::string& name);
// The source is going away: the accessible objects become defunct.
void DetachDrawnItemsAccessible(GtkWidget* widget);
// The items, texts, selection, checked states or visibility changed: update
// the children and emit the notifications (nothing when no accessible was
// asked for yet).
void DrawnItemsAccessibleChanged(GtkWidget* widget);

}  // namespace fern
