// The tab bar widget in a real window: what assistive technologies see of
// it, its click action, the pointer reports and the layout modes.
#include <gtest/gtest.h>

#include <gtkmm.h>

#include <string>
#include <vector>

#include "frame/SessionTestFrame.h"
#include "frame/gtk/TabBarWidget.h"
#include "gui/GuiTestSupport.h"
#include "platform/fs/FileIo.h"
#include "platform/text/Encoding.h"

using namespace fern;
using namespace fern::test;

namespace {

// Records the reports; selecting updates the model as the frame does.
struct Recorder : ITabBarEvents {
    CTabBarModel* model = nullptr;
    TabBarWidget* widget = nullptr;
    std::vector<std::string> log;

    void Add(const char* what, int index) { log.push_back(std::string(what) + " " + std::to_string(index)); }
    void OnTabSelChange(int index) override {
        Add("sel", index);
        model->SetSelected(index);
        widget->Refresh();
    }
    void OnTabLButtonDblClick(int index) override { Add("ldbl", index); }
    void OnTabMButtonDown(int index) override { Add("mdown", index); }
    void OnTabMButtonDblClick(int index) override { Add("mdbl", index); }
    void OnTabRButtonClick(int index) override { Add("rclick", index); }
    void OnTabBarRButtonClick() override { Add("barrclick", -1); }
    void OnTabDragOut(int index) override { Add("dragout", index); }
    void OnTabDrop(const TabDropData&, int index, bool, bool) override { Add("drop", index); }
    void OnTabBookmarkDrop(const std::string&, int index, bool, bool) override { Add("bmdrop", index); }
    std::string TabTitle(int index) override { return "タイトル" + std::to_string(index); }
    std::string TabUrl(int index) override {
        return " http://127.0.0.1/a%20b/" + std::to_string(index) + " ";
    }
};

int g_views[64];  // stand-ins for the tabs' pages; never dereferenced
CFernView* View(int i) { return reinterpret_cast<CFernView*>(&g_views[i]); }

class TabBarWidgetTest : public ::testing::Test {
protected:
    // Before the members: widgets need a display.
    static void SetUpTestSuite() { InitGtkOnce(); }

    Gtk::Window window;
    Gtk::Box box{Gtk::ORIENTATION_VERTICAL};
    TabBarWidget bar;
    CTabBarModel model;
    Recorder events;

    void SetUp() override {
        model.Insert(0, "ホーム", View(0));
        model.Insert(1, "ソフトウェア一覧", View(1));
        model.Insert(2, "English page", View(2));
        model.SetSelected(0);
        events.model = &model;
        events.widget = &bar;
        bar.SetModel(&model);
        bar.SetEvents(&events);
        bar.LoadImages(ResFolder());
        box.pack_start(bar, Gtk::PACK_SHRINK);
        window.add(box);
        window.set_default_size(600, 120);
        window.show_all();
        Pump();
    }

    AtkObject* Accessible() { return gtk_widget_get_accessible(GTK_WIDGET(bar.gobj())); }

    AtkObject* Child(int i) { return AccessibleChild(Accessible(), i); }

    void Send(GdkEventType type, int button, int x, int y, guint32 time = GDK_CURRENT_TIME) {
        SendButton(GTK_WIDGET(bar.gobj()), type, button, x, y, time);
    }

    Gdk::Rectangle Box(int i) {
        Gdk::Rectangle r;
        EXPECT_TRUE(bar.ItemBox(i, r)) << "tab " << i;
        return r;
    }
};

}  // namespace

