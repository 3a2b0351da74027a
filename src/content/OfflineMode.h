#pragma once
// Working offline, one state for the whole program: while on, the pages
// load nothing from the network. The engine layer blocks the loads; the
// status bar's indicator and the menu's check mark follow the state.
#include <functional>
#include <vector>

namespace fern {

class COfflineMode {
public:
    // `block` makes the engine refuse (true) or allow (false) network loads.
    explicit COfflineMode(std::function<void(bool)> block) : m_block(std::move(block)) {}

    bool IsOffline() const { return m_offline; }
    void Toggle() { SetOffline(!m_offline); }
    void SetOffline(bool offline);

    // Called with the new state after every change.
    void AddChangeHook(std::function<void(bool)> hook) { m_hooks.push_back(std::move(hook)); }

private:
    std::function<void(bool)> m_block;
    std::vector<std::function<void(bool)>> m_hooks;
    bool m_offline = false;
};

}  // namespace fern
