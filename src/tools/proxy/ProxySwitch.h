#pragma once
// The connection mode of the whole browser: the desktop's settings (1), a
// direct connection (2) or one of the named proxies of proxy.ini (4). The
// mode is applied to the one network session every tab and pop-up uses, at
// start and on every change, and kept in ProxyConnect / ProxyIndex.
#include <string>
#include <vector>

#include "commands/CommandRouter.h"
#include "commands/MenuLayout.h"
#include "platform/shell/MessageBox.h"
#include "settings/SettingsService.h"
#include "tools/proxy/EngineProxy.h"
#include "tools/proxy/ProxyEntry.h"

namespace fern {

enum ProxyMode { kProxyFailed = 0, kProxySystem = 1, kProxyDirect = 2, kProxyNamed = 4 };

// Entries past this many are kept in proxy.ini and in the dialog but get no
// menu item: their ids would run into the next command range.
inline constexpr int kProxyMenuEntries = 256;

struct ProxySwitchServices {
    IProxyEngine& engine;
    IMessageBox& messageBox;
    CSettingsService& settings;
    std::string filePath;  // proxy.ini, file-system bytes
};

class CProxySwitch {
public:
    explicit CProxySwitch(ProxySwitchServices services);

    // Reads proxy.ini, ProxyConnect and ProxyIndex and applies the mode.
    void Start();

    void ChooseEntry(int index);
    void ChooseDirect();
    // The desktop's settings take effect at once: the engine follows them
    // without a restart.
    void ChooseSystem();

    int Mode() const { return m_mode; }
    int Index() const { return m_index; }
    const std::vector<ProxyEntry>& Entries() const { return m_entries; }

    // Writes proxy.ini with `entries` and starts again from the stored mode;
    // false (nothing changed) when the file could not be written.
    bool SaveEntries(const std::vector<ProxyEntry>& entries, std::string* error);

    // "&1 name" .. for the menu, checked while chosen.
    std::vector<DynamicMenuItem> MenuItems() const;
    // The mode commands and the entries' range; the dialog's command belongs
    // to the window.
    void RegisterCommands(CCommandRouter& router);

    // What the last named entry could not say to the engine, for the dialog.
    const std::vector<std::string>& Unexpressed() const { return m_unexpressed; }

private:
    ProxySwitchServices m_s;
    std::vector<ProxyEntry> m_entries;
    int m_mode = kProxySystem;
    int m_index = -1;
    std::vector<std::string> m_unexpressed;

    void Apply(int mode, int index);
    void Remember();
};

inline constexpr char kProxyFailedText[] = "プロキシの設定に失敗しました。\n\nダイレクト接続に切り替えます。";

}  // namespace fern
