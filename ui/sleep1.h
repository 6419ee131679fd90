#pragma once
// Waiting while the window stays alive.

namespace orvane::ui {

// Waits `ms` milliseconds while the event loop goes on handling every event
// (timers, keys, paints, window messages), so other handlers may run in
// between; returns true. Sleeps between events instead of spinning. A wait
// started inside another one ends before the outer one can.
bool Sleep1(int ms);

}  // namespace orvane::ui
