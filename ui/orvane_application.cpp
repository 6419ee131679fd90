#include "ui/orvane_application.h"

#include <QKeyEvent>

#include <clocale>

namespace orvane::ui {

OrvaneApplication::OrvaneApplication(int& argc, char** argv) : QApplication(argc, argv) {
    std::setlocale(LC_NUMERIC, "C");
    setTitle(QString::fromLatin1(kInitialTitle));
}

OrvaneApplication* OrvaneApplication::instance() {
    return dynamic_cast<OrvaneApplication*>(QCoreApplication::instance());
}

Dialogs& OrvaneApplication::CurrentDialogs() {
    static Dialogs real;
    OrvaneApplication* app = instance();
    return app ? app->dialogs() : real;
}

void OrvaneApplication::setTitle(const QString& title) {
    m_title = title;
    // Not the display name: the platform would append that to every window
    // caption.
    setApplicationName(title);
}

void OrvaneApplication::setKeyPreview(QWidget* window, KeyPreview preview) {
    m_previewWindow = window;
    m_preview = std::move(preview);
}

QString ErrorMessage(std::exception_ptr error) {
    try {
        if (error) std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
    }
    return QStringLiteral("Unknown error");
}

void OrvaneApplication::ReportError(const QString& message) {
    QWidget* parent = activeWindow();
    if (!parent) parent = m_previewWindow;
    m_dialogs->Error(parent, m_title, message);
}

void OrvaneApplication::ReportError(std::exception_ptr error) { ReportError(ErrorMessage(error)); }

bool OrvaneApplication::notify(QObject* receiver, QEvent* event) {
    try {
        if (m_preview && event->type() == QEvent::KeyPress && receiver->isWidgetType() &&
            m_previewWindow && static_cast<QWidget*>(receiver)->window() == m_previewWindow)
            m_preview(static_cast<QWidget*>(receiver), static_cast<QKeyEvent*>(event));
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportError(std::current_exception());
    }
    return false;
}

}  // namespace orvane::ui
