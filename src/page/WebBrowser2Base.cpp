#include "page/WebBrowser2Base.h"

namespace fern {

void CWebBrowser2Base::CommandStateChange(long command, bool enable) {
    if (command == 1) m_canGoForward = enable;
    if (command == 2) m_canGoBack = enable;
    OnCommandStateChange(command, enable);
}

void CWebBrowser2Base::DownloadBegin() {
    if (m_downloads++ == 0) OnFirstDownloadStarted();
    OnDownloadBegin();
}

void CWebBrowser2Base::DownloadComplete() {
    --m_downloads;
    if (m_downloads == 0) OnAllDownloadsFinished();
    OnDownloadComplete();
}

void CWebBrowser2Base::DocumentComplete(const std::string& url, bool topLevel) {
    if (topLevel) {
        if (m_downloads > 0) OnCompletedWithDownloadsOpen();
        m_downloads = 0;
    }
    OnDocumentComplete(url, topLevel);
}

}  // namespace fern
