#pragma once
// The start-up measurement: with the environment variable ORVANE_SHOWN_TRACE
// set, the program writes one line to standard error when its main window is
// first exposed on the screen, "orvane: shown at <ns>", the time of the
// system's real-time clock in nanoseconds (a script compares it with the
// time it started the program). Without the variable nothing happens.
class QWidget;

namespace orvane::ui {

// Watches `window` (already shown, so it has its platform window).
void TraceFirstExpose(QWidget& window);

}  // namespace orvane::ui
