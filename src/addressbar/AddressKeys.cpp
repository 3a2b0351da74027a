#include "addressbar/AddressKeys.h"

#include "frame/TabDrop.h"
#include "platform/text/TextCut.h"

namespace fern {

namespace {

constexpr std::string_view kTipHead = "\"";
constexpr std::string_view kTipTail = "\"\n  へ移動";
constexpr std::size_t kTipLimit = 120;

std::string WithViewSource(std::string_view text, bool alt) {
    return alt ? std::string(kViewSourcePrefix) + std::string(text) : std::string(text);
}

}  // namespace

AddressKeyAction AddressKeyDown(const AddressKeyInput& in) {
    switch (in.key) {
        case AddressKey::Tab: return in.hasPage ? AddressKeyAction::SendToPage : AddressKeyAction::PassOn;
        case AddressKey::Enter: return AddressKeyAction::Open;
        case AddressKey::Escape:
            return in.listOpen ? AddressKeyAction::CloseList : AddressKeyAction::RefocusEdit;
        case AddressKey::Up:
            return in.listOpen && in.firstItemSelected ? AddressKeyAction::CloseListToEdit
                                                       : AddressKeyAction::PassOn;
        case AddressKey::Down:
            return in.listOpen ? AddressKeyAction::PassOn : AddressKeyAction::SelectAllOpenList;
        case AddressKey::F4:
            return !in.alt && in.barVisible ? AddressKeyAction::ToggleList : AddressKeyAction::PassOn;
        case AddressKey::A: return in.ctrl ? AddressKeyAction::SelectAll : AddressKeyAction::PassOn;
        case AddressKey::F6: return in.hasPage ? AddressKeyAction::SendToPage : AddressKeyAction::PassOn;
        case AddressKey::Other: break;
    }
    return AddressKeyAction::PassOn;
}

AddressEnter AddressEnterText(std::string_view editText, bool ctrl, bool shift, bool alt,
                              std::string_view addFront, std::string_view addBack) {
    AddressEnter out;
    out.text = std::string(editText);
    if (ctrl && !out.text.empty()) out.text = std::string(addFront) + out.text + std::string(addBack);
    out.text = WithViewSource(out.text, alt);
    out.flags = shift ? (kAddressEnterFlags | kAddressNewTabFlag) : kAddressEnterFlags;
    return out;
}

AddressEnter AddressPickText(std::string_view text, bool shift, bool alt) {
    AddressEnter out;
    out.text = WithViewSource(text, alt);
    out.flags = shift ? (kAddressPickFlags | kAddressNewTabFlag) : kAddressPickFlags;
    return out;
}

std::string GoButtonTip(std::string_view editText) {
    std::string tip(kTipHead);
    tip += CompactPath(editText, kTipLimit - kTipHead.size() - kTipTail.size());
    tip += kTipTail;
    return tip;
}

std::vector<AddressEnter> AddressDropOpens(const AddressDrop& drop, bool shift, bool alt) {
    std::vector<std::string> addresses;
    if (!drop.bookmarkUrls.empty()) {
        addresses = drop.bookmarkUrls;
    } else if (!drop.files.empty()) {
        addresses = drop.files;
    } else {
        std::string text = TrimDropText(drop.text);
        if (!text.empty()) addresses.push_back(text);
    }
    std::vector<AddressEnter> opens;
    bool newTab = shift || addresses.size() > 1;
    for (const std::string& address : addresses) {
        if (address.empty()) continue;
        opens.push_back(AddressPickText(address, newTab, alt));
    }
    return opens;
}

}  // namespace fern
