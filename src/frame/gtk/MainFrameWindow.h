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
#include "frame/FrameUi.h"
#include "frame/MainFrame.h"
#include "frame/gtk/CommandPart.h"
#include "frame/gtk/SessionParts.h"

namespace fern {

class MainFrameWindow : public Gtk::Window, public IFrameUi {
public:
    // Gives the widget that shows a view's page.
    using PageWidgetOf = std::function<GtkWidget*(CFernView*)>;

    MainFrameWindow(CMainFrame& frame, PageWidgetOf pageWidget);
    ~MainFrameWindow() override;

    // The tab bar sits between the menu bar and the pages (or below them).
    void SetTabBar(Gtk::Widget& tabBar, bool below);
    // The address bar and the commands of closed tabs and logs.
    void SetSessionParts(SessionParts* parts);
    // Further command groups, asked in the order they were added.
    void AddCommandPart(ICommandPart* part) { m_commandParts.push_back(part); }
    // Called after the tab bar model changed.
    void SetTabBarRefresh(std::function<void()> refresh) { m_refreshTabBar = std::move(refresh); }

    // Runs a menu or key command.
    void Command(int id);
    // Asks for the window's attention (a later start handed over).
    void Attention();
    // The window is closing: save, then the main loop ends.
    void Close();
    StatusBarWidget& StatusBar() { return m_status; }
    void SetOnClosed(std::function<void()> onClosed) { m_onClosed = std::move(onClosed); }
    void SetAboutText(std::function<std::string()> aboutText) { m_aboutText = std::move(aboutText); }
    // Asked before the user closes the window (close button, "終了"); false keeps it open.
    void SetCloseGuard(std::function<bool()> mayClose) { m_mayClose = std::move(mayClose); }
    // What the status bar's indicators do when clicked; a double-click on
    // the lock always shows the page's properties.
    struct StatusHooks {
        std::function<void()> offlineClicked;
        std::function<void()> zoneClicked;
        std::function<void(std::uint32_t bit)> toggleDownloadControl;
        std::function<void(int style)> stripStyleChanged;
    };
    void SetStatusHooks(StatusHooks hooks);

    // IFrameUi
    void ViewCreated(CFernView* view) override;
    void PageMade(CFernView* view) override;
    void ViewDestroyed(CFernView* view) override;
    void ActiveViewChanged(CFernView* view) override;
    void TabsChanged() override;
    void SetCaption(const std::string& caption) override;
    void SetStatusText(const std::string& text) override;
    void SetProgress(int percent) override;
    void SetAddress(const std::string& url) override {
        if (m_parts) m_parts->SetAddress(url);
    }
    void SetSecureLock(int level) override { m_status.SetSecureLock(level); }
    void SetZone(int zone) override { m_status.SetZone(zone); }
    void SetOffline(bool offline) override { m_status.SetOffline(offline); }
    void ShowTabMenu(int index) override;
    void ShowTabBarMenu();

protected:
    bool on_delete_event(GdkEventAny* event) override;
    bool on_key_press_event(GdkEventKey* event) override;

private:
    CMainFrame& m_frame;
    PageWidgetOf m_pageWidget;
    Glib::RefPtr<Gtk::AccelGroup> m_accel;
    Gtk::Box m_box{Gtk::ORIENTATION_VERTICAL};
    Gtk::MenuBar m_menuBar;
    Gtk::Stack m_pages;
    Gtk::Box m_blank;  // shown while no tab is open
    StatusBarWidget m_status;
    Gtk::Menu* m_tabMenu = nullptr;
    Gtk::Menu* m_tabBarMenu = nullptr;
    std::map<CFernView*, Gtk::Widget*> m_pageOf;
    std::function<void()> m_refreshTabBar;
    std::function<void()> m_onClosed;
    std::function<std::string()> m_aboutText;
    std::function<bool()> m_mayClose;
    bool m_closed = false;
    sigc::connection m_showPending;
    SessionParts* m_parts = nullptr;
    std::vector<ICommandPart*> m_commandParts;

    bool IsChecked(int id);
    bool IsEnabled(int id);
    void PageCommand(int id);
    void ShowAbout();
    void ShowTabManager();
};

}  // namespace fern
