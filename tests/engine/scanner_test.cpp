#include <gtest/gtest.h>

#include "engine/scanner.h"
#include "tests/support/recording_host.h"

namespace orvane::test {
namespace {

TEST(Scanner, FirstOperatorPosition) {
    CLocaleScope locale;
    const struct {
        const char* text;
        bool found;
        size_t start, end;
        int priority;
        const char* after;  // the text after trimming and expansion
    } rows[] = {
        {"1+2", true, 2, 3, 1, "1+2"},
        {"  1 * 2 ", true, 3, 4, 2, "1 * 2"},
        {"-3", false, 65535, 65535, 0, "-3"},
        {"2*-3", true, 2, 3, 2, "2*-3"},
        {"1E-5-2", true, 5, 6, 1, "1E-5-2"},
        {"0x1E+1", false, 65535, 65535, 0, "0x1E+1"},
        {"1e+5+1e+5", true, 5, 6, 1, "1e+5+1e+5"},
        {"8>>1", true, 2, 4, 1, "8>>1"},
        {"1<=2", true, 2, 4, 1, "1<=2"},
        {"1<>2", true, 2, 4, 1, "1<>2"},
        {"1||0", true, 2, 4, 1, "1||0"},
        {"3AND4", false, 65535, 65535, 0, "3AND4"},
        {"3 and 4", true, 2, 7, 3, "3 and 4"},
        {"3 mod 4", true, 2, 7, 3, "3 mod 4"},
        {"3 or 4", true, 2, 6, 3, "3 or 4"},
        {"+1-2", true, 3, 4, 1, "+1-2"},
        {"-MAX(1,2)+1", true, 3, 4, 1, "-2+1"},
        {"MIN(-2,5)-3", false, 65535, 65535, 0, "-2-3"},
        {"(1+2)*3", true, 2, 3, 2, "3*3"},
        {"-(2+3)", true, 4, 5, 1, "-(2+3)"},
        {"SORT(3,1,2)+1", false, 65535, 65535, 0, "1,2,3,"},
        {"ARCTAN2(1)+5", false, 65535, 65535, 0, "INF"},
        {"X1016(255)*2", true, 3, 4, 2, "FF*2"},
        {"-NOW()", false, 65535, 65535, 0, "1796819696"},
        {"", false, 65535, 65535, 0, ""},
    };
    for (const auto& r : rows) {
        RecordingHost host;
        Session s(host);
        std::string text = r.text;
        size_t start = 0, end = 0;
        uint8_t priority = 9;
        EXPECT_EQ(Get_first_operator_pos(s, text, start, end, priority), r.found) << r.text;
        EXPECT_EQ(start, r.start) << r.text;
        EXPECT_EQ(end, r.end) << r.text;
        EXPECT_EQ(priority, r.priority) << r.text;
        EXPECT_EQ(text, r.after) << r.text;
    }
}

TEST(Scanner, GroupPositions) {
    const struct {
        const char* pair;
        const char* text;
        size_t open, close;
    } rows[] = {
        {"()", "(1+2)", 1, 5},        {"()", "a(b(c)d)e", 2, 8},   {"()", "(1)(2)", 1, 3},
        {"()", "((1)", 1, 4},         {"()", "(1", 1, 0},          {"()", "abc", 0, 0},
        {"()", ")(", 2, 1},           {"()", "((1)(", 1, 4},       {"[]", "[a[b]c]d", 1, 7},
        {"[]", "x", 0, 0},
    };
    for (const auto& r : rows) {
        size_t open = 99, close = 99;
        EXPECT_TRUE(get_group_pos(r.pair, r.text, open, close));
        EXPECT_EQ(open, r.open) << r.text;
        EXPECT_EQ(close, r.close) << r.text;
    }
}

TEST(Scanner, SeparatorPositions) {
    const struct {
        const char* text;
        bool found;
        size_t pos;
    } rows[] = {
        {"1,2", true, 2},
        {"MAX(1,2),3", true, 9},
        {"1,MAX(2,3)", true, 2},
        {"(1,2)", false, 0},
        {"a(1)b(2,3),4", true, 8},  // only the first group is skipped
        {"", false, 0},
        {"x", false, 0},
    };
    for (const auto& r : rows) {
        size_t pos = 99;
        EXPECT_EQ(get_Seperator_pos(",", r.text, pos), r.found) << r.text;
        EXPECT_EQ(pos, r.pos) << r.text;
    }
}

}  // namespace
}  // namespace orvane::test
