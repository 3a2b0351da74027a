#pragma once
// The filter commands as the window's command part.
#include "filters/FilterCommands.h"
#include "frame/gtk/CommandPart.h"

namespace fern {

class FilterCommandPart : public ICommandPart {
public:
    explicit FilterCommandPart(CFilterCommands& commands) : m_commands(commands) {}
    bool Command(int id) override { return m_commands.Command(id); }
    std::optional<bool> IsChecked(int id) const override { return m_commands.IsChecked(id); }
    std::optional<bool> IsEnabled(int id) const override { return m_commands.IsEnabled(id); }

private:
    CFilterCommands& m_commands;
};

}  // namespace fern
