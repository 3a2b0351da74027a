#pragma once
// The downloads window ("ダウンロード"): the session's downloads, newest
// first, each a row with its name, site, progress bar (size, speed, time
// left) and state (進行中 / 完了 / 中止 / 失敗 with the reason), and buttons
// named by their action: cancel, retry, open, open the folder, remove.
#include <gtkmm.h>

#include <functional>
#include <map>
#include <memory>

#include "downloads/DownloadList.h"

namespace fern {

class DownloadRow;

class DownloadsWindow : public Gtk::Window, public IDownloadListObserver {
public:
    // `openOnStart` is the check box's value; `openOnStartChanged` stores it.
    DownloadsWindow(CDownloadList& list, bool openOnStart, std::function<void(bool)> openOnStartChanged);
    ~DownloadsWindow() override;

    void DownloadAdded(const DownloadItem& item) override;
    void DownloadChanged(const DownloadItem& item) override;
    void DownloadRemoved(int id) override;

private:
    CDownloadList& m_list;
    Gtk::Box m_box{Gtk::ORIENTATION_VERTICAL, 6};
    Gtk::CheckButton m_openOnStart;
    Gtk::ScrolledWindow m_scroll;
    Gtk::ListBox m_rows;
    Gtk::Label m_empty;
    std::map<int, std::unique_ptr<DownloadRow>> m_rowOf;

    void ShowEmpty() { m_empty.set_visible(m_rowOf.empty()); }
};

// The status bar's note that downloads run: "ダウンロード中 (2)"; a click
// opens the window. Hidden while none runs.
class DownloadStatusButton : public Gtk::Button, public IDownloadListObserver {
public:
    explicit DownloadStatusButton(std::function<void()> clicked);
    void RunningCountChanged(int running) override;

private:
    std::function<void()> m_clicked;
};

}  // namespace fern
