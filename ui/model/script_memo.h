#pragma once
// The script memo's commands without widgets: the position display of the
// caret or selection in byte-selector notation, the arrow keys and Enter that
// evaluate the caret line, the double-click, and the quick / downward /
// upward search. The window forwards the memo's events here; the memo box is
// read and changed through MemoBox, the calculator panel through its model.
//
// Text is UTF-8 bytes. The position display counts bytes of the line, so that
// its numbers are the byte selectors ("[5]", "[-4]", "[4..5]") that address
// the same bytes in a template. Search positions and selections count UTF-16
// code units, as the box does.
#include <optional>
#include <string>
#include <string_view>

#include "ui/model/calculator_model.h"

namespace orvane::ui {

// The selection of the memo box. Lines are the box's visible lines: a line
// break at the very end shows one more, empty line.
struct MemoSelection {
    int line = 0;              // the line holding the selection start (the caret)
    int column = 0;            // selection start within that line, UTF-16 units
    int length = 0;            // selected UTF-16 units; 0 when nothing is selected
    bool crossesLine = false;  // the selection holds a line break
};

class MemoBox {
public:
    virtual ~MemoBox() = default;
    // True when the box holds no text at all.
    virtual bool Empty() const = 0;
    virtual int VisibleLineCount() const = 0;
    // Line `index` (0 <= index < VisibleLineCount()).
    virtual std::string VisibleLine(int index) const = 0;
    virtual MemoSelection Selection() const = 0;
    // Inserts `text` as a new line after line `index`, puts the caret at the
    // end of the new line and scrolls it into view.
    virtual void InsertLineAfter(int index, const std::string& text) = 0;
    // Selects `length` UTF-16 units from `column` of line `line`.
    virtual void Select(int line, int column, int length) = 0;
    // Gives the box the keyboard focus.
    virtual void FocusBox() = 0;
};

// What the position display shows: the third panel always, the first panel
// for a one-character selection.
struct PositionDisplay {
    std::string cursorPanel;
    std::optional<std::string> ascPanel;
};

// The position display for a caret line (UTF-8), the selection start's byte
// offset in it, the selection's length in bytes and whether the selection
// crosses a line break:
//   caret only:        "[col] or [-(n-col+1)]"
//   one character:     "[col+1] or [-(n-col)]    len:1" and "A=65(0x41)"
//   several:           "[col+1..col+L]  or [col+1..-(n-col-L+1)]    len:L"
//   across a line end: "Cross line"
PositionDisplay PositionDisplayText(std::string_view line, int col, int length, bool crossesLine);

// A search hit: line, 1-based position of the first occurrence (UTF-16
// units) and the column where the selection starts (position - 1).
struct SearchHit {
    int line = -1;
    int position = 0;
};

// The first line of `from`, `from + step`, ... (stopping before `end`) that
// contains `needle` ignoring the case of ASCII letters; the first occurrence
// within that line counts. `step` is 1 or -1.
std::optional<SearchHit> FindInMemo(const MemoBox& box, std::string_view needle, int from, int end,
                                    int step);

class ScriptMemoModel {
public:
    // The session evaluates Enter's statements; the calculator panel gets the
    // arrow keys' and double-click's statements and shows the panels.
    ScriptMemoModel(VariableSession& session, CalculatorModel& calculator, MemoBox& box);

    // Key released in the memo: lastfocus := 2, the position display, then
    // Up/Down show the caret line's answer in the calculator and Enter writes
    // it below the caret line. Errors raised by the evaluation escape; the
    // memo is then unchanged.
    void Memo_testKeyUp(int vk, bool shift);
    // Click: the caret column, then the position display.
    void Memo_testClick();
    // Double-click: the caret line is evaluated by the calculator panel.
    void Memo_testDblClick();
    // The mouse entered the memo.
    void Memo_testMouseEnter() { m_calc.set_lastfocus(2); }

    // Quick search from line 0 on every change of the search text; F3
    // searches down from the line after the caret line, Shift+F3 up from the
    // line before it (the memo then gets the focus). No wrap-around.
    void ComboBox_searchChange(const std::string& text);
    void Action_searchExecute(const std::string& text);
    void Action_search_upExecute(const std::string& text);

    // The position display of the current selection (nothing for an empty
    // memo).
    void ShowPosition();

private:
    // Searches lines from..end (exclusive) by `step`; shows and selects the
    // first hit. True on a hit.
    bool Search(const std::string& text, int from, int end, int step);

    VariableSession& m_session;
    CalculatorModel& m_calc;
    MemoBox& m_box;
};

}  // namespace orvane::ui
