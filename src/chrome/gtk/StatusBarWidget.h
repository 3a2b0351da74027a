#pragma once
// The status bar: the message pane and the progress bar of the page.
#include <gtkmm.h>

#include <string>

namespace fern {

class StatusBarWidget : public Gtk::Box {
public:
    StatusBarWidget();
    // Shift-JIS text.
    void SetText(const std::string& text);
    void SetProgress(int percent);
    std::string Text() const;

private:
    Gtk::Label m_message;
    Gtk::ProgressBar m_progress;
};

}  // namespace fern
