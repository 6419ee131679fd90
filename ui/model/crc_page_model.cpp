// The CRC page: parameter reading, the CRC call, the generated expression,
// the presets and the reference table.
#include "ui/model/crc_page_model.h"

#include <algorithm>

#include "engine/crc.h"
#include "engine/number_text.h"

namespace orvane::ui {

namespace {

// The preset table is indexed by position; its index column must agree.
constexpr bool PresetIndexesMatch() {
    for (int i = 0; i < kCrcPresetCount; ++i)
        if (kCrcPresets[size_t(i)].index != i) return false;
    return true;
}
static_assert(PresetIndexesMatch());

uint32_t ReadValue(std::string_view text, uint32_t fallback, uint32_t mask) {
    return uint32_t(StrToIntDef(text, int32_t(fallback))) & mask;
}

// The text without its first character. A character is a whole UTF-8 code
// point, so a box starting with a non-ASCII character leaves valid text.
std::string_view DropFirstCharacter(std::string_view text) {
    if (text.empty()) return text;
    size_t n = 1;
    while (n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) ++n;
    return text.substr(n);
}

const char* FlagWord(bool on) { return on ? "True" : "False"; }

// Position of the CRC-A row in the table: it stands before CRC-16/USB.
constexpr int kCrcUsbPreset = 22;
constexpr int kCrcAPreset = 23;

constexpr std::array<const char*, 7> kReferenceTitles = {
    "CRC name", "fromula", "Polynom", "ini_Value", "Final XOR", "Reverse_data", "Reverse_result"};

using Cells = std::array<std::string, 8>;

Cells ReferenceCells(const CrcPreset& p, const std::string& check) {
    return {p.referenceName,
            p.formula,
            std::string(DropFirstCharacter(p.polynom)),
            std::string(DropFirstCharacter(p.initial)),
            std::string(DropFirstCharacter(p.finalXor)),
            FlagWord(p.reverseData),
            FlagWord(p.reverseResult),
            "BB=>" + check};
}

std::string PresetCheck(const CrcPreset& p) {
    const CrcParameters params = ReadCrcParameters(p.width, p.initial, p.finalXor, p.polynom,
                                                   p.reverseData, p.reverseResult);
    return ComputeCrc("BB", params);
}

// Column widths over the header and every preset row.
std::array<size_t, 8> ColumnWidths() {
    std::array<size_t, 8> widths{};
    for (size_t c = 0; c < kReferenceTitles.size(); ++c)
        widths[c] = std::string_view(kReferenceTitles[c]).size();
    for (const CrcPreset& p : kCrcPresets) {
        // The check column is last and never padded; its width does not matter.
        const Cells cells = ReferenceCells(p, "");
        for (size_t c = 0; c < cells.size(); ++c) widths[c] = std::max(widths[c], cells[c].size());
    }
    return widths;
}

// Cells padded to their column's width and joined by tabs; the last cell is
// not padded.
template <size_t N>
std::string JoinPadded(const std::array<std::string, N>& cells,
                       const std::array<size_t, 8>& widths) {
    std::string line;
    for (size_t c = 0; c < N; ++c) {
        line += cells[c];
        if (c + 1 == N) break;
        line.append(widths[c] - std::min(widths[c], cells[c].size()), ' ');
        line += '\t';
    }
    return line;
}

}  // namespace

CrcParameters ReadCrcParameters(CrcWidth width, std::string_view initial,
                                std::string_view finalXor, std::string_view polynom,
                                bool reverseData, bool reverseResult) {
    const bool crc8 = width == CrcWidth::Crc8;
    const CrcDefaults& d = crc8 ? kCrc8Defaults : kCrc16Defaults;
    const uint32_t mask = crc8 ? 0xFFu : 0xFFFFu;
    CrcParameters p;
    p.width = width;
    p.initial = ReadValue(initial, d.initial, mask);
    p.finalXor = ReadValue(finalXor, d.finalXor, mask);
    p.polynom = ReadValue(polynom, d.polynom, mask);
    p.reverseData = reverseData;
    p.reverseResult = reverseResult;
    return p;
}

std::string ComputeCrc(std::string_view data, const CrcParameters& p) {
    std::string result;
    if (p.width == CrcWidth::Crc8) {
        RunCRC8_all_type(data, result, uint8_t(p.initial), uint8_t(p.finalXor), uint8_t(p.polynom),
                         p.reverseData, p.reverseResult);
    } else {
        RunCRC16_all_type(data, result, uint16_t(p.initial), uint16_t(p.finalXor),
                          uint16_t(p.polynom), p.reverseData, p.reverseResult);
    }
    return result;
}

std::string CrcExpressionText(CrcWidth width, std::string_view initial, std::string_view finalXor,
                              std::string_view polynom, bool reverseData, bool reverseResult,
                              std::string_view data) {
    std::string e = width == CrcWidth::Crc8 ? "['&STR_VAR:xxx':CRC_8_" : "['&STR_VAR:xxx':CRC_16_";
    e += DropFirstCharacter(initial);
    e += '_';
    e += DropFirstCharacter(finalXor);
    e += '_';
    e += DropFirstCharacter(polynom);
    e += '_';
    e += reverseData ? "1_" : "0_";
    e += reverseResult ? "1" : "0";
    e += '(';
    e += data;
    e += ")]";
    return e;
}

std::string CrcReferenceHeader() {
    std::array<std::string, kReferenceTitles.size()> titles;
    std::copy(kReferenceTitles.begin(), kReferenceTitles.end(), titles.begin());
    return JoinPadded(titles, ColumnWidths());
}

std::vector<CrcReferenceRow> CrcReferenceRows() {
    const std::array<size_t, 8> widths = ColumnWidths();
    std::vector<CrcReferenceRow> rows;
    rows.reserve(kCrcPresetCount);
    auto add = [&](int index) {
        const CrcPreset& p = kCrcPresets[size_t(index)];
        std::string check = PresetCheck(p);
        std::string text = JoinPadded(ReferenceCells(p, check), widths);
        rows.push_back({index, std::move(check), std::move(text)});
    };
    for (int i = 0; i < kCrcPresetCount; ++i) {
        if (i == kCrcAPreset) continue;
        if (i == kCrcUsbPreset) add(kCrcAPreset);
        add(i);
    }
    return rows;
}

// --- the page -------------------------------------------------------------------------------

void CrcPageModel::Notify(Item item) {
    if (m_listener) m_listener(item);
}

void CrcPageModel::SetText(std::string& box, Item item, const std::string& text) {
    if (box == text) return;
    box = text;
    Notify(item);
}

void CrcPageModel::SetFlag(bool& box, Item item, bool on) {
    if (box == on) return;
    box = on;
    Notify(item);
}

CrcParameters CrcPageModel::parameters() const {
    return ReadCrcParameters(m_width, m_initial, m_finalXor, m_polynom, m_reverseData,
                             m_reverseResult);
}

void CrcPageModel::Button7Click() {
    // Computed before the box is touched: a raised error leaves it as it was.
    const std::string crc = ComputeCrc(m_data, parameters());
    SetText(m_result, Item::Result, crc);
}

void CrcPageModel::WriteExpression() {
    m_expression = CrcExpressionText(m_width, m_initial, m_finalXor, m_polynom, m_reverseData,
                                     m_reverseResult, m_data);
    if (m_sink) m_sink(m_expression);
    Button7Click();
}

void CrcPageModel::Edit_CRC_original_StringChange(const std::string& text) {
    SetText(m_data, Item::Data, text);
    WriteExpression();
}

void CrcPageModel::RadioGroup_CRC_Quick_SettingClick(int index) {
    if (index < 0 || index >= kCrcPresetCount) return;
    const CrcPreset& p = kCrcPresets[size_t(index)];
    if (m_preset != index) {
        m_preset = index;
        Notify(Item::QuickSetting);
    }
    SetWidth(p.width);
    SetText(m_polynom, Item::Polynom, p.polynom);
    SetText(m_initial, Item::InitialValue, p.initial);
    SetText(m_finalXor, Item::FinalXor, p.finalXor);
    SetFlag(m_reverseData, Item::ReverseData, p.reverseData);
    SetFlag(m_reverseResult, Item::ReverseResult, p.reverseResult);
    // The data box's step (expression, then CRC), then the button's CRC: the
    // second computation gives the same text and changes nothing visible.
    WriteExpression();
    Button7Click();
}

void CrcPageModel::SetWidth(CrcWidth width) {
    if (m_width == width) return;
    m_width = width;
    Notify(Item::Width);
}

void CrcPageModel::SetPolynomText(const std::string& text) {
    SetText(m_polynom, Item::Polynom, text);
}

void CrcPageModel::SetInitialValueText(const std::string& text) {
    SetText(m_initial, Item::InitialValue, text);
}

void CrcPageModel::SetFinalXorText(const std::string& text) {
    SetText(m_finalXor, Item::FinalXor, text);
}

void CrcPageModel::SetReverseData(bool on) { SetFlag(m_reverseData, Item::ReverseData, on); }

void CrcPageModel::SetReverseResult(bool on) { SetFlag(m_reverseResult, Item::ReverseResult, on); }

}  // namespace orvane::ui
