#include "webdata/capturing_browser.h"

#include <utility>

namespace orvane::webdata {

CapturingBrowser::CapturingBrowser(platform::WebView& view, platform::EventWait& wait, WebBoxes& boxes)
    : m_view(view), m_wait(wait), m_boxes(boxes) {
    std::weak_ptr<int> life = m_life;
    platform::WebViewEvents events;
    events.NavigationCompleted = [this, life](bool ok) {
        if (life.lock()) EdgeBrowser1NavigationCompleted(ok);
    };
    events.FrameNavigationCompleted = [this, life] {
        if (life.lock()) EdgeBrowser1FrameNavigationCompleted();
    };
    events.SourceChanged = [this, life](const std::string& url) {
        if (life.lock()) EdgeBrowser1SourceChanged(url);
    };
    m_view.SetEvents(std::move(events));
}

CapturingBrowser::~CapturingBrowser() { m_view.SetEvents({}); }

void CapturingBrowser::Navigate(const std::string& address) { m_view.Navigate(address); }

void CapturingBrowser::RequestCapture() {
    std::weak_ptr<int> life = m_life;
    m_view.RunJavaScript(kCaptureScript, [this, life](const std::string& json) {
        if (life.lock()) EdgeBrowser1ExecuteScript(json);
    });
}

void CapturingBrowser::Reload() { m_view.Reload(); }

void CapturingBrowser::SetSourceText(std::string text) {
    m_source = std::move(text);
    SourceChanged();
}

void CapturingBrowser::SourceChanged() {
    if (m_sourceChanged) m_sourceChanged(m_source);
}

void CapturingBrowser::EdgeBrowser1NavigationCompleted(bool ok) {
    (void)ok;  // a failed navigation is captured all the same (its error page)
    std::weak_ptr<int> life = m_life;
    m_wait.Sleep1(kCaptureDelayMs);
    // The window may have gone while events were handled.
    if (life.lock()) RequestCapture();
}

void CapturingBrowser::EdgeBrowser1FrameNavigationCompleted() { m_wait.Sleep1(kFrameLoadedWaitMs); }

void CapturingBrowser::EdgeBrowser1SourceChanged(const std::string& url) {
    m_boxes.SetBox(WebBox::Combo_web, url);
}

CaptureStatus CapturingBrowser::EdgeBrowser1ExecuteScript(std::string_view json) {
    CaptureResult r = DecodeCapture(json);
    if (r.status == CaptureStatus::Malformed) return r.status;
    if (r.status == CaptureStatus::Source) {
        m_source = std::move(r.source);
        SourceChanged();
    }
    m_web_flashed = true;
    return r.status;
}

}  // namespace orvane::webdata
