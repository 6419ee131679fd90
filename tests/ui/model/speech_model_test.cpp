// The speech output over a fake engine, alone and behind the calculator
// panel's answer fan-out.
#include "ui/model/speech_model.h"

#include <gtest/gtest.h>

#include "platform/fake_speech_engine.h"
#include "tests/support/recording_host.h"
#include "smartformat/smart_session.h"

namespace orvane::ui {
namespace {

using platform::FakeSpeechEngine;

TEST(VoiceSelector, Table) {
    struct Row {
        const char* caption;
        const char* selector;
    } rows[] = {
        {"A - B", "name=A "},
        {"Microsoft David Desktop - English (United States)", "name=Microsoft David Desktop "},
        {"&slt - English (United States)", "name=slt "},
        {"A&&B - English", "name=AB "},
        {"first - second - third", "name=first "},
        {"no dash at all", "name="},
        {"tight -dash", "name="},
        {" - English", "name= "},
        {"", "name="},
    };
    for (const Row& r : rows) EXPECT_EQ(VoiceSelector(r.caption), r.selector) << r.caption;
    EXPECT_EQ(VoiceCaption({"kal", "English (United States)"}), "kal - English (United States)");
}

// Records what the window would do, in one log with the engine's utterances.
class LogSpeechHost : public SpeechHost {
public:
    explicit LogSpeechHost(std::vector<std::string>& log) : m_log(log) {}
    bool AnswerBoxHasFocus() override { return answerFocus; }
    void RepaintBoxes() override { m_log.push_back("repaint"); }
    void ShowSpeechError(const std::string& m) override { m_log.push_back("box:" + m); }
    void StatusLine2Show(int panel, const std::string& t) override {
        m_log.push_back("panel" + std::to_string(panel) + ":" + t);
    }
    bool answerFocus = false;

private:
    std::vector<std::string>& m_log;
};

struct SpeechRig {
    std::vector<std::string> log;
    FakeSpeechEngine engine;
    LogSpeechHost host{log};
    SpeechModel model{engine, host};

