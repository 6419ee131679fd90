#pragma once
// A web engine for tests: pages are markup served from a map; a navigation
// finishes after a load time and is captured kCaptureDelayMs later, through
// the page's encoder and the real capture decoding. An address not in the map
// never finishes loading (a server that accepts and never answers); one in
// `rawJson` delivers that text as the script's result.
#include <map>
#include <string>
#include <vector>

#include "fake_event_loop.h"
#include "webdata/capture_decode.h"
#include "webdata/web_browser_port.h"

namespace orvane::test {

class FakeBrowser : public webdata::CapturingBrowser {
public:
    explicit FakeBrowser(FakeEventLoop& loop) : m_loop(loop) {}

    void Navigate(const std::string& address) override {
        navigations.push_back(address);
        m_shown = address;
        if (pages.count(address) == 0 && rawJson.count(address) == 0) return;
        m_loop.Post(loadMs, [this] { m_loop.Post(webdata::kCaptureDelayMs, [this] { Capture(); }); });
    }
    void RequestCapture() override {
        ++captureRequests;
        m_loop.Post(1, [this] { Capture(); });
    }

    std::map<std::string, std::string> pages;    // address -> markup
    std::map<std::string, std::string> rawJson;  // address -> the script result as given
    std::vector<std::string> navigations;
    int captureRequests = 0;
    int loadMs = 200;

private:
    void Capture() {
        if (auto raw = rawJson.find(m_shown); raw != rawJson.end()) {
            EdgeBrowser1ExecuteScript(raw->second);
            return;
        }
        auto it = pages.find(m_shown);
        EdgeBrowser1ExecuteScript(it == pages.end()
                                      ? std::string("null")
                                      : webdata::CaptureJson(true, webdata::EncodeURI(it->second)));
    }

    FakeEventLoop& m_loop;
    std::string m_shown;
};

}  // namespace orvane::test
