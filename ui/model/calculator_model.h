#pragma once
// The calculator panel and the status line without widgets: the expression
// box, the answer box, the DEC/HEX/BINARY conversion boxes, the seconds-to-
// date-time label, the continuation and history keys, the answer fan-out, the
// two variable lists and the key echo. The window forwards its events here and
// mirrors the box texts this model reports; status panels are written through
// the session's EngineHost, memo lines through MemoAccess, speech through
// SpeechOutput.
//
// The key codes are in virtual_keys.h, the memo's interface in memo_access.h,
// the stateless text rules in calculator_text.h, the panel's fixed layout in
// panel_layout.h.
//
// Text is engine text: UTF-8 bytes (the window converts with toUtf8/fromUtf8).
// Where a rule counts characters of a box (font sizes, padding), UTF-16 code
// units are counted, as the widgets do.
//
// Errors: raised engine errors (EOrvane and its kinds) are never swallowed;
// each operation documents what has been updated when one escapes.
#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/model/memo_access.h"
#include "ui/model/panel_layout.h"
#include "variables/variable_session.h"

namespace orvane::ui {

// Speech after each new answer. The default says nothing; the speech output
// decides by the "Say Equation"/"Say Ansower" switches and stays silent while
// the answer box has the keyboard focus.
class SpeechOutput {
public:
    virtual ~SpeechOutput() = default;
    // Last step of each answer fan-out, with the current box texts.
    virtual void speech_action(const std::string& expression, const std::string& answer);
};

// ---------------------------------------------------------------------------
// Wiring, per key in the expression box (the window previews every key):
//   key press event:   FormKeyDown(vk); ComboBoxExpressionKeyDown(vk, shift, box);
//                      for each UTF-16 unit of the event's text (also "\r" of
//                      Enter, "\b" of Backspace): FormKeyPress(unit), and in the
//                      expression box ComboBoxExpressionKeyPress(unit, box);
//                      then let the box insert the character.
//   key release event: ComboBoxExpressionKeyUp(vk, box).
// `box` is the widget's text and selected text at that moment. Keys in other
// widgets get FormKeyDown/FormKeyPress only; the conversion boxes also get
// Edit_DECKeyUp. The listener mirrors changes into the widgets (with their
// signals blocked, or not: forwarding an unchanged text back is a no-op).
// Fonts are point sizes (QFont::setPointSize); the label's lines are joined
// by CR LF.

class CalculatorModel {
public:
    // What changed; the listener is called once per change, at once (also in
    // the middle of an operation that later raises), so the window can mirror
    // the box from the getter below.
    enum class Item {
        Expression,        // expression_text()
        ExpressionCursor,  // expression_cursor(): caret/selection to apply now
        ExpressionFont,    // expression_font_points()
        Answer,            // answer_text()
        AnswerFont,        // answer_font_points()
        Dec,               // dec_text()
        Hex,               // hex_text()
        Binary,            // binary_text()
        SecToDayTime,      // sec_to_day_time_text()
    };
    using Listener = std::function<void(Item)>;

    // Caret request that goes with a changed expression box.
    enum class Cursor {
        Keep,       // leave as the widget puts it
        End,        // caret after the last character, nothing selected
        SelectAll,  // the whole text selected
    };

    // What the window knows about a box when it forwards an event.
    struct EditState {
        std::string text;
        std::string selectedText;  // empty when nothing is selected
    };

    enum class ConversionBox { Hex, Dec, Binary };
    enum class Headings { Activation, Reset };

    // The session (variables, templates, Tmp_answer_1) and the memo outlive
    // the model. `speech` may be null (says nothing).
    CalculatorModel(VariableSession& session, MemoAccess& memo, SpeechOutput* speech = nullptr);
    CalculatorModel(const CalculatorModel&) = delete;
    CalculatorModel& operator=(const CalculatorModel&) = delete;

    void SetListener(Listener listener) { m_listener = std::move(listener); }
    void SetSpeech(SpeechOutput* speech);

    // --- box state (what the widgets show) ---
    const std::string& expression_text() const { return m_expression; }
    Cursor expression_cursor() const { return m_cursor; }
    // 0 while the box still has its initial 32-pixel font, else points.
    int expression_font_points() const { return m_expressionFont; }
    const std::string& answer_text() const { return m_answer; }
    // 0 while the box still has its initial 32-pixel font, else points.
    int answer_font_points() const { return m_answerFont; }
    const std::string& dec_text() const { return m_dec; }
    const std::string& hex_text() const { return m_hex; }
    const std::string& binary_text() const { return m_binary; }
    // Two lines joined by CR LF after the first conversion; "now()" before.
    const std::string& sec_to_day_time_text() const { return m_secToDayTime; }

    const std::string& last_input_string() const { return m_lastInput; }
    int memo_test_latest_pos() const { return m_memoPos; }
    // 1 = expression box, 2 = script memo (where the field table inserts).
    int lastfocus() const { return m_lastFocus; }
    void set_lastfocus(int box) { m_lastFocus = box; }

    // --- expression box ---

