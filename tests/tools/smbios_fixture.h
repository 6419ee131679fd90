#pragma once
// Small SMBIOS tables and entry points for tests: a BIOS structure, a System
// Information structure of the 2.4 layout with the example UUID bytes and a
// serial number of string number 0, and the end-of-table structure.
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tools/smbios.h"

namespace orvane::test {

using Bytes = std::vector<uint8_t>;

// One structure: header, the formatted bytes after the header, the strings.
inline Bytes Structure(uint8_t type, uint16_t handle, const Bytes& formatted,
                        std::initializer_list<const char*> strings) {
    Bytes s = {type, uint8_t(4 + formatted.size()), uint8_t(handle & 0xFF), uint8_t(handle >> 8)};
    for (uint8_t b : formatted) s.push_back(b);
    for (const char* str : strings) {
        s.insert(s.end(), str, str + std::strlen(str));
        s.push_back(0);
    }
    if (strings.size() == 0) s.push_back(0);
    s.push_back(0);
    return s;
}

inline const Bytes kStoredUUID = {0x33, 0x22, 0x11, 0x00, 0x55, 0x44, 0x77, 0x66,
                           0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};

// System Information (SMBIOS 2.4 layout, 27 bytes): Manufacturer 1, Product
// 2, Version 3, no serial number (0), the UUID, wake-up, SKU 4, Family 5.
inline Bytes SystemInformation() {
    Bytes f = {1, 2, 3, 0};
    f.insert(f.end(), kStoredUUID.begin(), kStoredUUID.end());
    f.insert(f.end(), {0x06, 4, 5});
    return Structure(1, 0x0100, f, {"Acme Corp", "Widget 9", "1.0", "SKU-7", "Bench"});
}

// BIOS information, System Information, end of table.
inline Bytes Table() {
    Bytes t = Structure(0, 0x0000, {1, 2, 0, 0}, {"BIOS Vendor", "v2.1"});
    Bytes s = SystemInformation();
    t.insert(t.end(), s.begin(), s.end());
    Bytes e = Structure(127, 0xFEFF, {}, {});
    t.insert(t.end(), e.begin(), e.end());
    return t;
}

inline Bytes EntryPoint2(uint8_t major, uint8_t minor) {
    Bytes ep(0x1F, 0);
    std::memcpy(ep.data(), "_SM_", 4);
    ep[0x05] = 0x1F;
    ep[0x06] = major;
    ep[0x07] = minor;
    std::memcpy(&ep[0x10], "_DMI_", 5);
    ep[0x1E] = uint8_t(major << 4 | minor);
    return ep;
}

inline Bytes EntryPoint3(uint8_t major, uint8_t minor) {
    Bytes ep(0x18, 0);
    std::memcpy(ep.data(), "_SM3_", 5);
    ep[0x06] = 0x18;
    ep[0x07] = major;
    ep[0x08] = minor;
    ep[0x0A] = 1;
    return ep;
}

inline std::string AsText(const Bytes& b) { return std::string(b.begin(), b.end()); }

// The two firmware files in a temporary folder.
struct Firmware {
    TempDir dir;
    SmbiosPaths paths{dir.File("DMI"), dir.File("smbios_entry_point")};
    Firmware(const Bytes& table, const Bytes& entryPoint) {
        WriteBytes(paths.table, AsText(table));
        WriteBytes(paths.entryPoint, AsText(entryPoint));
    }
};

}  // namespace orvane::test
