#pragma once
// The desktop clipboard for the bookmark panel: the private format with the
// urls as text beside it, plain text, and file lists (".url" files).
#include <gtkmm.h>

#include <string>
#include <vector>

#include "bookmarks/panel/BookmarkPanel.h"

namespace fern {

class BookmarkClipboardGtk : public IBookmarkClipboard {
public:
    void PutNodes(const std::string& privateBytes, const std::string& text) override;
    void PutText(const std::string& text) override;
    BookmarkTransfer Get() override;
    bool HasData() override;
};

// The targets a drag or the clipboard offers and a drop accepts.
std::vector<Gtk::TargetEntry> BookmarkTransferTargets();
// What selection data of any of those targets carries.
BookmarkTransfer TransferFromSelection(const Gtk::SelectionData& data);

}  // namespace fern
