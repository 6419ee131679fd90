#pragma once
// What the CRC tests share: frames built with a model (data followed by its
// CRC in the model's byte order) and readable test names for the rows of the
// CRC catalogue.
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/crc_catalogue.h"
#include "engine/crc_search.h"

namespace orvane {

// gtest prints a catalogue row by its name ("CRC-16/MODBUS") instead of its
// bytes.
void PrintTo(const CrcCatalogueModel& model, std::ostream* os);

}  // namespace orvane

namespace orvane::test {

using CrcBytes = std::vector<uint8_t>;

// `n` bytes from `rng`.
CrcBytes RandomCrcBytes(std::mt19937& rng, size_t n);

// `prefix` (not covered by the CRC), then `data`, then the model's bit-wise
// CRC of `data` (width 16: in the model's byte order).
CrcBytes MakeCrcFrame(const CrcFoundModel& model, const CrcBytes& prefix, const CrcBytes& data);

// One frame per covered length, each with `skip` random leading bytes and
// random data.
std::vector<CrcBytes> MakeCrcFrames(const CrcFoundModel& model, const std::vector<size_t>& lengths,
                                    size_t skip, std::mt19937& rng);

// The field table's form of bytes: two upper-case digits each, single blanks
// between ("1B 24 43").
std::string CrcByteText(const CrcBytes& bytes);

// A test name for a catalogue model: its name with every character other
// than a letter or digit as "_" ("CRC_16_MODBUS").
std::string CrcTestName(std::string_view modelName);

}  // namespace orvane::test
