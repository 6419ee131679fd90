// orvane-tool fetch as a whole process: the real web engine, offscreen, with
// pages from a local server that the test starts and stops. Each run starts
// the engine, so the runs are few and each checks much.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/ini_file.h"
#include "tests/support/child_process.h"
#include "tests/support/local_http_server.h"
#include "tests/support/temp_dir.h"

namespace orvane::test {
namespace {

struct ToolRun {
    int status = -1;  // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
    std::vector<std::string> OutLines() const { return Lines(out); }
    std::vector<std::string> ErrLines() const { return Lines(err); }

    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
};

struct ToolEnv {
    std::vector<std::string> vars;  // "NAME=value"
    std::string user;               // run as this user when not empty (needs root)
    std::string cwd;                // working folder when not empty
};

// Runs a program with nothing of the test's environment but PATH and `vars`,
// optionally as another user through setpriv.
ToolRun RunProcess(const std::vector<std::string>& args, const ToolEnv& env) {
    std::vector<std::string> argv;
    if (!env.user.empty())
        argv = {"/usr/bin/setpriv", "--reuid=" + env.user, "--regid=nogroup", "--clear-groups", "--"};
    argv.insert(argv.end(), args.begin(), args.end());
    ChildOptions options;
    options.env = env.vars;
    options.cleanEnv = true;
    options.cwd = env.cwd;
    options.captureStderr = true;
    ChildProcess child(argv, options);
    ToolRun run;
    run.status = child.Finish();
    run.out = std::move(child.out);
    run.err = std::move(child.err);
    return run;
}

const std::string kTool = ORVANE_TOOL_EXE;

std::string Page(const std::string& body) {
    return "<html><head><meta charset=\"utf-8\"></head><body>" + body + "</body></html>";
}

// The fixture pages: two rates, and a page whose markup the page's encoder
// refuses (a lone surrogate), so its capture gives "null".
std::map<std::string, std::string> RatePages() {
    return {
        {"/usd.html", Page("<p>1 USD = <span class=\"r\">31.5</span> 台幣</p>")},
        {"/jpy.html", Page("<p>1 JPY = <b>0.21</b> 台幣; sum=1+1;</p>")},
        {"/unencodable.html",
         Page(
             "<p>1 EUR = <b>34.2</b></p><script>document.body.append(String.fromCharCode(0xD800))</script>")},
    };
}

std::string Section(int n, const std::string& web, const std::string& rest) {
    return "[Web Data " + std::to_string(n) + "]\nweb=" + web + "\n" + rest;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

class FetchTool : public testing::Test {
protected:
    // Nothing but a home folder: no display, no platform plugin, no sandbox
    // switch (the tool must find its way alone).
    ToolEnv Env() const {
        return {{"HOME=" + dir.File("home"), "XDG_CONFIG_HOME=" + dir.File("config")}, "", dir.path()};
    }
    std::string Ini(const std::string& section, const std::string& key) const {
        return platform::IniFile(dir.File("orvane.ini")).ReadString(section, key, "<missing>");
    }

    TempDir dir;
};

TEST_F(FetchTool, SectionsOneToThreeEndAtTheFirstWithoutAddress) {
    LocalHttpServer server(RatePages());
    ASSERT_NE(server.Port(), 0);
    WriteBytes(dir.File("defs.inf"),
               Section(1, server.Url("/usd.html"),
                       "title 1=USD\nkeyword=1 USD =\nkeyword_length=60\n"
                       // The capture drops the markup's lone quotes.
                       "keyword_start 1=class=r>\nKeyword_end 1=</span>\nDescription 1=Currency rate\n") +
                   Section(2, server.Url("/jpy.html"),
                           "title 1=JPY\nkeyword=1 JPY =\nkeyword_start 1=<b>\nkeyword_end 1=</b>\n"
                           "title 2=Sum\nkeyword_start 2=sum=\nkeyword_end 2=;\n") +
                   // Its capture is "null": the items come from the page before.
                   Section(3, server.Url("/unencodable.html"),
                           "title 1=Stale\nkeyword=1 JPY =\nkeyword_start 1=<b>\nkeyword_end 1=</b>\n") +
                   "[Web Data 5]\nweb=" + server.Url("/never") + "\n");
    // The window's settings: USD heads a column already, other sections stay.
    WriteBytes(dir.File("orvane.ini"),
               "[Styles]\nStyle=Fusion\n[Table]\n1-0=USD\n1-1=old\n2-0=Keep\n2-1=kept\n");

    ToolRun run = RunProcess(
        {kTool, "fetch", "--definitions", dir.File("defs.inf"), "--ini", dir.File("orvane.ini")}, Env());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.OutLines(), (std::vector<std::string>{"USD=31.5", "JPY=0.21", "Sum=1 1", "Stale=0.21"}))
        << run.err;
    std::vector<std::string> status;
    for (const std::string& l : run.ErrLines())
        if (l.rfind("status[", 0) == 0 || l.rfind("box", 0) == 0) status.push_back(l);
    EXPECT_EQ(status, (std::vector<std::string>{"status[4]: USD", "status[4]: JPY", "status[4]: Stale",
                                                "status[4]: Currency update finished"}))
        << run.err;
    auto asked = server.Requests();
    EXPECT_TRUE(Contains(asked, "/usd.html") && Contains(asked, "/jpy.html") &&
                Contains(asked, "/unencodable.html") && !Contains(asked, "/never"))
        << Joined(asked);

    // The table as the page's grid would hold it: the known title updated in
    // place, new titles in the empty columns, then two more columns.
    EXPECT_EQ(Ini("Table", "1-0"), "USD");
    EXPECT_EQ(Ini("Table", "1-1"), "31.5");
    EXPECT_EQ(Ini("Table", "1-2"), "Currency rate");
    EXPECT_EQ(Ini("Table", "2-1"), "kept");
    EXPECT_EQ(Ini("Table", "3-0"), "JPY");
    EXPECT_EQ(Ini("Table", "3-2"), "???");
    EXPECT_EQ(Ini("Table", "4-0"), "Sum");
    EXPECT_EQ(Ini("Table", "4-1"), "1 1");
    EXPECT_EQ(Ini("Table", "5-0"), "Stale");
    EXPECT_EQ(Ini("Table", "6-0"), "");
    EXPECT_EQ(Ini("Table", "7-0"), "<missing>");
    EXPECT_EQ(Ini("Styles", "Style"), "Fusion");
}

TEST_F(FetchTool, ServerThatNeverAnswersTimesOut) {
    LocalHttpServer good(RatePages());
    LocalHttpServer silent({}, LocalHttpServer::Mode::Silent);
    ASSERT_NE(good.Port(), 0);
    ASSERT_NE(silent.Port(), 0);
    WriteBytes(dir.File("defs.inf"),
               Section(1, good.Url("/usd.html"),
                       "title 1=USD\nkeyword=1 USD =\nkeyword_start 1=class=r>\nkeyword_end 1=</span>\n") +
                   Section(2, silent.Url("/rates"),
                           "title 1=Silent\nkeyword=x\nkeyword_start 1=a\nkeyword_end 1=b\n"));
    // The limit leaves room for the engine's start and the first page's
    // capture on a loaded machine; only the silent page reaches it.
    ToolRun run = RunProcess({kTool, "fetch", "--definitions", dir.File("defs.inf"), "--ini",
                              dir.File("orvane.ini"), "--timeout-ms=5000"},
                             Env());
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.OutLines(), std::vector<std::string>{"USD=31.5"});
    const auto err = run.ErrLines();
    EXPECT_TRUE(Contains(err, "box(warning): time out!")) << run.err;
    EXPECT_TRUE(Contains(err, "status[4]: USD")) << run.err;
    EXPECT_FALSE(Contains(err, "status[4]: Silent")) << run.err;
    EXPECT_FALSE(Contains(err, "status[4]: Currency update finished")) << run.err;
    // What was fetched before the time-out is kept.
    EXPECT_EQ(Ini("Table", "1-0"), "Field_A");
    EXPECT_EQ(Ini("Table", "3-0"), "USD");
    EXPECT_EQ(Ini("Table", "3-1"), "31.5");
}

// As a normal user the engine keeps its sandbox; the tool needs nothing set
// by hand either way. The default definition file is made from the built-in
// definitions in the user's configuration folder when the program's folder
// is not writable.
TEST_F(FetchTool, RunsAsANormalUser) {
    ToolEnv env = Env();
    if (::geteuid() == 0) {
        passwd* nobody = ::getpwnam("nobody");
        if (!nobody) GTEST_SKIP() << "no user nobody";
        ToolRun probe = RunProcess({"/usr/bin/test", "-x", kTool}, {{}, "nobody", ""});
        if (probe.status != 0) GTEST_SKIP() << "nobody cannot reach " << kTool;
        ASSERT_EQ(::chown(dir.path().c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        env.user = "nobody";
    }
    LocalHttpServer server(RatePages());
    WriteBytes(dir.File("defs.inf"), Section(1, server.Url("/usd.html"),
                                             "title 1=USD\nkeyword=1 USD =\nkeyword_start 1=class=r>\n"
                                             "keyword_end 1=</span>\n"));
    ToolRun run = RunProcess({kTool, "fetch", "--definitions", dir.File("defs.inf"), "--section", "1",
                              "--ini", dir.File("orvane.ini")},
                             env);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.OutLines(), std::vector<std::string>{"USD=31.5"}) << run.err;
    EXPECT_EQ(Ini("Table", "3-1"), "31.5");
    EXPECT_TRUE(std::filesystem::exists(dir.File("home/.local/share/orvane/web-profile/storage")));

    if (env.user.empty()) return;  // the program's folder may be writable for this user
    // No page is opened: section 99 has no address.
    run = RunProcess({kTool, "fetch", "--section", "99", "--ini", dir.File("orvane.ini")}, env);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_TRUE(Contains(run.ErrLines(), "orvane-tool: Web Data 99web not found")) << run.err;
    EXPECT_TRUE(Contains(run.ErrLines(), "status[4]: Currency update finished")) << run.err;
    std::ifstream made(dir.File("config/orvane/web data.inf"));
    std::stringstream text;
    text << made.rdbuf();
    EXPECT_NE(text.str().find("[Web sync day]"), std::string::npos);
}

TEST(FetchToolOptions, WrongCommandLinesAndMissingFiles) {
    TempDir dir;
    struct Row {
        std::vector<std::string> args;
        int status;
        std::string message;
    } rows[] = {
        {{"--section", "x"}, 2, "--section needs a section number"},
        {{"--section", "-1"}, 2, "--section needs a section number"},
        {{"--timeout-ms", "0"}, 2, "--timeout-ms needs a positive number"},
        {{"--timeout-ms=12ms"}, 2, "--timeout-ms needs a positive number"},
        {{"--colour", "red"}, 2, "unknown option --colour"},
        {{"extra"}, 2, "too many arguments"},
        {{"--definitions", dir.File("missing.inf")}, 1, "file not found: " + dir.File("missing.inf")},
    };
    for (const Row& r : rows) {
        std::vector<std::string> args{kTool, "fetch"};
        args.insert(args.end(), r.args.begin(), r.args.end());
        ToolRun run = RunProcess(args, {{"HOME=" + dir.path()}, "", dir.path()});
        EXPECT_EQ(run.status, r.status) << r.message;
        EXPECT_NE(run.err.find(r.message), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
}

}  // namespace
}  // namespace orvane::test
