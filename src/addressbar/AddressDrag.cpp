#include "addressbar/AddressDrag.h"

#include <filesystem>
#include <system_error>

#include "frame/TabDrop.h"
#include "platform/fs/FileIo.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

constexpr std::size_t kMaxNameBytes = 100;
constexpr std::string_view kUrlSuffix = ".url";

bool EndsWithUrlSuffix(const std::string& name) {
    return name.size() >= kUrlSuffix.size() &&
           SjisCompareNoCase(std::string_view(name).substr(name.size() - kUrlSuffix.size()), kUrlSuffix) == 0;
}

// Returns true when the folder is empty afterwards.
bool CleanFolder(const std::filesystem::path& folder, int& deleted) {
    namespace fs = std::filesystem;
    std::error_code ec;
    bool empty = true;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        fs::file_status status = it->symlink_status(ec);
        if (ec) {
            empty = false;
            ec.clear();
            continue;
        }
        if (fs::is_directory(status)) {
            if (CleanFolder(it->path(), deleted) && fs::remove(it->path(), ec)) continue;
        } else if (fs::is_regular_file(status) && EndsWithUrlSuffix(it->path().filename().string())) {
            if (fs::remove(it->path(), ec)) {
                ++deleted;
                continue;
            }
        }
        empty = false;
        ec.clear();
    }
    return empty && !ec;
}

}  // namespace

std::string AddressShortcutFileName(std::string_view title, std::string_view url) {
    std::string name = InternetShortcutFileName(TabDragUrl(title), url);
    name.resize(name.size() - kUrlSuffix.size());
    name.resize(SjisSafeCut(name, kMaxNameBytes));
    return name + std::string(kUrlSuffix);
}

int CleanTempShortcuts(const std::string& folder) {
    if (folder.empty()) return 0;
    std::filesystem::path path(folder);
    std::error_code ec;
    if (!std::filesystem::is_directory(std::filesystem::symlink_status(path, ec))) return 0;
    int deleted = 0;
    if (CleanFolder(path, deleted)) std::filesystem::remove(path, ec);
    return deleted;
}

}  // namespace fern
