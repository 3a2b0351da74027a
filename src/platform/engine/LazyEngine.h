#pragma once
// A tab's browser control that is made later: until Materialise() it keeps
// what the page asked of it (navigations, text size, download-control flags,
// register-as-browser, silent) and answers the address it was sent to;
// then it makes the real control and hands all of that on, in order.
// Restoring many tabs this way shows them at once without starting one page
// process per tab in the same moment. A tab that sleeps gives its control up
// (Rest) and gets a new one the same way, with its history and position.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/engine/BrowserEngine.h"

namespace fern {

class LazyEngine final : public IBrowserEngine {
public:
    // Makes a control for the page at `url` (the last address, "" before any).
    using Maker = std::function<std::unique_ptr<IBrowserEngine>(const std::string& url)>;

    explicit LazyEngine(Maker make) : m_make(std::move(make)) {}
    // A control made already; `make` makes the next one after a rest.
    LazyEngine(Maker make, std::unique_ptr<IBrowserEngine> made);

    // Makes the real control and replays the recorded operations; false when
    // no control could be made (the tab then keeps its address and title).
    bool Materialise();
    bool Materialised() const { return m_inner != nullptr; }
    IBrowserEngine* Inner() const { return m_inner.get(); }
    // Gives the control up, keeping its address, title, history, text size
    // and switches; the next Materialise shows the same page again. False
    // when there is no control to give up.
    bool Rest();
    // Asleep after having had a control.
    bool Resting() const { return !m_inner && m_rested; }

    void SetEventSink(BrowserEvents* sink) override;
    void Navigate2(const std::string& url, long flags, const std::string& targetFrame,
                   const std::string& postData, const std::string& headers) override;
    void GoBack() override;
    void GoForward() override;
    void GoHome() override;
    void Stop() override;
    void Refresh() override;
    void Refresh2(int level) override;
    std::string LocationURL() const override;
    std::string LocationName() const override { return m_inner ? m_inner->LocationName() : m_title; }
    bool Busy() const override { return m_inner && m_inner->Busy(); }
    void PutRegisterAsBrowser(bool on) override;
    void PutSilent(bool on) override;
    void SetZoom(int level) override;
    int Zoom() const override { return m_inner ? m_inner->Zoom() : m_zoom; }
    void ExecCommand(PageCommand command) override;
    void OnDownloadControlChanged(std::uint32_t flags) override;
    void Focus() override;
    void FindText(const std::string& text, bool fromTop, std::function<void(bool)> done) override;
    void SelectedText(std::function<void(std::string)> done) override;
    std::vector<std::string> BackList(int max) const override;
    std::vector<std::string> ForwardList(int max) const override;
    std::vector<HistoryItem> HistoryItems(bool back, int max) const override;
    std::string SessionState() const override { return m_inner ? m_inner->SessionState() : std::string(); }
    // Nothing to give up while there is no control.
    void MayRest(std::function<void(bool)> done) override;

private:
    static constexpr int kDefaultZoom = 2;

    // History entries kept over a rest, each way.
    static constexpr int kKeptHistory = 50;

    Maker m_make;
    std::unique_ptr<IBrowserEngine> m_inner;
    bool m_failed = false;
    bool m_rested = false;
    // Made later (not handed a control): until the page commits, the address
    // asked for stands for it.
    bool m_late = true;
    BrowserEvents* m_sink = nullptr;
    std::vector<std::function<void(IBrowserEngine&)>> m_recorded;
    std::string m_url;  // the last address asked for, or shown before a rest
    std::string m_title;
    int m_zoom = kDefaultZoom;
    // What the tab asked of its controls, for the next one after a rest.
    std::optional<bool> m_registerAsBrowser, m_silent;
    std::optional<std::uint32_t> m_downloadControl;
    std::vector<HistoryItem> m_back, m_forward;

    // Runs `op` now when the control exists, else keeps it for later.
    void Run(std::function<void(IBrowserEngine&)> op);
};

// The control behind `engine`: the real one of a lazy engine (null while it
// is not made), else `engine` itself.
IBrowserEngine* RealEngine(IBrowserEngine* engine);

}  // namespace fern
