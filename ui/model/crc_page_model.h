#pragma once
// The CRC page without widgets: a CRC-8 or CRC-16 of a hexadecimal data text
// with freely chosen parameters, 28 named presets, the reference table of the
// presets (each row with the CRC of the single byte BB, computed by the
// engine), and the smart-format expression of the current settings, which the
// page hands to the calculator's expression box.
//
// The widgets forward their events here and mirror the texts this model
// reports through its listener, in the style of CalculatorModel.
//
// Text is engine text: UTF-8 bytes (the window converts with toUtf8/fromUtf8).
//
// Errors: a data text that is not hexadecimal makes the engine raise
// EConvertError ("'$<PAIR>' is not a valid integer value"); it escapes every
// operation that computes, after the steps documented there were done. The
// result box keeps its previous text then.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/crc_search.h"

namespace orvane {
class FieldTable;
}

namespace orvane::ui {

// The width radio group "CRC_08_16": item 0 "CRC8", item 1 "CRC16".
enum class CrcWidth { Crc8 = 0, Crc16 = 1 };

// One item of the quick-setting radio group and its row of the reference
// table. The box texts are put into the boxes as they stand ("$3d65" keeps its
// lower-case digits, which then appear in the expression).
struct CrcPreset {
    int index;                  // item index in "CRC_Quick_Setting"
    const char* caption;        // radio item caption
    CrcWidth width;
    const char* polynom;        // Edit_CRC_Polynom text
    const char* initial;        // Edit_CRC_Initial_value text
    const char* finalXor;       // Edit_CRC_Final_XOR text
    bool reverseData;
    bool reverseResult;
    const char* referenceName;  // name in the reference table
    const char* formula;        // formula column of the reference table ("" for CRC-16)
};

inline constexpr int kCrcPresetCount = 28;

// clang-format off
inline constexpr std::array<CrcPreset, kCrcPresetCount> kCrcPresets{{
    {0, "CRC-8", CrcWidth::Crc8, "$07", "$00", "$00", false, false, "CRC-8", "8+x2+x+1"},
    {1, "CRC-8/ITU", CrcWidth::Crc8, "$07", "$00", "$55", false, false, "CRC-8/ITU", "8+x2+x+1"},
    {2, "CRC-8/ROHC", CrcWidth::Crc8, "$07", "$FF", "$00", true, true, "CRC-8/ROHC", "8+x2+x+1"},
    {3, "CRC-8/MAXIM", CrcWidth::Crc8, "$31", "$00", "$00", true, true, "CRC-8/MAXIM", "8+x5+x4+1"},
    {4, "CRC-8/Logitech", CrcWidth::Crc8, "$1D", "$FF", "$00", true, true, "CRC-8/EBU(Logi)",
     "8+x4+x2+x1+1"},
    {5, "CRC16/CCITT-FALSE", CrcWidth::Crc16, "$1021", "$FFFF", "$0000", false, false,
     "CRC-16/CCITT-False(logi)", ""},
    {6, "CRC16/ARC", CrcWidth::Crc16, "$8005", "$0000", "$0000", true, true, "CRC16/ARC", ""},
    {7, "CRC16/AUG-CCITT", CrcWidth::Crc16, "$1021", "$1D0F", "$0000", false, false,
     "CRC16/AUG-CCITT", ""},
    {8, "CRC16/BUYPASS", CrcWidth::Crc16, "$8005", "$0000", "$0000", false, false, "CRC16/BUYPASS",
     ""},
    {9, "CRC16/CDMA2000", CrcWidth::Crc16, "$C867", "$FFFF", "$0000", false, false,
     "CRC16/CDMA2000", ""},
    {10, "CRC16/DDS-110", CrcWidth::Crc16, "$8005", "$800D", "$0000", false, false, "CRC16/DDS-110",
     ""},
    {11, "CRC-16/DECT-R", CrcWidth::Crc16, "$0589", "$0000", "$0001", false, false, "CRC-16/DECT-R",
     ""},
    {12, "CRC-16/DECT-X", CrcWidth::Crc16, "$0589", "$0000", "$0000", false, false, "CRC-16/DECT-X",
     ""},
    {13, "CRC-16/DNP", CrcWidth::Crc16, "$3d65", "$0000", "$ffff", true, true, "CRC-16/DNP", ""},
    {14, "CRC-16/EN-13757", CrcWidth::Crc16, "$3d65", "$0000", "$ffff", false, false,
     "CRC-16/EN-13757", ""},
    {15, "CRC-16/GENIBUS", CrcWidth::Crc16, "$1021", "$ffff", "$ffff", false, false,
     "CRC-16/GENIBUS", ""},
    {16, "CRC-16/MAXIM", CrcWidth::Crc16, "$8005", "$0000", "$ffff", true, true, "CRC-16/MAXIM",
     ""},
    {17, "CRC-16/MCRF4XX", CrcWidth::Crc16, "$1021", "$ffff", "$0000", true, true, "CRC-16/MCRF4XX",
     ""},
    {18, "CRC-16/RIELLO", CrcWidth::Crc16, "$1021", "$B2AA", "$0000", true, true, "CRC-16/RIELLO",
     ""},
    {19, "CRC-16/T10-DIF", CrcWidth::Crc16, "$8BB7", "$0000", "$0000", false, false,
     "CRC-16/T10-DIF", ""},
    {20, "CRC-16/TELEDISK", CrcWidth::Crc16, "$A097", "$0000", "$0000", false, false,
     "CRC-16/TELEDISK", ""},
    {21, "CRC-16/TMS37157", CrcWidth::Crc16, "$1021", "$89EC", "$0000", true, true,
     "CRC-16/TMS37157", ""},
    {22, "CRC-16/USB", CrcWidth::Crc16, "$8005", "$ffff", "$ffff", true, true, "CRC-16/USB", ""},
    {23, "CRC-A", CrcWidth::Crc16, "$1021", "$c6c6", "$0000", true, true, "CRC-A", ""},
    {24, "CRC-16/KERMIT", CrcWidth::Crc16, "$1021", "$0000", "$0000", true, true, "CRC-16/KERMIT",
     ""},
    {25, "CRC-16/MODBUS", CrcWidth::Crc16, "$8005", "$ffff", "$0000", true, true, "CRC-16/MODBUS",
     ""},
    {26, "CRC-16/X-25", CrcWidth::Crc16, "$1021", "$ffff", "$ffff", true, true, "CRC-16/X-25", ""},
    {27, "CRC-16/XMODEM", CrcWidth::Crc16, "$1021", "$0000", "$0000", false, false,
     "CRC-16/XMODEM", ""},
}};
// clang-format on

// Captions and initial values of the page's controls.
inline constexpr const char* kCrcWidthCaptions[2] = {"CRC8", "CRC16"};
inline constexpr const char* kCrcInitialData = "BB";
inline constexpr const char* kCrcInitialResult = "CRC_result";
inline constexpr int kCrcInitialPreset = 4;  // "CRC-8/Logitech"

// The width choice of "Find parameters": item 0 "8", item 1 "16", item 2 "both".
enum class CrcSearchWidths { Width8 = 0, Width16 = 1, Both = 2 };
inline constexpr const char* kCrcSearchWidthCaptions[3] = {"8", "16", "both"};

// Values used for parameter text that StrToIntDef cannot read.
struct CrcDefaults {
    uint32_t initial, finalXor, polynom;
};
inline constexpr CrcDefaults kCrc8Defaults{0xFF, 0x00, 0x1D};
inline constexpr CrcDefaults kCrc16Defaults{0xFFFF, 0x0000, 0x1021};

// The parameters the engine is called with, already cut to the width's low
// 8 or 16 bits.
struct CrcParameters {
    CrcWidth width = CrcWidth::Crc8;
    uint32_t initial = 0, finalXor = 0, polynom = 0;
    bool reverseData = false, reverseResult = false;
};

// Reads the three parameter texts with StrToIntDef ("$" + hexadecimal digits,
// or decimal); unreadable text counts as the width's default. Never raises.
CrcParameters ReadCrcParameters(CrcWidth width, std::string_view initial,
                                std::string_view finalXor, std::string_view polynom,
                                bool reverseData, bool reverseResult);

// The CRC of `data` (hexadecimal byte text) with `p`: 2 or 4 upper-case hex
// digits. Raises EConvertError for data that is not hexadecimal.
std::string ComputeCrc(std::string_view data, const CrcParameters& p);

// The smart-format expression of the settings:
// "['&STR_VAR:xxx':CRC_<8|16>_<init>_<xor>_<poly>_<0|1>_<0|1>(<data>)]", where
// each parameter is its box text without the first character (taken to be the
// "$"; dropped whatever it is, so "255" gives "55").
std::string CrcExpressionText(CrcWidth width, std::string_view initial, std::string_view finalXor,
                              std::string_view polynom, bool reverseData, bool reverseResult,
                              std::string_view data);

// --- reference table ----------------------------------------------------------------

// One row of the reference table.
struct CrcReferenceRow {
    int presetIndex;    // index into kCrcPresets
    std::string check;  // the engine's CRC of the single byte BB with the preset
    std::string text;   // the label's text
};

// Column titles joined by tab characters, each padded to its column's width
// (with a fixed-pitch font all rows line up, and every tab then starts at
// the same place in each row).
std::string CrcReferenceHeader();
// The 28 preset rows in the table's order: the preset order, except that the
// CRC-A row stands before the CRC-16/USB row. Each text holds the reference
// name, the formula (CRC-8 rows), the polynomial, initial and final-XOR texts
// without "$", the reflection flags as "True"/"False", and "BB=>" + check.
std::vector<CrcReferenceRow> CrcReferenceRows();

// --- the page -----------------------------------------------------------------------------

class CrcPageModel {
public:
    // What changed; the listener is called once per change, at once (also in
    // the middle of an operation that later raises), so the page can mirror
    // the control from the getter below.
    enum class Item {
        Data,           // data_text()            Edit_CRC_original_String
        Result,         // result_text()          Edit_CRC_result
        Width,          // width()                RadioGroup_CRC_08_16
        Polynom,        // polynom_text()         Edit_CRC_Polynom
        InitialValue,   // initial_value_text()   Edit_CRC_Initial_value
        FinalXor,       // final_xor_text()       Edit_CRC_Final_XOR
        ReverseData,    // reverse_data()         CheckBox_CRC_reverse_data
        ReverseResult,  // reverse_result()       CheckBox_CRC_reverse_result
        QuickSetting,   // quick_setting()        RadioGroup_CRC_Quick_Setting
        // "Find parameters"
        Frames,          // frames_text()         the frames box
        Skip,            // skip()                the skip count
        SearchWidths,    // search_widths()       the width choice
        FoundModels,     // found_lines()         the result list
        SearchMessages,  // search_messages()     the messages under it
    };
    using Listener = std::function<void(Item)>;
    // Receives each generated expression (the window puts it into the
    // calculator's expression box).
    using ExpressionSink = std::function<void(const std::string&)>;

