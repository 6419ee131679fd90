// libFuzzer target: any byte string as a smart-format template text, processed
// with the default field table. It must finish with output or with one of the
// program's own errors.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/errors.h"
#include "engine/format_settings.h"
#include "engine/number_text.h"
#include "smartformat/smart_format.h"

namespace {

class FixedClockHost : public orvane::NullHost {
public:
    orvane::LocalDateTime Now() override { return {2026, 12, 9, 12, 34, 56, 789}; }
};

class DefaultFields : public orvane::FieldTableAccess {
public:
    const std::string* FindFieldValue(std::string_view upper) const override {
        if (upper == "FIELD_A") return &m_a;
        if (upper == "FIELD_B") return &m_b;
        if (upper == "BIN") return &m_bin;
        return nullptr;
    }

private:
    std::string m_a = "1B 24 43 02 99 05", m_b = "11 22 33 44 55 66";
    std::string m_bin = std::string("\0\x01\xFF[]'\"{}", 10);
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 100000) return 0;
    FixedClockHost host;
    DefaultFields fields;
    orvane::SmartSession session(host);
    session.SetFieldTable(&fields);
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        bool ok = true;
        orvane::String_Proc(session, text, true, ok);
    } catch (const orvane::EOrvane&) {
    }
    return 0;
}
