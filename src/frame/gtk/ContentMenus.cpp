#include "frame/gtk/ContentMenus.h"

#include "content/ContentCommandIds.h"

namespace fern {

namespace {

MenuEntry Item(int id, const char* text) { return MenuEntry{id, text, {}, false, {}}; }
MenuEntry Check(int id, const char* text) { return MenuEntry{id, text, {}, true, {}}; }
MenuEntry Sub(const char* text, std::vector<MenuEntry> children) {
    return MenuEntry{-1, text, std::move(children), false, {}};
}

}  // namespace

std::vector<MenuEntry> ContentMenuEntries() {
    return {
        Sub("マルチメディア(&M)",
            {Check(ID_DLC_IMAGES, "画像のダウンロード(&I)"), Check(ID_DLC_SOUNDS, "サウンドのダウンロード(&S)"),
             Check(ID_DLC_VIDEOS, "ビデオのダウンロード(&V)"), MenuEntry{},
             Item(ID_DLC_MEDIA_INVERT, "設定を反転(&R)")}),
        Sub("セキュリティ(&S)",
            {Check(ID_DLC_JAVA, "Javaの実行(&J)"), Check(ID_DLC_SCRIPTS, "Scriptの実行(&S)"),
             Check(ID_DLC_ACTIVEX_RUN, "ActiveXの実行(&A)"), Check(ID_DLC_ACTIVEX_DOWNLOAD, "ActiveXのダウンロード(&D)"),
             MenuEntry{}, Item(ID_DLC_SECURITY_INVERT, "設定を反転(&R)")}),
        Sub("セキュリティレベル(&L)",
            {Item(ID_DLC_TEMPLATE_DEFAULT, "初期値(&D)"), Item(ID_DLC_TEMPLATE_FAVORITES, "お気に入り(&F)"),
             Item(ID_DLC_TEMPLATE_LOW, "設定 低(&L)"), Item(ID_DLC_TEMPLATE_MEDIUM, "設定 中(&M)"),
             Item(ID_DLC_TEMPLATE_HIGH, "設定 高(&H)")}),
    };
}

}  // namespace fern
