#include "engine/crc.h"

#include <array>

#include "engine/number_text.h"

namespace orvane {

namespace {

constexpr uint8_t ReflectByte(uint8_t byte) {
    uint8_t out = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (byte & (1u << bit)) out |= uint8_t(1u << (7 - bit));
    return out;
}

constexpr std::array<uint8_t, 256> kReflectByte = [] {
    std::array<uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = ReflectByte(uint8_t(i));
    return t;
}();

constexpr uint16_t Reflect16(uint16_t reg) {
    return uint16_t(kReflectByte[reg & 0xFF] << 8 | kReflectByte[reg >> 8]);
}

// The bit-wise register step shared by both widths. Reg is exactly Width bits
// wide, so the cast after each shift drops the bit shifted out at the top.
template <typename Reg>
constexpr Reg StepBits(Reg reg, uint8_t byte, bool refin, Reg poly) {
    constexpr Reg kTop = Reg(1u << (8 * sizeof(Reg) - 1));
    if (refin) byte = ReflectByte(byte);
    for (int bit = 7; bit >= 0; --bit) {
        const bool dataBit = (byte >> bit) & 1u;
        const bool topBit = (reg & kTop) != 0;
        reg = Reg(reg << 1);
        if (dataBit != topBit) reg ^= poly;
    }
    return reg;
}

// Table for feeding one whole byte at a time. The step is linear in register
// and data, and the low register bits only move up, so
//   step(reg, b) = (reg << 8) ^ table[top byte of reg ^ b]
// with table[i] = step(0, i) taken from the bit-wise step itself.
template <typename Reg>
using CrcTable = std::array<Reg, 256>;

template <typename Reg>
constexpr CrcTable<Reg> BuildTable(Reg poly) {
    CrcTable<Reg> t{};
    for (int i = 0; i < 256; ++i) t[i] = StepBits<Reg>(0, uint8_t(i), false, poly);
    return t;
}

inline uint8_t TableStep(const CrcTable<uint8_t>& t, uint8_t reg, uint8_t byte) {
    return t[reg ^ byte];
}
inline uint16_t TableStep(const CrcTable<uint16_t>& t, uint16_t reg, uint8_t byte) {
    return uint16_t(reg << 8) ^ t[(reg >> 8) ^ byte];
}

// The fixed variants' tables are built at compile time.
constexpr CrcTable<uint16_t> kCcittTable = BuildTable<uint16_t>(0x1021);
constexpr CrcTable<uint8_t> kCrc8Table = BuildTable<uint8_t>(0x1D);

// Hexadecimal digit values by character code; 0xFF for anything else.
constexpr std::array<uint8_t, 256> kHexDigit = [] {
    std::array<uint8_t, 256> t{};
    for (auto& v : t) v = 0xFF;
    for (int c = '0'; c <= '9'; ++c) t[c] = uint8_t(c - '0');
    for (int c = 'A'; c <= 'F'; ++c) t[c] = t[c + 32] = uint8_t(c - 'A' + 10);
    return t;
}();

inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// A pair the fast reader does not accept goes through StrToInt with its "$"
// prefix, so the error (and its text, the pair in upper case) is the shared
// integer conversion's.
uint8_t ReadPairStrict(std::string_view pair) {
    return uint8_t(StrToInt("$" + UpperCase(pair)));
}

// Calls feed(byte) for each byte of the hex text, in order. The text is trimmed;
// its first two characters (or its only one) form a byte; the rest is trimmed
// again and read the same way. Walks the text once without copying it.
template <typename Feed>
void ForEachHexByte(std::string_view text, Feed&& feed) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end && IsBlank(*p)) ++p;
    while (end > p && IsBlank(end[-1])) --end;
    while (p < end) {
        uint8_t byte;
        if (end - p >= 2) {
            const uint8_t hi = kHexDigit[static_cast<unsigned char>(p[0])];
            const uint8_t lo = kHexDigit[static_cast<unsigned char>(p[1])];
            byte = ((hi | lo) & 0xF0) ? ReadPairStrict(std::string_view(p, 2))
                                      : uint8_t(hi << 4 | lo);
            p += 2;
        } else {
            const uint8_t d = kHexDigit[static_cast<unsigned char>(p[0])];
            byte = (d & 0xF0) ? ReadPairStrict(std::string_view(p, 1)) : d;
            p += 1;
        }
        feed(byte);
        while (p < end && IsBlank(*p)) ++p;
    }
}

// Feeds the text's bytes through the table, reversing each byte first when the
// input is reflected.
template <typename Reg>
Reg RunTable(std::string_view data, const CrcTable<Reg>& table, Reg reg, bool refin) {
    if (refin)
        ForEachHexByte(data, [&](uint8_t b) { reg = TableStep(table, reg, kReflectByte[b]); });
    else
        ForEachHexByte(data, [&](uint8_t b) { reg = TableStep(table, reg, b); });
    return reg;
}

}  // namespace

uint16_t Crc_16bit_Polynom(uint16_t reg, uint8_t byte, bool refin, uint16_t poly) {
    return StepBits<uint16_t>(reg, byte, refin, poly);
}

uint8_t Crc_8bit_Polynom(uint8_t reg, uint8_t byte, bool refin, uint8_t poly) {
    return StepBits<uint8_t>(reg, byte, refin, poly);
}

uint16_t Crc_ccitt(uint16_t reg, uint8_t byte) { return StepBits<uint16_t>(reg, byte, false, 0x1021); }

uint8_t Crc_8bit(uint8_t reg, uint8_t byte) { return StepBits<uint8_t>(reg, byte, true, 0x1D); }

bool RunCRC8_all_type(std::string_view data, std::string& result, uint8_t init, uint8_t xorout,
                      uint8_t poly, bool refin, bool refout) {
    // A 256-entry table costs about as much as reading a few hundred bytes of
    // text, so the parametric routines build theirs per call.
    const CrcTable<uint8_t> table = BuildTable<uint8_t>(poly);
    uint8_t reg = RunTable<uint8_t>(data, table, init, refin);
    if (refout) reg = kReflectByte[reg];
    result = IntToHex(uint8_t(reg ^ xorout), 2);
    return true;
}

bool RunCRC16_all_type(std::string_view data, std::string& result, uint16_t init,
                       uint16_t xorout, uint16_t poly, bool refin, bool refout) {
    const CrcTable<uint16_t> table = BuildTable<uint16_t>(poly);
    uint16_t reg = RunTable<uint16_t>(data, table, init, refin);
    if (refout) reg = Reflect16(reg);
    result = IntToHex(uint16_t(reg ^ xorout), 4);
    return true;
}

bool RunCRC16(std::string_view data, std::string& result) {
    const uint16_t reg = RunTable<uint16_t>(data, kCcittTable, 0xFFFF, false);
    result = IntToHex(reg, 4);
    return true;
}

bool RunCRC8(std::string_view data, std::string& result) {
    const uint8_t reg = RunTable<uint8_t>(data, kCrc8Table, 0xFF, true);
    result = IntToHex(kReflectByte[reg], 2);
    return true;
}

bool RunLRC(std::string_view data, std::string& result) {
    uint8_t sum = 0;  // the byte sum modulo 256
    ForEachHexByte(data, [&](uint8_t b) { sum = uint8_t(sum + b); });
    result = IntToHex(uint8_t(256 - sum), 2);
    return true;
}

}  // namespace orvane
