#include "tests/support/recording_host.h"

namespace orvane::test {

void RecordingHost::StatusLine2Show(int panel, const std::string& text) {
    messages.push_back({false, MsgIcon::None, panel, text});
}

void RecordingHost::ShowMessage(MsgIcon icon, const std::string& text) {
    messages.push_back({true, icon, -1, text});
}

int RecordingHost::StatusCount(const std::string& text) const {
    int n = 0;
    for (const Message& m : messages)
        if (!m.box && m.text == text) ++n;
    return n;
}

FormatSettingsScope::FormatSettingsScope(const FormatSettings& settings)
    : m_previous(GetFormatSettings()) {
    SetFormatSettings(settings);
}

FormatSettingsScope::~FormatSettingsScope() { SetFormatSettings(m_previous); }

}  // namespace orvane::test
