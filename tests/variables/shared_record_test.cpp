// The shared record seen from the window: the listing of its texts, the
// instance slots, the broadcast, and reads of hostile contents.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "platform/fake_window_messages.h"
#include "platform/field_text.h"
#include "tests/variables/store_fixture.h"

namespace orvane::test {
namespace {

using VariablesSharedRecord = StoreTest;

TEST_F(VariablesSharedRecord, ListingShowsNonEmptyTextsInOrder) {
    EXPECT_TRUE(Button_KOR_G_S_MEMClick(&Block()).empty());

    platform::WriteFieldText(KorSlot(Block(), 2).Share_Mem_private_data, "p2");
    // A private text filling its whole field has no zero byte; it is listed whole.
    std::memset(KorSlot(Block(), 8).Share_Mem_private_data, 'P', 256);
    std::memset(KorSlot(Block(), 8).Share_Mem_KOR_tp_fullname, 'F', 256);
    platform::WriteFieldText(PublicData(Block(), 1).Share_Mem_Public_data, "g1");
    platform::WriteFieldText(PublicData(Block(), 64).Share_Mem_Public_data, "last");

    const std::vector<std::string> expected = {
        "KOR_P_S_MEM2: p2",
        "KOR_P_S_MEM8: " + std::string(256, 'P'),
        "KOR_G_S_MEM1:str=g1",
        "KOR_G_S_MEM64:str=last",
    };
    EXPECT_EQ(Button_KOR_G_S_MEMClick(&Block()), expected);
}

TEST_F(VariablesSharedRecord, RegisteringWritesOnlyNumberAndHandle) {
    std::memset(&Block(), 0xAB, sizeof(Share_Memory));
    ASSERT_TRUE(RegisterInstance(&Block(), 3, 0x01020304));

    const auto* raw = reinterpret_cast<const unsigned char*>(&Block());
    const std::size_t slot = KorSlotOffset(3);
    EXPECT_EQ(raw[slot], 3);
    EXPECT_EQ(raw[slot + 4], 0x04);  // little-endian handle
    EXPECT_EQ(raw[slot + 7], 0x01);
    for (std::size_t i = 0; i < sizeof(Share_Memory); ++i) {
        if (i == slot || (i >= slot + 4 && i < slot + 8)) continue;
        ASSERT_EQ(raw[i], 0xAB) << "byte " << i;
    }
    EXPECT_FALSE(RegisterInstance(&Block(), 0, 1));
    EXPECT_FALSE(RegisterInstance(&Block(), 9, 1));
}

TEST_F(VariablesSharedRecord, SlotValuesAndCount) {
    EXPECT_EQ(KorCount(&Block()), 0);
    RegisterInstance(&Block(), 1, 111);
    RegisterInstance(&Block(), 8, -5);  // any non-zero handle counts
    platform::WriteFieldText(KorSlot(Block(), 8).Share_Mem_KOR_tp_name, "plan");
    EXPECT_EQ(KorCount(&Block()), 2);
    EXPECT_EQ(KorSlotHandle(&Block(), 1), 111);
    EXPECT_EQ(KorSlotHandle(&Block(), 2), 0);
    EXPECT_EQ(KorSlotTestPlanName(&Block(), 8), "plan");
    EXPECT_EQ(KorSlotHandle(&Block(), 0), std::nullopt);
    EXPECT_EQ(KorSlotHandle(&Block(), 9), std::nullopt);
    EXPECT_EQ(KorSlotHandle(nullptr, 1), std::nullopt);
    EXPECT_EQ(KorSlotTestPlanName(nullptr, 8), std::nullopt);
}

TEST_F(VariablesSharedRecord, AdjWindowSendsToEveryOccupiedSlotIncludingTheOwn) {
    platform::FakeMessageBus bus;
    std::vector<int64_t> ownLog;
    bus.Listen(100, [&](const platform::WindowMessage& m) { ownLog.push_back(m.wparam); });
    RegisterInstance(&Block(), 2, 100);  // ourselves
    RegisterInstance(&Block(), 5, 555);  // a copy that has ended: nobody listens

    EXPECT_EQ(adjWindow(&Block(), bus), 1);
    ASSERT_EQ(bus.sent().size(), 2u);
    EXPECT_EQ(bus.sent()[0].first, 100);
    EXPECT_EQ(bus.sent()[1].first, 555);
    for (const auto& [handle, m] : bus.sent()) {
        EXPECT_EQ(m.msg, 1280u);
        EXPECT_EQ(m.wparam, 402);
        EXPECT_EQ(m.lparam, 0);
    }
    EXPECT_EQ(ownLog, std::vector<int64_t>{402});

    platform::FakeMessageBus none;
    EXPECT_EQ(adjWindow(nullptr, none), 0);
    EXPECT_TRUE(none.sent().empty());
}

// Another process may leave anything in the block. Every read stays inside
// its field: the block is exactly the record's size on the heap, so reading
// past the last field would also be caught by the address sanitizer.
TEST_F(VariablesSharedRecord, HostileContentsKeepReadsBounded) {
    std::mt19937 rng(12345);
    auto* raw = reinterpret_cast<unsigned char*>(&Block());
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        if (round == 0) {
            std::memset(raw, 0xFF, sizeof(Share_Memory));  // no zero byte anywhere
        } else {
            for (std::size_t i = 0; i < sizeof(Share_Memory); ++i) raw[i] = static_cast<unsigned char>(rng() % 255 + 1);
            if (round == 2) {  // some fields end early
                for (std::size_t i = 0; i < sizeof(Share_Memory); i += 97) raw[i] = 0;
            }
        }
        for (int n = 1; n <= kPublicTexts; ++n) {
            bool found = false;
            const std::string got = STR_Varable_Get(session, "KOR_G_S_MEM" + std::to_string(n), found);
            ASSERT_LE(got.size(), 256u);
            const char* field = PublicData(Block(), n).Share_Mem_Public_data;
            ASSERT_EQ(got, std::string(field, strnlen(field, 256)));
        }
        for (int n = 1; n <= kKorSlots; ++n) {
            bool found = false;
            ASSERT_LE(STR_Varable_Get(session, "KOR_P_S_MEM" + std::to_string(n), found).size(), 256u);
            ASSERT_LE(KorSlotTestPlanName(&Block(), n)->size(), 256u);
        }
        std::size_t lines = 0;
        for (const std::string& line : Button_KOR_G_S_MEMClick(&Block())) {
            ASSERT_LE(line.size(), std::string("KOR_G_S_MEM64:str=").size() + 256);
            ++lines;
        }
        if (round == 0) {
            EXPECT_EQ(lines, 8u + 64u);
        }
        EXPECT_TRUE(TakeBoxes().empty());
    }
}

}  // namespace
}  // namespace orvane::test
