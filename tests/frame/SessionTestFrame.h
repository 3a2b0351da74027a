#pragma once
// A main frame on the scripted engine: pages load at once unless told
// otherwise, every engine made is kept, every open can be recorded.
#include <memory>
#include <string>
#include <vector>

#include "fakes/FakeBrowserEngine.h"
#include "fakes/FakeProfile.h"
#include "fakes/FakeShell.h"
#include "fakes/ManualTimers.h"
#include "frame/MainFrame.h"
#include "frame/StateLog.h"
#include "platform/engine/LazyEngine.h"
#include "settings/SettingsService.h"

namespace fern::test {

class LoadingEngines : public IEngineFactory {
public:
    bool autoLoad = true;
    std::vector<FakeBrowserEngine*> made;
    std::vector<IBrowserEngine*> related;
    std::unique_ptr<IBrowserEngine> Create(IBrowserEngine* relatedTo) override {
        auto engine = std::make_unique<FakeBrowserEngine>();
        engine->autoLoad = autoLoad;
        made.push_back(engine.get());
        related.push_back(relatedTo);
        return engine;
    }
};

// The services a frame asks for, on fakes; no address is special.
struct FrameFakes {
    // The settings of a first start, in a profile in memory (or the one
    // given, for runs that follow each other); tests change them as the
    // program does, through the service.
    FakeProfile ownProfile, ownWindows;
    FakeProfile& profile;
    FakeProfile& windows;
    SettingsStore store{profile, windows};
    CSettingsService settings{store};
    LoadingEngines engines;

    FrameFakes() : profile(ownProfile), windows(ownWindows) {}
    FrameFakes(FakeProfile& given, FakeProfile& givenWindows) : profile(given), windows(givenWindows) {}
    ManualTimers timers;
    ManualQueue queue;
    FakeClipboard clipboard;
    FakeMessageBox messageBox;

    FrameServices Services(
        IPopupFilter& filter,
        std::function<bool(const std::string&)> special = [](const std::string&) { return false; }) {
        return {engines,
                timers,
                queue,
                clipboard,
                messageBox,
                filter,
                [](const std::string& t) { return t; },
                std::move(special),
                [] { return false; }};
    }
};

struct OpenCall {
    std::string url;
    int flags;
    std::uint32_t dlc;
    int mode;
    bool operator==(const OpenCall&) const = default;
};

// An opener that only records.
inline UrlOpener RecordTo(std::vector<OpenCall>& calls) {
    return [&calls](const std::string& url, int flags, std::uint32_t dlc, int mode) {
        calls.push_back({url, flags, dlc, mode});
    };
}

inline std::string UrlsOf(const CMainFrame& frame) {
    std::string out;
    for (int i = 0; i < frame.TabCount(); ++i) out += (i ? " " : "") + frame.ViewAt(i)->Url();
    return out;
}

inline FakeBrowserEngine* EngineOf(const CFernView* view) {
    return static_cast<FakeBrowserEngine*>(RealEngine(view->Engine()));
}

struct SessionTestFrame : FrameFakes {
    NoPopupFilter filter;
    CMainFrame frame{Services(filter), settings.Live()};

    SessionTestFrame() = default;
    SessionTestFrame(FakeProfile& given, FakeProfile& givenWindows) : FrameFakes(given, givenWindows) {}
    std::vector<OpenCall> calls;

    // Records each open and carries it out on the frame.
    UrlOpener Opener() {
        return [this](const std::string& url, int flags, std::uint32_t dlc, int mode) {
            calls.push_back({url, flags, dlc, mode});
            frame.OpenUrl(url, flags, dlc, mode);
        };
    }
    std::string Urls() const { return UrlsOf(frame); }
};

}  // namespace fern::test
