#include "engine/crc_search_text.h"

#include <algorithm>

#include "engine/number_text.h"

namespace orvane {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= 32; }

// A frame's text in a message: at most this many bytes of it.
constexpr size_t kShownChars = 60;

bool IsBlankText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsSeparator);
}

}  // namespace

bool ParseCrcFrame(std::string_view text, std::vector<uint8_t>& bytes) {
    bytes.clear();
    size_t i = 0;
    while (i < text.size()) {
        if (IsSeparator(text[i])) {
            ++i;
            continue;
        }
        if (i + 1 >= text.size()) return false;
        const int hi = HexDigit(text[i]), lo = HexDigit(text[i + 1]);
        if (hi < 0 || lo < 0) return false;
        bytes.push_back(uint8_t(hi << 4 | lo));
        i += 2;
    }
    return true;
}

std::string CrcTemplateName(const CrcParams& p) {
    const int digits = p.width == 8 ? 2 : 4;
    return "CRC_" + std::to_string(p.width) + "_" + IntToHex(p.init, digits) + "_" +
           IntToHex(p.xorout, digits) + "_" + IntToHex(p.poly, digits) + "_" + (p.refin ? "1" : "0") +
           "_" + (p.refout ? "1" : "0");
}

const char* CrcByteOrderWord(CrcByteOrder order) {
    switch (order) {
        case CrcByteOrder::Big: return "big";
        case CrcByteOrder::Little: return "little";
        case CrcByteOrder::None: break;
    }
    return "-";
}

std::string FormatCrcModelLine(const CrcFoundModel& model) {
    std::string line = CrcTemplateName(model.params) + " " + CrcByteOrderWord(model.order);
    if (model.catalogueName) line += std::string(" ") + model.catalogueName;
    return line;
}

std::vector<std::string> FormatSearchLines(const CrcSearchResult& result) {
    std::vector<std::string> lines;
    if (!result.error.empty()) return lines;
    lines.reserve(result.models.size());
    for (const CrcFoundModel& m : result.models) lines.push_back(FormatCrcModelLine(m));
    return lines;
}

std::string CrcMoreModelsText(size_t count) {
    return std::to_string(count) + " more models fit and are not listed; add frames to narrow the search";
}

std::vector<std::string> FormatSearchMessages(const CrcSearchResult& result) {
    if (!result.error.empty()) return {result.error};
    std::vector<std::string> out = result.warnings;
    out.insert(out.end(), result.notes.begin(), result.notes.end());
    if (result.moreModels > 0) out.push_back(CrcMoreModelsText(result.moreModels));
    if (result.models.empty())
        out.push_back(result.searched8 && result.searched16 ? kCrcNoModel
                      : result.searched8                    ? kCrcNoModel8
                                                            : kCrcNoModel16);
    return out;
}

std::string CrcShownFrameText(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    const size_t cut = std::min(text.size(), kShownChars);
    std::string out = "\"";
    for (size_t i = 0; i < cut; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 32 || c > 126) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += char(c);
        }
    }
    out += cut < text.size() ? "...\"" : "\"";
    return out;
}

std::string CrcFrameLabel(size_t index, std::string_view shown) {
    return "frame " + std::to_string(index + 1) + " " + std::string(shown);
}

std::string CrcNotHexFrameText(size_t index, std::string_view shown) {
    return CrcFrameLabel(index, shown) + " is not hex byte text such as \"1B 24 43 02 99 05\"";
}

std::string CrcSearchErrorText(const CrcSearchResult& result, std::span<const std::string> shown) {
    if (result.errorFrame < 0 || size_t(result.errorFrame) >= shown.size()) return result.error;
    const size_t index = size_t(result.errorFrame);
    const std::string label = CrcFrameLabel(index, shown[index]);
    const std::string number = "frame " + std::to_string(index + 1);
    if (result.error.rfind(number, 0) == 0) return label + result.error.substr(number.size());
    return label + ": " + result.error;
}

std::string ReadCrcFrameLines(std::string_view text, std::vector<std::vector<uint8_t>>& frames,
                              std::vector<std::string>& shown) {
    frames.clear();
    shown.clear();
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.find('\r'));
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (IsBlankText(line)) continue;
        std::vector<uint8_t> bytes;
        shown.push_back(CrcShownFrameText(line));
        if (!ParseCrcFrame(line, bytes)) return CrcNotHexFrameText(shown.size() - 1, shown.back());
        frames.push_back(std::move(bytes));
    }
    return {};
}

}  // namespace orvane
