#pragma once
// New GUIDs (128-bit unique identifiers) from the platform's generator.
#include <array>
#include <cstdint>

namespace orvane::platform {

// A GUID in its structured form: a 32-bit field, two 16-bit fields and eight
// bytes, as its registry text "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" shows them.
struct Guid {
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    std::array<uint8_t, 8> Data4{};
};

class GuidSource {
public:
    virtual ~GuidSource() = default;
    // Makes a new GUID into `out`; false when the generator cannot make one
    // (`out` is then unspecified).
    virtual bool NewGuid(Guid& out) = 0;
};

}  // namespace orvane::platform
