#include "frame/gtk/MainFrameWindow.h"

#include <cstdio>

#include "commands/CommandIds.h"
#include "commands/MenuLayout.h"
#include "frame/gtk/TabManagerDialog.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/AccessibleName.h"
#include "ui/gtk/MenuBuilder.h"
#include "ui/gtk/UiResources.h"
#include "ui/gtk/VirtualKeys.h"

namespace fern {

namespace {
const char kProgramName[] = "Fern Browser";
}  // namespace

MainFrameWindow::MainFrameWindow(CMainFrame& frame, CCommandRouter& router, const CKeyManager& keys,
                                 PageWidgetOf pageWidget)
    : m_frame(frame), m_router(router), m_keys(keys), m_pageWidget(std::move(pageWidget)) {
    set_title(kProgramName);
    set_default_size(1024, 720);
    m_layout = LoadUi("MainFrameWindow.ui");
    Gtk::Box* content = nullptr;
    m_layout->get_widget("content", content);
    add(*content);
    m_pages.set_hexpand(true);
    m_pages.set_vexpand(true);
    m_pages.add(m_blank, "blank");
    // Read by its name, so the bars around it can be told apart from it.
    SetAccessibleName(m_pages, "ページ");
    Put(WindowPlace::MenuBar, m_menuBar);
    Put(WindowPlace::Pages, m_pages);
    Put(WindowPlace::StatusBar, m_status);
    content->show_all();
    // A double-click on the lock always shows the page's properties.
    m_status.lockDoubleClicked.ConnectForever([this] { Command(ID_PAGE_PROPERTIES); });
    m_status.SetOffline(m_frame.IsOffline());
    m_status.SetDownloadControl(DefaultDownloadControl(m_frame.Settings()));
    m_frame.SetUi(this);
}

MainFrameWindow::~MainFrameWindow() {
    m_showPending.disconnect();
    m_frame.SetUi(nullptr);
}

void MainFrameWindow::on_show() {
    m_shownOnce = true;
    if (!m_menusBuilt) RebuildMenus();
    Gtk::Window::on_show();
}

void MainFrameWindow::RebuildMenus() {
    m_menusBuilt = true;
    auto context = std::make_shared<MenuContext>();
    context->router = &m_router;
    context->keys = &m_keys;
    context->run = [this](int id) { Command(id); };
    context->prompt = [this](const std::string& prompt) { m_status.SetText(prompt); };
    // The context lives as long as the menus it made; it must not keep itself alive.
    std::weak_ptr<const MenuContext> self = context;
    context->ownMenu = [this, self](const std::string& fill) -> Gtk::Menu* {
        auto it = m_ownMenus.find(fill);
        SharedMenuContext shared = self.lock();
        return it != m_ownMenus.end() && shared ? it->second(shared) : nullptr;
    };
    FillMenuBar(m_menuBar, MainMenuBar(), context);
    m_tabMenu = BuildMenu(TabMenu(), context);
    m_tabMenu->attach_to_widget(*this);
    // Tab commands act on the right-clicked tab only while its menu is open.
    m_tabMenu->signal_deactivate().connect(
        [this] { Glib::signal_idle().connect_once([this] { m_frame.SetRightClicked(-1); }); });
    m_tabBarMenu = BuildMenu(TabBarMenu(), context);
    m_tabBarMenu->attach_to_widget(*this);
}

void MainFrameWindow::AddOwnMenu(const std::string& fill, OwnMenuMaker make) {
    m_ownMenus[fill] = std::move(make);
    if (m_menusBuilt) RebuildMenus();
}

Gtk::Box& MainFrameWindow::Place(WindowPlace place) {
    static const char* const names[] = {
        "menuBarPlace",  "toolBandsPlace", "linkBarPlace",     "addressBarPlace", "tabBarAbovePlace",
        "sideBarPlace",  "pagesPlace",     "tabBarBelowPlace", "statusBarPlace",  "dockTopPlace",
        "dockLeftPlace", "dockRightPlace", "dockBottomPlace"};
    Gtk::Box* box = nullptr;
    m_layout->get_widget(names[static_cast<int>(place)], box);
    return *box;
}

void MainFrameWindow::Put(WindowPlace place, Gtk::Widget& bar) {
    Gtk::Box& box = Place(place);
    if (bar.get_parent() == &box) return;
    if (Gtk::Container* old = bar.get_parent()) {
        // Kept alive while it moves: the old place holds the only reference
        // of a widget nobody else owns.
        g_object_ref(bar.gobj());
        old->remove(bar);
        box.pack_start(bar, place == WindowPlace::Pages ? Gtk::PACK_EXPAND_WIDGET : Gtk::PACK_SHRINK);
        g_object_unref(bar.gobj());
    } else {
        box.pack_start(bar, place == WindowPlace::Pages ? Gtk::PACK_EXPAND_WIDGET : Gtk::PACK_SHRINK);
    }
    bar.show();
}

// Commands -------------------------------------------------------------------------

void MainFrameWindow::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_APP_EXIT, [this] {
        if (!m_mayClose || m_mayClose()) Close();
    });
    router.Add(ID_APP_ABOUT, [this] { ShowAbout(); });
    router.Add(ID_TAB_MANAGER, {[this] { ShowTabManager(); }, [this] { return m_frame.TabCount() > 0; }, {}});
    auto target = [this] { return m_frame.ViewAt(m_frame.TargetTab()); };
    router.Add(ID_TAB_AUTO_REFRESH_START, {[this, target] {
                                               CFernView* view = target();
                                               m_frame.SetRightClicked(-1);
                                               if (view) AutoRefreshDialog(*view);
                                           },
                                           [target] { return target() != nullptr; },
                                           [target] { return target() && target()->AutoRefreshRunning(); }});
    router.Add(ID_TAB_AUTO_REFRESH_STOP, {[this, target] {
                                              CFernView* view = target();
                                              m_frame.SetRightClicked(-1);
                                              if (view) view->StopAutoRefresh();
                                          },
                                          [target] { return target() != nullptr; },
                                          [target] { return target() && !target()->AutoRefreshRunning(); }});
}

