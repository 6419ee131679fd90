#include "ui/clickable_label.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace orvane::ui {

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void ClickableLabel::Click() {
    if (m_action) m_action();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        Click();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            event->accept();
            Click();
            return;
        default:
            QLabel::keyPressEvent(event);
    }
}

}  // namespace orvane::ui
