#pragma once
// A memo box kept in a vector of lines, with a caret and a selection, for
// the memo's tests and benchmark. Header only: a program that includes it
// links orvane_ui_model itself.
#include <algorithm>
#include <string>
#include <vector>

#include "ui/model/calculator_model.h"
#include "ui/model/script_memo.h"

namespace orvane::ui::test {

class VectorMemo : public MemoAccess, public MemoBox {
public:
    // --- MemoAccess: every line counts ---
    int LineCount() const override { return int(lines.size()); }
    std::string Line(int index) const override { return lines.at(size_t(index)); }
    void AppendLine(const std::string& line) override { lines.push_back(line); }

    // --- MemoBox ---
    bool Empty() const override { return lines.empty() || (lines.size() == 1 && lines[0].empty()); }
    int VisibleLineCount() const override { return std::max(1, int(lines.size())); }
    std::string VisibleLine(int index) const override {
        return index < int(lines.size()) ? lines.at(size_t(index)) : std::string();
    }
    MemoSelection Selection() const override { return selection; }
    void InsertLineAfter(int index, const std::string& text) override {
        lines.insert(lines.begin() + index + 1, text);
        selection = {index + 1, int(text.size()), 0, false};
    }
    void Select(int line, int column, int length) override {
        selection = {line, column, length, false};
    }
    void FocusBox() override { ++focusCount; }

    // Puts the caret at (line, column) with nothing selected.
    void Caret(int line, int column) { selection = {line, column, 0, false}; }

    std::vector<std::string> lines;
    MemoSelection selection;
    int focusCount = 0;
};

}  // namespace orvane::ui::test
