#include "sidebar/PanelMenus.h"

#include <gtest/gtest.h>

using namespace fern;

namespace {

std::vector<std::string> Texts(const std::vector<PanelMenuItem>& menu) {
    std::vector<std::string> texts;
    for (const PanelMenuItem& item : menu) texts.push_back(item.id == 0 ? "-" : item.text);
    return texts;
}

const PanelMenuItem* Find(const std::vector<PanelMenuItem>& menu, int id) {
    for (const PanelMenuItem& item : menu) {
        if (item.id == id) return &item;
        if (const PanelMenuItem* child = Find(item.children, id)) return child;
    }
    return nullptr;
}

HistorySearchSettings SearchDefaults() {
    HistorySearchSettings s;
    s.infoTips = s.keepSearchStrings = true;  // HSHStyle 6
    s.charCode = -1;
    s.filterStyle = 1;
    s.filter = "http://";
    return s;
}

TEST(HistorySearchMenu, ItemsByWhereAndWhen) {
    HistorySearchSettings s = SearchDefaults();
    auto full = HistorySearchMenu(s, true, false, true);
    EXPECT_EQ(Texts(full), (std::vector<std::string>{"開く(&O)\tEnter",
                                                     "新規タブで開く(&N)\tShift+Enter",
                                                     "タイトルのコピー(&T)\tCtrl+A",
                                                     "URLのコピー(&U)\tCtrl+Z",
                                                     "ブックマークに追加(&A)",
                                                     "-",
                                                     "今日の履歴のみ(&T)",
                                                     "http://フィルタを使う(&F)",
                                                     "フィルタを変更(&E)",
                                                     "日付の表示形式(&D)",
                                                     "-",
                                                     "キャッシュ内検索(&C)",
                                                     "リストをhtmlで保存(&S)",
                                                     "インフォチップ(&I)",
                                                     "大文字小文字の区別(&D)",
                                                     "文字コード指定(&C)",
                                                     "検索文字列の保存(&Y)",
                                                     "-",
                                                     "開くの切り替え(&S)",
                                                     "再読み込み(&R)"}));
    EXPECT_TRUE(full[0].isDefault);
    EXPECT_TRUE(Find(full, kHsTodayOnly)->checked);
    EXPECT_TRUE(Find(full, kHsCharCode)->checked);  // オート
    EXPECT_FALSE(Find(full, kHsCharCode + 1)->checked);
    // While a search runs only the row's items; without rows no export.
    EXPECT_EQ(HistorySearchMenu(s, true, true, true).size(), 5u);
    EXPECT_TRUE(HistorySearchMenu(s, false, true, true).empty());
    EXPECT_EQ(Find(HistorySearchMenu(s, false, false, false), kHsSaveHtml), nullptr);
    EXPECT_EQ(Find(HistorySearchMenu(s, false, false, false), kHsOpen), nullptr);
    s.openInNewTab = true;
    s.filter = "a&b";
    auto other = HistorySearchMenu(s, true, false, true);
    EXPECT_TRUE(other[1].isDefault);
    EXPECT_EQ(Find(other, kHsUseFilter)->text, "a&&bフィルタを使う(&F)");
}

TEST(HistorySearchMenu, ItemsFlipTheirSettings) {
    HistorySearchSettings s = SearchDefaults();
    EXPECT_TRUE(ApplyHistorySearchItem(kHsTodayOnly, s));
    EXPECT_EQ(s.filterStyle, 2);
    ApplyHistorySearchItem(kHsTodayOnly, s);
    EXPECT_EQ(s.filterStyle, 1);
    ApplyHistorySearchItem(kHsSearchCache, s);
    EXPECT_TRUE(s.searchCache);
    ApplyHistorySearchItem(kHsCharCode + 1 + 4, s);
    EXPECT_EQ(s.charCode, 4);
    ApplyHistorySearchItem(kHsCharCode, s);
    EXPECT_EQ(s.charCode, -1);
    EXPECT_FALSE(ApplyHistorySearchItem(kHsOpen, s));
    EXPECT_FALSE(ApplyHistorySearchItem(kHsCharCode + 9, s));
}

TEST(HistoryTreeMenu, RowItemsAndTheOtherSubmenu) {
    HistorySettings s;
    s.infoTips = true;
    auto menu = HistoryTreeMenu(s, true);
    EXPECT_EQ(Texts(menu), (std::vector<std::string>{"開く(&O)\tEnter", "新規タブで開く(&N)\tShift+Enter",
                                                     "タイトルのコピー(&T)\tCtrl+T",
                                                     "URLのコピー(&U)\tCtrl+R", "ブックマークに追加(&A)", "-",
                                                     "開くの切り替え(&S)", "再読み込み(&R)", "その他(&O)"}));
    EXPECT_EQ(HistoryTreeMenu(s, false).size(), 3u);
    bool rebuild = false;
    EXPECT_TRUE(ApplyHistoryTreeItem(kHtAddFavorites, s, rebuild));
    EXPECT_TRUE(rebuild && s.addFavorites);
    EXPECT_TRUE(ApplyHistoryTreeItem(kHtInfoTips, s, rebuild));
    EXPECT_FALSE(rebuild || s.infoTips);
    EXPECT_TRUE(Find(HistoryTreeMenu(s, false), kHtAddFavorites)->checked);
}

TEST(WebSearchMenu, TheFirstFourOnlyOnARow) {
    WebSearchSettings s;
    EXPECT_EQ(Texts(WebSearchMenu(s, true)).size(), 12u);
    EXPECT_EQ(
        Texts(WebSearchMenu(s, false)),
        (std::vector<std::string>{"追加(&A)\tInsert", "すべてチェックする(&A)\tCtrl+A",
                                  "これ以外のチェックをはずす(&O)\tCtrl+Z", "チェックの反転(&X)\tCtrl+X", "-",
                                  "検索文字列の保存(&Y)", "現在の状態を保存(&S)"}));
    EXPECT_TRUE(ApplyWebSearchItem(kWsKeepStrings, s));
    EXPECT_TRUE(s.keepSearchStrings);
    EXPECT_FALSE(ApplyWebSearchItem(kWsAdd, s));
}

}  // namespace
