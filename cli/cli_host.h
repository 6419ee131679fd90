#pragma once
// orvane-eval's host: message boxes and status-line writes become lines on
// standard error (plain mode) or entries of the JSON "messages" list.
#include <optional>
#include <string>
#include <vector>

#include "engine/session.h"

namespace orvane {

struct CliMessage {
    bool box = false;            // message box (else status-line write)
    bool log = false;            // a log line (the window's page-source view)
    MsgIcon icon = MsgIcon::None;
    int panel = 0;
    std::string text;
};

class CliHost : public EngineHost {
public:
    // plain: write each message to stderr as it happens; else only collect.
    explicit CliHost(bool plain) : m_plain(plain) {}

    void StatusLine2Show(int panel, const std::string& text) override;
    void ShowMessage(MsgIcon icon, const std::string& text) override;
    LocalDateTime Now() override;

    // A fixed "now" for every clock reading (reproducible runs).
    void SetFixedNow(const LocalDateTime& t) { m_now = t; }

    // A diagnostic line the window would append to a log view.
    void Log(const std::string& line);

    // Plain mode: writes "raised(<kind>): <message>" to standard error.
    void WriteRaised(const std::string& kind, const std::string& message);

    // The messages since the last call, in order.
    std::vector<CliMessage> TakeMessages();

    // The errno of the first failed write to standard error, or 0.
    int StderrError() const { return m_stderrError; }

    // The plain-mode line of a message ("status[3]: ...", "box(error): ...").
    static std::string PlainLine(const CliMessage& m);
    static const char* IconName(MsgIcon icon);

private:
    void Emit(CliMessage m);
    void WriteStderr(const std::string& line);
    bool m_plain;
    int m_stderrError = 0;
    std::optional<LocalDateTime> m_now;
    std::vector<CliMessage> m_messages;
};

}  // namespace orvane
