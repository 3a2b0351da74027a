#include "bookmarks/gtk/LinkBarWidget.h"

#include "lists/BookmarkClip.h"
#include "platform/gtk/GuardedCall.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

constexpr int kHeight = 24;
enum : guint { kOutBookmarks = 1, kOutUriList, kOutText };

}  // namespace

LinkBarWidget::LinkBarWidget(Hooks hooks)
    : Glib::ObjectBase("FernLinkBarWidget"),
      Gtk::DrawingArea(),
      m_hooks(std::move(hooks)),
      m_menuModel(BookmarkMenu::Top::FolderMenu, {}),
      m_menuWidget(m_menuModel, {{},
                                 [this](int entry) {
                                     if (m_hooks.activateMenuItem) m_hooks.activateMenuItem(entry);
                                 },
                                 [this](const std::string& prompt) {
                                     if (m_hooks.prompt) m_hooks.prompt(prompt);
                                 },
                                 [this](int entry) {
                                     if (BookmarkNode* node = m_menuModel.LiveNode(entry))
                                         if (m_hooks.properties) m_hooks.properties(*node);
                                 }}) {
    InstallDrawnItemsAccessible(GTK_WIDGET(gobj()), this, DrawnItemsKind::PushButtons, ToUtf8("リンク"));
    add_events(Gdk::BUTTON_PRESS_MASK | Gdk::BUTTON_RELEASE_MASK | Gdk::BUTTON1_MOTION_MASK);
    set_has_tooltip(true);
    signal_query_tooltip().connect(sigc::mem_fun(*this, &LinkBarWidget::OnQueryTooltip), false);
}

LinkBarWidget::~LinkBarWidget() {
    DetachDrawnItemsAccessible(GTK_WIDGET(gobj()));
    if (m_popup) gtk_widget_destroy(GTK_WIDGET(m_popup->gobj()));
}

void LinkBarWidget::SetFolder(BookmarkNode* folder, const BookmarkNode* scope) {
    m_folder = folder;
    m_scope = scope ? scope : folder;
    Refresh();
}

void LinkBarWidget::SetLook(const LinkBarLook& look) {
    m_look = look;
    Refresh();
}

bool LinkBarWidget::StillThere(const BookmarkNode* node) const {
    if (!node || !m_scope) return false;
    for (const BookmarkNode* n = m_scope; n; n = NextInTree(n, m_scope))
        if (n == node) return true;
    return false;
}

void LinkBarWidget::Refresh() {
    m_buttons.clear();
    if (m_folder)
        for (BookmarkNode* child = m_folder->FirstChild(); child; child = child->Next())
            if (child->type != kItemSeparator) m_buttons.push_back({child, ToUtf8(child->name)});
    Layout();
    queue_resize();
    queue_draw();
    DrawnItemsAccessibleChanged(GTK_WIDGET(gobj()));
}

int LinkBarWidget::TextWidth(const std::string& text) const {
    auto layout = const_cast<LinkBarWidget*>(this)->create_pango_layout(text);
    int width = 0, height = 0;
    layout->get_pixel_size(width, height);
    return width;
}

void LinkBarWidget::Layout() {
    std::vector<int> widths;
    widths.reserve(m_buttons.size());
    for (const Button& button : m_buttons) widths.push_back(TextWidth(button.text));
    m_boxes = LayoutLinkBar(widths, m_look, get_allocated_width());
}

void LinkBarWidget::on_size_allocate(Gtk::Allocation& allocation) {
    Gtk::DrawingArea::on_size_allocate(allocation);
    Layout();
    DrawnItemsAccessibleChanged(GTK_WIDGET(gobj()));
}

void LinkBarWidget::get_preferred_height_vfunc(int& minimum, int& natural) const {
    minimum = natural = kHeight;
}

void LinkBarWidget::get_preferred_width_vfunc(int& minimum, int& natural) const {
    minimum = 0;
    natural = m_boxes.empty() ? 0 : m_boxes.back().x + m_boxes.back().width;
}

