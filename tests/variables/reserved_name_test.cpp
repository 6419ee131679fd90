// The reserved names that read and write the shared texts, with and without a
// shared block.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/field_text.h"
#include "tests/variables/store_fixture.h"

namespace orvane::test {
namespace {

enum class Op { Get, StrGet, SetF, SetStr };

struct Case {
    const char* what;
    Op op;
    std::string name;
    std::string value;      // text for SetStr, number text for SetF
    std::string result;     // read result, or "true"/"false" for writes
    bool found;             // reads only
    std::vector<Box> boxes;
};

std::string RunCase(VariableSession& s, const Case& c, bool& found) {
    found = false;
    switch (c.op) {
        case Op::Get: return Varable_Get(s, c.name, found);
        case Op::StrGet: return STR_Varable_Get(s, c.name, found);
        case Op::SetF: return Varable_set_f(s, c.name, std::stold(c.value)) ? "true" : "false";
        case Op::SetStr: return Varable_set_str(s, c.name, c.value) ? "true" : "false";
    }
    return {};
}

const Box kNoGlobal{MsgIcon::Error, "No such global memory in system!"};
const Box kNoPrivate{MsgIcon::Error, "No such KOR private_data in system!"};
const Box kNoGlobalAssign{MsgIcon::Error, "No such global memory in system! can't assign"};
const Box kTooLong{MsgIcon::Error, "string length >128"};

class VariablesReservedName : public StoreTest {
protected:
    void SetUp() override {
        platform::WriteFieldText(KorSlot(Block(), 1).Share_Mem_private_data, "one's text");
        platform::WriteFieldText(PublicData(Block(), 10).Share_Mem_Public_data, "ten");
    }
    std::string Private(int n) { return platform::ReadFieldText(KorSlot(Block(), n).Share_Mem_private_data); }
    std::string Public(int n) { return platform::ReadFieldText(PublicData(Block(), n).Share_Mem_Public_data); }
};

// Instance 2 reading and writing through the reserved names.
TEST_F(VariablesReservedName, ReadsWritesAndTheirMessages) {
    const std::string s128(128, 'q'), s129(129, 'q');
    const Case cases[] = {
        {"own private text, name alone", Op::SetStr, " kor_p_s_mem ", "mine", "true", false, {}},
        {"own private read, string", Op::StrGet, "KOR_P_S_MEM2", "", "mine", true, {}},
        {"own private read, numeric: found stays false", Op::Get, "kor_p_s_mem", "", "mine", false, {}},
        {"another copy's text is readable", Op::StrGet, "KOR_P_S_MEM1", "", "one's text", true, {}},
        {"but not writable", Op::SetStr, "kor_p_s_mem1", "x", "false", false,
         {{MsgIcon::Error, "Private_data KOR_P_S_MEM1 not allow change!"}}},
        {"numeric private write refused too", Op::SetF, "KOR_P_S_MEM1", "1", "false", false,
         {{MsgIcon::Error, "Private_data KOR_P_S_MEM1 not allow change!"}}},
        {"ownership is checked before length", Op::SetStr, "KOR_P_S_MEM1", s129, "false", false,
         {{MsgIcon::Error, "Private_data KOR_P_S_MEM1 not allow change!"}}},
        {"own private text too long", Op::SetStr, "KOR_P_S_MEM2", s129, "true", false, {kTooLong}},
        {"private 9 does not exist", Op::StrGet, "KOR_P_S_MEM9", "", "", false, {kNoPrivate}},
        {"private 0 does not exist", Op::Get, "KOR_P_S_MEM0", "", "", false, {kNoPrivate}},
        {"public 0", Op::Get, "KOR_G_S_MEM0", "", "", false, {kNoGlobal}},
        {"public 65", Op::StrGet, "KOR_G_S_MEM65", "", "", false, {kNoGlobal}},
        {"public without number", Op::StrGet, "KOR_G_S_MEM", "", "", false, {kNoGlobal}},
        {"public with letters", Op::StrGet, "KOR_G_S_MEMORY", "", "", false, {kNoGlobal}},
        {"only characters 12 and 13 count", Op::StrGet, "KOR_G_S_MEM100", "", "ten", true, {}},
        {"public read, numeric: found stays false", Op::Get, "kor_g_s_mem10", "", "ten", false, {}},
        {"public write out of range", Op::SetStr, "KOR_G_S_MEM65", "x", "true", false, {kNoGlobalAssign}},
        {"numeric public write out of range", Op::SetF, "KOR_G_S_MEM0", "1", "true", false, {kNoGlobalAssign}},
        {"length is checked before range", Op::SetStr, "KOR_G_S_MEM65", s129, "true", false, {kTooLong}},
        {"129 characters are refused", Op::SetStr, "KOR_G_S_MEM3", s129, "true", false, {kTooLong}},
        {"128 characters are stored", Op::SetStr, "KOR_G_S_MEM3", s128, "true", false, {}},
        {"and read back whole", Op::StrGet, "KOR_G_S_MEM3", "", s128, true, {}},
        {"a number becomes its text", Op::SetF, "KOR_G_S_MEM4", "0.25", "true", false, {}},
        {"read back", Op::StrGet, "KOR_G_S_MEM4", "", "0.25", true, {}},
        {"same name in the numeric table is untouched", Op::Get, "G_S_MEM4", "", "", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool found = false;
        EXPECT_EQ(RunCase(session, c, found), c.result);
        if (c.op == Op::Get || c.op == Op::StrGet) {
            EXPECT_EQ(found, c.found);
        }
        EXPECT_EQ(TakeBoxes(), c.boxes);
    }
    EXPECT_EQ(Private(2), "mine");
    EXPECT_EQ(Private(1), "one's text");
    EXPECT_EQ(Public(3), s128);
    // Nothing else of the block changed: no write went astray.
    Share_Memory rest;
    std::memcpy(&rest, &Block(), sizeof rest);
    for (int n : {1, 2}) std::memset(KorSlot(rest, n).Share_Mem_private_data, 0, 256);
    for (int n : {3, 4, 10}) std::memset(PublicData(rest, n).Share_Mem_Public_data, 0, 256);
    const Share_Memory zero{};
    EXPECT_EQ(std::memcmp(&rest, &zero, sizeof rest), 0);
    for (int i = 0; i < kVariableSlots; ++i) {
        EXPECT_TRUE(session.INI_Parameter()[i].Name.empty());
        EXPECT_TRUE(session.INI_Str_Variable()[i].Name.empty());
    }
}

TEST_F(VariablesReservedName, OneThirdIsStoredAsItsFifteenDigitText) {
    session.Assign_variable_Single("KOR_G_S_MEM3", "0.333333333333333333", false);
    EXPECT_EQ(Public(3), "0.333333333333333");
}

TEST_F(VariablesReservedName, WriteCopiesTextAndOneZeroAndLeavesTheRest) {
    char* field = PublicData(Block(), 5).Share_Mem_Public_data;
    std::memset(field, 'x', 256);
    Varable_set_str(session, "KOR_G_S_MEM5", "abc");
    EXPECT_EQ(std::string(field, 5), std::string("abc\0x", 5));
    EXPECT_EQ(field[255], 'x');
}

TEST_F(VariablesReservedName, TwoCopiesShareTheBlockButOwnOnlyTheirPrivateText) {
    RecordingHost host1;
    VariableSession first(host1, block, 1);
    EXPECT_TRUE(Varable_set_str(first, "KOR_P_S_MEM", "from 1"));
    EXPECT_TRUE(Varable_set_str(first, "KOR_G_S_MEM1", "public from 1"));
    EXPECT_TRUE(Varable_set_str(session, "KOR_P_S_MEM", "from 2"));

    bool found = false;
    EXPECT_EQ(STR_Varable_Get(session, "KOR_P_S_MEM1", found), "from 1");
    EXPECT_EQ(STR_Varable_Get(session, "KOR_G_S_MEM1", found), "public from 1");
    EXPECT_EQ(STR_Varable_Get(first, "KOR_P_S_MEM2", found), "from 2");
    EXPECT_FALSE(Varable_set_str(first, "KOR_P_S_MEM2", "overwrite"));
    EXPECT_EQ(Private(2), "from 2");
}

TEST_F(VariablesReservedName, ACopyWithoutAValidNumberCannotWritePrivateText) {
    session.set_instance_no(9);  // the refused ninth copy
    EXPECT_FALSE(Varable_set_str(session, "KOR_P_S_MEM", "x"));
    EXPECT_FALSE(Varable_set_f(session, "kor_p_s_mem9", 1));
    const Box range{MsgIcon::Error, "Private_data KOR_P_S_MEM9 range error!"};
    EXPECT_EQ(TakeBoxes(), (std::vector<Box>{range, range}));
}

// Without a block every reserved name reports the missing memory and touches
// nothing; table variables work as usual.
TEST(VariablesNoSharedBlock, ReservedNamesReportTheMissingMemory) {
    CLocaleScope locale;
    RecordingHost host;
    VariableSession s(host, nullptr, 2);
    ASSERT_EQ(s.MapFilePointer(), nullptr);
    const Case cases[] = {
        {"public read", Op::StrGet, "KOR_G_S_MEM1", "", "", false, {kNoGlobal}},
        {"public numeric read", Op::Get, "KOR_G_S_MEM1", "", "", false, {kNoGlobal}},
        {"private read", Op::StrGet, "KOR_P_S_MEM1", "", "", false, {kNoPrivate}},
        {"public write", Op::SetStr, "KOR_G_S_MEM1", "x", "true", false, {kNoGlobalAssign}},
        {"public numeric write", Op::SetF, "KOR_G_S_MEM1", "1", "true", false, {kNoGlobalAssign}},
        {"own private write", Op::SetStr, "KOR_P_S_MEM", "x", "false", false, {kNoPrivate}},
        {"foreign private write", Op::SetStr, "KOR_P_S_MEM1", "x", "false", false,
         {{MsgIcon::Error, "Private_data KOR_P_S_MEM1 not allow change!"}}},
        {"table write", Op::SetF, "X", "4", "true", false, {}},
        {"table read", Op::Get, "x", "", "4", true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool found = false;
        EXPECT_EQ(RunCase(s, c, found), c.result);
        if (c.op == Op::Get || c.op == Op::StrGet) {
            EXPECT_EQ(found, c.found);
        }
        std::vector<Box> boxes;
        for (const auto& m : host.messages)
            if (m.box) boxes.push_back({m.icon, m.text});
        host.messages.clear();
        EXPECT_EQ(boxes, c.boxes);
    }
    EXPECT_TRUE(Button_KOR_G_S_MEMClick(nullptr).empty());
    EXPECT_EQ(KorCount(nullptr), 0);
    EXPECT_FALSE(RegisterInstance(nullptr, 1, 123));
}

TEST(VariablesNoSharedBlock, ABlockSmallerThanTheRecordCountsAsNone) {
    NullHost host;
    VariableSession s(host, std::make_shared<platform::HeapSharedBlock>(100), 1);
    EXPECT_EQ(s.MapFilePointer(), nullptr);
}

}  // namespace
}  // namespace orvane::test
