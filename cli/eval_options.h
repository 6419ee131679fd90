#pragma once
// orvane-eval's command line.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/date_time.h"

namespace orvane {

struct EvalOptions {
    bool help = false;
    bool json = false;
    bool templ = false;
    bool noShared = false;
    int instance = 1;
    std::optional<LocalDateTime> now;
    std::string ini;
    // The content of the --ini file once read (none: the file does not exist).
    std::optional<std::string> iniText;
    std::vector<std::pair<std::string, std::string>> fields;
    std::vector<std::string> inputs;
};

// Parses argv; returns an empty text on success, else the one-line usage error.
std::string ParseEvalOptions(int argc, const char* const* argv, EvalOptions& options);

// Reads the files the options name: each --field value "@FILE" is replaced by
// the file's content (one trailing line break dropped; a FIFO is read to its
// end), and the --ini file's content goes to `iniText` (a missing file leaves
// it empty). Only regular files of at most 1 GiB are read; returns the
// one-line usage error for any other file or one that cannot be read.
std::string ResolveInputFiles(EvalOptions& options);

// Reads "YYYY-MM-DDTHH:MM:SS[.mmm]"; false when malformed or not a real date.
bool ParseNowOption(const std::string& text, LocalDateTime& t);

// The --help text.
std::string EvalUsage();

}  // namespace orvane
