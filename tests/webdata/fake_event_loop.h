#pragma once
// A fake clock with an event queue: waits advance the clock from one
// scheduled event to the next and run it, so a test sees exactly what a
// window's event loop would run during a wait, without any real time passing.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "platform/event_wait.h"

namespace orvane::test {

class FakeEventLoop : public platform::EventWait {
public:
    // Runs `task` when the clock reaches now + `delayMs` (in posting order for
    // equal times).
    void Post(int delayMs, std::function<void()> task) {
        m_tasks.emplace(m_now + uint64_t(delayMs < 0 ? 0 : delayMs), std::move(task));
    }
    uint64_t Now() const { return m_now; }
    size_t Pending() const { return m_tasks.size(); }

    uint32_t GetTickCount() override { return uint32_t(m_now); }
    bool Sleep1(int ms) override {
        RunUntil(m_now + uint64_t(ms < 0 ? 0 : ms), [] { return false; });
        return true;
    }
    bool WaitUntil(const std::function<bool()>& done, int timeoutMs) override {
        ++waits;
        return RunUntil(m_now + uint64_t(timeoutMs < 0 ? 0 : timeoutMs), done);
    }

    int waits = 0;

private:
    // Runs the events due up to `deadline`, stopping early once `done()`
    // holds; the clock ends at the last event run, or at the deadline.
    bool RunUntil(uint64_t deadline, const std::function<bool()>& done) {
        while (!done()) {
            auto next = m_tasks.begin();
            if (next == m_tasks.end() || next->first > deadline) {
                // A wait nested in this one may have run past its deadline;
                // the clock never goes back.
                m_now = std::max(m_now, deadline);
                return done();
            }
            m_now = std::max(m_now, next->first);
            std::function<void()> task = std::move(next->second);
            m_tasks.erase(next);
            task();
        }
        return true;
    }

    uint64_t m_now = 0;
    std::multimap<uint64_t, std::function<void()>> m_tasks;
};

}  // namespace orvane::test
