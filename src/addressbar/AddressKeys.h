#pragma once
// What the address bar does with a key, a pick from its list and a drop:
// small rules on plain values, so the widget only reads its state, asks here
// and carries the answer out.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fern {

// Open flags the bar sends with its opens: 0x2 focus the page, 0x4 add the
// address to the typed list, 0x8 move it to the top, 0x1 new tab.
inline constexpr int kAddressEnterFlags = 0xE;
inline constexpr int kAddressPickFlags = 0xA;
inline constexpr int kAddressNewTabFlag = 0x1;
// The download-control value and security mode of those opens: keep the
// page's flags.
inline constexpr std::uint32_t kAddressDlc = 0xFFFFFFFFu;
inline constexpr int kAddressSecurityMode = 1;

inline constexpr std::string_view kViewSourcePrefix = "view-source:";

enum class AddressKey { Tab, Enter, Escape, Up, Down, F4, A, F6, Other };

struct AddressKeyInput {
    AddressKey key = AddressKey::Other;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    bool listOpen = false;
    bool firstItemSelected = false;  // the open list's selection is item 0
    bool barVisible = true;
    bool hasPage = false;  // the active tab has a page view
};

enum class AddressKeyAction {
    PassOn,       // not handled: the controls see the key
    SendToPage,   // the page gets a synthetic press and release of the key
    Open,         // Enter: see AddressEnter
    RefocusEdit,  // focus away from the edit and back
    CloseList,
    CloseListToEdit,  // close the list, focus the edit, select all
    SelectAllOpenList,
    ToggleList,
    SelectAll,
};

// A key-down (or system-key-down) that reaches the bar.
AddressKeyAction AddressKeyDown(const AddressKeyInput& in);

// Enter: the text that goes back into the edit and, when it is not empty,
// is opened with `flags`.
struct AddressEnter {
    std::string text;
    int flags = kAddressEnterFlags;
};
AddressEnter AddressEnterText(std::string_view editText, bool ctrl, bool shift, bool alt,
                              std::string_view addFront, std::string_view addBack);

// A pick from the list or a drop: the address and its flags (0xA, 0xB with
// Shift), "view-source:" in front with Alt.
AddressEnter AddressPickText(std::string_view text, bool shift, bool alt);

// The go button's tool tip: the edit text in quotes, shortened with
// CompactPath so the whole tip stays within 120 bytes, and "へ移動" on a
// second line.
std::string GoButtonTip(std::string_view editText);

// What a drop on the bar opens, in order. Bookmarks (their urls) are
// preferred to files, files to text. Several addresses go to new tabs, one
// after the other (opening each in the same tab would leave only the last).
struct AddressDrop {
    std::vector<std::string> bookmarkUrls;
    std::vector<std::string> files;
    std::string text;
};
std::vector<AddressEnter> AddressDropOpens(const AddressDrop& drop, bool shift, bool alt);

}  // namespace fern