    CrcPageModel() = default;
    CrcPageModel(const CrcPageModel&) = delete;
    CrcPageModel& operator=(const CrcPageModel&) = delete;

    void SetListener(Listener listener) { m_listener = std::move(listener); }
    void SetExpressionSink(ExpressionSink sink) { m_sink = std::move(sink); }

    // --- control state ---
    const std::string& data_text() const { return m_data; }
    const std::string& result_text() const { return m_result; }
    CrcWidth width() const { return m_width; }
    const std::string& polynom_text() const { return m_polynom; }
    const std::string& initial_value_text() const { return m_initial; }
    const std::string& final_xor_text() const { return m_finalXor; }
    bool reverse_data() const { return m_reverseData; }
    bool reverse_result() const { return m_reverseResult; }
    // Checked item of the quick-setting group.
    int quick_setting() const { return m_preset; }
    // The last expression handed to the sink; empty before the first.
    const std::string& expression_text() const { return m_expression; }

    // --- handlers ---

    // "CRC Calc": computes with the current controls and puts the CRC into
    // the result box. A raised conversion error leaves the result box as it was.
    void Button7Click();
    // The data box changed to `text`: stores it, writes the expression, then
    // computes. A conversion error escapes after the expression was written.
    void Edit_CRC_original_StringChange(const std::string& text);
    // Quick-setting item `index` chosen: sets the width, the three boxes and
    // the two check boxes from the preset, writes the expression and computes
    // (twice, as the data box's handler and as the button). An index outside
    // 0..27 does nothing. A conversion error escapes after the controls and
    // the expression were set.
    void RadioGroup_CRC_Quick_SettingClick(int index);

