#include "engine/crc_catalogue.h"

#include <cstring>

namespace orvane {

namespace {

constexpr bool T = true;
constexpr bool F = false;

constexpr CrcCatalogueModel M(const char* name, int width, uint16_t poly, uint16_t init, bool refin,
                              bool refout, uint16_t xorout, uint16_t check, uint16_t residue) {
    return {name, {width, poly, init, refin, refout, xorout}, check, residue};
}

// name, width, poly, init, refin, refout, xorout, check, residue
constexpr CrcCatalogueModel kModels[] = {
    M("CRC-8/AUTOSAR", 8, 0x2F, 0xFF, F, F, 0xFF, 0xDF, 0x42),
    M("CRC-8/BLUETOOTH", 8, 0xA7, 0x00, T, T, 0x00, 0x26, 0x00),
    M("CRC-8/CDMA2000", 8, 0x9B, 0xFF, F, F, 0x00, 0xDA, 0x00),
    M("CRC-8/DARC", 8, 0x39, 0x00, T, T, 0x00, 0x15, 0x00),
    M("CRC-8/DVB-S2", 8, 0xD5, 0x00, F, F, 0x00, 0xBC, 0x00),
    M("CRC-8/GSM-A", 8, 0x1D, 0x00, F, F, 0x00, 0x37, 0x00),
    M("CRC-8/GSM-B", 8, 0x49, 0x00, F, F, 0xFF, 0x94, 0x53),
    M("CRC-8/HITAG", 8, 0x1D, 0xFF, F, F, 0x00, 0xB4, 0x00),
    M("CRC-8/I-432-1", 8, 0x07, 0x00, F, F, 0x55, 0xA1, 0xAC),
    M("CRC-8/I-CODE", 8, 0x1D, 0xFD, F, F, 0x00, 0x7E, 0x00),
    M("CRC-8/LTE", 8, 0x9B, 0x00, F, F, 0x00, 0xEA, 0x00),
    M("CRC-8/MAXIM-DOW", 8, 0x31, 0x00, T, T, 0x00, 0xA1, 0x00),
    M("CRC-8/MIFARE-MAD", 8, 0x1D, 0xC7, F, F, 0x00, 0x99, 0x00),
    M("CRC-8/NRSC-5", 8, 0x31, 0xFF, F, F, 0x00, 0xF7, 0x00),
    M("CRC-8/OPENSAFETY", 8, 0x2F, 0x00, F, F, 0x00, 0x3E, 0x00),
    M("CRC-8/ROHC", 8, 0x07, 0xFF, T, T, 0x00, 0xD0, 0x00),
    M("CRC-8/SAE-J1850", 8, 0x1D, 0xFF, F, F, 0xFF, 0x4B, 0xC4),
    M("CRC-8/SMBUS", 8, 0x07, 0x00, F, F, 0x00, 0xF4, 0x00),
    M("CRC-8/TECH-3250", 8, 0x1D, 0xFF, T, T, 0x00, 0x97, 0x00),
    M("CRC-8/WCDMA", 8, 0x9B, 0x00, T, T, 0x00, 0x25, 0x00),

    M("CRC-16/ARC", 16, 0x8005, 0x0000, T, T, 0x0000, 0xBB3D, 0x0000),
    M("CRC-16/CDMA2000", 16, 0xC867, 0xFFFF, F, F, 0x0000, 0x4C06, 0x0000),
    M("CRC-16/CMS", 16, 0x8005, 0xFFFF, F, F, 0x0000, 0xAEE7, 0x0000),
    M("CRC-16/DDS-110", 16, 0x8005, 0x800D, F, F, 0x0000, 0x9ECF, 0x0000),
    M("CRC-16/DECT-R", 16, 0x0589, 0x0000, F, F, 0x0001, 0x007E, 0x0589),
    M("CRC-16/DECT-X", 16, 0x0589, 0x0000, F, F, 0x0000, 0x007F, 0x0000),
    M("CRC-16/DNP", 16, 0x3D65, 0x0000, T, T, 0xFFFF, 0xEA82, 0x66C5),
    M("CRC-16/EN-13757", 16, 0x3D65, 0x0000, F, F, 0xFFFF, 0xC2B7, 0xA366),
    M("CRC-16/GENIBUS", 16, 0x1021, 0xFFFF, F, F, 0xFFFF, 0xD64E, 0x1D0F),
    M("CRC-16/GSM", 16, 0x1021, 0x0000, F, F, 0xFFFF, 0xCE3C, 0x1D0F),
    M("CRC-16/IBM-3740", 16, 0x1021, 0xFFFF, F, F, 0x0000, 0x29B1, 0x0000),
    M("CRC-16/IBM-SDLC", 16, 0x1021, 0xFFFF, T, T, 0xFFFF, 0x906E, 0xF0B8),
    M("CRC-16/ISO-IEC-14443-3-A", 16, 0x1021, 0xC6C6, T, T, 0x0000, 0xBF05, 0x0000),
    M("CRC-16/KERMIT", 16, 0x1021, 0x0000, T, T, 0x0000, 0x2189, 0x0000),
    M("CRC-16/LJ1200", 16, 0x6F63, 0x0000, F, F, 0x0000, 0xBDF4, 0x0000),
    M("CRC-16/M17", 16, 0x5935, 0xFFFF, F, F, 0x0000, 0x772B, 0x0000),
    M("CRC-16/MAXIM-DOW", 16, 0x8005, 0x0000, T, T, 0xFFFF, 0x44C2, 0xB001),
    M("CRC-16/MCRF4XX", 16, 0x1021, 0xFFFF, T, T, 0x0000, 0x6F91, 0x0000),
    M("CRC-16/MODBUS", 16, 0x8005, 0xFFFF, T, T, 0x0000, 0x4B37, 0x0000),
    M("CRC-16/NRSC-5", 16, 0x080B, 0xFFFF, T, T, 0x0000, 0xA066, 0x0000),
    M("CRC-16/OPENSAFETY-A", 16, 0x5935, 0x0000, F, F, 0x0000, 0x5D38, 0x0000),
    M("CRC-16/OPENSAFETY-B", 16, 0x755B, 0x0000, F, F, 0x0000, 0x20FE, 0x0000),
    M("CRC-16/PROFIBUS", 16, 0x1DCF, 0xFFFF, F, F, 0xFFFF, 0xA819, 0xE394),
    M("CRC-16/RIELLO", 16, 0x1021, 0xB2AA, T, T, 0x0000, 0x63D0, 0x0000),
    M("CRC-16/SPI-FUJITSU", 16, 0x1021, 0x1D0F, F, F, 0x0000, 0xE5CC, 0x0000),
    M("CRC-16/T10-DIF", 16, 0x8BB7, 0x0000, F, F, 0x0000, 0xD0DB, 0x0000),
    M("CRC-16/TELEDISK", 16, 0xA097, 0x0000, F, F, 0x0000, 0x0FB3, 0x0000),
    M("CRC-16/TMS37157", 16, 0x1021, 0x89EC, T, T, 0x0000, 0x26B1, 0x0000),
    M("CRC-16/UMTS", 16, 0x8005, 0x0000, F, F, 0x0000, 0xFEE8, 0x0000),
    M("CRC-16/USB", 16, 0x8005, 0xFFFF, T, T, 0xFFFF, 0xB4C8, 0xB001),
    M("CRC-16/XMODEM", 16, 0x1021, 0x0000, F, F, 0x0000, 0x31C3, 0x0000),
};

constexpr CrcCatalogueAlias kAliases[] = {
    {"CRC-8", "CRC-8/SMBUS"},
    {"CRC-8/AES", "CRC-8/TECH-3250"},
    {"CRC-8/EBU", "CRC-8/TECH-3250"},
    {"CRC-8/ITU", "CRC-8/I-432-1"},
    {"CRC-8/MAXIM", "CRC-8/MAXIM-DOW"},
    {"DOW-CRC", "CRC-8/MAXIM-DOW"},
    {"ARC", "CRC-16/ARC"},
    {"CRC-16", "CRC-16/ARC"},
    {"CRC-16/LHA", "CRC-16/ARC"},
    {"CRC-IBM", "CRC-16/ARC"},
    {"R-CRC-16", "CRC-16/DECT-R"},
    {"X-CRC-16", "CRC-16/DECT-X"},
    {"CRC-16/DARC", "CRC-16/GENIBUS"},
    {"CRC-16/EPC", "CRC-16/GENIBUS"},
    {"CRC-16/EPC-C1G2", "CRC-16/GENIBUS"},
    {"CRC-16/I-CODE", "CRC-16/GENIBUS"},
    {"CRC-16/AUTOSAR", "CRC-16/IBM-3740"},
    {"CRC-16/CCITT-FALSE", "CRC-16/IBM-3740"},
    {"CRC-16/ISO-HDLC", "CRC-16/IBM-SDLC"},
    {"CRC-16/ISO-IEC-14443-3-B", "CRC-16/IBM-SDLC"},
    {"CRC-16/X-25", "CRC-16/IBM-SDLC"},
    {"CRC-B", "CRC-16/IBM-SDLC"},
    {"X-25", "CRC-16/IBM-SDLC"},
    {"CRC-A", "CRC-16/ISO-IEC-14443-3-A"},
    {"CRC-16/BLUETOOTH", "CRC-16/KERMIT"},
    {"CRC-16/CCITT", "CRC-16/KERMIT"},
    {"CRC-16/CCITT-TRUE", "CRC-16/KERMIT"},
    {"CRC-16/V-41-LSB", "CRC-16/KERMIT"},
    {"CRC-CCITT", "CRC-16/KERMIT"},
    {"KERMIT", "CRC-16/KERMIT"},
    {"CRC-16/MAXIM", "CRC-16/MAXIM-DOW"},
    {"MODBUS", "CRC-16/MODBUS"},
    {"CRC-16/IEC-61158-2", "CRC-16/PROFIBUS"},
    {"CRC-16/AUG-CCITT", "CRC-16/SPI-FUJITSU"},
    {"CRC-16/BUYPASS", "CRC-16/UMTS"},
    {"CRC-16/VERIFONE", "CRC-16/UMTS"},
    {"CRC-16/ACORN", "CRC-16/XMODEM"},
    {"CRC-16/LTE", "CRC-16/XMODEM"},
    {"CRC-16/V-41-MSB", "CRC-16/XMODEM"},
    {"XMODEM", "CRC-16/XMODEM"},
    {"ZMODEM", "CRC-16/XMODEM"},
};

bool SameNameIgnoringCase(std::string_view a, const char* b) {
    const size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = char(x - 32);
        if (y >= 'a' && y <= 'z') y = char(y - 32);
        if (x != y) return false;
    }
    return true;
}

const CrcCatalogueModel* FindCurrentName(std::string_view name) {
    for (const CrcCatalogueModel& m : kModels)
        if (SameNameIgnoringCase(name, m.name)) return &m;
    return nullptr;
}

}  // namespace

std::span<const CrcCatalogueModel> CrcCatalogue() { return kModels; }

std::span<const CrcCatalogueAlias> CrcCatalogueAliases() { return kAliases; }

const CrcCatalogueModel* FindCrcModelByName(std::string_view name) {
    if (const CrcCatalogueModel* m = FindCurrentName(name)) return m;
    for (const CrcCatalogueAlias& a : kAliases)
        if (SameNameIgnoringCase(name, a.alias)) return FindCurrentName(a.name);
    return nullptr;
}

const CrcCatalogueModel* FindCrcModel(const CrcParams& params) {
    for (const CrcCatalogueModel& m : kModels)
        if (m.params == params) return &m;
    return nullptr;
}

}  // namespace orvane
