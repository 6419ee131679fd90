#pragma once
// A web view that writes a line for each of its steps (navigation started,
// navigation finished, script started, script result) to a trace before
// passing it on; orvane-tool fetch uses it when ORVANE_FETCH_TRACE is set, to
// show where the time of a fetch goes.
#include <functional>
#include <string>

#include "platform/web_view.h"

namespace orvane {

class TracedWebView : public platform::WebView {
public:
    using Trace = std::function<void(const std::string& step)>;
    // `inner` must outlive this view.
    TracedWebView(platform::WebView& inner, Trace trace) : m_inner(inner), m_trace(std::move(trace)) {}

    void Navigate(const std::string& url) override;
    void Reload() override;
    void RunJavaScript(const std::string& script, ScriptDone done) override;
    std::string Url() const override { return m_inner.Url(); }
    void SetEvents(platform::WebViewEvents events) override;

private:
    platform::WebView& m_inner;
    Trace m_trace;
};

}  // namespace orvane
