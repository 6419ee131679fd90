// The stateless rules of the calculator panel: font sizes, nibble grouping,
// key echo and key mapping, seconds to date-time, variable-list lines.
#include <gtest/gtest.h>

#include "tests/support/recording_host.h"
#include "ui/model/calculator_model.h"
#include "ui/model/calculator_text.h"
#include "ui/model/virtual_keys.h"

namespace orvane::ui {
namespace {

TEST(FontRules, AnswerAndExpressionSizesRoundHalvesToEven) {
    struct Row {
        int n, answer, expression;
    };
    // 91/2 = 45.5 and 500/1000 = 0.5 are the halves; 498/499 show the step.
    for (const Row& r : {Row{0, 28, 24}, Row{1, 28, 24}, Row{4, 26, 24}, Row{8, 18, 24},
                         Row{20, 12, 24}, Row{31, 11, 24}, Row{32, 11, 23}, Row{99, 9, 13},
                         Row{498, 8, 9}, Row{998, 8, 9}, Row{999, 8, 8}, Row{100000, 8, 8}}) {
        EXPECT_EQ(AnswerFontPoints(r.n), r.answer) << "n=" << r.n;
        EXPECT_EQ(ExpressionFontPoints(r.n), r.expression) << "n=" << r.n;
    }
}

TEST(FontRules, LengthsCountWideCharacters) {
    EXPECT_EQ(WideLength(""), 0);
    EXPECT_EQ(WideLength("1+2"), 3);
    EXPECT_EQ(WideLength("\xC3\xA9"), 1);          // é
    EXPECT_EQ(WideLength("\xE4\xB8\xAD"), 1);      // 中
    EXPECT_EQ(WideLength("\xF0\x9F\x98\x80"), 2);  // an emoji is a surrogate pair
}

TEST(NibbleGroupTest, GroupsFromTheRightPaddingTheFirst) {
    struct Row {
        const char* in;
        const char* out;
    };
    for (const Row& r : {Row{"", ""}, Row{"1", "0001"}, Row{"101", "0101"}, Row{"1111", "1111"},
                         Row{"11111111", "1111 1111"}, Row{"100000000", "0001 0000 0000"},
                         Row{"No Such command", "0No  Such  com mand"}}) {
        EXPECT_EQ(NibbleGroup(r.in), r.out) << r.in;
    }
    // Multi-byte characters count as one and are never split.
    EXPECT_EQ(NibbleGroup("\xC3\xA9" "1"), "00\xC3\xA9" "1");
}

TEST(NibbleGroupTest, KeepsAtMostOneThousandCharacters) {
    const std::string out = NibbleGroup(std::string(4000, '1'));
    ASSERT_EQ(out.size(), 1000u);
    EXPECT_EQ(out.substr(0, 10), "1111 1111 ");
    EXPECT_EQ(NibbleGroup(std::string(800, '1')).size(), 999u);  // 200 groups, 199 blanks
}

TEST(KeyEcho, DecimalAndHexWithAtLeastTwoDigits) {
    EXPECT_EQ(KeyEchoText(13), "13(0x0D)");
    EXPECT_EQ(KeyEchoText(97), "97(0x61)");
    EXPECT_EQ(KeyEchoText(0), "0(0x00)");
    EXPECT_EQ(KeyEchoText(0x4E2D), "20013(0x4E2D)");
}

TEST(KeyEcho, HandleText) {
    EXPECT_EQ(HandleText(1234), "Handle:      1234 0x4D2");
    EXPECT_EQ(HandleText(4000000000u), "Handle:4000000000 0xEE6B2800");
}

TEST(KeyMapping, QtKeysGiveThePlatformCodes) {
    struct Row {
        int qtKey;
        bool keypad, shift;
        int vkCode;
    };
    const Row rows[] = {
        {'0', true, false, 96},   {'9', true, false, 105},  {'*', true, false, 106},
        {'+', true, false, 107},  {'-', true, false, 109},  {'/', true, false, 111},
        {'.', true, false, 110},  {qtkey::Enter, true, false, 13},
        {qtkey::Up, true, false, 38},  // keypad arrows with NumLock off
        {'0', false, false, 48},  {'7', false, false, 55},  {'^', false, true, 54},
        {'&', false, true, 55},   {'*', false, true, 56},   {')', false, true, 48},
        {'(', false, true, 57},   {'/', false, false, 191}, {'?', false, true, 191},
        {'+', false, true, 187},  {'-', false, false, 189}, {'A', false, false, 65},
        {qtkey::Return, false, false, 13}, {qtkey::Up, false, false, 38},
        {qtkey::Down, false, false, 40},   {qtkey::Shift, false, true, 16},
        {qtkey::F1, false, false, 112},    {qtkey::F24, false, false, 135},
        {qtkey::Escape, false, false, 27}, {0x01001103 /* AltGr */, false, false, 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(VirtualKeyFromQt({r.qtKey, r.keypad, r.shift}), r.vkCode)
            << std::hex << "qt 0x" << r.qtKey << (r.keypad ? " keypad" : "");
}

TEST(SecToDayTime, PartsTruncateAndTheDateIsUtc) {
    test::CLocaleScope locale;
    struct Row {
        int32_t secs;
        const char* text;
    };
    for (const Row& r : {
             Row{90061, "1 day 1:1:1\r\n1970/01/02 01:01:01"},
             Row{-90, "0 day 0:-1:-30\r\n1969/12/31 23:58:30"},
             Row{0, "0 day 0:0:0\r\n1970/01/01 00:00:00"},
             Row{-86400, "-1 day 0:0:0\r\n1969/12/31 00:00:00"},
             Row{INT32_MAX, "24855 day 3:14:7\r\n2038/01/19 03:14:07"},
             Row{INT32_MIN, "-24855 day -3:-14:-8\r\n1901/12/13 20:45:52"},
         }) {
        EXPECT_EQ(SecToDayTimeText(r.secs), r.text) << r.secs;
    }
}

TEST(SecToDayTime, UsesTheLocaleSeparators) {
    FormatSettings fs = FormatSettings::CLocale();
    fs.DateSeparator = '-';
    fs.TimeSeparator = '.';
    test::FormatSettingsScope separators(fs);
    EXPECT_EQ(SecToDayTimeText(90061), "1 day 1:1:1\r\n1970-01-02 01.01.01");
}

TEST(VariableLists, PatternsAlignIndexAndName) {
    INI_Parameter_Table numbers;
    numbers[0] = {"A", 100};
    numbers[1] = {"LONGVARIABLENAME", 2.5};
    numbers[2] = {"PI", 3.141592653589793};
    numbers[4] = {"HIDDEN", 1};  // after the first free slot: not listed
    EXPECT_EQ(VariableListLines(numbers),
              (std::vector<std::string>{" 0:            A = 100", " 1: LONGVARIABLENAME = 2.5",
                                        " 2:           PI = 3.14159265358979"}));

    INI_Str_Variable_Table strings;
    strings[0] = {"S", "ABCD"};
    strings[1] = {"E", ""};
    EXPECT_EQ(StrVariableListLines(strings),
              (std::vector<std::string>{" 0:            S = ABCD ", " 1:            E =  "}));

    EXPECT_TRUE(VariableListLines(INI_Parameter_Table{}).empty());
    EXPECT_TRUE(StrVariableListLines(INI_Str_Variable_Table{}).empty());
}

TEST(VariableLists, AFullTableListsAllSlotsWithWideIndices) {
    INI_Parameter_Table numbers;
    for (int i = 0; i < kVariableSlots; ++i) numbers[size_t(i)] = {"V" + std::to_string(i), double(-i)};
    const auto lines = VariableListLines(numbers);
    ASSERT_EQ(lines.size(), 256u);
    EXPECT_EQ(lines[9], " 9:           V9 = -9");
    EXPECT_EQ(lines[255], "255:         V255 = -255");
}

TEST(ContarLetrasTest, CountsOneCharacter) {
    EXPECT_EQ(ContarLetras("((1+2)*(3)", '('), 3);
    EXPECT_EQ(ContarLetras("((1+2)*(3)", ')'), 2);
    EXPECT_EQ(ContarLetras("", ')'), 0);
}

}  // namespace
}  // namespace orvane::ui
