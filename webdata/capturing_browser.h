#pragma once
// The browser page's web view handling: every finished main-document
// navigation, successful or not, is followed kCaptureDelayMs later (events
// are handled meanwhile) by a capture, which runs kCaptureScript in the page
// and decodes its result into the source view `Memo1`; a finished frame
// navigation is followed by a kFrameLoadedWaitMs wait; the address box
// follows the shown address. The window runs it over its web view and its
// boxes, orvane-tool over a page without a view and boxes in memory.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/event_wait.h"
#include "platform/web_view.h"
#include "webdata/capture_decode.h"
#include "webdata/web_boxes.h"
#include "webdata/web_browser_port.h"

namespace orvane::webdata {

// The pause between a finished main-document navigation and its capture.
inline constexpr int kCaptureDelayMs = 1000;
// The pause after a frame's navigation has finished.
inline constexpr int kFrameLoadedWaitMs = 100;

class CapturingBrowser : public WebBrowserPort {
public:
    // Takes over the view's events; `view`, `wait` and `boxes` must outlive
    // this object. Results that arrive after it is gone are dropped.
    CapturingBrowser(platform::WebView& view, platform::EventWait& wait, WebBoxes& boxes);
    ~CapturingBrowser() override;
    CapturingBrowser(const CapturingBrowser&) = delete;
    CapturingBrowser& operator=(const CapturingBrowser&) = delete;

    // Opens `address` in the view.
    void Navigate(const std::string& address) override;
    // Runs kCaptureScript in the shown page; the result goes to
    // EdgeBrowser1ExecuteScript.
    void RequestCapture() override;
    // Loads the shown page again (the start-up timer's refresh).
    void Reload();
    bool web_flashed() const override { return m_web_flashed; }
    void set_web_flashed(bool on) override { m_web_flashed = on; }
    std::string SourceText() const override { return m_source; }
    const std::string& Source() const { return m_source; }

    // Replaces the source view's text (the tools page also writes its log
    // there); no capture, the flag stays. The source-change handler runs.
    void SetSourceText(std::string text);
    // Runs after every change of the source view's text, for a view that
    // shows it.
    void SetSourceChangedHandler(std::function<void(const std::string& source)> handler) {
        m_sourceChanged = std::move(handler);
    }

    // The view's events. A main-document navigation finished: waits
    // kCaptureDelayMs handling events, then requests a capture.
    void EdgeBrowser1NavigationCompleted(bool ok);
    // A frame finished its navigation: waits kFrameLoadedWaitMs handling
    // events.
    void EdgeBrowser1FrameNavigationCompleted();
    // The shown address changed: the address box takes it.
    void EdgeBrowser1SourceChanged(const std::string& url);
    // A capture script's result (JSON text): "null" leaves the source view as
    // it is, a page source replaces it; both set web_flashed. A malformed
    // percent sequence changes nothing and leaves the flag as it was, so a
    // waiting fetch runs into its time-out. Returns what the decoding found.
    CaptureStatus EdgeBrowser1ExecuteScript(std::string_view json);

private:
    void SourceChanged();

    platform::WebView& m_view;
    platform::EventWait& m_wait;
    WebBoxes& m_boxes;
    std::function<void(const std::string&)> m_sourceChanged;
    std::string m_source;
    bool m_web_flashed = false;
    // Callbacks hold a weak reference, so none runs on a destroyed object.
    std::shared_ptr<int> m_life = std::make_shared<int>(0);
};

}  // namespace orvane::webdata
