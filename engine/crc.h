#pragma once
// CRC-8, CRC-16 (parametric model of width 8 or 16) and LRC over data written
// as hexadecimal byte pairs ("01 02 0A" or "01020A", any letter case).
//
// Reading the data: the text is trimmed (codes <= 32); its first two characters
// (or its only one) form a byte read as hexadecimal; the rest after them is
// trimmed again, and so on. A pair that is not hexadecimal raises EConvertError
// "'$<PAIR>' is not a valid integer value" (pair in upper case) and no result
// is stored.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

// Parametric CRC-8: init, final XOR, polynomial (without top bit), reflect input,
// reflect output. Result: 2 upper-case hex digits. Returns true.
bool RunCRC8_all_type(std::string_view data, std::string& result, uint8_t init, uint8_t xorout,
                      uint8_t poly, bool refin, bool refout);
// Parametric CRC-16, same argument order. Result: 4 upper-case hex digits.
bool RunCRC16_all_type(std::string_view data, std::string& result, uint16_t init,
                       uint16_t xorout, uint16_t poly, bool refin, bool refout);
// CRC-16 with polynomial 0x1021, init 0xFFFF, no reflection, final XOR 0.
bool RunCRC16(std::string_view data, std::string& result);
// CRC-8 with polynomial 0x1D, init 0xFF, input and output reflected, final XOR 0.
bool RunCRC8(std::string_view data, std::string& result);
// Two's complement of the byte sum, 2 digits.
bool RunLRC(std::string_view data, std::string& result);

// Register steps (the bit-wise reference): with input reflection the byte's bit
// order is reversed first; the byte is then fed most significant bit first.
uint16_t Crc_16bit_Polynom(uint16_t reg, uint8_t byte, bool refin, uint16_t poly);
uint8_t Crc_8bit_Polynom(uint8_t reg, uint8_t byte, bool refin, uint8_t poly);
// Polynomial 0x1021, no reflection.
uint16_t Crc_ccitt(uint16_t reg, uint8_t byte);
// Polynomial 0x1D, input reflected.
uint8_t Crc_8bit(uint8_t reg, uint8_t byte);

}  // namespace orvane
