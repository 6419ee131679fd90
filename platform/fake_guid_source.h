#pragma once
// A GUID source for tests: hands out the queued GUIDs in order, then fails.
#include <deque>

#include "platform/guid_source.h"

namespace orvane::platform {

class FakeGuidSource : public GuidSource {
public:
    void Queue(const Guid& g) { m_queue.push_back(g); }
    bool NewGuid(Guid& out) override {
        if (m_queue.empty()) return false;
        out = m_queue.front();
        m_queue.pop_front();
        return true;
    }

private:
    std::deque<Guid> m_queue;
};

}  // namespace orvane::platform
