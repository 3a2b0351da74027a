#pragma once
// The side bar ("ファーン バー") in the window: the strip of panel tabs above
// or below the panel shown, and the four panels, one shown at a time. Other
// features put their panel in with SetPanel; a panel not set shows empty.
// The bar's place in the window, its switches and its sizes belong to
// SideBarFeature.
#include <gtkmm.h>

#include <array>

#include "platform/Signal.h"
#include "settings/SideBarSettings.h"
#include "sidebar/SideBar.h"
#include "sidebar/gtk/SideBarTabStrip.h"

namespace fern {

class SideBarHost : public Gtk::Box {
public:
    SideBarHost();

    // Puts `panel` in the place of panel `index` (SideBarPanel: 0 "ブックマーク",
    // 1 "履歴", 2 "履歴検索", 3 "Web検索"), in place of what was there. The
    // panel is shown; its children are its owner's to show. It must outlive
    // the host or be set again before it goes.
    void SetPanel(int index, Gtk::Widget& panel);
    // Shows panel `index` (values outside 0..3 show the first); it gets the
    // focus when the focus is in the bar already or `FBStyle` bit 5 asks.
    void ShowPanel(int index);
    int Current() const { return m_current; }
    // Makes `index` the current panel without telling anyone (the bar is
    // hidden: the panel is shown when the bar is).
    void SelectPanel(int index);
    // Gives the shown panel the keyboard focus.
    void FocusPanel();
    // True while the keyboard focus is inside the bar.
    bool HasFocusInside() const;

    // `FBStyle`: the strip at the bottom, titles or images only, info tips,
    // the focus on showing.
    void ApplyStyle(const FernBarSettings& settings);

    // A panel was shown (also when the bar itself appears with it): lazily
    // built panels fill themselves then.
    Signal<int> panelShown;

private:
    SideBarTabStrip m_strip;
    Gtk::Stack m_stack;
    std::array<Gtk::Box, kSideBarPanelCount> m_slots;
    int m_current = 0;
    bool m_focusOnShow = false;
    bool m_stripAtBottom = false;
};

}  // namespace fern
