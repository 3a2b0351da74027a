#pragma once
// The property sheet of one bookmark or folder ("ブックマークのプロパティ",
// page "プロパティ"): name, url, memo, creation time, the download-control
// switches and the security mode. It is not run in a nested loop, so
// whoever opened it (a menu item, an assistive technology) is not held.
#include <gtkmm.h>

#include <functional>

#include "bookmarks/BookmarkEdit.h"
#include "ui/gtk/OptionsControls.h"

namespace fern {

class BookmarkPropertySheet : public Gtk::Dialog {
public:
    // `ok` gets the edited fields when OK is pressed; the sheet then goes.
    BookmarkPropertySheet(Gtk::Window& parent, const BookmarkEditFields& fields,
                          std::function<void(const BookmarkEditFields&)> ok);

    BookmarkEditFields Fields() const;

private:
    BookmarkEditFields m_loaded;
    Gtk::Notebook m_pages;
    Gtk::Grid m_grid;
    Gtk::Entry m_name, m_url, m_created;
    Gtk::TextView m_memo;
    OptionsColumn m_switches;
    Gtk::CheckButton &m_images, &m_videos, &m_sounds, &m_scripts, &m_java, &m_activexRun, &m_activexDownload;
    Gtk::ComboBoxText& m_mode;
    std::function<void(const BookmarkEditFields&)> m_ok;

    void UpdateSensitivity();
};

}  // namespace fern
