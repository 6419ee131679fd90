// "Find parameters" of the CRC page model: the frames filled from the field
// table, a search over frames built with a known model, a picked result
// turning into the page's settings (and computing the CRC the frames carry),
// and every case the page must show instead of staying silent: no model
// fits, the same-length note, the cap, a bad frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/crc_search_text.h"
#include "engine/number_text.h"
#include "smartformat/field_table.h"
#include "tests/support/crc_fixtures.h"
#include "tests/ui/model/crc_fake_page.h"
#include "ui/model/crc_page_model.h"

namespace orvane::ui {
namespace {

using test::CrcByteText;

std::string Lines(const std::vector<test::CrcBytes>& frames) {
    std::string text;
    for (const auto& f : frames) text += CrcByteText(f) + "\n";
    return text;
}

bool HasMessage(const std::vector<std::string>& messages, const std::string& m) {
    return std::find(messages.begin(), messages.end(), m) != messages.end();
}

class CrcPageFindTest : public ::testing::Test {
protected:
    // Frames of the given covered lengths ending in `truth`'s CRC, searched.
    void SearchFramesOf(const CrcFoundModel& truth, const std::vector<size_t>& lengths, size_t skip = 0) {
        frames = test::MakeCrcFrames(truth, lengths, skip, rng);
        model.SetFramesText(Lines(frames));
        model.SetSkip(skip);
        model.SearchClick();
    }
    // The row of the list that shows `m`, or -1.
    int RowOf(const CrcFoundModel& m) const {
        const std::string head = CrcTemplateName(m.params) + " " + CrcByteOrderWord(m.order);
        const auto& lines = model.found_lines();
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i] == head || lines[i].starts_with(head + " ")) return int(i);
        return -1;
    }

    CrcPageModel model;
    FakeCrcPage page{model};
    std::mt19937 rng{1515};
    std::vector<test::CrcBytes> frames;
};

TEST_F(CrcPageFindTest, FillTakesTheValueOfEveryNamedColumn) {
    FieldTable table;
    table.FillDefaults();  // Field_A, Field_B
    table.SetColCount(8);
    table.SetCell(3, FieldTable::kValueRow, "AA BB");  // no name: not a field
    table.SetCell(4, FieldTable::kNameRow, "Empty");   // no value
    table.SetCell(5, FieldTable::kNameRow, "Blank");
    table.SetCell(5, FieldTable::kValueRow, " \t ");
    table.SetCell(6, FieldTable::kNameRow, "Two lines");
    table.SetCell(6, FieldTable::kValueRow, "01 02\r\n03 04");
    table.SetCell(7, FieldTable::kNameRow, "Text");
    table.SetCell(7, FieldTable::kValueRow, "hello");
    model.FillFramesFromFieldTable(table);
    EXPECT_EQ(page.frames, "1B 24 43 02 99 05\n11 22 33 44 55 66\n01 02  03 04\nhello");
    EXPECT_TRUE(page.messages.empty());
    page.ExpectInSync();

    // A value that is not hex is a bad frame, named by its number and text.
    model.SearchClick();
    EXPECT_EQ(page.messages, std::vector<std::string>{
                                 "frame 4 \"hello\" is not hex byte text such as \"1B 24 43 02 99 05\""});
    EXPECT_TRUE(page.foundLines.empty());

    // Nothing to take: the box stays, and the page says why.
    const FieldTable none;
    model.FillFramesFromFieldTable(none);
    EXPECT_EQ(page.frames, "1B 24 43 02 99 05\n11 22 33 44 55 66\n01 02  03 04\nhello");
    ASSERT_EQ(page.messages.size(), 1u);
    EXPECT_NE(page.messages[0].find("no named column"), std::string::npos) << page.messages[0];
    page.ExpectInSync();
}

struct PickCase {
    const char* name;
    CrcFoundModel truth;
    size_t skip;
    CrcSearchWidths widths;
    int preset;  // the quick setting that follows, -1 for none (stays as it was)
};

void PrintTo(const PickCase& c, std::ostream* os) { *os << c.name; }

