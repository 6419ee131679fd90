// libFuzzer target: any byte string as a statement. It must be answered or
// rejected with one of the program's own errors.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/format_settings.h"
#include "engine/session.h"

namespace {
class FixedClockHost : public orvane::NullHost {
public:
    orvane::LocalDateTime Now() override { return {2026, 12, 9, 12, 34, 56, 789}; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 100000) return 0;
    FixedClockHost host;
    orvane::Session session(host);
    const std::string statement(reinterpret_cast<const char*>(data), size);
    std::string answer;
    try {
        orvane::Expression_execute(session, statement, answer);
    } catch (const orvane::EOrvane&) {
    }
    return 0;
}
