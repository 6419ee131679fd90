// The Qt TextToSpeech engine as this machine has it. Where no voice is
// installed the tests say so and are skipped.
#include "platform/qt/qt_speech_engine.h"

#include <gtest/gtest.h>

#include <QLocale>

#include "ui/model/speech_model.h"

namespace orvane::platform {
namespace {

TEST(VoiceLanguageText, NamesLanguageAndTerritory) {
    EXPECT_EQ(VoiceLanguageText(QLocale::English, QLocale::UnitedStates), "English (United States)");
    EXPECT_EQ(VoiceLanguageText(QLocale::German, QLocale::AnyTerritory), "German");
}

class RecordingSpeechHost : public ui::SpeechHost {
public:
    bool AnswerBoxHasFocus() override { return false; }
    void RepaintBoxes() override {}
    void ShowSpeechError(const std::string& m) override { errors.push_back(m); }
    void StatusLine2Show(int panel, const std::string& t) override { status.push_back(std::to_string(panel) + ":" + t); }
    std::vector<std::string> errors, status;
};

TEST(QtSpeechEngine, ListsTheInstalledVoicesIntoTheSubmenu) {
    QtSpeechEngine engine;
    const std::vector<VoiceInfo> voices = engine.Voices();
    if (voices.empty()) GTEST_SKIP() << "no speech voice on this machine: " << engine.LastError();
    for (const VoiceInfo& v : voices) {
        EXPECT_FALSE(v.name.empty());
        EXPECT_FALSE(v.language.empty()) << v.name;
    }
    EXPECT_FALSE(engine.engine_name().empty());
    EXPECT_TRUE(engine.SelectVoice(voices.back().name));
    EXPECT_FALSE(engine.SelectVoice("no such voice"));
    EXPECT_EQ(engine.LastError(), "No voice named 'no such voice'");

    RecordingSpeechHost host;
    ui::SpeechModel model(engine, host);
    EXPECT_TRUE(model.Listspeechlanguage1Click());
    ASSERT_EQ(model.voice_items().size(), voices.size());
    EXPECT_EQ(model.voice_items()[0].caption, voices[0].name + " - " + voices[0].language);
    EXPECT_TRUE(model.voice_items()[0].checked);
    EXPECT_EQ(model.speech_voice(), "name=" + voices[0].name + " ");
    EXPECT_TRUE(host.errors.empty());
}

// Speaking returns, whether this machine can play sound or not; a machine
// without an audio device gets the engine's message once in the error dialog
// and then in the fifth status panel.
TEST(QtSpeechEngine, SpeakingReturnsAndExplainsAFailure) {
    QtSpeechEngine engine;
    if (engine.Voices().empty()) GTEST_SKIP() << "no speech voice on this machine: " << engine.LastError();
    EXPECT_TRUE(engine.Speak(""));
    RecordingSpeechHost host;
    ui::SpeechModel model(engine, host);
    model.Listspeechlanguage1Click();
    model.speech_action("1+2", "3");
    model.speech_action("1+3", "4");
    if (host.errors.empty()) {
        EXPECT_TRUE(host.status.empty());
        return;  // it spoke
    }
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_FALSE(host.errors[0].empty());
    EXPECT_EQ(host.status, std::vector<std::string>{"4:" + engine.LastError()});
}

}  // namespace
}  // namespace orvane::platform
