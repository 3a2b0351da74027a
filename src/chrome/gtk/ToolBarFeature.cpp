#include "chrome/gtk/ToolBarFeature.h"

#include "commands/CommandIds.h"

namespace fern {

namespace {

SharedMenuContext MakeMenuContext(CCommandRouter& router, MainFrameWindow& window) {
    auto context = std::make_shared<MenuContext>();
    context->router = &router;
    context->run = [&router](int id) { router.Run(id); };
    context->prompt = [&window](const std::string& prompt) { window.StatusBar().SetText(prompt); };
    return context;
}

}  // namespace

ToolBarFeature::ToolBarFeature(MainFrameWindow& window, CCommandRouter& router, CSettingsService& settings)
    : m_window(window),
      m_router(router),
      m_settings(settings),
      m_menus(MakeMenuContext(router, window)),
      m_bar(
          router, [&router](int id) { router.Run(id); },
          [this](int command) -> Gtk::Menu* {
              std::vector<MenuNode> nodes = ToolBarDropDownMenu(command);
              return nodes.empty() ? nullptr : BuildMenu(nodes, m_menus);
          }) {
    m_window.Put(WindowPlace::ToolBands, m_bar);
    Apply();
    m_section = settings.Subscribe(SettingsSection::FernBars, [this] { Apply(); });
}

void ToolBarFeature::Apply() {
    const FernBarsSettings& live = m_settings.Live().fernBars;
    m_bar.SetButtons(ParseToolBarLayout(live.buttons), ParseToolBarLook(live.buttonStyle));
}

void ToolBarFeature::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_TOOL_BAR_CUSTOMIZE, [this] { Customize(); });
    router.Add(ID_TEXT_SIZE,
               {[this] { StepTextSize(); }, [this] { return m_router.IsEnabled(ID_TEXT_LARGEST); }, {}});
    router.Add(ID_PROXY_TOOL_BUTTON, {[this] { m_router.Run(ID_PROXY_SETTINGS); },
                                      [this] { return m_router.IsEnabled(ID_PROXY_SETTINGS); },
                                      {}});
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
