#include "privacy/CookieSwitch.h"

#include <cstdio>

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

const char kCaption[] = "Fern Browser";

}  // namespace

CookieMode CookieModeOf(int boCookie) { return boCookie == 2 ? CookieMode::Ie45 : CookieMode::Ie6; }

std::string CookiePreferenceText(bool always, bool session) {
    std::string text = always ? "IE6-P3PV1/settings: always=a" : "IE6-P3PV1/settings: always=r";
    if (session) text += " session=a";
    return text;
}

CookieCheckState ReadCookieCheckState(const ZonePreference& preference) {
    if (preference.templateId != CookieSwitch::kCustomTemplate) return {};
    std::string lower = SjisToLower(preference.text);
    return {lower.find("always=a") != std::string::npos, lower.find("session=a") != std::string::npos};
}

CookieSwitch::CookieSwitch(CookieMode mode, IPrivacyPreferences& preferences, ICookieEngine& engine,
                           IMessageBox& messageBox)
    : m_mode(mode), m_preferences(preferences), m_engine(engine), m_messageBox(messageBox) {
    Refresh();
}

void CookieSwitch::SetMode(CookieMode mode) {
    m_mode = mode;
    Refresh();
}

void CookieSwitch::Refresh() {
    for (int type = 0; type < 2; ++type) {
        std::optional<ZonePreference> preference = m_preferences.GetZonePreference(kInternetZone, type);
        m_types[type] = preference ? ReadCookieCheckState(*preference) : CookieCheckState{};
    }
    // A policy that cannot be read shows as not allowed.
    m_persistentAllowed = m_preferences.GetZoneActionPolicy(kInternetZone, kActionPersistent) == kPolicyAllow;
    m_sessionAllowed = m_preferences.GetZoneActionPolicy(kInternetZone, kActionSession) == kPolicyAllow;
    m_engine.ApplyCookiePolicy(EnginePolicy());
}

CookieEnginePolicy CookieSwitch::EnginePolicy() const {
    AllowedCookies allowed;
    if (m_mode == CookieMode::Ie6) {
        allowed = {m_types[0].always, m_types[0].session, m_types[1].always, m_types[1].session};
    } else {
        // The action policies make no difference between sites.
        allowed = {m_persistentAllowed, m_sessionAllowed, m_persistentAllowed, m_sessionAllowed};
    }
    return EnginePolicyFor(allowed);
}

bool CookieSwitch::FirstPartyChecked() const {
    return m_mode == CookieMode::Ie6 ? m_types[0].always : m_persistentAllowed;
}

bool CookieSwitch::SessionChecked() const {
    return m_mode == CookieMode::Ie6 ? m_types[0].session : m_sessionAllowed;
}

bool CookieSwitch::ThirdPartyChecked() const { return m_mode == CookieMode::Ie6 && m_types[1].always; }

void CookieSwitch::WriteType(int type, bool always, bool session, bool* ok) {
    ZonePreference preference{kCustomTemplate, CookiePreferenceText(always, session)};
    if (!m_preferences.SetZonePreference(kInternetZone, type, preference)) *ok = false;
}

void CookieSwitch::FlipAction(int action, bool* ok) {
    std::optional<int> current = m_preferences.GetZoneActionPolicy(kInternetZone, action);
    int next = (current && *current == kPolicyAllow) ? kPolicyDisallow : kPolicyAllow;
    if (!m_preferences.SetZoneActionPolicy(kInternetZone, action, next)) *ok = false;
}

// A preference that was not stored is said so, and the check marks show
// what the file holds.
void CookieSwitch::Finish(bool ok) {
    Refresh();
    if (!ok) {
        std::fprintf(stderr, "fern: the cookie setting could not be saved\n");
        m_messageBox.Show("クッキーの設定を保存できませんでした。", kCaption, MessageBoxKind::Ok);
    }
}

void CookieSwitch::FlipFirstParty() {
    bool ok = true;
    if (m_mode == CookieMode::Ie6) WriteType(0, !m_types[0].always, m_types[0].session, &ok);
    else FlipAction(kActionPersistent, &ok);
    Finish(ok);
}

void CookieSwitch::FlipSession() {
    bool ok = true;
    if (m_mode == CookieMode::Ie6) {
        bool session = !m_types[0].session;
        WriteType(0, m_types[0].always, session, &ok);
        WriteType(1, m_types[1].always, session, &ok);
    } else {
        FlipAction(kActionSession, &ok);
    }
    Finish(ok);
}

void CookieSwitch::FlipThirdParty() {
    if (m_mode != CookieMode::Ie6) return;
    bool ok = true;
    WriteType(1, !m_types[1].always, m_types[1].session, &ok);
    Finish(ok);
}

void CookieSwitch::Invert() {
    FlipSession();
    FlipFirstParty();
    FlipThirdParty();
}

bool CookieSwitch::DeleteAll() {
    if (m_messageBox.Show("クッキーをすべて削除します。\n\nよろしいですか？", kCaption,
                          MessageBoxKind::OkCancel) != MessageBoxAnswer::Ok) {
        m_messageBox.Show("中止しました。", kCaption, MessageBoxKind::Ok);
        return false;
    }
    IMessageBox& box = m_messageBox;
    m_engine.ClearAllCookies([&box](bool ok) {
        if (!ok) box.Show("クッキーを削除できませんでした。", kCaption, MessageBoxKind::Ok);
    });
    return true;
}

}  // namespace fern
