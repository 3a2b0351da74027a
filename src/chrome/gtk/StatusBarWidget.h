#pragma once
// The status bar: left to right the message pane, the progress bar, the
// offline, security-zone and lock indicators and the download-control strip.
// It knows nothing of the frame: what a click means comes in as callbacks.
#include <gtkmm.h>

#include "platform/Signal.h"

#include <cstdint>
#include <functional>
#include <string>

#include "chrome/ProgressPane.h"
#include "chrome/gtk/DownloadControlStripWidget.h"

namespace fern {

class StatusBarWidget : public Gtk::Box {
public:
    StatusBarWidget();

    // What the indicators ask for when clicked; features listen.
    Signal<> offlineClicked;
    Signal<> zoneClicked;
    Signal<> lockDoubleClicked;
    Signal<std::uint32_t> downloadControlToggled;  // a bit of BODLCDefault
    Signal<int> stripStyleChanged;

    // Shift-JIS text.
    void SetText(const std::string& text);
    std::string Text() const;
    void SetProgress(int percent);
    // The indicators; each redraws only when its value changes.
    void SetOffline(bool offline);
    void SetZone(int zone);
    void SetSecureLock(int level);
    void SetDownloadControl(std::uint32_t flags);
    void SetDlcStyle(int style) { m_strip.SetStyle(style); }
    int DlcStyle() { return m_strip.Strip().Style(); }
    bool LoadImages(const std::string& resFolder) { return m_strip.LoadImages(resFolder); }

    // For tests: the parts as assistive technologies reach them.
    Gtk::ProgressBar& ProgressBar() { return m_progress; }
    Gtk::ToggleButton& OfflineIndicator() { return m_offline; }
    Gtk::Button& ZoneIndicator() { return m_zone; }
    Gtk::EventBox& LockIndicator() { return m_lock; }
    DownloadControlStripWidget& Strip() { return m_strip; }

private:
    Gtk::Label m_message;
    Gtk::ProgressBar m_progress;
    CProgressPane m_progressPane;
    Gtk::ToggleButton m_offline;
    Gtk::Image m_offlineImage;
    Gtk::Button m_zone;
    Gtk::Image m_zoneImage;
    Gtk::EventBox m_lock;
    Gtk::Image m_lockImage;
    DownloadControlStripWidget m_strip;
    bool m_isOffline = false;
    bool m_showingOffline = false;  // the toggle is being set, not clicked
    int m_zoneNumber = -1;
    bool m_locked = false;

    void ShowProgress();
};

}  // namespace fern
