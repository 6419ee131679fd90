#pragma once
// A session of instance 2 over a heap block the size of the shared record, a
// host that records every message box, and helpers to read the boxes back.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/shared_block.h"
#include "tests/support/recording_host.h"
#include "variables/KOR_AP_Variable.h"

namespace orvane::test {

struct Box {
    MsgIcon icon;
    std::string text;
    bool operator==(const Box&) const = default;
};
inline std::ostream& operator<<(std::ostream& os, const Box& b) {
    return os << "box(" << static_cast<int>(b.icon) << "): " << b.text;
}

class StoreTest : public ::testing::Test {
protected:
    std::vector<Box> TakeBoxes() {
        std::vector<Box> out;
        for (const auto& m : host.messages)
            if (m.box) out.push_back({m.icon, m.text});
        host.messages.clear();
        return out;
    }
    Share_Memory& Block() { return *session.MapFilePointer(); }

    CLocaleScope locale;
    RecordingHost host;
    std::shared_ptr<platform::HeapSharedBlock> block =
        std::make_shared<platform::HeapSharedBlock>(sizeof(Share_Memory));
    VariableSession session{host, block, 2};
};

}  // namespace orvane::test
