#include "webdata/web_definitions.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>
#include <filesystem>

#include "engine/number_text.h"
#include "platform/atomic_file.h"
#include "platform/settings_path.h"
#include "webdata/utf16_text.h"

namespace orvane::webdata {

std::string WebDataFilePath() {
    std::string dir = platform::SettingsDir(platform::ProgramFilePath(), platform::UserConfigDir());
    return dir.empty() ? std::string(kWebDataFileName) : dir + "/" + kWebDataFileName;
}

std::string WebDataSection(int32_t n) { return "Web Data " + std::to_string(n); }

std::string WebDefinitions::Read(int32_t n, const std::string& key, std::string_view fallback) const {
    std::string_view value;
    if (!m_doc.Find(WebDataSection(n), key, value)) return std::string(fallback);
    return ValidUtf8(DropCutTail(value.substr(0, platform::kIniValueMax)));
}

std::string WebDefinitions::web(int32_t n) const { return Read(n, "web", ""); }

std::string WebDefinitions::keyword(int32_t n) const { return Read(n, "keyword", kMissing); }

int32_t WebDefinitions::keyword_length(int32_t n) const {
    return StrToIntDef(m_doc.ReadString(WebDataSection(n), "keyword_length", ""), kDefaultKeywordLength);
}

std::string WebDefinitions::keyword_start(int32_t n, int32_t i) const {
    return Read(n, "keyword_start " + std::to_string(i), kMissing);
}

std::string WebDefinitions::keyword_end(int32_t n, int32_t i) const {
    return Read(n, "keyword_end " + std::to_string(i), "");
}

std::string WebDefinitions::title(int32_t n, int32_t i) const {
    return Read(n, "title " + std::to_string(i), kMissing);
}

std::string WebDefinitions::Description(int32_t n, int32_t i) const {
    return Read(n, "Description " + std::to_string(i), kMissing);
}

namespace {

std::string Reason(int err) { return std::error_code(err, std::generic_category()).message(); }

// The editor's lines as file text: each line ended by a line break.
std::string FileText(std::string_view editorText) {
    std::string text(editorText);
    if (!text.empty() && text.back() != '\n') text.push_back('\n');
    return text;
}

}  // namespace

DefinitionFileResult Button5Click(const std::string& path, std::string_view editorText) {
    DefinitionFileResult r;
    std::error_code ec;
    bool exists = std::filesystem::exists(path, ec);
    if (ec) {
        r.error = "Cannot open file \"" + path + "\". " + ec.message();
        return r;
    }
    if (exists) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            r.error = "Cannot open file \"" + path + "\". " + Reason(errno);
            return r;
        }
        r.text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) {
            r.text.clear();
            r.error = "Cannot read file \"" + path + "\". " + Reason(errno);
            return r;
        }
        r.kind = DefinitionFileResult::Kind::Loaded;
        return r;
    }
    std::string error = Button6Click(path, editorText);
    if (!error.empty()) {
        r.error = error;
        return r;
    }
    r.kind = DefinitionFileResult::Kind::Created;
    return r;
}

std::string Button6Click(const std::string& path, std::string_view editorText) {
    errno = 0;
    if (platform::WriteFileAtomically(path, FileText(editorText))) return {};
    int err = errno;
    return "Cannot create file \"" + path + "\". " + (err ? Reason(err) : std::string("Write failed"));
}

}  // namespace orvane::webdata
