#pragma once
// The field table: named pieces of captured data, one field per column. Row 0
// holds the names, row 1 the values, row 2 free descriptions; column 0 is the
// heading column ("Name", "Data", empty) and never holds a field. The table
// keeps its content in the "Table" section of the settings file, one key
// "<column>-<row>" per cell. No widgets: the grid on the main page shows this
// model, templates and orvane-eval read and set it.
//
// Cells hold any bytes (NUL included) and any length; readers get references,
// never copies.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::platform {
class IniDocument;
}

namespace orvane {

class FieldTable {
public:
    static constexpr int kRows = 3;
    static constexpr int kNameRow = 0;
    static constexpr int kValueRow = 1;
    static constexpr int kDescriptionRow = 2;
    static constexpr int kInitialColumns = 5;
    static constexpr int kMinColumns = 2;
    static constexpr const char* kSection = "Table";

    // Five columns: the headings and four empty field columns (no defaults;
    // LoadFrom or FillDefaults put them in).
    FieldTable();

    int ColCount() const { return int(m_cols.size()); }
    // Changes the column count (at least 2); new columns are empty, dropped
    // columns lose their cells.
    void SetColCount(int count);

    // The text of cell (col, row); an empty text outside the table.
    const std::string& Cell(int col, int row) const;
    // Sets cell (col, row); ignored outside the table.
    void SetCell(int col, int row, std::string text);

    // The first field column 1.. whose name equals `name` ignoring ASCII case,
    // or 0 when none does. An empty name finds the first column whose name is
    // empty.
    int FindColumn(std::string_view name) const;
    // The value (row 1) of that column, or nullptr when no column matches.
    const std::string* FindValue(std::string_view name) const;

    // Stores `value` as the value of field `name`: in the first column with
    // that name (ASCII case ignored; its name keeps its spelling), else in the
    // first column with an empty name (which gets `name`), else in a new
    // column after growing the table by 2 columns. Returns the column used.
    int SetField(std::string_view name, std::string value);

    // Puts the four defaults into those of their cells that are empty:
    // names "Field_A", "Field_B", values "1B 24 43 02 99 05", "11 22 33 44 55 66".
    void FillDefaults();

    // Loads the table from section "Table": for c = 1, 2, ... every cell (c, r)
    // gets key "c-r" (empty when missing, at most 2047 characters); stops after
    // the first column whose name is then empty; grows the column count by 2
    // whenever column c was the last one; then sets the headings and fills the
    // defaults. Columns after the stopping one keep their cells; the column
    // count never shrinks.
    void LoadFrom(const platform::IniDocument& ini);
    // Writes key "c-r" := cell (c, r) for columns 1 to ColCount() - 1, rows 0
    // to 2, after erasing the whole section first when `replaceSection`.
    void SaveTo(platform::IniDocument& ini, bool replaceSection) const;

    // LoadFrom the file at `path` (a missing or unreadable file loads nothing:
    // column 1 empties and the defaults fill in).
    void LoadFile(const std::string& path);
    // The full save: the section is replaced by the table. False when the file
    // could not be written (it is then unchanged).
    bool SaveFile(const std::string& path) const;
    // The write done when the grid loses the focus: the table's keys are
    // written without erasing the section, so keys of removed columns stay.
    bool WriteFile(const std::string& path) const;

    // Column commands of the grid (current column `col`, 1..ColCount()-1;
    // other values do nothing).
    // Adds a column and shifts columns col.. one to the right; column col is
    // left empty.
    void InsertColumn(int col);
    // Removes column col and shifts the ones after it left; with a single
    // field column, its value and description empty and its name stays.
    void DeleteColumn(int col);
    // Swaps the cells of columns a and b (both 1..ColCount()-1).
    void SwapColumns(int a, int b);

private:
    std::vector<std::array<std::string, kRows>> m_cols;
};

}  // namespace orvane
