#include "addressbar/AddressBar.h"

#include "platform/text/SjisByteClass.h"
#include "settings/SettingsStore.h"

namespace fern {

namespace {

// The address without one trailing "/" or "\" (a "\" that is the second
// byte of a character is part of that character).
std::string_view WithoutTrailingSeparator(std::string_view text) {
    if (text.empty()) return text;
    char last = text.back();
    if ((last == '/' || last == '\\') && SjisByteClassAt(text, text.size() - 1) == SjisByteClass::Single)
        text.remove_suffix(1);
    return text;
}

std::string ItemText(std::string_view address) {
    return std::string(address.substr(0, SjisSafeCut(address, CAddressBar::kMaxItemBytes)));
}

}  // namespace

int AcceptOpenDialog(FileDlgSettings& settings, bool newTab) {
    settings.openInNewTab = newTab;
    settings.style = newTab ? (settings.style | 0x1) : (settings.style & ~0x1);
    return newTab ? 3 : 2;
}

bool TypedUrlEquals(std::string_view a, std::string_view b) {
    return SjisCompareNoCase(WithoutTrailingSeparator(a), WithoutTrailingSeparator(b)) == 0;
}

CAddressBar::CAddressBar(const AddressBarSettings& settings)
    : m_settings(settings), m_autoComplete(settings.autoComplete) {}

void CAddressBar::Changed() {
    if (m_view) m_view->TypedListChanged();
}

void CAddressBar::SetTypedUrls(std::vector<std::string> urls) {
    m_typed.clear();
    for (std::string& url : urls) m_typed.push_back(ItemText(url));
    Changed();
}

bool CAddressBar::AddTypedUrl(std::string_view address) {
    std::string item = ItemText(address);
    for (std::size_t i = 0; i < m_typed.size(); ++i)
        if (TypedUrlEquals(m_typed[i], item)) {
            MoveTypedUrl(static_cast<int>(i), 0);
            return true;
        }
    return false;
}

void CAddressBar::InsertTypedUrl(std::string_view address) {
    m_typed.insert(m_typed.begin(), ItemText(address));
    Changed();
}

bool CAddressBar::MoveTypedUrl(int from, int to) {
    int count = static_cast<int>(m_typed.size());
    if (from < 0 || from >= count || to < 0 || to >= count) return false;
    std::string text = std::move(m_typed[from]);
    m_typed.erase(m_typed.begin() + from);
    m_typed.insert(m_typed.begin() + to, std::move(text));
    Changed();
    return true;
}

void CAddressBar::TrimTypedList(int limit) {
    std::size_t keep = limit < 0 ? 0 : static_cast<std::size_t>(limit);
    if (m_typed.size() <= keep) return;
    m_typed.resize(keep);
    Changed();
}

void CAddressBar::ClearTypedList() {
    m_typed.clear();
    Changed();
}

void CAddressBar::ApplyStyle() {
    TrimTypedList(m_settings.urlLimit);
    if (m_view) m_view->StyleChanged();
}

void CAddressBar::OnOpened(std::string_view address, int openFlags) {
    if (address.empty()) return;
    if (openFlags & 0x4) {
        if (!AddTypedUrl(address)) InsertTypedUrl(address);
        if (m_droppedDown && m_view) m_view->CloseList();
    } else if (openFlags & 0x8) {
        AddTypedUrl(address);
    }
}

void CAddressBar::OnOpenRefused() {
    if (m_view) m_view->CloseList();
}

AddressEnter CAddressBar::EnterText(std::string_view editText, bool ctrl, bool shift, bool alt) const {
    return AddressEnterText(editText, ctrl, shift, alt, m_settings.addUrlFront, m_settings.addUrlBack);
}

void CAddressBar::Open(const AddressEnter& request) {
    if (request.text.empty() || !m_open) return;
    m_open(request.text, request.flags, kAddressDlc, kAddressSecurityMode);
}

void CAddressBar::Drop(const AddressDrop& drop, bool shift, bool alt) {
    for (const AddressEnter& open : AddressDropOpens(drop, shift, alt)) Open(open);
}

void CAddressBar::ListOpened() {
    m_droppedDown = true;
    m_pickedFromList = true;
}

void CAddressBar::ListClosed() { m_droppedDown = false; }

bool CAddressBar::SelectionChanged(std::string_view text, bool shift, bool alt) {
    bool picked = m_pickedFromList && !m_droppedDown;
    m_pickedFromList = false;
    if (!picked || text.empty()) return false;
    Open(AddressPickText(text, shift, alt));
    return true;
}

}  // namespace fern
