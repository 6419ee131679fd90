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
    std::vector<std::pair<std::string, std::string>> fields;
    std::vector<std::string> inputs;
};

// Parses argv; returns an empty text on success, else the one-line usage error.
std::string ParseEvalOptions(int argc, const char* const* argv, EvalOptions& options);

// Replaces each --field value "@FILE" by the file's content (one trailing line
// break dropped); returns the usage error for a file that cannot be read.
std::string ResolveFieldFiles(EvalOptions& options);

// Reads "YYYY-MM-DDTHH:MM:SS[.mmm]"; false when malformed or not a real date.
bool ParseNowOption(const std::string& text, LocalDateTime& t);

// The --help text.
std::string EvalUsage();

}  // namespace orvane
