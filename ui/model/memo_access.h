#pragma once
// The script memo's lines as the calculator panel reads and extends them.
#include <string>

namespace orvane::ui {

// The script memo as far as the calculator panel uses it (the calculator's
// tape and the source of the history keys). Implemented by the window over
// its memo widget, by tests with a vector.
class MemoAccess {
public:
    virtual ~MemoAccess() = default;
    // Number of lines (line numbers count from 0).
    virtual int LineCount() const = 0;
    // The text of line `index`, 0 <= index < LineCount().
    virtual std::string Line(int index) const = 0;
    // Appends `line` as a new last line.
    virtual void AppendLine(const std::string& line) = 0;
};

}  // namespace orvane::ui
