#include "chrome/ToolBarTable.h"

#include <cstdio>

#include "commands/CommandIds.h"
#include "settings/NumberList.h"

namespace fern {

namespace {

constexpr bool D = true;  // in the default set
constexpr bool V = true;  // has a drop-down
constexpr bool n = false;

constexpr ToolBarButton Separator(bool inDefault) { return {-1, 0, "", inDefault, false}; }

// clang-format off
constexpr ToolBarButton kRows[kToolBarRowCount] = {
    {0, 33107, "戻る", D, V},
    {1, 33108, "進む", D, V},
    {2, 33120, "中止", D, n},
    {3, 33126, "すべて中止", n, n},
    {4, 33116, "更新", D, n},
    {5, 33115, "すべて更新", n, n},
    {6, 33121, "ホーム", D, n},
    Separator(D),
    {7, 32820, "新規タブ", D, V},
    {8, 32822, "クリップボードから開く", n, n},
    {9, 32825, "開く", D, V},
    Separator(n),
    {10, 33100, "次のタブ", n, n},
    {11, 33101, "前のタブ", n, n},
    {12, 33105, "タブ マネージャー", n, n},
    Separator(D),
    {13, 32949, "サイズ", D, V},
    {14, 57607, "印刷", D, n},
    {15, 32943, "全画面", D, n},
    Separator(D),
    {16, 33106, "閉じる", n, n},
    {17, 33104, "すべて閉じる", n, n},
    Separator(n),
    {18, 33117, "名前をつけて保存", n, n},
    {19, 32933, "ファーン バー", D, n},
    {20, 33042, "プロキシの設定", D, n},
    {21, 33078, "URLの抽出", n, n},
    {22, 32958, "ブックマーク", D, n},
    Separator(n),
    {23, 33020, "画像のダウンロード", D, n},
    {24, 33021, "サウンドのダウンロード", D, n},
    {25, 33022, "ビデオのダウンロード", D, n},
    {26, 33023, "マルチメディアの反転", n, n},
    Separator(D),
    {27, 33030, "Javaの実行", D, n},
    {28, 33031, "スクリプトの実行", D, n},
    {29, 33032, "ActiveXの実行", D, n},
    {30, 33033, "ActiveXのダウンロード", D, n},
    {31, 33034, "セキュリティの反転", n, n},
    {32, 33050, "クッキー", n, n},
    {33, 33051, "セクションごとのクッキー", n, n},
    {34, 33052, "サードパーティのクッキー", n, n},
    {35, 33053, "クッキーの反転", n, n},
    {36, 32936, "ブックマーク バー", n, n},
    {37, 32935, "履歴 バー", n, n},
    {38, 32937, "履歴検索 バー", n, n},
    {39, 32938, "Web検索 バー", n, n},
    Separator(n),
    {40, 33125, "ナビゲートロック", n, n},
    Separator(n),
    {41, 32955, "ソース", D, n},
    {42, 33035, "セキュリティ指定", D, V},
    {43, 32941, "上のディレクトリ", D, n},
    // Ours: the downloads window.
    {44, 33150, "ダウンロード", n, n},
};

// Freedesktop / Adwaita icon names, by image index.
constexpr const char* kIcons[] = {
    "go-previous-symbolic", "go-next-symbolic", "process-stop-symbolic", "media-playback-stop-symbolic",
    "view-refresh-symbolic", "emblem-synchronizing-symbolic", "go-home-symbolic", "tab-new-symbolic",
    "edit-paste-symbolic", "document-open-symbolic", "go-next-symbolic", "go-previous-symbolic",
    "view-list-symbolic", "zoom-in-symbolic", "document-print-symbolic", "view-fullscreen-symbolic",
    "window-close-symbolic", "edit-clear-all-symbolic", "document-save-as-symbolic", "sidebar-show-symbolic",
    "network-server-symbolic", "insert-link-symbolic", "user-bookmarks-symbolic", "image-x-generic-symbolic",
    "audio-x-generic-symbolic", "video-x-generic-symbolic", "object-flip-horizontal-symbolic",
    "application-x-executable-symbolic", "text-x-generic-symbolic", "system-run-symbolic",
    "application-x-addon-symbolic", "object-flip-vertical-symbolic", "security-high-symbolic",
    "security-medium-symbolic", "security-low-symbolic", "view-wrapped-symbolic", "starred-symbolic",
    "document-open-recent-symbolic", "edit-find-symbolic", "system-search-symbolic",
    "changes-prevent-symbolic", "format-text-plaintext-symbolic", "channel-secure-symbolic", "go-up-symbolic", "folder-download-symbolic",
};
// clang-format on
static_assert(sizeof kIcons / sizeof kIcons[0] == 45, "one icon per image");

}  // namespace

std::span<const ToolBarButton> ToolBarButtons() { return kRows; }

const ToolBarButton* ToolBarRow(int row) {
    return row >= 0 && row < kToolBarRowCount ? &kRows[row] : nullptr;
}

int ToolBarRowOfCommand(int command) {
    for (int row = 0; row < kToolBarRowCount; ++row)
        if (!kRows[row].IsSeparator() && kRows[row].command == command) return row;
    return -1;
}

ToolBarLayout DefaultToolBarLayout() {
    ToolBarLayout layout;
    for (int row = 0; row < kToolBarRowCount; ++row)
        if (kRows[row].inDefaultSet) layout.push_back(kRows[row].IsSeparator() ? kToolBarSeparator : row);
    return layout;
}

ToolBarLayout ParseToolBarLayout(std::string_view text) {
    ToolBarLayout layout;
    for (const std::optional<int>& field : SplitNumberList(text)) {
        if (!field) continue;
        if (*field == kToolBarSeparator) layout.push_back(kToolBarSeparator);
        else if (const ToolBarButton* row = ToolBarRow(*field))
            layout.push_back(row->IsSeparator() ? kToolBarSeparator : *field);
    }
    // A record of separators only is as good as none.
    for (int entry : layout)
        if (entry != kToolBarSeparator) return layout;
    return DefaultToolBarLayout();
}

std::string FormatToolBarLayout(const ToolBarLayout& layout) {
    ToolBarLayout written;
    for (int entry : layout) {
        const ToolBarButton* row = ToolBarRow(entry);
        written.push_back(row && !row->IsSeparator() ? entry : kToolBarSeparator);
    }
    return JoinNumberList(written);
}

ToolBarLook ParseToolBarLook(std::string_view text) {
    std::vector<std::optional<int>> fields = SplitNumberList(text);
    ToolBarLook look;
    if (fields.size() < 4 || !fields[0] || !fields[1] || !fields[2] || !fields[3]) return look;
    look.largeImages = *fields[0] != 0;
    look.text = *fields[1] == 1   ? ToolBarText::Right
                : *fields[1] == 2 ? ToolBarText::Below
                                  : ToolBarText::None;
    look.extra1 = *fields[2];
    look.extra2 = *fields[3];
    return look;
}

std::string FormatToolBarLook(const ToolBarLook& look) {
    return JoinNumberList({look.largeImages ? 1 : 0, static_cast<int>(look.text), look.extra1, look.extra2});
}

std::vector<MenuNode> ToolBarDropDownMenu(int command) {
    auto I = [](int id) { return CommandItem(id); };
    switch (command) {
        case ID_TAB_BACK: return {DynamicItems(kBackListMenu)};
        case ID_TAB_FORWARD: return {DynamicItems(kForwardListMenu)};
        case ID_NEW_TAB:
            return {I(ID_NEW_TAB),           MenuSeparator(),    I(ID_NEW_TAB_BLANK),
                    I(ID_NEW_TAB_CLIPBOARD), I(ID_NEW_TAB_COPY), I(ID_NEW_TAB_HOME)};
        case ID_FILE_OPEN_URL:
            return {I(ID_FILE_OPEN_URL), I(ID_NEW_TAB_CLIPBOARD), MenuSeparator(), I(ID_RECENT_LAST),
                    DynamicMenu(kRecentClosedMenuText, kRecentClosedMenu)};
        case ID_TEXT_SIZE:
            return {I(ID_TEXT_LARGEST), I(ID_TEXT_LARGEST + 1), I(ID_TEXT_LARGEST + 2),
                    I(ID_TEXT_LARGEST + 3), I(ID_TEXT_SMALLEST)};
        case ID_DLC_SECURITY_CHOSEN:
            return {I(ID_DLC_TEMPLATE_DEFAULT), I(ID_DLC_TEMPLATE_FAVORITES), I(ID_DLC_TEMPLATE_LOW),
                    I(ID_DLC_TEMPLATE_MEDIUM), I(ID_DLC_TEMPLATE_HIGH)};
        default: return {};
    }
}

const char* ToolBarIconName(int image) {
    constexpr int count = sizeof kIcons / sizeof kIcons[0];
    return image >= 0 && image < count ? kIcons[image] : "image-missing";
}

}  // namespace fern
