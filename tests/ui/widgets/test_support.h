#pragma once
// Shared pieces of the widget tests: a recorder for boxes and desktop
// hand-offs, and a temporary world (settings, memo, runtime folder, shared
// block name) for one window.
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>
#include <QVector>

#include <atomic>
#include <string>

#include "platform/ini_file.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/orvane_application.h"

namespace orvane::ui::test {

struct RecordedBox {
    MsgIcon icon;
    QString title;
    QString text;
};

class RecordingDialogs : public Dialogs {
public:
    void Message(QWidget*, MsgIcon icon, const QString& title, const QString& text) override {
        boxes.append({icon, title, text});
    }
    void Error(QWidget*, const QString& title, const QString& text) override {
        errors.append({MsgIcon::Error, title, text});
    }
    bool OpenUrl(const QUrl& url) override {
        urls.append(url);
        return true;
    }
    QString OpenFileName(QWidget*, const QString& dir, const QString& filter) override {
        fileDialogs.append({dir, filter, QString()});
        return chosenFile;
    }
    QString SaveFileName(QWidget*, const QString& dir, const QString& filter,
                         const QString& proposedName) override {
        fileDialogs.append({dir, filter, proposedName});
        return chosenFile;
    }
    struct FileDialog {
        QString dir, filter, proposedName;
    };
    QVector<RecordedBox> boxes;
    QVector<RecordedBox> errors;
    QVector<QUrl> urls;
    QVector<FileDialog> fileDialogs;
    // What the file dialogs answer (empty: cancelled).
    QString chosenFile;
};

// Runs what the window queued (menu commands, button clicks, answer edits).
inline void Drain() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// A key of a settings file, "<missing>" when it has none.
inline std::string IniValue(const QString& path, const char* section, const char* key) {
    platform::IniDocument ini;
    ini.Load(path.toStdString());
    return ini.ReadString(section, key, "<missing>");
}

// Installs a fresh recorder for its lifetime.
struct DialogsScope {
    RecordingDialogs dialogs;
    DialogsScope() { OrvaneApplication::instance()->setDialogs(&dialogs); }
    ~DialogsScope() { OrvaneApplication::instance()->setDialogs(nullptr); }
};

// Folders and names of their own for the windows of one test.
struct World {
    QTemporaryDir dir;
    QString programPath;
    WindowOptions options;

    World() {
        QDir(dir.path()).mkpath(QStringLiteral("prog"));
        QDir(dir.path()).mkpath(QStringLiteral("run"));
        programPath = dir.filePath(QStringLiteral("prog/orvane"));
        static std::atomic<int> counter{0};
        options.programPath = programPath;
        options.iniPath = dir.filePath(QStringLiteral("prog/orvane.ini"));
        options.memoPath = dir.filePath(QStringLiteral("orvane.txt"));
        options.helpDir = dir.filePath(QStringLiteral("prog/help"));
        options.runtimeDir = dir.filePath(QStringLiteral("run")).toStdString();
        options.sharedBlockName = "orvane-widget-test-" + std::to_string(QCoreApplication::applicationPid()) +
                                  "-" + std::to_string(counter++);
        options.browserVisitMs = 0;
    }
    QString ini() const { return options.iniPath; }
    QString memo() const { return options.memoPath; }
};

}  // namespace orvane::ui::test
