#pragma once
// Settings sections of the tools: Proxy, and the URL extraction with its
// indexed filter list (UrlExtract, UEFilter).
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace fern {

struct ProxySettings {
    int index = 0;    // ProxyIndex: chosen configuration, -1 none
    int connect = 0;  // ProxyConnect: 1 system, 2 direct, 4 named

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

struct UrlExtractSettings {
    // More entries than this in UEFilterCount are taken as a damaged count.
    static constexpr int kMaxFilters = 1024;

    int style = 0;                // UEStyle
    bool closeAfterSave = false;  // "保存を実行したら閉じる(&S)"
    bool closeAfterOpen = false;  // "開くを実行したら閉じる(&N)"
    bool filterOnOpen = false;    // "起動時にフィルタ処理をする(&F)"
    bool readImgTags = false;     // "IMGタグも読み込む(&I)"
    int filterIndex = 0;          // UEFilterIndex as stored
    std::string folder;
    // The non-empty UEFilter entries in order; the six built-in filters when
    // none is stored.
    std::vector<std::string> filters;

    static std::vector<std::string> DefaultFilters();
    // UEFilterIndex, or 0 when it names no filter.
    int SelectedFilter() const;

    void Load(const SettingsStore& store);
    // Writes UrlExtract and the filter list; keys of entries that are gone
    // are removed after the new list is in place.
    bool Save(SettingsStore& store);
};

}  // namespace fern
