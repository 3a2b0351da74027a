#include "sidebar/gtk/SideBarFeature.h"

#include <algorithm>

#include "commands/CommandIds.h"
#include "sidebar/gtk/FernBarOptionsPage.h"

namespace fern {

SideBarFeature::SideBarFeature(MainFrameWindow& window, CMainFrame& frame, CSettingsService& settings)
    : m_window(window), m_settings(settings), m_sizes(ParseSideBarSizes(settings.Live().fernBar.sizes)) {
    const FernBarSettings& s = settings.Live().fernBar;
    m_host.set_size_request(kSideBarMinimum.width, -1);
    m_host.ApplyStyle(s);
    m_window.Put(WindowPlace::SideBar, m_host);
    // The place gives bars their own height; the side bar takes all of it.
    if (GtkWidget* place = gtk_widget_get_parent(GTK_WIDGET(m_host.gobj())); place && GTK_IS_BOX(place))
        gtk_box_set_child_packing(GTK_BOX(place), GTK_WIDGET(m_host.gobj()), TRUE, TRUE, 0, GTK_PACK_START);
    m_host.show();
    m_host.SelectPanel(s.panelIndex);
    // Shown once every feature has put its panel in and listens.
    if (s.visible)
        m_startShow = Glib::signal_idle().connect([this] {
            ShowBar(m_host.Current());
            return false;
        });
    m_style = settings.Subscribe(SettingsSection::FernBar,
                                 [this] { m_host.ApplyStyle(m_settings.Live().fernBar); });
    m_exitStep = frame.Exit().placementAndBars.Connect([this] { SaveAtEnd(); });
}

void SideBarFeature::AddOptionsPages(COptionsPages& pages) {
    pages.Add("ファーン バー", [] { return std::make_unique<FernBarOptionsPage>(); });
}

SideBarFeature::~SideBarFeature() { m_startShow.disconnect(); }

void SideBarFeature::RegisterCommands(CCommandRouter& router) {
    for (int id : {ID_FERN_BAR, ID_BOOKMARK_BAR, ID_HISTORY_BAR, ID_HISTORY_SEARCH_BAR, ID_WEB_SEARCH_BAR})
        router.Add(id, CommandHandler{[this, id] { Apply(ApplyBarCommand(State(), id)); },
                                      {},
                                      [this, id] { return BarCommandChecked(State(), id); }});
    // The tool bar's "ブックマーク" button is the bookmark bar's switch.
    router.Add(ID_BOOKMARK_PANEL,
               CommandHandler{[this] { Apply(ApplyBarCommand(State(), ID_BOOKMARK_BAR)); },
                              {},
                              [this] { return BarCommandChecked(State(), ID_BOOKMARK_BAR); }});
    router.Add(ID_SIDEBAR_NEXT_PANEL, [this] { ShowBar(NextSideBarPanel(m_host.Current())); });
    router.Add(ID_SIDEBAR_PREV_PANEL, [this] { ShowBar(PreviousSideBarPanel(m_host.Current())); });
    router.Add(ID_SIDEBAR_FOCUS_PANEL, [this] {
        if (!m_shown) ShowBar(m_host.Current());
        m_host.FocusPanel();
    });
}

void SideBarFeature::ShowBar(int index) { Apply({true, SideBarStartPanel(index)}); }

void SideBarFeature::Apply(SideBarState state) {
    bool appears = state.shown && !m_shown;
    SetShown(state.shown);
    if (state.shown && (appears || state.panel != m_host.Current())) m_host.ShowPanel(state.panel);
}

// The bar's place is a box of the window that shows only while the bar does;
// the paned beside the pages gives it its width.
Gtk::Paned* SideBarFeature::Paned() {
    GtkWidget* paned = gtk_widget_get_ancestor(GTK_WIDGET(m_host.gobj()), GTK_TYPE_PANED);
    return paned ? Glib::wrap(GTK_PANED(paned)) : nullptr;
}

void SideBarFeature::KeepWidth() {
    Gtk::Paned* paned = Paned();
    if (m_shown && paned && paned->get_position() > 0)
        m_sizes.vertical.width = std::max(paned->get_position(), kSideBarMinimum.width);
}

void SideBarFeature::SetShown(bool shown) {
    Gtk::Widget* place = m_host.get_parent();
    if (!place || shown == m_shown) return;
    if (!shown) {
        KeepWidth();
        // The focus leaves with the bar for the page.
        if (m_host.HasFocusInside()) m_window.Command(ID_PAGE_FOCUS);
    }
    m_shown = shown;
    place->set_visible(shown);
    if (shown)
        if (Gtk::Paned* paned = Paned()) paned->set_position(m_sizes.vertical.width);
}

void SideBarFeature::SaveAtEnd() {
    KeepWidth();
    m_settings.Change(SettingsSection::FernBar, [this](ProgramSettings& s) {
        s.fernBar.panelIndex = m_host.Current();
        s.fernBar.sizes = FormatSideBarSizes(m_sizes);
        s.fernBar.visible = m_shown ? 1 : 0;
    });
}

}  // namespace fern
