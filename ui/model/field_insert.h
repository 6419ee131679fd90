#pragma once
// What a double-click on the field table puts into the box the user worked in
// last, and how it goes in. Plain C++: the grid asks for the text, the window
// applies it to the expression box or to one line of the script memo.
//
// Positions and lengths in the two insertion helpers count UTF-16 code units,
// the units of the widgets' caret and selection (QString indexes), so the
// window passes them through unchanged; the texts are std::u16string for the
// same reason. Cell texts stay UTF-8 like everything else in the field table.
#include <string>
#include <string_view>

namespace orvane::ui {

// The text a double-click on a cell of row `row` holding `cell` inserts: a
// field reference "['" + cell + "']" for the name row (row 0), the cell text
// itself for any other row, and nothing (an empty text) for an empty cell.
std::string FieldInsertText(int row, std::string_view cell);

struct BoxInsertion {
    std::u16string text;  // the box's new text
    int caret = 0;        // where the caret goes: the end of the new text
};

// Inserts `inserted` into the one-line box holding `text` whose selection
// starts at `selStart` and is `selLength` units long (0: no selection, the
// caret is at `selStart`): the part before the selection, the inserted text
// and the part after the selection. Positions outside the text are clamped.
BoxInsertion InsertIntoBox(std::u16string_view text, int selStart, int selLength,
                           std::u16string_view inserted);

// The characters of the memo line kept after an inserted text.
inline constexpr int kMemoLineTailMax = 2048;

// Inserts `inserted` into the memo line `line` in place of the `len`
// characters from column `col` (0-based; `len` 0 inserts at the caret): the
// first `col` characters, the inserted text, then at most kMemoLineTailMax
// characters of what followed the replaced ones. A selection reaching past
// the line end (into the next line) removes only this line's characters; the
// caller changes this one line only. A surrogate pair is never cut in half.
std::u16string InsertIntoMemoLine(std::u16string_view line, int col, int len,
                                  std::u16string_view inserted);

}  // namespace orvane::ui
