#include "commands/KeySettings.h"

#include "platform/fs/FileIo.h"
#include "platform/shell/MessageBox.h"

namespace fern {

namespace {
constexpr char kCaption[] = "Fern Browser";
}  // namespace

const CKeyManager& CKeySettings::Load() {
    m_keys = CKeyManager();
    m_keys.AddBuiltinKeys();
    if (!m_keys.LoadDefaults(m_defaultsPath).ok)
        m_messageBox.Show(kKeyDefaultsMissing, kCaption, MessageBoxKind::Ok);
    KeyFileStatus user = m_keys.LoadUser(m_userPath);
    m_userUnreadable = !user.ok;
    if (m_userUnreadable)
        LogWriteFailure(m_userPath, "cannot be read and will not be written: " + user.error);
    m_loaded = m_keys;
    return m_keys;
}

bool CKeySettings::SaveIfChanged() {
    if (m_keys == m_loaded || m_userUnreadable) return true;
    KeyFileStatus saved = m_keys.Save(m_userPath);
    if (!saved.ok) {
        LogWriteFailure(m_userPath, saved.error);
        m_messageBox.Show(kKeySaveFailed, kCaption, MessageBoxKind::Ok);
        return false;
    }
    m_loaded = m_keys;
    return true;
}

}  // namespace fern
