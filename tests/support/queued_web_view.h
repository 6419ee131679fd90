#pragma once
// A web view for widget tests, on the Qt event loop: pages are markup served
// from a map. A navigation reports its address and finishes with the next
// turn of the loop (failed, showing no page, for an address not in the map);
// a script result also arrives with the next turn, made by the page's encoder
// from the shown page's markup ("null" when no page is shown). Nothing
// reaches the network.
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <map>
#include <string>
#include <vector>

#include "platform/web_view.h"
#include "webdata/capture_decode.h"

namespace orvane::ui::test {

class QueuedWebView : public platform::WebView {
public:
    void Navigate(const std::string& url) override {
        navigations.push_back(url);
        m_url = url;
        QTimer::singleShot(0, &m_life, [this, url] {
            if (auto f = m_events.SourceChanged) f(url);
            if (auto f = m_events.NavigationCompleted) f(pages.count(url) != 0);
        });
    }
    void Reload() override { Navigate(m_url); }
    void RunJavaScript(const std::string& script, ScriptDone done) override {
        scripts.push_back(script);
        QTimer::singleShot(0, &m_life, [this, done] {
            auto it = pages.find(m_url);
            done(it == pages.end() ? std::string("null")
                                   : webdata::CaptureJson(true, webdata::EncodeURI(it->second)));
        });
    }
    std::string Url() const override { return m_url; }
    void SetEvents(platform::WebViewEvents events) override { m_events = std::move(events); }

    std::map<std::string, std::string> pages;  // address -> markup
    std::vector<std::string> navigations;
    std::vector<std::string> scripts;

private:
    // Pending deliveries die with the view.
    QObject m_life;
    std::string m_url;
    platform::WebViewEvents m_events;
};

}  // namespace orvane::ui::test
