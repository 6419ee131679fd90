#include "ui/key_tracker.h"

#include <QEvent>
#include <QKeyEvent>

namespace orvane::ui {

namespace {

// Identifies a physical key: press and release of one key share the scan
// code even when the modifiers changed in between.
quint32 KeyIdentity(const QKeyEvent* e) {
    return e->nativeScanCode() ? e->nativeScanCode() : quint32(e->key());
}

}  // namespace

KeyDescription DescribeKey(const QKeyEvent* e) {
    return {e->key(), e->modifiers().testFlag(Qt::KeypadModifier),
            e->modifiers().testFlag(Qt::ShiftModifier)};
}

bool IsEnterKey(const QKeyEvent* e) {
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

bool KeyPressTracker::Track(QObject* box, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn) {
        m_keysDown.remove(box);
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress) {
        m_keysDown[box].insert(KeyIdentity(key));
        return false;
    }
    if (key->isAutoRepeat()) return false;
    auto it = m_keysDown.find(box);
    return it != m_keysDown.end() && it->remove(KeyIdentity(key));
}

}  // namespace orvane::ui