TEST_F(TabBarWidgetTest, AccessibleTreeShowsTabsAndSelection) {
    AtkObject* acc = Accessible();
    EXPECT_EQ(atk_object_get_role(acc), ATK_ROLE_PAGE_TAB_LIST);
    EXPECT_EQ(std::string(atk_object_get_name(acc)), U8(u8"タブ"));
    ASSERT_EQ(atk_object_get_n_accessible_children(acc), 3);
    // The tabs' names are read over AT-SPI in the real browser (smoke_test.py).
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(atk_object_get_role(Child(i)), ATK_ROLE_PAGE_TAB);
        EXPECT_EQ(atk_object_get_index_in_parent(Child(i)), i);
        EXPECT_EQ(atk_object_get_parent(Child(i)), acc);
        EXPECT_TRUE(HasState(Child(i), ATK_STATE_SELECTABLE));
        EXPECT_TRUE(HasState(Child(i), ATK_STATE_SHOWING));
        EXPECT_TRUE(HasState(Child(i), ATK_STATE_ENABLED));
        EXPECT_EQ(HasState(Child(i), ATK_STATE_SELECTED), i == 0);
    }
    ASSERT_TRUE(ATK_IS_SELECTION(acc));
    EXPECT_EQ(atk_selection_get_selection_count(ATK_SELECTION(acc)), 1);
    EXPECT_TRUE(atk_selection_is_child_selected(ATK_SELECTION(acc), 0));
    AtkObject* sel = atk_selection_ref_selection(ATK_SELECTION(acc), 0);
    EXPECT_EQ(sel, Child(0));
    if (sel) g_object_unref(sel);

    // The box on the screen is the button's box under the widget's origin.
    int ox = 0, oy = 0, x, y, w, h;
    gdk_window_get_origin(bar.get_window()->gobj(), &ox, &oy);
    atk_component_get_extents(ATK_COMPONENT(Child(1)), &x, &y, &w, &h, ATK_XY_SCREEN);
    Gdk::Rectangle b = Box(1);
    EXPECT_GT(w, 30);
    EXPECT_EQ(Gdk::Rectangle(x, y, w, h),
              Gdk::Rectangle(ox + b.get_x(), oy + b.get_y(), b.get_width(), b.get_height()));
}

TEST_F(TabBarWidgetTest, AccessibleTreeFollowsInsertDeleteRenameAndSelection) {
    AtkObject* acc = Accessible();
    ASSERT_EQ(atk_object_get_n_accessible_children(acc), 3);
    AtkObject* english = Child(2);
    std::vector<std::string> changes;
    g_signal_connect(
        acc, "children-changed", G_CALLBACK(+[](AtkObject*, guint index, gpointer, gpointer log) {
            static_cast<std::vector<std::string>*>(log)->push_back("changed " + std::to_string(index));
        }),
        &changes);
    g_signal_connect(acc, "selection-changed", G_CALLBACK(+[](AtkObject*, gpointer log) {
                         static_cast<std::vector<std::string>*>(log)->push_back("selection");
                     }),
                     &changes);
    g_signal_connect(english, "notify::accessible-name", G_CALLBACK(+[](GObject*, GParamSpec*, gpointer log) {
                         static_cast<std::vector<std::string>*>(log)->push_back("name");
                     }),
                     &changes);

    // Insert before the selected tab: it stays selected at its new index.
    model.Insert(0, "新しいタブ", View(3));
    bar.Refresh();
    EXPECT_EQ(changes, std::vector<std::string>{"changed 0"});
    ASSERT_EQ(atk_object_get_n_accessible_children(acc), 4);
    EXPECT_EQ(std::string(atk_object_get_name(Child(0))), U8(u8"新しいタブ"));
    EXPECT_EQ(Child(3), english);
    EXPECT_EQ(atk_object_get_index_in_parent(english), 3);
    EXPECT_TRUE(HasState(Child(1), ATK_STATE_SELECTED));
    EXPECT_FALSE(HasState(Child(0), ATK_STATE_SELECTED));

    // Delete the selected tab: no selection until the owner picks one.
    changes.clear();
    model.Delete(1);
    bar.Refresh();
    EXPECT_EQ(changes, (std::vector<std::string>{"changed 1", "selection"}));
    ASSERT_EQ(atk_object_get_n_accessible_children(acc), 3);
    EXPECT_EQ(atk_selection_get_selection_count(ATK_SELECTION(acc)), 0);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(HasState(Child(i), ATK_STATE_SELECTED));

    changes.clear();
    model.SetText(2, "名前が変わった");
    bar.Refresh();
    EXPECT_EQ(changes, std::vector<std::string>{"name"});
    EXPECT_EQ(std::string(atk_object_get_name(english)), U8(u8"名前が変わった"));

    // A swap keeps each object with its tab.
    AtkObject* first = Child(0);
    model.Swap(0, 2);
    bar.Refresh();
    EXPECT_EQ(Child(0), english);
    EXPECT_EQ(Child(2), first);
}