    // The "Input" button (and the engine's Expression_execute): evaluates the
    // expression box, sets the answer box (fan-out when it changed), sizes the
    // answer font, stores the answer as the session's Tmp_answer_1 and
    // Tmp_answer_all (the field list of "&F:"). An error raised
    // by the evaluation escapes with nothing changed; an error of the fan-out
    // escapes after the answer, font and Tmp_answer_1 are all set.
    void Button_ExpressionClick();
    // Key down in the expression box (`box` as before the key): sizes the
    // font, then the continuation keys on last_input_string. Never raises.
    void ComboBoxExpressionKeyDown(int vk, bool shift, const EditState& box);
    // Character typed in the expression box, before the box inserts it: the
    // ")" help puts "(" in front when no "(" is left open. Never raises.
    void ComboBoxExpressionKeyPress(char32_t ch, const EditState& box);
    // Key released in the expression box (`box` as the widget shows it now):
    // Enter evaluates, appends the statement to the memo and selects it;
    // Up/Down fill the box from the memo; then selection tracking.
    // An evaluation error escapes with nothing of Enter done; a fan-out error
    // escapes after Enter's memo line, selection and tracking are complete.
    void ComboBoxExpressionKeyUp(int vk, const EditState& box);
    void ComboBoxExpressionMouseEnter() { m_lastFocus = 1; }
    // The user changed the box without a key (paste, drop): keep the text.
    void ExpressionBoxEdited(const EditState& box);
    // The program sets the expression box (memo lines, field table); no
    // evaluation. The text the box already has keeps its selection.
    void SetExpressionText(const std::string& text, Cursor cursor = Cursor::Keep);

    // --- answer box ---

    // The answer box's text changed (typed by the user or set by the
    // program): when it differs, store it and run the fan-out. A fan-out error
    // escapes with the answer stored and the steps before it done.
    void Edit_ansChange(const std::string& text);

    // --- conversion boxes ---

    // Key released in one of the conversion boxes (`text` is its text); only
    // Enter converts, filling the two other boxes together. A raised
    // conversion error leaves both of them unchanged.
    void Edit_DECKeyUp(ConversionBox box, int vk, const std::string& text);

    // Seconds to date-time from the answer box (menu Tool "Sec_to_day_time").
    // Raises EConvertError "'%s' is not a valid integer value" for an answer
    // that is no 32-bit integer; the label keeps its text then.
    void Action_sec_to_day_timeExecute();

    // --- memo entry points into the panel ---

    // Double-click on a memo line: the box := line, evaluate as the "Input"
    // button, last_input_string := line, select all. Errors as the button.
    void EvaluateMemoLine(const std::string& line);
    // Up/Down in the memo: the box := line, answer box := its answer (with the
    // fan-out); Tmp_answer_1 stays. An evaluation error leaves the answer box.
    void ShowMemoLineAnswer(const std::string& line);

    // --- variable lists (appended to the memo) ---
    void ButtonVarableListClick();
    void Button1Click();

    // --- status line ---

    // Key down anywhere in the window: second panel := KeyEchoText(vk).
    void FormKeyDown(int vk);
    // Character typed anywhere (one UTF-16 unit or code point): first panel.
    void FormKeyPress(char32_t ch);
    // The five headings: "ASC()", "KEY CODE", "Cursor Pos" (activation) or
    // "Cursor POS" (reset), "HEX", "BINARY".
    void ShowStatusHeadings(Headings which);
    // Sets panel `panel` (0..4; others are ignored).
    void StatusLine2Show(int panel, const std::string& text);
    // The message panel, cut to 255 characters.
    void Show_On_ListBOXRx(const std::string& text);

    // Nesting limit of the answer fan-out (an answer with "SEC" runs the
    // fan-out again for the stripped text); deeper raises ELimitExceeded.
    static constexpr int kMaxFanOutNesting = 32;

private:
    void Notify(Item item);
    void SetExpression(const std::string& text, Cursor cursor);
    void SetExpressionFont(int points);
    void SetAnswerFont(int points);
    void SetBox(std::string& box, Item item, const std::string& text);
    // Stores a new answer and runs the fan-out; raises what the fan-out raises.
    void SetAnswer(const std::string& text);
    void FanOut();
    // Evaluates the expression box; raises evaluation errors, returns the
    // fan-out's error (if any) after completing the evaluation.
    std::exception_ptr EvaluateExpressionBox();
    void ConvertFrom(ConversionBox box);
    std::string Convert(const std::string& command);
    std::string ProcAnswer(const std::string& statement);

    VariableSession& m_session;
    MemoAccess& m_memo;
    SpeechOutput m_silent;
    SpeechOutput* m_speech;
    Listener m_listener;

    std::string m_expression;
    std::string m_expressionSelected;
    Cursor m_cursor = Cursor::Keep;
    int m_expressionFont = 0;
    std::string m_answer;
    int m_answerFont = 0;
    std::string m_dec, m_hex, m_binary;
    std::string m_secToDayTime = kSecToDayTimeInitial;

    std::string m_lastInput;
    int m_memoPos = 0;
    int m_lastFocus = 0;
    int m_fanOutDepth = 0;
};

}  // namespace orvane::ui
