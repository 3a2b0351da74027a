#pragma once
// A tab's browser control that is made later: until Materialise() it keeps
// what the page asked of it (navigations, text size, download-control flags,
// register-as-browser, silent) and answers the address it was sent to;
// then it makes the real control and hands all of that on, in order.
// Restoring many tabs this way shows them at once without starting one page
// process per tab in the same moment.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/engine/BrowserEngine.h"

namespace fern {

class LazyEngine final : public IBrowserEngine {
public:
    using Maker = std::function<std::unique_ptr<IBrowserEngine>()>;

    explicit LazyEngine(Maker make) : m_make(std::move(make)) {}

    // Makes the real control and replays the recorded operations; false when
    // no control could be made (the tab then keeps its address and title).
    bool Materialise();
    bool Materialised() const { return m_inner != nullptr; }
    IBrowserEngine* Inner() const { return m_inner.get(); }

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
    std::string LocationName() const override { return m_inner ? m_inner->LocationName() : std::string(); }
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

private:
    static constexpr int kDefaultZoom = 2;

    Maker m_make;
    std::unique_ptr<IBrowserEngine> m_inner;
    bool m_failed = false;
    BrowserEvents* m_sink = nullptr;
    std::vector<std::function<void(IBrowserEngine&)>> m_recorded;
    std::string m_url;  // the last address asked for
    int m_zoom = kDefaultZoom;

    // Runs `op` now when the control exists, else keeps it for later.
    void Run(std::function<void(IBrowserEngine&)> op);
};

// The control behind `engine`: the real one of a lazy engine (null while it
// is not made), else `engine` itself.
IBrowserEngine* RealEngine(IBrowserEngine* engine);

}  // namespace fern
