#include "chrome/gtk/ToolBarFeature.h"

#include "chrome/ReBarLayout.h"
#include "commands/CommandIds.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

SharedMenuContext MakeMenuContext(CCommandRouter& router, MainFrameWindow& window) {
    auto context = std::make_shared<MenuContext>();
    context->router = &router;
    context->run = [&router](int id) { router.Run(id); };
    context->prompt = [&window](const std::string& prompt) { window.StatusBar().SetText(prompt); };
    return context;
}

WindowPlace PlaceOf(DockSide side) {
    switch (side) {
        case DockSide::Left: return WindowPlace::DockLeft;
        case DockSide::Right: return WindowPlace::DockRight;
        case DockSide::Bottom: return WindowPlace::DockBottom;
        default: return WindowPlace::DockTop;
    }
}

constexpr std::pair<int, DockSide> kSideCommands[] = {{ID_TOOL_BAR_DOCK_TOP, DockSide::Top},
                                                      {ID_TOOL_BAR_DOCK_LEFT, DockSide::Left},
                                                      {ID_TOOL_BAR_DOCK_RIGHT, DockSide::Right},
                                                      {ID_TOOL_BAR_DOCK_BOTTOM, DockSide::Bottom}};

}  // namespace

ToolBarFeature::ToolBarFeature(MainFrameWindow& window, CCommandRouter& router, CSettingsService& settings,
                               Profile& windows)
    : m_window(window),
      m_router(router),
      m_settings(settings),
      m_menus(MakeMenuContext(router, window)),
      m_bar(
          router, [&router](int id) { router.Run(id); },
          [this](int command) -> Gtk::Menu* {
              std::vector<MenuNode> nodes = ToolBarDropDownMenu(command);
              return nodes.empty() ? nullptr : BuildMenu(nodes, m_menus);
          }),
      m_dock(settings, windows) {
    m_bar.dragged = [this](int xRoot, int yRoot) { Dragged(xRoot, yRoot); };
    Apply();
    m_section = settings.Subscribe(SettingsSection::FernBars, [this] { Apply(); });
    m_bands = settings.Subscribe(SettingsSection::ReBar, [this] { ShowOrHide(); });
}

// The buttons are made again only when their records changed, not when
// the bar only moved.
void ToolBarFeature::Apply() {
    const FernBarsSettings& live = m_settings.Live().fernBars;
    if (m_bar.get_children().empty() || live.buttons != m_shownButtons || live.buttonStyle != m_shownStyle) {
        m_shownButtons = live.buttons;
        m_shownStyle = live.buttonStyle;
        m_bar.SetButtons(ParseToolBarLayout(live.buttons), ParseToolBarLook(live.buttonStyle));
    }
    Place();
}

void ToolBarFeature::Place() {
    ToolBarPlacement at = m_dock.Placement();
    m_bar.SetVertical(at.docked && DockSideVertical(at.side));
    m_window.Put(at.docked ? PlaceOf(at.side) : WindowPlace::ToolBands, m_bar);
    ShowOrHide();
}

// The View menu's switch is the band's hidden bit, docked or not.
void ToolBarFeature::ShowOrHide() {
    const ReBarSettings& bands = m_settings.Live().reBar;
    bool shown = !BandHidden(ParseBands(bands.bandCount, bands.bandStyle), kToolBand);
    if (m_bar.get_visible() != shown) m_bar.set_visible(shown);
}

// A docked bar dragged by its background docks to the window's edge
// nearest to where it was let go; a band moves by its grip instead.
void ToolBarFeature::Dragged(int xRoot, int yRoot) {
    ToolBarPlacement at = m_dock.Placement();
    Glib::RefPtr<Gdk::Window> window = m_window.get_window();
    if (!at.docked || !window) return;
    int x = 0, y = 0;
    window->get_origin(x, y);
    DockSide side = DockSideNearest(xRoot - x, yRoot - y, m_window.get_width(), m_window.get_height());
    if (side != at.side) ReportIfUnsaved(m_dock.DockOn(side));
}

// A layout that did not reach wnds.ini still moves the bar; the user hears
// that the next start will not find it there.
void ToolBarFeature::ReportIfUnsaved(bool saved) {
    if (saved) return;
    Gtk::MessageDialog box(
        m_window, ToUtf8("ツール バーの位置を保存できませんでした。次回の起動では元の位置に戻ります。"),
        false, Gtk::MESSAGE_WARNING, Gtk::BUTTONS_OK, true);
    box.run();
}

void ToolBarFeature::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_TOOL_BAR_CUSTOMIZE, [this] { Customize(); });
    router.Add(ID_TEXT_SIZE,
               {[this] { StepTextSize(); }, [this] { return m_router.IsEnabled(ID_TEXT_LARGEST); }, {}});
    router.Add(ID_PROXY_TOOL_BUTTON, {[this] { m_router.Run(ID_PROXY_SETTINGS); },
                                      [this] { return m_router.IsEnabled(ID_PROXY_SETTINGS); },
                                      {}});
    router.Add(ID_TOOL_BAR_BAND, {[this] {
                                      if (m_dock.Placement().docked) ReportIfUnsaved(m_dock.MakeBand());
                                  },
                                  {},
                                  [this] { return !m_dock.Placement().docked; }});
    for (auto [id, side] : kSideCommands)
        router.Add(id, {[this, side] {
                            if (m_dock.Placement() != ToolBarPlacement{true, side})
                                ReportIfUnsaved(m_dock.DockOn(side));
                        },
                        {},
                        [this, side] {
                            return m_dock.Placement() == ToolBarPlacement{true, side};
                        }});
}

void ToolBarFeature::ServeMissing(CCommandRouter& router) {
    for (const ToolBarButton& row : ToolBarButtons())
        if (!row.IsSeparator() && !router.Has(row.command))
            router.Add(row.command, {[] {}, [] { return false; }, {}});
}

// One size larger each time, from the largest round to the smallest.
void ToolBarFeature::StepTextSize() {
    int next = ID_TEXT_LARGEST + 2;
    for (int id = ID_TEXT_LARGEST; id <= ID_TEXT_SMALLEST; ++id)
        if (m_router.IsChecked(id)) next = id == ID_TEXT_LARGEST ? ID_TEXT_SMALLEST : id - 1;
    m_router.Run(next);
}

void ToolBarFeature::Customize() {
    if (m_dialog) {
        m_dialog->Widget().present();  // one at a time
        return;
    }
    const FernBarsSettings& live = m_settings.Live().fernBars;
    m_dialog = std::make_unique<ToolBarCustomizeDialog>(
        m_window, ToolBarChoice{m_bar.Layout(), ParseToolBarLook(live.buttonStyle)});
    m_dialog->Show([this](std::optional<ToolBarChoice> choice) {
        if (choice)
            m_settings.Change(SettingsSection::FernBars, [&choice](ProgramSettings& s) {
                s.fernBars.buttons = FormatToolBarLayout(choice->layout);
                s.fernBars.buttonStyle = FormatToolBarLook(choice->look);
            });
        // The dialog is still on the stack here.
        Glib::signal_idle().connect_once([this] { m_dialog.reset(); });
    });
}

}  // namespace fern
