// "&F:" fields of the last answer text.
#include <gtest/gtest.h>

#include "tests/variables/store_fixture.h"

namespace orvane::test {
namespace {

using VariablesFieldList = StoreTest;

TEST_F(VariablesFieldList, FieldsAreNumberedFromOneAndTrimmed) {
    struct Case {
        const char* list;
        const char* index;
        const char* result;  // nullptr: the warning box, result ""
    };
    const Case cases[] = {
        {"a;b;c;", "1", "a"},
        {"a;b;c;", "3", "c"},
        {"a;b;c;", "4", nullptr},  // after the last separator: empty
        {"a;b;c;", "5", nullptr},
        {"a;b;c", "3", "c"},  // the last field runs to the end
        {"a;b;c", "4", nullptr},
        {"  x  ; y ;", "1", "x"},
        {"  x  ; y ;", " 2", "y"},
        {"a;;c", "2", nullptr},
        {"a;b", "0", nullptr},
        {"a;b", "-5", nullptr},
        {"a;b", "$2", "b"},  // StrToIntDef reads hexadecimal too
        {"", "1", nullptr},
        {"only", "1", "only"},
        {"a;b;c;", "2147483647", nullptr},  // ends at the last separator, not after 2^31 steps
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("list '") + c.list + "' index '" + c.index + "'");
        session.Tmp_answer_all = c.list;
        bool found = !c.result;
        const std::string got = Get_Field_Contants(session, c.index, found);
        EXPECT_EQ(found, c.result != nullptr);
        EXPECT_EQ(got, c.result ? c.result : "");
        std::vector<Box> expected;
        if (!c.result)
            expected.push_back({MsgIcon::Warning, std::string("Get_Field_Contants Fail ( ['&&F:xx']  fail ) ,pos ") +
                                                      c.index + " of " + c.list + " not exist"});
        EXPECT_EQ(TakeBoxes(), expected);
    }
}

TEST_F(VariablesFieldList, AnIndexThatIsNoNumberGivesNothingSilently) {
    session.Tmp_answer_all = "a;b;c;";
    for (const char* index : {"x", "", "-1", "1.5"}) {
        bool found = true;
        EXPECT_EQ(Get_Field_Contants(session, index, found), "") << index;
        EXPECT_FALSE(found);
    }
    EXPECT_TRUE(TakeBoxes().empty());
}

}  // namespace
}  // namespace orvane::test
