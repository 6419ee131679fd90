#pragma once
// The window's named fonts, sized in pixels. A missing family falls back to
// the system's face of the same kind (fixed-pitch for Courier New), so that
// padded columns still line up.
#include <QFont>

namespace orvane::ui {

inline QFont NamedFont(const QString& family, QFont::StyleHint hint, int pixels, bool bold) {
    QFont f(family);
    f.setStyleHint(hint);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

inline QFont CourierNew(int pixels, bool bold) {
    return NamedFont(QStringLiteral("Courier New"), QFont::TypeWriter, pixels, bold);
}

inline QFont Arial(int pixels, bool bold) {
    return NamedFont(QStringLiteral("Arial"), QFont::SansSerif, pixels, bold);
}

}  // namespace orvane::ui
