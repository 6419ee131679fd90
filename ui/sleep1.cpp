#include "ui/sleep1.h"

#include <QEventLoop>
#include <QTimer>

namespace orvane::ui {

bool Sleep1(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms < 0 ? 0 : ms, &loop, &QEventLoop::quit);
    loop.exec();
    return true;
}

}  // namespace orvane::ui
