#pragma once
// The address bar's logic: the typed list (most recent first, no two equal
// addresses), the typed-list step of every open, what Enter, a pick from the
// list and a drop open, and the state of the drop-down list. The widget
// mirrors the list and reports the user's actions here.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "addressbar/AddressKeys.h"
#include "settings/AddressBarSettings.h"

namespace fern {

class SettingsStore;

// What the bar's widget shows of the logic.
class IAddressBarView {
public:
    virtual ~IAddressBarView() = default;
    virtual void TypedListChanged() = 0;
    virtual void CloseList() = 0;
    // The settings changed (go button, label).
    virtual void StyleChanged() = 0;
};

// The program's open operation (the tab manager's OpenUrl).
using AddressOpener =
    std::function<void(const std::string& text, int openFlags, std::uint32_t dlc, int securityMode)>;

// The open dialog's OK: FDStyle bit 0 follows "新規タブで開く(&N)" (bits 1
// and 2 stay); the open flags: 3 for a new tab, else 2.
int AcceptOpenDialog(FileDlgSettings& settings, bool newTab);

// Typed addresses are equal without regard to single-byte case, and an
// address with one trailing "/" or "\" equals the address without it.
bool TypedUrlEquals(std::string_view a, std::string_view b);

class CAddressBar {
public:
    // The longest address an item holds, in bytes.
    static constexpr std::size_t kMaxItemBytes = 2084;

    // `settings` is the live section; ApplyStyle follows a change of it.
    explicit CAddressBar(const AddressBarSettings& settings);

    void SetView(IAddressBarView* view) { m_view = view; }
    void SetOpener(AddressOpener open) { m_open = std::move(open); }

    const AddressBarSettings& Settings() const { return m_settings; }
    // Auto-complete is attached when the bar is made; a later change of the
    // setting waits for the next start.
    bool AutoCompleteAtStart() const { return m_autoComplete; }

    // The typed list. Index 0 is the most recent address.
    const std::vector<std::string>& TypedUrls() const { return m_typed; }
    void SetTypedUrls(std::vector<std::string> urls);
    // Moves an equal item to index 0; false when there is none.
    bool AddTypedUrl(std::string_view address);
    void InsertTypedUrl(std::string_view address);
    bool MoveTypedUrl(int from, int to);
    // Deletes the items from index `limit` on (none below 0).
    void TrimTypedList(int limit);
    void ClearTypedList();

    // Applies ABUrlLimit to the list and tells the widget to show the
    // settings again.
    void ApplyStyle();

    // The typed-list step of an open the tab manager carried out for
    // `address`: 0x4 adds (or moves) it and closes the list, 0x8 alone only
    // moves an equal item to the top.
    void OnOpened(std::string_view address, int openFlags);
    // The active tab refused the address (filters, special addresses).
    void OnOpenRefused();

    // Enter in the edit: the text for the edit and, when not empty, what
    // Open opens.
    AddressEnter EnterText(std::string_view editText, bool ctrl, bool shift, bool alt) const;
    void Open(const AddressEnter& request);
    void Drop(const AddressDrop& drop, bool shift, bool alt);

    // The drop-down list.
    void ListOpened();
    void ListClosed();
    bool DroppedDown() const { return m_droppedDown; }
    // The list's selection changed with `text` in the edit: a pick is opened
    // when the list was opened for it and has closed. True when it opened.
    bool SelectionChanged(std::string_view text, bool shift, bool alt);

private:
    const AddressBarSettings& m_settings;
    IAddressBarView* m_view = nullptr;
    AddressOpener m_open;
    std::vector<std::string> m_typed;
    bool m_autoComplete = false;
    bool m_droppedDown = false;
    bool m_pickedFromList = false;

    void Changed();
};

}  // namespace fern
