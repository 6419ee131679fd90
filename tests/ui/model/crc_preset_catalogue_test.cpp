// Every CRC page preset is a model of the CRC catalogue: its parameters find
// a catalogue row, the one whose current name the table below gives.
#include <gtest/gtest.h>

#include <string>

#include "engine/crc_catalogue.h"
#include "engine/number_text.h"
#include "ui/model/crc_page_model.h"

namespace orvane::ui {
namespace {

TEST(CrcPresetCatalogue, EveryPresetIsACatalogueModel) {
    // The catalogue's current name of each preset, in preset order.
    const char* const kNames[kCrcPresetCount] = {
        "CRC-8/SMBUS",      "CRC-8/I-432-1",   "CRC-8/ROHC",          "CRC-8/MAXIM-DOW",
        "CRC-8/TECH-3250",  "CRC-16/IBM-3740", "CRC-16/ARC",          "CRC-16/SPI-FUJITSU",
        "CRC-16/UMTS",      "CRC-16/CDMA2000", "CRC-16/DDS-110",      "CRC-16/DECT-R",
        "CRC-16/DECT-X",    "CRC-16/DNP",      "CRC-16/EN-13757",     "CRC-16/GENIBUS",
        "CRC-16/MAXIM-DOW", "CRC-16/MCRF4XX",  "CRC-16/RIELLO",       "CRC-16/T10-DIF",
        "CRC-16/TELEDISK",  "CRC-16/TMS37157", "CRC-16/USB",          "CRC-16/ISO-IEC-14443-3-A",
        "CRC-16/KERMIT",    "CRC-16/MODBUS",   "CRC-16/IBM-SDLC",     "CRC-16/XMODEM",
    };
    for (const CrcPreset& p : kCrcPresets) {
        const CrcParams params{p.width == CrcWidth::Crc8 ? 8 : 16, uint16_t(StrToInt(p.polynom)),
                               uint16_t(StrToInt(p.initial)), p.reverseData, p.reverseResult,
                               uint16_t(StrToInt(p.finalXor))};
        const CrcCatalogueModel* m = FindCrcModel(params);
        ASSERT_NE(m, nullptr) << p.caption;
        EXPECT_STREQ(m->name, kNames[p.index]) << p.caption;
    }
}

}  // namespace
}  // namespace orvane::ui
