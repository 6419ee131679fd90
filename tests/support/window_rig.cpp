#include "tests/support/window_rig.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>

#include <atomic>

#include "platform/ini_file.h"
#include "ui/orvane_application.h"

namespace orvane::ui::test {

void RecordingDialogs::Message(QWidget*, MsgIcon icon, const QString& title, const QString& text) {
    boxes.append({icon, title, text});
}

void RecordingDialogs::Error(QWidget*, const QString& title, const QString& text) {
    errors.append({MsgIcon::Error, title, text});
}

Dialogs::Answer RecordingDialogs::YesNoCancel(QWidget*, const QString& title, const QString& text) {
    questions.append({MsgIcon::None, title, text});
    return answer;
}

bool RecordingDialogs::OpenUrl(const QUrl& url) {
    urls.append(url);
    return true;
}

QString RecordingDialogs::OpenFileName(QWidget*, const QString& dir, const QString& filter) {
    fileDialogs.append({dir, filter, QString()});
    return chosenFile;
}

QString RecordingDialogs::SaveFileName(QWidget*, const QString& dir, const QString& filter,
                                       const QString& proposedName) {
    fileDialogs.append({dir, filter, proposedName});
    return chosenFile;
}

DialogsScope::DialogsScope() { OrvaneApplication::instance()->setDialogs(&dialogs); }
DialogsScope::~DialogsScope() { OrvaneApplication::instance()->setDialogs(nullptr); }

void Drain() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

std::string IniValue(const QString& path, const char* section, const char* key) {
    platform::IniDocument ini;
    ini.Load(path.toStdString());
    return ini.ReadString(section, key, "<missing>");
}

QAction& FindAction(QMainWindow& window, const QString& caption) {
    const auto actions = window.menuBar()->findChildren<QAction*>();
    for (QAction* a : actions)
        if (a->text() == caption) return *a;
    const QByteArray message = "no menu item \"" + caption.toUtf8() + "\"";
    QTest::qFail(message.constData(), __FILE__, __LINE__);
    auto* missing = new QAction(&window);
    missing->setObjectName(QStringLiteral("missing menu item"));
    return *missing;
}

WindowRig::WindowRig() {
    QDir(m_dir.path()).mkpath(QStringLiteral("prog"));
    QDir(m_dir.path()).mkpath(QStringLiteral("run"));
    m_programPath = m_dir.filePath(QStringLiteral("prog/orvane"));
    static std::atomic<int> counter{0};
    options.programPath = m_programPath;
    options.iniPath = m_dir.filePath(QStringLiteral("prog/orvane.ini"));
    options.memoPath = m_dir.filePath(QStringLiteral("orvane.txt"));
    options.helpDir = m_dir.filePath(QStringLiteral("prog/help"));
    options.runtimeDir = m_dir.filePath(QStringLiteral("run")).toStdString();
    options.sharedBlockName = "orvane-widget-test-" +
                              std::to_string(QCoreApplication::applicationPid()) + "-" +
                              std::to_string(counter++);
    options.webView = &web;
    options.speechEngine = &speech;
}

WindowRig::~WindowRig() = default;

TForm1& WindowRig::Window() {
    if (!m_window) m_window = std::make_unique<TForm1>(options);
    return *m_window;
}

std::unique_ptr<TForm1> WindowRig::OpenAnother() const { return std::make_unique<TForm1>(options); }

void WindowRig::DestroyWindow() { m_window.reset(); }

}  // namespace orvane::ui::test
