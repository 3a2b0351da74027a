#pragma once
// The bookkeeping every page keeps on top of its browser control before the
// page's own handling: back/forward availability, the download counter, the
// download-control flags.
#include <cstdint>

#include "platform/engine/BrowserEngine.h"

namespace fern {

class CWebBrowser2Base : public BrowserEvents {
public:
    explicit CWebBrowser2Base(std::uint32_t initialFlags) : m_dlcFlags(initialFlags) {}

    bool CanGoBack() const { return m_canGoBack; }
    bool CanGoForward() const { return m_canGoForward; }
    int OpenDownloads() const { return m_downloads; }

    std::uint32_t DownloadControlFlags() const { return m_dlcFlags; }
    std::uint32_t PreviousDownloadControlFlags() const { return m_previousDlcFlags; }
    // Keeps the old value as the previous flags.
    void SetDownloadControlFlags(std::uint32_t flags) {
        m_previousDlcFlags = m_dlcFlags;
        m_dlcFlags = flags;
    }

    void CommandStateChange(long command, bool enable) override;
    void DownloadBegin() override;
    void DownloadComplete() override;
    void DocumentComplete(const std::string& url, bool topLevel) override;

protected:
    // Per-event handling of the page; the base has already counted.
    virtual void OnCommandStateChange(long, bool) {}
    virtual void OnDownloadBegin() {}
    virtual void OnDownloadComplete() {}
    virtual void OnDocumentComplete(const std::string&, bool) {}
    // Hooks: the first download started, a navigation completed while
    // downloads were open, all downloads finished.
    virtual void OnFirstDownloadStarted() {}
    virtual void OnCompletedWithDownloadsOpen() {}
    virtual void OnAllDownloadsFinished() {}

private:
    std::uint32_t m_dlcFlags;
    std::uint32_t m_previousDlcFlags = 0;
    bool m_canGoBack = false;
    bool m_canGoForward = false;
    int m_downloads = 0;
};

}  // namespace fern
