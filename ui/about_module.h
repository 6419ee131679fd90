#pragma once
// The about module of the window: the texts shared by every about box (the
// running version, the program names, the last update check's values), the
// HTTP client of the update check and the download, the hidden about box made
// at start-up, and ShowAboutBox (Help > About).
//
// The download belongs to the module, not to a box: it goes on when the box
// that started it closes, and its messages then appear over the window.
#include <QPointer>
#include <QString>

#include <memory>
#include <string>

#include "about/about_session.h"
#include "about/update_download.h"
#include "engine/session.h"
#include "platform/desktop_opener.h"
#include "platform/http_client.h"

class QWidget;

namespace orvane::ui {

class TAboutBox;

class AboutModule {
public:
    // `window` parents the boxes; `windowHost` gives the clock and the
    // status line. Both outlive the module.
    AboutModule(QWidget* window, EngineHost& windowHost);
    ~AboutModule();
    AboutModule(const AboutModule&) = delete;
    AboutModule& operator=(const AboutModule&) = delete;

    // The window's start-up: the running version (`version_Str`) and the
    // program file every box describes.
    void SetVersion(const std::string& version_Str) { m_session.version_Str = version_Str; }
    void SetProgramPath(const QString& path) { m_programPath = path; }

    // The start-up's about box: created hidden, so its creation steps set the
    // program names; it is never shown.
    void CreateHiddenBox();
    // Help > About: a new box, shown modally, destroyed when it closes.
    void ShowAboutBox();
    // A new box over the window, not shown (ShowAboutBox shows one; tests
    // show theirs themselves).
    std::unique_ptr<TAboutBox> CreateBox();

    TAboutBox* hiddenBox() const { return m_hidden.get(); }
    // The box ShowAboutBox is showing; null when none is open.
    TAboutBox* shownBox() const { return m_shown; }

    // --- what the boxes use ---
    AboutSession& session() { return m_session; }
    const QString& programPath() const { return m_programPath; }
    // Made on first use (no network object exists before the first check).
    platform::HttpClient& http();
    UpdateDownload& download();
    platform::DesktopOpener& opener();
    // Where the download's messages appear: over `box` while it is open,
    // else over the window.
    void SetMessageParent(QWidget* box);

private:
    class Messages;
    class Opener;

    QWidget* m_window;
    EngineHost& m_windowHost;
    AboutSession m_session;
    QString m_programPath;
    std::unique_ptr<Messages> m_messages;
    std::unique_ptr<Opener> m_opener;
    std::unique_ptr<platform::HttpClient> m_http;
    std::unique_ptr<UpdateDownload> m_download;
    std::unique_ptr<TAboutBox> m_hidden;
    TAboutBox* m_shown = nullptr;
};

}  // namespace orvane::ui