TEST_F(TabBarWidgetTest, ClickActionAndSelectionInterfaceSelectLikeAClick) {
    AtkObject* tab = Child(2);
    ASSERT_TRUE(ATK_IS_ACTION(tab));
    ASSERT_EQ(atk_action_get_n_actions(ATK_ACTION(tab)), 1);
    EXPECT_EQ(std::string(atk_action_get_name(ATK_ACTION(tab), 0)), "click");
    EXPECT_TRUE(atk_action_do_action(ATK_ACTION(tab), 0));
    EXPECT_EQ(events.log, std::vector<std::string>{"sel 2"});
    EXPECT_TRUE(HasState(tab, ATK_STATE_SELECTED));
    EXPECT_FALSE(HasState(Child(0), ATK_STATE_SELECTED));

    // Clicking the selected tab reports nothing.
    EXPECT_TRUE(atk_action_do_action(ATK_ACTION(tab), 0));
    EXPECT_EQ(events.log.size(), 1u);

    EXPECT_TRUE(atk_selection_add_selection(ATK_SELECTION(Accessible()), 1));
    EXPECT_FALSE(atk_selection_add_selection(ATK_SELECTION(Accessible()), 7));
    EXPECT_EQ(events.log, (std::vector<std::string>{"sel 2", "sel 1"}));
    EXPECT_TRUE(atk_selection_is_child_selected(ATK_SELECTION(Accessible()), 1));
}

TEST_F(TabBarWidgetTest, PointerPressesReportTheButtonHit) {
    Gdk::Rectangle b1 = Box(1), b2 = Box(2);
    int cx1 = b1.get_x() + b1.get_width() / 2, cy = b1.get_y() + b1.get_height() / 2;
    int cx2 = b2.get_x() + b2.get_width() / 2;
    int outside = b2.get_x() + b2.get_width() + 40;
    EXPECT_EQ(bar.HitTest(cx1, cy), 1);
    EXPECT_EQ(bar.HitTest(outside, cy), -1);

    Send(GDK_BUTTON_PRESS, 1, cx1, cy);
    Send(GDK_BUTTON_RELEASE, 1, cx1, cy);
    Send(GDK_BUTTON_PRESS, 1, cx1, cy);  // already selected: no report
    Send(GDK_2BUTTON_PRESS, 1, cx1, cy);
    Send(GDK_BUTTON_RELEASE, 1, cx1, cy);
    Send(GDK_BUTTON_PRESS, 1, outside, cy);
    Send(GDK_2BUTTON_PRESS, 1, outside, cy);
    Send(GDK_BUTTON_RELEASE, 1, outside, cy);
    Send(GDK_BUTTON_PRESS, 3, cx2, cy);
    Send(GDK_BUTTON_PRESS, 3, outside, cy);
    // Middle: two quick presses are a press and a double click; GDK's own
    // double-click event adds nothing; a slow third press is a press again.
    Send(GDK_BUTTON_PRESS, 2, cx2, cy, 1000);
    Send(GDK_BUTTON_PRESS, 2, cx2, cy, 1100);
    Send(GDK_2BUTTON_PRESS, 2, cx2, cy, 1100);
    Send(GDK_BUTTON_PRESS, 2, cx2, cy, 1150);
    Send(GDK_BUTTON_PRESS, 2, cx1, cy, 5000);
    EXPECT_EQ(events.log, (std::vector<std::string>{"sel 1", "ldbl 1", "ldbl -1", "rclick 2", "barrclick -1",
                                                    "mdown 2", "mdbl 2", "mdown 2", "mdown 1"}));
    EXPECT_EQ(model.Selected(), 1);

    // Hover marks the hot button until the pointer leaves.
    SendMotion(GTK_WIDGET(bar.gobj()), cx2, cy);
    EXPECT_EQ(bar.Hot(), 2);
    GdkEvent* leave = gdk_event_new(GDK_LEAVE_NOTIFY);
    leave->crossing.window = GDK_WINDOW(g_object_ref(bar.get_window()->gobj()));
    gtk_widget_event(GTK_WIDGET(bar.gobj()), leave);
    gdk_event_free(leave);
    EXPECT_EQ(bar.Hot(), -1);
}

