#pragma once
// The browser page as the fetcher needs it: a web view that opens addresses
// and captures the shown page's source into the source view `Memo1`, and the
// flag `web_flashed` that tells a waiting fetch that a capture has finished.
// CapturingBrowser implements it over a platform web view, for the window and
// orvane-tool alike.
#include <string>

namespace orvane::webdata {

class WebBrowserPort {
public:
    virtual ~WebBrowserPort() = default;
    // Starts opening `address` exactly as given and returns at once; the
    // capture follows the finished navigation.
    virtual void Navigate(const std::string& address) = 0;
    // Starts a capture of the page shown now and returns at once; the result
    // arrives later and sets web_flashed.
    virtual void RequestCapture() = 0;
    // True once a capture attempt has finished since the flag was cleared.
    virtual bool web_flashed() const = 0;
    virtual void set_web_flashed(bool on) = 0;
    // The text the source view `Memo1` holds now (UTF-8).
    virtual std::string SourceText() const = 0;
};

}  // namespace orvane::webdata
