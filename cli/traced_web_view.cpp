#include "cli/traced_web_view.h"

#include <utility>

namespace orvane {

void TracedWebView::Navigate(const std::string& url) {
    m_trace("navigate " + url);
    m_inner.Navigate(url);
}

void TracedWebView::Reload() {
    m_trace("reload");
    m_inner.Reload();
}

void TracedWebView::RunJavaScript(const std::string& script, ScriptDone done) {
    m_trace("script " + script);
    m_inner.RunJavaScript(script, [trace = m_trace, done = std::move(done)](const std::string& json) {
        trace("script result, " + std::to_string(json.size()) + " bytes");
        if (done) done(json);
    });
}

void TracedWebView::SetEvents(platform::WebViewEvents events) {
    platform::WebViewEvents traced = events;
    if (events.NavigationCompleted)
        traced.NavigationCompleted = [this, f = events.NavigationCompleted](bool ok) {
            m_trace(std::string(ok ? "loaded " : "load failed ") + m_inner.Url());
            f(ok);
        };
    m_inner.SetEvents(std::move(traced));
}

}  // namespace orvane