bool LinkBarWidget::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    auto style = get_style_context();
    Glib::RefPtr<Gtk::IconTheme> theme = Gtk::IconTheme::get_default();
    for (std::size_t i = 0; i < m_boxes.size() && i < m_buttons.size(); ++i) {
        const LinkBarBox& box = m_boxes[i];
        if (!box.shown) continue;
        const Button& button = m_buttons[i];
        int x = box.x + kLinkBarPadding;
        if (static_cast<int>(i) == m_pressed) {
            cr->set_source_rgba(0, 0, 0, 0.12);
            cr->rectangle(box.x, 1, box.width, kHeight - 2);
            cr->fill();
        }
        if (m_look.showIcons) {
            try {
                const char* name = button.node->IsFolder() ? "folder" : "text-html";
                if (auto icon = theme->load_icon(name, kLinkBarIcon, Gtk::ICON_LOOKUP_FORCE_SIZE)) {
                    Gdk::Cairo::set_source_pixbuf(cr, icon, x, (kHeight - kLinkBarIcon) / 2);
                    cr->paint();
                }
            } catch (const Glib::Error&) {
                // No icon theme: the text alone.
            }
            x += kLinkBarIcon + kLinkBarIconGap;
        }
        auto layout = create_pango_layout(button.text);
        layout->set_width((box.x + box.width - kLinkBarPadding - x) * Pango::SCALE);
        layout->set_ellipsize(Pango::ELLIPSIZE_END);
        int tw = 0, th = 0;
        layout->get_pixel_size(tw, th);
        style->render_layout(cr, x, (kHeight - th) / 2, layout);
    }
    return true;
}

bool LinkBarWidget::on_button_press_event(GdkEventButton* event) {
    int index = LinkBarButtonAt(m_boxes, static_cast<int>(event->x));
    if (index < 0) return false;
    if (event->button == 1 && m_buttons[static_cast<std::size_t>(index)].node->IsFolder()) {
        PopupFolder(index, reinterpret_cast<const GdkEvent*>(event));
        return true;
    }
    m_pressed = index;
    m_pressX = event->x;
    m_pressY = event->y;
    queue_draw();
    return true;
}

bool LinkBarWidget::on_motion_notify_event(GdkEventMotion* event) {
    if (m_pressed < 0 ||
        !gtk_drag_check_threshold(GTK_WIDGET(gobj()), static_cast<int>(m_pressX), static_cast<int>(m_pressY),
                                  static_cast<int>(event->x), static_cast<int>(event->y)))
        return false;
    const BookmarkNode* node = m_buttons[static_cast<std::size_t>(m_pressed)].node;
    m_pressed = -1;
    queue_draw();
    if (!StillThere(node) || node->IsFolder()) return true;
    m_dragged = node;
    GtkTargetList* targets = gtk_target_list_new(nullptr, 0);
    gtk_target_list_add(targets, gdk_atom_intern_static_string(kBookmarkClipFormat), 0, kOutBookmarks);
    gtk_target_list_add(targets, gdk_atom_intern_static_string("text/uri-list"), 0, kOutUriList);
    gtk_target_list_add(targets, gdk_atom_intern_static_string("UTF8_STRING"), 0, kOutText);
    gtk_target_list_add(targets, gdk_atom_intern_static_string("text/plain;charset=utf-8"), 0, kOutText);
    gtk_drag_begin_with_coordinates(
        GTK_WIDGET(gobj()), targets, static_cast<GdkDragAction>(GDK_ACTION_COPY | GDK_ACTION_LINK), 1,
        reinterpret_cast<GdkEvent*>(event), static_cast<int>(m_pressX), static_cast<int>(m_pressY));
    gtk_target_list_unref(targets);
    return true;
}

