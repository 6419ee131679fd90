#include "engine/crc_model.h"

#include "engine/crc.h"

namespace orvane {

uint16_t ReflectCrcBits(uint16_t value, int width) {
    uint16_t out = 0;
    for (int i = 0; i < width; ++i)
        if (value & (1u << i)) out |= uint16_t(1u << (width - 1 - i));
    return out;
}

uint16_t CrcRegisterBitwise(const CrcParams& p, uint16_t reg, std::span<const uint8_t> bytes) {
    if (p.width == 8) {
        uint8_t r = uint8_t(reg);
        for (uint8_t b : bytes) r = Crc_8bit_Polynom(r, b, p.refin, uint8_t(p.poly));
        return r;
    }
    for (uint8_t b : bytes) reg = Crc_16bit_Polynom(reg, b, p.refin, p.poly);
    return reg;
}

uint16_t CrcBitwise(const CrcParams& p, std::span<const uint8_t> bytes) {
    const uint16_t mask = p.width == 8 ? 0xFF : 0xFFFF;
    uint16_t reg = CrcRegisterBitwise(p, uint16_t(p.init & mask), bytes);
    if (p.refout) reg = ReflectCrcBits(reg, p.width);
    return uint16_t((reg ^ p.xorout) & mask);
}

}  // namespace orvane
