#include "ui/after_shown.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace orvane::ui {

namespace {

// Waits for the first expose of a window, then queues the step (so that the
// window's first paint comes before it).
class FirstExpose : public QObject {
public:
    FirstExpose(QWindow* window, QWidget* owner, std::function<void()> step)
        : QObject(window), m_window(window), m_owner(owner), m_step(std::move(step)) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Expose && m_window->isExposed()) {
            m_window->removeEventFilter(this);
            QTimer::singleShot(0, m_owner, std::move(m_step));
            deleteLater();
        }
        return false;
    }

private:
    QWindow* m_window;
    QWidget* m_owner;
    std::function<void()> m_step;
};

}  // namespace

void RunAfterFirstShown(QWidget& window, std::function<void()> step) {
    QTimer::singleShot(0, &window, [w = QPointer<QWidget>(&window), step = std::move(step)]() mutable {
        if (!w) return;
        QWindow* handle = w->windowHandle();
        if (w->isVisible() && handle && !handle->isExposed())
            new FirstExpose(handle, w, std::move(step));
        else
            step();
    });
}

}  // namespace orvane::ui
