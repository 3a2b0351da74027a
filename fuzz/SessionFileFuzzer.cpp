// libFuzzer target: the session file reader and the restore page on any
// bytes. Whatever a file holds, the tabs read from it are written back as a
// whole file that reads as the same tabs, the page lists them without
// breaking, and the page's answers are read without trusting them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "session/RestorePage.h"
#include "session/SessionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fern::SessionReadResult read = fern::ParseSession(bytes);
    fern::SessionReadResult again = fern::ParseSession(fern::SerializeSession(read.state));
    if (!again.whole || !(again.state == read.state)) __builtin_trap();

    fern::RestorePageHtml(read.state.tabs, "token", {true, true, true});
    std::string uri = std::string(fern::kRestorePageUri) + "?" + std::string(bytes.substr(0, 4096));
    fern::RestoreAnswer answer = fern::ParseRestoreAnswer(uri, "token", read.state.tabs.size());
    for (std::size_t index : answer.chosen)
        if (index >= read.state.tabs.size()) __builtin_trap();
    return 0;
}
