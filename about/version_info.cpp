#include "about/version_info.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

namespace orvane {

std::string InttoStrDigits(int32_t Value, uint16_t Digits) {
    std::string text = std::to_string(Value);
    if (text.size() > Digits) return "?";
    return std::string(Digits - text.size(), '0') + text;
}

namespace {

// Limits that keep a garbage file from making us read much: real section
// header tables and note sections are far smaller.
constexpr uint64_t kMaxSectionHeaderBytes = 16u << 20;
constexpr uint64_t kMaxNoteSectionBytes = 1u << 20;
constexpr uint32_t kShtNote = 7;
constexpr uint32_t kMaxVersionNumber = 0xFFFF;

class ElfFile {
public:
    explicit ElfFile(const std::string& path) {
        m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        struct stat st;
        if (m_fd >= 0 && ::fstat(m_fd, &st) == 0 && S_ISREG(st.st_mode)) m_size = uint64_t(st.st_size);
    }
    ~ElfFile() {
        if (m_fd >= 0) ::close(m_fd);
    }
    ElfFile(const ElfFile&) = delete;
    ElfFile& operator=(const ElfFile&) = delete;

    uint64_t Size() const { return m_size; }

    // Reads exactly `len` bytes at `offset`; false when the range leaves the
    // file or the read comes up short.
    bool Read(uint64_t offset, uint64_t len, std::vector<uint8_t>& out) const {
        if (offset > m_size || len > m_size - offset) return false;
        out.resize(size_t(len));
        uint64_t done = 0;
        while (done < len) {
            ssize_t n = ::pread(m_fd, out.data() + done, size_t(len - done), off_t(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += uint64_t(n);
        }
        return true;
    }

private:
    int m_fd = -1;
    uint64_t m_size = 0;
};

// Fixed-width integers in the file's byte order.
struct Decoder {
    bool big = false;
    uint64_t Get(const uint8_t* p, int width) const {
        uint64_t v = 0;
        for (int i = 0; i < width; ++i) {
            int k = big ? i : width - 1 - i;
            v = (v << 8) | p[k];
        }
        return v;
    }
};

enum class NoteResult { None, Empty, Numbers };

// Looks for the version note in one note section's bytes.
NoteResult ScanNotes(const std::vector<uint8_t>& sec, uint64_t align, const Decoder& dec,
                     std::array<uint32_t, 4>& numbers) {
    auto pad = [align](uint64_t n) { return (n + align - 1) / align * align; };
    const uint64_t ownerLen = std::strlen(kVersionNoteOwner) + 1;
    uint64_t pos = 0, size = sec.size();
    while (size - pos >= 12) {
        uint64_t namesz = dec.Get(&sec[pos], 4);
        uint64_t descsz = dec.Get(&sec[pos + 4], 4);
        uint64_t type = dec.Get(&sec[pos + 8], 4);
        uint64_t name = pos + 12;
        if (pad(namesz) > size - name) return NoteResult::None;
        uint64_t desc = name + pad(namesz);
        if (descsz > size - desc) return NoteResult::None;
        if (namesz == ownerLen && type == kVersionNoteType &&
            std::memcmp(&sec[name], kVersionNoteOwner, ownerLen) == 0) {
            if (descsz == 0) return NoteResult::Empty;
            if (descsz < 16) return NoteResult::None;
            for (int i = 0; i < 4; ++i) {
                uint64_t v = dec.Get(&sec[desc + 4 * uint64_t(i)], 4);
                if (v > kMaxVersionNumber) return NoteResult::None;
                numbers[size_t(i)] = uint32_t(v);
            }
            return NoteResult::Numbers;
        }
        uint64_t next = desc + pad(descsz);
        if (next > size) break;
        pos = next;
    }
    return NoteResult::None;
}

NoteResult FindVersionNote(const std::string& path, std::array<uint32_t, 4>& numbers) {
    ElfFile f(path);
    std::vector<uint8_t> buf;
    if (!f.Read(0, 64, buf)) return NoteResult::None;  // smaller than any ELF64 header
    if (std::memcmp(buf.data(), "\x7f" "ELF", 4) != 0) return NoteResult::None;
    const uint8_t cls = buf[4], data = buf[5];
    if ((cls != 1 && cls != 2) || (data != 1 && data != 2)) return NoteResult::None;
    const bool is64 = cls == 2;
    Decoder dec{data == 2};

    const uint64_t shoff = is64 ? dec.Get(&buf[0x28], 8) : dec.Get(&buf[0x20], 4);
    const uint64_t shentsize = dec.Get(&buf[is64 ? 0x3A : 0x2E], 2);
    uint64_t shnum = dec.Get(&buf[is64 ? 0x3C : 0x30], 2);
    const uint64_t minEnt = is64 ? 64 : 40;
    if (shoff == 0 || shentsize < minEnt) return NoteResult::None;

    std::vector<uint8_t> sh;
    if (shnum == 0) {  // more than 0xFF00 sections: the count is in section 0
        if (!f.Read(shoff, shentsize, sh)) return NoteResult::None;
        shnum = is64 ? dec.Get(&sh[32], 8) : dec.Get(&sh[20], 4);
    }
    if (shnum == 0 || shnum > kMaxSectionHeaderBytes / shentsize) return NoteResult::None;
    if (!f.Read(shoff, shnum * shentsize, sh)) return NoteResult::None;

    std::vector<uint8_t> sec;
    for (uint64_t i = 0; i < shnum; ++i) {
        const uint8_t* h = &sh[i * shentsize];
        if (dec.Get(h + 4, 4) != kShtNote) continue;
        uint64_t off = is64 ? dec.Get(h + 24, 8) : dec.Get(h + 16, 4);
        uint64_t size = is64 ? dec.Get(h + 32, 8) : dec.Get(h + 20, 4);
        uint64_t align = is64 ? dec.Get(h + 48, 8) : dec.Get(h + 32, 4);
        if (size > kMaxNoteSectionBytes || !f.Read(off, size, sec)) continue;
        NoteResult r = ScanNotes(sec, align == 8 ? 8 : 4, dec, numbers);
        if (r != NoteResult::None) return r;
    }
    return NoteResult::None;
}

}  // namespace

std::string GetFileVersion(const std::string& FileName, int32_t& Major, int32_t& Minor,
                           int32_t& Release, int32_t& Build, std::string& VersionCode) {
    Major = Minor = Release = Build = -1;
    VersionCode = "00000000";
    std::array<uint32_t, 4> n{};
    switch (FindVersionNote(FileName, n)) {
        case NoteResult::None:
            return "?.?.?.?";
        case NoteResult::Empty:
            Major = Minor = Release = Build = 0;
            return "0.0.0.0";
        case NoteResult::Numbers:
            break;
    }
    Major = int32_t(n[0]);
    Minor = int32_t(n[1]);
    Release = int32_t(n[2]);
    Build = int32_t(n[3]);
    VersionCode = InttoStrDigits(Major, 2) + InttoStrDigits(Minor, 2) + InttoStrDigits(Release, 2) +
                  InttoStrDigits(Build, 2);
    return std::to_string(Major) + "." + std::to_string(Minor) + "." + std::to_string(Release) + "." +
           std::to_string(Build);
}

std::string GetFileVersion(const std::string& FileName) {
    int32_t a, b, c, d;
    std::string code;
    return GetFileVersion(FileName, a, b, c, d, code);
}

}  // namespace orvane