class CrcPagePick : public CrcPageFindTest, public ::testing::WithParamInterface<PickCase> {};

TEST_P(CrcPagePick, PickedModelSetsTheControlsAndComputesTheFramesCrc) {
    const PickCase& c = GetParam();
    const CrcParams& p = c.truth.params;
    const int digits = p.width / 4;
    const size_t crcBytes = size_t(p.width / 8);
    model.SetSearchWidths(c.widths);
    SearchFramesOf(c.truth, {5, 9, 14, 23}, c.skip);
    const int row = RowOf(c.truth);
    ASSERT_GE(row, 0) << "not found: " << CrcTemplateName(p);

    page.expressions.clear();
    model.PickFoundModel(row);
    EXPECT_EQ(page.width, p.width == 8 ? CrcWidth::Crc8 : CrcWidth::Crc16);
    EXPECT_EQ(page.polynom, "$" + IntToHex(p.poly, digits));
    EXPECT_EQ(page.initial, "$" + IntToHex(p.init, digits));
    EXPECT_EQ(page.finalXor, "$" + IntToHex(p.xorout, digits));
    EXPECT_EQ(page.reverseData, p.refin);
    EXPECT_EQ(page.reverseResult, p.refout);
    EXPECT_EQ(page.preset, c.preset >= 0 ? c.preset : kCrcInitialPreset);

    // The data box holds frame 1 without its skipped bytes and its CRC; the
    // result is the CRC stored at its end; the expression is the template
    // item that computes it.
    const test::CrcBytes& first = frames[0];
    const std::string data = CrcByteText({first.begin() + long(c.skip), first.end() - long(crcBytes)});
    EXPECT_EQ(page.data, data);
    EXPECT_EQ(page.result, IntToHex(FrameCrcValue(first, p.width, c.truth.order), digits));
    EXPECT_EQ(page.expressions,
              std::vector<std::string>{"['&STR_VAR:xxx':" + CrcTemplateName(p) + "(" + data + ")]"});
    ASSERT_FALSE(page.messages.empty());
    EXPECT_TRUE(page.messages.back().starts_with("picked " + CrcTemplateName(p))) << page.messages.back();
    page.ExpectInSync();

    // With these settings the page computes the CRC every frame carries.
    for (const test::CrcBytes& f : frames) {
        model.Edit_CRC_original_StringChange(CrcByteText({f.begin() + long(c.skip), f.end() - long(crcBytes)}));
        EXPECT_EQ(page.result, IntToHex(FrameCrcValue(f, p.width, c.truth.order), digits));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Models, CrcPagePick,
    ::testing::Values(
        PickCase{"Modbus", {{16, 0x8005, 0xFFFF, true, true, 0x0000}, CrcByteOrder::Little}, 0,
                 CrcSearchWidths::Both, 25},
        PickCase{"XmodemAfterTwoSkippedBytes", {{16, 0x1021, 0x0000, false, false, 0x0000}, CrcByteOrder::Big},
                 2, CrcSearchWidths::Width16, 27},
        PickCase{"Crc8Maxim", {{8, 0x31, 0x00, true, true, 0x00}, CrcByteOrder::None}, 1,
                 CrcSearchWidths::Width8, 3},
        PickCase{"UnnamedReflectedInputOnly", {{16, 0x3D65, 0x1A2B, true, false, 0x00FF}, CrcByteOrder::Big},
                 0, CrcSearchWidths::Both, -1},
        PickCase{"UnnamedCrc8", {{8, 0x0B, 0x05, false, true, 0x0A}, CrcByteOrder::None}, 0,
                 CrcSearchWidths::Width8, -1}),
    [](const ::testing::TestParamInfo<PickCase>& info) { return std::string(info.param.name); });

TEST_F(CrcPageFindTest, NoModelFitsEmptiesTheListAndSaysSo) {
    SearchFramesOf({{16, 0x8005, 0xFFFF, true, true, 0x0000}, CrcByteOrder::Little}, {5, 9, 14});
    ASSERT_FALSE(page.foundLines.empty());

    model.SetFramesText(Lines({test::RandomCrcBytes(rng, 9), test::RandomCrcBytes(rng, 14),
                               test::RandomCrcBytes(rng, 20), test::RandomCrcBytes(rng, 27)}));
    model.SearchClick();
    EXPECT_TRUE(page.foundLines.empty());
    EXPECT_EQ(page.messages, std::vector<std::string>{kCrcNoModel});
    model.SetSearchWidths(CrcSearchWidths::Width16);
    model.SearchClick();
    EXPECT_EQ(page.messages, std::vector<std::string>{kCrcNoModel16});

    // Nothing to pick: the controls stay.
    page.items.clear();
    model.PickFoundModel(0);
    EXPECT_TRUE(page.items.empty());
    EXPECT_TRUE(page.expressions.empty());
    page.ExpectInSync();
}

TEST_F(CrcPageFindTest, SameLengthNoteAndTheCountOfModelsLeftOut) {
    const CrcFoundModel modbus{{16, 0x8005, 0xFFFF, true, true, 0x0000}, CrcByteOrder::Little};
    SearchFramesOf(modbus, {12, 12, 12});
    EXPECT_TRUE(HasMessage(page.messages, kCrcNoteSameLength));
    ASSERT_FALSE(page.foundLines.empty());
    EXPECT_EQ(page.foundLines[0], "CRC_16_FFFF_0000_8005_1_1 little CRC-16/MODBUS");

    // One short frame fits more models than the list holds.
    model.SetFramesText("01 02 03 04");
    model.SearchClick();
    EXPECT_EQ(page.foundLines.size(), kCrcSearchCap);
    EXPECT_TRUE(HasMessage(page.messages, kCrcWarnFewFrames));
    const auto more = std::find_if(page.messages.begin(), page.messages.end(), [](const std::string& m) {
        return m.ends_with(" more models fit and are not listed; add frames to narrow the search");
    });
    ASSERT_NE(more, page.messages.end());
    EXPECT_GT(std::stoul(*more), 0u);
    page.ExpectInSync();
}

TEST_F(CrcPageFindTest, BadFramesAreNamed) {
    const std::string zeros = [] {
        std::string t;
        for (size_t i = 0; i <= kCrcSearchMaxFrameBytes; ++i) t += "00 ";
        return t;
    }();
    const struct {
        const char* name;
        std::string text;
        CrcSearchWidths widths;
        std::string message;
    } rows[] = {
        {"not hex, blank lines not counted", "01 02 03 04\n\n  \r\n0G 11 22\n", CrcSearchWidths::Both,
         "frame 2 \"0G 11 22\" is not hex byte text such as \"1B 24 43 02 99 05\""},
        {"odd digit", "01 02 03 04\r1 02", CrcSearchWidths::Both,
         "frame 2 \"1 02\" is not hex byte text such as \"1B 24 43 02 99 05\""},
        {"bytes outside ASCII shown escaped", "01 \xC3\xA9", CrcSearchWidths::Both,
         "frame 1 \"01 \\xC3\\xA9\" is not hex byte text such as \"1B 24 43 02 99 05\""},
        {"empty box", "\n \n", CrcSearchWidths::Both, "no frames to search"},
        {"too short for a CRC-16", "01 02 03\n05", CrcSearchWidths::Width16,
         "frame 2 \"05\" has 1 byte: too short for 0 skipped bytes and a 2-byte CRC"},
        {"too long", "01 02 03\n" + zeros, CrcSearchWidths::Both,
         "frame 2 \"" + zeros.substr(0, 60) + "...\" has more than 2048 bytes"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        SearchFramesOf({{8, 0x07, 0x00, false, false, 0x00}, CrcByteOrder::None}, {3, 6, 9});
        ASSERT_FALSE(page.foundLines.empty());
        model.SetSearchWidths(r.widths);
        model.SetFramesText(r.text);
        model.SearchClick();
        EXPECT_EQ(page.messages, std::vector<std::string>{r.message});
        EXPECT_TRUE(page.foundLines.empty());
        model.SetSearchWidths(CrcSearchWidths::Both);
    }
    page.ExpectInSync();
}

}  // namespace
}  // namespace orvane::ui
