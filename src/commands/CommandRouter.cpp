#include "commands/CommandRouter.h"

#include <cstdio>
#include <exception>

#include "commands/CommandCatalogue.h"

namespace fern {

void CCommandRouter::Add(int id, CommandHandler handler) { m_handlers[id] = std::move(handler); }

void CCommandRouter::AddRange(int first, int last, CommandRangeHandler handler) {
    m_ranges.push_back({first, last, std::move(handler)});
}

void CCommandRouter::Remove(int id) { m_handlers.erase(id); }

const CCommandRouter::Range* CCommandRouter::RangeOf(int id) const {
    for (const Range& range : m_ranges)
        if (id >= range.first && id <= range.last) return &range;
    return nullptr;
}

bool CCommandRouter::Has(int id) const { return m_handlers.count(id) || RangeOf(id); }

bool CCommandRouter::Run(int id) const {
    try {
        auto it = m_handlers.find(id);
        if (it != m_handlers.end()) {
            const CommandHandler& h = it->second;
            if (!h.run || (h.enabled && !h.enabled())) return false;
            h.run();
            return true;
        }
        if (const Range* range = RangeOf(id)) {
            const CommandRangeHandler& h = range->handler;
            if (!h.run || (h.enabled && !h.enabled(id))) return false;
            h.run(id);
            return true;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fern: command %d: %s\n", id, e.what());
    } catch (...) {
        std::fprintf(stderr, "fern: command %d failed\n", id);
    }
    return false;
}

bool CCommandRouter::IsEnabled(int id) const {
    auto it = m_handlers.find(id);
    if (it != m_handlers.end()) return it->second.run && (!it->second.enabled || it->second.enabled());
    if (const Range* range = RangeOf(id))
        return range->handler.run && (!range->handler.enabled || range->handler.enabled(id));
    return false;
}

bool CCommandRouter::IsChecked(int id) const {
    auto it = m_handlers.find(id);
    if (it != m_handlers.end()) return it->second.checked && it->second.checked();
    if (const Range* range = RangeOf(id)) return range->handler.checked && range->handler.checked(id);
    return false;
}

std::vector<int> CCommandRouter::Unserved() const {
    std::vector<int> ids;
    for (const CommandInfo& command : CommandCatalogue())
        if (!Has(command.id)) ids.push_back(command.id);
    return ids;
}

void CCommandRouter::AddDynamicMenu(const std::string& name, DynamicMenuFill fill) {
    m_dynamicMenus[name] = std::move(fill);
}

std::vector<DynamicMenuItem> CCommandRouter::FillDynamicMenu(const std::string& name) const {
    auto it = m_dynamicMenus.find(name);
    if (it == m_dynamicMenus.end() || !it->second) return {};
    return it->second();
}

}  // namespace fern
