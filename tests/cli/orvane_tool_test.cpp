// orvane-tool as a whole process: each command's lines, standard input as
// the text, messages and exit status, usage errors, and failed writes.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../tools/smbios_fixture.h"
#include "../tools/temp_dir.h"
#include "cli_process.h"

namespace orvane::test {
namespace {

// orvane-tool in the C locale.
class Tool : public CliProcess {
public:
    explicit Tool(std::vector<std::string> args, std::vector<std::string> env = {}, int stdoutFd = -1)
        : CliProcess(ORVANE_TOOL_EXE, std::move(args), WithCLocale(std::move(env)), stdoutFd) {}

private:
    static std::vector<std::string> WithCLocale(std::vector<std::string> env) {
        env.insert(env.begin(), "LC_ALL=C");
        return env;
    }
};

struct Result {
    int status;
    std::string out, err;
};

Result RunTool(std::vector<std::string> args, const std::string& input = {}, std::vector<std::string> env = {}) {
    Tool t(std::move(args), std::move(env));
    const int status = t.Finish(input);
    return {status, t.out, t.err};
}

// The encoding of the page's initial data under its initial key and IV
// (OpenSSL: openssl enc -aes-128-cbc -K 31..36 -iv 31..36 -a -A).
constexpr const char* kPlaceholderEncoded = "2LWYSMdnDJSym1TSN54uesXryeud7lOPCtlpWV16dAw=";

TEST(OrvaneTool, Md5OfAnArgumentAndOfStandardInput) {
    const std::string abc = "MD5: 900150983CD24FB0D6963F7D28E17F72\n";
    struct Row {
        const char* name;
        std::vector<std::string> args;
        std::string input;
        std::string out;
    } rows[] = {
        {"argument", {"md5", "abc"}, "", abc},
        {"stdin with LF", {"md5"}, "abc\n", abc},
        {"stdin with CR LF", {"md5"}, "abc\r\n", abc},
        {"only one line break dropped", {"md5"}, "abc\n\n", "MD5: 0BEE89B07A248E27C83FC3D5951213C1\n"},
        {"empty stdin", {"md5"}, "", "MD5: D41D8CD98F00B204E9800998ECF8427E\n"},
        {"text after --", {"md5", "--", "--x"}, "", "MD5: C2F66DD72AAA3646DD751467486F49B2\n"},
    };
    for (const Row& r : rows) {
        const Result res = RunTool(r.args, r.input);
        EXPECT_EQ(res.status, 0) << r.name;
        EXPECT_EQ(res.err, "") << r.name;
        EXPECT_EQ(res.out, r.out) << r.name;
    }
}

TEST(OrvaneTool, Md5File) {
    TempDir dir;
    WriteBytes(dir.File("abc"), "abc");
    const Result ok = RunTool({"md5-file", dir.File("abc")});
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "MD5: 900150983CD24FB0D6963F7D28E17F72\n");
    for (const std::string& bad : {dir.File("missing"), dir.path()}) {
        const Result r = RunTool({"md5-file", bad});
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_EQ(r.out, "") << bad;
        EXPECT_EQ(r.err, "box(error): File not Exist\n") << bad;
    }
}

TEST(OrvaneTool, AesEncodeAndDecode) {
    EXPECT_EQ(RunTool({"aes-encode", "1234567890123456"}).out, std::string(kPlaceholderEncoded) + "\n");
    EXPECT_EQ(RunTool({"aes-encode"}, "1234567890123456\n").out, std::string(kPlaceholderEncoded) + "\n");
    // The options' default is the page's placeholder.
    EXPECT_EQ(RunTool({"aes-encode", "--key", "1234567890123456", "--iv=1234567890123456", "1234567890123456"}).out,
              std::string(kPlaceholderEncoded) + "\n");

    const Result dec = RunTool({"aes-decode", kPlaceholderEncoded});
    EXPECT_EQ(dec.status, 0);
    EXPECT_EQ(dec.out, "------original-\n1234567890123456" + std::string(16, '\x10') +
                           "\n-----trimed--\n1234567890123456\n-------\n");

    // Empty key and empty IV, and a text as long as a large paste, through
    // standard input and as an argument alike.
    std::string text(100000, 'x');
    for (size_t i = 0; i < text.size(); ++i) text[i] = char('a' + i * 7 % 26);
    text += "  ";
    const Result viaArg = RunTool({"aes-encode", "--key=", "--iv", "", text});
    const Result viaStdin = RunTool({"aes-encode", "--key=", "--iv", ""}, text + "\r\n");
    EXPECT_EQ(viaArg.status, 0);
    EXPECT_EQ(viaArg.out, viaStdin.out);
    const size_t padded = (text.size() / 16 + 1) * 16;
    EXPECT_EQ(viaArg.out.size(), (padded + 2) / 3 * 4 + 1);
    const std::string b64 = viaArg.out.substr(0, viaArg.out.size() - 1);
    const Result back = RunTool({"aes-decode", "--key", "", "--iv", ""}, b64 + "\n");
    EXPECT_EQ(back.out, "------original-\n" + text + std::string(14, '\x0E') + "\n-----trimed--\n" +
                            text.substr(0, text.size() - 2) + "\n-------\n");
}

TEST(OrvaneTool, Sysinfo) {
    Firmware fw(Table(), EntryPoint2(2, 3));
    const std::string dir = fw.paths.table.substr(0, fw.paths.table.rfind('/'));
    const Result ok = RunTool({"sysinfo"}, "", {"ORVANE_SMBIOS_DIR=" + dir});
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out,
              "System Information\nManufacter    Acme Corp\nProduct Name  Widget 9\nVersion       1.0\n"
              "Serial Number \nUUID          33221100554477668899AABBCCDDEEFF\n"
              "UUID          00112233-4455-6677-8899-AABBCCDDEEFF\n\n");
    TempDir empty;
    const Result failed = RunTool({"sysinfo"}, "", {"ORVANE_SMBIOS_DIR=" + empty.path()});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "EFOpenError: Cannot open file \"" + empty.path() +
                              "/smbios_entry_point\". No such file or directory\n");
}

