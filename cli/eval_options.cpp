#include "cli/eval_options.h"

#include <cstring>
#include <new>

#include "platform/input_file.h"

namespace orvane {

std::string EvalUsage() {
    return "Usage: orvane-eval [options] [INPUT ...]\n"
           "Evaluates each INPUT (or each line of standard input) as a statement or template.\n"
           "  -t, --template         each input is a smart-format template, not a statement\n"
           "  --json                 one JSON object per input on standard output\n"
           "  --ini FILE             load the field table from section \"Table\" of FILE\n"
           "  --field NAME=VALUE     set field NAME (NAME=@FILE: the value from FILE); repeatable\n"
           "  --instance N           act as instance number N (1 to 8, default 1)\n"
           "  --no-shared            do not open the shared block\n"
           "  --now YYYY-MM-DDTHH:MM:SS[.mmm]\n"
           "                         use this local date and time as \"now\"\n"
           "  -h, --help             this help\n"
           "Exit status: 0 when no input raised an error, 1 when one did, 2 for usage errors.\n";
}

bool ParseNowOption(const std::string& s, LocalDateTime& t) {
    auto num = [&](size_t at, size_t len, int& v) {
        if (at + len > s.size()) return false;
        v = 0;
        for (size_t i = at; i < at + len; ++i) {
            if (s[i] < '0' || s[i] > '9') return false;
            v = v * 10 + (s[i] - '0');
        }
        return true;
    };
    if (s.size() != 19 && s.size() != 23) return false;
    if (s[4] != '-' || s[7] != '-' || s[10] != 'T' || s[13] != ':' || s[16] != ':') return false;
    if (!num(0, 4, t.year) || !num(5, 2, t.month) || !num(8, 2, t.day) || !num(11, 2, t.hour) ||
        !num(14, 2, t.minute) || !num(17, 2, t.second))
        return false;
    t.millisecond = 0;
    if (s.size() == 23 && (s[19] != '.' || !num(20, 3, t.millisecond))) return false;
    return IsValidDate(t.year, t.month, t.day) && t.hour < 24 && t.minute < 60 && t.second < 60;
}

namespace {

// For "--name VALUE" and "--name=VALUE": true when `arg` is that option, with
// its value in `value` (empty when it is missing).
bool OptionValue(const std::string& arg, const char* name, int argc, const char* const* argv,
                 int& i, std::string& value, bool& missing) {
    const std::string n = name;
    if (arg == n) {
        missing = i + 1 >= argc;
        value = missing ? std::string() : std::string(argv[++i]);
        return true;
    }
    if (arg.rfind(n + "=", 0) == 0) {
        value = arg.substr(n.size() + 1);
        missing = false;
        return true;
    }
    return false;
}

}  // namespace

std::string ParseEvalOptions(int argc, const char* const* argv, EvalOptions& o) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool isOption = !optionsEnded && (a.rfind("--", 0) == 0 || a == "-h" || a == "-t");
        if (!isOption) {
            o.inputs.push_back(a);
            continue;
        }
        std::string v;
        bool missing = false;
        if (a == "--") {
            optionsEnded = true;
        } else if (a == "-h" || a == "--help") {
            o.help = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "-t" || a == "--template") {
            o.templ = true;
        } else if (a == "--no-shared") {
            o.noShared = true;
        } else if (OptionValue(a, "--now", argc, argv, i, v, missing)) {
            LocalDateTime t;
            if (missing) return "option --now needs a value YYYY-MM-DDTHH:MM:SS[.mmm]";
            if (!ParseNowOption(v, t))
                return "option --now: '" + v + "' is not YYYY-MM-DDTHH:MM:SS[.mmm]";
            o.now = t;
        } else if (OptionValue(a, "--instance", argc, argv, i, v, missing)) {
            if (missing) return "option --instance needs a number 1 to 8";
            if (v.size() != 1 || v[0] < '1' || v[0] > '8')
                return "option --instance: '" + v + "' is not a number 1 to 8";
            o.instance = v[0] - '0';
        } else if (OptionValue(a, "--ini", argc, argv, i, v, missing)) {
            if (missing || v.empty()) return "option --ini needs a file name";
            o.ini = v;
        } else if (OptionValue(a, "--field", argc, argv, i, v, missing)) {
            if (missing) return "option --field needs NAME=VALUE";
            const size_t eq = v.find('=');
            if (eq == std::string::npos) return "option --field: '" + v + "' is not NAME=VALUE";
            o.fields.emplace_back(v.substr(0, eq), v.substr(eq + 1));
        } else {
            return "unknown option " + a;
        }
    }
    return {};
}

}  // namespace orvane

namespace orvane {

namespace {

// Reads one input file; an empty text on success, else the usage error.
std::string ReadOptionFile(const std::string& option, const std::string& path, bool allowFifo,
                           std::string& data, bool& missing) {
    std::string reason;
    platform::InputFileResult r;
    try {
        r = platform::ReadInputFile(path, allowFifo, data, reason);
    } catch (const std::bad_alloc&) {
        data.clear();
        r = platform::InputFileResult::Refused;
        reason = "too large for the memory";
    }
    missing = r == platform::InputFileResult::Missing;
    if (r == platform::InputFileResult::Read) return {};
    if (r == platform::InputFileResult::Refused) return option + ": '" + path + "' " + reason;
    return option + ": cannot read '" + path + "': " + reason;
}

}  // namespace

std::string ResolveInputFiles(EvalOptions& o) {
    bool missing = false;
    if (!o.ini.empty()) {
        std::string text;
        std::string error = ReadOptionFile("option --ini", o.ini, false, text, missing);
        // A missing file loads the defaults only.
        if (!error.empty() && !missing) return error;
        if (!missing) o.iniText = std::move(text);
    }
    for (auto& [name, value] : o.fields) {
        if (value.empty() || value[0] != '@') continue;
        const std::string path = value.substr(1);
        std::string data;
        std::string error = ReadOptionFile("option --field " + name, path, true, data, missing);
        if (!error.empty()) return error;
        // One trailing line break belongs to the file, not to the capture.
        if (!data.empty() && data.back() == '\n') {
            data.pop_back();
            if (!data.empty() && data.back() == '\r') data.pop_back();
        }
        value = std::move(data);
    }
    return {};
}

}  // namespace orvane
