#include "bookmarks/gtk/BookmarksFeature.h"

#include "bookmarks/gtk/BookmarkOptionsPages.h"
#include "commands/CommandIds.h"
#include "commands/MenuLayout.h"

namespace fern {

BookmarksFeature::BookmarksFeature(Services s)
    : m_window(s.window),
      m_frame(s.frame),
      m_store(s.settings, s.messageBox, s.defaultPath, s.path),
      m_commands(m_store, s.frame, s.settings, [this](BookmarkNode& node) { EditNode(node); }),
      m_linkBar(s.window, s.settings, m_store, m_commands, [this](BookmarkNode& node) { EditNode(node); }) {
    m_store.JoinExitSteps(s.frame);
    std::string dataFolder = s.defaultPath.substr(0, s.defaultPath.rfind('/') + 1);
    m_panel = std::make_unique<BookmarkPanelPart>(BookmarkPanelPart::Services{
        s.window, s.frame, s.settings, s.messageBox, m_store, dataFolder + "Favorites", s.tempFolder});
    AddBookmarkOptionsPages(s.optionsPages, s.settings);
    m_window.AddOwnMenu(kBookmarkMenu, [this](const SharedMenuContext& context) {
        BookmarkMenuWidget::Hooks hooks;
        hooks.commandItem = [context](int id) {
            Gtk::MenuItem* item = CommandMenuItem(id, context);
            item->set_sensitive(context->router->IsEnabled(id));
            return item;
        };
        hooks.activate = [this](int) { m_window.Command(ID_BOOKMARK_MENU_ITEM); };
        hooks.prompt = context->prompt;
        hooks.properties = [this](int entry) {
            if (BookmarkNode* node = m_store.Tree().Menu().LiveNode(entry)) EditNode(*node);
        };
        m_menu = std::make_unique<BookmarkMenuWidget>(m_store.Tree().Menu(), std::move(hooks));
        return m_menu->MakeMenu();
    });
}

void BookmarksFeature::RegisterCommands(CCommandRouter& router) {
    m_commands.RegisterCommands(router);
    m_linkBar.RegisterCommands(router);
    m_panel->RegisterCommands(router);
}

void BookmarksFeature::EditNode(BookmarkNode& node) {
    BookmarkNode* target = &node;
    BookmarkEditFields fields = EditFieldsOf(node, m_store.Tree().Options().dateFormat);
    // One sheet at a time; a new one replaces the old (its edits are dropped, as by Cancel).
    m_sheet = std::make_unique<BookmarkPropertySheet>(m_window, fields,
                                                      [this, target](const BookmarkEditFields& f) {
                                                          if (!m_store.Contains(target)) return;
                                                          ApplyEditFields(f, *target);
                                                          m_store.Changed();
                                                      });
    m_sheet->present();
}

}  // namespace fern
