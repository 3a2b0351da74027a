#pragma once
// A later start can come while the first one holds the instance lock but
// does not listen yet (it is still starting up): the hand-off is tried again
// for a while instead of losing the arguments.
#include <functional>
#include <string>
#include <vector>

#include "platform/shell/HandOff.h"

namespace fern {

struct HandOffPatience {
    int totalMs = 5000;  // sleeping between tries, at most this long in all
    int pauseMs = 50;
    // Whether the lock holder is still there; once it is gone nobody will
    // listen, so waiting ends.
    std::function<bool()> holderAlive;
    std::function<void(int ms)> sleep;  // g_usleep when not given
};

// Calls `attempt` until it is not NotListening, the holder is gone or the
// patience is used up. Only a refused connection is tried again: once a
// request got through, sending it again could open its page twice.
HandOffResult RetryHandOff(const std::function<HandOffResult(std::string* error)>& attempt,
                           const HandOffPatience& patience, std::string* error = nullptr);

// TrySendHandOff with that patience.
HandOffResult SendHandOffWhenReady(const std::string& socketPath, const std::vector<HandOffMessage>& messages,
                                   const HandOffPatience& patience, std::string* error = nullptr);

}  // namespace fern
