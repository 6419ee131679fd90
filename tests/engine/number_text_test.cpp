#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "engine/errors.h"
#include "engine/number_text.h"
#include "engine/value_text.h"
#include "tests/support/recording_host.h"

namespace orvane::test {
namespace {

TEST(NumberText, SentinelHasItsExactBitPattern) {
    const long double s = Sentinel();
    unsigned char bytes[16] = {};
    std::memcpy(bytes, &s, 10);
    uint64_t mantissa;
    uint16_t signExp;
    std::memcpy(&mantissa, bytes, 8);
    std::memcpy(&signExp, bytes + 8, 2);
    EXPECT_EQ(mantissa, 0xECB12AED7F5875E1ULL);
    EXPECT_EQ(signExp, 0x7FFE);
    EXPECT_EQ(StrToFloat("1.1E4932"), s);  // the text reads back as the same value
}

TEST(NumberText, FloatToStrGeneralFormat) {
    CLocaleScope locale;
    const struct {
        long double v;
        const char* text;
    } rows[] = {
        {0, "0"}, {-0.0L, "0"}, {1, "1"}, {-1, "-1"}, {2.5L, "2.5"}, {1.0L / 3, "0.333333333333333"},
        {2.0L / 3, "0.666666666666667"}, {0.0001L, "0.0001"}, {0.00009L, "9E-5"}, {0.00001L, "1E-5"},
        {1e15L, "1E15"}, {999999999999999.0L, "999999999999999"}, {123456789012345.0L, "123456789012345"},
        {1234567890123456789.0L, "1.23456789012346E18"}, {-1.5e-10L, "-1.5E-10"},
        {999999999999999.5L, "1E15"},  // rounding carries into a new digit
        {1000000000000005.0L, "1.00000000000001E15"},  // an exact tie rounds half up
        {0.1L, "0.1"}, {100, "100"}, {1e300L, "1E300"}, {Sentinel(), "1.1E4932"}, {-Sentinel(), "-1.1E4932"},
    };
    for (const auto& r : rows) EXPECT_EQ(FloatToStr(r.v), r.text) << double(r.v);
}

TEST(NumberText, DecimalSeparatorComesFromTheLocaleRecord) {
    FormatSettings fs;
    fs.DecimalSeparator = ',';
    FormatSettingsScope comma(fs);
    EXPECT_EQ(FloatToStr(2.5L), "2,5");
    EXPECT_EQ(FloatToStr(1.5e-10L), "1,5E-10");
    EXPECT_EQ(StrToFloat("2,5"), 2.5L);
    EXPECT_THROW(StrToFloat("2.5"), EConvertError);
}

TEST(NumberText, StrToFloatAcceptsOnlyPlainDecimals) {
    CLocaleScope locale;
    const struct {
        const char* text;
        bool ok;
        long double v;
    } rows[] = {
        {"1", true, 1},        {" -2.5 ", true, -2.5L}, {"+3", true, 3},     {"1.", true, 1},
        {".5", true, 0.5L},    {"1e3", true, 1000},     {"1E+3", true, 1000}, {"1e-3", true, 0.001L},
        {"", false, 0},        {" ", false, 0},         {".", false, 0},     {"-", false, 0},
        {"1e", false, 0},      {"1e+", false, 0},       {"e5", false, 0},    {"1,5", false, 0},
        {"1 000", false, 0},   {"0x10", false, 0},      {"INF", false, 0},   {"NAN", false, 0},
        {"1.2.3", false, 0},   {"1e5000", false, 0},    {"--1", false, 0},   {"\t1", false, 0},
    };
    for (const auto& r : rows) {
        long double v = -99;
        EXPECT_EQ(TryStrToFloat(r.text, v), r.ok) << r.text;
        if (r.ok) {
            EXPECT_EQ(v, r.v) << r.text;
        }
    }
    EXPECT_EQ(StrToFloatDef("abc", 7), 7);
    try {
        StrToFloat("abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    }
}

TEST(NumberText, StrToIntDecimalAndHexadecimal) {
    const struct {
        const char* text;
        bool ok;
        int32_t v;
    } rows[] = {
        {"0", true, 0},           {"  42", true, 42},         {"-7", true, -7},
        {"+7", true, 7},          {"2147483647", true, 2147483647}, {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0}, {"42 ", false, 0},          {"", false, 0},
        {"$FF", true, 255},       {"xff", true, 255},         {"X10", true, 16},
        {"0x1F", true, 31},       {"0XFFFFFFFF", true, -1},   {"0x80000000", true, INT32_MIN},
        {"0x000000001", true, 1}, {"0x123456789", false, 0},  {"0x", false, 0},
        {"$", false, 0},          {"$G1", false, 0},          {"1.5", false, 0},
    };
    for (const auto& r : rows) {
        int32_t v = -99;
        EXPECT_EQ(TryStrToInt(r.text, v), r.ok) << r.text;
        if (r.ok) {
            EXPECT_EQ(v, r.v) << r.text;
        }
    }
    EXPECT_EQ(StrToIntDef("zz", 5), 5);
    try {
        StrToInt("$G1");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'$G1' is not a valid integer value");
    }
}

TEST(NumberText, IntegerTextAndRounding) {
    EXPECT_EQ(IntToStr(-1234567890123LL), "-1234567890123");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0x1234, 2), "1234");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFFFFFFFFFF");
    const struct {
        long double v;
        int64_t round, trunc;
    } rows[] = {{2.5L, 2, 2}, {3.5L, 4, 3}, {-2.5L, -2, -2}, {-3.7L, -4, -3}, {0.49L, 0, 0}};
    for (const auto& r : rows) {
        EXPECT_EQ(Round(r.v), r.round) << double(r.v);
        EXPECT_EQ(Trunc(r.v), r.trunc) << double(r.v);
    }
    EXPECT_THROW(Trunc(1e19L), EInvalidOp);
    EXPECT_THROW(Round(-1e19L), EInvalidOp);
    EXPECT_THROW(Trunc(Sentinel()), EInvalidOp);
    EXPECT_EQ(Trunc(-9223372036854775808.0L), INT64_MIN);
}

TEST(NumberText, StrtovalueRewritesItsOperand) {
    CLocaleScope locale;
    RecordingHost host;
    Session s(host);
    const struct {
        const char* in;
        const char* out;
        long double v;
    } rows[] = {
        {" 42 ", "42", 42},  {"1.50", "1.50", 1.5L}, {"0x1F", "31", 31},   {"101.B", "5", 5},
        {"12.b", "1", 1},    {"12:4", "0012", 12},   {"3.7:3", "003", 3.7L}, {"2.9:2", "02", 2.9L},
        {"5:0", "5", 5},     {"-5:4", "-005", -5},   {"0x10:4", "0016", 16},
    };
    for (const auto& r : rows) {
        std::string t = r.in;
        EXPECT_EQ(strtovalue(s, t), r.v) << r.in;
        EXPECT_EQ(t, r.out) << r.in;
    }
    EXPECT_TRUE(host.messages.empty());
    std::string word = "word";
    EXPECT_EQ(strtovalue(s, word), Sentinel());
    EXPECT_EQ(word, "word");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].panel, 3);
    EXPECT_EQ(host.messages[0].text, "Variable convert error ");
    std::string big = "111111111111111111111111111111111.B";  // beyond 32 bits
    EXPECT_THROW(strtovalue(s, big), EConvertError);
}

}  // namespace
}  // namespace orvane::test
