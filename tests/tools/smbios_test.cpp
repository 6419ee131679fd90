#include "tools/smbios.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "tests/support/temp_dir.h"
#include "tests/tools/smbios_fixture.h"

namespace orvane {
namespace {

using test::AsText;
using test::Bytes;
using test::EntryPoint2;
using test::EntryPoint3;
using test::Firmware;
using test::Structure;
using test::Table;

std::vector<std::string> InfoLines(const SmbiosPaths& paths) {
    std::vector<std::string> lines;
    SystemInfoLines([&](const std::string& l) { lines.push_back(l); }, paths);
    return lines;
}

TEST(Smbios, IndexAndSystemInformation) {
    TSMBios bios(Table(), 2, 8);
    const auto& idx = bios.Structures();
    ASSERT_EQ(idx.size(), 3u);
    EXPECT_EQ(idx[0].Type, 0);
    EXPECT_EQ(idx[1].Type, 1);
    EXPECT_EQ(idx[1].Handle, 0x0100);
    EXPECT_EQ(idx[1].Length, 0x1B);
    EXPECT_EQ(idx[1].Offset, idx[0].End);
    EXPECT_EQ(idx[2].Type, 127);
    EXPECT_EQ(idx[2].End, bios.TableBytes().size());
    ASSERT_EQ(bios.SysInfo(), &idx[1]);

    EXPECT_EQ(bios.ManufacturerStr(), "Acme Corp");
    EXPECT_EQ(bios.ProductNameStr(), "Widget 9");
    EXPECT_EQ(bios.VersionStr(), "1.0");
    EXPECT_EQ(bios.SerialNumberStr(), "");  // string number 0
    EXPECT_EQ(bios.SKUNumberStr(), "SKU-7");
    EXPECT_EQ(bios.FamilyStr(), "Bench");
    EXPECT_EQ(bios.GetString(idx[0], 2), "v2.1");
    // A number past the structure's strings never reads the next structure's.
    EXPECT_EQ(bios.GetString(idx[0], 3), "");
    EXPECT_EQ(bios.GetString(idx[1], 6), "");
    EXPECT_EQ(bios.GetString(idx[2], 1), "");
    EXPECT_EQ(bios.GetSmbiosVersion(), "2.8");
}

TEST(Smbios, UUIDKeepsTheFirstThreeGroupsLittleEndian) {
    Firmware fw(Table(), EntryPoint3(3, 0));
    std::vector<std::string> failures;
    auto record = [&](const std::string& l) { failures.push_back(l); };
    EXPECT_EQ(System_UUID(record, fw.paths), "00112233-4455-6677-8899-AABBCCDDEEFF");
    EXPECT_TRUE(failures.empty());

    std::array<uint8_t, 16> ones;
    ones.fill(0xFF);
    EXPECT_EQ(UUIDText(ones), "FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF");
}

TEST(Smbios, SystemInfoLinesDependOnTheVersion) {
    const std::vector<std::string> common = {
        "System Information",
        "Manufacter    Acme Corp",
        "Product Name  Widget 9",
        "Version       1.0",
        "Serial Number ",
        "UUID          33221100554477668899AABBCCDDEEFF",
        "UUID          00112233-4455-6677-8899-AABBCCDDEEFF",
    };
    struct Row {
        const char* name;
        Bytes entryPoint;
        const char* version;
        bool skuLines;
    } rows[] = {
        {"2.3", EntryPoint2(2, 3), "2.3", false},
        {"2.4", EntryPoint2(2, 4), "2.4", true},
        {"2.8", EntryPoint2(2, 8), "2.8", true},
        {"3.0", EntryPoint3(3, 0), "3.0", true},
    };
    for (const Row& r : rows) {
        Firmware fw(Table(), r.entryPoint);
        EXPECT_EQ(TSMBios(fw.paths).GetSmbiosVersion(), r.version);
        std::vector<std::string> expected = common;
        if (r.skuLines) {
            expected.push_back("SKU Number    SKU-7");
            expected.push_back("Family        Bench");
        }
        expected.push_back("");
        EXPECT_EQ(InfoLines(fw.paths), expected) << r.name;
    }
}

TEST(Smbios, FailuresBecomeOneKindAndMessageLine) {
    // SMBIOS 2.0 System Information: 8 bytes, no UUID.
    Bytes shortInfo = Structure(1, 1, {1, 0, 0, 0}, {"Old Corp"});
    Bytes noInfo = Structure(0, 0, {0, 0, 0, 0}, {});
    struct Row {
        const char* name;
        Bytes table;
        Bytes entryPoint;
        bool writeFiles;
        std::string failurePrefix;
    } rows[] = {
        {"missing files", Table(), EntryPoint2(2, 8), false, "EFOpenError: Cannot open file \""},
        {"unknown entry point", Table(), Bytes(31, 0x5A), true, "ESmbiosError: Unknown SMBIOS entry point"},
        {"no System Information", noInfo, EntryPoint2(2, 8), true,
         "ESmbiosError: No System Information structure"},
        {"no UUID", shortInfo, EntryPoint2(2, 0), true,
         "ESmbiosError: The System Information structure holds no UUID"},
    };
    for (const Row& r : rows) {
        test::TempDir dir;
        SmbiosPaths paths{dir.File("DMI"), dir.File("ep")};
        if (r.writeFiles) {
            test::WriteBytes(paths.table, AsText(r.table));
            test::WriteBytes(paths.entryPoint, AsText(r.entryPoint));
        }
        std::vector<std::string> failures;
        EXPECT_EQ(System_UUID([&](const std::string& l) { failures.push_back(l); }, paths), "") << r.name;
        ASSERT_EQ(failures.size(), 1u) << r.name;
        EXPECT_EQ(failures[0].rfind(r.failurePrefix, 0), 0u) << failures[0];
    }

    // The button keeps the lines written before the failure.
    Firmware fw(shortInfo, EntryPoint2(2, 0));
    EXPECT_EQ(InfoLines(fw.paths),
              (std::vector<std::string>{"System Information", "Manufacter    Old Corp", "Product Name  ",
                                        "Version       ", "Serial Number ",
                                        "ESmbiosError: The System Information structure holds no UUID"}));
}

TEST(Smbios, DamagedTablesAreReadWithinTheirBounds) {
    const Bytes full = Table();
    // Every truncation, and structures whose lengths point past the end.
    for (size_t n = 0; n <= full.size(); ++n) {
        TSMBios bios(Bytes(full.begin(), full.begin() + std::ptrdiff_t(n)), 2, 8);
        for (const SmbiosStructure& s : bios.Structures()) {
            EXPECT_LE(s.End, n);
            for (uint8_t k = 0; k < 8; ++k) bios.GetString(s, k);
        }
        bios.ManufacturerStr();
        bios.FamilyStr();
    }
    Bytes bad = {1, 0xFF, 0, 0, 'x', 0};  // formatted area longer than the table
    TSMBios b1(bad, 2, 8);
    ASSERT_EQ(b1.Structures().size(), 1u);
    EXPECT_EQ(b1.ManufacturerStr(), "");
    EXPECT_THROW(b1.UUIDBytes(), ESmbiosError);
    TSMBios b2(Bytes{1, 2, 0, 0, 1, 0, 0}, 2, 8);  // length below the header's own 4 bytes
    EXPECT_TRUE(b2.Structures().empty());
    TSMBios b3(Bytes{0, 4, 0, 0, 'a', 'b', 'c'}, 2, 8);  // unterminated string set
    ASSERT_EQ(b3.Structures().size(), 1u);
    EXPECT_EQ(b3.GetString(b3.Structures()[0], 1), "abc");
}

TEST(Smbios, ThisMachine) {
    // Root may read the firmware table, others get the open error; either way
    // exactly one of the two outcomes.
    std::vector<std::string> failures;
    std::string uuid = System_UUID([&](const std::string& l) { failures.push_back(l); });
    if (failures.empty()) {
        EXPECT_EQ(uuid.size(), 36u);
    } else {
        EXPECT_EQ(uuid, "");
        EXPECT_EQ(failures.size(), 1u);
        EXPECT_NE(failures[0].find(": "), std::string::npos);
    }
}

}  // namespace
}  // namespace orvane
