#pragma once
// Menu ids of saving the page and of the downloads window.
namespace fern {

enum DownloadCommandId : int {
    ID_FILE_SAVE_AS = 33117,         // "名前をつけて保存"
    ID_DOWNLOADS_WINDOW = 33150,     // "ダウンロード(&D)": the downloads window
};

}  // namespace fern
