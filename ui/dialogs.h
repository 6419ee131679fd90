#pragma once
// The window's modal boxes and its hand-offs to the desktop (help pages, web
// addresses) behind one small interface, so that tests can record them
// instead of waiting for a user.
#include <QString>
#include <QUrl>

#include "engine/session.h"

class QWidget;

namespace orvane::ui {

class Dialogs {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Dialogs() = default;
    // A modal box with one OK button. `title` is the box's caption.
    virtual void Message(QWidget* parent, MsgIcon icon, const QString& title, const QString& text);
    // The application's error dialog: a critical box with one OK button.
    virtual void Error(QWidget* parent, const QString& title, const QString& text);
    // A confirmation box with the question icon and the buttons Yes, No and
    // Cancel; closing it without a button counts as Cancel.
    virtual Answer YesNoCancel(QWidget* parent, const QString& title, const QString& text);
    // Opens a file or web address with the desktop's default handler; false
    // when the desktop could not.
    virtual bool OpenUrl(const QUrl& url);
    // File dialogs: the chosen file's path, or an empty text when the user
    // cancelled. `filter` is in the toolkit's form ("Text File (*.txt)").
    virtual QString OpenFileName(QWidget* parent, const QString& dir, const QString& filter);
    virtual QString SaveFileName(QWidget* parent, const QString& dir, const QString& filter,
                                 const QString& proposedName);
};

// The captions of the boxes the program shows for each icon kind; the plain
// box carries the application's title.
QString MessageCaption(MsgIcon icon, const QString& applicationTitle);

// The caption of the confirmation box.
inline constexpr const char* kConfirmCaption = "Confirm";

}  // namespace orvane::ui
