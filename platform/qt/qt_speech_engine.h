#pragma once
// SpeechEngine on Qt TextToSpeech. The engine plug-in is chosen when the voices
// are first asked for: speech-dispatcher ("speechd") when it is installed and
// offers voices, else Flite ("flite", the embedded default), else whatever Qt
// finds. Needs a QCoreApplication; used from its thread.
#include <memory>
#include <string>

#include "platform/speech_engine.h"

class QTextToSpeech;

namespace orvane::platform {

class QtSpeechEngine : public SpeechEngine {
public:
    // `engine` forces one plug-in by its Qt name; empty chooses as above.
    explicit QtSpeechEngine(std::string engine = {});
    ~QtSpeechEngine() override;
    QtSpeechEngine(const QtSpeechEngine&) = delete;
    QtSpeechEngine& operator=(const QtSpeechEngine&) = delete;

    std::vector<VoiceInfo> Voices() override;
    bool SelectVoice(const std::string& name) override;
    // Says the text and waits in a local event loop that leaves user input
    // queued until the engine is back to Ready. Fails with the engine's message
    // on an engine error, when speaking does not start within kStartLimitMs,
    // or when it does not end within kEndLimitMs plus kPerCharacterMs per
    // character (the engine is stopped then). A call made while another
    // utterance is playing (from an event handled during the wait) first waits
    // for that one to end.
    bool Speak(const std::string& text) override;
    std::string LastError() const override { return m_error; }

    // The Qt name of the plug-in in use; empty before the first use or when
    // none could be loaded.
    std::string engine_name() const;

    static constexpr int kStartLimitMs = 10000;
    static constexpr int kEndLimitMs = 60000;
    static constexpr int kPerCharacterMs = 250;

private:
    bool EnsureEngine();
    void WaitUntilNotSpeaking();

    std::string m_requested;
    std::unique_ptr<QTextToSpeech> m_tts;
    bool m_tried = false;
    int m_depth = 0;
    std::string m_error;
};

// The language of a voice as the voice list shows it: the language name in
// English, and the territory in parentheses when the locale names one:
// "English (United States)".
std::string VoiceLanguageText(int qtLanguage, int qtTerritory);

}  // namespace orvane::platform
