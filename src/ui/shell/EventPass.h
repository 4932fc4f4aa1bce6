// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

namespace tarvex {

// Lets pending window events run during long work - once a step, as a full pass would - without
// a system call for every step. Each pass delivers what is queued inside the process: posted
// events (queued signals, repaint and layout requests, events from other threads) and the
// deferred deletions the event loop's level allows. What only a poll of the process's
// descriptors finds - input and exposure from the display connection, timers that are due,
// socket notifiers - is run by a full pass when the last one is at least `pollInterval` old.
// The clock is the monotonic one, which the vDSO reads without a system call.
//
// So a click, the stop button, a close request and a repaint are answered within the poll
// interval of their arrival, as long as a step takes less than that.
class EventPass {
public:
    explicit EventPass(std::chrono::nanoseconds pollInterval = std::chrono::milliseconds(1))
        : pollInterval_(pollInterval) {}

    // One pass. Whatever runs during it - a click, a close request - must find the caller in a
    // consistent state. Returns true when it polled.
    bool run();

private:
    std::chrono::nanoseconds pollInterval_;
    std::chrono::steady_clock::time_point lastPoll_{};
};

} // namespace tarvex