TEST_F(TabBarWidgetTest, UnreadableImagesLeaveButtonsWithoutImages) {
    model.SetImage(0, 2);
    model.SetImage(1, 9);  // past the strip: drawn without an image
    bar.Refresh();
    int withImage = Box(0).get_width();
    int beyondStrip = Box(1).get_width();

    const std::string folder = MakeTempDir("fern-tabbar-XXXXXX");
    EXPECT_FALSE(bar.LoadImages(folder + "/missing"));
    EXPECT_EQ(Box(0).get_width(), withImage - 11);
    EXPECT_EQ(Box(1).get_width(), beyondStrip);
    ASSERT_TRUE(WriteFileAtomic(folder + "/ti.bmp", "BM not a bitmap"));
    EXPECT_FALSE(bar.LoadImages(folder));
    Pump();  // draws without images
    EXPECT_TRUE(bar.LoadImages(ResFolder()));
    EXPECT_EQ(Box(0).get_width(), withImage);
    RemoveTree(folder);
}

TEST_F(TabBarWidgetTest, SingleRowScrollsToKeepTheSelectedTabInView) {
    window.resize(300, 60);
    for (int i = 3; i < 20; ++i) model.Insert(i, "タブ番号 " + std::to_string(i), View(i));
    bar.Refresh();
    Pump();
    ASSERT_LE(bar.get_allocated_width(), 320);
    EXPECT_TRUE(bar.Scrolling());
    EXPECT_EQ(bar.FirstVisible(), 0);

    model.SetSelected(15);
    bar.Refresh();
    Gdk::Rectangle r;
    EXPECT_TRUE(bar.ItemBox(15, r));
    EXPECT_GT(bar.FirstVisible(), 0);
    EXPECT_LE(r.get_x() + r.get_width(), bar.get_allocated_width());
    EXPECT_FALSE(bar.ItemBox(0, r));
    EXPECT_FALSE(HasState(Child(0), ATK_STATE_SHOWING));
    EXPECT_TRUE(HasState(Child(15), ATK_STATE_SHOWING));

    // A button scrolled out is not hit; scrolling back shows it again.
    int first = bar.FirstVisible();
    bar.ScrollBy(-first);
    EXPECT_EQ(bar.FirstVisible(), 0);
    EXPECT_TRUE(bar.ItemBox(0, r));

    // All tabs fitting again resets the scroll.
    bar.ScrollBy(3);
    for (int i = 19; i >= 2; --i) model.Delete(i);
    bar.Refresh();
    EXPECT_FALSE(bar.Scrolling());
    EXPECT_EQ(bar.FirstVisible(), 0);
}

