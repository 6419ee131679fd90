#include "ui/model/script_memo.h"

#include <cstdio>

#include "engine/evaluator.h"
#include "ui/model/calculator_text.h"
#include "ui/model/virtual_keys.h"

namespace orvane::ui {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// UTF-16 units of the UTF-8 sequence that starts with `lead`.
int UnitsOf(unsigned char lead) { return lead >= 0xF0 ? 2 : 1; }

// The byte offset in UTF-8 `text` after `units` UTF-16 units (clamped to the
// text's end).
size_t ByteOffset(std::string_view text, int units) {
    size_t i = 0;
    while (i < text.size() && units > 0) {
        units -= UnitsOf(static_cast<unsigned char>(text[i]));
        ++i;
        while (i < text.size() && IsContinuation(static_cast<unsigned char>(text[i]))) ++i;
    }
    return i;
}

// UTF-16 units in the first `bytes` bytes of UTF-8 `text`.
int UnitOffset(std::string_view text, size_t bytes) {
    int units = 0;
    for (size_t i = 0; i < bytes && i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (!IsContinuation(b)) units += UnitsOf(b);
    }
    return units;
}

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return upper;
}

std::string_view TrimBlanks(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
    return text.substr(b, e - b);
}

}  // namespace

PositionDisplay PositionDisplayText(std::string_view line, int col, int length, bool crossesLine) {
    const int n = int(line.size());
    PositionDisplay shown;
    if (length == 0) {
        shown.cursorPanel = "[" + std::to_string(col) + "] or [-" + std::to_string(n - col + 1) + "]";
    } else if (crossesLine) {
        shown.cursorPanel = "Cross line";
    } else if (length == 1) {
        shown.cursorPanel = "[" + std::to_string(col + 1) + "] or [-" + std::to_string(n - col) +
                            "]    len:" + std::to_string(length);
        const auto code = col < n ? static_cast<unsigned char>(line[size_t(col)]) : 0u;
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X", code);
        shown.ascPanel = std::string(line.substr(size_t(col), 1)) + "=" + std::to_string(code) +
                         "(0x" + hex + ")";
    } else {
        shown.cursorPanel = "[" + std::to_string(col + 1) + ".." + std::to_string(col + length) +
                            "]  or [" + std::to_string(col + 1) + "..-" +
                            std::to_string(n - col - length + 1) + "]    len:" +
                            std::to_string(length);
    }
    return shown;
}

std::optional<SearchHit> FindInMemo(const MemoBox& box, std::string_view needle, int from, int end,
                                    int step) {
    const std::string wanted = AsciiUpper(needle);
    for (int i = from; i != end; i += step) {
        const std::string line = box.VisibleLine(i);
        const size_t at = AsciiUpper(line).find(wanted);
        if (at != std::string::npos) return SearchHit{i, UnitOffset(line, at) + 1};
    }
    return std::nullopt;
}

ScriptMemoModel::ScriptMemoModel(VariableSession& session, CalculatorModel& calculator, MemoBox& box)
    : m_session(session), m_calc(calculator), m_box(box) {}

void ScriptMemoModel::ShowPosition() {
    if (m_box.Empty()) return;
    const MemoSelection sel = m_box.Selection();
    const std::string line = m_box.VisibleLine(sel.line);
    // Columns and lengths in bytes of the line (a selection past the line's
    // end crosses a line break and shows no numbers).
    const size_t start = ByteOffset(line, sel.column);
    const size_t stop = ByteOffset(line, sel.column + sel.length);
    const PositionDisplay shown =
        PositionDisplayText(line, int(start), int(stop - start), sel.crossesLine);
    m_calc.StatusLine2Show(kPanelCursor, shown.cursorPanel);
    if (shown.ascPanel) m_calc.StatusLine2Show(kPanelAsc, *shown.ascPanel);
}

void ScriptMemoModel::Memo_testKeyUp(int key, bool shift) {
    m_calc.set_lastfocus(2);
    ShowPosition();
    if (m_box.Empty()) return;
    const int y = m_box.Selection().line;
    if (key == vk::Up || (key == vk::Down && !shift)) {
        m_calc.ShowMemoLineAnswer(m_box.VisibleLine(y));
    } else if (key == vk::Return) {
        const std::string statement = m_box.VisibleLine(y);
        m_calc.SetExpressionText(statement);
        std::string answer;
        expression_Proc(m_session, statement, answer);  // an error leaves the memo as it is
        // A line that evaluates to itself (a plain number) gets an empty line.
        m_box.InsertLineAfter(y, answer != statement ? answer : std::string());
        m_box.FocusBox();
    }
}

void ScriptMemoModel::Memo_testClick() {
    if (m_box.Empty()) return;
    const MemoSelection sel = m_box.Selection();
    m_calc.StatusLine2Show(kPanelCursor,
                           std::to_string(ByteOffset(m_box.VisibleLine(sel.line), sel.column)));
    ShowPosition();
}

void ScriptMemoModel::Memo_testDblClick() {
    if (m_box.Empty()) return;
    m_calc.EvaluateMemoLine(m_box.VisibleLine(m_box.Selection().line));
}

bool ScriptMemoModel::Search(const std::string& text, int from, int end, int step) {
    if (text.empty()) return false;
    m_calc.StatusLine2Show(kPanelBinary, std::string());
    const std::optional<SearchHit> hit = FindInMemo(m_box, text, from, end, step);
    if (!hit) return false;
    m_calc.StatusLine2Show(kPanelBinary, "Line:" + std::to_string(hit->line) +
                                             ", pos:" + std::to_string(hit->position) +
                                             ", Len:" + std::to_string(WideLength(text)));
    m_box.Select(hit->line, hit->position - 1, WideLength(TrimBlanks(text)));
    return true;
}

void ScriptMemoModel::ComboBox_searchChange(const std::string& text) {
    Search(text, 0, m_box.VisibleLineCount(), 1);
}

void ScriptMemoModel::Action_searchExecute(const std::string& text) {
    const int from = m_box.Empty() ? 0 : m_box.Selection().line + 1;
    if (Search(text, from, m_box.VisibleLineCount(), 1)) m_box.FocusBox();
}

void ScriptMemoModel::Action_search_upExecute(const std::string& text) {
    const int from = m_box.Empty() ? -1 : m_box.Selection().line - 1;
    if (Search(text, from, -1, -1)) m_box.FocusBox();
}

}  // namespace orvane::ui
