#include "frame/gtk/MainFrameWindow.h"

#include <cstdio>

#include "frame/CommandIds.h"
#include "frame/gtk/MainMenus.h"
#include "frame/gtk/TabManagerDialog.h"
#include "page/PageCommandIds.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {
const char kProgramName[] = "Fern Browser";
}  // namespace

MainFrameWindow::MainFrameWindow(CMainFrame& frame, PageWidgetOf pageWidget)
    : m_frame(frame), m_pageWidget(std::move(pageWidget)), m_accel(Gtk::AccelGroup::create()) {
    set_title(kProgramName);
    set_default_size(1024, 720);
    add_accel_group(m_accel);

    auto onCommand = [this](int id) { Command(id); };
    auto isChecked = [this](int id) { return IsChecked(id); };
    auto isEnabled = [this](int id) { return IsEnabled(id); };
    for (const MenuEntry& top : MainMenuBar([this] { return m_frame.ActiveView(); })) {
        auto* item = Gtk::manage(new Gtk::MenuItem(MnemonicLabel(top.text), true));
        item->set_submenu(*BuildMenu(top.children, onCommand, isChecked, isEnabled, m_accel));
        m_menuBar.append(*item);
    }
    m_tabMenu = BuildMenu(TabMenu(), onCommand, isChecked, isEnabled, {});
    m_tabMenu->attach_to_widget(*this);
    // Tab commands act on the right-clicked tab only while its menu is open.
    m_tabMenu->signal_deactivate().connect([this] {
        Glib::signal_idle().connect_once([this] { m_frame.SetRightClicked(-1); });
    });
    m_tabBarMenu = BuildMenu(TabBarMenu(), onCommand, isChecked, isEnabled, {});
    m_tabBarMenu->attach_to_widget(*this);

    m_pages.set_hexpand(true);
    m_pages.set_vexpand(true);
    m_pages.add(m_blank, "blank");
    m_box.pack_start(m_menuBar, Gtk::PACK_SHRINK);
    m_box.pack_start(m_pages, Gtk::PACK_EXPAND_WIDGET);
    m_box.pack_end(m_status, Gtk::PACK_SHRINK);
    add(m_box);
    m_box.show_all();
    m_status.SetOffline(m_frame.IsOffline());
    m_status.SetDownloadControl(m_frame.Options().dlcDefault);
    m_frame.SetUi(this);
}

MainFrameWindow::~MainFrameWindow() {
    m_showPending.disconnect();
    m_frame.SetUi(nullptr);
}

void MainFrameWindow::SetStatusHooks(StatusHooks hooks) {
    StatusBarWidget::Callbacks callbacks;
    callbacks.offlineClicked = std::move(hooks.offlineClicked);
    callbacks.zoneClicked = std::move(hooks.zoneClicked);
    callbacks.lockDoubleClicked = [this] { Command(ID_PAGE_PROPERTIES); };
    callbacks.toggleBit = std::move(hooks.toggleDownloadControl);
    callbacks.styleChanged = std::move(hooks.stripStyleChanged);
    m_status.SetCallbacks(std::move(callbacks));
}

void MainFrameWindow::SetSessionParts(SessionParts* parts) {
    m_parts = parts;
    if (!parts) return;
    m_box.pack_start(parts->AddressBar(), Gtk::PACK_SHRINK);
    m_box.reorder_child(parts->AddressBar(), 1);
    parts->AttachMenus(m_menuBar);
}

void MainFrameWindow::SetTabBar(Gtk::Widget& tabBar, bool below) {
    m_box.pack_start(tabBar, Gtk::PACK_SHRINK);
    m_box.reorder_child(tabBar, below ? 2 : 1);
    tabBar.show();
}

// Commands -------------------------------------------------------------------------

