#include "platform/qt/qt_web_page.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QUrl>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineProfile>

namespace orvane::platform {

class QtWebPage::EnginePage : public QWebEnginePage {
public:
    explicit EnginePage(QWebEngineProfile* profile) : QWebEnginePage(profile) {}

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int,
                                  const QString&) override {}
};

std::string ScriptResultJson(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return "null";
    const QJsonValue json = QJsonValue::fromVariant(value);
    if (json.isNull() || json.isUndefined()) return "null";
    // A document holds an array or an object: the value is written as the
    // only element of an array, whose brackets then go.
    QByteArray text = QJsonDocument(QJsonArray{json}).toJson(QJsonDocument::Compact);
    return std::string(text.constData() + 1, size_t(text.size() - 2));
}

QtWebPage::QtWebPage(QWebEngineProfile* profile) : m_page(std::make_unique<EnginePage>(profile)) {
    EnginePage* page = m_page.get();
    // Queued, with the page as context: nothing arrives once the page is gone.
    // Each handler runs from a copy, as it may replace the events itself.
    QObject::connect(
        page, &QWebEnginePage::loadFinished, page,
        [this](bool ok) {
            if (auto f = m_events.NavigationCompleted) f(ok);
        },
        Qt::QueuedConnection);
    QObject::connect(
        page, &QWebEnginePage::urlChanged, page,
        [this](const QUrl& url) {
            if (auto f = m_events.SourceChanged) f(url.toString().toStdString());
        },
        Qt::QueuedConnection);
}

QtWebPage::~QtWebPage() {
    *m_alive = false;
    m_page.reset();
}

QWebEnginePage* QtWebPage::Page() const { return m_page.get(); }

void QtWebPage::Navigate(const std::string& url) { m_page->load(QUrl(QString::fromStdString(url))); }

void QtWebPage::Reload() { m_page->triggerAction(QWebEnginePage::Reload); }

void QtWebPage::RunJavaScript(const std::string& script, ScriptDone done) {
    std::shared_ptr<bool> alive = m_alive;
    EnginePage* page = m_page.get();
    // The engine may call back at once (a page in no state to run scripts)
    // or while the page is being deleted: the result is queued, and dropped
    // once the page is going.
    m_page->runJavaScript(QString::fromStdString(script), [alive, page, done](const QVariant& result) {
        if (!*alive || !done) return;
        QMetaObject::invokeMethod(
            page, [alive, done, json = ScriptResultJson(result)] {
                if (*alive) done(json);
            },
            Qt::QueuedConnection);
    });
}

std::string QtWebPage::Url() const { return m_page->url().toString().toStdString(); }

void QtWebPage::SetEvents(WebViewEvents events) { m_events = std::move(events); }

}  // namespace orvane::platform
