#pragma once
// The program's keys through their life: the shipped defaults and the
// user's keys.ini read at start-up, replaced when the key dialog is
// confirmed, and the user's keys written at the end when they changed.
#include <string>

#include "commands/KeyManager.h"

namespace fern {

class IMessageBox;

inline constexpr char kKeyDefaultsMissing[] = "キー設定初期化ファイルがみつかりません";
inline constexpr char kKeySaveFailed[] = "キー設定ファイルの書き込みに失敗しました";

class CKeySettings {
public:
    // `defaultsPath`: res/keys.ini; `userPath`: keys.ini in the data folder.
    CKeySettings(std::string defaultsPath, std::string userPath, IMessageBox& messageBox)
        : m_defaultsPath(std::move(defaultsPath)),
          m_userPath(std::move(userPath)),
          m_messageBox(messageBox) {}

    // Missing defaults are told with a message box; the user's file may be
    // missing. A user file that exists but cannot be read is never
    // overwritten (its keys are not lost by a save).
    const CKeyManager& Load();
    const CKeyManager& Keys() const { return m_keys; }
    void Replace(const CKeyManager& keys) { m_keys = keys; }
    // Writes keys.ini when the keys differ from what was read; a failure is
    // told with a message box. False when it failed.
    bool SaveIfChanged();

private:
    std::string m_defaultsPath, m_userPath;
    IMessageBox& m_messageBox;
    CKeyManager m_keys, m_loaded;
    bool m_userUnreadable = false;
};

}  // namespace fern
