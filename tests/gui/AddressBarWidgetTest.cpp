// The address bar in a real window: what assistive technologies see, the
// keys of the edit and of the open list, picks, the go button and the
// shortcut files left by drags.
#include <gtest/gtest.h>

#include <gtkmm.h>

#include <string>
#include <vector>

#include "addressbar/gtk/AddressBarWidget.h"
#include "gui/GuiTestSupport.h"
#include "platform/fs/FileIo.h"
#include "platform/text/Encoding.h"

using namespace fern;
using namespace fern::test;

namespace {

// A key press (and release) as the keyboard would deliver it to the window
// of `widget` (and from there to the focus widget or the grabbing menu).
void Key(GtkWidget* widget, guint keyval, guint state = 0) {
    GdkDisplay* display = gdk_display_get_default();
    for (GdkEventType type : {GDK_KEY_PRESS, GDK_KEY_RELEASE}) {
        GdkEvent* event = gdk_event_new(type);
        event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(widget)));
        event->key.keyval = keyval;
        event->key.state = state;
        event->key.send_event = TRUE;
        event->key.time = GDK_CURRENT_TIME;
        GdkKeymapKey* keys = nullptr;
        gint count = 0;
        if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(display), keyval, &keys, &count) &&
            count)
            event->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
        g_free(keys);
        gdk_event_set_device(event, gdk_seat_get_keyboard(gdk_display_get_default_seat(display)));
        gtk_main_do_event(event);
        gdk_event_free(event);
    }
    Pump();
}

struct Open {
    std::string text;
    int flags;
    bool operator==(const Open&) const = default;
};

class AddressBarWidgetTest : public ::testing::Test {
protected:
    AddressBarSettings settings;
    std::unique_ptr<CAddressBar> bar;
    std::unique_ptr<Gtk::Window> window;
    AddressBarWidget* widget = nullptr;
    std::vector<Open> opened;
    std::vector<guint> pageKeys;
    std::string folder, temp;

    void SetUp() override {
        InitGtkOnce();
        settings.style = 0x1 | 0x8;
        settings.showLabel = true;
        settings.goButton = true;
        settings.urlLimit = 128;
        settings.goButtonLabel = "移動";
        settings.addUrlFront = "http://127.0.0.1:9/";
        settings.addUrlBack = ".html";
        folder = MakeTempDir("fern-ab-XXXXXX");
        temp = folder + "/~FBISTMP00";
        Make();
    }
    // The bar in `own` window, or in a plain one.
    void Make(Gtk::Window* own = nullptr) {
        bar = std::make_unique<CAddressBar>(settings);
        // The frame's open: the page takes the address, then the bar's
        // typed-list step runs.
        bar->SetOpener([this](const std::string& t, int f, std::uint32_t, int) {
            opened.push_back({t, f});
            bar->OnOpened(t, f);
        });
        window.reset(own ? own : new Gtk::Window);
        window->set_default_size(600, 60);
        widget = Gtk::manage(new AddressBarWidget(*bar, temp));
        AddressBarWidget::Hooks hooks;
        hooks.hasPage = [] { return true; };
        hooks.keyToPage = [this](guint k) { pageKeys.push_back(k); };
        widget->SetHooks(hooks);
        window->add(*widget);
        window->show_all();
        Pump();
    }
    void TearDown() override {
        window.reset();
        Pump();
        RemoveTree(folder);
    }
    GtkWidget* EntryWidget() { return GTK_WIDGET(widget->Entry().gobj()); }
    void Type(const char* utf8) {
        widget->Entry().grab_focus();
        widget->Entry().set_text(utf8);
    }
};

}  // namespace

