// Statement -> answer (or raised error) pairs from statements.golden, evaluated
// in one session per file so that the lines may build on each other.
#include <gtest/gtest.h>

#include "engine/errors.h"
#include "engine/evaluator.h"
#include "tests/support/golden_file.h"
#include "tests/support/recording_host.h"

namespace orvane::test {
namespace {

// Formats one outcome as a golden line: the answer, or "raised(Kind): message",
// followed by " ;; status=N" when the message panel was written N times.
std::string Outcome(Session& s, RecordingHost& host, const std::string& input) {
    host.messages.clear();
    std::string out;
    try {
        std::string answer;
        const bool ok = expression_Proc(s, input, answer);
        out = ok ? answer : "false";
    } catch (const EOrvane& e) {
        out = "raised(" + e.kind() + "): " + e.what();
    }
    const int n = host.StatusCount("Variable convert error ");
    if (n) out += " ;; status=" + std::to_string(n);
    return out;
}

TEST(StatementGolden, EveryLineMatches) {
    CLocaleScope locale;
    const auto cases = ReadGoldenFile(std::string(ORVANE_TEST_DATA) + "/statements.golden");
    ASSERT_GT(cases.size(), 100u);
    RecordingHost host;
    Session session(host);
    for (const GoldenCase& c : cases) {
        EXPECT_EQ(Outcome(session, host, c.input), c.expected)
            << "statements.golden line " << c.line << ": " << c.input;
    }
}

// Inputs whose blanks matter do not fit the golden file.
TEST(StatementGolden, SurroundingBlanks) {
    CLocaleScope locale;
    RecordingHost host;
    Session session(host);
    EXPECT_EQ(Outcome(session, host, " 42 "), "42");
    EXPECT_EQ(Outcome(session, host, "  2 +  3 "), "5");
    EXPECT_EQ(Outcome(session, host, "\t7\t*\t6"), "42");
    EXPECT_EQ(Outcome(session, host, ""), " ;; status=1");
}

TEST(StatementGolden, ExecuteKeepsTheLastAnswer) {
    CLocaleScope locale;
    RecordingHost host;
    Session session(host);
    std::string answer;
    EXPECT_TRUE(Expression_execute(session, "6*7", answer));
    EXPECT_EQ(session.Tmp_answer_1, "42");
    EXPECT_THROW(Expression_execute(session, "1/0", answer), EZeroDivide);
    EXPECT_EQ(session.Tmp_answer_1, "42");
}

// The hooks of the later subsystems receive what the statement forms promise.
TEST(StatementGolden, AssignmentHooks) {
    struct Spy : Session {
        using Session::Session;
        bool curly_brackets_Process(std::string& text) override {
            curly.push_back(text);
            return text != "bad";
        }
        std::string String_Proc(const std::string& text, bool, bool&) override {
            return text == "[1]" ? "7" : "<" + text + ">";
        }
        void Assign_variable_Single(const std::string& n, const std::string& a, bool str) override {
            assigned.push_back(n + "|" + a + "|" + (str ? "s" : "n"));
        }
        std::vector<std::string> curly, assigned;
    };
    CLocaleScope locale;
    RecordingHost host;
    Spy s(host);
    std::string answer = "untouched";
    EXPECT_TRUE(expression_Proc(s, "x=2+3", answer));
    EXPECT_EQ(answer, "5");
    EXPECT_TRUE(expression_Proc(s, "name:str=abc", answer));
    EXPECT_EQ(answer, "<abc>");
    EXPECT_TRUE(expression_Proc(s, "a=2==2", answer));
    EXPECT_EQ(answer, "1");
    EXPECT_TRUE(expression_Proc(s, "x>=5", answer));  // a comparison, no assignment
    EXPECT_EQ(s.assigned, (std::vector<std::string>{"x|5|n", "name|<abc>|s", "a|1|n"}));
    answer = "untouched";
    EXPECT_FALSE(expression_Proc(s, "bad=1", answer));
    EXPECT_FALSE(expression_Proc(s, "bad:STR=1", answer));
    EXPECT_EQ(answer, "untouched");
    EXPECT_EQ(s.assigned.size(), 3u);
    // Bracket groups go to the template processor, and POS's first two arguments too.
    EXPECT_TRUE(expression_Proc(s, "[1]+1", answer));
    EXPECT_EQ(answer, "8");
    EXPECT_TRUE(expression_Proc(s, "POS(b,abc)", answer));
    EXPECT_EQ(answer, "0");  // "<b>" is not inside "<abc>"
}

}  // namespace
}  // namespace orvane::test
