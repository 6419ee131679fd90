#pragma once
// INI files with the classic private-profile rules: section and key names are
// compared ignoring ASCII case, the first occurrence of a section and of a key
// within it wins, blanks around names and values are dropped, one pair of
// enclosing single or double quotes around a value is dropped, and a value is
// read back with at most 2047 characters. Writes replace the first occurrence
// of a key or append it (creating the section and the file as needed), and
// every change reaches the disk through a temporary file in the same folder
// that is flushed and renamed over the old one, so a crash or a full disk
// leaves either the old file or the new one, never a mix.
//
// Lines that are neither "[section]" headers nor "key=value" pairs (comments
// starting with ';', blank lines, stray text) are kept as they are and never
// read as keys. Keys
// before the first header belong to the section with the empty name.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane::platform {

// Longest value a read hands back; longer values are cut.
constexpr std::size_t kIniValueMax = 2047;

// An INI text held in memory. Reading and changing it never touches a file;
// Load and Save do.
class IniDocument {
public:
    IniDocument() = default;
    // Parses `text` (LF or CR LF line ends; the style of the first line is
    // kept for lines this document adds).
    explicit IniDocument(std::string_view text);

    // Replaces the content with the file's. A missing file gives an empty
    // document and true; false (content emptied) when it exists but cannot be
    // read.
    bool Load(const std::string& path);
    // Writes the document to `path` atomically (temporary file, fsync, rename,
    // fsync of the folder); the old file's permission bits are kept. False,
    // with the old file untouched, when any step fails.
    bool Save(const std::string& path) const;
    // The whole text as it would be saved.
    std::string Text() const;

    // True when a section of that name exists (even an empty one).
    bool SectionExists(std::string_view section) const;
    // True and the value (blanks and one pair of enclosing quotes dropped, not
    // cut) in `value` when the key exists in the first section of that name.
    bool Find(std::string_view section, std::string_view key, std::string_view& value) const;
    // The value of the key cut to `maxLen` characters, or `fallback` when the
    // section or the key is missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback, std::size_t maxLen = kIniValueMax) const;
    // The key names of the first section of that name, in file order, each
    // name once (its first spelling).
    std::vector<std::string> ReadSection(std::string_view section) const;
    // The keys of the first section of that name with their values (as Find
    // gives them), in file order, each key once (its first occurrence). The
    // views stay valid until the document changes.
    std::vector<std::pair<std::string_view, std::string_view>> ReadSectionValues(
        std::string_view section) const;

    // Sets key := value in the first section of that name: replaces the first
    // occurrence of the key or appends it at the end of the section; adds the
    // section at the end of the text when missing. A value is stored up to its
    // first NUL, CR or LF (a line cannot hold them). False, and nothing
    // changed, for a section name that is empty or holds ']', CR, LF or NUL,
    // and for a key name that is empty after trimming, starts with '[' or ';'
    // or holds '=', CR, LF or NUL.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    // WriteString for each pair in order, in one pass over the section (so a
    // whole table of keys costs time linear in the file's size).
    bool WriteStrings(std::string_view section,
                      const std::vector<std::pair<std::string, std::string_view>>& items);
    // Writes the decimal form of `value`.
    bool WriteInteger(std::string_view section, std::string_view key, int32_t value);
    // Removes every line of the key from the first section of that name; true
    // when one was there.
    bool DeleteKey(std::string_view section, std::string_view key);
    // Removes every section of that name (header and all its lines); true
    // when one was there.
    bool EraseSection(std::string_view section);

private:
    enum class Kind : uint8_t { Other, Section, Key };
    struct Line {
        std::string text;        // the line without its line end
        Kind kind = Kind::Other;
        std::string name;        // trimmed section or key name
        std::size_t valuePos = 0;  // for keys: index after the '='
    };
    static Line ParseLine(std::string text);
    static std::string_view ValueOf(const Line& line);
    static void ReplaceValue(Line& line, std::string_view value);
    // The lines [first, end) of the first section named `section` (without its
    // header); the empty name stands for the lines before the first header.
    bool SectionRange(std::string_view section, std::size_t& first, std::size_t& end) const;
    std::size_t FindKeyLine(std::size_t first, std::size_t end, std::string_view key) const;

    std::vector<Line> m_lines;
    bool m_crlf = false;
};

// One INI file on disk. Every read loads the file afresh and every write
// rewrites it atomically, so separate calls see each other's changes at once
// (the classic profile-API behaviour). For many changes at once use Update.
// Each read-modify-write holds an exclusive flock on "<file>.lock" beside the
// file (the link target for a symbolic link), so writers in several processes
// never lose each other's keys.
class IniFile {
public:
    explicit IniFile(std::string path) : m_path(std::move(path)) {}
    const std::string& Path() const { return m_path; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback, std::size_t maxLen = kIniValueMax) const;
    std::vector<std::string> ReadSection(std::string_view section) const;
    bool SectionExists(std::string_view section) const;

    // Each returns false when the change was refused or the file could not
    // be written (the file is then unchanged).
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, int32_t value);
    bool DeleteKey(std::string_view section, std::string_view key);
    bool EraseSection(std::string_view section);

    // Loads the document, lets `edit` change it, and saves it once. False
    // when the file cannot be read or written; the file is then unchanged.
    bool Update(const std::function<void(IniDocument&)>& edit);
    // The document as it is on disk now (empty when missing or unreadable).
    IniDocument Read() const;

private:
    std::string m_path;
};

}  // namespace orvane::platform
