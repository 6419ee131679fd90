#include "ui/model/speech_model.h"

namespace orvane::ui {

namespace {

std::string TrimBlanks(std::string_view s) {
    size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    size_t e = s.find_last_not_of(' ');
    return std::string(s.substr(b, e - b + 1));
}

std::string WithoutAmpersands(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != '&') out += c;
    return out;
}

constexpr std::string_view kSelectorPrefix = "name=";

}  // namespace

std::string VoiceCaption(const platform::VoiceInfo& voice) { return voice.name + " - " + voice.language; }

std::string VoiceSelector(std::string_view caption) {
    size_t dash = caption.find(" - ");
    std::string_view name = dash == std::string_view::npos ? std::string_view() : caption.substr(0, dash + 1);
    return std::string(kSelectorPrefix) + WithoutAmpersands(name);
}

SpeechModel::SpeechModel(platform::SpeechEngine& engine, SpeechHost& host) : m_engine(engine), m_host(host) {}

bool SpeechModel::Listspeechlanguage1Click() {
    const std::vector<platform::VoiceInfo> voices = m_engine.Voices();
    if (voices.empty()) {
        m_noVoicesReason = m_engine.LastError();
        if (m_noVoicesReason.empty()) m_noVoicesReason = "The speech engine offers no voice";
        if (!m_items.empty()) return false;
        m_items.push_back({kNoVoicesCaption, false, false});
        return true;
    }
    m_noVoicesReason.clear();
    if (m_voices.empty()) m_items.clear();  // the placeholder goes
    for (size_t i = 0; i < voices.size(); ++i) {
        VoiceItem item{VoiceCaption(voices[i]), false, true};
        if (i == 0) {
            for (VoiceItem& other : m_items) other.checked = false;
            item.checked = true;
            m_speech_voice = VoiceSelector(item.caption);
        }
        m_items.push_back(std::move(item));
        m_voices.push_back(voices[i]);
    }
    return true;
}

void SpeechModel::Language1Click(int index, const std::string& expression, const std::string& answer) {
    if (index < 0 || size_t(index) >= m_items.size() || !m_items[size_t(index)].enabled) return;
    for (size_t i = 0; i < m_items.size(); ++i) m_items[i].checked = i == size_t(index);
    for (const VoiceItem& item : m_items)
        if (item.checked) m_speech_voice = VoiceSelector(item.caption);
    speech_action(expression, answer);
}

void SpeechModel::speech_action(const std::string& expression, const std::string& answer) {
    if (m_speech_voice.empty() || m_voices.empty()) return;  // no voice chosen
    if (m_host.AnswerBoxHasFocus()) return;
    std::string text;
    if (m_sayEquation && m_sayAnsower)
        text = expression + "=" + answer;
    else if (m_sayEquation)
        text = expression;
    else if (m_sayAnsower)
        text = answer;
    else
        return;
    m_host.RepaintBoxes();
    speech(text);
}

void SpeechModel::speech(const std::string& text) {
    const std::string wanted = TrimBlanks(std::string_view(m_speech_voice).substr(
        m_speech_voice.rfind(kSelectorPrefix, 0) == 0 ? kSelectorPrefix.size() : 0));
    const platform::VoiceInfo* voice = nullptr;
    for (const platform::VoiceInfo& v : m_voices) {
        if (!wanted.empty() && TrimBlanks(WithoutAmpersands(v.name)) == wanted) {
            voice = &v;
            break;
        }
    }
    if (!voice) {
        Report(Failure::Voice, "No voice matches \"" + m_speech_voice + "\"");
        return;
    }
    if (!m_engine.SelectVoice(voice->name)) {
        Report(Failure::Voice, m_engine.LastError());
        return;
    }
    if (!m_engine.Speak(text)) Report(Failure::Speaking, m_engine.LastError());
}

void SpeechModel::Report(Failure kind, const std::string& message) {
    const std::string text = message.empty() ? std::string("Speech engine error") : message;
    if (m_reported.insert(kind).second)
        m_host.ShowSpeechError(text);
    else
        m_host.StatusLine2Show(kPanelBinary, text);
}

}  // namespace orvane::ui
