#pragma once
// Posted messages: work run later from the main loop, after the current
// event handler has returned (a tab closed from inside its own page's event
// must not be destroyed under that event).
#include <functional>

namespace fern {

class IMessageQueue {
public:
    virtual ~IMessageQueue() = default;
    virtual void Post(std::function<void()> work) = 0;
};

}  // namespace fern
