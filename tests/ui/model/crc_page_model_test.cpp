// The CRC page model driven as the page drives it: a fake page mirrors every
// reported change, a sink records the expressions handed to the calculator.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "engine/crc.h"
#include "engine/errors.h"
#include "tests/ui/model/crc_fake_page.h"
#include "ui/model/crc_page_model.h"

namespace orvane::ui {
namespace {

using Item = CrcPageModel::Item;

std::string Expression(const std::string& function, const std::string& data) {
    return "['&STR_VAR:xxx':" + function + "(" + data + ")]";
}

class CrcPageModelTest : public ::testing::Test {
protected:
    CrcPageModel model;
    FakeCrcPage page{model};
};

TEST_F(CrcPageModelTest, InitialStateAndFirstDataChange) {
    page.ExpectInSync();  // the model starts where the controls start
    EXPECT_TRUE(page.expressions.empty());

    model.Edit_CRC_original_StringChange("BB");
    ASSERT_EQ(page.expressions.size(), 1u);
    EXPECT_EQ(page.expressions[0], "['&STR_VAR:xxx':CRC_8_FF_00_1D_1_1(BB)]");
    EXPECT_EQ(model.expression_text(), page.expressions[0]);
    EXPECT_EQ(page.result, "BD");

    // Lower case and blanks are data the engine reads; the expression keeps
    // the text as typed.
    model.Edit_CRC_original_StringChange("bb 01");
    EXPECT_EQ(page.expressions.back(), "['&STR_VAR:xxx':CRC_8_FF_00_1D_1_1(bb 01)]");
    std::string expected;
    RunCRC8_all_type("BB01", expected, 0xFF, 0x00, 0x1D, true, true);
    EXPECT_EQ(page.result, expected);
    page.ExpectInSync();
}

// The values each preset must give are checked against the CRC catalogue
// (crc_preset_catalogue_test.cpp); here the page shows them consistently.
TEST_F(CrcPageModelTest, EachPresetSetsTheControlsWritesOneExpressionAndShowsItsReferenceCheck) {
    const std::vector<CrcReferenceRow> rows = CrcReferenceRows();
    const auto referenceCheck = [&](int preset) {
        for (const CrcReferenceRow& r : rows)
            if (r.presetIndex == preset) return r.check;
        return std::string("<no row>");
    };
    for (const CrcPreset& p : kCrcPresets) {
        SCOPED_TRACE(p.caption);
        page.expressions.clear();
        model.RadioGroup_CRC_Quick_SettingClick(p.index);
        EXPECT_EQ(page.preset, p.index);
        EXPECT_EQ(page.width, p.width);
        EXPECT_EQ(page.polynom, p.polynom);
        EXPECT_EQ(page.initial, p.initial);
        EXPECT_EQ(page.finalXor, p.finalXor);
        EXPECT_EQ(page.reverseData, p.reverseData);
        EXPECT_EQ(page.reverseResult, p.reverseResult);
        EXPECT_EQ(page.result, referenceCheck(p.index));
        ASSERT_EQ(page.expressions.size(), 1u);
        EXPECT_TRUE(page.expressions[0].ends_with("(BB)]")) << page.expressions[0];
        page.ExpectInSync();
    }
    // The same presets again in reverse order: nothing depends on the
    // preset chosen before.
    for (int i = kCrcPresetCount - 1; i >= 0; --i) {
        model.RadioGroup_CRC_Quick_SettingClick(i);
        EXPECT_EQ(page.result, referenceCheck(i)) << kCrcPresets[size_t(i)].caption;
    }
}

TEST_F(CrcPageModelTest, PresetExpressionsKeepTheBoxTextsAsTheyStand) {
    model.RadioGroup_CRC_Quick_SettingClick(5);  // CRC16/CCITT-FALSE
    EXPECT_EQ(page.expressions.back(), "['&STR_VAR:xxx':CRC_16_FFFF_0000_1021_0_0(BB)]");
    EXPECT_EQ(page.result, "F740");
    model.RadioGroup_CRC_Quick_SettingClick(13);  // CRC-16/DNP, lower-case digits
    EXPECT_EQ(page.polynom, "$3d65");
    EXPECT_EQ(page.finalXor, "$ffff");
    EXPECT_EQ(page.expressions.back(), "['&STR_VAR:xxx':CRC_16_0000_ffff_3d65_1_1(BB)]");
    EXPECT_EQ(page.result, "67EC");
}

TEST_F(CrcPageModelTest, OutOfRangePresetDoesNothing) {
    for (int index : {-1, kCrcPresetCount, 1000}) {
        model.RadioGroup_CRC_Quick_SettingClick(index);
        EXPECT_TRUE(page.items.empty()) << index;
        EXPECT_TRUE(page.expressions.empty()) << index;
    }
}

TEST_F(CrcPageModelTest, ChangesByHandComputeNothingUntilTheButtonOrTheData) {
    model.Edit_CRC_original_StringChange("BB");
    ASSERT_EQ(page.result, "BD");
    page.items.clear();

    // Reverse_Data alone: reported to the check box, nothing else.
    model.SetReverseData(false);
    EXPECT_EQ(page.items, std::vector<Item>{Item::ReverseData});
    EXPECT_EQ(page.result, "BD");
    EXPECT_EQ(page.expressions.size(), 1u);

    std::string expected;
    RunCRC8_all_type("BB", expected, 0xFF, 0x00, 0x1D, false, true);
    ASSERT_NE(expected, "BD");
    model.Button7Click();
    EXPECT_EQ(page.result, expected);
    EXPECT_EQ(page.expressions.size(), 1u);  // the button writes no expression

    // Every other control by hand: still nothing computed or written.
    const std::string before = page.result;
    model.SetWidth(CrcWidth::Crc16);
    model.SetPolynomText("$8005");
    model.SetInitialValueText("$FFFF");
    model.SetFinalXorText("$0000");
    model.SetReverseData(true);
    model.SetReverseResult(true);
    EXPECT_EQ(page.result, before);
    EXPECT_EQ(page.expressions.size(), 1u);
    page.ExpectInSync();

    // The next data change writes and computes with all of them (CRC-16/MODBUS).
    model.Edit_CRC_original_StringChange("BB");
    EXPECT_EQ(page.expressions.back(), Expression("CRC_16_FFFF_0000_8005_1_1", "BB"));
    EXPECT_EQ(page.result, "33FF");
}

TEST(CrcParameterText, ReadWithStrToIntDefCutToTheWidthOrTheWidthsDefault) {
    struct Row {
        CrcWidth width;
        const char *initial, *finalXor, *polynom;
        uint32_t wantInitial, wantXor, wantPoly;
    };
    const Row rows[] = {
        // Hexadecimal after "$" (either case), decimal without.
        {CrcWidth::Crc8, "$FF", "$55", "$07", 0xFF, 0x55, 0x07},
        {CrcWidth::Crc16, "$c6c6", "$ffff", "$3d65", 0xC6C6, 0xFFFF, 0x3D65},
        {CrcWidth::Crc8, "255", "0", "29", 0xFF, 0x00, 0x1D},
        {CrcWidth::Crc16, "255", "1", "4129", 0x00FF, 0x0001, 0x1021},
        // Only the width's low bits count.
        {CrcWidth::Crc8, "$1FF", "-1", "$1107", 0xFF, 0xFF, 0x07},
        {CrcWidth::Crc16, "$12345", "-1", "70000", 0x2345, 0xFFFF, 70000 & 0xFFFF},
        // Unreadable text: 255, 0, 29 for CRC-8; 65535, 0, 4129 for CRC-16.
        {CrcWidth::Crc8, "", "$", "zz", 0xFF, 0x00, 0x1D},
        {CrcWidth::Crc8, "$GG", "12a", "$", 0xFF, 0x00, 0x1D},
        {CrcWidth::Crc16, "", "x", "1.5", 0xFFFF, 0x0000, 0x1021},
        {CrcWidth::Crc16, "$123456789", "abc", "CRC", 0xFFFF, 0x0000, 0x1021},
    };
    for (const Row& r : rows) {
        const CrcParameters p =
            ReadCrcParameters(r.width, r.initial, r.finalXor, r.polynom, true, false);
        SCOPED_TRACE(std::string(r.initial) + "|" + r.finalXor + "|" + r.polynom);
        EXPECT_EQ(p.initial, r.wantInitial);
        EXPECT_EQ(p.finalXor, r.wantXor);
        EXPECT_EQ(p.polynom, r.wantPoly);
        EXPECT_TRUE(p.reverseData);
        EXPECT_FALSE(p.reverseResult);
    }
}

TEST_F(CrcPageModelTest, NonIntegerBoxesComputeWithTheWidthsDefaults) {
    // CRC-16 defaults without reflection are CRC16/CCITT-FALSE.
    model.SetWidth(CrcWidth::Crc16);
    model.SetInitialValueText("abc");
    model.SetFinalXorText("");
    model.SetPolynomText("?");
    model.SetReverseData(false);
    model.SetReverseResult(false);
    model.Button7Click();
    EXPECT_EQ(page.result, "F740");
    // The expression still drops each box's first character.
    model.Edit_CRC_original_StringChange("BB");
    EXPECT_EQ(page.expressions.back(), Expression("CRC_16_bc___0_0", "BB"));
}

TEST_F(CrcPageModelTest, InitialValueWithoutDollarComputesWithItsValueButLosesADigit) {
    model.SetInitialValueText("255");
    model.Edit_CRC_original_StringChange("BB");
    EXPECT_EQ(page.expressions.back(), "['&STR_VAR:xxx':CRC_8_55_00_1D_1_1(BB)]");
    EXPECT_EQ(page.result, "BD");  // 255 = $FF

    // In CRC-16 mode 255 is not the default ($FFFF), so the value shows.
    model.RadioGroup_CRC_Quick_SettingClick(27);  // CRC-16/XMODEM
    model.SetInitialValueText("255");
    model.Edit_CRC_original_StringChange("BB");
    EXPECT_EQ(page.expressions.back(), Expression("CRC_16_55_0000_1021_0_0", "BB"));
    std::string expected;
    RunCRC16_all_type("BB", expected, 0x00FF, 0x0000, 0x1021, false, false);
    EXPECT_EQ(page.result, expected);

    // A first character outside ASCII goes whole.
    model.SetInitialValueText("\xC2\xA7" "FF");  // "§FF"
    model.Edit_CRC_original_StringChange("BB");
    EXPECT_EQ(page.expressions.back(), Expression("CRC_16_FF_0000_1021_0_0", "BB"));
}

TEST_F(CrcPageModelTest, NonHexDataRaisesAfterTheExpressionAndThePageCarriesOn) {
    model.Edit_CRC_original_StringChange("BB");
    ASSERT_EQ(page.result, "BD");

    try {
        model.Edit_CRC_original_StringChange("BG");
        FAIL() << "no error raised";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'$BG' is not a valid integer value");
    }
    EXPECT_EQ(page.data, "BG");
    EXPECT_EQ(page.expressions.back(), "['&STR_VAR:xxx':CRC_8_FF_00_1D_1_1(BG)]");
    EXPECT_EQ(page.result, "BD");  // the last good CRC stays
    EXPECT_THROW(model.Button7Click(), EConvertError);
    EXPECT_EQ(page.result, "BD");

    // A preset with bad data: every control is set and the expression written
    // before the error.
    EXPECT_THROW(model.RadioGroup_CRC_Quick_SettingClick(5), EConvertError);
    EXPECT_EQ(page.preset, 5);
    EXPECT_EQ(page.width, CrcWidth::Crc16);
    EXPECT_EQ(page.expressions.back(), Expression("CRC_16_FFFF_0000_1021_0_0", "BG"));
    EXPECT_EQ(page.result, "BD");
    page.ExpectInSync();

    model.Edit_CRC_original_StringChange("BB");
    EXPECT_EQ(page.result, "F740");
}

// --- reference table ---------------------------------------------------------------------

std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> fields;
    std::stringstream in(text);
    for (std::string f; std::getline(in, f, '\t');) {
        f.erase(f.find_last_not_of(' ') + 1);
        fields.push_back(f);
    }
    return fields;
}

std::vector<size_t> TabPositions(const std::string& text) {
    std::vector<size_t> tabs;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\t') tabs.push_back(i);
    return tabs;
}

// The check column's values are the catalogue's (crc_preset_catalogue_test.cpp).
TEST(CrcReferenceTable, RowsShowEachPresetWithItsComputedCheckInTableOrder) {
    const std::vector<CrcReferenceRow> rows = CrcReferenceRows();
    ASSERT_EQ(rows.size(), size_t(kCrcPresetCount));
    // Preset order, with CRC-A (23) moved before CRC-16/USB (22).
    std::vector<int> order;
    for (const CrcReferenceRow& r : rows) order.push_back(r.presetIndex);
    const std::vector<int> wantOrder = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                        14, 15, 16, 17, 18, 19, 20, 21, 23, 22, 24, 25, 26, 27};
    EXPECT_EQ(order, wantOrder);

