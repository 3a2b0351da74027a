#pragma once
// The options pages "ブックマーク" (section Bookmark: how bookmarks open,
// the menu's texts and optional items, the add style, the bookmark file,
// the date picture and the tool tips) and "リンク バー" (section LinkBar).
// The bookmark file changes through the bookmarks' own switch, which asks
// first when the tree has unsaved changes.
#include "options/gtk/OptionsPage.h"
#include "settings/SettingsService.h"
#include "ui/gtk/OptionsControls.h"

namespace fern {

class BookmarkOptionsPage : public IOptionsPage {
public:
    explicit BookmarkOptionsPage(CSettingsService& settings);
    Gtk::Widget& Widget() override { return m_column; }
    void Load(const ProgramSettings& working) override;
    void Store(COptionsSession& session) override;

private:
    CSettingsService& m_settings;
    OptionsColumn m_column;
    Gtk::CheckButton& m_newTab;
    Gtk::CheckButton& m_focus;
    Gtk::CheckButton& m_limitText;
    Gtk::SpinButton& m_textLimit;
    Gtk::CheckButton& m_addHere;
    Gtk::CheckButton& m_openFolder;
    Gtk::ComboBoxText& m_addStyle;
    Gtk::Entry m_path;
    Gtk::Entry m_dateFormat;
    Gtk::CheckButton& m_tipName;
    Gtk::CheckButton& m_tipUrl;
    Gtk::CheckButton& m_tipMemo;
    Gtk::CheckButton& m_tipCreated;
    BookmarkSettings m_loaded;

    void ChoosePath();
};

class LinkBarOptionsPage : public IOptionsPage {
public:
    LinkBarOptionsPage();
    Gtk::Widget& Widget() override { return m_column; }
    void Load(const ProgramSettings& working) override;
    void Store(COptionsSession& session) override;

private:
    OptionsColumn m_column;
    Gtk::CheckButton& m_newTab;
    Gtk::CheckButton& m_icons;
    Gtk::CheckButton& m_fixedWidth;
    Gtk::SpinButton& m_width;
    Gtk::CheckButton& m_addHere;
    Gtk::CheckButton& m_openFolder;
};

void AddBookmarkOptionsPages(COptionsPages& pages, CSettingsService& settings);

}  // namespace fern
