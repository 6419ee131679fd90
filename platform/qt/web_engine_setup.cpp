#include "platform/qt/web_engine_setup.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/web_engine_flags.h"

namespace orvane::platform {

void PrepareWebEngine(WebEngineUse use) {
    const bool root = ::geteuid() == 0;
    const char* existing = std::getenv("QTWEBENGINE_CHROMIUM_FLAGS");
    const std::string flags = ChromiumFlags(existing ? existing : "", root);
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.c_str(), 1);
    if (root) ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    if (use == WebEngineUse::Headless) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The engine's dump of its OpenGL set-up at every start says nothing to
    // a user; QT_LOGGING_RULES still turns it back on.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
}

namespace {

// What the engine says at start-up when there is no display and no GPU, as
// there never is for a headless program.
bool ExpectedHeadlessNote(const QString& text) {
    return text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")) ||
           text.startsWith(QLatin1String("WebEngineContext used before")) ||
           text.startsWith(QLatin1String("No suitable graphics backend found"));
}

void HeadlessMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    if (type == QtWarningMsg && ExpectedHeadlessNote(text)) return;
    const char* kind = type == QtWarningMsg ? "warning" : type == QtCriticalMsg ? "critical" : "fatal";
    std::string line = std::string("qt(") + kind + "): " + text.simplified().toStdString() + "\n";
    ::fwrite(line.data(), 1, line.size(), stderr);
    if (type == QtFatalMsg) std::abort();
}

}  // namespace

void QuietHeadlessWebEngineMessages() { qInstallMessageHandler(HeadlessMessage); }

}  // namespace orvane::platform
