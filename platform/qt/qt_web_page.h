#pragma once
// The web view on Qt WebEngine: a QWebEnginePage that the window shows in a
// QWebEngineView (QWebEngineView::setPage(Page())) and orvane-tool runs
// without any view. Its events are queued, so they reach the handlers from
// the event loop, outside the engine's own calls: loadFinished becomes
// NavigationCompleted, urlChanged SourceChanged. Qt WebEngine 6.4 reports no
// frame navigations, so FrameNavigationCompleted never comes. Console
// messages of the pages are dropped.
#include <memory>
#include <string>

#include "platform/web_view.h"

class QWebEnginePage;
class QWebEngineProfile;
class QVariant;

namespace orvane::platform {

class QtWebPage : public WebView {
public:
    // A page in `profile`, which must outlive it.
    explicit QtWebPage(QWebEngineProfile* profile);
    // Deletes the page; script results still pending are dropped. Not to be
    // called from inside one of its own event handlers.
    ~QtWebPage() override;
    QtWebPage(const QtWebPage&) = delete;
    QtWebPage& operator=(const QtWebPage&) = delete;

    // The page, for a QWebEngineView to show (the view does not own it).
    QWebEnginePage* Page() const;

    void Navigate(const std::string& url) override;
    void Reload() override;
    void RunJavaScript(const std::string& script, ScriptDone done) override;
    std::string Url() const override;
    void SetEvents(WebViewEvents events) override;

private:
    class EnginePage;
    std::unique_ptr<EnginePage> m_page;
    WebViewEvents m_events;
    // Read by the script callbacks, which the engine may call while the
    // page is being deleted.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// The JSON text of a script result: "null" for no value, else the value as
// JSON (a string in double quotes with JSON's escapes).
std::string ScriptResultJson(const QVariant& value);

}  // namespace orvane::platform
