#include "tools/smbios.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace orvane {

namespace {

// Far above any real table; keeps a wrong path from filling memory.
constexpr size_t kMaxFileBytes = 16u << 20;
constexpr uint8_t kSysInfoType = 1;
constexpr uint8_t kEndOfTable = 127;

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    auto fail = [&](int err) {
        return ESmbiosError("EFOpenError",
                            "Cannot open file \"" + path + "\". " + std::strerror(err));
    };
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw fail(errno);
    std::vector<uint8_t> data;
    uint8_t buf[16384];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int err = errno;
            ::close(fd);
            throw fail(err);
        }
        if (n == 0) break;
        if (data.size() + size_t(n) > kMaxFileBytes) {
            ::close(fd);
            throw ESmbiosError("ESmbiosError", "SMBIOS data in \"" + path + "\" is too large");
        }
        data.insert(data.end(), buf, buf + n);
    }
    ::close(fd);
    return data;
}

bool StartsWith(const std::vector<uint8_t>& d, const char* anchor) {
    size_t n = std::strlen(anchor);
    return d.size() >= n && std::memcmp(d.data(), anchor, n) == 0;
}

std::string Hex2(uint8_t b) {
    static const char kHex[] = "0123456789ABCDEF";
    return {kHex[b >> 4], kHex[b & 15]};
}

// SMBIOS System Information field offsets.
constexpr uint8_t kManufacturer = 0x04, kProductName = 0x05, kVersion = 0x06,
                  kSerialNumber = 0x07, kUUID = 0x08, kSKUNumber = 0x19, kFamily = 0x1A;

}  // namespace

SmbiosPaths SmbiosPathsFromEnvironment() {
    SmbiosPaths paths;
    if (const char* dir = std::getenv("ORVANE_SMBIOS_DIR"); dir && *dir) {
        paths.table = std::string(dir) + "/DMI";
        paths.entryPoint = std::string(dir) + "/smbios_entry_point";
    }
    return paths;
}

TSMBios::TSMBios(const SmbiosPaths& paths) {
    std::vector<uint8_t> ep = ReadWholeFile(paths.entryPoint);
    if (StartsWith(ep, "_SM3_") && ep.size() >= 0x18) {
        m_major = ep[0x07];
        m_minor = ep[0x08];
        m_dmiRevision = ep[0x09];
    } else if (StartsWith(ep, "_SM_") && ep.size() >= 0x1F) {
        m_major = ep[0x06];
        m_minor = ep[0x07];
        m_dmiRevision = ep[0x1E];
    } else if (StartsWith(ep, "_DMI_") && ep.size() >= 0x0F) {
        m_dmiRevision = ep[0x0E];
        m_major = uint8_t(m_dmiRevision >> 4);
        m_minor = uint8_t(m_dmiRevision & 0x0F);
    } else {
        throw ESmbiosError("ESmbiosError", "Unknown SMBIOS entry point in \"" + paths.entryPoint + "\"");
    }
    m_table = ReadWholeFile(paths.table);
    BuildIndex();
}

TSMBios::TSMBios(std::vector<uint8_t> table, uint8_t majorVersion, uint8_t minorVersion,
                 uint8_t dmiRevision)
    : m_table(std::move(table)), m_major(majorVersion), m_minor(minorVersion), m_dmiRevision(dmiRevision) {
    BuildIndex();
}

void TSMBios::BuildIndex() {
    const size_t size = m_table.size();
    size_t pos = 0;
    while (pos < size && size - pos >= 4) {
        SmbiosStructure s;
        s.Type = m_table[pos];
        s.Length = m_table[pos + 1];
        s.Handle = uint16_t(m_table[pos + 2] | (m_table[pos + 3] << 8));
        s.Offset = uint32_t(pos);
        if (s.Length < 4) break;  // a header that claims less than itself
        size_t p = pos + s.Length;
        if (p > size) {  // formatted area runs past the table
            s.End = uint32_t(size);
            m_index.push_back(s);
            break;
        }
        while (p + 1 < size && !(m_table[p] == 0 && m_table[p + 1] == 0)) ++p;
        bool complete = p + 1 < size;
        s.End = uint32_t(complete ? p + 2 : size);
        m_index.push_back(s);
        if (s.Type == kEndOfTable || !complete) break;
        pos = p + 2;
    }
}

