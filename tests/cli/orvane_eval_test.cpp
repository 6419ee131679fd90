// orvane-eval as a whole process: output forms, exit status, usage errors,
// answering inside a pipe, and two processes sharing a public text.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli_process.h"

extern char** environ;

namespace orvane::test {
namespace {

// A child orvane-eval with pipes on its standard input, output and error.
class Eval : public test::CliProcess {
public:
    explicit Eval(std::vector<std::string> args, std::vector<std::string> env = {})
        : CliProcess(ORVANE_EVAL_EXE, std::move(args), std::move(env)) {}
};

TEST(OrvaneEval, PlainOutputAndExitStatus) {
    Eval e({"--no-shared", "2+3*4", "abc+1", "1/0", "x=6*7"});
    EXPECT_EQ(e.Finish(), 1);
    EXPECT_EQ(e.out, "14\n1.1E4932\n\n42\n");
    EXPECT_EQ(e.err,
              "status[3]: Variable convert error \n"
              "raised(EZeroDivide): Floating point division by zero\n");

    Eval ok({"--no-shared", "--", "-2+3"});
    EXPECT_EQ(ok.Finish(), 0);
    EXPECT_EQ(ok.out, "1\n");
}

TEST(OrvaneEval, JsonObjects) {
    Eval e({"--no-shared", "--json", "abc+1", "1/0"});
    EXPECT_EQ(e.Finish(), 1);
    std::vector<nlohmann::json> lines;
    size_t start = 0;
    for (size_t nl; (nl = e.out.find('\n', start)) != std::string::npos; start = nl + 1)
        lines.push_back(nlohmann::json::parse(e.out.substr(start, nl - start)));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]["input"], "abc+1");
    EXPECT_EQ(lines[0]["answer"], "1.1E4932");
    EXPECT_EQ(lines[0]["ok"], true);
    EXPECT_TRUE(lines[0]["raised"].is_null());
    EXPECT_EQ(lines[0]["messages"],
              nlohmann::json::parse(R"([{"to":"status","panel":3,"text":"Variable convert error "}])"));
    EXPECT_TRUE(lines[1]["answer"].is_null());
    EXPECT_EQ(lines[1]["ok"], false);
    EXPECT_EQ(lines[1]["raised"]["kind"], "EZeroDivide");
    EXPECT_EQ(lines[1]["raised"]["message"], "Floating point division by zero");
    EXPECT_TRUE(e.err.empty());
    // Keys come in the documented order.
    EXPECT_EQ(e.out.rfind("{\"input\":\"abc+1\",\"answer\":", 0), 0u);
}

TEST(OrvaneEval, UsageErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {"--bogus"}, {"--now"}, {"--now", "2026-13-01T00:00:00"}, {"--instance", "9"},
        {"--instance", "0"}, {"--instance"},
    };
    for (const auto& args : bad) {
        Eval e(args);
        EXPECT_EQ(e.Finish(), 2) << args[0];
        EXPECT_TRUE(e.out.empty()) << args[0];
        EXPECT_EQ(std::count(e.err.begin(), e.err.end(), '\n'), 1) << e.err;
    }
    Eval help({"--help"});
    EXPECT_EQ(help.Finish(), 0);
    EXPECT_NE(help.out.find("Usage: orvane-eval"), std::string::npos);
}

TEST(OrvaneEval, FixedClock) {
    Eval e({"--no-shared", "--now", "2026-12-09T12:34:56.789", "NOW()", "DATETIME(2026/12/09 12:00:00)"});
    EXPECT_EQ(e.Finish(), 0);
    EXPECT_EQ(e.out, "1796819696\n1796817600\n");
}

