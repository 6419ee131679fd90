#pragma once
// A web view for tests: pages are markup served from a map. A navigation
// reports the new address at once and finishes `loadMs` later; a script
// result arrives with the next turn of the loop, made by the page's encoder
// from the shown page's markup. An address in neither map never finishes
// loading (a server that accepts and never answers); one in `failing`
// finishes as failed and shows no page; one in `rawJson` delivers that text
// as the script's result.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/webdata/fake_event_loop.h"
#include "platform/web_view.h"
#include "webdata/capture_decode.h"

namespace orvane::test {

class FakeWebView : public platform::WebView {
public:
    explicit FakeWebView(FakeEventLoop& loop) : m_loop(loop) {}

    void Navigate(const std::string& url) override {
        navigations.push_back(url);
        m_url = url;
        m_loop.Post(0, [this, url] {
            if (auto f = m_events.SourceChanged) f(url);
        });
        bool fails = failing.count(url) != 0;
        if (!fails && pages.count(url) == 0 && rawJson.count(url) == 0) return;
        // A copy runs, as the handler may replace the events meanwhile.
        m_loop.Post(loadMs, [this, fails] {
            if (auto f = m_events.NavigationCompleted) f(!fails);
        });
    }
    void Reload() override { Navigate(m_url); }
    void RunJavaScript(const std::string& script, ScriptDone done) override {
        scripts.push_back(script);
        m_loop.Post(0, [this, done] { done(Result()); });
    }
    std::string Url() const override { return m_url; }
    void SetEvents(platform::WebViewEvents events) override { m_events = std::move(events); }

    // Fires the frame event as the engine would.
    void FinishFrame() {
        if (auto f = m_events.FrameNavigationCompleted) f();
    }
    bool HasEvents() const { return bool(m_events.NavigationCompleted); }

    std::map<std::string, std::string> pages;    // address -> markup
    std::map<std::string, std::string> rawJson;  // address -> the script result as given
    std::set<std::string> failing;
    std::vector<std::string> navigations;
    std::vector<std::string> scripts;
    int loadMs = 200;

private:
    std::string Result() const {
        if (auto raw = rawJson.find(m_url); raw != rawJson.end()) return raw->second;
        auto it = pages.find(m_url);
        return it == pages.end() ? std::string("null")
                                 : webdata::CaptureJson(true, webdata::EncodeURI(it->second));
    }

    FakeEventLoop& m_loop;
    std::string m_url;
    platform::WebViewEvents m_events;
};

}  // namespace orvane::test
