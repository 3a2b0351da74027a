#pragma once
// The dialog sweep over our own top-level windows: every 300 ms (timer
// 61230) while one of our dialogs is up, and at once whenever one is mapped,
// the sweep rule decides for each dialog; nothing happens while the switch
// is off.
#include <gtk/gtk.h>

#include <functional>

#include "filters/DialogSweep.h"
#include "platform/shell/TimerService.h"

namespace fern {

class DialogSweeper {
public:
    DialogSweeper(ITimerService& timers, std::function<bool()> on);
    ~DialogSweeper();
    DialogSweeper(const DialogSweeper&) = delete;
    DialogSweeper& operator=(const DialogSweeper&) = delete;

    // One pass over the top-level windows (when the switch is on).
    void SweepNow();
    // What the rule sees of a window; nothing for windows it never looks at.
    static std::optional<SweptDialog> Describe(GtkWindow* window);
    // Whether the 300 ms passes run now (only while a dialog is up).
    bool Periodic() const { return m_timer != 0; }

private:
    ITimerService& m_timers;
    std::function<bool()> m_on;
    TimerId m_timer = 0;
    gulong m_hook = 0;
    guint m_idle = 0;

    void KeepSweeping();
    static bool AnyDialogUp();
    static gboolean OnMap(GSignalInvocationHint*, guint, const GValue* params, gpointer data);
};

}  // namespace fern