TEST_F(AddressBarWidgetTest, AccessibleNamesLabelAndGoButton) {
    EXPECT_EQ(std::string(atk_object_get_name(widget->Combo().get_accessible()->gobj())), U8(u8"アドレス"));
    EXPECT_EQ(std::string(atk_object_get_name(widget->Entry().get_accessible()->gobj())), U8(u8"アドレス"));
    EXPECT_EQ(atk_object_get_role(widget->Combo().get_accessible()->gobj()), ATK_ROLE_COMBO_BOX);
    EXPECT_TRUE(widget->Label().get_visible());
    EXPECT_EQ(widget->Label().get_text(), U8(u8"アドレス(D)"));
    EXPECT_TRUE(widget->GoButton().get_visible());
    Type("http://127.0.0.1/a");
    // The image-only go button is named by its tip.
    EXPECT_EQ(std::string(atk_object_get_name(widget->GoButton().get_accessible()->gobj())),
              U8(u8"\"http://127.0.0.1/a\"\n  へ移動"));

    settings.showLabel = false;
    settings.goButtonText = true;
    bar->ApplyStyle();
    EXPECT_FALSE(widget->Label().get_visible());
    EXPECT_EQ(widget->GoButton().get_label(), U8(u8"移動"));
    settings.goButton = false;
    bar->ApplyStyle();
    EXPECT_FALSE(widget->GoButton().get_visible());
}

TEST_F(AddressBarWidgetTest, EnterOpensThroughTheCallbackAndFillsTheList) {
    Type("http://127.0.0.1:9/page");
    Key(EntryWidget(), GDK_KEY_Return);
    Type("name");
    Key(EntryWidget(), GDK_KEY_Return, GDK_CONTROL_MASK | GDK_SHIFT_MASK);
    Type("");
    Key(EntryWidget(), GDK_KEY_Return);  // nothing to open
    Type("http://127.0.0.1:9/page/");
    Key(EntryWidget(), GDK_KEY_KP_Enter, GDK_MOD1_MASK);
    EXPECT_EQ(opened, (std::vector<Open>{{"http://127.0.0.1:9/page", 0xE},
                                         {"http://127.0.0.1:9/name.html", 0xF},
                                         {"view-source:http://127.0.0.1:9/page/", 0xE}}));
    EXPECT_EQ(widget->Entry().get_text(), "view-source:http://127.0.0.1:9/page/");
    // The list shows the typed addresses, most recent first.
    GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(widget->Combo().gobj()));
    EXPECT_EQ(gtk_tree_model_iter_n_children(model, nullptr), 3);
    EXPECT_EQ(bar->TypedUrls().front(), "view-source:http://127.0.0.1:9/page/");

    // Tab and F6 go to the page; Ctrl+A selects the whole edit.
    Key(EntryWidget(), GDK_KEY_Tab);
    Key(EntryWidget(), GDK_KEY_F6);
    EXPECT_EQ(pageKeys, (std::vector<guint>{GDK_KEY_Tab, GDK_KEY_F6}));
    widget->Entry().select_region(0, 0);
    Key(EntryWidget(), GDK_KEY_a, GDK_CONTROL_MASK);
    int start = 0, end = 0;
    EXPECT_TRUE(widget->Entry().get_selection_bounds(start, end));
    EXPECT_EQ(end - start, static_cast<int>(widget->Entry().get_text_length()));

    // The go button opens the edit's text like Enter.
    Type("http://127.0.0.1:9/go");
    widget->GoButton().clicked();
    Pump();
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_EQ(opened[3], (Open{"http://127.0.0.1:9/go", 0xE}));
}

