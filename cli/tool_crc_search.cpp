// crc-search [--width 8|16] [--skip N] FRAME...: the CRC page's "Find
// parameters". Prints one line per fitting model (template function name,
// byte order, catalogue name); warnings and notes go to standard error.
#include <unistd.h>

#include <charconv>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cli/tool_command.h"
#include "engine/crc_search.h"
#include "engine/crc_search_text.h"
#include "engine/errors.h"

namespace orvane {

namespace {

// A line of standard input longer than this is refused before it is parsed,
// so that no input, however large, is held in memory.
constexpr size_t kMaxLineChars = 1u << 20;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

bool IsBlankText(std::string_view text) {
    for (char c : text)
        if (!IsBlank(c)) return false;
    return true;
}

// The frames of the command line or of standard input, with the text of each
// as messages show it.
struct Frames {
    CrcSearchRequest request;
    std::vector<std::string> shown;
    size_t total = 0;  // bytes of all frames

    // Adds one frame's text; raises ToolUsageError when it is not hex bytes.
    void Add(std::string_view text) {
        std::vector<uint8_t> bytes;
        shown.push_back(CrcShownFrameText(text));
        if (!ParseCrcFrame(text, bytes))
            throw ToolUsageError(CrcNotHexFrameText(shown.size() - 1, shown.back()));
        total += bytes.size();
        request.frames.push_back(std::move(bytes));
    }
    // True once the frames are more than the search takes: reading further
    // cannot make them searchable.
    bool Full() const {
        return total > kCrcSearchMaxTotalBytes ||
               (!request.frames.empty() && request.frames.back().size() > kCrcSearchMaxFrameBytes);
    }
};

// One frame per line of standard input; empty and blank lines are skipped, a
// trailing CR is dropped. Stops reading once the frames are too many bytes.
void ReadFramesFromStdin(Frames& frames) {
    std::string line;
    bool longLine = false;
    const auto endLine = [&]() {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!IsBlankText(line)) frames.Add(line);
        line.clear();
    };
    int err = 0;
    const bool read = StreamText(
        STDIN_FILENO,
        [&](std::string_view piece) {
            while (!piece.empty()) {
                const size_t lf = piece.find('\n');
                line.append(piece.substr(0, lf));
                if (line.size() > kMaxLineChars) {
                    longLine = true;
                    return false;
                }
                if (lf == std::string_view::npos) break;
                endLine();
                if (frames.Full()) return false;
                piece.remove_prefix(lf + 1);
            }
            return true;
        },
        err);
    if (!read)
        throw EOrvane("EInOutError", std::string("Cannot read standard input: ") + std::strerror(err));
    if (longLine)
        throw ToolUsageError(CrcFrameLabel(frames.shown.size(), CrcShownFrameText(line)) + " is longer than " +
                             std::to_string(kMaxLineChars) + " characters");
    if (!frames.Full()) endLine();
}

size_t SkipOption(const std::string& text) {
    size_t skip = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, skip);
    if (text.empty() || ec != std::errc() || ptr != end)
        throw ToolUsageError("--skip needs a whole number of bytes, 0 or more: " + text);
    return skip;
}

}  // namespace

int RunCrcSearch(ToolContext& ctx) {
    const ToolArgs args = ParseToolArgs(ctx, {"--width", "--skip"}, ctx.args.size());
    Frames frames;
    if (args.Has("--width")) {
        const std::string width = args.Value("--width", "");
        if (width != "8" && width != "16") throw ToolUsageError("--width needs 8 or 16: " + width);
        frames.request.width8 = width == "8";
        frames.request.width16 = width == "16";
    }
    if (args.Has("--skip")) frames.request.skip = SkipOption(args.Value("--skip", ""));

    if (args.positional.empty()) {
        ReadFramesFromStdin(frames);
        if (frames.request.frames.empty())
            throw ToolUsageError("no FRAME given and none on standard input");
    } else {
        for (const std::string& text : args.positional) frames.Add(text);
    }

    const CrcSearchResult result = SearchCrcModels(frames.request);
    if (!result.error.empty()) throw ToolUsageError(CrcSearchErrorText(result, frames.shown));
    for (const std::string& line : FormatSearchLines(result)) ctx.out.Line(line);
    for (const std::string& message : FormatSearchMessages(result)) ToolHost::Note(message);
    return result.models.empty() ? 1 : 0;
}

}  // namespace orvane
