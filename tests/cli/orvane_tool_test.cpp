// orvane-tool as a whole process: each command's lines, standard input as
// the text, messages and exit status, usage errors, and failed writes.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/smbios_fixture.h"

namespace orvane::test {
namespace {

// A command-line program of the project in the C locale, with a shared
// block name of the test's own and standard error captured.
class CliProcess : public ChildProcess {
public:
    CliProcess(const char* exe, std::vector<std::string> args, std::vector<std::string> env = {},
               int stdoutFd = -1)
        : ChildProcess(WithProgram(exe, std::move(args)), Options(std::move(env), stdoutFd)) {
        EXPECT_TRUE(started());
    }

private:
    static std::vector<std::string> WithProgram(const char* exe, std::vector<std::string> args) {
        args.insert(args.begin(), exe);
        return args;
    }
    static ChildOptions Options(std::vector<std::string> env, int stdoutFd) {
        ChildOptions o;
        o.captureStderr = true;
        o.stdoutFd = stdoutFd;
        o.env = {"LC_ALL=C", "ORVANE_SHARED_BLOCK_NAME=orvane-cli-test-" + std::to_string(getpid())};
        for (std::string& e : env) o.env.push_back(std::move(e));
        return o;
    }
};

// orvane-tool.
class Tool : public CliProcess {
public:
    explicit Tool(std::vector<std::string> args, std::vector<std::string> env = {}, int stdoutFd = -1)
        : CliProcess(ORVANE_TOOL_EXE, std::move(args), std::move(env), stdoutFd) {}
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

// Frames that end in their CRC-16/MODBUS (little-endian), of three lengths.
const std::vector<std::string> kModbusFrames = {"01 03 00 00 00 01 84 0A", "01 03 00 00 00 0A C5 CD",
                                                "11 10 00 01 00 02 04 D2 16 2E 99 63 D5"};
constexpr const char* kModbusLine = "CRC_16_FFFF_0000_8005_1_1 little CRC-16/MODBUS";

std::string FirstLine(const std::string& out) { return out.substr(0, out.find('\n')); }

TEST(OrvaneTool, CrcSearch) {
    const auto crc = [](std::vector<std::string> frames) {
        frames.insert(frames.begin(), "crc-search");
        return frames;
    };
    std::vector<std::string> modbus = crc(kModbusFrames);
    const std::string help = " (see orvane-tool --help)\n";
    const std::string tabs = [] {
        std::string t;
        for (int i = 0; i < 30; ++i) t += "0A\t";
        return t;
    }();
    const std::string shownTabs = [] {
        std::string t;
        for (int i = 0; i < 20; ++i) t += "0A\\x09";
        return t;
    }();
    const std::vector<std::string> noFit = {"01 02 03 04 05", "10 20 30 40 50 60 70",
                                            "AA BB CC DD EE FF 00 11 22", "DE AD BE EF CA FE BA BE 12 34 56"};
    std::vector<std::string> noFit16 = crc(noFit);
    noFit16.insert(noFit16.begin() + 1, "--width=16");
    struct Row {
        const char* name;
        std::vector<std::string> args;
        std::string input;
        int status;
        std::string first;  // the first line of standard output ("" for none)
        std::string err;
        const char* everyLineStarts = "CRC_";
    } rows[] = {
        {"catalogue model named", modbus, "", 0, kModbusLine, ""},
        {"frames from standard input",
         {"crc-search"},
         "\n  \n01 03 00 00 00 01 84 0A\r\n01030000000ac5cd\n\t\n11 10 00 01 00 02 04 D2 16 2E 99 63 D5",
         0, kModbusLine, ""},
        {"--width 8",
         {"crc-search", "--width", "8", "01 02 1B", "A1 B2 C3 D4 25", "00 11 22 33 44 55 66 77 88 99 ED"},
         "", 0, "CRC_8_00_00_07_0_0 - CRC-8/SMBUS", "", "CRC_8_"},
        {"--skip leaves leading bytes out",
         crc({"--skip", "2", "1B 24 31 32 33 34 35 36 37 38 39 31 C3", "1B 24 01 02 13 73",
              "1B 24 DE AD BE EF 00 CE C8"}),
         "", 0, "CRC_16_0000_0000_1021_0_0 big CRC-16/XMODEM", ""},
        {"no model fits", crc(noFit), "", 1, "", "orvane-tool: no CRC-8 or CRC-16 model fits these frames\n"},
        {"no CRC-16 model fits", noFit16, "", 1, "", "orvane-tool: no CRC-16 model fits these frames\n"},
        {"not hex", crc({"01 02 03", "01 0G 33 \xC3\xA9"}), "", 2, "",
         "orvane-tool: frame 2 \"01 0G 33 \\xC3\\xA9\" is not hex byte text such as \"1B 24 43 02 99 05\"" + help},
        {"not hex, long line of standard input shown cut", {"crc-search"}, "01 02 03\n\n" + tabs + "Z\n", 2, "",
         "orvane-tool: frame 2 \"" + shownTabs + "...\" is not hex byte text such as \"1B 24 43 02 99 05\"" +
             help},
        {"too short for the CRC", crc({"--width", "16", "01 02 03", "05"}), "", 2, "",
         "orvane-tool: frame 2 \"05\" has 1 byte: too short for 0 skipped bytes and a 2-byte CRC" + help},
        {"too short for skip and CRC", crc({"--skip", "3", "01 02 03 04", "01 02 03"}), "", 2, "",
         "orvane-tool: frame 2 \"01 02 03\" has 3 bytes: too short for 3 skipped bytes and a 1-byte CRC" +
             help},
        {"--width 5", crc({"--width", "5", "01 02 03"}), "", 2, "", "orvane-tool: --width needs 8 or 16: 5" + help},
        {"--skip -1", crc({"--skip", "-1", "01 02 03"}), "", 2, "",
         "orvane-tool: --skip needs a whole number of bytes, 0 or more: -1" + help},
        {"--skip abc", crc({"--skip=abc", "01 02 03"}), "", 2, "",
         "orvane-tool: --skip needs a whole number of bytes, 0 or more: abc" + help},
        {"nothing on standard input", {"crc-search"}, "\n \r\n", 2, "",
         "orvane-tool: no FRAME given and none on standard input" + help},
    };
    for (const Row& r : rows) {
        const Result res = RunTool(r.args, r.input);
        EXPECT_EQ(res.status, r.status) << r.name;
        EXPECT_EQ(res.err, r.err) << r.name;
        EXPECT_EQ(FirstLine(res.out), r.first) << r.name;
        if (r.first.empty()) {
            EXPECT_EQ(res.out, "") << r.name;
        }
        for (size_t at = 0; at < res.out.size(); at = res.out.find('\n', at) + 1)
            EXPECT_EQ(res.out.compare(at, std::strlen(r.everyLineStarts), r.everyLineStarts), 0)
                << r.name << ": " << res.out.substr(at);
    }
    // Standard input gives what the arguments give.
    EXPECT_EQ(RunTool({"crc-search"}, kModbusFrames[0] + "\n" + kModbusFrames[1] + "\n" + kModbusFrames[2]).out,
              RunTool(modbus).out);
}

// The first name printed, as a template function over each frame's covered
// bytes in orvane-eval, gives the CRC stored at the frame's end.
TEST(OrvaneTool, CrcSearchNameComputesTheFramesCrcInATemplate) {
    const Result found = RunTool({"crc-search", kModbusFrames[0], kModbusFrames[1], kModbusFrames[2]});
    ASSERT_EQ(FirstLine(found.out), kModbusLine);
    const std::string name = found.out.substr(0, found.out.find(' '));
    for (const std::string& frame : kModbusFrames) {
        const size_t bytes = (frame.size() + 1) / 3;
        // Byte k (1-based) of the field text occupies characters 3k-2 and 3k-1;
        // the CRC, little-endian, is the last two bytes.
        const std::string item = "['F':" + name + "([1.." + std::to_string(3 * (bytes - 2) - 1) + "])]";
        CliProcess eval(ORVANE_EVAL_EXE, {"--no-shared", "-t", "--field", "F=" + frame, item}, {"LC_ALL=C"});
        EXPECT_EQ(eval.Finish(), 0) << item << ": " << eval.err;
        EXPECT_EQ(eval.out, frame.substr(frame.size() - 2) + frame.substr(frame.size() - 5, 2) + "\n") << item;
    }
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
        {"fetch", "--section", "x"},
        {"update-check", "--bogus"},
        {"crc-search", "--bogus", "0102"},
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
    Tool p({"aes-encode"});
    p.CloseOutput();
    EXPECT_EQ(p.Finish(std::string(1 << 20, 'z')), 1);
    EXPECT_EQ(p.err, "");
}

}  // namespace
}  // namespace orvane::test
