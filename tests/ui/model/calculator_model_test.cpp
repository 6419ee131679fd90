// The calculator panel model driven as the window drives it: keys typed into
// a simulated expression box, a fake memo, a recording host and speech.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "engine/date_time.h"
#include "engine/errors.h"
#include "smartformat/smart_session.h"
#include "tests/support/recording_host.h"
#include "ui/model/calculator_model.h"
#include "ui/model/calculator_text.h"
#include "ui/model/virtual_keys.h"

namespace orvane::ui {
namespace {

using Item = CalculatorModel::Item;
using Cursor = CalculatorModel::Cursor;

class FakeMemo : public MemoAccess {
public:
    int LineCount() const override { return int(lines.size()); }
    std::string Line(int index) const override { return lines.at(size_t(index)); }
    void AppendLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

// Records panel writes both as current texts and in the shared event log.
class LogHost : public test::RecordingHost {
public:
    explicit LogHost(std::vector<std::string>& log) : m_log(log) {}
    void StatusLine2Show(int panel, const std::string& text) override {
        panels.at(size_t(panel)) = text;
        m_log.push_back("panel" + std::to_string(panel) + ":" + text);
        RecordingHost::StatusLine2Show(panel, text);
    }
    std::array<std::string, 5> panels;

private:
    std::vector<std::string>& m_log;
};

class LogSpeech : public SpeechOutput {
public:
    explicit LogSpeech(std::vector<std::string>& log) : m_log(log) {}
    void speech_action(const std::string& expression, const std::string& answer) override {
        ++count;
        m_log.push_back("say:" + expression + "|" + answer);
    }
    int count = 0;

private:
    std::vector<std::string>& m_log;
};

bool NeedsShift(char c) {
    return std::string_view(")!@#$%^&*(+_:<>?~{}|\"").find(c) != std::string_view::npos ||
           (c >= 'A' && c <= 'Z');
}

// A model wired as the window wires it, with the expression box simulated:
// the listener mirrors the model into `box`, Press() forwards a key's events
// in the window's order and inserts the typed character as the box would.
struct Rig {
    test::CLocaleScope locale;
    std::vector<std::string> log;
    LogHost host{log};
    SmartSession session{host};
    FakeMemo memo;
    LogSpeech speech{log};
    CalculatorModel model{session, memo, &speech};
    CalculatorModel::EditState box;

    Rig() {
        session.SystemReset();
        model.SetListener([this](Item item) { Mirror(item); });
    }

    void Mirror(Item item) {
        switch (item) {
            case Item::Expression:
                box.text = model.expression_text();
                box.selectedText.clear();
                log.push_back("Expression=" + box.text);
                break;
            case Item::ExpressionCursor:
                box.selectedText =
                    model.expression_cursor() == Cursor::SelectAll ? box.text : std::string();
                log.push_back(model.expression_cursor() == Cursor::SelectAll ? "Cursor=SelectAll"
                                                                             : "Cursor=End");
                break;
            case Item::ExpressionFont:
                log.push_back("ExpressionFont=" + std::to_string(model.expression_font_points()));
                break;
            case Item::Answer: log.push_back("Answer=" + model.answer_text()); break;
            case Item::AnswerFont:
                log.push_back("AnswerFont=" + std::to_string(model.answer_font_points()));
                break;
            case Item::Dec: log.push_back("Dec=" + model.dec_text()); break;
            case Item::Hex: log.push_back("Hex=" + model.hex_text()); break;
            case Item::Binary: log.push_back("Binary=" + model.binary_text()); break;
            case Item::SecToDayTime: log.push_back("Label=" + model.sec_to_day_time_text()); break;
        }
    }

