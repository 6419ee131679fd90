// The CRC catalogue table: every row's check value and residue recomputed with
// the bit-wise reference, and the lookups by name and by parameters.
#include "engine/crc_catalogue.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "tests/support/crc_fixtures.h"

namespace orvane {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// The residue by its definition: the register after the data followed by its
// CRC (low byte first when the output is reflected, as such CRCs are sent),
// with the output reflection applied and the final XOR left out.
uint16_t Residue(const CrcParams& p, std::vector<uint8_t> data) {
    const uint16_t crc = CrcBitwise(p, data);
    if (p.width == 8) {
        data.push_back(uint8_t(crc));
    } else if (p.refout) {
        data.push_back(uint8_t(crc));
        data.push_back(uint8_t(crc >> 8));
    } else {
        data.push_back(uint8_t(crc >> 8));
        data.push_back(uint8_t(crc));
    }
    uint16_t reg = CrcRegisterBitwise(p, p.init, data);
    if (p.refout) reg = ReflectCrcBits(reg, p.width);
    return reg;
}

class CrcCatalogueRow : public ::testing::TestWithParam<CrcCatalogueModel> {};

TEST_P(CrcCatalogueRow, CheckAndResidueMatchTheReference) {
    const CrcCatalogueModel& m = GetParam();
    const CrcParams& p = m.params;
    ASSERT_TRUE(p.width == 8 || p.width == 16);
    const uint16_t mask = p.width == 8 ? 0xFF : 0xFFFF;
    EXPECT_EQ(p.poly & 1, 1) << "the catalogue's polynomials are odd";
    EXPECT_EQ(p.poly & ~mask, 0);
    EXPECT_EQ(p.init & ~mask, 0);
    EXPECT_EQ(p.xorout & ~mask, 0);
    EXPECT_EQ(CrcBitwise(p, Bytes("123456789")), m.check);
    // The residue does not depend on the data.
    std::mt19937 rng(5);
    std::vector<std::vector<uint8_t>> samples = {Bytes("123456789"), {}, {0x00}};
    for (int i = 0; i < 4; ++i) {
        std::vector<uint8_t> data(rng() % 40);
        for (auto& b : data) b = uint8_t(rng());
        samples.push_back(data);
    }
    for (const auto& data : samples) EXPECT_EQ(Residue(p, data), m.residue) << data.size() << " bytes";
    // (The parameter is a copy of the row: compare the rows found by name.)
    const CrcCatalogueModel* byParams = FindCrcModel(p);
    ASSERT_NE(byParams, nullptr);
    EXPECT_STREQ(byParams->name, m.name);
    EXPECT_EQ(FindCrcModelByName(m.name), byParams);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, CrcCatalogueRow, ::testing::ValuesIn(CrcCatalogue().begin(), CrcCatalogue().end()),
                         [](const ::testing::TestParamInfo<CrcCatalogueModel>& info) {
                             return test::CrcTestName(info.param.name);
                         });

TEST(CrcCatalogueTable, HoldsEveryCrc8AndCrc16ModelOnce) {
    int crc8 = 0, crc16 = 0;
    std::set<std::string> names;
    for (const CrcCatalogueModel& m : CrcCatalogue()) {
        (m.params.width == 8 ? crc8 : crc16)++;
        EXPECT_TRUE(names.insert(m.name).second) << m.name;
        EXPECT_EQ(std::string(m.name).rfind(m.params.width == 8 ? "CRC-8/" : "CRC-16/", 0), 0u) << m.name;
        for (const CrcCatalogueModel& other : CrcCatalogue())
            if (&other != &m) {
                EXPECT_FALSE(other.params == m.params) << m.name << " and " << other.name;
            }
    }
    EXPECT_EQ(crc8, 20);
    EXPECT_EQ(crc16, 31);
    for (const CrcCatalogueAlias& a : CrcCatalogueAliases()) {
        EXPECT_EQ(names.count(a.alias), 0u) << a.alias << " is a current name";
        const CrcCatalogueModel* m = FindCrcModelByName(a.alias);
        ASSERT_NE(m, nullptr) << a.alias;
        EXPECT_STREQ(m->name, a.name);
    }
}

TEST(CrcCatalogueTable, Lookups) {
    const struct {
        const char* query;
        const char* name;  // nullptr: not found
    } rows[] = {
        {"CRC-16/MODBUS", "CRC-16/MODBUS"},
        {"crc-16/modbus", "CRC-16/MODBUS"},
        {"Crc-8/Maxim-Dow", "CRC-8/MAXIM-DOW"},
        {"CRC-16/CCITT-FALSE", "CRC-16/IBM-3740"},
        {"crc-16/x-25", "CRC-16/IBM-SDLC"},
        {"CRC-A", "CRC-16/ISO-IEC-14443-3-A"},
        {"CRC-8", "CRC-8/SMBUS"},
        {"CRC-16/BUYPASS", "CRC-16/UMTS"},
        {"CRC-16/MODBUS ", nullptr},
        {"CRC-32", nullptr},
        {"", nullptr},
    };
    for (const auto& r : rows) {
        const CrcCatalogueModel* m = FindCrcModelByName(r.query);
        if (!r.name) {
            EXPECT_EQ(m, nullptr) << r.query;
        } else {
            ASSERT_NE(m, nullptr) << r.query;
            EXPECT_STREQ(m->name, r.name);
        }
    }
    const CrcCatalogueModel* modbus = FindCrcModel({16, 0x8005, 0xFFFF, true, true, 0x0000});
    ASSERT_NE(modbus, nullptr);
    EXPECT_STREQ(modbus->name, "CRC-16/MODBUS");
    EXPECT_EQ(FindCrcModel({16, 0x8005, 0xFFFF, true, false, 0x0000}), nullptr);  // refout differs
    EXPECT_EQ(FindCrcModel({8, 0x8005, 0xFFFF, true, true, 0x0000}), nullptr);    // width differs
    const CrcCatalogueModel* smbus = FindCrcModel({8, 0x07, 0x00, false, false, 0x00});
    ASSERT_NE(smbus, nullptr);
    EXPECT_STREQ(smbus->name, "CRC-8/SMBUS");
}

}  // namespace
}  // namespace orvane
