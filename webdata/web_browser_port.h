#pragma once
// The browser page as the fetcher needs it: a web view that opens addresses
// and captures the shown page's source into the source view `Memo1`, and the
// flag `web_flashed` that tells a waiting fetch that a capture has finished.
//
// A web engine implements WebBrowserPort by deriving from CapturingBrowser:
// it opens addresses (Navigate), runs kCaptureScript when asked and about
// kCaptureDelayMs after every finished main-document navigation (successful
// or not), and hands each script result, as JSON text (CaptureJson), to
// EdgeBrowser1ExecuteScript. A QWebEnginePage subclass does this with load(),
// loadFinished and runJavaScript, with or without a view, so the window and
// orvane-tool run the same fetcher over it.
#include <string>
#include <string_view>

#include "webdata/capture_decode.h"

namespace orvane::webdata {

// The pause between a finished main-document navigation and its capture.
inline constexpr int kCaptureDelayMs = 1000;
// The pause after a frame's navigation has finished.
inline constexpr int kFrameLoadedWaitMs = 100;

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

// The capture half shared by every web engine: `Memo1`'s text and the flag.
class CapturingBrowser : public WebBrowserPort {
public:
    bool web_flashed() const override { return m_web_flashed; }
    void set_web_flashed(bool on) override { m_web_flashed = on; }
    std::string SourceText() const override { return m_source; }
    // Replaces the source view's text (the tools page also writes its log
    // there); no capture, the flag stays.
    void SetSourceText(std::string text);

    // A capture script's result (JSON text): "null" leaves the source view as
    // it is, a page source replaces it (and SourceChanged runs); both set
    // web_flashed. A malformed percent sequence changes nothing and leaves
    // the flag as it was, so a waiting fetch runs into its time-out. Returns
    // what the decoding found.
    CaptureStatus EdgeBrowser1ExecuteScript(std::string_view json);

protected:
    // Runs after the source view's text has changed, for a view that shows it.
    virtual void SourceChanged() {}

private:
    std::string m_source;
    bool m_web_flashed = false;
};

}  // namespace orvane::webdata
