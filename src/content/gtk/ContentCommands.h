#pragma once
// The window's command part for the download-control switches, the
// security templates and offline work.
#include "content/DownloadControl.h"
#include "content/OfflineMode.h"
#include "frame/gtk/CommandPart.h"

namespace fern {

class ContentCommands : public ICommandPart {
public:
    ContentCommands(CDownloadControl& control, COfflineMode& offline) : m_control(control), m_offline(offline) {}

    bool Command(int id) override;
    std::optional<bool> IsChecked(int id) const override;
    std::optional<bool> IsEnabled(int id) const override;

private:
    CDownloadControl& m_control;
    COfflineMode& m_offline;
};

}  // namespace fern
