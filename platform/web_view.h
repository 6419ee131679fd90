#pragma once
// A web view: a browser engine's page that opens addresses, runs scripts in
// the page it shows and reports its navigations. The window shows one on its
// browser page; orvane-tool runs one without a view and without a screen.
//
// Every event and every script result is delivered on the program's thread
// from its event loop (a wait that handles events included), never from
// inside a call to the view, so a handler may itself wait while handling
// events.
#include <functional>
#include <string>

namespace orvane::platform {

struct WebViewEvents {
    // A main-document navigation finished; `ok` is false when it failed (the
    // view then usually shows an error page).
    std::function<void(bool ok)> NavigationCompleted;
    // A frame of the page finished its navigation. An engine that cannot tell
    // frames apart never reports it.
    std::function<void()> FrameNavigationCompleted;
    // The address the view shows changed (`url` is the new one).
    std::function<void(const std::string& url)> SourceChanged;
};

class WebView {
public:
    // Receives a script's result as JSON text ("null" when the script gave
    // no value or raised).
    using ScriptDone = std::function<void(const std::string& json)>;

    virtual ~WebView() = default;
    // Starts opening `url` as given (UTF-8) and returns at once.
    virtual void Navigate(const std::string& url) = 0;
    // Starts loading the shown page again and returns at once.
    virtual void Reload() = 0;
    // Starts `script` in the shown page and returns at once; `done` gets the
    // result later, at most once, and never after the view is gone.
    virtual void RunJavaScript(const std::string& script, ScriptDone done) = 0;
    // The address the view shows now (empty before the first navigation).
    virtual std::string Url() const = 0;
    // Replaces the event handlers (an empty function: that event is ignored).
    virtual void SetEvents(WebViewEvents events) = 0;
};

}  // namespace orvane::platform
