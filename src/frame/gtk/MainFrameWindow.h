#pragma once
// The main window: menu bar, tab bar, the pages of the tabs (one shown at a
// time) and the status bar. It mirrors the frame's state and hands commands
// and clicks to it.
#include <gtkmm.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "chrome/gtk/StatusBarWidget.h"
#include "commands/CommandRouter.h"
#include "commands/KeyManager.h"
#include "frame/FrameUi.h"
#include "frame/MainFrame.h"
#include "platform/Signal.h"
#include "ui/gtk/MenuBuilder.h"
#include "ui/gtk/WindowKeyFilter.h"

namespace fern {

// The named places of the window (MainFrameWindow.ui), top to bottom; the
// sides a bar docks to come last.
enum class WindowPlace {
    MenuBar,
    ToolBands,
    LinkBar,
    AddressBar,
    TabBarAbove,
    SideBar,
    Pages,
    TabBarBelow,
    StatusBar,
    DockTop,     // below the bands
    DockLeft,    // left of the side bar and the pages
    DockRight,   // right of the pages
    DockBottom,  // above the status bar
};

class MainFrameWindow : public Gtk::Window, public IFrameUi {
public:
    // Gives the widget that shows a view's page.
    using PageWidgetOf = std::function<GtkWidget*(CFernView*)>;

    MainFrameWindow(CMainFrame& frame, CCommandRouter& router, const CKeyManager& keys,
                    PageWidgetOf pageWidget);
    ~MainFrameWindow() override;

    // Puts a bar into its place (after what the place holds), or moves it
    // there from where it was.
    void Put(WindowPlace place, Gtk::Widget& bar);
    // The box of a place, for the bands that arrange the places at the top.
    Gtk::Box& PlaceBox(WindowPlace place) { return Place(place); }
    // The tab bar sits above the pages or below them.
    void SetTabBar(Gtk::Widget& tabBar, bool below) {
        Put(below ? WindowPlace::TabBarBelow : WindowPlace::TabBarAbove, tabBar);
    }
    // A bar that sees keys before the window's keys do.
    void SetKeyFilter(IWindowKeyFilter* filter) { m_keyFilter = filter; }
    // The active page's address, for whoever shows it.
    Signal<const std::string&> addressShown;
    // The window's own commands: exit, about, the tab manager, automatic refresh.
    void RegisterCommands(CCommandRouter& router);
    // The menus again, after the keys changed.
    void RebuildMenus();
    // A menu that builds itself, for the menu layout's Dynamic node `fill`;
    // `make` is asked for a new one each time the menus are rebuilt.
    using OwnMenuMaker = std::function<Gtk::Menu*(const SharedMenuContext& context)>;
    void AddOwnMenu(const std::string& fill, OwnMenuMaker make);
    // Called after the tab bar model changed.
    void SetTabBarRefresh(std::function<void()> refresh) { m_refreshTabBar = std::move(refresh); }

    // Runs a menu or key command.
    void Command(int id) { m_router.Run(id); }
    // Asks for the window's attention (a later start handed over).
    void Attention();
    // The window is closing: save, then the main loop ends.
    void Close();
    // The start-up's showing: nothing once the window has been shown (it may
    // be in the tray since) or closed. Whether it showed the window.
    bool ShowFirstTime();
    StatusBarWidget& StatusBar() { return m_status; }
    // Shows or hides a place with all it holds (full screen hides the bars').
    void ShowPlace(WindowPlace place, bool shown) { Place(place).set_visible(shown); }
    bool PlaceShown(WindowPlace place) { return Place(place).get_visible(); }
    void SetOnClosed(std::function<void()> onClosed) { m_onClosed = std::move(onClosed); }
    void SetAboutText(std::function<std::string()> aboutText) { m_aboutText = std::move(aboutText); }
    // Asked before the user closes the window (close button, "終了"); false keeps it open.
    void SetCloseGuard(std::function<bool()> mayClose) { m_mayClose = std::move(mayClose); }

    // IFrameUi
    void ViewCreated(CFernView* view) override;
    void PageMade(CFernView* view) override;
    void ViewDestroyed(CFernView* view) override;
    void ActiveViewChanged(CFernView* view) override;
    void TabsChanged() override;
    void SetCaption(const std::string& caption) override;
    void SetStatusText(const std::string& text) override;
    void SetProgress(int percent) override;
    void SetAddress(const std::string& url) override { addressShown.Emit(url); }
    void SetSecureLock(int level) override { m_status.SetSecureLock(level); }
    void SetZone(int zone) override { m_status.SetZone(zone); }
    void SetOffline(bool offline) override { m_status.SetOffline(offline); }
    void ShowTabMenu(int index) override;
    void ShowTabBarMenu();

protected:
    bool on_delete_event(GdkEventAny* event) override;
    // The menus are built when the window is first shown, once every
    // feature has added its own.
    void on_show() override;
    bool on_key_press_event(GdkEventKey* event) override;

private:
    CMainFrame& m_frame;
    CCommandRouter& m_router;
    const CKeyManager& m_keys;
    PageWidgetOf m_pageWidget;
    Glib::RefPtr<Gtk::Builder> m_layout;
    Gtk::MenuBar m_menuBar;
    Gtk::Stack m_pages;
    Gtk::Box m_blank;  // shown while no tab is open
    StatusBarWidget m_status;
    Gtk::Menu* m_tabMenu = nullptr;
    Gtk::Menu* m_tabBarMenu = nullptr;
    std::map<CFernView*, Gtk::Widget*> m_pageOf;
    std::map<std::string, OwnMenuMaker> m_ownMenus;
    std::function<void()> m_refreshTabBar;
    std::function<void()> m_onClosed;
    std::function<std::string()> m_aboutText;
    std::function<bool()> m_mayClose;
    bool m_closed = false;
    bool m_shownOnce = false;
    bool m_menusBuilt = false;
    sigc::connection m_showPending;
    IWindowKeyFilter* m_keyFilter = nullptr;

    void ShowAbout();
    void ShowTabManager();
    void AutoRefreshDialog(CFernView& view);
    // A key the user bound runs its command; false when it is not one.
    bool RunKeyCommand(GdkEventKey* event);
    Gtk::Box& Place(WindowPlace place);
};

}  // namespace fern
