#include "chrome/gtk/ToolBarWidget.h"

#include <cstdlib>

#include "commands/CommandCatalogue.h"
#include "commands/CommandRouter.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/AccessibleName.h"

namespace fern {

namespace {

// How often the buttons follow the router: the pages change what is
// available (back, stop) without telling the bar.
constexpr unsigned kRefreshMs = 250;
// A press let go nearer than this is a click, not a drag.
constexpr int kDragPixels = 8;

Gtk::ToolbarStyle StyleOf(ToolBarText text, bool vertical) {
    switch (text) {
        case ToolBarText::Right: return vertical ? Gtk::TOOLBAR_ICONS : Gtk::TOOLBAR_BOTH_HORIZ;
        case ToolBarText::Below: return Gtk::TOOLBAR_BOTH;
        default: return Gtk::TOOLBAR_ICONS;
    }
}

// Normal images are quieter than hot ones: full strength under the
// pointer, on a pressed switch and while the button has the focus.
void InstallImageStyle() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    auto css = Gtk::CssProvider::create();
    css->load_from_data(
        "#fern-tool-bar button image { opacity: 0.78; }"
        "#fern-tool-bar button:hover image, #fern-tool-bar button:checked image,"
        "#fern-tool-bar button:focus image { opacity: 1; }");
    Gtk::StyleContext::add_provider_for_screen(Gdk::Screen::get_default(), css,
                                               GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

}  // namespace

ToolBarWidget::ToolBarWidget(const CCommandRouter& router, std::function<void(int)> run,
                             DropDownMaker dropDown)
    : m_router(router), m_run(std::move(run)), m_dropDown(std::move(dropDown)) {
    set_name("fern-tool-bar");
    InstallImageStyle();
    SetAccessibleName(*this, "ツール バー");
    set_show_arrow(true);
    add_events(Gdk::BUTTON_PRESS_MASK | Gdk::BUTTON_RELEASE_MASK);
}

ToolBarWidget::~ToolBarWidget() { m_timer.disconnect(); }

// Polled only while on screen: a window hidden in the tray wakes for
// nothing, and a bar shown again is brought up to date at once.
void ToolBarWidget::on_map() {
    Gtk::Toolbar::on_map();
    Refresh();
    m_timer.disconnect();
    m_timer = Glib::signal_timeout().connect(
        [this] {
            Refresh();
            return true;
        },
        kRefreshMs);
}

void ToolBarWidget::on_unmap() {
    m_timer.disconnect();
    Gtk::Toolbar::on_unmap();
}

Gtk::ToolItem* ToolBarWidget::MakeButton(const ToolBarButton& row, int pixels) {
    const CommandInfo* info = FindCommand(row.command);
    std::string name = row.label;
    std::string label = ToUtf8(name);
    auto* image = Gtk::manage(new Gtk::Image());
    image->set_from_icon_name(ToolBarIconName(row.image), Gtk::ICON_SIZE_LARGE_TOOLBAR);
    image->set_pixel_size(pixels);
    Gtk::ToolButton* button = nullptr;
    int command = row.command;
    if (row.dropDown) {
        auto* menuButton = Gtk::manage(new Gtk::MenuToolButton(*image, label));
        if (Gtk::Menu* menu = m_dropDown ? m_dropDown(command) : nullptr) menuButton->set_menu(*menu);
        menuButton->set_arrow_tooltip_text(label + ToUtf8(" の一覧"));
        button = menuButton;
    } else if (info && info->check) {
        auto* toggle = Gtk::manage(new Gtk::ToggleToolButton(*image, label));
        toggle->signal_toggled().connect([this, command] {
            if (m_syncing) return;
            m_run(command);
            Refresh();
        });
        button = toggle;
    } else {
        button = Gtk::manage(new Gtk::ToolButton(*image, label));
    }
    if (!dynamic_cast<Gtk::ToggleToolButton*>(button))
        button->signal_clicked().connect([this, command] {
            m_run(command);
            Refresh();
        });
    // Icon-only buttons are read by their names, as their labels and tips say.
    button->set_tooltip_text(label);
    button->set_is_important(true);
    SetAccessibleName(*button, name);
    if (Gtk::Widget* inner = button->get_child()) {
        if (auto* box = dynamic_cast<Gtk::Container*>(inner); box && row.dropDown) {
            std::vector<Gtk::Widget*> parts = box->get_children();
            if (!parts.empty()) SetAccessibleName(*parts.front(), name);
            if (parts.size() > 1) SetAccessibleName(*parts.back(), name + " の一覧");
        } else {
            SetAccessibleName(*inner, name);
        }
    }
    return button;
}

void ToolBarWidget::SetButtons(const ToolBarLayout& layout, const ToolBarLook& look) {
    for (Gtk::Widget* child : get_children()) remove(*child);  // managed: removing destroys them
    m_buttons.clear();
    m_layout = layout;
    m_look = look;
    ApplyStyle();
    set_icon_size(look.largeImages ? Gtk::ICON_SIZE_LARGE_TOOLBAR : Gtk::ICON_SIZE_SMALL_TOOLBAR);
    int pixels = look.largeImages ? 20 : 16;
    for (int entry : layout) {
        const ToolBarButton* row = ToolBarRow(entry);
        if (!row || row->IsSeparator()) {
            auto* separator = Gtk::manage(new Gtk::SeparatorToolItem());
            // A separator keeps its clicks to itself; it is the bar's background to drag by.
            separator->add_events(Gdk::BUTTON_PRESS_MASK | Gdk::BUTTON_RELEASE_MASK);
            separator->signal_button_press_event().connect(
                [this](GdkEventButton* event) { return on_button_press_event(event); }, false);
            separator->signal_button_release_event().connect(
                [this](GdkEventButton* event) { return on_button_release_event(event); }, false);
            append(*separator);
            continue;
        }
        Gtk::ToolItem* item = MakeButton(*row, pixels);
        append(*item);
        m_buttons.push_back({item, row->command});
    }
    show_all();
    Refresh();
}

void ToolBarWidget::SetVertical(bool vertical) {
    if (vertical == m_vertical) return;
    m_vertical = vertical;
    gtk_orientable_set_orientation(GTK_ORIENTABLE(gobj()),
                                   vertical ? GTK_ORIENTATION_VERTICAL : GTK_ORIENTATION_HORIZONTAL);
    ApplyStyle();
}

void ToolBarWidget::ApplyStyle() { set_toolbar_style(StyleOf(m_look.text, m_vertical)); }

void ToolBarWidget::Refresh() {
    m_syncing = true;
    for (const Button& button : m_buttons) {
        bool enabled = m_router.IsEnabled(button.command);
        if (button.item->get_sensitive() != enabled) button.item->set_sensitive(enabled);
        if (auto* toggle = dynamic_cast<Gtk::ToggleToolButton*>(button.item)) {
            bool on = m_router.IsChecked(button.command);
            if (toggle->get_active() != on) toggle->set_active(on);
        }
    }
    m_syncing = false;
}

bool ToolBarWidget::on_button_press_event(GdkEventButton* event) {
    if (event->type == GDK_BUTTON_PRESS && event->button == 3 && contextMenu) {
        contextMenu(event);
        return true;
    }
    if (event->type == GDK_BUTTON_PRESS && event->button == 1 && dragged) {
        m_pressed = true;
        m_pressX = static_cast<int>(event->x_root);
        m_pressY = static_cast<int>(event->y_root);
        return true;
    }
    return Gtk::Toolbar::on_button_press_event(event);
}

bool ToolBarWidget::on_button_release_event(GdkEventButton* event) {
    if (event->button != 1 || !m_pressed) return Gtk::Toolbar::on_button_release_event(event);
    m_pressed = false;
    int x = static_cast<int>(event->x_root), y = static_cast<int>(event->y_root);
    if (std::abs(x - m_pressX) < kDragPixels && std::abs(y - m_pressY) < kDragPixels) return true;
    // Later: the drop may move this bar to another place.
    Glib::signal_idle().connect_once([this, x, y] {
        if (dragged) dragged(x, y);
    });
    return true;
}

}  // namespace fern
