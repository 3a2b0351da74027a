#include "platform/engine/LazyEngine.h"

namespace fern {

bool LazyEngine::Materialise() {
    if (m_inner) return true;
    if (m_failed) return false;
    Maker make = std::move(m_make);
    m_inner = make ? make() : nullptr;
    if (!m_inner) {
        m_failed = true;
        m_recorded.clear();
        return false;
    }
    m_inner->SetEventSink(m_sink);
    // Events the replay fires may call back in; they reach the control at once.
    std::vector<std::function<void(IBrowserEngine&)>> recorded = std::move(m_recorded);
    m_recorded.clear();
    for (auto& op : recorded) op(*m_inner);
    return true;
}

void LazyEngine::Run(std::function<void(IBrowserEngine&)> op) {
    if (m_inner) op(*m_inner);
    else if (!m_failed) m_recorded.push_back(std::move(op));
}

void LazyEngine::SetEventSink(BrowserEvents* sink) {
    m_sink = sink;
    if (m_inner) m_inner->SetEventSink(sink);
}

void LazyEngine::Navigate2(const std::string& url, long flags, const std::string& targetFrame,
                           const std::string& postData, const std::string& headers) {
    m_url = url;
    Run([=](IBrowserEngine& e) { e.Navigate2(url, flags, targetFrame, postData, headers); });
}

void LazyEngine::GoHome() {
    Run([](IBrowserEngine& e) { e.GoHome(); });
}

// Before the page exists there is no history to walk, no load to stop or
// repeat and nothing to act on: these wait for nothing.
void LazyEngine::GoBack() {
    if (m_inner) m_inner->GoBack();
}
void LazyEngine::GoForward() {
    if (m_inner) m_inner->GoForward();
}
void LazyEngine::Stop() {
    if (m_inner) m_inner->Stop();
}
void LazyEngine::Refresh() {
    if (m_inner) m_inner->Refresh();
}
void LazyEngine::Refresh2(int level) {
    if (m_inner) m_inner->Refresh2(level);
}
void LazyEngine::ExecCommand(PageCommand command) {
    if (m_inner) m_inner->ExecCommand(command);
}
void LazyEngine::Focus() {
    if (m_inner) m_inner->Focus();
}

std::string LazyEngine::LocationURL() const {
    // Until the page commits an address of its own, the one it was sent to
    // is the tab's address: saved, copied and recorded like a loaded one.
    std::string url = m_inner ? m_inner->LocationURL() : std::string();
    return url.empty() ? m_url : url;
}

void LazyEngine::PutRegisterAsBrowser(bool on) {
    Run([on](IBrowserEngine& e) { e.PutRegisterAsBrowser(on); });
}

void LazyEngine::PutSilent(bool on) {
    Run([on](IBrowserEngine& e) { e.PutSilent(on); });
}

void LazyEngine::SetZoom(int level) {
    if (!m_inner) m_zoom = level;
    Run([level](IBrowserEngine& e) { e.SetZoom(level); });
}

void LazyEngine::OnDownloadControlChanged(std::uint32_t flags) {
    Run([flags](IBrowserEngine& e) { e.OnDownloadControlChanged(flags); });
}

void LazyEngine::FindText(const std::string& text, bool fromTop, std::function<void(bool)> done) {
    if (m_inner) m_inner->FindText(text, fromTop, std::move(done));
    else if (done) done(false);
}

void LazyEngine::SelectedText(std::function<void(std::string)> done) {
    if (m_inner) m_inner->SelectedText(std::move(done));
    else if (done) done(std::string());
}

std::vector<std::string> LazyEngine::BackList(int max) const {
    return m_inner ? m_inner->BackList(max) : std::vector<std::string>();
}

std::vector<std::string> LazyEngine::ForwardList(int max) const {
    return m_inner ? m_inner->ForwardList(max) : std::vector<std::string>();
}

std::vector<HistoryItem> LazyEngine::HistoryItems(bool back, int max) const {
    return m_inner ? m_inner->HistoryItems(back, max) : std::vector<HistoryItem>();
}

IBrowserEngine* RealEngine(IBrowserEngine* engine) {
    if (auto* lazy = dynamic_cast<LazyEngine*>(engine)) return lazy->Inner();
    return engine;
}

}  // namespace fern