// Each answer comes out before the tool waits for the next line, so a
// program can talk to it line by line through a pipe.
TEST(OrvaneEval, AnswersInsideAPipe) {
    Eval e({"--no-shared"});
    e.Write("6*7\r\n");
    EXPECT_EQ(e.ReadLine(), "42");
    e.Write("a=2\n");
    EXPECT_EQ(e.ReadLine(), "2");
    e.Write("['&VAR:A']*10\n");
    EXPECT_EQ(e.ReadLine(), "20");
    EXPECT_EQ(e.Finish(), 0);
}

// One process publishes a text in the shared block and keeps running; a
// second process reads it; instance numbers address the private texts.
TEST(OrvaneEval, TwoProcessesShareTexts) {
    Eval writer({"--instance", "3"});
    writer.Write("KOR_G_S_MEM5:STR=shared hello\n");
    EXPECT_EQ(writer.ReadLine(), "shared hello");
    writer.Write("KOR_P_S_MEM:STR=mine\n");
    EXPECT_EQ(writer.ReadLine(), "mine");

    Eval reader({"--instance", "4", "['&STR_VAR:KOR_G_S_MEM5']", "['&STR_VAR:KOR_P_S_MEM3']",
                 "['&KOR_NUMBER']", "KOR_P_S_MEM3:STR=not yours"});
    reader.Finish();
    EXPECT_EQ(reader.out.substr(0, reader.out.find('\n')), "shared hello");
    EXPECT_NE(reader.out.find("\nmine\n4\n"), std::string::npos) << reader.out;
    EXPECT_EQ(writer.Finish(), 0);

    // Without the block the reserved names report the missing memory.
    Eval alone({"--no-shared", "--json", "['&STR_VAR:KOR_G_S_MEM5']"});
    alone.Finish();
    EXPECT_NE(alone.out.find("No such global memory in system!"), std::string::npos) << alone.out;
}

TEST(OrvaneEval, TemplatesAndFields) {
    char dir[] = "/tmp/orvane-cli-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string capture = std::string(dir) + "/capture.txt";
    const std::string ini = std::string(dir) + "/table.ini";
    {
        FILE* f = fopen(capture.c_str(), "w");
        fputs("01 02 03\r\n", f);
        fclose(f);
        f = fopen(ini.c_str(), "w");
        fputs("[Table]\n1-0=Speed\n1-1=00 64\n", f);
        fclose(f);
    }
    Eval e({"--no-shared", "-t", "--field", "Cap=@" + capture, "--field", "field_b=AA",
            "['Field_A':S([1][2]) + \"|\" + 'Field_B']", "['Cap':LRC([all])]", "['x']\r\nplain",
            "['Nope']"});
    EXPECT_EQ(e.Finish(), 0);
    EXPECT_EQ(e.out, "1B|AA\nFA\n\nplain\n\n");
    EXPECT_EQ(e.err, "status[3]: Can't find Field Name: x\nstatus[3]: Can't find Field Name: Nope\n");

    // A table file replaces the defaults; statements use fields through brace groups.
    // The defaults only fill cells the file left empty.
    Eval t({"--no-shared", "--ini", ini, "{['Speed':V16([1][2][4][5])]}*2", "['Field_B']"});
    EXPECT_EQ(t.Finish(), 0);
    EXPECT_EQ(t.out, "200\n11 22 33 44 55 66\n");

    Eval json({"--no-shared", "--json", "-t", "['Field_A'] tail"});
    json.Finish();
    const auto j = nlohmann::json::parse(json.out);
    EXPECT_EQ(j["answer"], "");
    EXPECT_EQ(j["ok"], false);
    EXPECT_EQ(j["messages"][0]["to"], "box");
    EXPECT_EQ(j["messages"][0]["icon"], "error");
    EXPECT_EQ(j["messages"][0]["text"], "Format error: not end with \"]\"");

    Eval missing({"--field", "F=@" + std::string(dir) + "/none"});
    EXPECT_EQ(missing.Finish(), 2);
    std::remove(capture.c_str());
    std::remove(ini.c_str());
    rmdir(dir);
}

}  // namespace
}  // namespace orvane::test