void MainFrameWindow::AutoRefreshDialog(CFernView& view) {
    Gtk::Dialog dialog(ToUtf8("自動更新間隔"), *this, true);
    Gtk::SpinButton seconds(Gtk::Adjustment::create(view.AutoRefreshIntervalMs() / 1000, 0, 86400, 1, 10));
    Gtk::Label unit(ToUtf8("秒"));
    Gtk::Box row(Gtk::ORIENTATION_HORIZONTAL, 6);
    row.set_border_width(8);
    row.pack_start(seconds);
    row.pack_start(unit, Gtk::PACK_SHRINK);
    dialog.get_content_area()->pack_start(row);
    dialog.add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
    dialog.add_button("OK", Gtk::RESPONSE_OK);
    dialog.set_default_response(Gtk::RESPONSE_OK);
    seconds.set_activates_default(true);
    dialog.show_all();
    if (dialog.run() == Gtk::RESPONSE_OK) view.StartAutoRefresh(seconds.get_value_as_int());
}

void MainFrameWindow::Attention() { present(); }

bool MainFrameWindow::ShowFirstTime() {
    if (m_shownOnce || m_closed) return false;
    show();
    return true;
}

void MainFrameWindow::Close() {
    if (m_closed) return;
    m_closed = true;
    m_frame.SaveOnExit(true, false);
    hide();
    if (m_onClosed) m_onClosed();
}

bool MainFrameWindow::RunKeyCommand(GdkEventKey* event) {
    std::optional<KeyBinding> key = KeyOfEvent(event);
    if (!key) return false;
    std::optional<int> id = m_keys.CommandOfKey(*key);
    if (!id || !m_router.Has(*id)) return false;
    // A key of a command that is not available now does nothing, as its
    // menu item would.
    m_router.Run(*id);
    return true;
}

