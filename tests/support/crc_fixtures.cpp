#include "tests/support/crc_fixtures.h"

#include <cctype>

#include "engine/crc_model.h"
#include "engine/number_text.h"

namespace orvane {

void PrintTo(const CrcCatalogueModel& model, std::ostream* os) { *os << model.name; }

}  // namespace orvane

namespace orvane::test {

CrcBytes RandomCrcBytes(std::mt19937& rng, size_t n) {
    CrcBytes b(n);
    for (auto& x : b) x = uint8_t(rng());
    return b;
}

CrcBytes MakeCrcFrame(const CrcFoundModel& model, const CrcBytes& prefix, const CrcBytes& data) {
    CrcBytes f = prefix;
    f.insert(f.end(), data.begin(), data.end());
    const uint16_t crc = CrcBitwise(model.params, data);
    if (model.params.width == 8) {
        f.push_back(uint8_t(crc));
    } else if (model.order == CrcByteOrder::Little) {
        f.push_back(uint8_t(crc));
        f.push_back(uint8_t(crc >> 8));
    } else {
        f.push_back(uint8_t(crc >> 8));
        f.push_back(uint8_t(crc));
    }
    return f;
}

std::vector<CrcBytes> MakeCrcFrames(const CrcFoundModel& model, const std::vector<size_t>& lengths,
                                    size_t skip, std::mt19937& rng) {
    std::vector<CrcBytes> frames;
    for (size_t len : lengths) {
        // Drawn one after the other: the order of evaluation stays fixed.
        const CrcBytes prefix = RandomCrcBytes(rng, skip);
        const CrcBytes data = RandomCrcBytes(rng, len);
        frames.push_back(MakeCrcFrame(model, prefix, data));
    }
    return frames;
}

std::string CrcByteText(const CrcBytes& bytes) {
    std::string t;
    for (uint8_t b : bytes) t += (t.empty() ? "" : " ") + IntToHex(b, 2);
    return t;
}

std::string CrcTestName(std::string_view modelName) {
    std::string name;
    for (char c : modelName) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

}  // namespace orvane::test
