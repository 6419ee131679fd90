#include "ui/startup_trace.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <ctime>

namespace orvane::ui {

namespace {

class ExposeWatch : public QObject {
public:
    explicit ExposeWatch(QWindow* window) : QObject(window), m_window(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Expose && m_window->isExposed()) {
            timespec now{};
            ::clock_gettime(CLOCK_REALTIME, &now);
            std::fprintf(stderr, "orvane: shown at %lld\n",
                         static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
            std::fflush(stderr);
            m_window->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QWindow* m_window;
};

}  // namespace

void TraceFirstExpose(QWidget& window) {
    if (qEnvironmentVariableIsEmpty("ORVANE_SHOWN_TRACE")) return;
    QWindow* handle = window.windowHandle();
    if (!handle) return;
    handle->installEventFilter(new ExposeWatch(handle));
}

}  // namespace orvane::ui
