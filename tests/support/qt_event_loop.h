#pragma once
// For tests that run inside a QCoreApplication (orvane_add_qt_test): runs the
// event loop until a condition holds.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>

#include <functional>

namespace orvane::test {

// Runs the event loop until `done` holds; false when it still does not after
// `limitMs` (a safety stop, not a measurement).
inline bool RunUntil(const std::function<bool()>& done, int limitMs = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

}  // namespace orvane::test
