#pragma once
// EventWait over the Qt event loop: waits handle every event of the
// program's thread (timers, input, paints, the web engine's work and
// results) and sleep in the event dispatcher between events instead of
// spinning. Needs a QCoreApplication (or a derived one).
#include "platform/event_wait.h"

namespace orvane::platform {

class QtEventWait : public EventWait {
public:
    // Milliseconds of the monotonic clock.
    uint32_t GetTickCount() override;
    // Handles events for `ms` milliseconds (0 or less: what is pending now).
    // A wait started inside another one ends before the outer one can.
    bool Sleep1(int ms) override;
    // Handles events until `done()` holds (checked before the first event and
    // after every batch of events) or `timeoutMs` milliseconds have passed.
    bool WaitUntil(const std::function<bool()>& done, int timeoutMs) override;
};

}  // namespace orvane::platform