    // Changes by hand: stored (and reported) only; nothing is computed and no
    // expression written until "CRC Calc" or the next data change.
    void SetWidth(CrcWidth width);
    void SetPolynomText(const std::string& text);
    void SetInitialValueText(const std::string& text);
    void SetFinalXorText(const std::string& text);
    void SetReverseData(bool on);
    void SetReverseResult(bool on);

    // The parameters the next computation would use.
    CrcParameters parameters() const;

    // --- "Find parameters": which CRC do captured frames carry? ---

    // The frames box: one frame of hex byte text per line.
    const std::string& frames_text() const { return m_frames; }
    // Leading bytes of each frame that the CRC does not cover.
    size_t skip() const { return m_skip; }
    CrcSearchWidths search_widths() const { return m_searchWidths; }
    // The result list, one line per fitting model as orvane-tool crc-search
    // prints it ("CRC_16_FFFF_0000_8005_1_1 little CRC-16/MODBUS").
    const std::vector<std::string>& found_lines() const { return m_foundLines; }
    // What the last search or fill has to say: a bad frame, warnings, notes,
    // the count of models left out, "no model fits", what a pick did. Empty
    // before the first search.
    const std::vector<std::string>& search_messages() const { return m_messages; }

    // Changes by hand: stored (and reported) only.
    void SetFramesText(const std::string& text);
    void SetSkip(size_t skip);
    void SetSearchWidths(CrcSearchWidths widths);

