#pragma once
// The cookie commands: flips of the stored preferences in the two
// switching modes (BOCookie 2 = "IE4-5" zone action policies, anything else
// = "IE6" privacy preferences), the check states read back from them, the
// engine's policy that follows, and deleting every cookie.
#include <optional>
#include <string>

#include "platform/shell/MessageBox.h"
#include "privacy/CookiePolicy.h"
#include "privacy/PrivacyPreferences.h"

namespace fern {

enum class CookieMode { Ie45, Ie6 };

CookieMode CookieModeOf(int boCookie);

// "IE6-P3PV1/settings: always=a" or "...always=r", then " session=a" when
// session cookies are allowed.
std::string CookiePreferenceText(bool always, bool session);

struct CookieCheckState {
    bool always = false;
    bool session = false;
};
// Template 101 only; the text is read lower-cased.
CookieCheckState ReadCookieCheckState(const ZonePreference& preference);

class CookieSwitch {
public:
    static constexpr int kInternetZone = 3;
    static constexpr int kCustomTemplate = 101;
    static constexpr int kActionPersistent = 0x1A02;
    static constexpr int kActionSession = 0x1A03;
    static constexpr int kPolicyAllow = 0;
    static constexpr int kPolicyDisallow = 3;

    CookieSwitch(CookieMode mode, IPrivacyPreferences& preferences, ICookieEngine& engine,
                 IMessageBox& messageBox);

    CookieMode Mode() const { return m_mode; }
    void SetMode(CookieMode mode);

    // Flips as the menu commands do, then tells the engine.
    void FlipFirstParty();  // 33050
    void FlipSession();     // 33051
    void FlipThirdParty();  // 33052, nothing in "IE4-5" mode
    void Invert();          // 33053: session, first party, third party
    // 33054: asks first; false when the user cancelled.
    bool DeleteAll();

    bool FirstPartyChecked() const;
    bool SessionChecked() const;
    bool ThirdPartyChecked() const;
    bool ThirdPartyEnabled() const { return m_mode == CookieMode::Ie6; }

    // Re-reads the stored preferences and tells the engine.
    void Refresh();
    CookieEnginePolicy EnginePolicy() const;

private:
    CookieMode m_mode;
    IPrivacyPreferences& m_preferences;
    ICookieEngine& m_engine;
    IMessageBox& m_messageBox;
    // "IE6": [cookie type]; "IE4-5": the persistent and session policies.
    CookieCheckState m_types[2];
    bool m_persistentAllowed = false, m_sessionAllowed = false;

    void WriteType(int type, bool always, bool session, bool* ok);
    void FlipAction(int action, bool* ok);
    void Finish(bool ok);
};

}  // namespace fern
