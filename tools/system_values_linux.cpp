#include "tools/system_values_linux.h"

#include <time.h>

#include <fstream>
#include <sstream>

#include "about/version_info.h"
#include "platform/settings_path.h"
#include "tools/md5_tools.h"
#include "tools/net_identity.h"
#include "tools/smbios.h"

namespace orvane {

LinuxSystemValues::LinuxSystemValues(EngineHost& host,
                                     std::function<void(const std::string&)> identityFailure)
    : m_host(host), m_identityFailure(std::move(identityFailure)) {}

LinuxSystemValues::~LinuxSystemValues() = default;

std::string LinuxSystemValues::AppPath() {
    const std::string exe = platform::ProgramFilePath();
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

uint32_t LinuxSystemValues::TickCount() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u);
}

uint32_t LinuxSystemValues::FreeMemory() {
    std::ifstream in("/proc/meminfo");
    std::string key;
    uint64_t kib = 0;
    std::string unit;
    while (in >> key >> kib) {
        std::getline(in, unit);
        if (key == "MemAvailable:") return static_cast<uint32_t>(kib * 1024u);
    }
    return 0;
}

std::string LinuxSystemValues::AppVersionDigits() {
    int32_t a, b, c, d;
    std::string code;
    GetFileVersion(platform::ProgramFilePath(), a, b, c, d, code);
    return code;
}

std::string LinuxSystemValues::MacAddress() { return GetMacAddress_one(); }
std::string LinuxSystemValues::LocalIP() { return GetLocalIP(); }
std::string LinuxSystemValues::PCName() { return GetPC_NAME(); }

std::string LinuxSystemValues::SystemUUID() {
    return System_UUID([this](const std::string& line) {
        if (m_identityFailure) m_identityFailure(line);
    });
}

Md5Hasher& LinuxSystemValues::Hasher() {
    if (!m_hasher) m_hasher = std::make_unique<Md5Hasher>();
    return *m_hasher;
}

std::string LinuxSystemValues::MD5OfText(std::string_view text) { return Hasher().MD5_Str(text); }

std::string LinuxSystemValues::MD5OfFile(const std::string& path) {
    return Hasher().MD5_file(path, m_host);
}

}  // namespace orvane
