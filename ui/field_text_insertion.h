#pragma once
// A double-click on the field table inserts the cell's text into the box
// used last: the calculator's expression box or the script memo.
#include <QString>

class QLineEdit;
class QPlainTextEdit;

namespace orvane::ui {

// Makes `box` remember its selection (or caret) when it loses the focus: a
// line edit drops its selection on focus-out, yet a double-click on the grid
// replaces the selection the box had when the user left it. Call once when
// building the window; a change of the box's text forgets the selection.
void KeepBoxSelection(QLineEdit* box);
// Applies a double-click's text to the expression box: the selection (or
// the caret position) is replaced, the box gets the focus and the caret goes
// to the end of its text. Without the focus, the box's selection is the one
// kept by KeepBoxSelection (else its caret position).
void InsertFieldTextIntoBox(QLineEdit* box, const QString& text);
// Applies a double-click's text to the memo line holding the selection
// start: the selected characters of that line are replaced (InsertIntoMemoLine);
// the caret goes after the inserted text.
void InsertFieldTextIntoMemo(QPlainTextEdit* memo, const QString& text);

}  // namespace orvane::ui
