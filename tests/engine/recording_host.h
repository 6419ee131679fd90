#pragma once
// A host that records every message and answers a fixed clock.
#include <string>
#include <vector>

#include "engine/format_settings.h"
#include "engine/session.h"

namespace orvane::test {

class RecordingHost : public EngineHost {
public:
    struct Message {
        bool box;
        MsgIcon icon;
        int panel;
        std::string text;
    };
    void StatusLine2Show(int panel, const std::string& text) override {
        messages.push_back({false, MsgIcon::None, panel, text});
    }
    void ShowMessage(MsgIcon icon, const std::string& text) override {
        messages.push_back({true, icon, -1, text});
    }
    LocalDateTime Now() override { return now; }
    int StatusCount(const std::string& text) const {
        int n = 0;
        for (const Message& m : messages)
            if (!m.box && m.text == text) ++n;
        return n;
    }

    std::vector<Message> messages;
    LocalDateTime now{2026, 12, 9, 12, 34, 56, 789};
};

// Sets the "C" locale record for the lifetime of a test.
struct CLocaleScope {
    CLocaleScope() { SetFormatSettings(FormatSettings::CLocale()); }
    ~CLocaleScope() { SetFormatSettings(FormatSettings::CLocale()); }
};

}  // namespace orvane::test
