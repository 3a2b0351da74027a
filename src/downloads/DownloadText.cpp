#include "downloads/DownloadText.h"

#include <glib.h>

#include <cstdio>

#include "downloads/DownloadList.h"

namespace fern {

std::string ByteSizeText(std::int64_t bytes) {
    char text[64];
    const double value = static_cast<double>(bytes < 0 ? 0 : bytes);
    if (bytes < 1024)
        std::snprintf(text, sizeof text, "%lld バイト", static_cast<long long>(bytes < 0 ? 0 : bytes));
    else if (value < 1024.0 * 1024) std::snprintf(text, sizeof text, "%.1f KB", value / 1024);
    else if (value < 1024.0 * 1024 * 1024) std::snprintf(text, sizeof text, "%.1f MB", value / (1024 * 1024));
    else std::snprintf(text, sizeof text, "%.2f GB", value / (1024.0 * 1024 * 1024));
    return text;
}

std::string ProgressText(std::int64_t received, std::int64_t size) {
    if (size < 0) return ByteSizeText(received);
    return ByteSizeText(received) + " / " + ByteSizeText(size);
}

std::string SpeedText(double bytesPerSecond) {
    return ByteSizeText(static_cast<std::int64_t>(bytesPerSecond)) + "/秒";
}

std::string TimeLeftText(std::int64_t received, std::int64_t size, double bytesPerSecond) {
    if (size < 0 || bytesPerSecond < 1 || received > size) return {};
    const long long seconds =
        static_cast<long long>(static_cast<double>(size - received) / bytesPerSecond + 0.5);
    char text[64];
    if (seconds < 60) std::snprintf(text, sizeof text, "残り %lld 秒", seconds);
    else if (seconds < 3600)
        std::snprintf(text, sizeof text, "残り %lld 分 %lld 秒", seconds / 60, seconds % 60);
    else std::snprintf(text, sizeof text, "残り %lld 時間 %lld 分", seconds / 3600, seconds % 3600 / 60);
    return text;
}

std::string StateText(DownloadState state) {
    switch (state) {
        case DownloadState::Running: return "進行中";
        case DownloadState::Done: return "完了";
        case DownloadState::Cancelled: return "中止";
        case DownloadState::Failed: return "失敗";
    }
    return {};
}

std::string FailureText(DownloadFailure failure, std::string_view detail) {
    std::string text;
    switch (failure) {
        case DownloadFailure::Network: text = "接続が切れました"; break;
        case DownloadFailure::Destination: text = "ファイルを書き込めません"; break;
        case DownloadFailure::Cancelled: text = "中止されました"; break;
        case DownloadFailure::Other: text = "ダウンロードできませんでした"; break;
    }
    if (!detail.empty()) text += " (" + std::string(detail) + ")";
    return text;
}

std::string DownloadSiteOfUrl(std::string_view url) {
    std::string text(url);
    // A blob: address names the page's own origin after its scheme.
    if (g_ascii_strncasecmp(text.c_str(), "blob:", 5) == 0) text.erase(0, 5);
    GUri* uri = g_uri_parse(text.c_str(), G_URI_FLAGS_ENCODED, nullptr);
    std::string site;
    if (uri) {
        const gchar* host = g_uri_get_host(uri);
        if (host && *host) site = host;
        else if (g_uri_get_scheme(uri)) site = std::string(g_uri_get_scheme(uri)) + ":";
        g_uri_unref(uri);
    }
    return site;
}

}  // namespace fern
