#pragma once
// Timers of the main loop. The GTK layer runs them on GLib timeouts; tests use
// a manual clock that they advance by hand.
#include <functional>

namespace fern {

using TimerId = unsigned;

class ITimerService {
public:
    virtual ~ITimerService() = default;
    // A repeating timer; returns a non-zero id.
    virtual TimerId Start(unsigned periodMs, std::function<void()> tick) = 0;
    virtual void Stop(TimerId id) = 0;
};

}  // namespace fern
