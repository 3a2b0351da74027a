#include "content/DownloadControl.h"

#include "content/DownloadControlRules.h"
#include "page/FernView.h"

namespace fern {

namespace {
constexpr int kRefreshCompletely = 3;
}  // namespace

CDownloadControl::CDownloadControl(CSettingsService& settings, ActiveTab activeTab)
    : m_settings(settings), m_activeTab(std::move(activeTab)) {}

bool CDownloadControl::IsOurs(int id) const {
    return DlcToggleMask(id) != 0 || DlcTemplateIndex(id).has_value();
}

bool CDownloadControl::Command(int id) {
    if (std::uint32_t mask = DlcToggleMask(id)) {
        Toggle(mask);
        return true;
    }
    if (std::optional<int> index = DlcTemplateIndex(id)) {
        ApplyTemplate(*index);
        return true;
    }
    return false;
}

std::optional<bool> CDownloadControl::IsChecked(int id) const {
    CFernView* view = m_activeTab ? m_activeTab() : nullptr;
    return DlcItemChecked(id, view ? view->DownloadControlFlags() : DefaultFlags());
}

void CDownloadControl::Toggle(std::uint32_t bits) {
    CFernView* view = m_activeTab ? m_activeTab() : nullptr;
    if (!view) {
        ToggleDefault(bits);
        return;
    }
    view->SetDownloadControlFlags(view->DownloadControlFlags() ^ bits);
    ApplyFlags(*view);
    Changed();
}

void CDownloadControl::ApplyTemplate(int index) {
    const std::uint32_t flags = TemplateFlags(index);
    CFernView* view = m_activeTab ? m_activeTab() : nullptr;
    if (!view) {
        SetDefault(flags);
        Changed();
        return;
    }
    view->SetDownloadControlFlags(flags);
    ApplyFlags(*view);
    Changed();
}

void CDownloadControl::ToggleDefault(std::uint32_t bits) {
    SetDefault(DefaultFlags() ^ bits);
    Changed();
}

void CDownloadControl::ApplyFlags(CFernView& view) const {
    IBrowserEngine* engine = view.Engine();
    if (!engine) return;
    // The control holds the flags itself, so it is told even before its
    // first address; otherwise that first page would load with stale ones.
    engine->OnDownloadControlChanged(view.DownloadControlFlags());
    if (Browser().reloadAfterFlagChange && !view.Url().empty()) engine->Refresh2(kRefreshCompletely);
}

void CDownloadControl::SetDefault(std::uint32_t flags) {
    // The group is written whole; a failed write is logged by the service.
    m_settings.Change(SettingsSection::Browser,
                      [flags](ProgramSettings& s) { s.browser.downloadControl = static_cast<int>(flags); });
}

std::uint32_t CDownloadControl::TemplateFlags(int index) const {
    switch (index) {
        case 1: return static_cast<std::uint32_t>(Browser().securityTemplate1);
        case 2: return static_cast<std::uint32_t>(Browser().securityTemplate2);
        case 3: return static_cast<std::uint32_t>(Browser().securityTemplate3);
        case 4: return static_cast<std::uint32_t>(Browser().securityTemplate4);
        default: return DefaultFlags();
    }
}

void CDownloadControl::Changed() const {
    for (const auto& hook : m_hooks)
        if (hook) hook();
}

}  // namespace fern
