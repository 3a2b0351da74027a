#pragma once
// The download-control commands: switches and security templates act on
// the active tab's flags, or on BODLCDefault while no tab is open, and the
// tab's browser control follows at once (with a full reload when the
// Browser option asks for one). Check marks follow the same target.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "settings/SettingsService.h"

namespace fern {

class CFernView;

class CDownloadControl {
public:
    using ActiveTab = std::function<CFernView*()>;

    // A change of BODLCDefault goes through `settings`, which saves the
    // Browser group and tells whoever shows it.
    CDownloadControl(CSettingsService& settings, ActiveTab activeTab);

    // True when the id is one of the switches or templates and was run.
    bool Command(int id);
    // Nothing for ids that are not ours or carry no check mark.
    std::optional<bool> IsChecked(int id) const;
    bool IsOurs(int id) const;

    // Flips `bits` of the active tab (its old flags become the previous
    // ones), or of BODLCDefault without a tab; then applies them.
    void Toggle(std::uint32_t bits);
    // Template 0 (BODLCDefault) .. 4 (BODLCDefault4) onto the active tab, or
    // onto BODLCDefault without a tab; then applies.
    void ApplyTemplate(int index);
    // Flips bits of BODLCDefault only, whatever tab is open (the status
    // bar's indicators show and switch the default).
    void ToggleDefault(std::uint32_t bits);
    std::uint32_t DefaultFlags() const { return static_cast<std::uint32_t>(Browser().downloadControl); }

    // Tells the view's control about its flags and reloads it completely
    // when "マルチメディア、セキュリティ変更後にリロード(&R)" is on.
    void ApplyFlags(CFernView& view) const;

    // Called after any change of a tab's flags or of BODLCDefault.
    void AddChangeHook(std::function<void()> hook) { m_hooks.push_back(std::move(hook)); }

private:
    CSettingsService& m_settings;
    ActiveTab m_activeTab;

    const BrowserSettings& Browser() const { return m_settings.Live().browser; }
    std::vector<std::function<void()>> m_hooks;

    void SetDefault(std::uint32_t flags);
    std::uint32_t TemplateFlags(int index) const;
    void Changed() const;
};

}  // namespace fern
