#include "privacy/gtk/PrivacyCommandPart.h"

#include "commands/CommandIds.h"
#include "commands/CommandRouter.h"

namespace fern {

PrivacyCommandPart::PrivacyCommandPart(Gtk::Window& parent, InternetOptionsServices services)
    : m_parent(parent), m_services(std::move(services)) {}

PrivacyCommandPart::~PrivacyCommandPart() = default;

void PrivacyCommandPart::RegisterCommands(CCommandRouter& router) {
    CookieSwitch& cookies = m_services.cookies;
    // A flip shows at once in an open dialog.
    auto flip = [this](void (CookieSwitch::*change)()) {
        return [this, change] {
            (m_services.cookies.*change)();
            if (m_dialog && m_dialog->get_visible()) m_dialog->Sync();
        };
    };
    router.Add(ID_COOKIE_FIRST_PARTY,
               {flip(&CookieSwitch::FlipFirstParty), {}, [&cookies] { return cookies.FirstPartyChecked(); }});
    router.Add(ID_COOKIE_SESSION,
               {flip(&CookieSwitch::FlipSession), {}, [&cookies] { return cookies.SessionChecked(); }});
    router.Add(ID_COOKIE_THIRD_PARTY,
               {flip(&CookieSwitch::FlipThirdParty), [&cookies] { return cookies.ThirdPartyEnabled(); },
                [&cookies] { return cookies.ThirdPartyChecked(); }});
    router.Add(ID_COOKIE_INVERT, flip(&CookieSwitch::Invert));
    router.Add(ID_COOKIE_DELETE, [&cookies] { cookies.DeleteAll(); });
    router.Add(ID_INTERNET_OPTIONS, [this] { OpenInternetOptions(InternetOptionsPage::General); });
}

void PrivacyCommandPart::OpenInternetOptions(InternetOptionsPage page) {
    if (!m_dialog) m_dialog = std::make_unique<InternetOptionsDialog>(&m_parent, m_services);
    m_dialog->ShowPage(page);
}

}  // namespace fern
