#pragma once
// Hints (the short help of buttons, tool buttons and menu items) show as
// tooltips only. A status tip would put its text into the status line as a
// temporary message, and that hides all five panels while it shows.
class QMainWindow;

namespace orvane::ui {

// Makes `window` drop every status tip that reaches it (from its widgets,
// tool buttons and menus), so the status panels always stay visible, and
// lets the menus of its menu bar show their items' tooltips. Call once the
// menus are built.
void ShowHintsAsToolTips(QMainWindow& window);

}  // namespace orvane::ui
