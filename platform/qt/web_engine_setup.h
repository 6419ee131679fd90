#pragma once
// The start-up the web engine needs, in one place for the window and
// orvane-tool. Call PrepareWebEngine once, before the QApplication (window)
// or QGuiApplication (tool) is created; Qt WebEngine needs at least a
// QGuiApplication, a QCoreApplication is not enough.

namespace orvane::platform {

enum class WebEngineUse {
    Window,    // a web view shown in the window
    Headless,  // pages without a view and without a screen (orvane-tool)
};

// Prepares the process for Qt WebEngine:
// - Chromium's switches (ChromiumFlags) are appended to the user's own in
//   QTWEBENGINE_CHROMIUM_FLAGS; when the process runs as root the sandbox,
//   which Chromium refuses for the superuser, is switched off
//   (QTWEBENGINE_DISABLE_SANDBOX=1 and "--no-sandbox"), and only then;
// - OpenGL contexts are shared between threads (Qt::AA_ShareOpenGLContexts),
//   as the engine's renderer requires;
// - the engine's informational start-up dump is switched off;
// - Headless: the offscreen platform plugin is used whatever
//   QT_QPA_PLATFORM says, so no display is needed.
void PrepareWebEngine(WebEngineUse use);

// For Headless programs: Qt's informational messages and the engine's
// start-up notes about the missing GPU and display go nowhere; every other
// Qt warning goes to standard error as one line "qt(warning): text". Call
// before the application object is created.
void QuietHeadlessWebEngineMessages();

}  // namespace orvane::platform
