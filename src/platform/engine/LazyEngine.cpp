#include "platform/engine/LazyEngine.h"

#include <algorithm>

namespace fern {

LazyEngine::LazyEngine(Maker make, std::unique_ptr<IBrowserEngine> made)
    : m_make(std::move(make)), m_inner(std::move(made)), m_late(false) {}

bool LazyEngine::Materialise() {
    if (m_inner) return true;
    if (m_failed) return false;
    m_inner = m_make ? m_make(m_url) : nullptr;
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

bool LazyEngine::Rest() {
    if (!m_inner) return false;
    const std::string state = m_inner->SessionState();
    if (std::string url = m_inner->LocationURL(); !url.empty()) m_url = url;
    m_title = m_inner->LocationName();
    m_zoom = m_inner->Zoom();
    m_back = m_inner->HistoryItems(true, kKeptHistory);
    m_forward = m_inner->HistoryItems(false, kKeptHistory);
    m_inner->SetEventSink(nullptr);
    m_inner.reset();
    m_rested = true;
    m_late = true;
    // The next control gets the tab's switches first, then its page back.
    m_recorded.clear();
    if (m_registerAsBrowser)
        Run([on = *m_registerAsBrowser](IBrowserEngine& e) { e.PutRegisterAsBrowser(on); });
    if (m_silent) Run([on = *m_silent](IBrowserEngine& e) { e.PutSilent(on); });
    if (m_downloadControl)
        Run([flags = *m_downloadControl](IBrowserEngine& e) { e.OnDownloadControlChanged(flags); });
    Run([level = m_zoom](IBrowserEngine& e) { e.SetZoom(level); });
    Run([state, url = m_url](IBrowserEngine& e) {
        if (state.empty() || !e.RestoreSessionState(state)) e.Navigate2(url, 0, "", "", "");
    });
    return true;
}

void LazyEngine::MayRest(std::function<void(bool)> done) {
    if (m_inner) m_inner->MayRest(std::move(done));
    else if (done) done(false);
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
    // A new address while asleep: the kept title is the old page's.
    if (!m_inner) m_title.clear();
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
    if (m_inner && !m_late) return m_inner->LocationURL();
    std::string url = m_inner ? m_inner->LocationURL() : std::string();
    return url.empty() ? m_url : url;
}

void LazyEngine::PutRegisterAsBrowser(bool on) {
    m_registerAsBrowser = on;
    Run([on](IBrowserEngine& e) { e.PutRegisterAsBrowser(on); });
}

void LazyEngine::PutSilent(bool on) {
    m_silent = on;
    Run([on](IBrowserEngine& e) { e.PutSilent(on); });
}

void LazyEngine::SetZoom(int level) {
    m_zoom = level;
    Run([level](IBrowserEngine& e) { e.SetZoom(level); });
}

void LazyEngine::OnDownloadControlChanged(std::uint32_t flags) {
    m_downloadControl = flags;
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

namespace {

std::vector<HistoryItem> Head(const std::vector<HistoryItem>& items, int max) {
    std::size_t n = std::min<std::size_t>(items.size(), static_cast<std::size_t>(std::max(max, 0)));
    return {items.begin(), items.begin() + static_cast<std::ptrdiff_t>(n)};
}

std::vector<std::string> Titles(const std::vector<HistoryItem>& items) {
    std::vector<std::string> titles;
    for (const HistoryItem& item : items) titles.push_back(item.title.empty() ? item.url : item.title);
    return titles;
}

}  // namespace

// A sleeping tab's history is the one it had when it fell asleep.
std::vector<std::string> LazyEngine::BackList(int max) const {
    return m_inner ? m_inner->BackList(max) : Titles(Head(m_back, max));
}

std::vector<std::string> LazyEngine::ForwardList(int max) const {
    return m_inner ? m_inner->ForwardList(max) : Titles(Head(m_forward, max));
}

std::vector<HistoryItem> LazyEngine::HistoryItems(bool back, int max) const {
    return m_inner ? m_inner->HistoryItems(back, max) : Head(back ? m_back : m_forward, max);
}

IBrowserEngine* RealEngine(IBrowserEngine* engine) {
    if (auto* lazy = dynamic_cast<LazyEngine*>(engine)) return lazy->Inner();
    return engine;
}

}  // namespace fern
