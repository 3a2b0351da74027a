// The tool bar follows the router's states while it is on screen, and only
// then: a window hidden in the tray must not wake four times a second.
#include <gtest/gtest.h>

#include <gtkmm.h>

#include "chrome/gtk/ToolBarWidget.h"
#include "commands/CommandRouter.h"
#include "gui/GuiTestSupport.h"

using namespace fern;
using namespace fern::test;

namespace {

TEST(ToolBarWidgetTest, FollowsTheRouterOnlyWhileShownAndCatchesUpWhenShownAgain) {
    InitGtkOnce();
    const ToolBarLayout layout = DefaultToolBarLayout();
    ASSERT_FALSE(layout.empty());
    ASSERT_NE(ToolBarRow(layout.front()), nullptr);
    const int command = ToolBarRow(layout.front())->command;
    bool enabled = true;
    int asked = 0;
    CCommandRouter router;
    router.Add(command, CommandHandler{[] {},
                                       [&] {
                                           ++asked;
                                           return enabled;
                                       },
                                       {}});
    Gtk::Window window;
    ToolBarWidget bar(
        router, [](int) {}, nullptr);
    bar.SetButtons(layout, ToolBarLook{});
    window.add(bar);
    window.show_all();
    Pump();
    ASSERT_TRUE(bar.Polling());
    Gtk::Widget* button = bar.get_nth_item(0);
    ASSERT_NE(button, nullptr);

    enabled = false;
    ASSERT_TRUE(RunUntil([&] { return !button->get_sensitive(); }));

    window.hide();
    Pump();
    EXPECT_FALSE(bar.Polling());
    const int whileHidden = asked;
    enabled = true;
    RunFor(700);
    EXPECT_EQ(asked, whileHidden);
    EXPECT_FALSE(button->get_sensitive());

    // Shown again: up to date before the first tick.
    window.show();
    Pump();
    EXPECT_TRUE(bar.Polling());
    EXPECT_TRUE(button->get_sensitive());
}

}  // namespace
