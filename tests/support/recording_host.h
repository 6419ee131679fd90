#pragma once
// The engine host of the tests: records every status write and message box
// and answers a fixed clock. And the scope guard for the process-wide locale
// format record, the only way a test changes that record.
#include <string>
#include <vector>

#include "engine/format_settings.h"
#include "engine/session.h"

namespace orvane::test {

class RecordingHost : public EngineHost {
public:
    struct Message {
        bool box;      // a message box (else a status panel write)
        MsgIcon icon;  // MsgIcon::None for status writes
        int panel;     // -1 for boxes
        std::string text;
    };
    void StatusLine2Show(int panel, const std::string& text) override;
    void ShowMessage(MsgIcon icon, const std::string& text) override;
    LocalDateTime Now() override { return now; }
    // How many status writes (any panel) had exactly `text`.
    int StatusCount(const std::string& text) const;

    std::vector<Message> messages;
    LocalDateTime now{2026, 12, 9, 12, 34, 56, 789};
};

// Sets the format record for its lifetime and puts back the one in force
// before it on destruction.
class FormatSettingsScope {
public:
    explicit FormatSettingsScope(const FormatSettings& settings);
    ~FormatSettingsScope();
    FormatSettingsScope(const FormatSettingsScope&) = delete;
    FormatSettingsScope& operator=(const FormatSettingsScope&) = delete;

private:
    FormatSettings m_previous;
};

// The "C" locale's record for the lifetime of a test.
struct CLocaleScope : FormatSettingsScope {
    CLocaleScope() : FormatSettingsScope(FormatSettings::CLocale()) {}
};

}  // namespace orvane::test
