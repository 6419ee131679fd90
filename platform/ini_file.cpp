#include "platform/ini_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <unordered_map>
#include <unordered_set>

#include "platform/atomic_file.h"

namespace orvane::platform {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view TrimBlanks(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool HasAnyOf(std::string_view s, std::string_view chars) {
    return s.find_first_of(chars) != std::string_view::npos;
}

// A name for a "[section]" header: not empty and nothing that would end the
// header or the line early.
bool ValidSectionName(std::string_view name) {
    std::string_view t = TrimBlanks(name);
    return !t.empty() && !HasAnyOf(name, std::string_view("]\r\n\0", 4));
}

// A key name that reads back as the same key: not empty, not mistaken for a
// header or a comment, no '=' that would split it.
bool ValidKeyName(std::string_view name) {
    std::string_view t = TrimBlanks(name);
    return !t.empty() && t.front() != '[' && t.front() != ';' &&
           !HasAnyOf(name, std::string_view("=\r\n\0", 4));
}

std::string LowerName(std::string_view name) {
    std::string out(name);
    for (char& c : out) c = Lower(c);
    return out;
}

// What of a value fits on one line.
std::string_view StorableValue(std::string_view value) {
    size_t cut = value.find_first_of(std::string_view("\0\r\n", 3));
    return cut == std::string_view::npos ? value : value.substr(0, cut);
}

}  // namespace

IniDocument::Line IniDocument::ParseLine(std::string text) {
    Line line;
    std::string_view t = TrimBlanks(text);
    if (!t.empty() && t.front() == '[') {
        size_t close = t.rfind(']');
        if (close != std::string_view::npos) {
            line.kind = Kind::Section;
            line.name = std::string(TrimBlanks(t.substr(1, close - 1)));
        }
    } else if (!t.empty() && t.front() != ';') {
        size_t eq = text.find('=');
        if (eq != std::string::npos) {
            std::string_view name = TrimBlanks(std::string_view(text).substr(0, eq));
            if (!name.empty()) {
                line.kind = Kind::Key;
                line.name = std::string(name);
                line.valuePos = eq + 1;
            }
        }
    }
    line.text = std::move(text);
    return line;
}

IniDocument::IniDocument(std::string_view text) {
    size_t pos = 0;
    bool first = true;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        size_t end = nl == std::string_view::npos ? text.size() : nl;
        size_t stop = end;
        if (stop > pos && text[stop - 1] == '\r') --stop;
        if (first && nl != std::string_view::npos) m_crlf = stop != end;
        first = false;
        m_lines.push_back(ParseLine(std::string(text.substr(pos, stop - pos))));
        pos = nl == std::string_view::npos ? text.size() : nl + 1;
    }
}

bool IniDocument::Load(const std::string& path) {
    *this = IniDocument();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR;
    std::string data;
    char buf[65536];
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        if (n == 0) break;
        data.append(buf, size_t(n));
    }
    ::close(fd);
    if (ok) *this = IniDocument(data);
    return ok;
}

std::string IniDocument::Text() const {
    const char* eol = m_crlf ? "\r\n" : "\n";
    size_t total = 0;
    for (const Line& l : m_lines) total += l.text.size() + 2;
    std::string out;
    out.reserve(total);
    for (const Line& l : m_lines) {
        out += l.text;
        out += eol;
    }
    return out;
}

bool IniDocument::Save(const std::string& path) const { return WriteFileAtomically(path, Text()); }

bool IniDocument::SectionRange(std::string_view section, size_t& first, size_t& end) const {
    size_t n = m_lines.size();
    size_t i = 0;
    if (TrimBlanks(section).empty()) {
        first = 0;
    } else {
        std::string_view want = TrimBlanks(section);
        while (i < n && !(m_lines[i].kind == Kind::Section && SameName(m_lines[i].name, want))) ++i;
        if (i == n) return false;
        first = ++i;
    }
    while (i < n && m_lines[i].kind != Kind::Section) ++i;
    end = i;
    if (first == 0 && TrimBlanks(section).empty()) {
        for (size_t k = first; k < end; ++k)
            if (m_lines[k].kind == Kind::Key) return true;
        return false;
    }
    return true;
}

size_t IniDocument::FindKeyLine(size_t first, size_t end, std::string_view key) const {
    std::string_view want = TrimBlanks(key);
    for (size_t i = first; i < end; ++i)
        if (m_lines[i].kind == Kind::Key && SameName(m_lines[i].name, want)) return i;
    return SIZE_MAX;
}

