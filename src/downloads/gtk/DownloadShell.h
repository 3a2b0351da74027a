#pragma once
// Opening a downloaded file or its folder with the desktop's handlers (GIO);
// the file manager is asked to point at the file when it offers that.
#include "downloads/DownloadEngine.h"

namespace fern {

class DownloadShell : public IDownloadShell {
public:
    bool OpenFile(const std::string& fsPath) override;
    bool OpenFolder(const std::string& fsPath) override;
};

}  // namespace fern
