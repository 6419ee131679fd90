// The CRC page model driven as the page drives it: a fake page mirrors every
// reported change, a sink records the expressions handed to the calculator.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "engine/crc.h"
#include "engine/errors.h"
#include "ui/model/crc_page_model.h"

namespace orvane::ui {
namespace {

using Item = CrcPageModel::Item;

// Each preset's expression function and the CRC of the single byte BB it must
// give (published check values of the catalogue models, BB as data).
struct PresetCase {
    const char* caption;
    const char* function;
    const char* checkBB;
};

const PresetCase kPresetCases[kCrcPresetCount] = {
    {"CRC-8", "CRC_8_00_00_07_0_0", "28"},
    {"CRC-8/ITU", "CRC_8_00_55_07_0_0", "7D"},
    {"CRC-8/ROHC", "CRC_8_FF_00_07_1_1", "77"},
    {"CRC-8/MAXIM", "CRC_8_00_00_31_1_1", "12"},
    {"CRC-8/Logitech", "CRC_8_FF_00_1D_1_1", "BD"},
    {"CRC16/CCITT-FALSE", "CRC_16_FFFF_0000_1021_0_0", "F740"},
    {"CRC16/ARC", "CRC_16_0000_0000_8005_1_1", "7340"},
    {"CRC16/AUG-CCITT", "CRC_16_1D0F_0000_1021_0_0", "DA2C"},
    {"CRC16/BUYPASS", "CRC_16_0000_0000_8005_0_0", "039A"},
    {"CRC16/CDMA2000", "CRC_16_FFFF_0000_C867_0_0", "617F"},
    {"CRC16/DDS-110", "CRC_16_800D_0000_8005_0_0", "8D99"},
    {"CRC-16/DECT-R", "CRC_16_0000_0001_0589_0_0", "04F0"},
    {"CRC-16/DECT-X", "CRC_16_0000_0000_0589_0_0", "04F1"},
    {"CRC-16/DNP", "CRC_16_0000_ffff_3d65_1_1", "67EC"},
    {"CRC-16/EN-13757", "CRC_16_0000_ffff_3d65_0_0", "9B15"},
    {"CRC-16/GENIBUS", "CRC_16_ffff_ffff_1021_0_0", "08BF"},
    {"CRC-16/MAXIM", "CRC_16_0000_ffff_8005_1_1", "8CBF"},
    {"CRC-16/MCRF4XX", "CRC_16_ffff_0000_1021_1_1", "04DF"},
    {"CRC-16/RIELLO", "CRC_16_B2AA_0000_1021_1_1", "92EC"},
    {"CRC-16/T10-DIF", "CRC_16_0000_0000_8BB7_0_0", "3F35"},
    {"CRC-16/TELEDISK", "CRC_16_0000_0000_A097_0_0", "2F6E"},
    {"CRC-16/TMS37157", "CRC_16_89EC_0000_1021_1_1", "8E6F"},
    {"CRC-16/USB", "CRC_16_ffff_ffff_8005_1_1", "CC00"},
    {"CRC-A", "CRC_16_c6c6_0000_1021_1_1", "5AA6"},
    {"CRC-16/KERMIT", "CRC_16_0000_0000_1021_1_1", "0B58"},
    {"CRC-16/MODBUS", "CRC_16_ffff_0000_8005_1_1", "33FF"},
    {"CRC-16/X-25", "CRC_16_ffff_ffff_1021_1_1", "FB20"},
    {"CRC-16/XMODEM", "CRC_16_0000_0000_1021_0_0", "16B0"},
};

std::string Expression(const std::string& function, const std::string& data) {
    return "['&STR_VAR:xxx':" + function + "(" + data + ")]";
}

// What the widgets would show: each reported item is copied from the model's
// getter, so a change the model forgets to report leaves a stale control.
struct FakePage {
    explicit FakePage(CrcPageModel& m) : model(m) {
        model.SetListener([this](Item item) { Mirror(item); });
        model.SetExpressionSink([this](const std::string& e) { expressions.push_back(e); });
    }
    void Mirror(Item item) {
        items.push_back(item);
        switch (item) {
            case Item::Data: data = model.data_text(); break;
            case Item::Result: result = model.result_text(); break;
            case Item::Width: width = model.width(); break;
            case Item::Polynom: polynom = model.polynom_text(); break;
            case Item::InitialValue: initial = model.initial_value_text(); break;
            case Item::FinalXor: finalXor = model.final_xor_text(); break;
            case Item::ReverseData: reverseData = model.reverse_data(); break;
            case Item::ReverseResult: reverseResult = model.reverse_result(); break;
            case Item::QuickSetting: preset = model.quick_setting(); break;
        }
    }
    // The controls agree with the model.
    void ExpectInSync() const {
        EXPECT_EQ(data, model.data_text());
        EXPECT_EQ(result, model.result_text());
        EXPECT_EQ(width, model.width());
        EXPECT_EQ(polynom, model.polynom_text());
        EXPECT_EQ(initial, model.initial_value_text());
        EXPECT_EQ(finalXor, model.final_xor_text());
        EXPECT_EQ(reverseData, model.reverse_data());
        EXPECT_EQ(reverseResult, model.reverse_result());
        EXPECT_EQ(preset, model.quick_setting());
    }

    CrcPageModel& model;
    // The controls' initial values.
    std::string data = "BB", result = "CRC_result";
    CrcWidth width = CrcWidth::Crc8;
    std::string polynom = "$1D", initial = "$FF", finalXor = "$00";
    bool reverseData = true, reverseResult = true;
    int preset = 4;

    std::vector<Item> items;
    std::vector<std::string> expressions;
};

class CrcPageModelTest : public ::testing::Test {
protected:
    CrcPageModel model;
    FakePage page{model};
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

TEST_F(CrcPageModelTest, EachPresetSetsTheControlsWritesItsExpressionAndGivesItsCheckValue) {
    for (int i = 0; i < kCrcPresetCount; ++i) {
        const PresetCase& c = kPresetCases[i];
        SCOPED_TRACE(c.caption);
        EXPECT_STREQ(kCrcPresets[size_t(i)].caption, c.caption);
        page.expressions.clear();
        model.RadioGroup_CRC_Quick_SettingClick(i);
        EXPECT_EQ(page.result, c.checkBB);
        EXPECT_EQ(page.preset, i);
        ASSERT_EQ(page.expressions.size(), 1u);
        EXPECT_EQ(page.expressions[0], Expression(c.function, "BB"));
        page.ExpectInSync();
    }
    // The same presets again in reverse order: nothing depends on the
    // preset chosen before.
    for (int i = kCrcPresetCount - 1; i >= 0; --i) {
        model.RadioGroup_CRC_Quick_SettingClick(i);
        EXPECT_EQ(page.result, kPresetCases[i].checkBB) << kPresetCases[i].caption;
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
        EXPECT_EQ(r.check, kPresetCases[r.presetIndex].checkBB);
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
