// The dialog sweep with the real timers: its passes run while one of our
// dialogs is up (so a dialog that becomes sweepable later, when the switch is
// turned on, still goes), and an idle browser does not wake for them.
#include <gtest/gtest.h>

#include <gtk/gtk.h>

#include "filters/gtk/DialogSweeper.h"
#include "gui/GuiTestSupport.h"
#include "platform/gtk/GtkShell.h"
#include "platform/text/Encoding.h"

using namespace fern;
using namespace fern::test;

namespace {

GtkWidget* OfflineBox() {
    GtkWidget* dialog =
        gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_INFO, GTK_BUTTONS_OK_CANCEL, "%s",
                               ToUtf8("このページはキャッシュにありません。").c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), ToUtf8("オフラインでは表示できません").c_str());
    g_signal_connect(dialog, "response", G_CALLBACK(gtk_widget_destroy), nullptr);
    return dialog;
}

TEST(DialogSweeperTest, PassesRunOnlyWhileADialogIsUpAndCatchADialogLeftForLater) {
    InitGtkOnce();
    GlibTimers timers;
    bool on = false;
    DialogSweeper sweeper(timers, [&] { return on; });
    RunUntil([&] { return !sweeper.Periodic(); });
    EXPECT_FALSE(sweeper.Periodic());

    // Shown while the switch is off: kept, and looked at again and again.
    GtkWidget* box = OfflineBox();
    g_object_ref(box);
    gtk_widget_show(box);
    Pump();
    EXPECT_TRUE(sweeper.Periodic());
    RunFor(700);
    EXPECT_TRUE(gtk_widget_get_mapped(box));
    EXPECT_TRUE(sweeper.Periodic());

    // Switched on: the next pass dismisses it, and the passes stop.
    on = true;
    EXPECT_TRUE(RunUntil([&] { return gtk_widget_in_destruction(box) || !gtk_widget_get_mapped(box); }));
    EXPECT_TRUE(RunUntil([&] { return !sweeper.Periodic(); }));
    g_object_unref(box);

    // A dialog the rule keeps holds the passes up until it goes.
    GtkWidget* other =
        gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_INFO, GTK_BUTTONS_OK, "%s", "keep me");
    gtk_widget_show(other);
    Pump();
    RunFor(700);
    EXPECT_TRUE(gtk_widget_get_mapped(other));
    EXPECT_TRUE(sweeper.Periodic());
    gtk_widget_destroy(other);
    EXPECT_TRUE(RunUntil([&] { return !sweeper.Periodic(); }));
}

}  // namespace