    explicit SpeechRig(std::vector<platform::VoiceInfo> voices = {{"slt", "English (United States)"},
                                                                  {"A&B", "German (Germany)"}}) {
        engine.voices = std::move(voices);
        engine.onSpeak = [this](const std::string& text) { log.push_back("speak[" + engine.selected() + "]:" + text); };
    }
};

TEST(SpeechModel, ListingFillsTheSubmenu) {
    SpeechRig rig;
    EXPECT_EQ(rig.model.speech_voice(), "");
    EXPECT_TRUE(rig.model.Listspeechlanguage1Click());
    ASSERT_EQ(rig.model.voice_items().size(), 2u);
    EXPECT_EQ(rig.model.voice_items()[0].caption, "slt - English (United States)");
    EXPECT_EQ(rig.model.voice_items()[1].caption, "A&B - German (Germany)");
    EXPECT_TRUE(rig.model.voice_items()[0].checked);
    EXPECT_FALSE(rig.model.voice_items()[1].checked);
    EXPECT_EQ(rig.model.speech_voice(), "name=slt ");
    EXPECT_TRUE(rig.log.empty());  // nothing said or shown by the listing

    // A second listing appends the voices again; its first one gets the check.
    rig.model.Listspeechlanguage1Click();
    ASSERT_EQ(rig.model.voice_items().size(), 4u);
    EXPECT_FALSE(rig.model.voice_items()[0].checked);
    EXPECT_TRUE(rig.model.voice_items()[2].checked);
}

TEST(SpeechModel, NoVoiceAtAll) {
    SpeechRig rig(std::vector<platform::VoiceInfo>{});
    rig.engine.listError = "No speech engine is installed";
    EXPECT_TRUE(rig.model.Listspeechlanguage1Click());
    ASSERT_EQ(rig.model.voice_items().size(), 1u);
    EXPECT_EQ(rig.model.voice_items()[0].caption, kNoVoicesCaption);
    EXPECT_FALSE(rig.model.voice_items()[0].enabled);
    EXPECT_FALSE(rig.model.voice_items()[0].checked);
    EXPECT_EQ(rig.model.no_voices_reason(), "No speech engine is installed");
    // Answers stay silent without a box; the disabled item does nothing.
    rig.model.speech_action("1+2", "3");
    rig.model.Language1Click(0, "1+2", "3");
    EXPECT_TRUE(rig.log.empty());
    EXPECT_FALSE(rig.model.Listspeechlanguage1Click());  // no second placeholder

    // Voices that appear later replace the placeholder.
    rig.engine.listError.clear();
    rig.engine.voices = {{"kal", "English (United States)"}};
    rig.model.Listspeechlanguage1Click();
    ASSERT_EQ(rig.model.voice_items().size(), 1u);
    EXPECT_EQ(rig.model.voice_items()[0].caption, "kal - English (United States)");
    EXPECT_EQ(rig.model.no_voices_reason(), "");
}

TEST(SpeechModel, WhatIsSaid) {
    struct Row {
        bool e, a;
        std::vector<std::string> log;
    } rows[] = {
        {true, true, {"repaint", "speak[slt]:1+2=3"}},
        {true, false, {"repaint", "speak[slt]:1+2"}},
        {false, true, {"repaint", "speak[slt]:3"}},
        {false, false, {}},
    };
    for (const Row& r : rows) {
        SpeechRig rig;
        rig.model.Listspeechlanguage1Click();
        rig.model.set_say_equation(r.e);
        rig.model.set_say_ansower(r.a);
        rig.model.speech_action("1+2", "3");
        EXPECT_EQ(rig.log, r.log) << r.e << r.a;
        // Typing into the answer box stays silent.
        rig.log.clear();
        rig.host.answerFocus = true;
        rig.model.speech_action("1+2", "3");
        EXPECT_TRUE(rig.log.empty()) << r.e << r.a;
    }
    // Defaults: the answer alone.
    SpeechRig rig;
    EXPECT_FALSE(rig.model.say_equation());
    EXPECT_TRUE(rig.model.say_ansower());
    rig.model.speech_action("1+2", "3");
    EXPECT_TRUE(rig.log.empty());  // before the listing no voice is chosen
}

TEST(SpeechModel, ChoosingAVoiceSpeaksASample) {
    SpeechRig rig;
    rig.model.Listspeechlanguage1Click();
    rig.model.Language1Click(1, "6*7", "42");
    EXPECT_EQ(rig.model.speech_voice(), "name=AB ");
    EXPECT_FALSE(rig.model.voice_items()[0].checked);
    EXPECT_TRUE(rig.model.voice_items()[1].checked);
    // "&" is gone from the selector, yet the voice "A&B" is the one used.
    EXPECT_EQ(rig.log, (std::vector<std::string>{"repaint", "speak[A&B]:42"}));
    rig.log.clear();
    rig.model.Language1Click(7, "6*7", "42");  // no such item
    EXPECT_TRUE(rig.log.empty());
}

TEST(SpeechModel, FailuresShowOneBoxPerKindThenStatusTexts) {
    SpeechRig rig;
    rig.model.Listspeechlanguage1Click();
    rig.engine.speakError = "No audio device available";
    rig.model.speech_action("1+2", "3");
    rig.model.speech_action("1+3", "4");
    rig.model.speech_action("1+4", "5");
    EXPECT_EQ(rig.log, (std::vector<std::string>{
                           "repaint", "speak[slt]:3", "box:No audio device available",
                           "repaint", "speak[slt]:4", "panel4:No audio device available",
                           "repaint", "speak[slt]:5", "panel4:No audio device available"}));

    // The chosen voice disappears from the engine: a new kind of failure.
    rig.log.clear();
    rig.engine.voices.clear();
    rig.model.speech_action("1+5", "6");
    rig.model.speech_action("1+6", "7");
    EXPECT_EQ(rig.log, (std::vector<std::string>{"repaint", "box:No voice named 'slt'", "repaint",
                                                 "panel4:No voice named 'slt'"}));
}

class FakeMemo : public MemoAccess {
public:
    int LineCount() const override { return int(lines.size()); }
    std::string Line(int index) const override { return lines.at(size_t(index)); }
    void AppendLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

TEST(SpeechModel, BehindTheAnswerFanOut) {
    test::CLocaleScope locale;
    test::RecordingHost engineHost;
    SmartSession session{engineHost};
    session.SystemReset();
    FakeMemo memo;
    SpeechRig rig;
    rig.model.Listspeechlanguage1Click();
    CalculatorModel calc{session, memo, &rig.model};

    calc.SetExpressionText("1+2");
    calc.Button_ExpressionClick();
    EXPECT_EQ(rig.engine.said().size(), 1u);
    EXPECT_EQ(rig.engine.said().back().text, "3");
    // The same statement again: the answer box does not change, nothing is said.
    calc.Button_ExpressionClick();
    EXPECT_EQ(rig.engine.said().size(), 1u);

    rig.model.set_say_equation(true);
    calc.SetExpressionText("2*3");
    calc.Button_ExpressionClick();
    ASSERT_EQ(rig.engine.said().size(), 2u);
    EXPECT_EQ(rig.engine.said().back().text, "2*3=6");

    // Typing into the answer box: the fan-out runs, speech stays silent.
    rig.host.answerFocus = true;
    calc.Edit_ansChange("77");
    EXPECT_EQ(calc.dec_text(), "77");
    EXPECT_EQ(rig.engine.said().size(), 2u);
}

}  // namespace
}  // namespace orvane::ui
