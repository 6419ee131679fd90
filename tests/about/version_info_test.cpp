#include "about/version_info.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>

#include "tests/support/temp_dir.h"

namespace orvane {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(InttoStrDigits, Table) {
    struct Row {
        int32_t value;
        uint16_t digits;
        const char* expected;
    } rows[] = {
        {5, 2, "05"},   {12, 2, "12"}, {123, 2, "?"}, {2024, 4, "2024"}, {7, 3, "007"},
        {-1, 2, "-1"},  {-5, 1, "?"},  {-5, 3, "0-5"}, {0, 0, "?"},     {0, 1, "0"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(InttoStrDigits(r.value, r.digits), r.expected) << r.value << "," << r.digits;
}

// Builds small ELF files: a header, the sections' contents, then the section
// header table (a null entry and one entry per section).
class ElfBuilder {
public:
    ElfBuilder(bool is64, bool bigEndian) : m_is64(is64), m_big(bigEndian) {}

    // A note: owner name, type, descriptor words.
    Bytes Note(const std::string& owner, uint32_t type, const std::vector<uint32_t>& desc) const {
        Bytes n;
        Put(n, uint32_t(owner.size() + 1), 4);
        Put(n, uint32_t(desc.size() * 4), 4);
        Put(n, type, 4);
        n.insert(n.end(), owner.begin(), owner.end());
        n.push_back(0);
        while (n.size() % 4) n.push_back(0);
        for (uint32_t w : desc) Put(n, w, 4);
        return n;
    }
    void AddSection(uint32_t type, Bytes content) { m_sections.push_back({type, std::move(content)}); }

    Bytes Build() const {
        const size_t ehsize = m_is64 ? 64 : 52, shentsize = m_is64 ? 64 : 40;
        Bytes f(ehsize, 0);
        std::memcpy(f.data(), "\x7f" "ELF", 4);
        f[4] = m_is64 ? 2 : 1;
        f[5] = m_big ? 2 : 1;
        f[6] = 1;
        std::vector<uint64_t> offsets;
        for (const auto& s : m_sections) {
            while (f.size() % 4) f.push_back(0);
            offsets.push_back(f.size());
            f.insert(f.end(), s.second.begin(), s.second.end());
        }
        while (f.size() % 8) f.push_back(0);
        const uint64_t shoff = f.size();
        f.resize(f.size() + shentsize * (m_sections.size() + 1), 0);
        for (size_t i = 0; i < m_sections.size(); ++i) {
            uint8_t* h = &f[shoff + shentsize * (i + 1)];
            Set(h + 4, m_sections[i].first, 4);
            if (m_is64) {
                Set(h + 24, offsets[i], 8);
                Set(h + 32, m_sections[i].second.size(), 8);
                Set(h + 48, 4, 8);
            } else {
                Set(h + 16, offsets[i], 4);
                Set(h + 20, m_sections[i].second.size(), 4);
                Set(h + 32, 4, 4);
            }
        }
        Set(&f[0x10], 2, 2);  // executable
        if (m_is64) {
            Set(&f[0x28], shoff, 8);
            Set(&f[0x34], ehsize, 2);
            Set(&f[0x3A], shentsize, 2);
            Set(&f[0x3C], m_sections.size() + 1, 2);
        } else {
            Set(&f[0x20], shoff, 4);
            Set(&f[0x28], ehsize, 2);
            Set(&f[0x2E], shentsize, 2);
            Set(&f[0x30], m_sections.size() + 1, 2);
        }
        return f;
    }

private:
    void Set(uint8_t* p, uint64_t v, int width) const {
        for (int i = 0; i < width; ++i) p[m_big ? width - 1 - i : i] = uint8_t(v >> (8 * i));
    }
    void Put(Bytes& b, uint64_t v, int width) const {
        b.resize(b.size() + size_t(width));
        Set(&b[b.size() - size_t(width)], v, width);
    }

    bool m_is64, m_big;
    std::vector<std::pair<uint32_t, Bytes>> m_sections;
};

constexpr uint32_t kNote = 7, kProgBits = 1;

Bytes VersionElf(bool is64, bool big, const std::vector<uint32_t>& numbers) {
    ElfBuilder b(is64, big);
    b.AddSection(kProgBits, Bytes(40, 0x90));
    // Another owner's note first, in the same section as ours.
    Bytes notes = b.Note("GNU", 3, {0xDEADBEEF, 0x01020304});
    Bytes ours = b.Note("Orvane", 1, numbers);
    notes.insert(notes.end(), ours.begin(), ours.end());
    b.AddSection(kNote, notes);
    return b.Build();
}

struct Version {
    std::string dotted;
    int32_t major, minor, release, build;
    std::string code;
};

Version Read(const std::string& path) {
    Version v;
    v.dotted = GetFileVersion(path, v.major, v.minor, v.release, v.build, v.code);
    return v;
}

Version ReadBytes(const Bytes& data) {
    test::TempDir dir;
    test::WriteBytes(dir.File("prog"), std::string(data.begin(), data.end()));
    return Read(dir.File("prog"));
}

TEST(GetFileVersion, ThisProgramCarriesTheProjectVersion) {
    Version v = Read("/proc/self/exe");
    EXPECT_EQ(v.dotted, ORVANE_EXPECTED_VERSION);
    EXPECT_EQ(v.code, ORVANE_EXPECTED_CODE);
    EXPECT_EQ(GetFileVersion("/proc/self/exe"), ORVANE_EXPECTED_VERSION);
}

TEST(GetFileVersion, NotesOfEveryLayout) {
    struct Row {
        const char* name;
        Bytes file;
        const char* dotted;
        int32_t numbers[4];
        const char* code;
    } rows[] = {
        {"ELF64 LE", VersionElf(true, false, {1, 2, 3, 45}), "1.2.3.45", {1, 2, 3, 45}, "01020345"},
        {"ELF32 BE", VersionElf(false, true, {2, 5, 3, 1}), "2.5.3.1", {2, 5, 3, 1}, "02050301"},
        {"three-digit build", VersionElf(true, false, {1, 2, 3, 456}), "1.2.3.456", {1, 2, 3, 456}, "010203?"},
        {"note without numbers", VersionElf(true, false, {}), "0.0.0.0", {0, 0, 0, 0}, "00000000"},
        {"short descriptor", VersionElf(true, false, {1, 2}), "?.?.?.?", {-1, -1, -1, -1}, "00000000"},
        {"number beyond 16 bits", VersionElf(true, false, {1, 2, 3, 70000}), "?.?.?.?", {-1, -1, -1, -1},
         "00000000"},
    };
    for (const Row& r : rows) {
        Version v = ReadBytes(r.file);
        EXPECT_EQ(v.dotted, r.dotted) << r.name;
        EXPECT_EQ(v.code, r.code) << r.name;
        EXPECT_EQ((std::array<int32_t, 4>{v.major, v.minor, v.release, v.build}),
                  (std::array<int32_t, 4>{r.numbers[0], r.numbers[1], r.numbers[2], r.numbers[3]}))
            << r.name;
    }
}

TEST(GetFileVersion, FilesWithoutTheNote) {
    test::TempDir dir;
    ElfBuilder other(true, false);
    other.AddSection(kNote, other.Note("GNU", 1, {0, 3, 2, 0}));
    ElfBuilder wrongSection(true, false);  // our note bytes outside a note section
    wrongSection.AddSection(kProgBits, wrongSection.Note("Orvane", 1, {1, 2, 3, 4}));
    struct Row {
        const char* name;
        std::string path;
        Bytes content;
    } rows[] = {
        {"missing", dir.File("missing"), {}},
        {"folder", dir.path(), {}},
        {"device", "/dev/null", {}},
        {"empty", dir.File("empty"), Bytes{}},
        {"text", dir.File("text"), Bytes{'h', 'e', 'l', 'l', 'o'}},
        {"other owner", dir.File("other"), other.Build()},
        {"not a note section", dir.File("wrong"), wrongSection.Build()},
    };
    for (const Row& r : rows) {
        if (r.path.rfind(dir.path() + "/", 0) == 0 && r.name != std::string("missing"))
            test::WriteBytes(r.path, std::string(r.content.begin(), r.content.end()));
        Version v = Read(r.path);
        EXPECT_EQ(v.dotted, "?.?.?.?") << r.name;
        EXPECT_EQ(v.code, "00000000") << r.name;
        EXPECT_EQ(v.major, -1) << r.name;
        EXPECT_EQ(v.build, -1) << r.name;
    }
}

TEST(GetFileVersion, DamagedFilesAreReadWithinBounds) {
    const Bytes good = VersionElf(true, false, {1, 2, 3, 4});
    ASSERT_EQ(ReadBytes(good).dotted, "1.2.3.4");
    test::TempDir dir;
    const std::string path = dir.File("prog");
    auto readBack = [&](const Bytes& b) {
        test::WriteBytes(path, std::string(b.begin(), b.end()));
        return GetFileVersion(path);
    };
    // The section header table sits at the end: every truncation loses it.
    for (size_t n = 0; n < good.size(); ++n)
        EXPECT_EQ(readBack(Bytes(good.begin(), good.begin() + std::ptrdiff_t(n))), "?.?.?.?") << n;

    // Header fields pointing anywhere.
    struct Patch {
        size_t offset;
        int width;
        uint64_t value;
    } patches[] = {
        {0x28, 8, ~0ull},          // section headers far beyond the file
        {0x28, 8, good.size() - 8},  // ...or overlapping its end
        {0x3A, 2, 0},              // entry size 0
        {0x3A, 2, 0xFFFF},         // entry size huge
        {0x3C, 2, 0},              // count 0 sends us to section 0 for the real count
        {0x3C, 2, 0xFFFF},
    };
    for (const Patch& p : patches) {
        Bytes b = good;
        for (int i = 0; i < p.width; ++i) b[p.offset + size_t(i)] = uint8_t(p.value >> (8 * i));
        EXPECT_EQ(readBack(b), "?.?.?.?") << p.offset;
    }

    // Random damage: whatever comes back is one of the well-formed answers.
    auto wellFormed = [](const std::string& v) {
        if (v == "?.?.?.?") return true;
        unsigned a, b, c, d;
        char tail;
        return std::sscanf(v.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) == 4 && a <= 0xFFFF &&
               b <= 0xFFFF && c <= 0xFFFF && d <= 0xFFFF;
    };
    std::mt19937 rng(20261210);
    for (int round = 0; round < 3000; ++round) {
        Bytes b = good;
        int flips = 1 + int(rng() % 4);
        for (int i = 0; i < flips; ++i) b[rng() % b.size()] = uint8_t(rng());
        std::string v = readBack(b);
        EXPECT_TRUE(wellFormed(v)) << v;
    }
}

}  // namespace
}  // namespace orvane
