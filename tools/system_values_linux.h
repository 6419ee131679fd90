#pragma once
// The system values of a Linux machine behind the template engine's reserved
// names: clock, memory, program file, version, identity and MD5. Screen sizes
// are 0 here; the window supplies its own. The programs (window, orvane-eval)
// wire an object of this class into their session.
#include <functional>
#include <memory>
#include <string>

#include "smartformat/smart_session.h"

namespace orvane {

class Md5Hasher;

class LinuxSystemValues : public SystemValues {
public:
    // `host` shows the MD5 file messages; `identityFailure` receives the
    // "kind: message" line of a failed SMBIOS read.
    LinuxSystemValues(EngineHost& host, std::function<void(const std::string&)> identityFailure);
    ~LinuxSystemValues() override;

    std::string AppPath() override;
    uint32_t TickCount() override;
    uint32_t FreeMemory() override;
    std::string AppVersionDigits() override;
    std::string MacAddress() override;
    std::string LocalIP() override;
    std::string SystemUUID() override;
    std::string PCName() override;
    std::string MD5OfText(std::string_view text) override;
    std::string MD5OfFile(const std::string& path) override;

    // The session's one MD5 hasher, made on first use; the window's tools
    // page digests with it too.
    Md5Hasher& Hasher();

private:
    EngineHost& m_host;
    std::function<void(const std::string&)> m_identityFailure;
    std::unique_ptr<Md5Hasher> m_hasher;  // one per session, made on first use
};

}  // namespace orvane
