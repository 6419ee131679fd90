#pragma once
// Waiting while the program stays alive. In the window a wait runs the event
// loop, so every other handler (timers, keys, paints, a web view's results)
// may run in between; in tests a fake advances a fake clock and runs what was
// scheduled up to then. A wait never blocks the program's thread in a sleep
// that handles nothing.
#include <cstdint>
#include <functional>

namespace orvane::platform {

class EventWait {
public:
    virtual ~EventWait() = default;
    // Milliseconds of a monotonic clock (wraps at 2^32).
    virtual uint32_t GetTickCount() = 0;
    // Waits `ms` milliseconds (0 or less: handles what is pending) while
    // handling events; returns true.
    virtual bool Sleep1(int ms) = 0;
    // Handles events until `done()` holds (checked before the first event and
    // after every one) or `timeoutMs` milliseconds have passed. True when
    // `done()` held; false on the time-out.
    virtual bool WaitUntil(const std::function<bool()>& done, int timeoutMs) = 0;
};

}  // namespace orvane::platform