void LinkBarWidget::on_drag_data_get(const Glib::RefPtr<Gdk::DragContext>&, Gtk::SelectionData& data,
                                     guint info, guint) {
    Guard("link bar drag", [&] {
        // The node may have gone while the drag ran (a file switch).
        if (!StillThere(m_dragged)) return;
        if (info == kOutBookmarks) {
            std::string bytes = BookmarkClipBytes({m_dragged});
            data.set(data.get_target(), 8, reinterpret_cast<const guint8*>(bytes.data()),
                     static_cast<int>(bytes.size()));
        } else if (info == kOutUriList) {
            data.set_uris({ToUtf8(m_dragged->url)});
        } else {
            data.set_text(ToUtf8(m_dragged->url));
        }
    });
}

bool LinkBarWidget::on_button_release_event(GdkEventButton* event) {
    int pressed = m_pressed;
    m_pressed = -1;
    queue_draw();
    int index = LinkBarButtonAt(m_boxes, static_cast<int>(event->x));
    if (index < 0 || index != pressed) return false;
    BookmarkNode* node = m_buttons[static_cast<std::size_t>(index)].node;
    if (event->button == 3) {
        if (StillThere(node) && m_hooks.properties) m_hooks.properties(*node);
    } else if (event->button == 1) {
        Click(index);
    }
    return true;
}

void LinkBarWidget::Click(int index) {
    if (index < 0 || index >= static_cast<int>(m_buttons.size())) return;
    BookmarkNode* node = m_buttons[static_cast<std::size_t>(index)].node;
    if (!StillThere(node)) return;
    if (node->IsFolder()) {
        PopupFolder(index, nullptr);
        return;
    }
    if (m_hooks.open) m_hooks.open(*node);
}

void LinkBarWidget::PopupFolder(int index, const GdkEvent* event) {
    BookmarkNode* node = m_buttons[static_cast<std::size_t>(index)].node;
    if (!StillThere(node)) return;
    if (m_popup) gtk_widget_destroy(GTK_WIDGET(m_popup->gobj()));
    m_menuModel.Rebuild(node, m_scope);
    m_popup = m_menuWidget.MakeMenu();
    m_popup->attach_to_widget(*this);
    Gdk::Rectangle rect(m_boxes[static_cast<std::size_t>(index)].x, 0,
                        m_boxes[static_cast<std::size_t>(index)].width, kHeight);
    if (get_window())
        m_popup->popup_at_rect(get_window(), rect, Gdk::GRAVITY_SOUTH_WEST, Gdk::GRAVITY_NORTH_WEST, event);
}

bool LinkBarWidget::OnQueryTooltip(int x, int, bool, const Glib::RefPtr<Gtk::Tooltip>& tooltip) {
    int index = LinkBarButtonAt(m_boxes, x);
    if (index < 0) return false;
    const BookmarkNode* node = m_buttons[static_cast<std::size_t>(index)].node;
    std::string tip = StillThere(node) && m_hooks.tip ? m_hooks.tip(*node) : std::string();
    if (tip.empty()) return false;
    tooltip->set_text(ToUtf8(tip));
    return true;
}

int LinkBarWidget::AccessCount() const { return static_cast<int>(m_buttons.size()); }

std::string LinkBarWidget::AccessName(int index) const {
    return index >= 0 && index < AccessCount() ? m_buttons[static_cast<std::size_t>(index)].text
                                               : std::string();
}

const void* LinkBarWidget::AccessKey(int index) const {
    return index >= 0 && index < AccessCount() ? m_buttons[static_cast<std::size_t>(index)].node : nullptr;
}

bool LinkBarWidget::AccessBox(int index, GdkRectangle& box) const {
    if (index < 0 || index >= static_cast<int>(m_boxes.size())) return false;
    const LinkBarBox& b = m_boxes[static_cast<std::size_t>(index)];
    box = {b.x, 0, b.width, kHeight};
    return b.shown;
}

}  // namespace fern
