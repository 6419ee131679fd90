#pragma once
// A speech engine for tests: a fixed voice list, a record of what was said and
// with which voice, and failures on demand.
#include <functional>
#include <string>
#include <vector>

#include "platform/speech_engine.h"

namespace orvane::platform {

class FakeSpeechEngine : public SpeechEngine {
public:
    struct Utterance {
        std::string voice;
        std::string text;
    };

    std::vector<VoiceInfo> voices;
    // When not empty, Speak fails with this message.
    std::string speakError;
    // When not empty, Voices answers none with this message.
    std::string listError;
    // Called at the start of each Speak (tests record the order of events).
    std::function<void(const std::string&)> onSpeak;

    std::vector<VoiceInfo> Voices() override;
    bool SelectVoice(const std::string& name) override;
    bool Speak(const std::string& text) override;
    std::string LastError() const override { return m_error; }

    const std::vector<Utterance>& said() const { return m_said; }
    const std::string& selected() const { return m_selected; }

private:
    std::vector<Utterance> m_said;
    std::string m_selected;
    std::string m_error;
};

}  // namespace orvane::platform
