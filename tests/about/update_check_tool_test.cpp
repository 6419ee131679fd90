// orvane-tool update-check as a whole process (orvane-tool hands it to
// orvane-tool-qt), against a server on 127.0.0.1 that the test starts: one
// process per case, each printing the update button's text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/local_http_server.h"

namespace orvane::test {
namespace {

const std::string kTool = ORVANE_TOOL_EXE;
const std::string kVersion = ORVANE_EXPECTED_VERSION;  // the tool's own, and the window's
constexpr const char* kDocument = "/NAS_file_Share/orvane/index.json";
const std::string kNotAvailable = "Web site upgrade not available.\n";

struct ToolRun {
    int status = -1;
    std::string out, err;
};

// The tool with nothing of the test's environment but PATH and `env`.
ToolRun UpdateCheck(const std::vector<std::string>& args, std::vector<std::string> env = {}) {
    std::vector<std::string> argv{kTool, "update-check"};
    argv.insert(argv.end(), args.begin(), args.end());
    ChildOptions options;
    options.cleanEnv = true;
    options.env = std::move(env);
    options.captureStderr = true;
    ChildProcess child(argv, options);
    ToolRun run;
    run.status = child.Finish();
    run.out = child.out;
    run.err = child.err;
    return run;
}

std::string Document(const std::string& version, const std::string& website = R"("http://w/")") {
    return R"({"file_name":"orvane.zip","version":)" + version + R"(,"website":)" + website + "}";
}

TEST(UpdateCheckTool, AnswersEachDocumentAsTheButtonDoes) {
    struct Row {
        const char* name;
        std::string body;
        std::string out;  // the whole of standard output
        int status;
    } rows[] = {
        {"equal", Document("\"" + kVersion + "\""), "version up-to-date (" + kVersion + ")\n", 0},
        {"different", Document(R"("99.5.4.0")"), "Different Version:  99.5.4.0\r\navailable online\n", 0},
        {"a number member", Document("3"), "Different Version:  3\r\navailable online\n", 0},
        {"an array", "[" + Document(R"("99.5.4.0")") + "]", kNotAvailable, 1},
        {"a missing member", R"({"file_name":"orvane.zip","version":"99.5.4.0"})", kNotAvailable, 1},
        {"not JSON", "<html>It works!</html>", kNotAvailable, 1},
    };
    for (const Row& r : rows) {
        LocalHttpServer server({{kDocument, r.body}});
        ASSERT_NE(server.Port(), 0);
        const ToolRun run = UpdateCheck({"--base", server.Url("/")});
        EXPECT_EQ(run.out, r.out) << r.name << "\n" << run.err;
        EXPECT_EQ(run.status, r.status) << r.name << "\n" << run.err;
        EXPECT_EQ(server.Requests(), std::vector<std::string>{kDocument}) << r.name;
        // A failure says why on standard error.
        if (r.status == 1) {
            EXPECT_NE(run.err.find(kDocument), std::string::npos) << r.name << "\n" << run.err;
        }
    }
}

TEST(UpdateCheckTool, NoServer) {
    // A port nobody listens on: the server went away after choosing it.
    int port = 0;
    {
        LocalHttpServer gone({});
        port = gone.Port();
    }
    const ToolRun run = UpdateCheck({"--base", "http://127.0.0.1:" + std::to_string(port) + "/"});
    EXPECT_EQ(run.out, kNotAvailable);
    EXPECT_EQ(run.status, 1);
}

// A server that accepts and never answers: the check gives up after its 10 s
// time-out and says so.
TEST(UpdateCheckTool, SilentServerTimesOut) {
    LocalHttpServer server({}, LocalHttpServer::Mode::Silent);
    const ToolRun run = UpdateCheck({"--base", server.Url("/")});
    EXPECT_EQ(run.out, kNotAvailable);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("No answer within 10 s"), std::string::npos) << run.err;
}

TEST(UpdateCheckTool, BaseFromTheEnvironmentAndTheOption) {
    LocalHttpServer server({{"/env/NAS_file_Share/orvane/index.json", Document(R"("1.0.0.0")")},
                            {"/option/NAS_file_Share/orvane/index.json", Document(R"("2.0.0.0")")}});
    const std::string env = "ORVANE_UPDATE_BASE=" + server.Url("/env");  // a "/" is added
    ToolRun run = UpdateCheck({}, {env});
    EXPECT_EQ(run.out, "Different Version:  1.0.0.0\r\navailable online\n") << run.err;
    run = UpdateCheck({"--base", server.Url("/option/")}, {env});
    EXPECT_EQ(run.out, "Different Version:  2.0.0.0\r\navailable online\n") << run.err;
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{"/env/NAS_file_Share/orvane/index.json",
                                                           "/option/NAS_file_Share/orvane/index.json"}));
}

TEST(UpdateCheckTool, UsageErrors) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--bogus"}, {"--base"}, {"http://h/"}}) {
        const ToolRun run = UpdateCheck(args);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_EQ(run.out, "") << args[0];
    }
}

}  // namespace
}  // namespace orvane::test
