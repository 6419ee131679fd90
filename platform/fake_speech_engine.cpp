#include "platform/fake_speech_engine.h"

namespace orvane::platform {

std::vector<VoiceInfo> FakeSpeechEngine::Voices() {
    if (!listError.empty()) {
        m_error = listError;
        return {};
    }
    return voices;
}

bool FakeSpeechEngine::SelectVoice(const std::string& name) {
    for (const VoiceInfo& v : voices) {
        if (v.name == name) {
            m_selected = name;
            return true;
        }
    }
    m_error = "No voice named '" + name + "'";
    return false;
}

bool FakeSpeechEngine::Speak(const std::string& text) {
    if (onSpeak) onSpeak(text);
    if (text.empty()) return true;
    if (!speakError.empty()) {
        m_error = speakError;
        return false;
    }
    m_said.push_back({m_selected, text});
    return true;
}

}  // namespace orvane::platform
