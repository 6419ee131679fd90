// Every CRC catalogue model as a template function: the name
// CRC_<w>_<init>_<xorout>_<poly>_<ri>_<ro> gives the model's check value over
// "123456789", with the hex digits in either letter case (the CRC page writes
// its preset texts as they stand, lower-case digits included).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "engine/crc_catalogue.h"
#include "engine/crc_search_text.h"
#include "engine/number_text.h"
#include "smartformat/smart_format.h"
#include "tests/support/crc_fixtures.h"
#include "tests/support/recording_host.h"

namespace orvane::test {
namespace {

class CrcCatalogueTemplate : public ::testing::TestWithParam<CrcCatalogueModel> {};

TEST_P(CrcCatalogueTemplate, FunctionNameGivesTheCheckValue) {
    CLocaleScope locale;
    RecordingHost host;
    SmartSession s(host);
    const CrcCatalogueModel& m = GetParam();
    const std::string check = IntToHex(m.check, m.params.width / 4);
    const std::string name = CrcTemplateName(m.params);
    std::string lower = name;
    std::transform(lower.begin() + 4, lower.end(), lower.begin() + 4,
                   [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); });
    for (const std::string& function : {name, lower}) {
        bool ok = false;
        EXPECT_EQ(HexToFormat(s, "31 32 33 34 35 36 37 38 39", function + "([all])", ok), check)
            << function;
        EXPECT_TRUE(ok) << function;
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, CrcCatalogueTemplate,
                         ::testing::ValuesIn(CrcCatalogue().begin(), CrcCatalogue().end()),
                         [](const ::testing::TestParamInfo<CrcCatalogueModel>& info) {
                             return CrcTestName(info.param.name);
                         });

}  // namespace
}  // namespace orvane::test
