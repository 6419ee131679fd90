// The script memo's commands over a memo kept in a vector: the position
// display, the arrow keys and Enter, the double-click and the searches.
#include <gtest/gtest.h>

#include "engine/errors.h"
#include "smartformat/smart_session.h"
#include "tests/support/recording_host.h"
#include "tests/support/vector_memo.h"
#include "ui/model/script_memo.h"
#include "ui/model/virtual_keys.h"

namespace orvane::ui {
namespace {

class PanelHost : public orvane::test::RecordingHost {
public:
    void StatusLine2Show(int panel, const std::string& text) override {
        panels.at(size_t(panel)) = text;
        RecordingHost::StatusLine2Show(panel, text);
    }
    std::array<std::string, 5> panels;
};

struct Rig {
    orvane::test::CLocaleScope locale;
    PanelHost host;
    SmartSession session{host};
    test::VectorMemo memo;
    CalculatorModel calc{session, memo};
    ScriptMemoModel model{session, calc, memo};

    explicit Rig(std::vector<std::string> lines = {"ABS(-123)", "INT(1.6)", "0x1D", "29", "1B 24 43",
                                                   "x abs abs", "1/0", ""}) {
        session.SystemReset();
        memo.lines = std::move(lines);
    }
    const std::string& panel(int i) const { return host.panels.at(size_t(i)); }
};

TEST(PositionDisplay, Patterns) {
    struct Case {
        const char* line;
        int col, length;
        bool cross;
        const char* cursor;
        const char* asc;  // nullptr: the first panel is not written
    } cases[] = {
        {"1B 24 43", 5, 0, false, "[5] or [-4]", nullptr},
        {"abcdef", 0, 0, false, "[0] or [-7]", nullptr},
        {"abcdef", 6, 0, false, "[6] or [-1]", nullptr},
        {"1B 24 43", 3, 2, false, "[4..5]  or [4..-4]    len:2", nullptr},
        {"xAy", 1, 1, false, "[2] or [-2]    len:1", "A=65(0x41)"},
        {"a\x1b" "b", 1, 1, false, "[2] or [-2]    len:1", "\x1b=27(0x1B)"},
        {"abc", 1, 5, true, "Cross line", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const PositionDisplay shown = PositionDisplayText(c.line, c.col, c.length, c.cross);
        EXPECT_EQ(shown.cursorPanel, c.cursor);
        EXPECT_EQ(shown.ascPanel.has_value(), c.asc != nullptr);
        if (c.asc && shown.ascPanel) {
            EXPECT_EQ(*shown.ascPanel, c.asc);
        }
    }
}

TEST(ScriptMemo, PositionCountsBytesOfTheLine) {
    // "é" is two bytes: the selectors address bytes, as templates do.
    Rig r({"a\xc3\xa9" "b"});
    r.memo.selection = {0, 1, 1, false};  // "é" selected (one UTF-16 unit)
    r.model.Memo_testKeyUp(vk::Right, true);
    EXPECT_EQ(r.panel(kPanelCursor), "[2..3]  or [2..-2]    len:2");
    r.memo.Caret(0, 3);  // after "b"
    r.model.Memo_testKeyUp(vk::Right, false);
    EXPECT_EQ(r.panel(kPanelCursor), "[4] or [-1]");
    EXPECT_EQ(r.calc.lastfocus(), 2);
}

TEST(ScriptMemo, EmptyMemoShowsNothing) {
    Rig r(std::vector<std::string>{});
    r.host.panels[kPanelCursor] = "before";
    r.model.Memo_testKeyUp(vk::Return, false);
    r.model.Memo_testClick();
    EXPECT_EQ(r.panel(kPanelCursor), "before");
    EXPECT_TRUE(r.memo.lines.empty());
}

TEST(ScriptMemo, EnterWritesTheAnswerBelowTheCaretLine) {
    Rig r;
    r.memo.Caret(2, 4);  // "0x1D"
    r.model.Memo_testKeyUp(vk::Return, false);
    ASSERT_EQ(r.memo.lines.at(3), "29");
    EXPECT_EQ(r.memo.lines.at(4), "29");  // the old line 3 moved down
    EXPECT_EQ(r.memo.selection.line, 3);
    EXPECT_EQ(r.memo.selection.column, 2);  // caret at the end of the new line
    EXPECT_EQ(r.calc.expression_text(), "0x1D");
    EXPECT_EQ(r.calc.answer_text(), "");  // Enter leaves the answer box alone
    EXPECT_EQ(r.memo.focusCount, 1);

    // A line that is its own answer gets an empty line.
    r.memo.Caret(4, 0);
    r.model.Memo_testKeyUp(vk::Return, false);
    EXPECT_EQ(r.memo.lines.at(5), "");
    EXPECT_EQ(r.memo.selection.line, 5);
    EXPECT_EQ(r.memo.selection.column, 0);
}

TEST(ScriptMemo, EnterOnAFaultingStatementRaisesAndLeavesTheMemo) {
    Rig r;
    const auto before = r.memo.lines;
    r.memo.Caret(6, 0);  // "1/0"
    EXPECT_THROW(r.model.Memo_testKeyUp(vk::Return, false), EOrvane);
    EXPECT_EQ(r.memo.lines, before);
}

TEST(ScriptMemo, ArrowKeysShowEachLinesAnswer) {
    Rig r;
    const char* answers[] = {"123", "1", "29"};
    for (int line = 0; line < 3; ++line) {
        r.memo.Caret(line, 0);
        r.model.Memo_testKeyUp(vk::Down, false);
        EXPECT_EQ(r.calc.expression_text(), r.memo.lines[size_t(line)]);
        EXPECT_EQ(r.calc.answer_text(), answers[line]);
        EXPECT_EQ(r.panel(kPanelHex).substr(0, 2), "0x");  // the answer's fan-out ran
    }
    // Shift+Down extends a selection and evaluates nothing; Shift+Up does.
    r.memo.Caret(0, 0);
    r.model.Memo_testKeyUp(vk::Down, true);
    EXPECT_EQ(r.calc.answer_text(), "29");
    r.model.Memo_testKeyUp(vk::Up, true);
    EXPECT_EQ(r.calc.answer_text(), "123");
    EXPECT_EQ(r.session.Tmp_answer_1, "");  // the arrow keys leave the last answer
}

TEST(ScriptMemo, DoubleClickEvaluatesInTheCalculator) {
    Rig r;
    r.memo.Caret(1, 2);
    r.model.Memo_testDblClick();
    EXPECT_EQ(r.calc.answer_text(), "1");
    EXPECT_EQ(r.session.Tmp_answer_1, "1");
    EXPECT_EQ(r.calc.last_input_string(), "INT(1.6)");
    EXPECT_EQ(r.calc.expression_cursor(), CalculatorModel::Cursor::SelectAll);
}

TEST(ScriptMemo, QuickSearchFromTheFirstLine) {
    Rig r;
    r.memo.Caret(6, 0);
    r.model.ComboBox_searchChange("abs");
    EXPECT_EQ(r.panel(kPanelBinary), "Line:0, pos:1, Len:3");
    EXPECT_EQ(r.memo.selection.line, 0);
    EXPECT_EQ(r.memo.selection.column, 0);
    EXPECT_EQ(r.memo.selection.length, 3);
    EXPECT_EQ(r.memo.focusCount, 0);  // the focus stays in the search box

    // Blanks around the text count for the position and Len, not the selection.
    r.model.ComboBox_searchChange(" Abs ");
    EXPECT_EQ(r.panel(kPanelBinary), "Line:5, pos:2, Len:5");
    EXPECT_EQ(r.memo.selection.column, 1);
    EXPECT_EQ(r.memo.selection.length, 3);

    // A miss clears the panel and keeps the selection; empty text does nothing.
    r.model.ComboBox_searchChange("nowhere");
    EXPECT_EQ(r.panel(kPanelBinary), "");
    EXPECT_EQ(r.memo.selection.line, 5);
    r.host.panels[kPanelBinary] = "kept";
    r.model.ComboBox_searchChange("");
    EXPECT_EQ(r.panel(kPanelBinary), "kept");
}

TEST(ScriptMemo, SearchDownAndUpWithoutWrapping) {
    Rig r;
    r.memo.Caret(0, 0);
    r.model.Action_searchExecute("ABS");  // line 0 is the caret line: skipped
    EXPECT_EQ(r.memo.selection.line, 5);
    EXPECT_EQ(r.memo.selection.column, 2);
    EXPECT_EQ(r.memo.focusCount, 1);
    // The second "abs" of line 5 is never found; nothing below it either.
    r.model.Action_searchExecute("abs");
    EXPECT_EQ(r.memo.selection.line, 5);
    EXPECT_EQ(r.panel(kPanelBinary), "");

    r.model.Action_search_upExecute("abs");
    EXPECT_EQ(r.memo.selection.line, 0);
    EXPECT_EQ(r.panel(kPanelBinary), "Line:0, pos:1, Len:3");
    r.model.Action_search_upExecute("abs");  // nothing above line 0
    EXPECT_EQ(r.memo.selection.line, 0);

    // In the last line F3 finds nothing.
    r.memo.Caret(7, 0);
    r.model.Action_searchExecute("1");
    EXPECT_EQ(r.memo.selection.line, 7);
    EXPECT_EQ(r.memo.focusCount, 2);
}

}  // namespace
}  // namespace orvane::ui
