#include "bookmarks/BookmarkStore.h"

#include <cstdio>

#include "frame/MainFrame.h"
#include "platform/fs/FileIo.h"
#include "platform/fs/FsPath.h"
#include "platform/shell/MessageBox.h"

namespace fern {

namespace {

const char kCaption[] = "Fern Browser";

}  // namespace

CBookmarkStore::CBookmarkStore(CSettingsService& settings, IMessageBox& messageBox, std::string defaultPath,
                               const std::string& initialPath, BookmarkClock clock)
    : m_settings(settings), m_messageBox(messageBox), m_defaultPath(std::move(defaultPath)) {
    m_tree = std::make_unique<BookmarkTree>(BookmarkOptions::FromSettings(settings.Live().bookmark),
                                            std::move(clock));
    ListFileStatus read = m_tree->Load(initialPath.empty() ? m_defaultPath : initialPath);
    // A missing file is the first start; one that is there but unreadable is said.
    if (m_tree->Unreadable())
        std::fprintf(stderr, "fern: %s cannot be read and will not be saved: %s\n",
                     PathForDisplay(m_tree->Path()).c_str(), read.error.c_str());
    m_section = settings.Subscribe(SettingsSection::Bookmark, [this] { SettingsChanged(); });
}

std::string CBookmarkStore::PathOf(const std::string& storedText) const {
    std::string path = storedText.empty() ? std::string() : PathFromText(storedText);
    return path.empty() ? m_defaultPath : path;
}

void CBookmarkStore::JoinExitSteps(CMainFrame& frame) {
    m_exitStep = frame.Exit().bookmarks.Connect([this] { Save(); });
}

bool CBookmarkStore::Save() {
    BookmarkSaveResult result = m_tree->Save();
    if (result) {
        m_lastToldError.clear();
        return true;
    }
    // The auto-save tick comes back every few minutes: one message per
    // failure, not one per tick.
    if (result.error != m_lastToldError) {
        m_lastToldError = result.error;
        m_messageBox.Show(
            PathForDisplay(m_tree->Path()) + "\nブックマークを保存できませんでした。\n" + result.error,
            kCaption, MessageBoxKind::Ok);
    }
    return false;
}

bool CBookmarkStore::Contains(const BookmarkNode* node) const {
    for (const BookmarkNode* top : {&m_tree->Root(), &m_tree->Trash()})
        for (const BookmarkNode* n = top; n; n = NextInTree(n, top))
            if (n == node) return true;
    return false;
}

void CBookmarkStore::Changed() {
    m_tree->SetModified();
    changed.Emit();
}

void CBookmarkStore::SettingsChanged() {
    const BookmarkSettings& live = m_settings.Live().bookmark;
    m_tree->SetOptions(BookmarkOptions::FromSettings(live));
    std::string path = PathOf(live.bookmarkPath);
    if (path != m_tree->Path()) {
        if (!m_tree->Switch(path, m_messageBox))
            m_messageBox.Show(PathForDisplay(m_tree->Path()) +
                                  "\nブックマークを保存できなかったため、ファイルを切り替えませんでした。",
                              kCaption, MessageBoxKind::Ok);
    }
    changed.Emit();
}

}  // namespace fern
