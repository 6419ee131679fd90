// Hostile templates: each finishes with output or one of the program's own
// errors, without crashing or running away.
#include <gtest/gtest.h>

#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/number_text.h"
#include "smartformat/smart_format.h"
#include "tests/support/recording_host.h"
#include "tests/support/text_summary.h"

namespace orvane::test {
namespace {

class OneField : public FieldTableAccess {
public:
    const std::string* FindFieldValue(std::string_view upper) const override {
        return upper == "F" ? &value : nullptr;
    }
    std::string value = "1B 24 43 02 99 05";
};

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

// Each comes back with its output (a Summary of it, "failed: " first when
// the success flag was cleared) or one of the program's own errors; what
// each costs is measured in bench/bad_input_bench.cpp.
TEST(TemplateBadInput, HugeAndRepetitiveTemplatesAreAnsweredOrRejected) {
    CLocaleScope locale;
    Env e;
    const struct {
        const char* name;
        std::string text;
        const char* outcome;
    } rows[] = {
        // Unbalanced groups and quotes.
        {"open brackets", Repeat("[", 100000), "failed: "},
        {"close brackets", Repeat("]", 100000), "]]]]]]]]]]]]...(100000)"},
        {"nested braces", Repeat("{", 50000) + Repeat("}", 50000), "raised(ELimitExceeded)"},
        {"empty brace pairs", Repeat("{}", 50000), ""},
        {"double quotes", "[" + Repeat("\"", 99999) + "]", "failed: \"\"\"\"\"\"\"\"\"\"\"\"...(99997)"},
        {"single quotes", "[" + Repeat("'", 99999) + "]", "failed: "},
        // Selectors and function texts that never close.
        {"open selectors", "['F':S(" + Repeat("[1", 30000) + ")]", "raised(EConvertError)"},
        {"bare brackets", "['F':S(" + Repeat("[", 30000) + ")]", "raised(EConvertError)"},
        {"function parentheses", "['F':" + Repeat("(", 30000) + "]", "failed: "},
        // Many lines and items.
        {"14000 lines", Repeat("['F']\r\n", 14000), "1B 24 43 02 ...(265998)"},
        {"25001 items", "[" + Repeat("'F'+", 25000) + "'F']", "1B 24 43 02 ...(425017)"},
        // Indexes out of every range: an error, a clamp to the first
        // character, a range error.
        {"index beyond 32 bits", "['F':S([99999999999])]", "raised(EConvertError)"},
        {"index far before the start", "['F':S([-99999999])]", "1"},
        {"widest range", "['F':S([-2147483648..2147483647])]", "failed: "},
        {"50000 bit digits", "['F':S([1:" + Repeat("9", 50000) + "])]", "000000000000...(50000)"},
        {"5000 chunk selectors", "['F':M1(" + Repeat("[1]", 5000) + ")]", "111111111111...(85000)"},
        // Widths and values past the limits.
        {"huge padding", "['F':X1016([all]):99999999]", "raised(ELimitExceeded)"},
        {"90000-digit value", "['F':V10(" + Repeat("9", 90000) + ")]", "raised(EOverflow)"},
        {"40000 character codes", "['F':C16(" + Repeat("41", 40000) + ")]", "AAAAAAAAAAAA...(40000)"},
        // NUL bytes pass through as text.
        {"NUL bytes", std::string(100000, '\0'),
         "\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00...(100000)"},
        {"NUL bytes in a literal", "[\"" + std::string(1000, '\0') + "\"]",
         "\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00...(1000)"},
        // Huge values written in large and odd bases.
        {"40 digits base 36 to base 77", "['F':X3677(" + Repeat("Z", 40) + ")]", "0"},
        {"3000 digits base 36 to base 25", "['F':X3625(" + Repeat("Z", 3000) + ")]",
         "F8C5LIECJAE5...(3340)"},
    };
    for (const auto& r : rows) {
        bool ok = true;
        const std::string out = e.Run(r.text, &ok);
        const std::string outcome =
            out.rfind("raised(", 0) == 0 ? out : (ok ? "" : "failed: ") + Summary(out);
        EXPECT_EQ(outcome, r.outcome) << r.name;
    }
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
