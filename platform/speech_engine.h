#pragma once
// Text to speech: the installed voices, the choice of one, and speaking a text
// to the end. Implemented on Qt TextToSpeech for the window
// (platform/qt/qt_speech_engine.h) and by FakeSpeechEngine in tests.
#include <string>
#include <vector>

namespace orvane::platform {

struct VoiceInfo {
    std::string name;      // as the engine names it, "slt"
    std::string language;  // in English, "English (United States)"
};

class SpeechEngine {
public:
    virtual ~SpeechEngine() = default;
    // The installed voices in the engine's order; empty when there are none or
    // the engine is not available (LastError says why then).
    virtual std::vector<VoiceInfo> Voices() = 0;
    // Makes the voice named exactly `name` the one Speak uses. False (and
    // LastError set) when the engine has no such voice.
    virtual bool SelectVoice(const std::string& name) = 0;
    // Speaks `text` (UTF-8) with the selected voice and returns when it has
    // been spoken; user input waits meanwhile. An empty text returns at once.
    // False (and LastError set) when the engine failed (no audio device, ...).
    virtual bool Speak(const std::string& text) = 0;
    // The engine's message for the last failure; empty before any.
    virtual std::string LastError() const = 0;
};

}  // namespace orvane::platform
