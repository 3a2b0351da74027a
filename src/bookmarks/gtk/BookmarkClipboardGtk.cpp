#include "bookmarks/gtk/BookmarkClipboardGtk.h"

#include "lists/BookmarkClip.h"
#include "platform/text/Encoding.h"
#include "platform/text/UrlText.h"

namespace fern {

namespace {

const char kUriList[] = "text/uri-list";

Glib::RefPtr<Gtk::Clipboard> Clip() { return Gtk::Clipboard::get(GDK_SELECTION_CLIPBOARD); }

// Files of a uri list as paths; other addresses as lines of text.
void TakeUris(const std::vector<Glib::ustring>& uris, BookmarkTransfer& out) {
    for (const Glib::ustring& uri : uris) {
        std::string path;
        try {
            path = Glib::filename_from_uri(uri);
        } catch (const Glib::Error&) {}
        if (!path.empty()) out.files.push_back(path);
        else if (out.text.empty()) out.text = UrlFromUtf8(uri.raw());
    }
}

}  // namespace

std::vector<Gtk::TargetEntry> BookmarkTransferTargets() {
    return {Gtk::TargetEntry(kBookmarkClipFormat), Gtk::TargetEntry(kUriList),
            Gtk::TargetEntry("UTF8_STRING"), Gtk::TargetEntry("text/plain;charset=utf-8"),
            Gtk::TargetEntry("text/plain")};
}

BookmarkTransfer TransferFromSelection(const Gtk::SelectionData& data) {
    BookmarkTransfer out;
    if (data.get_length() <= 0) return out;
    std::string target = data.get_target();
    if (target == kBookmarkClipFormat) {
        out.privateBytes = data.get_data_as_string();
    } else if (target == kUriList) {
        TakeUris(data.get_uris(), out);
    } else {
        out.text = FromUtf8(data.get_text().raw());
    }
    return out;
}

void BookmarkClipboardGtk::PutNodes(const std::string& privateBytes, const std::string& text) {
    std::vector<Gtk::TargetEntry> targets{Gtk::TargetEntry(kBookmarkClipFormat),
                                          Gtk::TargetEntry("UTF8_STRING"),
                                          Gtk::TargetEntry("text/plain;charset=utf-8")};
    std::string utf8 = ToUtf8(text);
    Clip()->set(
        targets,
        [privateBytes, utf8](Gtk::SelectionData& data, guint) {
            if (data.get_target() == kBookmarkClipFormat)
                data.set(kBookmarkClipFormat, 8, reinterpret_cast<const guint8*>(privateBytes.data()),
                         static_cast<int>(privateBytes.size()));
            else data.set_text(utf8);
        },
        [] {});
}

void BookmarkClipboardGtk::PutText(const std::string& text) { Clip()->set_text(ToUtf8(text)); }

BookmarkTransfer BookmarkClipboardGtk::Get() {
    BookmarkTransfer out;
    auto clip = Clip();
    if (clip->wait_is_target_available(kBookmarkClipFormat)) {
        Gtk::SelectionData data = clip->wait_for_contents(kBookmarkClipFormat);
        out.privateBytes = data.get_data_as_string();
        if (!out.privateBytes.empty()) return out;
    }
    if (clip->wait_is_uris_available()) TakeUris(clip->wait_for_uris(), out);
    if (out.files.empty() && clip->wait_is_text_available()) out.text = FromUtf8(clip->wait_for_text().raw());
    return out;
}

bool BookmarkClipboardGtk::HasData() {
    auto clip = Clip();
    return clip->wait_is_target_available(kBookmarkClipFormat) || clip->wait_is_text_available() ||
           clip->wait_is_uris_available();
}

}  // namespace fern
