#include <gtest/gtest.h>

#include "engine/base_convert.h"
#include "engine/errors.h"
#include "tests/support/recording_host.h"

namespace orvane::test {
namespace {

TEST(BaseConvert, Commands) {
    CLocaleScope locale;
    const struct {
        const char* command;
        const char* result;
        bool success;
    } rows[] = {
        {"X1016(255)", "FF", true},   {"X1002(10)", "1010", true},  {"X1610(ff)", "255", true},
        {"X0210(1012)", "5", true},   {"X1016(0)", "0", true},      {"X1016(255.9)", "FF", true},
        {"X1016(-5)", "0", true},     {"X1020(16)", "G", true},     {"X1026(25)", "P", true},
        {"X1030(29)", "0", true},     {"X16(FF)", "255", true},     {"x3610(zz)", "1295", true},
        {"X1016(255", "0", true},     {"X1016)255(", "0", true},    {"X1010(1E20)", "1", true},
        {"X1610(FFFFFFFFFFFFFFFFFF)", "4.72236648286965E21", true},
        {"", "", true},               {"(5)", "", false},           {"Y1016(5)", "No Such command", false},
        {"-X1016(255)", "No Such command", false},
        {"X1001(5)", "No Such command", false},  // base 1 would never finish
        {"X1000(0)", "0", false},
    };
    for (const auto& r : rows) {
        bool ok = !r.success;
        EXPECT_EQ(XB1B2(r.command, ok), r.result) << r.command;
        EXPECT_EQ(ok, r.success) << r.command;
    }
}

TEST(BaseConvert, RaisedErrors) {
    bool ok;
    EXPECT_THROW(XB1B2("XAB16(1)", ok), EConvertError);
    EXPECT_THROW(XB1B2("X1000(5)", ok), EZeroDivide);
    EXPECT_THROW(XB1B2("X1016(9223372036854775808)", ok), EInvalidOp);
    EXPECT_EQ(XB1B2("X1016(9223372036854775807)", ok), "7FFFFFFFFFFFFFFF");
    EXPECT_THROW(XB1B2("X1010(" + std::string(6000, '9') + ")", ok), EOverflow);
    // Digits of values near 2^63 are exact, in any base.
    EXPECT_EQ(XB1B2("X1003(9223372036854775807)", ok), "2021110011022210012102010021220101220221");
    EXPECT_EQ(XB1B2("X1007(9223372036854775806)", ok), "22341010611245052052266");
    EXPECT_EQ(XB1B2("X1025(9223372036854775807)", ok), "64IE1FOCNN5G77");
}

}  // namespace
}  // namespace orvane::test
