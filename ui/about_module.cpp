#include "ui/about_module.h"

#include <QUrl>
#include <QWidget>

#include "platform/qt/qt_http_client.h"
#include "ui/about_box.h"
#include "ui/dialogs.h"
#include "ui/orvane_application.h"
#include "ui/wide_text.h"

namespace orvane::ui {

// The download's message boxes: over the box that started it while that is
// open, else over the window; the clock and the status line are the window's.
class AboutModule::Messages : public EngineHost {
public:
    Messages(QWidget* window, EngineHost& windowHost) : m_window(window), m_windowHost(windowHost) {}
    void SetParent(QWidget* box) { m_box = box; }

    void StatusLine2Show(int panel, const std::string& text) override {
        m_windowHost.StatusLine2Show(panel, text);
    }
    void ShowMessage(MsgIcon icon, const std::string& text) override {
        auto* app = OrvaneApplication::instance();
        const QString title = app ? app->title() : QString::fromLatin1(OrvaneApplication::kInitialTitle);
        QWidget* parent = m_box ? m_box.data() : m_window;
        OrvaneApplication::CurrentDialogs().Message(parent, icon, MessageCaption(icon, title), Wide(text));
    }
    LocalDateTime Now() override { return m_windowHost.Now(); }

private:
    QWidget* m_window;
    EngineHost& m_windowHost;
    QPointer<QWidget> m_box;
};

// Web addresses and files go to the desktop through the application's
// dialogs (which tests record).
class AboutModule::Opener : public platform::DesktopOpener {
public:
    bool Open(const std::string& target) override {
        const QString text = Wide(target);
        const QUrl url = text.startsWith(u'/') ? QUrl::fromLocalFile(text) : QUrl(text);
        return OrvaneApplication::CurrentDialogs().OpenUrl(url);
    }
};

AboutModule::AboutModule(QWidget* window, EngineHost& windowHost)
    : m_window(window),
      m_windowHost(windowHost),
      m_messages(std::make_unique<Messages>(window, windowHost)),
      m_opener(std::make_unique<Opener>()) {}

AboutModule::~AboutModule() {
    // The boxes and the download use the client: they go first.
    m_hidden.reset();
    m_download.reset();
    m_http.reset();
}

platform::HttpClient& AboutModule::http() {
    if (!m_http) m_http = std::make_unique<platform::QtHttpClient>();
    return *m_http;
}

UpdateDownload& AboutModule::download() {
    if (!m_download) m_download = std::make_unique<UpdateDownload>(http(), *m_opener, *m_messages);
    return *m_download;
}

platform::DesktopOpener& AboutModule::opener() { return *m_opener; }

void AboutModule::SetMessageParent(QWidget* box) { m_messages->SetParent(box); }

std::unique_ptr<TAboutBox> AboutModule::CreateBox() { return std::make_unique<TAboutBox>(*this, m_window); }

void AboutModule::CreateHiddenBox() { m_hidden = CreateBox(); }

void AboutModule::ShowAboutBox() {
    std::unique_ptr<TAboutBox> box = CreateBox();
    m_shown = box.get();
    box->exec();
    m_shown = nullptr;
}

}  // namespace orvane::ui