void MainFrameWindow::Command(int id) {
    try {
        switch (id) {
            case ID_APP_EXIT:
                if (!m_mayClose || m_mayClose()) Close();
                return;
            case ID_APP_ABOUT: ShowAbout(); return;
            case ID_TAB_MANAGER: ShowTabManager(); return;
            case ID_TAB_AUTO_REFRESH_START:
            case ID_TAB_AUTO_REFRESH_STOP: {
                CFernView* view = m_frame.ViewAt(m_frame.TargetTab());
                m_frame.SetRightClicked(-1);
                if (!view) return;
                if (id == ID_TAB_AUTO_REFRESH_STOP) {
                    view->StopAutoRefresh();
                    return;
                }
                Gtk::Dialog dialog(ToUtf8("自動更新間隔"), *this, true);
                Gtk::SpinButton seconds(Gtk::Adjustment::create(view->AutoRefreshIntervalMs() / 1000, 0, 86400, 1, 10));
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
                if (dialog.run() == Gtk::RESPONSE_OK) view->StartAutoRefresh(seconds.get_value_as_int());
                return;
            }
        }
        if (m_parts && m_parts->Command(id)) return;
        for (ICommandPart* part : m_commandParts)
            if (part->Command(id)) return;
        if (m_frame.OnCommand(id)) return;
        if (CFernView* view = m_frame.ActiveView()) view->OnPageCommand(id);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fern: command %d: %s\n", id, e.what());
    }
}

bool MainFrameWindow::IsChecked(int id) {
    if (m_parts)
        if (std::optional<bool> checked = m_parts->IsChecked(id)) return *checked;
    for (ICommandPart* part : m_commandParts)
        if (std::optional<bool> checked = part->IsChecked(id)) return *checked;
    CFernView* target = m_frame.ViewAt(m_frame.TargetTab());
    switch (id) {
        case ID_TAB_NAVIGATE_LOCK: return target && target->IsNavigateLocked();
        case ID_TAB_AUTO_REFRESH_START: return target && target->AutoRefreshRunning();
        case ID_TAB_AUTO_REFRESH_STOP: return target && !target->AutoRefreshRunning();
    }
    CFernView* active = m_frame.ActiveView();
    return active && active->IsTextSizeChecked(id);
}

bool MainFrameWindow::IsEnabled(int id) {
    if (m_parts)
        if (std::optional<bool> enabled = m_parts->IsEnabled(id)) return *enabled;
    for (ICommandPart* part : m_commandParts)
        if (std::optional<bool> enabled = part->IsEnabled(id)) return *enabled;
    bool anyTab = m_frame.TabCount() > 0;
    switch (id) {
        case ID_APP_EXIT:
        case ID_APP_ABOUT:
        case ID_NEW_TAB:
        case ID_NEW_TAB_BLANK:
        case ID_NEW_TAB_CLIPBOARD:
        case ID_NEW_TAB_HOME:
            return true;
        case ID_TAB_RESTORE_CLOSED: return !m_frame.ClosedSet().empty();
        case ID_PAGE_UP: return m_frame.ActiveView() && !m_frame.ActiveView()->Engine()->Busy();
        default: return anyTab;
    }
}

void MainFrameWindow::Attention() { present(); }

void MainFrameWindow::Close() {
    if (m_closed) return;
    m_closed = true;
    m_frame.SaveOnExit(true, false);
    hide();
    if (m_onClosed) m_onClosed();
}

// The address bar's keys (Enter, Esc, ...) come before the accelerators
// while its edit has the focus.
bool MainFrameWindow::on_key_press_event(GdkEventKey* event) {
    if (m_parts && m_parts->AddressBar().PreTranslateKey(event)) return true;
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

void MainFrameWindow::ShowTabMenu(int) { m_tabMenu->popup_at_pointer(nullptr); }

void MainFrameWindow::ShowTabBarMenu() { m_tabBarMenu->popup_at_pointer(nullptr); }

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
    m_showPending = Glib::signal_idle().connect([this] {
        auto it = m_pageOf.find(m_frame.ActiveView());
        // A selected tab whose page is still to be made shows nothing of
        // the tab before it.
        if (it != m_pageOf.end()) m_pages.set_visible_child(*it->second);
        else m_pages.set_visible_child(m_blank);
        return false;
    }, Glib::PRIORITY_HIGH_IDLE);
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