TEST(OrvaneTool, DatetimeAndGuid) {
    const Result d = RunTool({"datetime", "--now", "2024-01-02T09:05:03.007"});
    EXPECT_EQ(d.status, 0);
    EXPECT_EQ(d.out,
              "45293.3785070255\n2024/01/02 09:05:03\nddd d of mmm yyyy Tue 2 of Jan 2024\n"
              "yyyy-mm-dd hh:nn:ss.zzz 2024-01-02 09:05:03.007\n"
              "1899, 12,30, 0, 0, 0sec, 0 =0.000000000000000\n"
              "1899, 12,30, 0, 0, 1sec, 0 =0.000011574074074\n"
              "1899, 12,30, 0, 0, 2sec, 0 =0.000023148148148\n");
    const std::string now = RunTool({"datetime"}).out;  // the real clock
    EXPECT_EQ(std::count(now.begin(), now.end(), '\n'), 7) << now;

    const Result g1 = RunTool({"guid"}), g2 = RunTool({"guid"});
    // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with upper-case digits, one line.
    auto guidLine = [](const std::string& s) {
        if (s.size() != 39 || s[0] != '{' || s[37] != '}' || s[38] != '\n') return false;
        for (size_t i = 1; i < 37; ++i) {
            const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
            if (dash ? s[i] != '-' : !std::isxdigit(static_cast<unsigned char>(s[i])) || std::islower(s[i]))
                return false;
        }
        return true;
    };
    EXPECT_EQ(g1.status, 0);
    EXPECT_TRUE(guidLine(g1.out)) << g1.out;
    EXPECT_TRUE(guidLine(g2.out)) << g2.out;
    EXPECT_NE(g1.out, g2.out);
}

TEST(OrvaneTool, UsageErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"bogus"},
        {"md5", "a", "b"},
        {"md5", "--key", "k", "a"},
        {"md5-file"},
        {"aes-encode", "--key"},
        {"sysinfo", "extra"},
        {"datetime", "--now", "2024-13-01T00:00:00"},
        {"guid", "--x"},
        {"fetch"},
        {"update-check"},
        {"crc-search", "0102"},
    };
    for (const auto& args : bad) {
        const Result r = RunTool(args);
        const std::string name = args.empty() ? "(none)" : args[0];
        EXPECT_EQ(r.status, 2) << name;
        EXPECT_EQ(r.out, "") << name;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.err.rfind("orvane-tool: ", 0), 0u) << r.err;
    }
    const Result help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: orvane-tool COMMAND"), std::string::npos);
    EXPECT_NE(help.out.find("  aes-decode [--key K] [--iv IV] [BASE64]\n"), std::string::npos);
    EXPECT_EQ(RunTool({"md5", "--help"}).out, "Usage: orvane-tool md5 [TEXT]\n");
}

TEST(OrvaneTool, FailedWrites) {
    // A full device: the failure is reported and the status is 1.
    const int full = open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    Tool t({"md5", "abc"}, {}, full);
    close(full);
    EXPECT_EQ(t.Finish(), 1);
    EXPECT_EQ(t.err, "orvane-tool: cannot write the output: No space left on device\n");

    // A reader that went away: status 1, no message, no signal. The tool may
    // stop reading then, so this process must survive its own broken pipe.
    std::signal(SIGPIPE, SIG_IGN);
    Tool p({"aes-encode"});
    p.CloseOutput();
    EXPECT_EQ(p.Finish(std::string(1 << 20, 'z')), 1);
    EXPECT_EQ(p.err, "");
}

}  // namespace
}  // namespace orvane::test
