// The statement examples of README.md must answer what the README says.
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "engine/evaluator.h"
#include "tests/support/recording_host.h"

namespace orvane::test {
namespace {

TEST(ReadmeExamples, AnswerAsDocumented) {
    CLocaleScope locale;
    std::ifstream in(std::string(ORVANE_TEST_DATA) + "/../../README.md");
    ASSERT_TRUE(in) << "README.md not found";
    std::string line;
    bool inside = false;
    int checked = 0;
    RecordingHost host;
    Session s(host);
    const std::string arrow = "\xE2\x86\x92";  // →
    while (std::getline(in, line)) {
        if (line.find("<!-- examples:start -->") != std::string::npos) inside = true;
        if (line.find("<!-- examples:end -->") != std::string::npos) break;
        const size_t a = line.find(arrow);
        if (!inside || a == std::string::npos) continue;
        std::string statement = line.substr(0, a);
        while (!statement.empty() && statement.back() == ' ') statement.pop_back();
        const std::string expected = line.substr(a + arrow.size() + 1);
        std::string answer;
        EXPECT_TRUE(expression_Proc(s, statement, answer)) << statement;
        EXPECT_EQ(answer, expected) << statement;
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

}  // namespace
}  // namespace orvane::test
