#pragma once
// Golden files: pairs of lines, an input line followed by its expected line.
// Empty lines and lines starting with "#" between pairs are comments. With
// directives on, a line starting with "@" between pairs is a directive on its
// own (such as "@field NAME=VALUE"), kept in file order among the pairs.
#include <string>
#include <vector>

namespace orvane::test {

struct GoldenCase {
    int line = 0;          // 1-based line number of the input (or directive)
    bool directive = false;
    std::string input;     // the input line, or the whole directive line
    std::string expected;  // empty for a directive
};

// Reads the file at `path`; an empty list when it cannot be read. An input
// line at the very end without its expected line is dropped.
std::vector<GoldenCase> ReadGoldenFile(const std::string& path, bool directives = false);

}  // namespace orvane::test
