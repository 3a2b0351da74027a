#include "tools/proxy/ProxySwitch.h"

#include <algorithm>
#include <cstdio>

#include "commands/CommandIds.h"
#include "tools/proxy/ProxyFile.h"

namespace fern {

namespace {

// "&" in a name is a letter, not a mnemonic.
std::string MenuSafe(const std::string& name) {
    std::string out;
    for (char c : name) {
        out += c;
        if (c == '&') out += '&';  // never a trail byte
    }
    return out;
}

}  // namespace

CProxySwitch::CProxySwitch(ProxySwitchServices services) : m_s(std::move(services)) {}

void CProxySwitch::Start() {
    m_entries = ReadProxyFile(m_s.filePath);
    const ProxySettings& stored = m_s.settings.Live().proxy;
    int mode =
        stored.connect == kProxyDirect || stored.connect == kProxyNamed ? stored.connect : kProxySystem;
    Apply(mode, stored.index);
}

void CProxySwitch::ChooseEntry(int index) { Apply(kProxyNamed, index); }
void CProxySwitch::ChooseDirect() { Apply(kProxyDirect, -1); }
void CProxySwitch::ChooseSystem() { Apply(kProxySystem, -1); }

void CProxySwitch::Apply(int mode, int index) {
    EngineProxy proxy;
    m_index = -1;
    m_unexpressed.clear();
    if (mode == kProxyNamed) {
        std::optional<EngineProxyMapping> mapping;
        if (index >= 0 && static_cast<std::size_t>(index) < m_entries.size())
            mapping = EngineProxyFor(m_entries[static_cast<std::size_t>(index)]);
        if (mapping) {
            proxy = std::move(mapping->proxy);
            m_unexpressed = std::move(mapping->unexpressed);
            // Not silent: those addresses go through the proxy.
            for (const std::string& exception : m_unexpressed)
                std::fprintf(stderr, "fern: the proxy exception \"%s\" cannot be applied\n",
                             exception.c_str());
            m_index = index;
        } else {
            m_s.messageBox.Show(kProxyFailedText, "Fern Browser", MessageBoxKind::Ok);
            mode = kProxyDirect;
        }
    } else if (mode != kProxyDirect) {
        mode = kProxySystem;
    }
    if (mode == kProxyDirect) proxy.mode = EngineProxy::Mode::Direct;
    if (!m_s.engine.ApplyProxy(proxy)) {
        std::fprintf(stderr, "fern: the proxy settings were refused by the engine\n");
        mode = kProxyFailed;
        m_index = -1;
    }
    m_mode = mode;
    Remember();
}

void CProxySwitch::Remember() {
    int mode = m_mode, index = m_index;
    const ProxySettings& stored = m_s.settings.Live().proxy;
    if (stored.connect == mode && stored.index == index) return;
    m_s.settings.Change(SettingsSection::Proxy, [mode, index](ProgramSettings& s) {
        s.proxy.connect = mode;
        s.proxy.index = index;
    });
}

bool CProxySwitch::SaveEntries(const std::vector<ProxyEntry>& entries, std::string* error) {
    if (!WriteProxyFile(m_s.filePath, entries, error)) return false;
    Start();
    return true;
}

std::vector<DynamicMenuItem> CProxySwitch::MenuItems() const {
    std::vector<DynamicMenuItem> items;
    int count = static_cast<int>(std::min<std::size_t>(m_entries.size(), kProxyMenuEntries));
    char number[16];
    for (int k = 0; k < count; ++k) {
        std::snprintf(number, sizeof number, "&%d ", k + 1);
        items.push_back({ID_PROXY_ENTRY_FIRST + k, number + MenuSafe(ProxyDisplayName(m_entries[k])), true});
    }
    return items;
}

void CProxySwitch::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_PROXY_DIRECT, {[this] { ChooseDirect(); }, {}, [this] { return m_mode == kProxyDirect; }});
    router.Add(ID_PROXY_SYSTEM, {[this] { ChooseSystem(); }, {}, [this] { return m_mode == kProxySystem; }});
    router.AddRange(
        ID_PROXY_ENTRY_FIRST, ID_PROXY_ENTRY_LAST,
        {[this](int id) { ChooseEntry(id - ID_PROXY_ENTRY_FIRST); },
         [this](int id) { return id - ID_PROXY_ENTRY_FIRST < static_cast<int>(m_entries.size()); },
         [this](int id) { return m_mode == kProxyNamed && m_index == id - ID_PROXY_ENTRY_FIRST; }});
    router.AddDynamicMenu(kProxyEntriesMenu, [this] { return MenuItems(); });
}

}  // namespace fern