std::string TSMBios::GetSmbiosVersion() const {
    return std::to_string(m_major) + "." + std::to_string(m_minor);
}

const SmbiosStructure* TSMBios::SysInfo() const {
    for (const SmbiosStructure& s : m_index)
        if (s.Type == kSysInfoType) return &s;
    return nullptr;
}

std::string TSMBios::GetString(const SmbiosStructure& s, uint8_t k) const {
    if (k == 0) return {};
    size_t p = size_t(s.Offset) + s.Length;
    const size_t end = s.End;
    for (int i = 1; p < end; ++i) {
        size_t z = p;
        while (z < end && m_table[z] != 0) ++z;
        if (z == p) return {};  // the empty string that ends the set
        if (i == k) return std::string(reinterpret_cast<const char*>(&m_table[p]), z - p);
        p = z + 1;
    }
    return {};
}

uint8_t TSMBios::FieldByte(const SmbiosStructure& s, uint8_t offset) const {
    size_t at = size_t(s.Offset) + offset;
    if (offset >= s.Length || at >= m_table.size()) return 0;
    return m_table[at];
}

std::string TSMBios::SysInfoString(uint8_t offset) const {
    const SmbiosStructure* s = SysInfo();
    return s ? GetString(*s, FieldByte(*s, offset)) : std::string();
}

std::string TSMBios::ManufacturerStr() const { return SysInfoString(kManufacturer); }
std::string TSMBios::ProductNameStr() const { return SysInfoString(kProductName); }
std::string TSMBios::VersionStr() const { return SysInfoString(kVersion); }
std::string TSMBios::SerialNumberStr() const { return SysInfoString(kSerialNumber); }
std::string TSMBios::SKUNumberStr() const { return SysInfoString(kSKUNumber); }
std::string TSMBios::FamilyStr() const { return SysInfoString(kFamily); }

std::array<uint8_t, 16> TSMBios::UUIDBytes() const {
    const SmbiosStructure* s = SysInfo();
    if (!s) throw ESmbiosError("ESmbiosError", "No System Information structure in the SMBIOS table");
    if (s->Length < kUUID + 16 || size_t(s->Offset) + kUUID + 16 > m_table.size())
        throw ESmbiosError("ESmbiosError", "The System Information structure holds no UUID");
    std::array<uint8_t, 16> b;
    std::memcpy(b.data(), &m_table[s->Offset + kUUID], 16);
    return b;
}

std::string UUIDText(const std::array<uint8_t, 16>& b) {
    static const int kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    std::string out;
    out.reserve(36);
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) out += '-';
        out += Hex2(b[size_t(kOrder[i])]);
    }
    return out;
}

namespace {

std::string FailureText(const std::exception& e) {
    if (auto* o = dynamic_cast<const EOrvane*>(&e)) return o->kind() + ": " + o->what();
    return std::string("Exception: ") + e.what();
}

}  // namespace

std::string System_UUID(const FailureLine& failure, const SmbiosPaths& paths) {
    try {
        return UUIDText(TSMBios(paths).UUIDBytes());
    } catch (const std::exception& e) {
        if (failure) failure(FailureText(e));
        return {};
    }
}

bool SystemInfoLines(const std::function<void(const std::string&)>& line, const SmbiosPaths& paths) {
    try {
        TSMBios bios(paths);
        line("System Information");
        line("Manufacter    " + bios.ManufacturerStr());
        line("Product Name  " + bios.ProductNameStr());
        line("Version       " + bios.VersionStr());
        line("Serial Number " + bios.SerialNumberStr());
        std::array<uint8_t, 16> uuid = bios.UUIDBytes();
        std::string stored;
        for (uint8_t b : uuid) stored += Hex2(b);
        line("UUID          " + stored);
        line("UUID          " + UUIDText(uuid));
        if (bios.GetSmbiosVersion() >= "2.4") {
            line("SKU Number    " + bios.SKUNumberStr());
            line("Family        " + bios.FamilyStr());
        }
        line("");
        return true;
    } catch (const std::exception& e) {
        line(FailureText(e));
        return false;
    }
}

}  // namespace orvane
