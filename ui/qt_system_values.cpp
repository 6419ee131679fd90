#include "ui/qt_system_values.h"

#include <QGuiApplication>
#include <QScreen>

namespace orvane::ui {

namespace {
QRect ScreenRect(bool virtualDesktop) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    return virtualDesktop ? screen->virtualGeometry() : screen->geometry();
}
}  // namespace

int QtSystemValues::ScreenWidth() { return ScreenRect(false).width(); }
int QtSystemValues::ScreenHeight() { return ScreenRect(false).height(); }
int QtSystemValues::DesktopWidth() { return ScreenRect(true).width(); }
int QtSystemValues::DesktopHeight() { return ScreenRect(true).height(); }

}  // namespace orvane::ui
