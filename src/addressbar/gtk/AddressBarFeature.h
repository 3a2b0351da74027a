#pragma once
// The address bar in the window: the bar's logic with the typed list of
// typed.fbl, its widget in the address-bar place, its commands ("開く(&O)..."
// and the bar's own), and its part of every open.
#include <gtkmm.h>

#include <memory>
#include <string>

#include "addressbar/AddressBar.h"
#include "addressbar/TypedUrlFile.h"
#include "addressbar/gtk/AddressBarWidget.h"
#include "addressbar/gtk/AddressOptionsPage.h"
#include "frame/MainFrame.h"
#include "frame/StateLog.h"
#include "platform/Signal.h"
#include "settings/SettingsService.h"

namespace fern {

class CCommandRouter;

class AddressBarFeature {
public:
    // Reads typed.fbl (`typedPath`); `tempFolder` holds the shortcut files of
    // drags. Takes part in every open of `frame` and saves typed.fbl in the
    // end's typed-list step.
    AddressBarFeature(CMainFrame& frame, Gtk::Window& dialogParent, CSettingsService& settings,
                      COptionsPages& optionsPages, IMessageBox& messageBox, std::string typedPath,
                      std::string tempFolder);
    AddressBarFeature(const AddressBarFeature&) = delete;
    AddressBarFeature& operator=(const AddressBarFeature&) = delete;

    AddressBarWidget& Widget() { return *m_widget; }
    CAddressBar& Logic() { return m_bar; }
    // typed.fbl as read; the side bar's search panels keep their words in it.
    TypedHistory& Typed() { return m_typed; }
    void RegisterCommands(CCommandRouter& router);
    // typed.fbl now (the end does it by itself); false when it was not written.
    bool SaveTypedHistory();

private:
    CMainFrame& m_frame;
    Gtk::Window& m_parent;
    CSettingsService& m_settings;
    std::string m_typedPath;
    CAddressBar m_bar;
    TypedHistory m_typed;
    std::unique_ptr<AddressBarWidget> m_widget;
    SettingsSubscription m_style;
    SignalConnection m_opened, m_refused, m_typedStep;
    AddressPageServices m_pageServices;

    void OpenDialog();
};

}  // namespace fern