bool IniDocument::SectionExists(std::string_view section) const {
    size_t first, end;
    return SectionRange(section, first, end);
}

bool IniDocument::Find(std::string_view section, std::string_view key, std::string_view& value) const {
    size_t first, end;
    if (!SectionRange(section, first, end)) return false;
    size_t i = FindKeyLine(first, end, key);
    if (i == SIZE_MAX) return false;
    value = ValueOf(m_lines[i]);
    return true;
}

void IniDocument::ReplaceValue(Line& l, std::string_view value) {
    // Keep the key's spelling and the blanks after the '='.
    size_t keep = l.valuePos;
    while (keep < l.text.size() && (l.text[keep] == ' ' || l.text[keep] == '\t')) ++keep;
    l.text.resize(keep);
    l.text.append(value);
}

std::string_view IniDocument::ValueOf(const Line& l) {
    std::string_view v = TrimBlanks(std::string_view(l.text).substr(l.valuePos));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v;
}

std::vector<std::pair<std::string_view, std::string_view>> IniDocument::ReadSectionValues(
    std::string_view section) const {
    std::vector<std::pair<std::string_view, std::string_view>> out;
    size_t first, end;
    if (!SectionRange(section, first, end)) return out;
    std::unordered_set<std::string> seen;
    for (size_t i = first; i < end; ++i) {
        const Line& l = m_lines[i];
        if (l.kind == Kind::Key && seen.insert(LowerName(l.name)).second)
            out.emplace_back(l.name, ValueOf(l));
    }
    return out;
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view fallback, size_t maxLen) const {
    std::string_view v;
    if (!Find(section, key, v)) return std::string(fallback);
    return std::string(v.substr(0, maxLen));
}

std::vector<std::string> IniDocument::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    size_t first, end;
    if (!SectionRange(section, first, end)) return keys;
    for (size_t i = first; i < end; ++i) {
        if (m_lines[i].kind != Kind::Key) continue;
        if (FindKeyLine(first, i, m_lines[i].name) == SIZE_MAX) keys.push_back(m_lines[i].name);
    }
    return keys;
}

bool IniDocument::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (!ValidSectionName(section) || !ValidKeyName(key)) return false;
    std::string_view stored = StorableValue(value);
    size_t first, end;
    if (!SectionRange(section, first, end)) {
        if (!m_lines.empty() && !TrimBlanks(m_lines.back().text).empty())
            m_lines.push_back(ParseLine(std::string()));
        m_lines.push_back(ParseLine("[" + std::string(TrimBlanks(section)) + "]"));
        m_lines.push_back(ParseLine(std::string(TrimBlanks(key)) + "=" + std::string(stored)));
        return true;
    }
    size_t i = FindKeyLine(first, end, key);
    if (i != SIZE_MAX) {
        ReplaceValue(m_lines[i], stored);
        return true;
    }
    // After the section's last non-blank line, so blank lines that separate
    // it from the next section stay where they are.
    size_t at = end;
    while (at > first && TrimBlanks(m_lines[at - 1].text).empty()) --at;
    m_lines.insert(m_lines.begin() + std::ptrdiff_t(at),
                   ParseLine(std::string(TrimBlanks(key)) + "=" + std::string(stored)));
    return true;
}

bool IniDocument::WriteStrings(std::string_view section,
                               const std::vector<std::pair<std::string, std::string_view>>& items) {
    if (!ValidSectionName(section)) return false;
    for (const auto& item : items)
        if (!ValidKeyName(item.first)) return false;
    if (items.empty()) return true;
    size_t first, end;
    if (!SectionRange(section, first, end)) {
        if (!m_lines.empty() && !TrimBlanks(m_lines.back().text).empty())
            m_lines.push_back(ParseLine(std::string()));
        m_lines.push_back(ParseLine("[" + std::string(TrimBlanks(section)) + "]"));
        first = end = m_lines.size();
    }
    // First occurrence of each key in the section; appended keys are kept
    // apart and inserted in one go.
    std::unordered_map<std::string, size_t> existing;
    for (size_t i = first; i < end; ++i)
        if (m_lines[i].kind == Kind::Key) existing.emplace(LowerName(m_lines[i].name), i);
    std::vector<Line> appended;
    std::unordered_map<std::string, size_t> appendedIndex;
    for (const auto& [key, value] : items) {
        std::string_view stored = StorableValue(value);
        std::string lower = LowerName(TrimBlanks(key));
        if (auto it = existing.find(lower); it != existing.end()) {
            ReplaceValue(m_lines[it->second], stored);
        } else if (auto jt = appendedIndex.find(lower); jt != appendedIndex.end()) {
            ReplaceValue(appended[jt->second], stored);
        } else {
            appendedIndex.emplace(std::move(lower), appended.size());
            appended.push_back(ParseLine(std::string(TrimBlanks(key)) + "=" + std::string(stored)));
        }
    }
    size_t at = end;
    while (at > first && TrimBlanks(m_lines[at - 1].text).empty()) --at;
    m_lines.insert(m_lines.begin() + std::ptrdiff_t(at), std::make_move_iterator(appended.begin()),
                   std::make_move_iterator(appended.end()));
    return true;
}

