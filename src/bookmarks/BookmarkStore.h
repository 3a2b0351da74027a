#pragma once
// The bookmark tree of the running browser: read at start from the file the
// Bookmark section names, saved by the exit step (and by the auto-save tick
// while its switch is on), and replaced, after the modified question, when
// the options name another file. Whoever shows the tree (the menu, the link
// bar) listens to `changed`.
#include <memory>
#include <string>

#include "bookmarks/BookmarkTree.h"
#include "platform/Signal.h"
#include "settings/SettingsService.h"

namespace fern {

class CMainFrame;
class IMessageBox;

class CBookmarkStore {
public:
    // `defaultPath` is bookmark.fbl in the data folder, used while
    // BKBookmarkPath is empty; `initialPath` the file read now.
    CBookmarkStore(CSettingsService& settings, IMessageBox& messageBox, std::string defaultPath,
                   const std::string& initialPath, BookmarkClock clock = {});
    CBookmarkStore(const CBookmarkStore&) = delete;
    CBookmarkStore& operator=(const CBookmarkStore&) = delete;

    BookmarkTree& Tree() { return *m_tree; }
    const BookmarkTree& Tree() const { return *m_tree; }

    // Joins the frame's bookmark save step (exit and auto-save tick).
    void JoinExitSteps(CMainFrame& frame);

    // Saves a modified tree. A failure is logged and, unless the same
    // failure was told already, shown to the user; false then.
    bool Save();

    // A change for the user (add, edit): the tree is marked modified and
    // its viewers rebuild.
    void Changed();

    // Whether `node` is still in the tree (a sheet open while the file was
    // switched holds a node that is gone).
    bool Contains(const BookmarkNode* node) const;

    // The tree's contents or options changed: menus and bars rebuild.
    Signal<> changed;

    // The file a stored BKBookmarkPath names (the default when empty).
    std::string PathOf(const std::string& storedText) const;

private:
    CSettingsService& m_settings;
    IMessageBox& m_messageBox;
    std::string m_defaultPath;
    std::unique_ptr<BookmarkTree> m_tree;
    SettingsSubscription m_section;
    SignalConnection m_exitStep;
    std::string m_lastToldError;

    void SettingsChanged();
};

}  // namespace fern