    // One key: window preview, key down, character, insertion, key up.
    void Press(int vkCode, bool shift, char32_t ch) {
        model.FormKeyDown(vkCode);
        model.ComboBoxExpressionKeyDown(vkCode, shift, box);
        if (ch >= 32) {
            model.FormKeyPress(ch);
            model.ComboBoxExpressionKeyPress(ch, box);
            if (!box.selectedText.empty()) {
                EXPECT_EQ(box.selectedText, box.text) << "only whole-text selections here";
                box.text.clear();
                box.selectedText.clear();
            }
            box.text += char(ch);
        }
        model.ComboBoxExpressionKeyUp(vkCode, box);
    }
    void Type(std::string_view text) {
        for (char c : text) {
            const bool shift = NeedsShift(c);
            const int code = VirtualKeyFromQt({c >= 'a' && c <= 'z' ? c - 32 : c, false, shift});
            ASSERT_NE(code, 0) << c;
            Press(code, shift, static_cast<unsigned char>(c));
        }
    }
    void Enter() { Press(vk::Return, false, 0); }
    void Enter(std::string_view statement) {
        Type(statement);
        Enter();
    }
    // Index of the first log entry equal to `entry` at or after `from`.
    size_t Find(const std::string& entry, size_t from = 0) const {
        auto it = std::find(log.begin() + long(std::min(from, log.size())), log.end(), entry);
        return size_t(it - log.begin());
    }
};

TEST(CalculatorModel, EnterEvaluatesFansOutInOrderAndKeepsTheTape) {
    Rig r;
    r.Type("6*7");
    r.log.clear();
    r.Enter();
    // The engine reads "2A" back as a number and says so before the panel
    // gets its final text; speech is the fan-out's last step.
    EXPECT_EQ(r.log, (std::vector<std::string>{
                         "panel1:13(0x0D)", "Answer=42", "Dec=42", "Hex=2A", "Binary=0010 1010",
                         "panel3:Variable convert error ", "panel3:0x2A", "panel4:0010 1010.b",
                         "say:6*7|42", "AnswerFont=28", "Cursor=SelectAll", "panel4:6*7"}));
    EXPECT_EQ(r.memo.lines, std::vector<std::string>{"6*7"});
    EXPECT_EQ(r.model.memo_test_latest_pos(), 0);
    EXPECT_EQ(r.model.last_input_string(), "6*7");
    EXPECT_EQ(r.box.selectedText, "6*7");
    EXPECT_EQ(r.session.Tmp_answer_1, "42");
    EXPECT_EQ(r.session.Tmp_answer_all, "42");
    EXPECT_EQ(r.model.lastfocus(), 1);
}

TEST(CalculatorModel, OnePlusTwoShowsEveryForm) {
    Rig r;
    r.memo.lines = {"ABS(-123)", ""};
    r.Enter("1+2");
    EXPECT_EQ(r.model.answer_text(), "3");
    EXPECT_EQ(r.model.dec_text(), "3");
    EXPECT_EQ(r.model.hex_text(), "3");
    EXPECT_EQ(r.model.binary_text(), "0011");
    EXPECT_EQ(r.host.panels[3], "0x3");
    EXPECT_EQ(r.host.panels[4], "1+2");  // the selection replaced "0011.b"
    EXPECT_EQ(r.host.StatusCount("0011.b"), 1);
    EXPECT_EQ(r.memo.lines.back(), "1+2");
    EXPECT_EQ(r.model.memo_test_latest_pos(), 2);
    EXPECT_EQ(r.speech.count, 1);
}

TEST(CalculatorModel, ContinuationKeysAfterEnter) {
    struct Row {
        const char* name;
        int vkCode;
        bool shift;
        char ch;
        const char* textAfterKey;   // the box once the key is typed
        const char* thenFourAnswer;  // answer after typing "4" and Enter; null: not run
        // A history key between Enter and the key (0: none). Up and Down
        // after Enter bring back the statement the box shows selected.
        int historyKey = 0;
    };
    const Row rows[] = {
        {"keypad plus", vk::Add, false, '+', "1+2+", "7"},
        {"keypad minus", vk::Subtract, false, '-', "1+2-", "-1"},
        {"keypad times", vk::Multiply, false, '*', "(1+2)*", "12"},
        {"keypad divide", vk::Divide, false, '/', "(1+2)/", "0.75"},
        {"main slash", vk::Oem2Slash, false, '/', "(1+2)/", "0.75"},
        {"shift 6", 54, true, '^', "(1+2)^", "81"},
        {"shift 7", 55, true, '&', "(1+2)&", nullptr},
        {"shift 8", 56, true, '*', "(1+2)*", "12"},
        {"shift 0 closes", 48, true, ')', "(1+2)", nullptr},
        {"digit starts anew", 52, false, '4', "4", "44"},
        {"unshifted 8 is a digit", 56, false, '8', "8", nullptr},
        {"keypad digit starts anew", 100, false, '4', "4", "44"},
        {"shift 9 is a digit key", 57, true, '(', "(", nullptr},
        {"main plus replaces", vk::OemPlus, true, '+', "+", nullptr},
        {"letter replaces", 65, false, 'a', "a", nullptr},
        {"Up, then keypad plus", vk::Add, false, '+', "1+2+", "7", vk::Up},
        {"Up, then keypad times", vk::Multiply, false, '*', "(1+2)*", "12", vk::Up},
        {"Up, then a digit", 52, false, '4', "4", "44", vk::Up},
        {"Down, then keypad minus", vk::Subtract, false, '-', "1+2-", "-1", vk::Down},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Rig r;
        r.Enter("1+2");
        if (row.historyKey) {
            r.Press(row.historyKey, false, 0);
            EXPECT_EQ(r.box.selectedText, "1+2");
            EXPECT_EQ(r.model.last_input_string(), "1+2");
            EXPECT_EQ(r.host.panels[4], "1+2");
        }
        r.Press(row.vkCode, row.shift, row.ch);
        EXPECT_EQ(r.box.text, row.textAfterKey);
        EXPECT_EQ(r.model.last_input_string(), "");
        if (row.thenFourAnswer) {
            r.Enter("4");
            EXPECT_EQ(r.model.answer_text(), row.thenFourAnswer);
        }
    }
}

TEST(CalculatorModel, ContinuationNeedsASelectedStatement) {
    Rig r;
    r.Type("1+2");
    r.Press(vk::Add, false, '+');  // nothing selected: an ordinary "+"
    EXPECT_EQ(r.box.text, "1+2+");
    EXPECT_EQ(r.Find("Cursor=End"), r.log.size());

    // A selection made with the keys is what the continuation takes.
    r.box.selectedText = "2+";
    r.model.ComboBoxExpressionKeyUp(vk::Left, r.box);
    EXPECT_EQ(r.model.last_input_string(), "2+");
    EXPECT_EQ(r.host.panels[4], "2+");
    r.model.ComboBoxExpressionKeyDown(vk::Multiply, false, r.box);
    EXPECT_EQ(r.model.expression_text(), "(2+)");
    EXPECT_EQ(r.model.expression_cursor(), Cursor::End);

    r.model.ComboBoxExpressionKeyUp(vk::Right, {"(2+)", ""});
    EXPECT_EQ(r.model.last_input_string(), "");
    EXPECT_EQ(r.host.panels[4], "");
}

TEST(CalculatorModel, ClosingParenthesisWithoutPartnerBracketsTheText) {
    struct Row {
        const char* before;
        const char* after;
    };
    for (const Row& row : {Row{"", "()"}, Row{"1+2", "(1+2)"}, Row{"(1+2", "(1+2)"},
                           Row{"(1+2)", "((1+2))"}, Row{"((1)", "((1))"}}) {
        Rig r;
        r.model.SetExpressionText(row.before);
        r.Press(48, true, ')');
        EXPECT_EQ(r.box.text, row.after) << row.before;
    }
}

TEST(CalculatorModel, ExpressionFontFollowsTheLengthBeforeTheKey) {
    Rig r;
    r.model.ComboBoxExpressionKeyDown(vk::KeyA, false, {std::string(31, '1'), ""});
    EXPECT_EQ(r.model.expression_font_points(), 24);
    r.model.ComboBoxExpressionKeyDown(vk::KeyA, false, {std::string(32, '1'), ""});
    EXPECT_EQ(r.model.expression_font_points(), 23);
    std::string accents;
    for (int i = 0; i < 99; ++i) accents += "\xC3\xA9";  // 99 characters, 198 bytes
    r.model.ComboBoxExpressionKeyDown(vk::KeyA, false, {accents, ""});
    EXPECT_EQ(r.model.expression_font_points(), 13);
}

TEST(CalculatorModel, HistoryWalksTheMemoWithoutEvaluating) {
    Rig r;
    r.memo.lines = {"A1", "B2", "C3"};
    struct Step {
        int key;
        const char* text;
        int pos;
    };
    const Step steps[] = {
        {vk::Up, "A1", 0},  {vk::Up, "A1", 0},   {vk::Down, "A1", 1}, {vk::Down, "B2", 2},
        {vk::Down, "C3", 3}, {vk::Down, "", 3},  {vk::Up, "", 2},     {vk::Up, "C3", 1},
    };
    for (const Step& s : steps) {
        r.Press(s.key, false, 0);
        EXPECT_EQ(r.box.text, s.text);
        EXPECT_EQ(r.model.memo_test_latest_pos(), s.pos);
    }
    EXPECT_EQ(r.model.answer_text(), "");
    EXPECT_EQ(r.speech.count, 0);

    // Enter moves the position to the line it appended.
    r.model.SetExpressionText("");
    r.Enter("1+2");
    EXPECT_EQ(r.model.memo_test_latest_pos(), 3);
    // The same statement comes back and stays selected, so it stays the
    // one the continuation keys take; another line replaces the selection.
    r.Press(vk::Up, false, 0);
    EXPECT_EQ(r.box.text, "1+2");
    EXPECT_EQ(r.box.selectedText, "1+2");
    EXPECT_EQ(r.model.last_input_string(), "1+2");
    r.Press(vk::Up, false, 0);
    EXPECT_EQ(r.box.text, "C3");
    EXPECT_EQ(r.box.selectedText, "");
    EXPECT_EQ(r.model.last_input_string(), "");
}

TEST(CalculatorModel, TheSameAnswerAgainTriggersNothing) {
    Rig r;
    r.Enter("1+2");
    r.log.clear();
    r.Enter();
    EXPECT_EQ(r.Find("Answer=3"), r.log.size());
    EXPECT_EQ(r.Find("Dec=3"), r.log.size());
    EXPECT_EQ(r.speech.count, 1);
    EXPECT_EQ(r.memo.lines.size(), 2u);  // the tape still gets the line

    r.model.Edit_ansChange("3");
    EXPECT_EQ(r.speech.count, 1);
}

TEST(CalculatorModel, ConversionsTakeTheAnswerUnchanged) {
    struct Row {
        const char* answer;
        const char* hex;
        const char* binary;
    };
    // No sign is read and the digits stop at the decimal point.
    for (const Row& row : {Row{"-5", "0", "0000"}, Row{"2.5", "2", "0010"},
                           Row{"256", "100", "0001 0000 0000"}, Row{"255", "FF", "1111 1111"},
                           Row{"abc", "0", "0000"}}) {
        SCOPED_TRACE(row.answer);
        Rig r;
        r.model.Edit_ansChange(row.answer);
        EXPECT_EQ(r.model.dec_text(), row.answer);
        EXPECT_EQ(r.model.hex_text(), row.hex);
        EXPECT_EQ(r.model.binary_text(), row.binary);
        // The message panel may end with the engine's own message for the
        // binary step ("abc"), after it showed the hexadecimal form.
        EXPECT_EQ(r.host.StatusCount(std::string("0x") + row.hex), 1);
        EXPECT_EQ(r.host.panels[4], std::string(row.binary) + ".b");
        EXPECT_EQ(r.speech.count, 1);
    }
}

TEST(CalculatorModel, ConversionBoxesConvertOnEnterOnly) {
    Rig r;
    r.Enter("1+2");
    r.log.clear();
    r.model.Edit_DECKeyUp(CalculatorModel::ConversionBox::Binary, vk::KeyA, " 1111 0000 ");
    EXPECT_EQ(r.model.dec_text(), "3");
    EXPECT_TRUE(r.log.empty());  // the typed text is not echoed back either

    r.model.Edit_DECKeyUp(CalculatorModel::ConversionBox::Binary, vk::Return, " 1111 0000 ");
    EXPECT_EQ(r.model.dec_text(), "240");
    EXPECT_EQ(r.model.hex_text(), "F0");
    r.model.Edit_DECKeyUp(CalculatorModel::ConversionBox::Hex, vk::Return, "FF");
    EXPECT_EQ(r.model.dec_text(), "255");
    EXPECT_EQ(r.model.binary_text(), "1111 1111");
    r.model.Edit_DECKeyUp(CalculatorModel::ConversionBox::Dec, vk::Return, "4096");
    EXPECT_EQ(r.model.hex_text(), "1000");
    EXPECT_EQ(r.model.binary_text(), "0001 0000 0000 0000");
    // Neither the answer nor the statement moves, and nothing is spoken.
    EXPECT_EQ(r.model.answer_text(), "3");
    EXPECT_EQ(r.box.text, "1+2");
    EXPECT_EQ(r.speech.count, 1);
}

TEST(CalculatorModel, BinaryBoxKeepsEveryDigitOfALongNumber) {
    // Blanks go, digits stay: a thousand leading zeros after a blank do not
    // push the last digit out.
    Rig r;
    r.model.Edit_DECKeyUp(CalculatorModel::ConversionBox::Binary, vk::Return,
                          "0 " + std::string(1000, '0') + "1");
    EXPECT_EQ(r.model.dec_text(), "1");
    EXPECT_EQ(r.model.hex_text(), "1");
}

TEST(CalculatorModel, RaisedConversionLeavesBothOtherBoxes) {
    Rig r;
    r.model.Edit_ansChange("7");
    EXPECT_THROW(r.model.Edit_DECKeyUp(CalculatorModel::ConversionBox::Hex, vk::Return,
                                       "FFFFFFFFFFFFFFFF"),
                 EInvalidOp);
    EXPECT_EQ(r.model.hex_text(), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(r.model.dec_text(), "7");
    EXPECT_EQ(r.model.binary_text(), "0111");
}

TEST(CalculatorModel, DateStatementsShowTheirSeconds) {
    Rig r;
    r.Enter("1+2");
    EXPECT_EQ(r.model.sec_to_day_time_text(), "now()");
    r.Enter("now()");
    const int64_t secs = SecondsSince1970(r.host.now);
    EXPECT_EQ(r.model.answer_text(), std::to_string(secs));
    EXPECT_EQ(r.model.sec_to_day_time_text(),
              SecToDayTimeText(int32_t(secs)));
    EXPECT_NE(r.model.sec_to_day_time_text().find("\r\n2026/12/09 12:34:56"), std::string::npos);
}

TEST(CalculatorModel, SecondsAnswerRunsANestedFanOutFirst) {
    Rig r;
    r.Enter("S:str=90061 SEC");
    EXPECT_EQ(r.model.answer_text(), "90061");
    EXPECT_EQ(r.model.dec_text(), "90061");
    EXPECT_EQ(r.model.sec_to_day_time_text(), "1 day 1:1:1\r\n1970/01/02 01:01:01");
    EXPECT_EQ(r.model.answer_font_points(), 23);  // sized for the final text
    EXPECT_EQ(r.session.Tmp_answer_1, "90061 SEC");
    // Nested run complete (spoken once) before the outer one speaks again.
    const size_t outer = r.Find("Answer=90061 SEC");
    const size_t nested = r.Find("Answer=90061", outer);
    const size_t firstSay = r.Find("say:S:str=90061 SEC|90061", nested);
    const size_t label = r.Find("Label=1 day 1:1:1\r\n1970/01/02 01:01:01", firstSay);
    const size_t secondSay = r.Find("say:S:str=90061 SEC|90061", label);
    EXPECT_LT(outer, nested);
    EXPECT_LT(nested, firstSay);
    EXPECT_LT(firstSay, label);
    EXPECT_LT(label, secondSay);
    EXPECT_LT(secondSay, r.log.size());
    EXPECT_EQ(r.speech.count, 2);
}

TEST(CalculatorModel, RaisedEvaluationChangesNothing) {
    Rig r;
    r.Enter("1+2");
    r.Type("1/0");
    EXPECT_THROW(r.Enter(), EZeroDivide);
    EXPECT_EQ(r.model.answer_text(), "3");
    EXPECT_EQ(r.model.dec_text(), "3");
    EXPECT_EQ(r.session.Tmp_answer_1, "3");
    EXPECT_EQ(r.memo.lines, std::vector<std::string>{"1+2"});
    EXPECT_EQ(r.box.selectedText, "");
}

TEST(CalculatorModel, FanOutErrorStillCompletesTheEnterKey) {
    Rig r;
    r.Type("NOW()+0.5");
    try {
        r.Enter();
        FAIL() << "expected a conversion error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(std::string(e.what()), "'" + r.model.answer_text() + "' is not a valid integer value");
    }
    EXPECT_NE(r.model.answer_text().find(".5"), std::string::npos);
    EXPECT_EQ(r.model.dec_text(), r.model.answer_text());  // steps before the error ran
    EXPECT_EQ(r.model.sec_to_day_time_text(), "now()");
    EXPECT_EQ(r.speech.count, 0);                             // steps after it did not
    EXPECT_EQ(r.session.Tmp_answer_1, r.model.answer_text());
    EXPECT_EQ(r.model.answer_font_points(), AnswerFontPoints(int(r.model.answer_text().size())));
    EXPECT_EQ(r.memo.lines, std::vector<std::string>{"NOW()+0.5"});
    EXPECT_EQ(r.model.last_input_string(), "NOW()+0.5");
    EXPECT_EQ(r.box.selectedText, "NOW()+0.5");
    EXPECT_EQ(r.host.panels[4], "NOW()+0.5");
}

TEST(CalculatorModel, AnErrorEndsEveryRunOfANestedFanOut) {
    {
        Rig r;  // the nested run completes; the outer one fails at its date step
        EXPECT_THROW(r.model.Edit_ansChange("abc sec"), EConvertError);
        EXPECT_EQ(r.model.answer_text(), "abc");
        EXPECT_EQ(r.model.dec_text(), "abc");
        EXPECT_EQ(r.speech.count, 1);
    }
    {
        Rig r;  // "SSECEC x" -> "SEC x" -> "x": the middle run fails, the outer one stops too
        try {
            r.model.Edit_ansChange("SSECEC x");
            FAIL() << "expected a conversion error";
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), "'x' is not a valid integer value");
        }
        EXPECT_EQ(r.model.answer_text(), "x");
        EXPECT_EQ(r.speech.count, 1);
    }
}

TEST(CalculatorModel, NestedSecondsAreBounded) {
    const auto nestedSec = [](int k) {
        return std::string(size_t(k), 'S') + "SEC";
    };
    const auto tail = [](int k) {
        std::string t;
        for (int i = 0; i < k; ++i) t += "EC";
        return t + "60";
    };
    {
        Rig r;  // three levels of "SEC" inside each other: five runs
        r.model.Edit_ansChange(nestedSec(3) + tail(3));
        EXPECT_EQ(r.model.answer_text(), "60");
        EXPECT_EQ(r.model.sec_to_day_time_text(), "0 day 0:1:0\r\n1970/01/01 00:01:00");
        EXPECT_EQ(r.speech.count, 5);
    }
    {
        Rig r;
        EXPECT_THROW(r.model.Edit_ansChange(nestedSec(1000) + tail(1000)), ELimitExceeded);
        r.model.Edit_ansChange("7");  // the model is usable again
        EXPECT_EQ(r.model.hex_text(), "7");
        EXPECT_EQ(r.log.back(), "say:|7");
    }
}

TEST(CalculatorModel, SecondsMenuNeedsAnIntegerAnswer) {
    Rig r;
    r.model.Edit_ansChange("-90");
    r.model.Action_sec_to_day_timeExecute();
    EXPECT_EQ(r.model.sec_to_day_time_text(), "0 day 0:-1:-30\r\n1969/12/31 23:58:30");
    r.model.Edit_ansChange("abc");
    try {
        r.model.Action_sec_to_day_timeExecute();
        FAIL() << "expected a conversion error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
    EXPECT_EQ(r.model.sec_to_day_time_text(), "0 day 0:-1:-30\r\n1969/12/31 23:58:30");
}

TEST(CalculatorModel, VariableListsAppendToTheMemo) {
    Rig r;
    r.model.ButtonVarableListClick();
    r.model.Button1Click();
    EXPECT_TRUE(r.memo.lines.empty());

    r.Enter("A=100");
    r.Enter("S:str=ABCD");
    r.memo.lines.clear();
    r.model.ButtonVarableListClick();
    r.model.Button1Click();
    EXPECT_EQ(r.memo.lines,
              (std::vector<std::string>{" 0:            A = 100", " 0:            S = ABCD "}));
}

TEST(CalculatorModel, MemoLinesReachThePanel) {
    Rig r;
    r.model.EvaluateMemoLine("6*7");
    EXPECT_EQ(r.model.answer_text(), "42");
    EXPECT_EQ(r.session.Tmp_answer_1, "42");
    EXPECT_EQ(r.model.last_input_string(), "6*7");
    EXPECT_EQ(r.box.selectedText, "6*7");
    EXPECT_TRUE(r.memo.lines.empty());
    r.Press(vk::Add, false, '+');
    EXPECT_EQ(r.box.text, "6*7+");

    r.model.ShowMemoLineAnswer("0x1D");
    EXPECT_EQ(r.box.text, "0x1D");
    EXPECT_EQ(r.model.answer_text(), "29");
    EXPECT_EQ(r.host.panels[3], "0x1D");
    EXPECT_EQ(r.session.Tmp_answer_1, "42");
    EXPECT_THROW(r.model.ShowMemoLineAnswer("1/0"), EZeroDivide);
    EXPECT_EQ(r.model.answer_text(), "29");
}

TEST(CalculatorModel, StatusLineEchoAndHeadings) {
    Rig r;
    r.Type("a");
    EXPECT_EQ(r.host.panels[0], "97(0x61)");
    EXPECT_EQ(r.host.panels[1], "65(0x41)");
    r.Enter();
    EXPECT_EQ(r.host.panels[1], "13(0x0D)");

    r.model.ShowStatusHeadings(CalculatorModel::Headings::Activation);
    EXPECT_EQ(r.host.panels,
              (std::array<std::string, 5>{"ASC()", "KEY CODE", "Cursor Pos", "HEX", "BINARY"}));
    r.model.ShowStatusHeadings(CalculatorModel::Headings::Reset);
    EXPECT_EQ(r.host.panels[2], "Cursor POS");

    r.model.Show_On_ListBOXRx(std::string(300, 'x'));
    EXPECT_EQ(r.host.panels[3], std::string(255, 'x'));
    const size_t before = r.host.messages.size();
    r.model.StatusLine2Show(5, "nowhere");
    r.model.StatusLine2Show(-1, "nowhere");
    EXPECT_EQ(r.host.messages.size(), before);
}

}  // namespace
}  // namespace orvane::ui
