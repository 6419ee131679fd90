#pragma once
// Speech output without widgets: the voice submenu's items, the voice
// selector, what is said after each answer, and how speech failures are
// reported. Speaks through a platform::SpeechEngine; reaches the window
// through SpeechHost.
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/speech_engine.h"
#include "ui/model/calculator_model.h"

namespace orvane::ui {

// The one disabled item of the voice submenu when the engine offers no voice.
inline constexpr const char* kNoVoicesCaption = "(no voices)";

// The caption of a voice item: name + " - " + language.
std::string VoiceCaption(const platform::VoiceInfo& voice);

// The voice selector of a caption (`speech_voice`): "name=" + the caption up
// to its first " - " (the blank before the dash included), with every "&"
// removed. "A - B" gives "name=A "; a caption without " - " gives "name=".
std::string VoiceSelector(std::string_view caption);

// What the speech output needs from the window.
class SpeechHost {
public:
    virtual ~SpeechHost() = default;
    // Whether the answer box (Edit_ans) has the keyboard focus.
    virtual bool AnswerBoxHasFocus() = 0;
    // Repaints the expression box and the answer box at once.
    virtual void RepaintBoxes() = 0;
    // Shows `message` in the application's error dialog.
    virtual void ShowSpeechError(const std::string& message) = 0;
    // Sets status-line panel `panel` (0..4).
    virtual void StatusLine2Show(int panel, const std::string& text) = 0;
};

class SpeechModel : public SpeechOutput {
public:
    struct VoiceItem {
        std::string caption;
        bool checked = false;
        bool enabled = true;
    };

    // Both outlive the model.
    SpeechModel(platform::SpeechEngine& engine, SpeechHost& host);

    // `Listspeechlanguage1Click`: appends one radio item per voice of the
    // engine after the items already there; the first voice of this listing
    // gets the check and sets speech_voice. When the engine offers no voice
    // and the submenu is empty, it gets the one disabled kNoVoicesCaption item
    // (no message is shown; no_voices_reason() says why). Returns whether
    // voice_items() changed.
    bool Listspeechlanguage1Click();

    // `Language1Click`: item `index` checks itself (the others lose the
    // check), speech_voice is set from its caption, then speech_action with
    // the given box texts speaks a sample. An index out of range or of the
    // disabled item does nothing.
    void Language1Click(int index, const std::string& expression, const std::string& answer);

    // `speech_action`: nothing while the answer box has the focus or no voice
    // is chosen; else by "Say Equation " (E) and "Say Ansower" (A): E and A
    // say expression + "=" + answer, E alone the expression, A alone the
    // answer, neither nothing. The boxes are repainted before speaking.
    void speech_action(const std::string& expression, const std::string& answer) override;

    // `speech`: says `text` with the voice of speech_voice (the first listed
    // voice whose name, with "&" removed, equals the selector's name without
    // its surrounding blanks). A failure (no such voice, an engine error) is
    // shown in the error dialog the first time its kind (voice choice,
    // speaking) fails in this run; later failures of that kind only write the
    // engine's message into the fifth status panel.
    void speech(const std::string& text);

    const std::vector<VoiceItem>& voice_items() const { return m_items; }
    const std::string& speech_voice() const { return m_speech_voice; }
    // Why the last listing found no voice (the engine's message); empty when
    // it found some.
    const std::string& no_voices_reason() const { return m_noVoicesReason; }

    bool say_equation() const { return m_sayEquation; }
    bool say_ansower() const { return m_sayAnsower; }
    void set_say_equation(bool on) { m_sayEquation = on; }
    void set_say_ansower(bool on) { m_sayAnsower = on; }

private:
    enum class Failure { Voice, Speaking };
    void Report(Failure kind, const std::string& message);

    platform::SpeechEngine& m_engine;
    SpeechHost& m_host;
    std::vector<VoiceItem> m_items;
    std::vector<platform::VoiceInfo> m_voices;  // every voice listed, in item order
    std::string m_speech_voice;
    std::string m_noVoicesReason;
    bool m_sayEquation = false;
    bool m_sayAnsower = true;
    std::set<Failure> m_reported;
};

}  // namespace orvane::ui
