#include "tests/support/text_summary.h"

#include <cstdio>

namespace orvane::test {

std::string Summary(std::string_view text) {
    const bool cut = text.size() > 24;
    std::string out;
    for (unsigned char c : cut ? text.substr(0, 12) : text) {
        if (c < 32) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        } else {
            out += char(c);
        }
    }
    if (cut) out += "...(" + std::to_string(text.size()) + ")";
    return out;
}

std::string Repeat(std::string_view prefix, size_t count) {
    std::string out;
    out.reserve(prefix.size() * count);
    for (size_t i = 0; i < count; ++i) out += prefix;
    return out;
}

}  // namespace orvane::test
