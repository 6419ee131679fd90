#pragma once
// Start-up steps that may wait until the window is on the screen, so that it
// appears sooner.
#include <functional>

class QWidget;

namespace orvane::ui {

// Runs `step` from the event loop: once `window` has been exposed on the
// screen for the first time when it is shown by then, else as soon as the
// loop runs (a window that is never shown, as in tests). Nothing runs when
// `window` is destroyed first.
void RunAfterFirstShown(QWidget& window, std::function<void()> step);

}  // namespace orvane::ui
