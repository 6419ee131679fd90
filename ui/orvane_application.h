#pragma once
// The application object: the application's title, the application error
// dialog and the key preview of the main window (every key of the window is
// seen before the focused control).
//
// Every error that escapes an event handler ends that handler and reaches the
// error dialog (ReportError), after which the program carries on: notify()
// catches whatever escapes any handler; Run() serves handlers that sit inside
// a widget's own event handling.
#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QString>

#include <exception>
#include <functional>

#include "ui/dialogs.h"

class QKeyEvent;

namespace orvane::ui {

class OrvaneApplication : public QApplication {
public:
    // The title until an instance number is claimed.
    static constexpr const char* kInitialTitle = "ORVANE_XE10";

    // Sets the title to kInitialTitle. Switches the C library's number
    // format back to "C" (Qt sets the user's locale, and the engine's number
    // text must not depend on it).
    OrvaneApplication(int& argc, char** argv);

    static OrvaneApplication* instance();

    // The application's title (the name of its task-bar entry). Also the
    // caption of plain message boxes and of the error dialog.
    QString title() const { return m_title; }
    void setTitle(const QString& title);

    // The boxes and desktop hand-offs; the default shows real boxes. Not
    // owned; null restores the default.
    void setDialogs(Dialogs* dialogs) { m_dialogs = dialogs ? dialogs : &m_defaultDialogs; }
    Dialogs& dialogs() const { return *m_dialogs; }
    // The dialogs of the running OrvaneApplication, or real boxes without one.
    static Dialogs& CurrentDialogs();

    // Key presses aimed at any widget of `window` are handed to `preview`
    // first (the receiver and the event); the event then goes on as usual.
    using KeyPreview = std::function<void(QWidget* receiver, QKeyEvent* event)>;
    void setKeyPreview(QWidget* window, KeyPreview preview);

    // The application error dialog: shows the error's message in a critical
    // box over the active window.
    void ReportError(const QString& message);
    void ReportError(std::exception_ptr error);

    // Delivers every event; an error escaping a handler ends that handler
    // and goes to ReportError.
    bool notify(QObject* receiver, QEvent* event) override;

    // Runs a handler called from inside a widget's own event handling (an
    // event filter): an error it raises goes to ReportError right there, so
    // that it never unwinds through the toolkit's frames.
    template <class Handler>
    static void Run(Handler&& handler) {
        try {
            handler();
        } catch (...) {
            if (OrvaneApplication* app = instance()) app->ReportError(std::current_exception());
        }
    }

private:
    QString m_title;
    Dialogs m_defaultDialogs;
    Dialogs* m_dialogs = &m_defaultDialogs;
    QPointer<QWidget> m_previewWindow;
    KeyPreview m_preview;
};

// The message of an error as the error dialog shows it.
QString ErrorMessage(std::exception_ptr error);

}  // namespace orvane::ui
