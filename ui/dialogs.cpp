#include "ui/dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace orvane::ui {

namespace {

QMessageBox::Icon BoxIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Error: return QMessageBox::Critical;
        case MsgIcon::Warning: return QMessageBox::Warning;
        case MsgIcon::Information: return QMessageBox::Information;
        case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

void Dialogs::Message(QWidget* parent, MsgIcon icon, const QString& title, const QString& text) {
    ShowBox(parent, BoxIcon(icon), title, text);
}

void Dialogs::Error(QWidget* parent, const QString& title, const QString& text) {
    ShowBox(parent, QMessageBox::Critical, title, text);
}

Dialogs::Answer Dialogs::YesNoCancel(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        default: return Answer::Cancel;
    }
}

bool Dialogs::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

QString Dialogs::OpenFileName(QWidget* parent, const QString& dir, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), dir, filter);
}

QString Dialogs::SaveFileName(QWidget* parent, const QString& dir, const QString& filter,
                              const QString& proposedName) {
    // An existing file is replaced without a second question.
    return QFileDialog::getSaveFileName(parent, QString(), QDir(dir).filePath(proposedName), filter,
                                        nullptr, QFileDialog::DontConfirmOverwrite);
}

QString MessageCaption(MsgIcon icon, const QString& applicationTitle) {
    switch (icon) {
        case MsgIcon::Error: return QStringLiteral("Error");
        case MsgIcon::Warning: return QStringLiteral("Warning");
        case MsgIcon::Information: return QStringLiteral("Information");
        case MsgIcon::None: break;
    }
    return applicationTitle;
}

}  // namespace orvane::ui
