#pragma once
// Text at the window boundary: the engines work on UTF-8 bytes, the widgets
// on wide text.
#include <QString>

#include <string>

namespace orvane::ui {

inline QString Wide(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline std::string Narrow(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace orvane::ui
