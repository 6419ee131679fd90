#include "ui/style_manager.h"

#include <QApplication>
#include <QColor>
#include <QStyle>
#include <QStyleFactory>

#include <array>

namespace orvane::ui {

namespace {

struct StyleColors {
    const char* name;
    const char* window;
    const char* windowText;
    const char* base;
    const char* alternateBase;
    const char* text;
    const char* button;
    const char* buttonText;
    const char* highlight;
    const char* highlightedText;
    const char* link;
};

// One row per style, alphabetical. Dark styles keep light text on dark
// surfaces; light ones the reverse. Highlight colours give each its accent.
constexpr std::array kStyles{
    StyleColors{"Amethyst", "#e9e1f2", "#2a1a3a", "#ffffff", "#f3eef9", "#2a1a3a", "#d9cce8",
                "#2a1a3a", "#7b4fa3", "#ffffff", "#6a3d9a"},
    StyleColors{"Auric", "#2b2b2b", "#f0e6c8", "#1e1e1e", "#262626", "#f0e6c8", "#3a3a3a",
                "#f0e6c8", "#c9a227", "#000000", "#e0c060"},
    StyleColors{"Carbon", "#202428", "#e6e6e6", "#15181b", "#1c2024", "#e6e6e6", "#2d3236",
                "#e6e6e6", "#2f7fd8", "#ffffff", "#5aa2f0"},
    StyleColors{"Charcoal", "#36393f", "#dddddd", "#2a2c31", "#313439", "#dddddd", "#44474e",
                "#dddddd", "#5a9e6f", "#ffffff", "#7cc493"},
    StyleColors{"Cobalt", "#1f3a5f", "#eaf2ff", "#16304f", "#1b3657", "#eaf2ff", "#2a4e7c",
                "#eaf2ff", "#4fa3ff", "#04162b", "#8cc4ff"},
    StyleColors{"Emerald", "#e3f1e8", "#123524", "#ffffff", "#eef7f1", "#123524", "#cbe5d4",
                "#123524", "#1e8449", "#ffffff", "#15693a"},
    StyleColors{"Light", "#f7f7f7", "#202020", "#ffffff", "#f2f2f2", "#202020", "#ededed",
                "#202020", "#3d8ee6", "#ffffff", "#1f6fc5"},
    StyleColors{"Luna", "#ece9d8", "#000000", "#ffffff", "#f4f2e8", "#000000", "#e3e0cf",
                "#000000", "#316ac5", "#ffffff", "#0044aa"},
    StyleColors{"Obsidian", "#1b1b1f", "#c8c8d0", "#101013", "#17171b", "#c8c8d0", "#26262b",
                "#c8c8d0", "#6c5ce7", "#ffffff", "#a29bfe"},
    StyleColors{"Ruby", "#f4e4e6", "#3b0a12", "#ffffff", "#faf0f1", "#3b0a12", "#e8c9cd",
                "#3b0a12", "#b3122e", "#ffffff", "#9b0f27"},
    StyleColors{"Sapphire", "#dce6f5", "#0b1f44", "#ffffff", "#edf2fa", "#0b1f44", "#c5d5ee",
                "#0b1f44", "#0f52ba", "#ffffff", "#0d47a1"},
    StyleColors{"Silver", "#d4d7dc", "#1a1a1a", "#f4f5f7", "#e6e8eb", "#1a1a1a", "#c3c7ce",
                "#1a1a1a", "#7a8699", "#ffffff", "#3c5a8a"},
    StyleColors{"Sky", "#e6f3fb", "#0a2a3f", "#ffffff", "#f0f8fd", "#0a2a3f", "#cde7f7",
                "#0a2a3f", "#2a9df4", "#ffffff", "#1578c2"},
    StyleColors{"Slate", "#4a5563", "#f1f5f9", "#3a4350", "#414b59", "#f1f5f9", "#566273",
                "#f1f5f9", "#94a3b8", "#0f172a", "#cbd5e1"},
};

const StyleColors* FindStyle(const QString& name) {
    for (const StyleColors& s : kStyles)
        if (name == QLatin1String(s.name)) return &s;
    return nullptr;
}

QPalette MakePalette(const StyleColors& s) {
    const QColor window(s.window), text(s.text), base(s.base), button(s.button);
    QPalette p;
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, QColor(s.windowText));
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, QColor(s.alternateBase));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, QColor(s.buttonText));
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Highlight, QColor(s.highlight));
    p.setColor(QPalette::HighlightedText, QColor(s.highlightedText));
    p.setColor(QPalette::Link, QColor(s.link));
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, QColor(s.windowText).darker(130));
    // Shades for frames and bevels follow the button colour.
    p.setColor(QPalette::Light, button.lighter(150));
    p.setColor(QPalette::Midlight, button.lighter(120));
    p.setColor(QPalette::Mid, button.darker(130));
    p.setColor(QPalette::Dark, button.darker(170));
    p.setColor(QPalette::Shadow, Qt::black);
    // Disabled controls: text half-way towards their background.
    auto blend = [](const QColor& a, const QColor& b) {
        return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2,
                      (a.blue() + b.blue()) / 2);
    };
    p.setColor(QPalette::Disabled, QPalette::WindowText, blend(QColor(s.windowText), window));
    p.setColor(QPalette::Disabled, QPalette::Text, blend(text, base));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, blend(QColor(s.buttonText), button));
    return p;
}

}  // namespace

StyleManager::StyleManager()
    : m_defaultStyle(QApplication::style() ? QApplication::style()->name() : QString()),
      m_defaultPalette(QApplication::palette()) {}

QStringList StyleManager::StyleNames() {
    QStringList names{QString::fromLatin1(kDefaultStyleName)};
    for (const StyleColors& s : kStyles) names.append(QString::fromLatin1(s.name));
    return names;
}

bool StyleManager::IsStyleName(const QString& name) {
    return name == QLatin1String(kDefaultStyleName) || FindStyle(name) != nullptr;
}

QPalette StyleManager::PaletteOf(const QString& name) const {
    if (const StyleColors* s = FindStyle(name)) return MakePalette(*s);
    return m_defaultPalette;
}

bool StyleManager::SetStyle(const QString& name) {
    if (!IsStyleName(name)) return false;
    const StyleColors* s = FindStyle(name);
    const QString styleKey = s ? QStringLiteral("Fusion") : m_defaultStyle;
    // A new style object resets the palette, so the palette goes second.
    if (!styleKey.isEmpty() &&
        QApplication::style()->name().compare(styleKey, Qt::CaseInsensitive) != 0) {
        if (QStyle* style = QStyleFactory::create(styleKey)) QApplication::setStyle(style);
    }
    QApplication::setPalette(PaletteOf(name));
    m_active = name;
    return true;
}

}  // namespace orvane::ui
