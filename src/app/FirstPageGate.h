#pragma once
// Waits for the first page: opens once the first page has committed or failed,
// at once when the start opened no page, or after a fallback delay when the
// page does neither (a server that does not answer). Opens once; what it
// opens runs at that moment.
#include <functional>

#include "platform/shell/TimerService.h"

namespace fern {

class CFirstPageGate {
public:
    CFirstPageGate(ITimerService& timers, std::function<void()> open)
        : m_timers(timers), m_open(std::move(open)) {}
    ~CFirstPageGate();
    CFirstPageGate(const CFirstPageGate&) = delete;
    CFirstPageGate& operator=(const CFirstPageGate&) = delete;

    // The first tabs are open: wait for the first page unless none loads,
    // but never longer than `fallbackMs`.
    void Arm(bool pageLoading, unsigned fallbackMs);
    // The first page committed or failed; before Arm it is remembered.
    void FirstPageDone();
    // Open now, whatever the page does.
    void Open();
    bool IsOpen() const { return m_open == nullptr; }

private:
    ITimerService& m_timers;
    std::function<void()> m_open;
    bool m_armed = false;
    bool m_pageDone = false;
    TimerId m_fallback = 0;
};

}  // namespace fern
