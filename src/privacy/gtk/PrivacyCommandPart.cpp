#include "privacy/gtk/PrivacyCommandPart.h"

#include "privacy/PrivacyCommandIds.h"

namespace fern {

PrivacyCommandPart::PrivacyCommandPart(Gtk::Window& parent, InternetOptionsServices services)
    : m_parent(parent), m_services(std::move(services)) {}

PrivacyCommandPart::~PrivacyCommandPart() = default;

bool PrivacyCommandPart::Command(int id) {
    CookieSwitch& cookies = m_services.cookies;
    switch (id) {
        case ID_COOKIE_FIRST_PARTY: cookies.FlipFirstParty(); break;
        case ID_COOKIE_SESSION: cookies.FlipSession(); break;
        case ID_COOKIE_THIRD_PARTY: cookies.FlipThirdParty(); break;
        case ID_COOKIE_INVERT: cookies.Invert(); break;
        case ID_COOKIE_DELETE: cookies.DeleteAll(); return true;
        case ID_INTERNET_OPTIONS: OpenInternetOptions(InternetOptionsPage::General); return true;
        default: return false;
    }
    if (m_dialog && m_dialog->get_visible()) m_dialog->Sync();
    return true;
}

std::optional<bool> PrivacyCommandPart::IsChecked(int id) const {
    const CookieSwitch& cookies = m_services.cookies;
    switch (id) {
        case ID_COOKIE_FIRST_PARTY: return cookies.FirstPartyChecked();
        case ID_COOKIE_SESSION: return cookies.SessionChecked();
        case ID_COOKIE_THIRD_PARTY: return cookies.ThirdPartyChecked();
        case ID_COOKIE_INVERT:
        case ID_COOKIE_DELETE:
        case ID_INTERNET_OPTIONS: return false;
        default: return std::nullopt;
    }
}

std::optional<bool> PrivacyCommandPart::IsEnabled(int id) const {
    switch (id) {
        case ID_COOKIE_THIRD_PARTY: return m_services.cookies.ThirdPartyEnabled();
        case ID_COOKIE_FIRST_PARTY:
        case ID_COOKIE_SESSION:
        case ID_COOKIE_INVERT:
        case ID_COOKIE_DELETE:
        case ID_INTERNET_OPTIONS: return true;
        default: return std::nullopt;
    }
}

void PrivacyCommandPart::OpenInternetOptions(InternetOptionsPage page) {
    if (!m_dialog) m_dialog = std::make_unique<InternetOptionsDialog>(&m_parent, m_services);
    m_dialog->ShowPage(page);
}

}  // namespace fern
