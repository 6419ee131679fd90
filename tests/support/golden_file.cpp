#include "tests/support/golden_file.h"

#include <fstream>

namespace orvane::test {

std::vector<GoldenCase> ReadGoldenFile(const std::string& path, bool directives) {
    std::ifstream in(path);
    std::vector<GoldenCase> cases;
    std::string a, b;
    int lineNo = 0;
    while (std::getline(in, a)) {
        ++lineNo;
        if (a.empty() || a[0] == '#') continue;
        if (directives && a[0] == '@') {
            cases.push_back({lineNo, true, a, {}});
            continue;
        }
        const int at = lineNo;
        if (!std::getline(in, b)) break;
        ++lineNo;
        cases.push_back({at, false, a, b});
    }
    return cases;
}

}  // namespace orvane::test
