#include "engine/crc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "engine/crc_catalogue.h"
#include "engine/errors.h"
#include "engine/number_text.h"
#include "tests/support/crc_fixtures.h"

namespace orvane {
namespace {

// "123456789", the catalogue's check data.
constexpr const char* kCheck = "313233343536373839";

// ---------------------------------------------------------------------------
// The table-driven routines give every catalogue model's check value over
// "123456789" (the catalogue's own test checks the same values with the
// bit-wise reference).

class CrcCatalogueCheck : public ::testing::TestWithParam<CrcCatalogueModel> {};

TEST_P(CrcCatalogueCheck, TableDrivenRoutineGivesTheCheckValue) {
    const CrcParams& p = GetParam().params;
    std::string out;
    if (p.width == 8)
        EXPECT_TRUE(RunCRC8_all_type(kCheck, out, uint8_t(p.init), uint8_t(p.xorout), uint8_t(p.poly),
                                     p.refin, p.refout));
    else
        EXPECT_TRUE(RunCRC16_all_type(kCheck, out, p.init, p.xorout, p.poly, p.refin, p.refout));
    EXPECT_EQ(out, IntToHex(GetParam().check, p.width / 4));
}

INSTANTIATE_TEST_SUITE_P(Catalogue, CrcCatalogueCheck,
                         ::testing::ValuesIn(CrcCatalogue().begin(), CrcCatalogue().end()),
                         [](const ::testing::TestParamInfo<CrcCatalogueModel>& info) {
                             return test::CrcTestName(info.param.name);
                         });

// The two fixed variants are catalogue models: RunCRC16 is CRC-16/IBM-3740
// (the former CCITT-FALSE), RunCRC8 is CRC-8/TECH-3250 (the former EBU).
TEST(CrcFixed, FixedVariantsAreCatalogueModels) {
    const CrcCatalogueModel* ibm3740 = FindCrcModelByName("CRC-16/IBM-3740");
    const CrcCatalogueModel* tech3250 = FindCrcModelByName("CRC-8/TECH-3250");
    ASSERT_TRUE(ibm3740 && tech3250);
    std::mt19937 rng(3740);
    std::vector<std::vector<uint8_t>> samples = {{'1', '2', '3', '4', '5', '6', '7', '8', '9'}, {}};
    for (int i = 0; i < 50; ++i) samples.push_back(test::RandomCrcBytes(rng, rng() % 40));
    for (const auto& bytes : samples) {
        const std::string text = test::CrcByteText(bytes);
        std::string out16, out8;
        RunCRC16(text, out16);
        RunCRC8(text, out8);
        EXPECT_EQ(out16, IntToHex(CrcBitwise(ibm3740->params, bytes), 4)) << text;
        EXPECT_EQ(out8, IntToHex(CrcBitwise(tech3250->params, bytes), 2)) << text;
    }
    std::string check16, check8;
    RunCRC16(kCheck, check16);
    RunCRC8(kCheck, check8);
    EXPECT_EQ(check16, IntToHex(ibm3740->check, 4));
    EXPECT_EQ(check8, IntToHex(tech3250->check, 2));
}

// ---------------------------------------------------------------------------
// Fixed variants, LRC and empty data.

using RunFn = bool (*)(std::string_view, std::string&);

struct FixedRow {
    const char* name;
    RunFn run;
    const char* data;
    const char* expected;
};

TEST(CrcFixed, ResultTable) {
    const FixedRow rows[] = {
        {"RunCRC16", RunCRC16, "", "FFFF"},
        {"RunCRC16", RunCRC16, " \t\r\n", "FFFF"},
        {"RunCRC8", RunCRC8, "", "FF"},
        {"RunLRC", RunLRC, "01 02 03", "FA"},
        {"RunLRC", RunLRC, "00", "00"},
        {"RunLRC", RunLRC, "FF", "01"},
        {"RunLRC", RunLRC, "", "00"},
        {"RunLRC", RunLRC, "80 80", "00"},    // sum 0x100 wraps to 0
        {"RunLRC", RunLRC, "FF FF", "02"},    // sum 0x1FE
        {"RunLRC", RunLRC, kCheck, "23"},     // sum 0x1DD
    };
    for (const FixedRow& r : rows) {
        std::string out = "unchanged";
        EXPECT_TRUE(r.run(r.data, out));
        EXPECT_EQ(out, r.expected) << r.name << "(\"" << r.data << "\")";
    }
}

// Empty data: the initial value, reflected over the width when output
// reflection is on, then XORed with the final value.
TEST(CrcParametric, EmptyDataGivesProcessedInitialValue) {
    struct Row {
        uint16_t init, xorout;
        bool refout;
        const char* crc8;
        const char* crc16;
    };
    const Row rows[] = {
        {0x0000, 0x0000, false, "00", "0000"},
        {0x1234, 0x0000, false, "34", "1234"},
        {0x1234, 0x0000, true, "2C", "2C48"},
        {0x0001, 0x0000, true, "80", "8000"},
        {0x1234, 0xFFFF, true, "D3", "D3B7"},
        {0x00F0, 0x000F, false, "FF", "00FF"},
    };
    for (const Row& r : rows) {
        for (bool refin : {false, true}) {
            std::string out8, out16;
            RunCRC8_all_type("", out8, uint8_t(r.init), uint8_t(r.xorout), 0x07, refin, r.refout);
            RunCRC16_all_type("", out16, r.init, r.xorout, 0x1021, refin, r.refout);
            EXPECT_EQ(out8, r.crc8) << "init " << r.init << " refout " << r.refout;
            EXPECT_EQ(out16, r.crc16) << "init " << r.init << " refout " << r.refout;
        }
    }
}

// The fixed register steps against an independent formulation: the classic
// byte-wise shift register (the byte XORed into the top of the register,
// then eight shifts), written here from the textbook form rather than
// through the engine's bit-serial step, over every register and byte.
uint8_t TextbookCrc8Step(uint8_t reg, uint8_t byte) {  // poly 0x1D, input reflected
    uint8_t in = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (byte & (1u << bit)) in = uint8_t(in | (0x80u >> bit));
    reg ^= in;
    for (int i = 0; i < 8; ++i) reg = (reg & 0x80) ? uint8_t((reg << 1) ^ 0x1D) : uint8_t(reg << 1);
    return reg;
}

uint16_t TextbookCcittStep(uint16_t reg, uint8_t byte) {  // poly 0x1021, no reflection
    reg ^= uint16_t(byte << 8);
    for (int i = 0; i < 8; ++i)
        reg = (reg & 0x8000) ? uint16_t((reg << 1) ^ 0x1021) : uint16_t(reg << 1);
    return reg;
}

TEST(CrcSteps, FixedStepsMatchTheTextbookShiftRegister) {
    for (int reg = 0; reg < 256; ++reg)
        for (int b = 0; b < 256; ++b)
            ASSERT_EQ(Crc_8bit(uint8_t(reg), uint8_t(b)), TextbookCrc8Step(uint8_t(reg), uint8_t(b)))
                << reg << " " << b;
    for (int reg = 0; reg < 65536; reg += 257)
        for (int b = 0; b < 256; ++b)
            ASSERT_EQ(Crc_ccitt(uint16_t(reg), uint8_t(b)), TextbookCcittStep(uint16_t(reg), uint8_t(b)))
                << reg << " " << b;
}

// Folded over "123456789" the fixed steps give the catalogue's check values:
// CRC-16/IBM-3740 (init FFFF) and CRC-8/TECH-3250 (poly 1D, init FF, both
// reflections).
TEST(CrcSteps, FixedStepsGiveTheCatalogueCheckValues) {
    uint16_t r16 = 0xFFFF;
    uint8_t r8 = 0xFF;
    for (char c : std::string("123456789")) {
        r16 = Crc_ccitt(r16, uint8_t(c));
        r8 = Crc_8bit(r8, uint8_t(c));
    }
    EXPECT_EQ(r16, FindCrcModelByName("CRC-16/IBM-3740")->check);
    uint8_t reflected = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (r8 & (1u << bit)) reflected = uint8_t(reflected | (0x80u >> bit));
    EXPECT_EQ(reflected, FindCrcModelByName("CRC-8/TECH-3250")->check);
}

// Single steps worked by hand: feeding 0x80 into an empty register hits the
// polynomial once at the first bit, then shifts it to the top and beyond.
TEST(CrcSteps, HandWorkedSteps) {
    EXPECT_EQ(Crc_8bit_Polynom(0x00, 0x01, false, 0x07), 0x07);
    EXPECT_EQ(Crc_8bit_Polynom(0x00, 0x80, false, 0x07), 0x89);
    EXPECT_EQ(Crc_8bit_Polynom(0x00, 0x01, true, 0x07), 0x89);  // reflected 0x01 is 0x80
    EXPECT_EQ(Crc_8bit_Polynom(0x80, 0x80, false, 0x07), 0x00);  // top bit equals data bit
    EXPECT_EQ(Crc_16bit_Polynom(0x0000, 0x01, false, 0x1021), 0x1021);
    EXPECT_EQ(Crc_16bit_Polynom(0x8000, 0x00, false, 0x1021), Crc_16bit_Polynom(0, 0x80, false, 0x1021));
}

// ---------------------------------------------------------------------------
// Reading the hexadecimal data.

// Each text must read as the same bytes as its canonical form. Compared through
// CRC-16/MODBUS, whose non-zero initial value also shows leading zero bytes.
TEST(CrcReading, EquivalentSpellings) {
    const struct {
        const char* text;
        const char* canonical;
    } rows[] = {
        {"31 32 33 34 35 36 37 38 39", kCheck},
        {"  3132 33\t34\r\n35 36  3738 39 \n", kCheck},
        {"0a0B 0c ff", "0A0B0CFF"},
        {"aBcDeF", "ABCDEF"},
        {"ABC", "AB 0C"},
        {"123", "12 03"},
        {"1", "01"},
        {"f", "0F"},
        {"12 3", "12 03"},
        {"00 01", "0001"},
        {"\x01" "12\x1F", "12"},  // every code up to 32 is trimmed
    };
    for (const auto& r : rows) {
        std::string got, want, gotLrc, wantLrc;
        RunCRC16_all_type(r.text, got, 0xFFFF, 0, 0x8005, true, true);
        RunCRC16_all_type(r.canonical, want, 0xFFFF, 0, 0x8005, true, true);
        EXPECT_EQ(got, want) << '"' << r.text << '"';
        RunLRC(r.text, gotLrc);
        RunLRC(r.canonical, wantLrc);
        EXPECT_EQ(gotLrc, wantLrc) << '"' << r.text << '"';
    }
    // Leading zero bytes are real bytes, not padding.
    std::string a, b;
    RunCRC16("00 01", a);
    RunCRC16("01", b);
    EXPECT_NE(a, b);
}

// A pair that is not hexadecimal raises the integer conversion error showing
// the pair in upper case with its "$" prefix, and leaves the result untouched.
TEST(CrcReading, BadPairRaisesAndStoresNothing) {
    const struct {
        std::string text;
        std::string message;
    } rows[] = {
        {"G1", "'$G1' is not a valid integer value"},
        {"g1", "'$G1' is not a valid integer value"},
        {"0 1", "'$0 ' is not a valid integer value"},       // blank inside a pair
        {"01 0 2", "'$0 ' is not a valid integer value"},
        {"0\t1", "'$0\t' is not a valid integer value"},
        {"01 02 zz 03", "'$ZZ' is not a valid integer value"},
        {"0102 x", "'$X' is not a valid integer value"},     // odd last character
        {"0x12", "'$0X' is not a valid integer value"},
        {"-1", "'$-1' is not a valid integer value"},
        {"$1", "'$$1' is not a valid integer value"},
        {"1\xE9", "'$1\xE9' is not a valid integer value"},  // not ASCII: kept as is
    };
    const std::vector<std::pair<const char*, std::function<bool(std::string_view, std::string&)>>>
        routines = {
            {"RunCRC16", RunCRC16},
            {"RunCRC8", RunCRC8},
            {"RunLRC", RunLRC},
            {"RunCRC8_all_type",
             [](std::string_view d, std::string& r) {
                 return RunCRC8_all_type(d, r, 0, 0, 0x07, false, false);
             }},
            {"RunCRC16_all_type",
             [](std::string_view d, std::string& r) {
                 return RunCRC16_all_type(d, r, 0xFFFF, 0, 0x8005, true, true);
             }},
        };
    for (const auto& r : rows) {
        for (const auto& [name, run] : routines) {
            std::string out = "unchanged";
            try {
                run(r.text, out);
                ADD_FAILURE() << name << " did not raise for \"" << r.text << '"';
            } catch (const EConvertError& e) {
                EXPECT_EQ(std::string(e.what()), r.message) << name;
            }
            EXPECT_EQ(out, "unchanged") << name << " \"" << r.text << '"';
        }
    }
}

// ---------------------------------------------------------------------------
// The table-driven routines against the bit-wise register steps.

uint16_t ReflectBits(uint16_t v, int width) {
    uint16_t out = 0;
    for (int i = 0; i < width; ++i)
        if (v & (1u << i)) out |= uint16_t(1u << (width - 1 - i));
    return out;
}

// The reference: the public bit-wise step applied byte by byte.
uint16_t ReferenceRegister(int width, const std::vector<uint8_t>& bytes, size_t from, size_t to,
                           uint16_t reg, uint16_t poly, bool refin) {
    for (size_t i = from; i < to; ++i)
        reg = width == 8 ? Crc_8bit_Polynom(uint8_t(reg), bytes[i], refin, uint8_t(poly))
                         : Crc_16bit_Polynom(reg, bytes[i], refin, poly);
    return reg;
}

std::string Hex(uint16_t v, int width) {
    char buf[8];
    std::snprintf(buf, sizeof buf, width == 8 ? "%02X" : "%04X", unsigned(v));
    return buf;
}

// Hex text for the bytes with random letter case and random blanks between pairs.
std::string HexText(const std::vector<uint8_t>& bytes, size_t from, size_t to, std::mt19937& rng) {
    static const char kSeparators[][3] = {"", " ", "  ", "\t", "\r\n"};
    std::string text;
    for (size_t i = from; i < to; ++i) {
        char buf[3];
        std::snprintf(buf, sizeof buf, rng() % 2 ? "%02x" : "%02X", unsigned(bytes[i]));
        text += buf;
        text += kSeparators[rng() % 5];
    }
    return text;
}

std::string RunParametric(int width, std::string_view text, uint16_t init, uint16_t xorout,
                          uint16_t poly, bool refin, bool refout) {
    std::string out;
    if (width == 8)
        RunCRC8_all_type(text, out, uint8_t(init), uint8_t(xorout), uint8_t(poly), refin, refout);
    else
        RunCRC16_all_type(text, out, init, xorout, poly, refin, refout);
    return out;
}

// For every polynomial of width 8 and a few hundred of width 16, with all four
// reflection combinations and random initial value, final XOR and data:
//  - the whole result equals the reference loop;
//  - the register carried from one chunk's run into the next one as its initial
//    value (no output processing) equals the reference register over the whole
//    data, so the table path continues correctly from any register state.
TEST(CrcProperty, TableDrivenMatchesBitwiseReference) {
    std::mt19937 rng(20240611);
    std::vector<uint16_t> polys16 = {0x0000, 0x0001, 0x8000, 0x8005, 0x1021, 0xFFFF};
    while (polys16.size() < 300) polys16.push_back(uint16_t(rng()));

    auto check = [&](int width, uint16_t poly) {
        const uint16_t mask = width == 8 ? 0xFF : 0xFFFF;
        for (int combo = 0; combo < 4; ++combo) {
            const bool refin = combo & 1, refout = combo & 2;
            const uint16_t init = uint16_t(rng()) & mask, xorout = uint16_t(rng()) & mask;
            std::vector<uint8_t> bytes(rng() % 48);
            for (auto& b : bytes) b = uint8_t(rng());
            SCOPED_TRACE("width " + std::to_string(width) + " poly " + Hex(poly, width) +
                         " init " + Hex(init, width) + " xorout " + Hex(xorout, width) +
                         " refin " + std::to_string(refin) + " refout " +
                         std::to_string(refout) + " length " + std::to_string(bytes.size()));

            const std::string text = HexText(bytes, 0, bytes.size(), rng);
            uint16_t reg = ReferenceRegister(width, bytes, 0, bytes.size(), init, poly, refin);
            if (refout) reg = ReflectBits(reg, width);
            ASSERT_EQ(RunParametric(width, text, init, xorout, poly, refin, refout),
                      Hex(uint16_t(reg ^ xorout), width));

            // Chunked: up to three cuts at random places (empty chunks included).
            const uint16_t whole = ReferenceRegister(width, bytes, 0, bytes.size(), init, poly, refin);
            std::vector<size_t> cuts = {0};
            for (int k = 0; k < 3; ++k) cuts.push_back(rng() % (bytes.size() + 1));
            cuts.push_back(bytes.size());
            std::sort(cuts.begin(), cuts.end());
            uint16_t carried = init;
            for (size_t k = 0; k + 1 < cuts.size(); ++k) {
                const std::string part = HexText(bytes, cuts[k], cuts[k + 1], rng);
                carried = uint16_t(
                    std::stoul(RunParametric(width, part, carried, 0, poly, refin, false), nullptr, 16));
            }
            ASSERT_EQ(carried, whole);
        }
    };
    for (int poly = 0; poly < 256; ++poly) check(8, uint16_t(poly));
    for (uint16_t poly : polys16) check(16, poly);
}

// The fixed variants against their own register steps on random data.
TEST(CrcProperty, FixedVariantsMatchTheirSteps) {
    std::mt19937 rng(99);
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> bytes(rng() % 64);
        for (auto& b : bytes) b = uint8_t(rng());
        const std::string text = HexText(bytes, 0, bytes.size(), rng);
        uint16_t r16 = 0xFFFF;
        uint8_t r8 = 0xFF;
        for (uint8_t b : bytes) {
            r16 = Crc_ccitt(r16, b);
            r8 = Crc_8bit(r8, b);
        }
        std::string out16, out8;
        RunCRC16(text, out16);
        RunCRC8(text, out8);
        ASSERT_EQ(out16, Hex(r16, 16)) << text;
        ASSERT_EQ(out8, Hex(ReflectBits(r8, 8), 8)) << text;
    }
}

}  // namespace
}  // namespace orvane
