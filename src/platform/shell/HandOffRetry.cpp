#include "platform/shell/HandOffRetry.h"

#include <glib.h>

#include <cstdio>

namespace fern {

HandOffResult RetryHandOff(const std::function<HandOffResult(std::string* error)>& attempt,
                           const HandOffPatience& patience, std::string* error) {
    int waited = 0;
    for (;;) {
        HandOffResult result = attempt(error);
        if (result != HandOffResult::NotListening) return result;
        if (patience.holderAlive && !patience.holderAlive()) {
            if (error) *error = "the running browser ended before it listened";
            return result;
        }
        if (waited >= patience.totalMs) {
            char text[64];
            std::snprintf(text, sizeof text, "the running browser did not listen within %d ms",
                          patience.totalMs);
            if (error) *error = text;
            return result;
        }
        int pause = patience.pauseMs > 0 ? patience.pauseMs : 1;
        if (pause > patience.totalMs - waited) pause = patience.totalMs - waited;
        if (patience.sleep) patience.sleep(pause);
        else g_usleep(static_cast<gulong>(pause) * 1000);
        waited += pause;
    }
}

HandOffResult SendHandOffWhenReady(const std::string& socketPath, const std::vector<HandOffMessage>& messages,
                                   const HandOffPatience& patience, std::string* error) {
    return RetryHandOff([&](std::string* why) { return TrySendHandOff(socketPath, messages, why); }, patience,
                        error);
}

}  // namespace fern
