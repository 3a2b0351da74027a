#pragma once
// The download-control switches, the security templates and offline work
// in the command router.
namespace fern {

class CCommandRouter;
class CDownloadControl;
class COfflineMode;

void RegisterContentCommands(CCommandRouter& router, CDownloadControl& control, COfflineMode& offline);

}  // namespace fern
