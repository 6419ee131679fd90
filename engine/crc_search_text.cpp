#include "engine/crc_search_text.h"

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

}  // namespace orvane
