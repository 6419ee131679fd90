// The numeric and string tables: names, slots, limits, reset, and the
// evaluator's assignments.
#include <gtest/gtest.h>

#include "engine/evaluator.h"
#include "tests/variables/store_fixture.h"

namespace orvane::test {
namespace {

using VariablesTable = StoreTest;

TEST_F(VariablesTable, NamesAreTrimmedUpperCasedAndTablesAreIndependent) {
    EXPECT_TRUE(Varable_set_f(session, "  rate\t", 5));
    EXPECT_TRUE(Varable_set_str(session, "Rate", "five"));
    EXPECT_TRUE(Varable_set_f(session, "RATE", 1.0L / 3));  // overwrites, no new slot

    EXPECT_EQ(session.INI_Parameter()[0].Name, "RATE");
    EXPECT_TRUE(session.INI_Parameter()[1].Name.empty());
    EXPECT_EQ(session.INI_Str_Variable()[0].Name, "RATE");

    for (const char* spelling : {"RATE", "rate", " Rate "}) {
        bool found = false;
        EXPECT_EQ(Varable_Get(session, spelling, found), "0.333333333333333") << spelling;
        EXPECT_TRUE(found);
        EXPECT_EQ(STR_Varable_Get(session, spelling, found), "five") << spelling;
        EXPECT_TRUE(found);
    }
    bool found = true;
    EXPECT_EQ(Varable_Get(session, "RATES", found), "");
    EXPECT_FALSE(found);
    found = true;
    EXPECT_EQ(STR_Varable_Get(session, "", found), "");
    EXPECT_FALSE(found);
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(VariablesTable, LongNameIsOneVariableUnderItsFirst64Characters) {
    const std::string prefix(64, 'L');
    const std::string longName = prefix + "_AND_MORE";
    Varable_set_f(session, longName, 1);
    Varable_set_f(session, longName, 2);
    Varable_set_str(session, longName, "a");
    Varable_set_str(session, longName, "b");

    EXPECT_EQ(session.INI_Parameter()[0].Name, prefix);
    EXPECT_TRUE(session.INI_Parameter()[1].Name.empty()) << "a repeated long name took a second slot";
    EXPECT_TRUE(session.INI_Str_Variable()[1].Name.empty());
    for (const std::string& n : {longName, prefix}) {
        bool found = false;
        EXPECT_EQ(Varable_Get(session, n, found), "2");
        EXPECT_TRUE(found);
        EXPECT_EQ(STR_Varable_Get(session, n, found), "b");
        EXPECT_TRUE(found);
    }
}

TEST_F(VariablesTable, The257thNameIsRefusedWithAWarningAndKnownNamesStillUpdate) {
    for (int i = 0; i < kVariableSlots; ++i) {
        Varable_set_f(session, "N" + std::to_string(i), i);
        Varable_set_str(session, "S" + std::to_string(i), "v");
    }
    EXPECT_TRUE(TakeBoxes().empty());

    EXPECT_TRUE(Varable_set_f(session, "ONE_TOO_MANY", 1));
    EXPECT_TRUE(Varable_set_str(session, "ONE_TOO_MANY", "x"));
    EXPECT_EQ(TakeBoxes(), (std::vector<Box>{{MsgIcon::Warning, "Too many variable"},
                                             {MsgIcon::Warning, "Too many string variable"}}));
    bool found = true;
    Varable_Get(session, "ONE_TOO_MANY", found);
    EXPECT_FALSE(found);
    STR_Varable_Get(session, "ONE_TOO_MANY", found);
    EXPECT_FALSE(found);

    Varable_set_f(session, "N255", -7);
    Varable_set_str(session, "S255", "last");
    EXPECT_EQ(Varable_Get(session, "n255", found), "-7");
    EXPECT_EQ(STR_Varable_Get(session, "s255", found), "last");
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(VariablesTable, AssignVariableSingleReadsNumbersAndKeepsTexts) {
    struct Case {
        const char* answer;
        bool isString;
        const char* numeric;  // Varable_Get afterwards, nullptr = not stored
        const char* text;     // STR_Varable_Get afterwards, nullptr = not stored
        const char* box;      // error box, nullptr = none
    };
    const Case cases[] = {
        {"12.5", false, "12.5", nullptr, nullptr},
        {" -3 ", false, "-3", nullptr, nullptr},
        {"abc", false, nullptr, nullptr, "Str to Float fail"},
        {"", false, nullptr, nullptr, "Str to Float fail"},
        // Beyond the double range of a variable: refused, not kept as INF.
        {"1.1E4932", false, nullptr, nullptr, "Str to Float fail"},
        {"12.5", true, nullptr, "12.5", nullptr},
        {"", true, nullptr, "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.answer) + (c.isString ? " as text" : " as number"));
        session.SystemReset();
        session.Assign_variable_Single("v", c.answer, c.isString);
        bool found = false;
        const std::string num = Varable_Get(session, "V", found);
        EXPECT_EQ(found, c.numeric != nullptr);
        if (c.numeric) {
            EXPECT_EQ(num, c.numeric);
        }
        const std::string text = STR_Varable_Get(session, "V", found);
        EXPECT_EQ(found, c.text != nullptr);
        if (c.text) {
            EXPECT_EQ(text, c.text);
        }
        std::vector<Box> expected;
        if (c.box) expected.push_back({MsgIcon::Error, c.box});
        EXPECT_EQ(TakeBoxes(), expected);
    }
}

TEST_F(VariablesTable, EvaluatorAssignmentsLandInTheStore) {
    std::string answer;
    ASSERT_TRUE(expression_Proc(session, "A=100", answer));
    ASSERT_TRUE(expression_Proc(session, "greeting:STR=hello", answer));
    ASSERT_TRUE(expression_Proc(session, "kor_g_s_mem7=1/3", answer));
    bool found = false;
    EXPECT_EQ(Varable_Get(session, "a", found), "100");
    EXPECT_TRUE(found);
    EXPECT_EQ(STR_Varable_Get(session, "GREETING", found), "hello");
    EXPECT_TRUE(found);
    EXPECT_EQ(STR_Varable_Get(session, "KOR_G_S_MEM7", found), "0.333333333333333");
}

TEST_F(VariablesTable, SystemResetEmptiesBothTablesButNotTheBlock) {
    Varable_set_f(session, "X", 1);
    Varable_set_str(session, "Y", "y");
    Varable_set_str(session, "KOR_G_S_MEM1", "kept");
    session.SystemReset();
    for (int i = 0; i < kVariableSlots; ++i) {
        EXPECT_TRUE(session.INI_Parameter()[i].Name.empty());
        EXPECT_EQ(session.INI_Parameter()[i].Value, 0);
        EXPECT_TRUE(session.INI_Str_Variable()[i].Name.empty());
        EXPECT_TRUE(session.INI_Str_Variable()[i].Value.empty());
    }
    bool found = false;
    EXPECT_EQ(STR_Varable_Get(session, "KOR_G_S_MEM1", found), "kept");
}

}  // namespace
}  // namespace orvane::test
