// The status bar in a real window: what assistive technologies see of its
// indicators, and that their actions and pointer clicks do the same.
#include <gtest/gtest.h>

#include <gtkmm.h>

#include <string>
#include <vector>

#include "chrome/gtk/StatusBarWidget.h"
#include "gui/GuiTestSupport.h"

using namespace fern;
using namespace fern::test;

namespace {

class StatusBarWidgetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitGtkOnce(); }

    Gtk::Window window;
    StatusBarWidget status;
    std::uint32_t flags = 0x70;
    std::vector<std::string> log;

    void SetUp() override {
        status.offlineClicked.ConnectForever([this] { log.push_back("offline"); });
        status.zoneClicked.ConnectForever([this] { log.push_back("zone"); });
        status.lockDoubleClicked.ConnectForever([this] { log.push_back("lock"); });
        status.downloadControlToggled.ConnectForever([this](std::uint32_t bit) {
            log.push_back("bit " + std::to_string(bit));
            flags ^= bit;
            status.SetDownloadControl(flags);
        });
        status.stripStyleChanged.ConnectForever(
            [this](int style) { log.push_back("style " + std::to_string(style)); });
        status.SetDownloadControl(flags);
        EXPECT_TRUE(status.LoadImages(ResFolder()));
        window.add(status);
        window.set_default_size(700, 30);
        window.show_all();
        Pump();
    }

    AtkObject* Strip() { return gtk_widget_get_accessible(GTK_WIDGET(status.Strip().gobj())); }
    AtkObject* Indicator(int i) { return AccessibleChild(Strip(), i); }
    static std::string Name(Gtk::Widget& widget) {
        const char* name = atk_object_get_name(gtk_widget_get_accessible(widget.gobj()));
        return name ? name : "";
    }
    std::vector<bool> Checked() {
        std::vector<bool> out;
        for (int i = 0; i < 7; ++i) out.push_back(HasState(Indicator(i), ATK_STATE_CHECKED));
        return out;
    }
    static void Press(Gtk::Widget& widget, int x, GdkEventType type = GDK_BUTTON_PRESS) {
        SendButton(widget.gobj(), type, 1, x, 8);
    }
};

}  // namespace

TEST_F(StatusBarWidgetTest, StripIndicatorsAreToggleButtonsCheckedWhileLit) {
    // Their names, the default lighting and the strip's widths are checked
    // over AT-SPI in the real browser (status_smoke_test.py).
    EXPECT_EQ(atk_object_get_role(Strip()), ATK_ROLE_TOOL_BAR);
    ASSERT_EQ(atk_object_get_n_accessible_children(Strip()), 7);
    for (int i = 0; i < 7; ++i) {
        AtkObject* item = Indicator(i);
        EXPECT_EQ(atk_object_get_role(item), ATK_ROLE_TOGGLE_BUTTON);
        EXPECT_EQ(atk_object_get_index_in_parent(item), i);
        ASSERT_TRUE(ATK_IS_ACTION(item));
        EXPECT_STREQ(atk_action_get_name(ATK_ACTION(item), 0), "click");
        EXPECT_FALSE(HasState(item, ATK_STATE_SHOWING));  // collapsed
    }
    // Images off and scripts off light the first and the fifth.
    status.SetDownloadControl(0x60 | 0x80);
    flags = 0x60 | 0x80;
    EXPECT_EQ(Checked(), (std::vector<bool>{true, false, false, false, true, false, false}));

    // The click action flips the indicator's flag, collapsed or not.
    EXPECT_TRUE(atk_action_do_action(ATK_ACTION(Indicator(1)), 0));
    EXPECT_EQ(log, (std::vector<std::string>{"bit 64"}));
    EXPECT_TRUE(HasState(Indicator(1), ATK_STATE_CHECKED));
}

TEST_F(StatusBarWidgetTest, PointerClicksExpandToggleAndCollapseTheStrip) {
    DownloadControlStripWidget& strip = status.Strip();
    Press(strip, 1);
    Pump();
    EXPECT_EQ(status.DlcStyle(), 2);
    EXPECT_TRUE(HasState(Indicator(6), ATK_STATE_SHOWING));
    AtkComponent* box = ATK_COMPONENT(Indicator(2));
    int x, y, w, h;
    atk_component_get_extents(box, &x, &y, &w, &h, ATK_XY_PARENT);
    EXPECT_EQ(x, 1 + 2 * 17);
    EXPECT_EQ(w, 17);

    Press(strip, 1 + 6 * 17 + 3);  // ActiveX download
    EXPECT_TRUE(HasState(Indicator(6), ATK_STATE_CHECKED));
    Press(strip, 120);  // beside the icons
    Pump();
    EXPECT_EQ(status.DlcStyle(), 1);
    EXPECT_EQ(strip.get_allocated_width(), 4);
    EXPECT_EQ(log, (std::vector<std::string>{"style 2", "bit 1024", "style 1"}));
}

TEST_F(StatusBarWidgetTest, OfflineZoneAndLockIndicators) {
    EXPECT_EQ(Name(status), U8(u8"ステータス バー"));
    EXPECT_EQ(status.ProgressBar().get_text(), "0%");
    status.SetProgress(42);
    EXPECT_EQ(status.ProgressBar().get_text(), "42%");

    // Offline: a toggle that shows the state and reports clicks.
    Gtk::ToggleButton& offline = status.OfflineIndicator();
    EXPECT_EQ(Name(offline), U8(u8"オフライン作業"));
    status.SetOffline(true);
    EXPECT_TRUE(offline.get_active());
    offline.clicked();
    EXPECT_TRUE(offline.get_active());  // only SetOffline changes it

    // Zone: nothing for -1, a named button otherwise.
    Gtk::Button& zone = status.ZoneIndicator();
    EXPECT_FALSE(zone.get_visible());
    status.SetZone(3);
    EXPECT_TRUE(zone.get_visible());
    EXPECT_EQ(Name(zone), U8(u8"セキュリティ ゾーン: インターネット"));
    EXPECT_TRUE(atk_action_do_action(ATK_ACTION(gtk_widget_get_accessible(GTK_WIDGET(zone.gobj()))), 0));
    Pump();
    status.SetZone(-1);
    EXPECT_FALSE(zone.get_visible());

    // Lock: shown for secure levels; a double-click asks for the properties.
    Gtk::EventBox& lock = status.LockIndicator();
    EXPECT_FALSE(lock.get_child()->get_visible());
    status.SetSecureLock(6);
    Pump();
    Gtk::Widget* image = lock.get_child();
    EXPECT_TRUE(image->get_visible());
    EXPECT_EQ(Name(*image), U8(u8"保護された接続"));
    Press(lock, 4, GDK_2BUTTON_PRESS);
    status.SetSecureLock(8);  // a certificate error let through
    EXPECT_FALSE(image->get_visible());

    EXPECT_EQ(log, (std::vector<std::string>{"offline", "zone", "lock"}));
}
