#pragma once
// The firmware's SMBIOS structure table, and what the program reads from it:
// the System Information structure (type 1) with its strings and the system
// UUID.
//
// On Linux the table bytes come from /sys/firmware/dmi/tables/DMI and the
// versions from the entry point in /sys/firmware/dmi/tables/smbios_entry_point
// (usually readable by root only). Every query loads a fresh reader.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/errors.h"

namespace orvane {

// A failure while loading or reading the SMBIOS data. kind() is "EFOpenError"
// when a file cannot be opened or read, "ESmbiosError" for data that is not
// what it should be.
class ESmbiosError : public EOrvane {
public:
    ESmbiosError(std::string kind, const std::string& message) : EOrvane(std::move(kind), message) {}
};

// Where the reader finds the raw data; tests point it at fixture files.
struct SmbiosPaths {
    std::string table = "/sys/firmware/dmi/tables/DMI";
    std::string entryPoint = "/sys/firmware/dmi/tables/smbios_entry_point";
};

// Where the programs read the firmware tables: the folder named by the
// environment variable ORVANE_SMBIOS_DIR (files "DMI" and
// "smbios_entry_point") when it is set and not empty, else the system's.
SmbiosPaths SmbiosPathsFromEnvironment();

// One structure of the table, in table order.
struct SmbiosStructure {
    uint8_t Type = 0;
    uint8_t Length = 0;       // length of the formatted area
    uint16_t Handle = 0;
    uint32_t Offset = 0;      // of the structure from the start of the table
    uint32_t End = 0;         // offset just after its string set (or the table's end)
};

class TSMBios {
public:
    // Loads the table and the entry point from `paths` and indexes the
    // structures. Raises ESmbiosError ("EFOpenError: Cannot open file
    // \"<path>\". <reason>") when a file cannot be read, and
    // ("ESmbiosError: ...") for an entry point of no known form.
    explicit TSMBios(const SmbiosPaths& paths = {});
    // A reader over raw data already in memory.
    TSMBios(std::vector<uint8_t> table, uint8_t majorVersion, uint8_t minorVersion,
            uint8_t dmiRevision = 0);

    const std::vector<uint8_t>& TableBytes() const { return m_table; }
    uint8_t SmbiosMajorVersion() const { return m_major; }
    uint8_t SmbiosMinorVersion() const { return m_minor; }
    uint8_t DmiRevision() const { return m_dmiRevision; }

    // The structure index: each structure from offset 0 on, its formatted area
    // then its string set (ended by two zero bytes). The walk stops after the
    // end-of-table structure (type 127) and after a structure whose formatted
    // area or string set runs past the table's end; a header that does not fit
    // in the table, or that claims a formatted area shorter than itself, ends
    // it without an entry.
    const std::vector<SmbiosStructure>& Structures() const { return m_index; }

    // "major.minor" in decimal ("2.7").
    std::string GetSmbiosVersion() const;

    // The first System Information structure (type 1), or nullptr.
    const SmbiosStructure* SysInfo() const;
    // String number k (1 = first) of the structure's string set; empty for
    // k = 0, and for k beyond the strings of the structure (the walk never
    // leaves the structure).
    std::string GetString(const SmbiosStructure& s, uint8_t k) const;
    // The byte at `offset` of the structure's formatted area; 0 when the
    // formatted area is shorter (a field that this structure does not have).
    uint8_t FieldByte(const SmbiosStructure& s, uint8_t offset) const;

    // System Information strings; empty when there is no such structure or
    // the field is missing from it.
    std::string ManufacturerStr() const;
    std::string ProductNameStr() const;
    std::string VersionStr() const;
    std::string SerialNumberStr() const;
    std::string SKUNumberStr() const;
    std::string FamilyStr() const;
    // The 16 stored UUID bytes of the System Information structure. Raises
    // ESmbiosError when there is no such structure or it is too short to hold
    // a UUID (SMBIOS 2.0).
    std::array<uint8_t, 16> UUIDBytes() const;

private:
    void BuildIndex();
    std::string SysInfoString(uint8_t offset) const;

    std::vector<uint8_t> m_table;
    uint8_t m_major = 0;
    uint8_t m_minor = 0;
    uint8_t m_dmiRevision = 0;
    std::vector<SmbiosStructure> m_index;
};

// Where a query reports a failure: one line "kind: message". The window
// appends it to its page-source view, orvane-eval writes it to standard error,
// tests record it.
using FailureLine = std::function<void(const std::string& line)>;

// The 36-character UUID text of stored bytes b0..b15: b3 b2 b1 b0 - b5 b4 -
// b7 b6 - b8 b9 - b10..b15, two upper-case hexadecimal digits each.
std::string UUIDText(const std::array<uint8_t, 16>& b);

// The system UUID in its 36-character form. Any failure while loading or
// reading the SMBIOS data is caught: it sends "kind: message" to `failure`
// (when set) and returns empty text.
std::string System_UUID(const FailureLine& failure, const SmbiosPaths& paths = {});

// The lines of the "PC Systeminfo UUID" button, each handed to `line` in
// order: "System Information", the labelled Manufacturer, Product Name,
// Version and Serial Number strings, the UUID bytes in stored order, the UUID
// text, SKU Number and Family when the version text is "2.4" or above
// (compared as text), then an empty line. A failure is caught: the lines sent
// so far stay and one line "kind: message" follows. Returns false after a
// failure.
bool SystemInfoLines(const std::function<void(const std::string&)>& line,
                     const SmbiosPaths& paths = {});

}  // namespace orvane
