#pragma once
// Key events at the window boundary: a key event as the calculator's models
// read it, and the pairing of key releases with their presses.
#include <QHash>
#include <QSet>

#include "ui/model/virtual_keys.h"

class QEvent;
class QKeyEvent;
class QObject;

namespace orvane::ui {

// The key, its keypad flag and Shift of a key event, for VirtualKeyFromQt.
KeyDescription DescribeKey(const QKeyEvent* event);
// Return or the keypad's Enter.
bool IsEnterKey(const QKeyEvent* event);

// Keys pressed in a box since it got the focus. A release only counts when
// its press went to the same box, so the Enter that chose a menu item or
// closed a box does not reach the box that gets the focus next.
class KeyPressTracker {
public:
    // Feeds a FocusIn (forgets the box's keys), KeyPress (records the key) or
    // KeyRelease event of `box`. For a release, true when its press was
    // recorded in that box (which then forgets it); false for everything else
    // and for auto-repeated releases.
    bool Track(QObject* box, QEvent* event);

private:
    QHash<QObject*, QSet<quint32>> m_keysDown;
};

}  // namespace orvane::ui
