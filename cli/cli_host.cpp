#include "cli/cli_host.h"

#include <unistd.h>

#include "cli/line_io.h"

namespace orvane {

const char* CliHost::IconName(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Error: return "error";
        case MsgIcon::Warning: return "warning";
        case MsgIcon::Information: return "information";
        default: return "none";
    }
}

std::string CliHost::PlainLine(const CliMessage& m) {
    if (m.log) return "log: " + m.text;
    if (!m.box) return "status[" + std::to_string(m.panel) + "]: " + m.text;
    if (m.icon == MsgIcon::None) return "box: " + m.text;
    return std::string("box(") + IconName(m.icon) + "): " + m.text;
}

void CliHost::WriteStderr(const std::string& line) {
    if (m_stderrError) return;
    m_stderrError = WriteAllTo(STDERR_FILENO, line);
}

void CliHost::WriteRaised(const std::string& kind, const std::string& message) {
    WriteStderr("raised(" + kind + "): " + message + "\n");
}

void CliHost::Emit(CliMessage m) {
    if (m_plain) {
        WriteStderr(PlainLine(m) + "\n");
    } else {
        m_messages.push_back(std::move(m));
    }
}

void CliHost::StatusLine2Show(int panel, const std::string& text) {
    CliMessage m;
    m.panel = panel;
    m.text = text;
    Emit(std::move(m));
}

void CliHost::Log(const std::string& line) {
    CliMessage m;
    m.log = true;
    m.text = line;
    Emit(std::move(m));
}

void CliHost::ShowMessage(MsgIcon icon, const std::string& text) {
    CliMessage m;
    m.box = true;
    m.icon = icon;
    m.text = text;
    Emit(std::move(m));
}

LocalDateTime CliHost::Now() { return m_now ? *m_now : SystemLocalNow(); }

std::vector<CliMessage> CliHost::TakeMessages() {
    std::vector<CliMessage> out;
    out.swap(m_messages);
    return out;
}

}  // namespace orvane
