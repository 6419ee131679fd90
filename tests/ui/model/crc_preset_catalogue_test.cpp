// Every CRC page preset against the one CRC catalogue table: its boxes read
// as the parameters of the catalogue row it stands for, the page computes that
// row's check value, the reference table's "BB" column shows the bit-wise
// reference CRC of the byte BB under that row, and the expression the page
// writes names the row's template function and computes the page's result.
// The presets' captions and box texts are the page's data (kCrcPresets); the
// only table here is the catalogue name of each preset.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/crc_catalogue.h"
#include "engine/crc_search_text.h"
#include "engine/number_text.h"
#include "smartformat/smart_format.h"
#include "tests/support/crc_fixtures.h"
#include "tests/support/recording_host.h"
#include "ui/model/crc_page_model.h"

namespace orvane::ui {
namespace {

// The catalogue's current name of each preset, in preset order.
const char* const kCatalogueNames[kCrcPresetCount] = {
    "CRC-8/SMBUS",      "CRC-8/I-432-1",   "CRC-8/ROHC",          "CRC-8/MAXIM-DOW",
    "CRC-8/TECH-3250",  "CRC-16/IBM-3740", "CRC-16/ARC",          "CRC-16/SPI-FUJITSU",
    "CRC-16/UMTS",      "CRC-16/CDMA2000", "CRC-16/DDS-110",      "CRC-16/DECT-R",
    "CRC-16/DECT-X",    "CRC-16/DNP",      "CRC-16/EN-13757",     "CRC-16/GENIBUS",
    "CRC-16/MAXIM-DOW", "CRC-16/MCRF4XX",  "CRC-16/RIELLO",       "CRC-16/T10-DIF",
    "CRC-16/TELEDISK",  "CRC-16/TMS37157", "CRC-16/USB",          "CRC-16/ISO-IEC-14443-3-A",
    "CRC-16/KERMIT",    "CRC-16/MODBUS",   "CRC-16/IBM-SDLC",     "CRC-16/XMODEM",
};

CrcParams ParamsOf(const CrcParameters& p) {
    return {p.width == CrcWidth::Crc8 ? 8 : 16, uint16_t(p.polynom), uint16_t(p.initial),
            p.reverseData, p.reverseResult, uint16_t(p.finalXor)};
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return char(std::toupper(static_cast<unsigned char>(c))); });
    return text;
}

class CrcPresetCatalogue : public ::testing::TestWithParam<int> {
protected:
    const CrcPreset& preset() const { return kCrcPresets[size_t(GetParam())]; }
    const CrcCatalogueModel& row() const {
        const CrcCatalogueModel* m = FindCrcModelByName(kCatalogueNames[GetParam()]);
        if (!m) throw std::logic_error("no catalogue row " + std::string(kCatalogueNames[GetParam()]));
        return *m;
    }
    int digits() const { return row().params.width / 4; }
};

TEST_P(CrcPresetCatalogue, BoxesReadAsTheCatalogueRowsParameters) {
    const CrcPreset& p = preset();
    const CrcParameters read = ReadCrcParameters(p.width, p.initial, p.finalXor, p.polynom,
                                                 p.reverseData, p.reverseResult);
    EXPECT_EQ(ParamsOf(read), row().params);
    // The row is the only one with these parameters.
    EXPECT_EQ(FindCrcModel(ParamsOf(read)), &row());
    // The page's engine call gives the catalogue's check value.
    EXPECT_EQ(ComputeCrc("31 32 33 34 35 36 37 38 39", read), IntToHex(row().check, digits()));
}

TEST_P(CrcPresetCatalogue, ReferenceTableShowsTheBitwiseCrcOfBB) {
    const std::string bb = IntToHex(CrcBitwise(row().params, std::vector<uint8_t>{0xBB}), digits());
    const std::vector<CrcReferenceRow> rows = CrcReferenceRows();
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const CrcReferenceRow& r) { return r.presetIndex == GetParam(); });
    ASSERT_NE(it, rows.end());
    EXPECT_EQ(it->check, bb);
    EXPECT_TRUE(it->text.ends_with("BB=>" + bb)) << it->text;
}

TEST_P(CrcPresetCatalogue, ExpressionNamesTheRowsFunctionAndComputesThePagesResult) {
    CrcPageModel model;
    std::string expression;
    model.SetExpressionSink([&](const std::string& e) { expression = e; });
    model.RadioGroup_CRC_Quick_SettingClick(GetParam());
    const std::string bb = IntToHex(CrcBitwise(row().params, std::vector<uint8_t>{0xBB}), digits());
    EXPECT_EQ(model.result_text(), bb);

    // "['&STR_VAR:xxx':<function>(BB)]", the function in the letter case of
    // the preset's boxes.
    const std::string head = "['&STR_VAR:xxx':", tail = "(BB)]";
    ASSERT_TRUE(expression.starts_with(head) && expression.ends_with(tail)) << expression;
    const std::string function = expression.substr(head.size(), expression.size() - head.size() - tail.size());
    EXPECT_EQ(Upper(function), CrcTemplateName(row().params));

    // The template engine computes the same CRC from the expression's function.
    test::CLocaleScope locale;
    test::RecordingHost host;
    SmartSession s(host);
    bool ok = false;
    EXPECT_EQ(HexToFormat(s, "", function + "(BB)", ok), bb);
    EXPECT_TRUE(ok);
}

INSTANTIATE_TEST_SUITE_P(Presets, CrcPresetCatalogue, ::testing::Range(0, kCrcPresetCount),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return test::CrcTestName(kCrcPresets[size_t(info.param)].caption);
                         });

}  // namespace
}  // namespace orvane::ui