    // The fill button: the frames box gets the value (row 1) of every field
    // column with a name and a value, one per line, in column order (line
    // breaks inside a value become blanks). With no such column the box is
    // left as it was and a message says so.
    void FillFramesFromFieldTable(const FieldTable& table);
    // "Search": reads the frames box, searches with the skip count and the
    // widths, and reports the result list and the messages. A line that is
    // not hex byte text, or a frame the search refuses, empties the list and
    // names the frame in the messages. Never raises.
    void SearchClick();
    // Result `row` picked: the width, the three boxes ("$" + upper-case hex)
    // and the two check boxes take that model; the data box takes the first
    // frame's bytes covered by the CRC (so the result is the CRC that frame
    // carries); the quick setting follows when a preset has these parameters;
    // then the expression is written and the CRC computed, as after a preset.
    // A row outside the list does nothing.
    void PickFoundModel(int row);

private:
    void Notify(Item item);
    void SetText(std::string& box, Item item, const std::string& text);
    void SetFlag(bool& box, Item item, bool on);
    // Writes the expression to the sink, then computes.
    void WriteExpression();

    Listener m_listener;
    ExpressionSink m_sink;

    std::string m_data = kCrcInitialData;
    std::string m_result = kCrcInitialResult;
    CrcWidth m_width = CrcWidth::Crc8;
    std::string m_polynom = kCrcPresets[kCrcInitialPreset].polynom;
    std::string m_initial = kCrcPresets[kCrcInitialPreset].initial;
    std::string m_finalXor = kCrcPresets[kCrcInitialPreset].finalXor;
    bool m_reverseData = true;
    bool m_reverseResult = true;
    int m_preset = kCrcInitialPreset;
    std::string m_expression;

    std::string m_frames;
    size_t m_skip = 0;
    CrcSearchWidths m_searchWidths = CrcSearchWidths::Both;
    std::vector<std::string> m_foundLines;
    std::vector<std::string> m_messages;
    std::vector<std::string> m_searchMessages;  // the last search's part of m_messages
    // The models of the list, and the first frame and skip count of the
    // search that found them.
    std::vector<CrcFoundModel> m_found;
    std::vector<uint8_t> m_firstFrame;
    size_t m_foundSkip = 0;
};

}  // namespace orvane::ui