// The address bar's keys (Enter, Esc, ...) come before the user's keys while
// its edit has the focus; a text field gets plain keys (letters, Delete)
// and everything while an input method composes, before any command.
bool MainFrameWindow::on_key_press_event(GdkEventKey* event) {
    if (m_keyFilter && m_keyFilter->Composing()) return gtk_window_propagate_key_event(gobj(), event);
    if (m_keyFilter && m_keyFilter->PreTranslateKey(event)) return true;
    Gtk::Widget* focus = get_focus();
    bool textField = focus && (dynamic_cast<Gtk::Editable*>(focus) || dynamic_cast<Gtk::TextView*>(focus));
    bool commandModifier = (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) != 0;
    bool functionKey =
        (event->keyval >= GDK_KEY_F1 && event->keyval <= GDK_KEY_F35) || event->keyval == GDK_KEY_Escape;
    if (textField && !commandModifier && !functionKey && gtk_window_propagate_key_event(gobj(), event))
        return true;
    if (focus && focus->get_data(kOwnKeysData) && gtk_window_propagate_key_event(gobj(), event)) return true;
    if (RunKeyCommand(event)) return true;
    return Gtk::Window::on_key_press_event(event);
}

bool MainFrameWindow::on_delete_event(GdkEventAny*) {
    if (!m_mayClose || m_mayClose()) Close();
    return true;
}

void MainFrameWindow::ShowAbout() {
    Gtk::Dialog dialog("About Fern Browser", *this, true);
    Gtk::Label text;
    text.set_selectable(true);
    text.set_margin_start(16);
    text.set_margin_end(16);
    text.set_margin_top(12);
    text.set_margin_bottom(12);
    text.set_text(m_aboutText ? ToUtf8(m_aboutText()) : std::string(kProgramName));
    dialog.get_content_area()->pack_start(text);
    dialog.add_button("OK", Gtk::RESPONSE_OK);
    dialog.show_all();
    dialog.run();
}

void MainFrameWindow::ShowTabManager() {
    if (m_frame.TabCount() == 0) return;
    TabManagerDialog dialog(*this, m_frame);
    dialog.run();
}

void MainFrameWindow::ShowTabMenu(int) {
    if (m_tabMenu) m_tabMenu->popup_at_pointer(nullptr);
}

void MainFrameWindow::ShowTabBarMenu() {
    if (m_tabBarMenu) m_tabBarMenu->popup_at_pointer(nullptr);
}

// Frame state ------------------------------------------------------------------------

void MainFrameWindow::ViewCreated(CFernView* view) {
    // A restored tab has no page yet; PageMade brings it.
    GtkWidget* page = m_pageWidget ? m_pageWidget(view) : nullptr;
    if (!page || m_pageOf.count(view)) return;
    Gtk::Widget* widget = Glib::wrap(page);
    m_pageOf[view] = widget;
    m_pages.add(*widget);
    widget->show();
}

void MainFrameWindow::PageMade(CFernView* view) {
    ViewCreated(view);
    auto it = m_pageOf.find(view);
    if (it != m_pageOf.end() && view == m_frame.ActiveView() && !m_showPending.connected())
        m_pages.set_visible_child(*it->second);
}

void MainFrameWindow::ViewDestroyed(CFernView* view) {
    auto it = m_pageOf.find(view);
    if (it == m_pageOf.end()) return;
    m_pages.remove(*it->second);
    m_pageOf.erase(it);
    if (!m_frame.ActiveView() || m_frame.ActiveView() == view) m_pages.set_visible_child(m_blank);
}

void MainFrameWindow::ActiveViewChanged(CFernView* view) {
    SetProgress(view ? view->ProgressPercent() : 0);
    // A bulk close selects one tab after another; only the last one is shown,
    // so no page comes up just to be closed.
    if (m_showPending.connected()) return;
    m_showPending = Glib::signal_idle().connect(
        [this] {
            auto it = m_pageOf.find(m_frame.ActiveView());
            // A selected tab whose page is still to be made shows nothing of
            // the tab before it.
            if (it != m_pageOf.end()) m_pages.set_visible_child(*it->second);
            else m_pages.set_visible_child(m_blank);
            return false;
        },
        Glib::PRIORITY_HIGH_IDLE);
}

void MainFrameWindow::TabsChanged() {
    if (m_refreshTabBar) m_refreshTabBar();
}

void MainFrameWindow::SetCaption(const std::string& caption) {
    if (caption.empty()) set_title(kProgramName);
    else set_title(ToUtf8(caption) + " - " + kProgramName);
}

void MainFrameWindow::SetStatusText(const std::string& text) { m_status.SetText(text); }

void MainFrameWindow::SetProgress(int percent) { m_status.SetProgress(percent); }

}  // namespace fern
