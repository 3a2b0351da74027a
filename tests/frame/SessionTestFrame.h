#pragma once
// A main frame on the scripted engine, for the tests of closed tabs and
// state logs: pages load at once, every open is recorded.
#include <memory>
#include <string>
#include <vector>

#include "fakes/FakeBrowserEngine.h"
#include "fakes/FakeShell.h"
#include "fakes/ManualTimers.h"
#include "frame/MainFrame.h"
#include "frame/StateLog.h"

namespace fern::test {

class LoadingEngines : public IEngineFactory {
public:
    bool autoLoad = true;
    int made = 0;
    std::unique_ptr<IBrowserEngine> Create(IBrowserEngine*) override {
        auto engine = std::make_unique<FakeBrowserEngine>();
        engine->autoLoad = autoLoad;
        ++made;
        return engine;
    }
};

struct OpenCall {
    std::string url;
    int flags;
    std::uint32_t dlc;
    int mode;
    bool operator==(const OpenCall&) const = default;
};

struct SessionTestFrame {
    LoadingEngines engines;
    ManualTimers timers;
    ManualQueue queue;
    FakeClipboard clipboard;
    FakeMessageBox messageBox;
    NoPopupFilter filter;
    CMainFrame frame{FrameServices{engines, timers, queue, clipboard, messageBox, filter,
                                   [](const std::string& t) { return t; }, [](const std::string&) { return false; },
                                   [] { return false; }},
                     FrameOptions{}};
    std::vector<OpenCall> calls;

    // Records each open and carries it out on the frame.
    UrlOpener Opener() {
        return [this](const std::string& url, int flags, std::uint32_t dlc, int mode) {
            calls.push_back({url, flags, dlc, mode});
            frame.OpenUrl(url, flags, dlc, mode);
        };
    }

    std::string Urls() const {
        std::string out;
        for (int i = 0; i < frame.TabCount(); ++i) out += (i ? " " : "") + frame.ViewAt(i)->Url();
        return out;
    }
};

}  // namespace fern::test
