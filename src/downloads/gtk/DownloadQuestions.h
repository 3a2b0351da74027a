#pragma once
// The download question: the file's name, type, size and site, with open,
// save and cancel (and, while more wait behind it, cancel them all). One
// window per page at a time; the list decides which question comes next.
#include <gtkmm.h>

#include <map>
#include <memory>

#include "downloads/DownloadList.h"
#include "settings/SettingsService.h"

namespace fern {

class DownloadQuestionDialog;

class DownloadQuestions : public IDownloadAsker {
public:
    DownloadQuestions(Gtk::Window& parent, CDownloadList& list, CSettingsService& settings);
    ~DownloadQuestions() override;

    void Ask(const DownloadQuestion& question) override;
    void Withdraw(int questionId) override;
    void WaitingChanged(int questionId, std::size_t waitingBehind) override;

private:
    Gtk::Window& m_parent;
    CDownloadList& m_list;
    CSettingsService& m_settings;
    std::map<int, std::shared_ptr<DownloadQuestionDialog>> m_dialogs;

    void Answered(int questionId, int response);
    void Close(int questionId);
};

}  // namespace fern
