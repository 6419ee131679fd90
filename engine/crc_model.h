#pragma once
// One CRC-8 or CRC-16 of the parametric model over raw bytes: an MSB-first
// register of `width` bits starting at `init`; with `refin` each input byte's
// bit order is reversed before it is fed; with `refout` the final register's
// bit order is reversed over the whole width; the result is then XORed with
// `xorout`. The polynomial is written without its top bit.
#include <cstddef>
#include <cstdint>
#include <span>

namespace orvane {

struct CrcParams {
    int width = 16;  // 8 or 16
    uint16_t poly = 0;
    uint16_t init = 0;
    bool refin = false;
    bool refout = false;
    uint16_t xorout = 0;

    friend bool operator==(const CrcParams&, const CrcParams&) = default;
};

// The value with its lowest `width` bits in reverse order (higher bits dropped).
uint16_t ReflectCrcBits(uint16_t value, int width);

// The register after feeding the bytes from `reg`, one bit-wise register step
// (Crc_8bit_Polynom / Crc_16bit_Polynom) per byte: no output reflection, no XOR.
uint16_t CrcRegisterBitwise(const CrcParams& p, uint16_t reg, std::span<const uint8_t> bytes);

// The CRC of the bytes, computed with the bit-wise register steps (the
// reference every faster path is checked against).
uint16_t CrcBitwise(const CrcParams& p, std::span<const uint8_t> bytes);

}  // namespace orvane
