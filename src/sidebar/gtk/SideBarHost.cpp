#include "sidebar/gtk/SideBarHost.h"

#include "platform/text/Encoding.h"

namespace fern {

SideBarHost::SideBarHost() : Gtk::Box(Gtk::ORIENTATION_VERTICAL) {
    get_accessible()->set_name(ToUtf8("ファーン バー"));
    for (int i = 0; i < kSideBarPanelCount; ++i) {
        Gtk::Box& slot = m_slots[static_cast<std::size_t>(i)];
        slot.set_orientation(Gtk::ORIENTATION_VERTICAL);
        // Assistive technologies name each panel by its tab's title.
        slot.get_accessible()->set_name(ToUtf8(SideBarPanelTitle(i)));
        m_stack.add(slot, "panel" + std::to_string(i));
        slot.show();
    }
    m_stack.set_vexpand(true);
    m_stack.set_hexpand(true);
    pack_start(m_strip, Gtk::PACK_SHRINK);
    pack_start(m_stack, Gtk::PACK_EXPAND_WIDGET);
    m_strip.show();
    m_stack.show();
    m_strip.SetOnChoose([this](int index) { ShowPanel(index); });
}

void SideBarHost::SetPanel(int index, Gtk::Widget& panel) {
    if (index < 0 || index >= kSideBarPanelCount) return;
    Gtk::Box& slot = m_slots[static_cast<std::size_t>(index)];
    for (Gtk::Widget* old : slot.get_children()) slot.remove(*old);
    if (Gtk::Container* parent = panel.get_parent()) parent->remove(panel);
    slot.pack_start(panel, Gtk::PACK_EXPAND_WIDGET);
    panel.show();
}

void SideBarHost::SelectPanel(int index) {
    m_current = SideBarStartPanel(index);
    m_strip.SetSelected(m_current);
    m_stack.set_visible_child(m_slots[static_cast<std::size_t>(m_current)]);
}

void SideBarHost::ShowPanel(int index) {
    bool focusInside = HasFocusInside();
    SelectPanel(index);
    panelShown.Emit(m_current);
    if (focusInside || m_focusOnShow) FocusPanel();
}

void SideBarHost::FocusPanel() {
    Gtk::Box& slot = m_slots[static_cast<std::size_t>(m_current)];
    if (!slot.child_focus(Gtk::DIR_TAB_FORWARD)) m_strip.grab_focus();
}

bool SideBarHost::HasFocusInside() const {
    auto* top = dynamic_cast<const Gtk::Window*>(get_toplevel());
    const Gtk::Widget* focus = top ? top->get_focus() : nullptr;
    return focus && (focus == this || focus->is_ancestor(const_cast<SideBarHost&>(*this)));
}

void SideBarHost::ApplyStyle(const FernBarSettings& s) {
    m_strip.SetShowTitles(s.showTabTitles);
    m_strip.SetInfoTips(s.infoTips);
    m_focusOnShow = s.focusPanelOnShow;
    if (s.tabsAtBottom != m_stripAtBottom) {
        m_stripAtBottom = s.tabsAtBottom;
        reorder_child(m_strip, m_stripAtBottom ? 1 : 0);
    }
}

}  // namespace fern