    const std::vector<std::string> header = Fields(CrcReferenceHeader());
    EXPECT_EQ(header, (std::vector<std::string>{"CRC name", "fromula", "Polynom", "ini_Value",
                                                "Final XOR", "Reverse_data", "Reverse_result"}));
    const std::vector<size_t> headerTabs = TabPositions(CrcReferenceHeader());

    for (const CrcReferenceRow& r : rows) {
        const CrcPreset& p = kCrcPresets[size_t(r.presetIndex)];
        SCOPED_TRACE(p.referenceName);
        const std::vector<std::string> f = Fields(r.text);
        ASSERT_EQ(f.size(), 8u);
        EXPECT_EQ(f[0], p.referenceName);
        EXPECT_EQ(f[1], p.width == CrcWidth::Crc8 ? p.formula : "");
        EXPECT_EQ("$" + f[2], p.polynom);
        EXPECT_EQ("$" + f[3], p.initial);
        EXPECT_EQ("$" + f[4], p.finalXor);
        EXPECT_EQ(f[5], p.reverseData ? "True" : "False");
        EXPECT_EQ(f[6], p.reverseResult ? "True" : "False");
        EXPECT_EQ(f[7], "BB=>" + r.check);
        // Padded columns: in a fixed-pitch font every row lines up with the
        // header.
        const std::vector<size_t> tabs = TabPositions(r.text);
        EXPECT_TRUE(std::equal(headerTabs.begin(), headerTabs.end(), tabs.begin()));
    }
    // Two rows in full, as the labels show them.
    EXPECT_EQ(Fields(rows[4].text), (std::vector<std::string>{"CRC-8/EBU(Logi)", "8+x4+x2+x1+1",
                                                              "1D", "FF", "00", "True", "True",
                                                              "BB=>BD"}));
    EXPECT_EQ(Fields(rows[22].text), (std::vector<std::string>{"CRC-A", "", "1021", "c6c6", "0000",
                                                               "True", "True", "BB=>5AA6"}));
}

}  // namespace
}  // namespace orvane::ui
