// The side bar's host with real widgets: panels put in and replaced, the
// panel shown and announced, the strip above or below by FBStyle, a click
// on a tab of the strip.
#include <gtest/gtest.h>

#include <gtkmm.h>

#include <vector>

#include "gui/GuiTestSupport.h"
#include "platform/text/Encoding.h"
#include "sidebar/gtk/SideBarHost.h"

using namespace fern;
using namespace fern::test;

namespace {

int PositionOf(Gtk::Box& box, Gtk::Widget& child) {
    std::vector<Gtk::Widget*> children = box.get_children();
    for (std::size_t i = 0; i < children.size(); ++i)
        if (children[i] == &child) return static_cast<int>(i);
    return -1;
}

}  // namespace

TEST(SideBarHost, PanelsArePutReplacedShownAndAnnounced) {
    InitGtkOnce();
    Gtk::Window window;
    SideBarHost host;
    window.add(host);
    window.set_default_size(240, 400);
    Gtk::Label first("first"), second("second"), web("web");
    host.SetPanel(kHistoryPanel, first);
    host.SetPanel(kHistoryPanel, second);  // replaces the first
    host.SetPanel(kWebSearchPanel, web);
    host.SetPanel(7, web);  // no such panel: nothing
    EXPECT_EQ(first.get_parent(), nullptr);
    ASSERT_NE(second.get_parent(), nullptr);
    EXPECT_EQ(web.get_parent()->get_accessible()->get_name(), ToUtf8("Web検索"));
    EXPECT_NE(second.get_parent(), web.get_parent());

    std::vector<int> shown;
    SignalConnection listen = host.panelShown.Connect([&](int panel) { shown.push_back(panel); });
    window.show_all();
    host.ShowPanel(kWebSearchPanel);
    host.ShowPanel(9);                // outside 0..3: the first
    host.SelectPanel(kHistoryPanel);  // chosen while hidden: not announced
    Pump();
    EXPECT_EQ(shown, (std::vector<int>{kWebSearchPanel, kBookmarkPanel}));
    EXPECT_EQ(host.Current(), kHistoryPanel);
    EXPECT_TRUE(second.get_mapped());
    EXPECT_FALSE(web.get_mapped());
}

TEST(SideBarHost, TheStripGoesBelowWithBitZeroAndItsTabsChoosePanels) {
    InitGtkOnce();
    Gtk::Window window;
    SideBarHost host;
    window.add(host);
    window.set_default_size(400, 300);
    window.show_all();
    Pump();
    std::vector<Gtk::Widget*> children = host.get_children();
    ASSERT_EQ(children.size(), 2u);
    Gtk::Widget* strip = children[0];
    FernBarSettings style;
    style.tabsAtBottom = true;
    style.showTabTitles = false;
    host.ApplyStyle(style);
    EXPECT_EQ(PositionOf(host, *strip), 1);
    style.tabsAtBottom = false;
    host.ApplyStyle(style);
    EXPECT_EQ(PositionOf(host, *strip), 0);
    Pump();

    // Images only: each tab is 26 pixels wide; the third is "履歴検索".
    std::vector<int> shown;
    SignalConnection listen = host.panelShown.Connect([&](int panel) { shown.push_back(panel); });
    SendButton(strip->gobj(), GDK_BUTTON_PRESS, 1, 2 * 26 + 5, 5);
    Pump();
    EXPECT_EQ(shown, (std::vector<int>{kHistorySearchPanel}));
    EXPECT_EQ(host.Current(), kHistorySearchPanel);
}
