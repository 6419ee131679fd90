// The CRC page's "Find parameters": the frames box and its fill from the
// field table, the search, and a picked result turned into the page's
// settings.
#include <algorithm>
#include <span>

#include "engine/crc_search_text.h"
#include "engine/number_text.h"
#include "smartformat/field_table.h"
#include "ui/model/crc_page_model.h"

namespace orvane::ui {

namespace {

// The value as one line of the frames box.
std::string FrameLine(std::string value) {
    std::replace_if(value.begin(), value.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return value;
}

bool IsBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

std::string ByteText(std::span<const uint8_t> bytes) {
    std::string text;
    for (uint8_t b : bytes) {
        if (!text.empty()) text += ' ';
        text += IntToHex(b, 2);
    }
    return text;
}

// The preset whose boxes read as exactly these parameters, or -1.
int PresetOf(const CrcParams& p) {
    for (const CrcPreset& preset : kCrcPresets) {
        const CrcParameters q = ReadCrcParameters(preset.width, preset.initial, preset.finalXor,
                                                  preset.polynom, preset.reverseData,
                                                  preset.reverseResult);
        if ((q.width == CrcWidth::Crc8 ? 8 : 16) == p.width && q.polynom == p.poly &&
            q.initial == p.init && q.finalXor == p.xorout && q.reverseData == p.refin &&
            q.reverseResult == p.refout)
            return preset.index;
    }
    return -1;
}

// What a pick did, for the messages: "picked <name>: the data box holds
// frame 1 without its CRC; the result CDC5 is the CRC at its end (C5 CD)".
std::string PickText(const CrcFoundModel& m, size_t skip, std::span<const uint8_t> frame) {
    const int width = m.params.width;
    std::string text = "picked " + CrcTemplateName(m.params) + ": the data box holds frame 1 without ";
    if (skip > 0) text += "its " + std::to_string(skip) + " skipped bytes and ";
    text += "its CRC; the result " + IntToHex(FrameCrcValue(frame, width, m.order), width / 4) +
            " is the CRC at its end (" + ByteText(frame.subspan(frame.size() - size_t(width / 8))) + ")";
    return text;
}

}  // namespace

void CrcPageModel::SetFramesText(const std::string& text) { SetText(m_frames, Item::Frames, text); }

void CrcPageModel::SetSkip(size_t skip) {
    if (m_skip == skip) return;
    m_skip = skip;
    Notify(Item::Skip);
}

void CrcPageModel::SetSearchWidths(CrcSearchWidths widths) {
    if (m_searchWidths == widths) return;
    m_searchWidths = widths;
    Notify(Item::SearchWidths);
}

void CrcPageModel::FillFramesFromFieldTable(const FieldTable& table) {
    std::string text;
    for (int col = 1; col < table.ColCount(); ++col) {
        const std::string& value = table.Cell(col, FieldTable::kValueRow);
        if (table.Cell(col, FieldTable::kNameRow).empty() || IsBlank(value)) continue;
        if (!text.empty()) text += '\n';
        text += FrameLine(value);
    }
    if (text.empty()) {
        m_messages = {"the field table has no named column with a value to take as a frame"};
        Notify(Item::SearchMessages);
        return;
    }
    SetFramesText(text);
}

void CrcPageModel::SearchClick() {
    CrcSearchRequest request;
    request.skip = m_skip;
    request.width8 = m_searchWidths != CrcSearchWidths::Width16;
    request.width16 = m_searchWidths != CrcSearchWidths::Width8;
    std::vector<std::string> shown;
    std::string error = ReadCrcFrameLines(m_frames, request.frames, shown);
    CrcSearchResult result;
    if (error.empty()) {
        result = SearchCrcModels(request);
        if (!result.error.empty()) error = CrcSearchErrorText(result, shown);
    }

    m_found.clear();
    m_foundLines.clear();
    m_firstFrame.clear();
    if (error.empty()) {
        m_found = result.models;
        m_foundLines = FormatSearchLines(result);
        m_firstFrame = request.frames.front();
        m_foundSkip = request.skip;
        m_searchMessages = FormatSearchMessages(result);
    } else {
        m_searchMessages = {error};
    }
    m_messages = m_searchMessages;
    Notify(Item::FoundModels);
    Notify(Item::SearchMessages);
}

void CrcPageModel::PickFoundModel(int row) {
    if (row < 0 || size_t(row) >= m_found.size()) return;
    const CrcFoundModel m = m_found[size_t(row)];
    const CrcParams& p = m.params;
    const int digits = p.width / 4;
    SetWidth(p.width == 8 ? CrcWidth::Crc8 : CrcWidth::Crc16);
    SetText(m_polynom, Item::Polynom, "$" + IntToHex(p.poly, digits));
    SetText(m_initial, Item::InitialValue, "$" + IntToHex(p.init, digits));
    SetText(m_finalXor, Item::FinalXor, "$" + IntToHex(p.xorout, digits));
    SetFlag(m_reverseData, Item::ReverseData, p.refin);
    SetFlag(m_reverseResult, Item::ReverseResult, p.refout);
    if (const int preset = PresetOf(p); preset >= 0 && preset != m_preset) {
        m_preset = preset;
        Notify(Item::QuickSetting);
    }
    const std::span<const uint8_t> frame(m_firstFrame);
    SetText(m_data, Item::Data,
            ByteText(frame.subspan(m_foundSkip, frame.size() - m_foundSkip - size_t(p.width / 8))));
    m_messages = m_searchMessages;
    m_messages.push_back(PickText(m, m_foundSkip, frame));
    Notify(Item::SearchMessages);
    WriteExpression();
}

}  // namespace orvane::ui
