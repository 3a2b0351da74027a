#include "settings/ToolSettings.h"

#include "settings/SettingsFields.h"

namespace fern {

namespace {

constexpr FieldBinding<ProxySettings> kProxy[] = {
    IntField(Setting::ProxyIndex, &ProxySettings::index),
    IntField(Setting::ProxyConnect, &ProxySettings::connect),
};

using Ue = UrlExtractSettings;
constexpr BitSwitch<Ue> kUEStyle[] = {
    {0x1, &Ue::closeAfterSave},
    {0x2, &Ue::closeAfterOpen},
    {0x4, &Ue::filterOnOpen},
    {0x8, &Ue::readImgTags},
};
constexpr FieldBinding<Ue> kUrlExtract[] = {
    BitsField(Setting::UEStyle, &Ue::style, kUEStyle),
    IntField(Setting::UEFilterIndex, &Ue::filterIndex),
    TextField(Setting::UEFolder, &Ue::folder),
};

int ClampCount(int count) { return count < 0 ? 0 : count > Ue::kMaxFilters ? Ue::kMaxFilters : count; }

}  // namespace

void ProxySettings::Load(const SettingsStore& store) { LoadFields(store, *this, kProxy); }
bool ProxySettings::Save(SettingsStore& store) { return SaveFields(store, *this, kProxy); }

std::vector<std::string> UrlExtractSettings::DefaultFilters() {
    return {"*.lzh;*.zip;*.cab;*.rar",
            "*.aif;*.wav;*.au;*.mp2;*.mp3;*.mid",
            "*.jpg;*.jpeg",
            "*.gif",
            "*.qt;*.mov;*.avi",
            "*.htm;*.html;*.cgi"};
}

int UrlExtractSettings::SelectedFilter() const {
    return filterIndex >= 0 && static_cast<std::size_t>(filterIndex) < filters.size() ? filterIndex : 0;
}

void UrlExtractSettings::Load(const SettingsStore& store) {
    LoadFields(store, *this, kUrlExtract);
    filters.clear();
    int count = ClampCount(store.ReadInt(Setting::UEFilterCount));
    for (int n = 0; n < count; ++n) {
        std::string filter = store.ReadString(Setting::UEFilter, n);
        if (!filter.empty()) filters.push_back(std::move(filter));
    }
    if (filters.empty()) filters = DefaultFilters();
}

bool UrlExtractSettings::Save(SettingsStore& store) {
    bool ok = SaveFields(store, *this, kUrlExtract);
    if (filters.size() > static_cast<std::size_t>(kMaxFilters)) filters.resize(kMaxFilters);
    int oldCount = ClampCount(store.ReadInt(Setting::UEFilterCount));
    int count = static_cast<int>(filters.size());
    // Keys of entries that are gone are removed only after the new list is
    // in place, rather than emptying the section first.
    bool listOk = true;
    for (int n = 0; n < count; ++n) {
        if (filters[n].empty()) listOk = store.DeleteKey(Setting::UEFilter, n) && listOk;
        else listOk = store.WriteString(Setting::UEFilter, filters[n], n) && listOk;
    }
    listOk = store.WriteInt(Setting::UEFilterCount, count) && listOk;
    for (int n = count; n < oldCount; ++n) listOk = store.DeleteKey(Setting::UEFilter, n) && listOk;
    if (!listOk) store.LogSaveFailure(Setting::UEFilterCount);
    return ok && listOk;
}

}  // namespace fern