TEST_F(AddressBarWidgetTest, DownOpensTheListUpOnItsFirstItemReturnsAndAPickOpens) {
    bar->SetTypedUrls({"http://127.0.0.1:9/one", "http://127.0.0.1:9/two"});
    Type("x");
    Key(EntryWidget(), GDK_KEY_Down);
    EXPECT_TRUE(bar->DroppedDown());
    EXPECT_TRUE(widget->Combo().property_popup_shown());
    AtkObject* popupAccessible = gtk_combo_box_get_popup_accessible(GTK_COMBO_BOX(widget->Combo().gobj()));
    ASSERT_NE(popupAccessible, nullptr);
    GtkWidget* menu = gtk_accessible_get_widget(GTK_ACCESSIBLE(popupAccessible));
    ASSERT_TRUE(menu && GTK_IS_MENU_SHELL(menu));
    GList* items = gtk_container_get_children(GTK_CONTAINER(menu));
    ASSERT_EQ(g_list_length(items), 2u);
    gtk_menu_shell_select_item(GTK_MENU_SHELL(menu), GTK_WIDGET(items->data));
    Key(menu, GDK_KEY_Up);
    EXPECT_FALSE(bar->DroppedDown());
    EXPECT_TRUE(widget->Entry().is_focus());
    EXPECT_TRUE(opened.empty());

    // F4 opens the list; choosing the second item opens it.
    Key(EntryWidget(), GDK_KEY_F4);
    EXPECT_TRUE(bar->DroppedDown());
    g_list_free(items);
    items = gtk_container_get_children(GTK_CONTAINER(menu));
    gtk_menu_shell_activate_item(GTK_MENU_SHELL(menu), GTK_WIDGET(g_list_nth_data(items, 1)), TRUE);
    g_list_free(items);
    Pump();
    EXPECT_FALSE(bar->DroppedDown());
    EXPECT_EQ(opened, (std::vector<Open>{{"http://127.0.0.1:9/two", 0xA}}));
    EXPECT_EQ(bar->TypedUrls().front(), "http://127.0.0.1:9/two");

    // Setting the address from the program opens nothing.
    widget->Combo().set_active(1);
    widget->SetText("http://127.0.0.1:9/page");
    Pump();
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(widget->Text(), "http://127.0.0.1:9/page");

    // Escape on the open list closes it.
    Key(EntryWidget(), GDK_KEY_Down);
    EXPECT_TRUE(bar->DroppedDown());
    Key(menu, GDK_KEY_Escape);
    EXPECT_FALSE(bar->DroppedDown());
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(AddressBarWidgetTest, ShortcutFilesOfDragsGoWithTheBar) {
    ASSERT_EQ(g_mkdir_with_parents((temp + "/sub").c_str(), 0700), 0);
    ASSERT_TRUE(WriteFileAtomic(temp + "/ページ.url", "[InternetShortcut]\r\nURL=http://a\r\n"));
    ASSERT_TRUE(WriteFileAtomic(temp + "/sub/b.URL", "x"));
    ASSERT_TRUE(WriteFileAtomic(temp + "/keep.txt", "x"));
    window.reset();
    Pump();
    EXPECT_FALSE(IsRegularFile(temp + "/ページ.url"));
    EXPECT_FALSE(IsDirectory(temp + "/sub"));
    EXPECT_TRUE(IsRegularFile(temp + "/keep.txt"));
    Make();
}

TEST_F(AddressBarWidgetTest, TheBarsKeysComeBeforeTheWindowsAccelerators) {
    // The window's Escape stops the page; in the edit it belongs to the bar.
    struct Window : Gtk::Window {
        AddressBarWidget* bar = nullptr;
        bool on_key_press_event(GdkEventKey* event) override {
            return (bar && bar->PreTranslateKey(event)) || Gtk::Window::on_key_press_event(event);
        }
    };
    window.reset();
    auto* own = new Window();
    Make(own);
    own->bar = widget;
    int stops = 0;
    auto accel = Gtk::AccelGroup::create();
    own->add_accel_group(accel);
    GClosure* closure = g_cclosure_new(
        G_CALLBACK(+[](GtkAccelGroup*, GObject*, guint, GdkModifierType, gpointer count) -> gboolean {
            ++*static_cast<int*>(count);
            return TRUE;
        }),
        &stops, nullptr);
    gtk_accel_group_connect(accel->gobj(), GDK_KEY_Escape, GdkModifierType(0), GTK_ACCEL_VISIBLE, closure);
    bar->SetTypedUrls({"http://127.0.0.1:9/one"});
    widget->Entry().grab_focus();
    Key(EntryWidget(), GDK_KEY_Down);
    EXPECT_TRUE(bar->DroppedDown());
    widget->CloseList();
    Pump();
    Key(EntryWidget(), GDK_KEY_Escape);
    EXPECT_EQ(stops, 0);
    EXPECT_TRUE(widget->Entry().is_focus());
    // Elsewhere the accelerator works as before.
    widget->GoButton().set_can_focus(true);
    widget->GoButton().grab_focus();
    Key(EntryWidget(), GDK_KEY_Escape);
    EXPECT_EQ(stops, 1);
}
