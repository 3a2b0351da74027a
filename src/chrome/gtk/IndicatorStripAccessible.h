#pragma once
// A strip of indicators we draw ourselves, as assistive technologies see it:
// one toggle button per indicator with its name, checked while lit, its box
// on the screen and a "click" action.
#include <gtk/gtk.h>

#include <string>

namespace fern {

// What the accessible objects read from the widget. Texts are UTF-8; boxes
// are in the widget's coordinates. The number of indicators never changes.
class IIndicatorStripSource {
public:
    virtual ~IIndicatorStripSource() = default;
    virtual int IndicatorCount() const = 0;
    virtual std::string IndicatorName(int index) const = 0;
    virtual bool IndicatorChecked(int index) const = 0;
    // False while the indicator is not drawn.
    virtual bool IndicatorBox(int index, GdkRectangle& box) const = 0;
    virtual void IndicatorPress(int index) = 0;
};

// Makes `widget`'s class create our accessible type, named `name` (UTF-8),
// and connects `source`. Call before anything asks for the accessible.
void InstallIndicatorStripAccessible(GtkWidget* widget, IIndicatorStripSource* source, const std::string& name);
void DetachIndicatorStripAccessible(GtkWidget* widget);
// Checked states or visibility changed: emit the notifications.
void IndicatorStripAccessibleChanged(GtkWidget* widget);

}  // namespace fern
