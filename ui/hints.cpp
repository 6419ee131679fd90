#include "ui/hints.h"

#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace orvane::ui {

namespace {

// Swallows status-tip events before the main window would turn them into a
// temporary status-line message.
class StatusTipFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::StatusTip) return true;
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void ShowHintsAsToolTips(QMainWindow& window) {
    window.installEventFilter(new StatusTipFilter(&window));
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>()) menu->setToolTipsVisible(true);
}

}  // namespace orvane::ui