bool IniDocument::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

bool IniDocument::DeleteKey(std::string_view section, std::string_view key) {
    size_t first, end;
    if (!SectionRange(section, first, end)) return false;
    std::string_view want = TrimBlanks(key);
    bool any = false;
    size_t out = first;
    for (size_t i = first; i < end; ++i) {
        if (m_lines[i].kind == Kind::Key && SameName(m_lines[i].name, want)) {
            any = true;
            continue;
        }
        if (out != i) m_lines[out] = std::move(m_lines[i]);
        ++out;
    }
    m_lines.erase(m_lines.begin() + std::ptrdiff_t(out), m_lines.begin() + std::ptrdiff_t(end));
    return any;
}

bool IniDocument::EraseSection(std::string_view section) {
    std::string_view want = TrimBlanks(section);
    if (want.empty()) return false;
    bool any = false;
    std::vector<Line> kept;
    kept.reserve(m_lines.size());
    bool dropping = false;
    for (Line& l : m_lines) {
        if (l.kind == Kind::Section) dropping = SameName(l.name, want);
        if (dropping) {
            any = true;
            continue;
        }
        kept.push_back(std::move(l));
    }
    m_lines = std::move(kept);
    return any;
}

// ---------------------------------------------------------------------------

IniDocument IniFile::Read() const {
    IniDocument doc;
    doc.Load(m_path);
    return doc;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback, size_t maxLen) const {
    return Read().ReadString(section, key, fallback, maxLen);
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
    return Read().ReadSection(section);
}

bool IniFile::SectionExists(std::string_view section) const { return Read().SectionExists(section); }

namespace {

// Holds an exclusive flock on "<file>.lock" beside the INI file for its
// lifetime, so that the read-modify-write cycles of several processes on one
// file run one after the other and none loses another's keys. The lock file
// stays (removing it would let two processes lock different files of the
// same name). Where no lock file can be made the cycle runs unlocked: such a
// folder cannot take the new file either.
class IniWriteLock {
public:
    explicit IniWriteLock(const std::string& path) {
        std::string target = path;
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            target = real;  // one lock for every link to the file
            std::free(real);
        }
        // Something that is no file cannot be written anyway.
        struct stat st;
        if (::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return;
        const std::string lock = target + ".lock";
        m_fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (m_fd < 0) m_fd = ::open(lock.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (m_fd < 0) return;
        while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~IniWriteLock() {
        if (m_fd >= 0) ::close(m_fd);  // releases the lock
    }
    IniWriteLock(const IniWriteLock&) = delete;
    IniWriteLock& operator=(const IniWriteLock&) = delete;

private:
    int m_fd = -1;
};

}  // namespace

bool IniFile::Update(const std::function<void(IniDocument&)>& edit) {
    IniWriteLock lock(m_path);
    IniDocument doc;
    if (!doc.Load(m_path)) return false;
    edit(doc);
    return doc.Save(m_path);
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (!ValidSectionName(section) || !ValidKeyName(key)) return false;
    return Update([&](IniDocument& d) { d.WriteString(section, key, value); });
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

bool IniFile::DeleteKey(std::string_view section, std::string_view key) {
    IniWriteLock lock(m_path);
    IniDocument doc;
    if (!doc.Load(m_path)) return false;
    if (!doc.DeleteKey(section, key)) return true;  // nothing to remove: file untouched
    return doc.Save(m_path);
}

bool IniFile::EraseSection(std::string_view section) {
    IniWriteLock lock(m_path);
    IniDocument doc;
    if (!doc.Load(m_path)) return false;
    if (!doc.EraseSection(section)) return true;
    return doc.Save(m_path);
}

}  // namespace orvane::platform
