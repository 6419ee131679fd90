// The calculator panel: evaluation, continuation and history keys, the answer
// fan-out, the conversion boxes, seconds to date-time, the variable lists and
// the status-line writes.
#include "ui/model/calculator_model.h"

#include <algorithm>

#include "engine/base_convert.h"
#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/number_text.h"
#include "ui/model/calculator_text.h"
#include "ui/model/virtual_keys.h"

namespace orvane::ui {

void SpeechOutput::speech_action(const std::string&, const std::string&) {}

namespace {

// Every "SEC" removed, any letter case, in one pass from the left.
std::string RemoveSec(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (i + 3 <= text.size() && UpChar(text[i]) == 'S' && UpChar(text[i + 1]) == 'E' &&
            UpChar(text[i + 2]) == 'C') {
            i += 3;
        } else {
            out += text[i++];
        }
    }
    return out;
}

bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

CalculatorModel::CalculatorModel(VariableSession& session, MemoAccess& memo, SpeechOutput* speech)
    : m_session(session), m_memo(memo), m_speech(speech ? speech : &m_silent) {}

void CalculatorModel::SetSpeech(SpeechOutput* speech) { m_speech = speech ? speech : &m_silent; }

void CalculatorModel::Notify(Item item) {
    if (m_listener) m_listener(item);
}

void CalculatorModel::SetBox(std::string& box, Item item, const std::string& text) {
    if (box == text) return;
    box = text;
    Notify(item);
}

void CalculatorModel::SetExpression(const std::string& text, Cursor cursor) {
    // Another text drops the box's selection, SelectAll selects the whole
    // text, End deselects. The same text again leaves the box as it is (the
    // panel does not touch the widget then), selection included: Up right
    // after Enter brings back the statement still selected, and the key
    // release's selection tracking then keeps it for the continuation keys.
    if (cursor == Cursor::SelectAll) {
        m_expressionSelected = text;
    } else if (cursor == Cursor::End || text != m_expression) {
        m_expressionSelected.clear();
    }
    m_cursor = cursor;
    SetBox(m_expression, Item::Expression, text);
    if (cursor != Cursor::Keep) Notify(Item::ExpressionCursor);
}

void CalculatorModel::SetExpressionFont(int points) {
    if (m_expressionFont == points) return;
    m_expressionFont = points;
    Notify(Item::ExpressionFont);
}

void CalculatorModel::SetAnswerFont(int points) {
    if (m_answerFont == points) return;
    m_answerFont = points;
    Notify(Item::AnswerFont);
}

// --- evaluation --------------------------------------------------------------

std::exception_ptr CalculatorModel::EvaluateExpressionBox() {
    std::string answer;
    expression_Proc(m_session, m_expression, answer);  // a raised error changes nothing
    std::exception_ptr fanOutError;
    try {
        SetAnswer(answer);
    } catch (...) {
        // The fan-out stops at its failing step; the evaluation itself completes.
        fanOutError = std::current_exception();
    }
    SetAnswerFont(AnswerFontPoints(WideLength(m_answer)));
    m_session.Tmp_answer_1 = answer;
    m_session.Tmp_answer_all = answer;
    return fanOutError;
}

void CalculatorModel::Button_ExpressionClick() {
    if (std::exception_ptr e = EvaluateExpressionBox()) std::rethrow_exception(e);
}

// --- expression box keys ----------------------------------------------------

void CalculatorModel::ExpressionBoxEdited(const EditState& box) {
    m_expression = box.text;
    m_expressionSelected = box.selectedText;
}

void CalculatorModel::SetExpressionText(const std::string& text, Cursor cursor) {
    SetExpression(text, cursor);
}

void CalculatorModel::ComboBoxExpressionKeyDown(int key, bool shift, const EditState& box) {
    ExpressionBoxEdited(box);
    SetExpressionFont(ExpressionFontPoints(WideLength(box.text)));
    if (m_lastInput.empty()) return;

    const bool mainDigit = key >= vk::Key0 && key <= vk::Key9;
    const bool padDigit = key >= vk::Numpad0 && key <= vk::Numpad9;
    // The caret goes to the end (of any length of text), so the typed key
    // follows the previous statement.
    if (key == vk::Add || key == vk::Subtract) {
        const std::string previous = std::move(m_lastInput);
        m_lastInput.clear();
        SetExpression(previous, Cursor::End);
    } else if (key == vk::Multiply || key == vk::Divide || key == vk::Oem2Slash ||
               (shift && key >= 54 && key <= 56)) {
        const std::string bracketed = "(" + m_lastInput + ")";
        m_lastInput.clear();
        SetExpression(bracketed, Cursor::End);
    } else if (shift && key == vk::Key0) {
        const std::string opened = "(" + m_lastInput;
        m_lastInput.clear();
        SetExpression(opened, Cursor::End);
    } else if (mainDigit || padDigit) {
        m_lastInput.clear();  // the digit replaces the selected statement
    }
}

void CalculatorModel::ComboBoxExpressionKeyPress(char32_t ch, const EditState& box) {
    ExpressionBoxEdited(box);
    if (ch != U')') return;
    if (ContarLetras(m_expression, ')') >= ContarLetras(m_expression, '('))
        SetExpression("(" + m_expression, Cursor::End);
}

void CalculatorModel::ComboBoxExpressionKeyUp(int key, const EditState& box) {
    ExpressionBoxEdited(box);
    m_lastFocus = 1;
    std::exception_ptr fanOutError;
    auto memoLine = [this](int index) {
        return index >= 0 && index < m_memo.LineCount() ? m_memo.Line(index) : std::string();
    };
    if (key == vk::Return) {
        fanOutError = EvaluateExpressionBox();  // an evaluation error ends the key here
        m_memo.AppendLine(m_expression);
        m_lastInput = m_expression;
        SetExpression(m_expression, Cursor::SelectAll);
        m_memoPos = std::max(0, m_memo.LineCount() - 1);
    } else if (key == vk::Up) {
        SetExpression(memoLine(m_memoPos), Cursor::Keep);
        m_memoPos = std::max(0, m_memoPos - 1);
    } else if (key == vk::Down) {
        SetExpression(memoLine(m_memoPos), Cursor::Keep);
        m_memoPos = std::min(m_memo.LineCount(), m_memoPos + 1);
    }
    // Selection tracking, for every key.
    m_lastInput = m_expressionSelected;
    StatusLine2Show(kPanelBinary, m_expressionSelected);
    if (fanOutError) std::rethrow_exception(fanOutError);
}

// --- answer fan-out ---------------------------------------------------------

void CalculatorModel::Edit_ansChange(const std::string& text) { SetAnswer(text); }

void CalculatorModel::SetAnswer(const std::string& text) {
    if (m_answer == text) return;  // the same answer triggers nothing
    m_answer = text;
    Notify(Item::Answer);
    FanOut();
}

std::string CalculatorModel::ProcAnswer(const std::string& statement) {
    std::string answer;
    expression_Proc(m_session, statement, answer);
    return answer;
}

void CalculatorModel::FanOut() {
    if (m_fanOutDepth >= kMaxFanOutNesting)
        throw ELimitExceeded("Answer nested too deeply (more than " +
                             std::to_string(kMaxFanOutNesting) + " levels)");
    struct Depth {
        int& d;
        explicit Depth(int& depth) : d(depth) { ++d; }
        ~Depth() { --d; }
    } depth(m_fanOutDepth);

    const std::string answer = m_answer;
    // 1. The decimal box and, from it, the hexadecimal and binary boxes.
    SetBox(m_dec, Item::Dec, answer);
    ConvertFrom(ConversionBox::Dec);
    // 2.-3. The hexadecimal and grouped binary forms in the status line.
    StatusLine2Show(kPanelHex, "0x" + ProcAnswer("X1016(" + answer + ")"));
    StatusLine2Show(kPanelBinary, NibbleGroup(ProcAnswer("X1002(" + answer + ")")) + ".b");
    // 4. Date statements show their seconds as a date.
    const std::string upperExpression = UpperCase(m_expression);
    if (Contains(upperExpression, "DATETIME") || Contains(upperExpression, "NOW()"))
        Action_sec_to_day_timeExecute();
    // 5. An answer in seconds: the number alone, with its own fan-out first.
    if (Contains(UpperCase(answer), "SEC")) {
        SetAnswer(Trim(RemoveSec(answer)));
        Action_sec_to_day_timeExecute();
    }
    // 6. Speech, last.
    m_speech->speech_action(m_expression, m_answer);
}

// --- conversion boxes -------------------------------------------------------

std::string CalculatorModel::Convert(const std::string& command) {
    bool success = true;
    return XB1B2(command, success);  // error texts are shown as results
}

void CalculatorModel::ConvertFrom(ConversionBox box) {
    // Both results first, so a raised conversion error changes neither box.
    switch (box) {
        case ConversionBox::Hex: {
            std::string dec = Convert("X1610(" + m_hex + ")");
            std::string bin = NibbleGroup(Convert("X1602(" + m_hex + ")"));
            SetBox(m_dec, Item::Dec, dec);
            SetBox(m_binary, Item::Binary, bin);
            break;
        }
        case ConversionBox::Dec: {
            std::string hex = Convert("X1016(" + m_dec + ")");
            std::string bin = NibbleGroup(Convert("X1002(" + m_dec + ")"));
            SetBox(m_hex, Item::Hex, hex);
            SetBox(m_binary, Item::Binary, bin);
            break;
        }
        case ConversionBox::Binary: {
            std::string t = Trim(m_binary);
            std::erase(t, ' ');
            std::string dec = Convert("X0210(" + t + ")");
            std::string hex = Convert("X0216(" + t + ")");
            SetBox(m_dec, Item::Dec, dec);
            SetBox(m_hex, Item::Hex, hex);
            break;
        }
    }
}

void CalculatorModel::Edit_DECKeyUp(ConversionBox box, int key, const std::string& text) {
    // The box's own text is the user's; it is kept without echoing it back.
    switch (box) {
        case ConversionBox::Hex: m_hex = text; break;
        case ConversionBox::Dec: m_dec = text; break;
        case ConversionBox::Binary: m_binary = text; break;
    }
    if (key == vk::Return) ConvertFrom(box);
}

// --- seconds to date-time ---------------------------------------------------

void CalculatorModel::Action_sec_to_day_timeExecute() {
    const int32_t secs = StrToInt(m_answer);  // raises for a non-integer answer
    SetBox(m_secToDayTime, Item::SecToDayTime, SecToDayTimeText(secs));
}

// --- memo entry points ------------------------------------------------------

void CalculatorModel::EvaluateMemoLine(const std::string& line) {
    SetExpression(line, Cursor::Keep);
    std::exception_ptr fanOutError = EvaluateExpressionBox();
    m_lastInput = m_expression;
    SetExpression(m_expression, Cursor::SelectAll);
    if (fanOutError) std::rethrow_exception(fanOutError);
}

void CalculatorModel::ShowMemoLineAnswer(const std::string& line) {
    SetExpression(line, Cursor::Keep);
    SetAnswer(ProcAnswer(line));
}

// --- variable lists ---------------------------------------------------------

void CalculatorModel::ButtonVarableListClick() {
    for (const std::string& line : VariableListLines(m_session.INI_Parameter()))
        m_memo.AppendLine(line);
}

void CalculatorModel::Button1Click() {
    for (const std::string& line : StrVariableListLines(m_session.INI_Str_Variable()))
        m_memo.AppendLine(line);
}

// --- status line ------------------------------------------------------------

void CalculatorModel::FormKeyDown(int key) { StatusLine2Show(kPanelKeyCode, KeyEchoText(key)); }

void CalculatorModel::FormKeyPress(char32_t ch) {
    StatusLine2Show(kPanelAsc, KeyEchoText(static_cast<int>(ch)));
}

void CalculatorModel::ShowStatusHeadings(Headings which) {
    StatusLine2Show(kPanelAsc, "ASC()");
    StatusLine2Show(kPanelKeyCode, "KEY CODE");
    StatusLine2Show(kPanelCursor, which == Headings::Activation ? "Cursor Pos" : "Cursor POS");
    StatusLine2Show(kPanelHex, "HEX");
    StatusLine2Show(kPanelBinary, "BINARY");
}

void CalculatorModel::StatusLine2Show(int panel, const std::string& text) {
    if (panel < 0 || panel >= kStatusPanels) return;
    m_session.Host().StatusLine2Show(panel, text);
}

void CalculatorModel::Show_On_ListBOXRx(const std::string& text) {
    m_session.Show_On_ListBOXRx(text);
}

}  // namespace orvane::ui
