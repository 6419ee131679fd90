// Hostile templates: each finishes with output or one of the program's own
// errors, without crashing or running away.
#include <gtest/gtest.h>

#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/number_text.h"
#include "recording_host.h"
#include "smartformat/smart_format.h"

namespace orvane::test {
namespace {

class OneField : public FieldTableAccess {
public:
    const std::string* FindFieldValue(std::string_view upper) const override {
        return upper == "F" ? &value : nullptr;
    }
    std::string value = "1B 24 43 02 99 05";
};

std::string Repeat(const std::string& s, size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) out += s;
    return out;
}

struct Env {
    RecordingHost host;
    OneField field;
    SmartSession s{host};
    Env() { s.SetFieldTable(&field); }
    // Output, or "raised(<kind>)".
    std::string Run(const std::string& text, bool* okOut = nullptr) {
        try {
            bool ok = true;
            std::string out = String_Proc(s, text, true, ok);
            if (okOut) *okOut = ok;
            EXPECT_EQ(s.Depth(), 0);
            return out;
        } catch (const EOrvane& e) {
            EXPECT_EQ(s.Depth(), 0);
            return "raised(" + e.kind() + ")";
        }
    }
};

TEST(TemplateBadInput, HugeAndRepetitiveTemplatesFinish) {
    CLocaleScope locale;
    Env e;
    const std::string inputs[] = {
        Repeat("[", 100000), Repeat("]", 100000), Repeat("{", 50000) + Repeat("}", 50000),
        Repeat("{}", 50000), "[" + Repeat("\"", 99999) + "]", "[" + Repeat("'", 99999) + "]",
        "['F':S(" + Repeat("[1", 30000) + ")]", "['F':S(" + Repeat("[", 30000) + ")]",
        "['F':" + Repeat("(", 30000) + "]", Repeat("['F']\r\n", 14000),
        "[" + Repeat("'F'+", 25000) + "'F']", "['F':S([99999999999])]", "['F':S([-99999999])]",
        "['F':S([-2147483648..2147483647])]", "['F':S([1:" + Repeat("9", 50000) + "])]",
        "['F':M1(" + Repeat("[1]", 5000) + ")]", "['F':X1016([all]):99999999]",
        "['F':V10(" + Repeat("9", 90000) + ")]", "['F':C16(" + Repeat("41", 40000) + ")]",
        std::string(100000, '\0'), "[\"" + std::string(1000, '\0') + "\"]",
        // Huge values written in large and odd bases.
        "['F':X3677(" + Repeat("Z", 40) + ")]", "['F':X3625(" + Repeat("Z", 3000) + ")]",
    };
    for (const std::string& in : inputs) e.Run(in);
}

TEST(TemplateBadInput, ThirtyThousandSelectors) {
    CLocaleScope locale;
    Env e;
    bool ok = false;
    EXPECT_EQ(e.Run("['F':S(" + Repeat("[1]", 30000) + ")]", &ok), std::string(30000, '1'));
    EXPECT_TRUE(ok);
    std::string statement;
    expression_Proc(e.s, "n=2", statement);
    EXPECT_EQ(e.Run("['F':S(" + Repeat("['&VAR:N']", 20000) + ")]"), std::string(20000, 'B'));
}

TEST(TemplateBadInput, SelfReferencesEnd) {
    CLocaleScope locale;
    Env e;
    std::string answer;
    // A function text and a selector that name themselves are read once, not
    // followed again.
    expression_Proc(e.s, "fmt:STR=[\"'&STR_VAR:FMT'\"]", answer);
    EXPECT_EQ(answer, "'&STR_VAR:FMT'");
    bool ok = true;
    EXPECT_EQ(e.Run("['F':'&STR_VAR:FMT']", &ok), "");
    EXPECT_FALSE(ok);
    expression_Proc(e.s, "sel:STR=[\"'&STR_VAR:SEL'\"]", answer);
    EXPECT_EQ(e.Run("['F':S(['&STR_VAR:SEL'])]"), "raised(EConvertError)");
    // A brace group whose value is the same brace group again is cut off.
    e.field.value = "{['F']}";
    EXPECT_EQ(e.Run("{['F']}"), "raised(ELimitExceeded)");
    // Statements nested past the limit through brace groups.
    std::string deep = "1";
    for (int i = 0; i < 300; ++i) deep = "(" + deep + ")";
    EXPECT_THROW(expression_Proc(e.s, "{" + deep + "}", answer), ELimitExceeded);
}

TEST(TemplateBadInput, FieldValuesWithAnyBytes) {
    CLocaleScope locale;
    Env e;
    e.field.value = std::string("A\0B\xFF\r\n[x]'\"{", 12);
    bool ok = false;
    EXPECT_EQ(e.Run("['F']", &ok), e.field.value);
    EXPECT_TRUE(ok);
    EXPECT_EQ(e.Run("['F':LEN([all])]"), "12");
    EXPECT_EQ(e.Run("['F':A16 ([1..3])]"), "41 00 42 ");
    EXPECT_EQ(e.Run("['F':S([2])]"), std::string(1, '\0'));
}

}  // namespace
}  // namespace orvane::test
