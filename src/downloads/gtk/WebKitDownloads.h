#pragma once
// The engine side of the download list on WebKit: every download the web
// context starts (a response a page cannot show, an attachment, a link saved
// from the page, a page's own download call) is held at its destination
// question until the list has the user's answer, so not a byte is written
// before. Progress is read when the list asks, not per received block.
#include <webkit2/webkit2.h>

#include <map>
#include <memory>

#include "downloads/DownloadEngine.h"

namespace fern {

class CDownloadList;

class WebKitDownloads : public IDownloadEngine {
public:
    explicit WebKitDownloads(WebKitWebContext* context);
    // Cancels what is still held or running.
    ~WebKitDownloads() override;
    WebKitDownloads(const WebKitDownloads&) = delete;
    WebKitDownloads& operator=(const WebKitDownloads&) = delete;

    // The list that hears of the transfers (none: every download is refused).
    void SetList(CDownloadList* list) { m_list = list; }

    void Save(TransferId id, const std::string& fsPath) override;
    void Cancel(TransferId id) override;
    std::int64_t Received(TransferId id) const override;
    TransferId Fetch(const std::string& url) override;
    std::string SideFileSuffix() const override;

private:
    struct Transfer {
        WebKitDownload* download = nullptr;
        bool failed = false;
        gulong handlers[3] = {};
    };
    // What each download's signals carry: the engine while it lives.
    struct Link {
        std::shared_ptr<WebKitDownloads*> engine;
        TransferId id;
    };

    WebKitWebContext* m_context;
    CDownloadList* m_list = nullptr;
    std::map<TransferId, Transfer> m_transfers;
    TransferId m_next = 0;
    std::shared_ptr<WebKitDownloads*> m_self;
    gulong m_startedHandler = 0;

    // Pages that started downloads, watched for their next document (a
    // page whose downloads the user refused may ask again then).
    std::map<WebKitWebView*, gulong> m_pages;

    TransferId Adopt(WebKitDownload* download);
    void WatchPage(WebKitWebView* view);
    void Unwatch(WebKitWebView* view);
    void Forget(TransferId id);
    static void OnStarted(WebKitWebContext*, WebKitDownload* download, gpointer self);
    static gboolean OnDecideDestination(WebKitDownload* download, gchar* suggested, gpointer link);
    static void OnFailed(WebKitDownload* download, GError* error, gpointer link);
    static void OnFinished(WebKitDownload* download, gpointer link);
    static void OnPageGone(gpointer self, GObject* gone);
};

}  // namespace fern
