#include "platform/web_engine_flags.h"

#include <sstream>
#include <vector>

namespace orvane::platform {

namespace {

// The switch names of `flags` ("--a=1 --b" gives "--a", "--b").
std::vector<std::string> SwitchNames(std::string_view flags) {
    std::vector<std::string> names;
    std::istringstream in{std::string(flags)};
    std::string word;
    while (in >> word) names.push_back(word.substr(0, word.find('=')));
    return names;
}

}  // namespace

std::string ChromiumFlags(std::string_view existing, bool root) {
    std::vector<const char*> wanted = {"--disable-background-networking", "--disable-component-update",
                                       "--disable-domain-reliability", "--no-pings"};
    if (root) wanted.push_back("--no-sandbox");

    const std::vector<std::string> present = SwitchNames(existing);
    std::string out(existing);
    while (!out.empty() && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
    for (const char* flag : wanted) {
        bool there = false;
        for (const std::string& p : present) there = there || p == flag;
        if (there) continue;
        if (!out.empty()) out += ' ';
        out += flag;
    }
    return out;
}

}  // namespace orvane::platform
