#include "frame/gtk/BandsFeature.h"

#include "chrome/ToolBarDock.h"
#include "commands/CommandIds.h"
#include "commands/MenuLayout.h"

namespace fern {

namespace {

std::vector<ReBarWidget::Place> PlacesOf(MainFrameWindow& window) {
    return {{kMenuBand, &window.PlaceBox(WindowPlace::MenuBar), "メニュー バー"},
            {kToolBand, &window.PlaceBox(WindowPlace::ToolBands), "ツール バー"},
            {kAddressBand, &window.PlaceBox(WindowPlace::AddressBar), "アドレス バー"},
            {kLinkBand, &window.PlaceBox(WindowPlace::LinkBar), "リンク バー"},
            {kTabBand, &window.PlaceBox(WindowPlace::TabBarAbove), "タブ バー"}};
}

}  // namespace

BandsFeature::BandsFeature(MainFrameWindow& window, CCommandRouter& router, CSettingsService& settings)
    : m_window(window), m_settings(settings), m_bands(PlacesOf(window)) {
    // The bands stand where their places stood: at the top of the window's
    // box, the one that holds the status bar.
    if (auto* content = dynamic_cast<Gtk::Box*>(window.PlaceBox(WindowPlace::StatusBar).get_parent())) {
        content->pack_start(m_bands, Gtk::PACK_SHRINK);
        content->reorder_child(m_bands, 0);
    }
    m_bands.show();
    m_bands.changed = [this](const BandList& bands) { Store(bands); };
    m_bands.contextMenu = [this](GdkEventButton*) { ShowMenu(); };

    auto context = std::make_shared<MenuContext>();
    context->router = &router;
    context->run = [&router](int id) { router.Run(id); };
    m_menu = BuildMenu(BarsMenu(), context);
    m_menu->attach_to_widget(m_bands);

    Apply();
    m_section = settings.Subscribe(SettingsSection::ReBar, [this] { Apply(); });
    ApplyToolBarStyle();
    m_toolBarStyle = settings.Subscribe(SettingsSection::FernBars, [this] { ApplyToolBarStyle(); });
}

void BandsFeature::ApplyToolBarStyle() {
    m_bands.SetLeftOut(kToolBand, ToolBarDockedByStyle(m_settings.Live().fernBars.toolbarStyle));
}

BandList BandsFeature::Current() const {
    const ReBarSettings& live = m_settings.Live().reBar;
    return ParseBands(live.bandCount, live.bandStyle);
}

void BandsFeature::Apply() {
    BandList bands = Current();
    m_bands.SetBands(bands);
    // A tab bar below the pages is no band, but its switch is the same.
    m_window.PlaceBox(WindowPlace::TabBarBelow).set_visible(!BandHidden(bands, kTabBand));
}

void BandsFeature::Store(const BandList& bands) {
    BandRecord record = FormatBands(bands);
    m_settings.Change(SettingsSection::ReBar, [&record](ProgramSettings& s) {
        s.reBar.bandCount = record.count;
        s.reBar.bandStyle = record.text;
    });
}

void BandsFeature::Toggle(int band) {
    BandList bands = Current();
    SetBandHidden(bands, band, !BandHidden(bands, band));
    Store(bands);
}

void BandsFeature::ShowMenu() { m_menu->popup_at_pointer(nullptr); }

void BandsFeature::RegisterCommands(CCommandRouter& router) {
    auto shown = [this](int band) { return [this, band] { return !BandHidden(Current(), band); }; };
    // The menu bar and the tool bar do not both go: one of them leads back
    // to the menus.
    router.Add(ID_VIEW_MENU_BAR,
               {[this] { Toggle(kMenuBand); },
                [this] { return BandHidden(Current(), kMenuBand) || !BandHidden(Current(), kToolBand); },
                shown(kMenuBand)});
    router.Add(ID_VIEW_TOOL_BAR,
               {[this] { Toggle(kToolBand); },
                [this] { return BandHidden(Current(), kToolBand) || !BandHidden(Current(), kMenuBand); },
                shown(kToolBand)});
    router.Add(ID_VIEW_ADDRESS_BAR, {[this] { Toggle(kAddressBand); }, {}, shown(kAddressBand)});
    router.Add(ID_VIEW_TAB_BAR, {[this] { Toggle(kTabBand); }, {}, shown(kTabBand)});
    router.Add(ID_BARS_FIXED, {[this] {
                                   BandList bands = Current();
                                   SetBandsFixed(bands, !BandsFixed(bands));
                                   Store(bands);
                               },
                               {},
                               [this] { return BandsFixed(Current()); }});
}

}  // namespace fern