TEST_F(TabBarWidgetTest, MultiLineShowsEveryTabInRows) {
    window.resize(300, 60);
    for (int i = 3; i < 20; ++i) model.Insert(i, "タブ番号 " + std::to_string(i), View(i));
    TabBarSettings v;
    v.multiLine = true;
    v.fixedWidth = true;
    v.fixedSize = 90;
    bar.SetLook(MakeTabBarLook(v));
    Pump();
    EXPECT_FALSE(bar.Scrolling());
    Gdk::Rectangle first, last;
    ASSERT_TRUE(bar.ItemBox(0, first));
    ASSERT_TRUE(bar.ItemBox(19, last));
    EXPECT_EQ(first.get_width(), 90);
    EXPECT_GT(last.get_y(), first.get_y());
    EXPECT_GE(bar.get_allocated_height(), last.get_y() + last.get_height());
    EXPECT_EQ(bar.HitTest(last.get_x() + 5, last.get_y() + 5), 19);
}

TEST_F(TabBarWidgetTest, DragOutWritesTheShortcutFile) {
    const std::string temp = MakeTempDir("fern-tabbar-XXXXXX");
    bar.SetTempFolder(temp);
    Gdk::Rectangle b = Box(1);
    int x = b.get_x() + 5, y = b.get_y() + 5;
    Send(GDK_BUTTON_PRESS, 1, x, y);
    auto motion = [&](int dx) { SendMotion(GTK_WIDGET(bar.gobj()), x + dx, y, GDK_BUTTON1_MASK); };
    Glib::RefPtr<Gdk::DragContext> drag;
    bar.signal_drag_begin().connect([&](const Glib::RefPtr<Gdk::DragContext>& c) { drag = c; });
    motion(7);  // still inside the box
    EXPECT_EQ(events.log, std::vector<std::string>{"sel 1"});
    motion(8);
    EXPECT_EQ(events.log, (std::vector<std::string>{"sel 1", "dragout 1"}));
    EXPECT_EQ(ReadWholeFile(temp + "/" + ToUtf8("タイトル1.url")),
              std::optional<std::string>("[InternetShortcut]\r\nURL=http://127.0.0.1/a b/1\r\n"));
    ASSERT_TRUE(drag);  // the drag really started; end it so no grab stays
    gtk_drag_cancel(drag->gobj());
    Send(GDK_BUTTON_RELEASE, 1, x + 8, y);
    Pump();
    RemoveTree(temp);
}

// The adapter that the main window puts between the bar and the tab manager.
TEST(TabBarFrameEvents, DropsAndClicksReachTheTabManager) {
    SessionTestFrame session;
    CMainFrame& frame = session.frame;
    int menus = 0;
    TabBarFrameEvents events(
        frame, [](const std::string& t) { return "http://" + t + "/"; }, [&] { ++menus; });
    frame.OpenUrl("http://a/", 3, 0x70, 0);
    frame.OpenUrl("http://b/", 3, 0x70, 0);
    ASSERT_EQ(frame.TabCount(), 2);

    TabDropData text;
    text.text = "  c \r\n";
    events.OnTabDrop(text, 1, false, false);
    EXPECT_EQ(frame.ViewAt(1)->Url(), "http://c/");
    events.OnTabDrop(text, 1, true, false);
    EXPECT_EQ(frame.TabCount(), 3);

    TabDropData marks;
    marks.kind = TabDropData::Kind::Bookmarks;
    marks.bookmarks = {DroppedBookmark{"http://d/", 0x10, 0}};
    events.OnTabDrop(marks, 0, false, false);
    EXPECT_EQ(frame.ViewAt(0)->Url(), "http://d/");
    EXPECT_EQ(frame.ViewAt(0)->DownloadControlFlags(), 0x10u);

    events.OnTabSelChange(2);
    EXPECT_EQ(frame.Tabs().Selected(), 2);
    EXPECT_EQ(events.TabUrl(2), "http://c/");
    EXPECT_EQ(events.TabUrl(9), "");
    events.OnTabBarRButtonClick();
    EXPECT_EQ(menus, 1);
}
