#pragma once
// The web-data definitions: the file "web data.inf" that says, for each web
// page, the address to open, the keyword that anchors a window of the page's
// source, and the items cut out of that window and stored in the field table.
// The file is INI text read with the INI library's rules: names match without
// regard to case, blanks around values and one pair of enclosing quotes go,
// a line starting with ";" matches no key, the first occurrence counts, and a
// value is read up to 2047 characters.
//
// Section "Web Data n" (n = 1, 2, ...; "Web Data 0" is an example that is
// never fetched): "web", "title 1", "keyword", "keyword_length", and per item
// i "keyword_start i", "keyword_end i", "title i", "Description i".
// Section "Web sync day": "datetime", the last daily check.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ini_file.h"

namespace orvane::webdata {

inline constexpr const char* kWebDataFileName = "web data.inf";
inline constexpr const char* kSyncDaySection = "Web sync day";
inline constexpr const char* kSyncDayKey = "datetime";
inline constexpr int32_t kDefaultKeywordLength = 200;
// What a missing "title", "keyword", "keyword_start" or "Description" reads as.
inline constexpr const char* kMissing = "???";

// "web data.inf" in the folder of the settings file (the program's folder, or
// the user's configuration folder when that one cannot be written).
std::string WebDataFilePath();

// The built-in definitions: the definition editor's first text, written out
// as the file when none exists. Sections 1 to 6 ask a search engine for the
// rates of USD, RMB, JPY, CHF, HKD and EUR in New Taiwan dollars, section 7
// opens a weather page with every other key switched off (so a run over all
// sections ends there), section 0 is an eleven-item weather example, then a
// second copy of sections 1 to 7 (without effect) and "Web sync day".
const std::string& DefaultWebDefinitions();

// "Web Data " + n in decimal.
std::string WebDataSection(int32_t n);

// The definitions as the fetcher reads them, with the defaults for missing
// keys. Values come back as valid UTF-8 (a character cut by the length limit
// is dropped, a bad byte becomes U+FFFD).
class WebDefinitions {
public:
    WebDefinitions() = default;
    explicit WebDefinitions(platform::IniDocument doc) : m_doc(std::move(doc)) {}

    // "web" of section n; empty when missing (the run ends there).
    std::string web(int32_t n) const;
    // "keyword"; "???" when missing (the run finishes there).
    std::string keyword(int32_t n) const;
    // "keyword_length" as an integer (decimal, or hexadecimal after "$" or
    // "0x"); 200 when missing or not an integer.
    int32_t keyword_length(int32_t n) const;
    // "keyword_start i"; "???" when missing.
    std::string keyword_start(int32_t n, int32_t i) const;
    // "keyword_end i"; empty when missing (there is no item i).
    std::string keyword_end(int32_t n, int32_t i) const;
    // "title i" ("title 1" is also the section's label); "???" when missing.
    std::string title(int32_t n, int32_t i) const;
    // "Description i"; "???" when missing.
    std::string Description(int32_t n, int32_t i) const;

    const platform::IniDocument& Document() const { return m_doc; }

private:
    std::string Read(int32_t n, const std::string& key, std::string_view fallback) const;
    platform::IniDocument m_doc;
};

// What the definition file buttons did.
struct DefinitionFileResult {
    enum class Kind { Loaded, Created, Failed };
    Kind kind = Kind::Failed;
    std::string text;   // Loaded: the file's content, for the editor
    std::string error;  // Failed: the message for the error box
};

// "Load web data.inf": when the file at `path` exists, its content (Loaded);
// otherwise `editorText` is written there (Created), so the first start
// creates the file from the built-in definitions. Failed, with a message that
// names the file and the reason, when the file cannot be read or written.
DefinitionFileResult Button5Click(const std::string& path, std::string_view editorText);

// "Save  web data.inf": writes `editorText` to `path`, replacing the file
// atomically. Empty on success, else the message for the error box (the old
// file is then unchanged).
std::string Button6Click(const std::string& path, std::string_view editorText);

}  // namespace orvane::webdata
