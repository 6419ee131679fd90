#include "platform/qt/qt_event_wait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>

namespace orvane::platform {

namespace {

using Clock = std::chrono::steady_clock;

int64_t MsLeft(Clock::time_point deadline) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
}

}  // namespace

uint32_t QtEventWait::GetTickCount() {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch());
    return uint32_t(uint64_t(ms.count()));
}

bool QtEventWait::Sleep1(int ms) {
    WaitUntil([] { return false; }, ms);
    return true;
}

bool QtEventWait::WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    if (done()) return true;
    if (timeoutMs <= 0) {
        QCoreApplication::processEvents();
        return done();
    }
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    // The timer's event wakes the dispatcher at the deadline, so the wait
    // below blocks until an event arrives instead of polling.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(timeoutMs);
    for (;;) {
        int64_t left = MsLeft(deadline);
        if (left <= 0) return done();
        if (!wake.isActive()) wake.start(int(left));  // fired early (a nested wait ran it)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        if (done()) return true;
    }
}

}  // namespace orvane::platform
