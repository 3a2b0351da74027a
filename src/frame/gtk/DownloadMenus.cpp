#include "frame/gtk/DownloadMenus.h"

#include "downloads/DownloadCommandIds.h"

namespace fern {

MenuEntry SavePageMenuEntry() { return MenuEntry{ID_FILE_SAVE_AS, "名前をつけて保存(&A)...\tCtrl+S", {}, false, {}}; }

MenuEntry DownloadsWindowMenuEntry() { return MenuEntry{ID_DOWNLOADS_WINDOW, "ダウンロード(&D)\tCtrl+J", {}, false, {}}; }

}  // namespace fern
