// The CRC parameter search: random models and every catalogue model found
// from frames built with them, the same-length case, skip, the cap, bad input,
// and the text it is shown with.
#include "engine/crc_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine/crc_catalogue.h"
#include "engine/crc_search_text.h"
#include "tests/support/crc_fixtures.h"

namespace orvane {
namespace {

using Bytes = test::CrcBytes;
using test::MakeCrcFrame;
using test::MakeCrcFrames;
using test::RandomCrcBytes;

CrcSearchResult Search(const std::vector<Bytes>& frames, size_t skip = 0, bool w8 = true, bool w16 = true) {
    CrcSearchRequest r;
    r.frames = frames;
    r.skip = skip;
    r.width8 = w8;
    r.width16 = w16;
    return SearchCrcModels(r);
}

bool SameKind(const CrcFoundModel& a, const CrcFoundModel& b) {
    return a.params.width == b.params.width && a.params.poly == b.params.poly &&
           a.params.refin == b.params.refin && a.params.refout == b.params.refout && a.order == b.order;
}

// Same kind and the same CRC for messages of every length up to 80 (init
// values that x + 1 dividing the generator makes invisible are one model).
bool Equivalent(const CrcFoundModel& a, const CrcFoundModel& b) {
    if (!SameKind(a, b)) return false;
    std::mt19937 rng(77);
    for (size_t len = 0; len <= 80; ++len) {
        const Bytes data = RandomCrcBytes(rng, len);
        if (CrcBitwise(a.params, data) != CrcBitwise(b.params, data)) return false;
    }
    return true;
}

bool HasNote(const CrcSearchResult& r, const char* note) {
    return std::find(r.notes.begin(), r.notes.end(), note) != r.notes.end();
}

std::string Describe(const CrcFoundModel& m) { return FormatCrcModelLine(m); }

// What holds for every result: each model fits every frame by the bit-wise
// reference, catalogue models carry their name, the order is catalogue models
// first, then width and polynomial, and no line appears twice.
void ExpectSoundResult(const CrcSearchResult& r, const std::vector<Bytes>& frames, size_t skip) {
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_LE(r.models.size(), kCrcSearchCap);
    for (size_t i = 0; i < r.models.size(); ++i) {
        const CrcFoundModel& m = r.models[i];
        for (const Bytes& f : frames) ASSERT_TRUE(CrcModelFitsFrame(m, f, skip)) << Describe(m);
        const CrcCatalogueModel* c = FindCrcModel(m.params);
        EXPECT_STREQ(m.catalogueName, c ? c->name : nullptr) << Describe(m);
        EXPECT_EQ(m.order == CrcByteOrder::None, m.params.width == 8);
        if (i == 0) continue;
        const CrcFoundModel& p = r.models[i - 1];
        const auto key = [](const CrcFoundModel& x) {
            return std::make_tuple(x.catalogueName == nullptr, x.params.width, x.params.poly);
        };
        EXPECT_LE(key(p), key(m)) << Describe(p) << " before " << Describe(m);
        EXPECT_NE(Describe(p), Describe(m));
    }
}

// Random models of both widths, every reflection combination and byte order,
// 3 to 5 frames of different random lengths after a random skip.
TEST(CrcSearch, RandomModelsAreFoundAndEveryResultVerifies) {
    std::mt19937 rng(20240921);
    int cases = 0;
    for (int width : {8, 16}) {
        for (int combo = 0; combo < 4; ++combo) {
            for (CrcByteOrder order : width == 8 ? std::vector{CrcByteOrder::None}
                                                 : std::vector{CrcByteOrder::Big, CrcByteOrder::Little}) {
                for (int round = 0; round < (width == 8 ? 10 : 5); ++round, ++cases) {
                    const uint16_t mask = width == 8 ? 0xFF : 0xFFFF;
                    CrcFoundModel truth;
                    truth.params = {width, uint16_t((rng() & mask) | 1), uint16_t(rng() & mask),
                                    bool(combo & 1), bool(combo & 2), uint16_t(rng() & mask)};
                    truth.order = order;
                    std::vector<size_t> lengths;
                    const size_t count = 3 + rng() % 3;
                    while (lengths.size() < count) {
                        const size_t len = 1 + rng() % 40;
                        if (std::find(lengths.begin(), lengths.end(), len) == lengths.end())
                            lengths.push_back(len);
                    }
                    const size_t skip = rng() % 4;
                    const auto frames = MakeCrcFrames(truth, lengths, skip, rng);
                    SCOPED_TRACE(Describe(truth) + " skip " + std::to_string(skip) + ", " +
                                 std::to_string(count) + " frames");
                    const CrcSearchResult r = Search(frames, skip);
                    ExpectSoundResult(r, frames, skip);
                    const bool found = std::any_of(r.models.begin(), r.models.end(),
                                                   [&](const auto& m) { return Equivalent(m, truth); });
                    if (HasNote(r, kCrcNoteOpenInit)) {
                        // Too many init classes to list: the kind is still reported.
                        EXPECT_TRUE(std::any_of(r.models.begin(), r.models.end(),
                                                [&](const auto& m) { return SameKind(m, truth); }));
                    } else {
                        EXPECT_TRUE(found);
                    }
                }
            }
        }
    }
    EXPECT_EQ(cases, 4 * 10 + 4 * 2 * 5);
}

// Frames built with a catalogue model, in the byte order its reflection
// implies, give that model once, named, before anything else.
TEST(CrcSearch, EveryCatalogueModelIsFoundOnceAndNamed) {
    std::mt19937 rng(8);
    for (const CrcCatalogueModel& c : CrcCatalogue()) {
        CrcFoundModel truth{c.params, c.params.width == 8 ? CrcByteOrder::None
                                      : c.params.refout  ? CrcByteOrder::Little
                                                         : CrcByteOrder::Big};
        const auto frames = MakeCrcFrames(truth, {5, 9, 14, 23}, 0, rng);
        const CrcSearchResult r = Search(frames, 0, c.params.width == 8, c.params.width == 16);
        SCOPED_TRACE(c.name);
        ExpectSoundResult(r, frames, 0);
        ASSERT_FALSE(r.models.empty());
        EXPECT_EQ(r.models[0].params, c.params);
        EXPECT_STREQ(r.models[0].catalogueName, c.name);
        EXPECT_EQ(r.models[0].order, truth.order);
        EXPECT_EQ(std::count_if(r.models.begin(), r.models.end(),
                                [&](const auto& m) { return SameKind(m, truth); }),
                  1);
        EXPECT_TRUE(r.notes.empty());
        EXPECT_TRUE(r.warnings.empty());
    }
}

// One length: each polynomial and reflection once, with the catalogue init
// when a catalogue model fits, else init 0; and the note.
TEST(CrcSearch, SameLengthFramesGiveOneModelPerKindAndTheNote) {
    std::mt19937 rng(31);
    const struct {
        CrcFoundModel truth;
        const char* name;
    } rows[] = {
        {{{16, 0x1021, 0xFFFF, false, false, 0x0000}, CrcByteOrder::Big}, "CRC-16/IBM-3740"},
        {{{16, 0x8005, 0xFFFF, true, true, 0x0000}, CrcByteOrder::Little}, "CRC-16/MODBUS"},
        {{{8, 0x31, 0x00, true, true, 0x00}, CrcByteOrder::None}, "CRC-8/MAXIM-DOW"},
        {{{16, 0x4B37, 0x9A11, true, false, 0x0F0F}, CrcByteOrder::Little}, nullptr},
        {{{8, 0x9D, 0x5A, false, true, 0x3C}, CrcByteOrder::None}, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(Describe(row.truth));
        const auto frames = MakeCrcFrames(row.truth, {12, 12, 12, 12}, 0, rng);
        const CrcSearchResult r = Search(frames);
        ExpectSoundResult(r, frames, 0);
        EXPECT_TRUE(HasNote(r, kCrcNoteSameLength));
        const auto kind = std::find_if(r.models.begin(), r.models.end(),
                                       [&](const auto& m) { return SameKind(m, row.truth); });
        ASSERT_NE(kind, r.models.end());
        EXPECT_STREQ(kind->catalogueName, row.name);
        EXPECT_EQ(kind->params.init, row.name ? row.truth.params.init : 0);
        for (const auto& m : r.models)
            if (&m != &*kind) {
                EXPECT_FALSE(SameKind(m, *kind)) << Describe(m);
            }
    }
}

// Lengths whose differences share a factor with the polynomial's order leave
// several init classes; a frame of another length settles them.
TEST(CrcSearch, LengthsThatCannotSettleInitListEveryPair) {
    std::mt19937 rng(4);
    // 0xC009: x^16 + x^15 + x^14 + x^3 + 1 = (x^2 + x + 1)(x^14 + x + 1); x^2 + x + 1
    // divides x^(8d) + 1 for every difference d that 3 divides.
    const CrcFoundModel truth{{16, 0xC009, 0x1234, false, false, 0x5678}, CrcByteOrder::Big};
    auto frames = MakeCrcFrames(truth, {4, 7, 10, 13}, 0, rng);
    CrcSearchResult r = Search(frames);
    ExpectSoundResult(r, frames, 0);
    EXPECT_TRUE(HasNote(r, kCrcNoteSeveralPairs));
    EXPECT_GT(std::count_if(r.models.begin(), r.models.end(), [&](const auto& m) { return SameKind(m, truth); }),
              1);
    EXPECT_NE(std::find(r.models.begin(), r.models.end(), truth), r.models.end());

    frames.push_back(MakeCrcFrame(truth, {}, RandomCrcBytes(rng, 5)));
    r = Search(frames);
    ExpectSoundResult(r, frames, 0);
    ASSERT_EQ(r.models.size(), 1u);
    EXPECT_EQ(r.models[0], truth);
    EXPECT_TRUE(r.notes.empty());
}

TEST(CrcSearch, SkipLeavesTheLeadingBytesOut) {
    std::mt19937 rng(12);
    const CrcFoundModel truth{{16, 0x8005, 0xFFFF, true, true, 0x0000}, CrcByteOrder::Little};
    const auto frames = MakeCrcFrames(truth, {6, 11, 17, 30}, 3, rng);  // 3 random leading bytes each
    CrcSearchResult r = Search(frames, 3);
    ExpectSoundResult(r, frames, 3);
    ASSERT_FALSE(r.models.empty());
    EXPECT_EQ(r.models[0].params, truth.params);
    EXPECT_STREQ(r.models[0].catalogueName, "CRC-16/MODBUS");

    r = Search(frames, 0);
    ExpectSoundResult(r, frames, 0);
    EXPECT_TRUE(std::none_of(r.models.begin(), r.models.end(),
                             [&](const auto& m) { return SameKind(m, truth); }));
}

TEST(CrcSearch, NoModelFits) {
    std::mt19937 rng(99);
    std::vector<Bytes> frames;
    for (size_t len : {9, 14, 20, 27, 33}) frames.push_back(RandomCrcBytes(rng, len));
    const struct {
        bool w8, w16;
        const char* message;
    } rows[] = {{true, true, kCrcNoModel}, {true, false, kCrcNoModel8}, {false, true, kCrcNoModel16}};
    for (const auto& row : rows) {
        const CrcSearchResult r = Search(frames, 0, row.w8, row.w16);
        EXPECT_TRUE(r.error.empty());
        EXPECT_TRUE(r.models.empty());
        EXPECT_EQ(r.moreModels, 0u);
        EXPECT_TRUE(FormatSearchLines(r).empty());
        EXPECT_EQ(FormatSearchMessages(r), std::vector<std::string>{row.message});
    }
}

// A single frame fits every polynomial and reflection of both widths once:
// the first 100 are listed, catalogue models first, and the rest counted.
TEST(CrcSearch, CapListsOneHundredAndCountsTheRest) {
    std::mt19937 rng(2);
    const CrcFoundModel modbus{{16, 0x8005, 0xFFFF, true, true, 0x0000}, CrcByteOrder::Little};
    const auto frames = MakeCrcFrames(modbus, {10}, 0, rng);
    const CrcSearchResult r = Search(frames);
    ExpectSoundResult(r, frames, 0);
    ASSERT_EQ(r.models.size(), kCrcSearchCap);
    const size_t everyKind = 128 * 4 + 32768 * 4 * 2;
    EXPECT_EQ(r.moreModels, everyKind - kCrcSearchCap);
    EXPECT_EQ(r.models[0], (CrcFoundModel{modbus.params, modbus.order, "CRC-16/MODBUS"}));
    EXPECT_EQ(r.warnings, std::vector<std::string>{kCrcWarnFewFrames});
    EXPECT_EQ(r.notes, std::vector<std::string>{kCrcNoteSameLength});
    EXPECT_EQ(FormatSearchMessages(r),
              (std::vector<std::string>{kCrcWarnFewFrames, kCrcNoteSameLength,
                                        std::to_string(everyKind - kCrcSearchCap) +
                                            " more models fit and are not listed; add frames to "
                                            "narrow the search"}));
}

TEST(CrcSearch, FramesThatCannotBeSearched) {
    const Bytes three(3, 0x11);
    const size_t kHugeSkip = std::numeric_limits<size_t>::max();
    const struct {
        const char* what;
        std::vector<Bytes> frames;
        size_t skip;
        bool w8, w16;
        std::string error;
        int frame;
    } rows[] = {
        {"no frames", {}, 0, true, true, "no frames to search", -1},
        {"no width", {three}, 0, false, false, "no CRC width to search", -1},
        {"too short for CRC-8", {three, Bytes(2, 0)}, 2, true, false,
         "frame 2 has 2 bytes: too short for 2 skipped bytes and a 1-byte CRC", 1},
        {"too short for CRC-16", {three, three, Bytes(1, 0)}, 0, false, true,
         "frame 3 has 1 byte: too short for 0 skipped bytes and a 2-byte CRC", 2},
        {"a skip no frame can hold", {three}, kHugeSkip, true, true,
         "frame 1 has 3 bytes: too short for " + std::to_string(kHugeSkip) +
             " skipped bytes and a 1-byte CRC",
         0},
        {"empty frame", {Bytes{}}, 0, true, true,
         "frame 1 has 0 bytes: too short for 0 skipped bytes and a 1-byte CRC", 0},
        {"too long", {three, Bytes(kCrcSearchMaxFrameBytes + 1, 0)}, 0, true, true,
         "frame 2 has more than 2048 bytes", 1},
        {"too much", std::vector<Bytes>(17, Bytes(kCrcSearchMaxFrameBytes, 0)), 0, true, true,
         "the frames hold more than 32768 bytes in all", -1},
    };
    for (const auto& row : rows) {
        const CrcSearchResult r = Search(row.frames, row.skip, row.w8, row.w16);
        EXPECT_EQ(r.error, row.error) << row.what;
        EXPECT_EQ(r.errorFrame, row.frame) << row.what;
        EXPECT_TRUE(r.models.empty()) << row.what;
        EXPECT_EQ(FormatSearchMessages(r), std::vector<std::string>{row.error}) << row.what;
    }
}

// Frames one byte past the skip hold a CRC-8 but not a CRC-16: CRC-8 alone is
// searched, with a warning.
TEST(CrcSearch, FramesTooShortForCrc16SearchCrc8Only) {
    std::mt19937 rng(6);
    const CrcFoundModel smbus{{8, 0x07, 0x00, false, false, 0x00}, CrcByteOrder::None};
    auto frames = MakeCrcFrames(smbus, {0, 4, 9, 15}, 2, rng);
    const CrcSearchResult r = Search(frames, 2);
    ExpectSoundResult(r, frames, 2);
    EXPECT_TRUE(r.searched8);
    EXPECT_FALSE(r.searched16);
    EXPECT_EQ(r.warnings, std::vector<std::string>{kCrcWarnNo16});
    ASSERT_FALSE(r.models.empty());
    EXPECT_STREQ(r.models[0].catalogueName, "CRC-8/SMBUS");
}

// Repeated frames add nothing: two distinct frames among four still warn.
TEST(CrcSearch, RepeatedFramesCountOnce) {
    std::mt19937 rng(7);
    const CrcFoundModel arc{{16, 0x8005, 0x0000, true, true, 0x0000}, CrcByteOrder::Little};
    auto frames = MakeCrcFrames(arc, {8, 13}, 0, rng);
    frames.push_back(frames[0]);
    frames.push_back(frames[1]);
    const CrcSearchResult r = Search(frames);
    ExpectSoundResult(r, frames, 0);
    EXPECT_EQ(r.warnings, std::vector<std::string>{kCrcWarnFewFrames});
    EXPECT_NE(std::find_if(r.models.begin(), r.models.end(),
                           [](const auto& m) { return m.catalogueName && std::string(m.catalogueName) == "CRC-16/ARC"; }),
              r.models.end());
}

TEST(CrcSearchText, FramesFromHexText) {
    const struct {
        const char* text;
        bool ok;
        Bytes bytes;
    } rows[] = {
        {"1B 24 43 02 99 05", true, {0x1B, 0x24, 0x43, 0x02, 0x99, 0x05}},
        {"1b244302", true, {0x1B, 0x24, 0x43, 0x02}},
        {"  aB\tcD\r\n", true, {0xAB, 0xCD}},
        {"", true, {}},
        {"1B 2", false, {}},
        {"1B 2 43", false, {}},
        {"1 B", false, {}},
        {"0x1B", false, {}},
        {"1G", false, {}},
        {"1B,24", false, {}},
    };
    for (const auto& row : rows) {
        Bytes bytes = {0xEE};
        EXPECT_EQ(ParseCrcFrame(row.text, bytes), row.ok) << '"' << row.text << '"';
        if (row.ok) {
            EXPECT_EQ(bytes, row.bytes) << '"' << row.text << '"';
        }
    }
}

TEST(CrcSearchText, ModelLines) {
    const struct {
        CrcFoundModel model;
        const char* line;
    } rows[] = {
        {{{16, 0x8005, 0xFFFF, true, true, 0x0000}, CrcByteOrder::Little, "CRC-16/MODBUS"},
         "CRC_16_FFFF_0000_8005_1_1 little CRC-16/MODBUS"},
        {{{16, 0x00AB, 0x0C0D, false, true, 0xBEEF}, CrcByteOrder::Big, nullptr},
         "CRC_16_0C0D_BEEF_00AB_0_1 big"},
        {{{8, 0x1D, 0xFF, true, true, 0x00}, CrcByteOrder::None, "CRC-8/TECH-3250"},
         "CRC_8_FF_00_1D_1_1 - CRC-8/TECH-3250"},
        {{{8, 0x07, 0x0A, true, false, 0x55}, CrcByteOrder::None, nullptr}, "CRC_8_0A_55_07_1_0 -"},
    };
    for (const auto& row : rows) EXPECT_EQ(FormatCrcModelLine(row.model), row.line);
    CrcSearchResult r;
    r.models = {rows[0].model, rows[3].model};
    EXPECT_EQ(FormatSearchLines(r), (std::vector<std::string>{rows[0].line, rows[3].line}));
    r.error = "no frames to search";
    EXPECT_TRUE(FormatSearchLines(r).empty());
}

}  // namespace
}  // namespace orvane
