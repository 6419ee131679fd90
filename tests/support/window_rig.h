#pragma once
// What the widget tests share: a recorder for the window's boxes and desktop
// hand-offs, and WindowRig, a main window of the test's own over temporary
// folders (settings, memo, help, runtime folder) and a shared block name of
// its own. Part of the library orvane_test_support_window (built with the
// window only).
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>
#include <QVector>

#include <memory>
#include <string>

#include "platform/fake_speech_engine.h"
#include "tests/support/queued_web_view.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/orvane_application.h"

class QAction;
class QMainWindow;

namespace orvane::ui::test {

struct RecordedBox {
    MsgIcon icon;
    QString title;
    QString text;
};

// Dialogs that record what the window would have shown or opened.
class RecordingDialogs : public Dialogs {
public:
    void Message(QWidget*, MsgIcon icon, const QString& title, const QString& text) override;
    void Error(QWidget*, const QString& title, const QString& text) override;
    Answer YesNoCancel(QWidget*, const QString& title, const QString& text) override;
    bool OpenUrl(const QUrl& url) override;
    QString OpenFileName(QWidget*, const QString& dir, const QString& filter) override;
    QString SaveFileName(QWidget*, const QString& dir, const QString& filter,
                         const QString& proposedName) override;

    struct FileDialog {
        QString dir, filter, proposedName;
    };
    QVector<RecordedBox> boxes;
    QVector<RecordedBox> errors;
    QVector<RecordedBox> questions;
    // What the confirmation boxes answer.
    Answer answer = Answer::Cancel;
    QVector<QUrl> urls;
    QVector<FileDialog> fileDialogs;
    // What the file dialogs answer (empty: cancelled).
    QString chosenFile;
};

// Installs a fresh recorder in the application for its lifetime.
struct DialogsScope {
    DialogsScope();
    ~DialogsScope();
    RecordingDialogs dialogs;
};

// Runs what the window queued (menu commands, button clicks, answer edits).
void Drain();

// The child of `parent` of type W named `name`; null, with a warning that
// names it, when there is none.
template <class W>
W* Child(QObject& parent, const char* name) {
    W* w = parent.findChild<W*>(QLatin1String(name));
    if (!w) qWarning("no child named %s", name);
    return w;
}

// The whole file at `path`, or "<unreadable>".
QByteArray ReadFile(const QString& path);
// Replaces the file at `path` with `bytes`; a failure fails the running test.
void WriteFile(const QString& path, const QByteArray& bytes);

// A key of a settings file, "<missing>" when it has none.
std::string IniValue(const QString& path, const char* section, const char* key);

// The menu item of `window`'s menu bar (any menu) with this caption. A
// missing item fails the running test with its caption, and an inert action
// stands in for it so that the test can go on to its end.
QAction& FindAction(QMainWindow& window, const QString& caption);

// One test's window: the recorder, the folders and the options, and the
// window built over them on first use.
class WindowRig {
public:
    WindowRig();
    ~WindowRig();
    WindowRig(const WindowRig&) = delete;
    WindowRig& operator=(const WindowRig&) = delete;

    // The window, built with `options` on the first call (change the options
    // or write files before that).
    TForm1& Window();
    // Another copy with the same options (an instance of its own).
    std::unique_ptr<TForm1> OpenAnother() const;
    // Destroys the window (its slot, title and block go); the next Window()
    // builds a new one.
    void DestroyWindow();

    // The rig's folder, and the path of `name` inside it.
    QString folder() const { return m_dir.path(); }
    QString File(const QString& name) const { return m_dir.filePath(name); }
    const QString& programPath() const { return m_programPath; }
    QString ini() const { return options.iniPath; }
    QString memo() const { return options.memoPath; }

    DialogsScope scope;
    RecordingDialogs& dialogs = scope.dialogs;
    // The window's speech engine: no voices unless a test gives some, so
    // that no test speaks through the machine's engine.
    platform::FakeSpeechEngine speech;
    // The browser page's web view: pages from a map, never the network.
    QueuedWebView web;
    WindowOptions options;

private:
    QTemporaryDir m_dir;
    QString m_programPath;
    std::unique_ptr<TForm1> m_window;
};

}  // namespace orvane::ui::test
