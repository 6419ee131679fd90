#pragma once
// Opening a web address in the default browser, or a file with the program
// the desktop associates with it. The window implements it with
// QDesktopServices; tests record the calls.
#include <string>

namespace orvane::platform {

class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    // Opens `target`: a web address ("https://...") or an absolute file path.
    // False when nothing could open it.
    virtual bool Open(const std::string& target) = 0;
};

}  // namespace orvane::platform
