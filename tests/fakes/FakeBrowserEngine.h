#pragma once
// A scripted browser control: records every call and fires events at once,
// so page and tab logic can be tested without a main loop.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/engine/BrowserEngine.h"

namespace fern::test {

class FakeBrowserEngine : public IBrowserEngine {
public:
    std::vector<std::string> calls;
    std::string url, title;
    bool busy = false;
    int zoom = 2;
    std::uint32_t dlcFlags = 0;
    bool focused = false;
    // When set, Navigate2 runs a whole successful load at once.
    bool autoLoad = false;
    BrowserEvents* sink = nullptr;

    void SetEventSink(BrowserEvents* s) override { sink = s; }

    void Navigate2(const std::string& u, long, const std::string&, const std::string&,
                   const std::string&) override {
        calls.push_back("Navigate2 " + u);
        if (autoLoad) Load(u, "Title of " + u);
    }
    void GoBack() override { calls.push_back("GoBack"); }
    void GoForward() override { calls.push_back("GoForward"); }
    void GoHome() override { calls.push_back("GoHome"); }
    void Stop() override { calls.push_back("Stop"); }
    void Refresh() override { calls.push_back("Refresh"); }
    void Refresh2(int level) override { calls.push_back("Refresh2 " + std::to_string(level)); }
    std::string LocationURL() const override { return url; }
    std::string LocationName() const override { return title; }
    bool Busy() const override { return busy; }
    void PutRegisterAsBrowser(bool on) override {
        calls.push_back(std::string("RegisterAsBrowser ") + (on ? "1" : "0"));
    }
    void PutSilent(bool on) override { calls.push_back(std::string("Silent ") + (on ? "1" : "0")); }
    void SetZoom(int level) override { zoom = level; }
    int Zoom() const override { return zoom; }
    void ExecCommand(PageCommand c) override {
        calls.push_back("Exec " + std::to_string(static_cast<int>(c)));
    }
    void OnDownloadControlChanged(std::uint32_t flags) override {
        dlcFlags = flags;
        calls.push_back("DownloadControl " + std::to_string(flags));
    }
    void Focus() override { focused = true; }

    // Finds answer later, when the test calls AnswerFind.
    std::vector<std::string> finds;
    std::function<void(bool)> pendingFind;
    void FindText(const std::string& text, bool fromTop, std::function<void(bool)> done) override {
        finds.push_back(text + (fromTop ? " top" : " next"));
        pendingFind = std::move(done);
    }
    void AnswerFind(bool found) {
        auto done = std::move(pendingFind);
        pendingFind = nullptr;
        if (done) done(found);
    }

    // The page's selected text, answered at once unless `selectionLater`
    // is set; then the test calls AnswerSelection.
    std::string selectedText;
    bool selectionLater = false;
    std::function<void(std::string)> pendingSelection;
    void SelectedText(std::function<void(std::string)> done) override {
        calls.push_back("SelectedText");
        if (selectionLater) pendingSelection = std::move(done);
        else if (done) done(selectedText);
    }
    void AnswerSelection() {
        auto done = std::move(pendingSelection);
        pendingSelection = nullptr;
        if (done) done(selectedText);
    }

    // History titles, nearest first.
    std::vector<std::string> backTitles, forwardTitles;
    std::vector<std::string> BackList(int max) const override { return Head(backTitles, max); }
    std::vector<std::string> ForwardList(int max) const override { return Head(forwardTitles, max); }
    std::vector<HistoryItem> backItems, forwardItems;
    std::vector<HistoryItem> HistoryItems(bool back, int max) const override {
        const std::vector<HistoryItem>& all = back ? backItems : forwardItems;
        return {all.begin(),
                all.begin() + std::min<std::size_t>(all.size(), static_cast<std::size_t>(std::max(max, 0)))};
    }
    static std::vector<std::string> Head(const std::vector<std::string>& all, int max) {
        if (max < 0) max = 0;
        return {all.begin(), all.begin() + std::min<std::size_t>(all.size(), static_cast<std::size_t>(max))};
    }

    // The session state is the address (a marker in front), so a control
    // made after a rest can load it; `mayRest` answers MayRest, at once
    // unless `restLater` holds the answer until AnswerRest.
    bool mayRest = true, restLater = false;
    std::function<void(bool)> pendingRest;
    std::string SessionState() const override { return url.empty() ? std::string() : "state " + url; }
    bool RestoreSessionState(const std::string& state) override {
        calls.push_back("Restore " + state);
        if (state.rfind("state ", 0) != 0) return false;
        if (autoLoad) Load(state.substr(6), "Title of " + state.substr(6));
        return true;
    }
    void MayRest(std::function<void(bool)> done) override {
        if (restLater) pendingRest = std::move(done);
        else if (done) done(mayRest);
    }
    void AnswerRest() {
        auto done = std::move(pendingRest);
        pendingRest = nullptr;
        if (done) done(mayRest);
    }

    // Fires BeforeNavigate2; returns true when the page allowed it.
    bool BeforeNavigate(const std::string& u) {
        bool cancel = false;
        if (sink) sink->BeforeNavigate2(u, 0, "", "", "", cancel);
        return !cancel;
    }

    // A whole load as the control reports it: allowed navigation, download
    // activity, commit, title, completion.
    void Load(const std::string& u, const std::string& t) {
        if (!BeforeNavigate(u)) return;
        busy = true;
        if (sink) sink->DownloadBegin();
        url = u;
        if (sink) sink->NavigateComplete2(u);
        title = t;
        if (sink) sink->TitleChange(t);
        busy = false;
        if (sink) sink->DownloadComplete();
        if (sink) sink->DocumentComplete(u, true);
    }
};

}  // namespace fern::test
