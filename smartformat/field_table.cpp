#include "smartformat/field_table.h"

#include <string>
#include <unordered_map>

#include "platform/ini_file.h"

namespace orvane {

namespace {

const std::string kEmpty;

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = char(x - 32);
        if (y >= 'a' && y <= 'z') y = char(y - 32);
        if (x != y) return false;
    }
    return true;
}

std::string CellKey(int col, int row) { return std::to_string(col) + "-" + std::to_string(row); }

}  // namespace

FieldTable::FieldTable() : m_cols(size_t(kInitialColumns)) {
    m_cols[0][kNameRow] = "Name";
    m_cols[0][kValueRow] = "Data";
}

void FieldTable::SetColCount(int count) {
    if (count < kMinColumns) count = kMinColumns;
    m_cols.resize(size_t(count));
}

const std::string& FieldTable::Cell(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 0 || row >= kRows) return kEmpty;
    return m_cols[size_t(col)][size_t(row)];
}

void FieldTable::SetCell(int col, int row, std::string text) {
    if (col < 0 || col >= ColCount() || row < 0 || row >= kRows) return;
    m_cols[size_t(col)][size_t(row)] = std::move(text);
}

int FieldTable::FindColumn(std::string_view name) const {
    for (int c = 1; c < ColCount(); ++c)
        if (SameNameIgnoringCase(m_cols[size_t(c)][kNameRow], name)) return c;
    return 0;
}

const std::string* FieldTable::FindValue(std::string_view name) const {
    int c = FindColumn(name);
    return c ? &m_cols[size_t(c)][kValueRow] : nullptr;
}

int FieldTable::SetField(std::string_view name, std::string value) {
    int col = FindColumn(name);
    if (!col) {
        col = FindColumn("");
        if (!col) {
            col = ColCount();
            SetColCount(ColCount() + 2);
        }
        m_cols[size_t(col)][kNameRow] = std::string(name);
    }
    m_cols[size_t(col)][kValueRow] = std::move(value);
    return col;
}

void FieldTable::FillDefaults() {
    static const struct {
        int col, row;
        const char* text;
    } kDefaults[] = {
        {1, kNameRow, "Field_A"},
        {2, kNameRow, "Field_B"},
        {1, kValueRow, "1B 24 43 02 99 05"},
        {2, kValueRow, "11 22 33 44 55 66"},
    };
    for (const auto& d : kDefaults)
        if (Cell(d.col, d.row).empty()) SetCell(d.col, d.row, d.text);
}

void FieldTable::LoadFrom(const platform::IniDocument& ini) {
    // One pass over the section, then a lookup per cell: linear in the file.
    std::unordered_map<std::string_view, std::string_view> keys;
    for (const auto& [key, value] : ini.ReadSectionValues(kSection)) keys.emplace(key, value);
    auto valueOf = [&](int col, int row) -> std::string {
        auto it = keys.find(CellKey(col, row));
        if (it == keys.end()) return {};
        return std::string(it->second.substr(0, platform::kIniValueMax));
    };

    for (int c = 1;; ++c) {
        std::array<std::string, kRows> cells;
        for (int r = 0; r < kRows; ++r) cells[size_t(r)] = valueOf(c, r);
        bool last = cells[kNameRow].empty();
        // A column the grid does not have yet is added (two at a time) only
        // when it holds a field; the cells of a nameless column beyond the
        // last one have nowhere to go.
        if (!last && c >= ColCount()) SetColCount(ColCount() + 2);
        if (c < ColCount()) m_cols[size_t(c)] = std::move(cells);
        if (last) break;
    }
    m_cols[0][kNameRow] = "Name";
    m_cols[0][kValueRow] = "Data";
    FillDefaults();
}

void FieldTable::SaveTo(platform::IniDocument& ini, bool replaceSection) const {
    if (replaceSection) ini.EraseSection(kSection);
    std::vector<std::pair<std::string, std::string_view>> items;
    items.reserve(size_t(ColCount() - 1) * kRows);
    for (int c = 1; c < ColCount(); ++c)
        for (int r = 0; r < kRows; ++r) items.emplace_back(CellKey(c, r), m_cols[size_t(c)][size_t(r)]);
    ini.WriteStrings(kSection, items);
}

void FieldTable::LoadFile(const std::string& path) {
    platform::IniDocument ini;
    ini.Load(path);
    LoadFrom(ini);
}

bool FieldTable::SaveFile(const std::string& path) const {
    return platform::IniFile(path).Update([&](platform::IniDocument& d) { SaveTo(d, true); });
}

bool FieldTable::WriteFile(const std::string& path) const {
    return platform::IniFile(path).Update([&](platform::IniDocument& d) { SaveTo(d, false); });
}

void FieldTable::InsertColumn(int col) {
    if (col < 1 || col >= ColCount()) return;
    m_cols.insert(m_cols.begin() + col, std::array<std::string, kRows>{});
}

void FieldTable::DeleteColumn(int col) {
    if (col < 1 || col >= ColCount()) return;
    if (ColCount() <= kMinColumns) {
        m_cols[1][kValueRow].clear();
        m_cols[1][kDescriptionRow].clear();
        return;
    }
    m_cols.erase(m_cols.begin() + col);
}

void FieldTable::SwapColumns(int a, int b) {
    if (a < 1 || b < 1 || a >= ColCount() || b >= ColCount()) return;
    std::swap(m_cols[size_t(a)], m_cols[size_t(b)]);
}

}  // namespace orvane
