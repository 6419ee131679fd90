#include "engine/base_convert.h"

#include <cmath>

#include "engine/errors.h"
#include "engine/fp_check.h"
#include "engine/number_text.h"

namespace orvane {

namespace {
int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    return -1;
}
// Characters `from`..`from+1` (1-based) of the command, as far as they exist.
std::string_view TwoChars(std::string_view cmd, size_t from) {
    if (cmd.size() < from) return {};
    return cmd.substr(from - 1, 2);
}
}  // namespace

std::string XB1B2(std::string_view command, bool& success) {
    success = true;
    if (command.empty()) return "";
    const size_t open = command.find('(');
    const std::string cmd = UpperCase(command.substr(0, open));
    if (cmd.empty()) {
        success = false;
        return "";
    }
    if (cmd[0] != 'X') {
        success = false;
        return "No Such command";
    }
    // The argument lies between the first "(" and the first ")"; it is empty
    // when either is missing or the ")" comes first.
    std::string_view arg;
    const size_t close = command.find(')');
    if (open != std::string_view::npos && close != std::string_view::npos && close > open)
        arg = command.substr(open + 1, close - open - 1);
    const int32_t source = StrToInt(TwoChars(cmd, 2));

    long double value = 0;
    for (char c : arg) {
        const int d = DigitValue(c);
        if (d < 0 || d >= source) break;
        value = FAdd(FMul(value, source), d);
    }

    int32_t target = 10;
    if (!TryStrToInt(TwoChars(cmd, 4), target)) target = 10;
    if (target == 10) return FloatToStr(value);
    if (target < 2) {
        // A base below 2 has no digits. Base 0 divides by zero as soon as there
        // is a value; base 1 would never finish, so it is refused.
        success = false;
        if (target == 0) {
            if (value > 0) throw EZeroDivide();
            return "0";
        }
        return "No Such command";
    }
    // Values of 2^63 and more raise here. Below that the value is a whole
    // number held exactly, so the digits are computed in integer arithmetic:
    // dividing in floating point could round the quotient up and make a
    // remainder negative.
    uint64_t whole = static_cast<uint64_t>(Trunc(value));
    const uint64_t base = static_cast<uint64_t>(target);
    std::string result;
    while (whole > 0) {
        const uint64_t r = whole % base;
        whole /= base;
        if (r >= 26) break;
        const char digit = r < 10 ? char('0' + r) : char('A' + r - 10);
        result.insert(result.begin(), digit);
    }
    if (result.empty()) result = "0";
    return result;
}

}  // namespace orvane
