#pragma once
// Named visual styles for the whole application. "Windows" is the look the
// application started with; every other name is the Fusion style with a
// palette of its own. Switching re-draws every window at once.
#include <QPalette>
#include <QString>
#include <QStringList>

namespace orvane::ui {

inline constexpr const char* kDefaultStyleName = "Windows";

class StyleManager {
public:
    // Remembers the application's current style and palette as "Windows".
    // Needs the QApplication object.
    StyleManager();

    // The offered names: "Windows" first, then the others alphabetically.
    static QStringList StyleNames();
    // True for a name StyleNames() lists (exact letters).
    static bool IsStyleName(const QString& name);
    // The palette of a named style; the application's starting palette for
    // "Windows" and for unknown names.
    QPalette PaletteOf(const QString& name) const;

    // Switches the application to the named style; false, and nothing
    // changed, for a name that is not offered.
    bool SetStyle(const QString& name);
    // The name last switched to ("Windows" until then).
    const QString& ActiveStyle() const { return m_active; }

private:
    QString m_defaultStyle;
    QPalette m_defaultPalette;
    QString m_active = kDefaultStyleName;
};

}  // namespace orvane::ui
