#pragma once
// The window's speech output: the Tool menu's voice submenu ("Speech
// Language", one radio item per voice), the two switches "Say Equation " and
// "Say Ansower", and the SpeechModel that speaks after each answer through
// the speech engine (Qt TextToSpeech unless a test gives its own).
#include <functional>
#include <memory>
#include <string>

#include "platform/speech_engine.h"
#include "ui/model/speech_model.h"

class QAction;
class QActionGroup;
class QMenu;

namespace orvane::ui {

class CalculatorModel;
class CalculatorPanel;

class SpeechMenu : public SpeechHost {
public:
    // `voices` is the submenu to fill; `calc` has the texts a voice item
    // speaks; `panel` gives the focus and repaint of the boxes; `status`
    // writes a status-line panel. `engine` (not owned) replaces the Qt engine
    // when given. All outlive this object.
    SpeechMenu(QMenu* voices, CalculatorModel& calc, CalculatorPanel& panel,
               std::function<void(int, const std::string&)> status, platform::SpeechEngine* engine = nullptr);
    ~SpeechMenu() override;

    // The calculator's speech step.
    SpeechModel& model() { return *m_model; }

    // Start-up's last step (and the hidden "List speech language"): appends
    // the engine's voices to the submenu, the first one chosen; with none,
    // the one disabled item "(no voices)". Shows no box.
    void Listspeechlanguage1Click();
    // A voice item was clicked: that voice is chosen and speaks the current
    // statement or answer.
    void Language1Click(int index);

    // --- SpeechHost ---
    bool AnswerBoxHasFocus() override;
    void RepaintBoxes() override;
    void ShowSpeechError(const std::string& message) override;
    void StatusLine2Show(int panel, const std::string& text) override;

private:
    // Makes the submenu's items match the model's.
    void ShowItems();

    QMenu* m_voices;
    CalculatorModel& m_calc;
    CalculatorPanel& m_panel;
    std::function<void(int, const std::string&)> m_status;
    std::unique_ptr<platform::SpeechEngine> m_ownEngine;
    std::unique_ptr<SpeechModel> m_model;
    QActionGroup* m_group = nullptr;
};

}  // namespace orvane::ui
