// libFuzzer target: proxy.ini and the reports of a page's frames, on any
// bytes. proxy.ini written from what was read reads back to the same file;
// the addresses of a report, written into the job files, never add lines of
// their own; the frame order never loses a report.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/engine/PageLinks.h"
#include "tools/extract/JobFiles.h"
#include "tools/extract/UrlExtractList.h"
#include "tools/proxy/EngineProxy.h"
#include "tools/proxy/ProxyFile.h"

namespace {

std::size_t Lines(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    std::vector<fern::ProxyEntry> entries = fern::ParseProxyFile(bytes);
    std::string once = fern::SerializeProxyFile(entries);
    if (fern::SerializeProxyFile(fern::ParseProxyFile(once)) != once) __builtin_trap();
    if (Lines(once) != 4 * entries.size()) __builtin_trap();
    for (const fern::ProxyEntry& entry : entries) fern::EngineProxyFor(entry);

    // The first line is a frame path, the rest the report's lines.
    std::size_t cut = bytes.find('\n');
    fern::CFrameCollection frames;
    std::size_t added = 0;
    for (int i = 0; i < 3; ++i) {
        fern::FrameReport report;
        auto path = fern::ParseFramePath(bytes.substr(0, cut));
        if (!path) break;
        report.path = *path;
        report.path.push_back(i);
        report.frameCount = static_cast<int>(size % 7) - 2;
        report.links =
            fern::ParsePageLinks(cut == std::string_view::npos ? std::string_view() : bytes.substr(cut + 1));
        std::vector<std::string> urls = fern::DocumentUrls(report, i % 2 == 0);
        if (Lines(fern::SerializeIriJob(urls, bytes.substr(0, cut), "stamp")) != 5 * urls.size())
            __builtin_trap();
        if (Lines(fern::SerializeWrgJob(urls, bytes.substr(0, cut), bytes.substr(0, cut))) !=
            12 * urls.size())
            __builtin_trap();
        if (frames.Add(std::move(report))) ++added;
        frames.Complete();
    }
    if (frames.TakeDocuments().size() != added) __builtin_trap();
    return 0;
}
