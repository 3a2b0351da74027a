#pragma once
// "履歴を消去": all of the history, today's, or the site of the page shown,
// each after the user said yes; the user hears when it could not be done.
#include <functional>
#include <optional>
#include <string>

#include "commands/CommandIds.h"
#include "platform/shell/MessageBox.h"
#include "platform/store/HistoryWriter.h"

namespace fern {

class CHistoryCommands {
public:
    struct Services {
        IHistoryEraser& store;
        IMessageBox& messageBox;
        std::function<std::string()> activeUrl;  // the page shown, "" when none
        std::function<HistoryTime()> clock;
    };
    explicit CHistoryCommands(Services services) : m_s(std::move(services)) {}

    // True when the id is one of these commands (run or declined).
    bool Command(int id);
    std::optional<bool> IsEnabled(int id) const;

private:
    Services m_s;

    std::optional<std::string> ActiveSite() const;
    bool Confirmed(const std::string& question);
    void Done(bool ok);
};

}  // namespace fern
