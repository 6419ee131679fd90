// The 28 CRC presets as template function names: each must give the published
// check value over "123456789" and the CRC-page check value over the byte BB.
#include <gtest/gtest.h>

#include "tests/support/recording_host.h"
#include "smartformat/smart_format.h"

namespace orvane::test {
namespace {

struct Preset {
    const char* name;
    const char* function;  // the CRC_w_init_xor_poly_ri_ro name the CRC page writes
    const char* check123456789;
    const char* checkBB;
};

const Preset kPresets[] = {
    {"CRC-8", "CRC_8_00_00_07_0_0", "F4", "28"},
    {"CRC-8/ITU", "CRC_8_00_55_07_0_0", "A1", "7D"},
    {"CRC-8/ROHC", "CRC_8_FF_00_07_1_1", "D0", "77"},
    {"CRC-8/MAXIM", "CRC_8_00_00_31_1_1", "A1", "12"},
    {"CRC-8/Logitech", "CRC_8_FF_00_1D_1_1", "97", "BD"},
    {"CRC16/CCITT-FALSE", "CRC_16_FFFF_0000_1021_0_0", "29B1", "F740"},
    {"CRC16/ARC", "CRC_16_0000_0000_8005_1_1", "BB3D", "7340"},
    {"CRC16/AUG-CCITT", "CRC_16_1D0F_0000_1021_0_0", "E5CC", "DA2C"},
    {"CRC16/BUYPASS", "CRC_16_0000_0000_8005_0_0", "FEE8", "039A"},
    {"CRC16/CDMA2000", "CRC_16_FFFF_0000_C867_0_0", "4C06", "617F"},
    {"CRC16/DDS-110", "CRC_16_800D_0000_8005_0_0", "9ECF", "8D99"},
    {"CRC-16/DECT-R", "CRC_16_0000_0001_0589_0_0", "007E", "04F0"},
    {"CRC-16/DECT-X", "CRC_16_0000_0000_0589_0_0", "007F", "04F1"},
    {"CRC-16/DNP", "CRC_16_0000_ffff_3d65_1_1", "EA82", "67EC"},
    {"CRC-16/EN-13757", "CRC_16_0000_ffff_3d65_0_0", "C2B7", "9B15"},
    {"CRC-16/GENIBUS", "CRC_16_ffff_ffff_1021_0_0", "D64E", "08BF"},
    {"CRC-16/MAXIM", "CRC_16_0000_ffff_8005_1_1", "44C2", "8CBF"},
    {"CRC-16/MCRF4XX", "CRC_16_ffff_0000_1021_1_1", "6F91", "04DF"},
    {"CRC-16/RIELLO", "CRC_16_B2AA_0000_1021_1_1", "63D0", "92EC"},
    {"CRC-16/T10-DIF", "CRC_16_0000_0000_8BB7_0_0", "D0DB", "3F35"},
    {"CRC-16/TELEDISK", "CRC_16_0000_0000_A097_0_0", "0FB3", "2F6E"},
    {"CRC-16/TMS37157", "CRC_16_89EC_0000_1021_1_1", "26B1", "8E6F"},
    {"CRC-16/USB", "CRC_16_ffff_ffff_8005_1_1", "B4C8", "CC00"},
    {"CRC-A", "CRC_16_c6c6_0000_1021_1_1", "BF05", "5AA6"},
    {"CRC-16/KERMIT", "CRC_16_0000_0000_1021_1_1", "2189", "0B58"},
    {"CRC-16/MODBUS", "CRC_16_ffff_0000_8005_1_1", "4B37", "33FF"},
    {"CRC-16/X-25", "CRC_16_ffff_ffff_1021_1_1", "906E", "FB20"},
    {"CRC-16/XMODEM", "CRC_16_0000_0000_1021_0_0", "31C3", "16B0"},
};

TEST(CrcPresets, CatalogueAndPageCheckValues) {
    CLocaleScope locale;
    RecordingHost host;
    SmartSession s(host);
    static_assert(sizeof(kPresets) / sizeof(kPresets[0]) == 28);
    for (const Preset& p : kPresets) {
        bool ok = false;
        EXPECT_EQ(HexToFormat(s, "31 32 33 34 35 36 37 38 39", std::string(p.function) + "([all])", ok),
                  p.check123456789)
            << p.name;
        EXPECT_TRUE(ok) << p.name;
        // The CRC page's own expression: the data is the literal selector text.
        EXPECT_EQ(HexToFormat(s, "", std::string(p.function) + "(BB)", ok), p.checkBB) << p.name;
    }
}

}  // namespace
}  // namespace orvane::test
