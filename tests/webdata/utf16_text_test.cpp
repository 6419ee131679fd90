#include "webdata/utf16_text.h"

#include <gtest/gtest.h>

namespace orvane::webdata {
namespace {

// "a台😀b": units a=1, 台=2, 😀=3..4 (a surrogate pair), b=5.
const std::string kMixed = "a台😀b";
const std::string kFffd = "\xEF\xBF\xBD";

TEST(Utf16Text, CountsUtf16Units) {
    EXPECT_EQ(Utf16Length(""), 0u);
    EXPECT_EQ(Utf16Length(kMixed), 5u);
    EXPECT_EQ(Utf16Length("\xFF\xE4x"), 3u);  // bad bytes count one each
}

TEST(Utf16Text, PosExCountsUnitsAndHonoursTheOffset) {
    struct Row {
        std::string sub, text;
        size_t offset, pos;
    } rows[] = {
        {"b", kMixed, 1, 5},       {"😀", kMixed, 1, 3},   {"台", kMixed, 3, 0},
        {"b", kMixed, 4, 5},       {"b", kMixed, 6, 0},     {"", kMixed, 1, 0},
        {"x", kMixed, 0, 0},       {"ab", "abab", 2, 3},   {"NTD", " 31.5 NTD ", 2, 7},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Utf16PosEx(r.sub, r.text, r.offset), r.pos) << r.sub << " in " << r.text;
}

TEST(Utf16Text, CopyCountsUnitsLikeTheBoxes) {
    struct Row {
        int64_t index, count;
        std::string out;
    } rows[] = {
        {1, 2, "a台"},       {0, 1, "a"},           {-5, 1, "a"},         {2, 3, "台😀"},
        {3, 2, "😀"},         {5, 9, "b"},           {6, 1, ""},           {1, 0, ""},
        {1, -1, ""},          {3, 1, kFffd},         {4, 2, kFffd + "b"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Utf16Copy(kMixed, r.index, r.count), r.out) << r.index << "," << r.count;
}

TEST(Utf16Text, ValidUtf8ReplacesBadBytesOnly) {
    EXPECT_EQ(ValidUtf8(kMixed), kMixed);
    EXPECT_EQ(ValidUtf8("a\xFF" "b"), "a" + kFffd + "b");
    EXPECT_EQ(ValidUtf8("\xC0\xAF"), kFffd + kFffd);          // overlong
    EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), kFffd + kFffd + kFffd);  // surrogate
    EXPECT_EQ(ValidUtf8("\xE5\x8F"), kFffd + kFffd);            // cut short
}

TEST(Utf16Text, DropCutTailRemovesOnlyAnUnfinishedLastCharacter) {
    EXPECT_EQ(DropCutTail("ab\xE5\x8F"), "ab");
    EXPECT_EQ(DropCutTail("ab\xF0"), "ab");
    EXPECT_EQ(DropCutTail("ab台"), "ab台");
    EXPECT_EQ(DropCutTail("ab😀"), "ab😀");
    EXPECT_EQ(DropCutTail(""), "");
}

}  // namespace
}  // namespace orvane::webdata
