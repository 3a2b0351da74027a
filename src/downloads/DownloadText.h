#pragma once
// The texts of the download question and the downloads window (Shift-JIS).
#include <cstdint>
#include <string>
#include <string_view>

#include "downloads/DownloadEngine.h"

namespace fern {

enum class DownloadState;

// "512 バイト", "1.5 KB", "12.3 MB", "1.20 GB".
std::string ByteSizeText(std::int64_t bytes);
// "12.3 MB / 50.0 MB", or "12.3 MB" while the size is unknown.
std::string ProgressText(std::int64_t received, std::int64_t size);
// "1.2 MB/秒".
std::string SpeedText(double bytesPerSecond);
// "残り 5 秒", "残り 3 分 10 秒", "残り 2 時間 5 分"; empty when not known.
std::string TimeLeftText(std::int64_t received, std::int64_t size, double bytesPerSecond);
// "進行中", "完了", "中止", "失敗".
std::string StateText(DownloadState state);
// The reason shown with 失敗; `detail` (Shift-JIS) is the engine's own words.
std::string FailureText(DownloadFailure failure, std::string_view detail);
// The host an address (Shift-JIS) comes from; for blob: addresses the host
// inside; the scheme for addresses without one ("data:").
std::string DownloadSiteOfUrl(std::string_view url);

}  // namespace fern
