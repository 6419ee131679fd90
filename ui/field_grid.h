#pragma once
// The field table grid `StringGridDebug` on the main page: a table view over
// the window's FieldTable. Column 0 (the headings "Name", "Data" and an empty
// one) is shown as the row headings at the left: fixed, never selectable,
// never edited, and dragging a heading moves that row's data. The fields are
// the columns 1 to ColCount() - 1. The column commands of the tool bar, the
// width fitting and the click, double-click and leave events live here; what
// the window does with them (status panel, insertion into the last-used box,
// writing the table file) reaches it through the signals.
#include <QString>
#include <QTableView>

#include <vector>

#include "smartformat/field_table.h"
#include "ui/field_table_item_model.h"
#include "webdata/field_table_view.h"

class QAction;

namespace orvane::ui {

// It is also the table's view for the web-data fetcher and "Search 2":
// a stored item redraws the grid, the finished fetch fits its columns.
class FieldGrid : public QTableView, public webdata::FieldTableView {
    Q_OBJECT

public:
    static constexpr int kColumnWidth = 64;
    static constexpr int kRowHeight = 24;
    static constexpr int kHeadingWidth = 64;

    // The grid over `table`, which must outlive it. Object name
    // "StringGridDebug"; current cell (column 1, row 0); editing off.
    explicit FieldGrid(FieldTable& table, QWidget* parent = nullptr);
    ~FieldGrid() override;

    FieldTableItemModel* fieldModel() const { return m_model; }
    FieldTable& table() const { return m_model->table(); }

    // The current cell's column (1.. ColCount() - 1) and row (0..2).
    int currentColumn() const;
    int currentRow() const;
    // True from the first double-click on (for the rest of the run).
    bool editingEnabled() const { return m_model->editable(); }
    // True while a cell editor is open.
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }
    // Stores an open cell editor's text in the table and closes the editor
    // (the column commands do it first; a shut-down save should too).
    void CommitEditor();

    // --- the tool bar's column commands; each acts on the current column ---
    // An empty column at the current column, the fields from it on move right.
    void Action_insert_colExecute();
    // Removes the current column; with one field column left its value and
    // description empty and its name stays.
    void Action_del_colExecute();
    // Swaps the current column (cells and width) with its left / right
    // neighbour; the current cell follows the data. Nothing at the edge.
    void Action_move_col_to_leftExecute();
    void Action_move_col_to_rightExecute();

    // --- widths ---
    // Refreshes the grid from the table and fits columns 1 .. ColCount() - 1.
    void Adjtablewidth1Click();
    // Column `col`'s width := the larger of 64 and, for each of its cells, the
    // cell text followed by "X" measured in the grid's font.
    void ADJ_PIS_width(int col);
    // Shows the table again after it changed elsewhere (loaded from the file,
    // a field added): column widths stay with their positions, new columns
    // are 64 wide, the current cell stays where it was (within the table).
    void Refresh();
    // The fetcher's view: redraw, and fit the columns.
    void TableChanged() override { Refresh(); }
    void Adjtablewidth() override { Adjtablewidth1Click(); }

    // --- events (run by the grid itself; public for the window and tests) ---
    // A click on a cell: fits the current column, then reports it.
    void StringGridDebugClick();
    // A double-click: switches editing on, then offers the current cell's
    // reference (name row) or value for insertion; nothing for an empty cell.
    void StringGridDebugDblClick();
    // The keyboard focus left the grid: an open cell editor is committed to
    // the table, then the window is told to write the table.
    void StringGridDebugExit();

signals:
    // After a click: the current column, for the first status panel.
    void columnClicked(int column);
    // After a double-click on a non-empty cell: the text for the last-used box.
    void insertRequested(const QString& text);
    // After the focus left the grid (and its editor) for another widget.
    void gridExited();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Reloads the model, then gives the columns `widths` (index = column;
    // missing ones 64) and puts the current cell at (col, row), both limited
    // to the table.
    void Rebuild(std::vector<int> widths, int col, int row);
    std::vector<int> ColumnWidths() const;
    void SetCurrentCell(int col, int row);
    void OnRowMoved(int logicalIndex, int oldVisualIndex, int newVisualIndex);
    void OnFocusChanged(QWidget* old, QWidget* now);
    bool Contains(const QWidget* widget) const;
    void FitHeight();
    // Swaps the current column with column current + step (step -1 or +1).
    void SwapCurrentWith(int step);

    FieldTableItemModel* m_model;
    bool m_restoringRows = false;
    // The application's focus changes, watched for leaving the grid.
    QMetaObject::Connection m_focusWatch;
    EditTriggers m_editTriggers;
};

// The four tool bar commands of the grid, with their hints as tool tips and
// status tips, connected to `grid`. Object names are the command names
// ("Action_insert_col", ...). Parent: `parent`.
struct FieldGridActions {
    QAction* Action_insert_col = nullptr;
    QAction* Action_del_col = nullptr;
    QAction* Action_move_col_to_left = nullptr;
    QAction* Action_move_col_to_right = nullptr;
};
FieldGridActions MakeFieldGridActions(FieldGrid* grid, QObject* parent);

}  // namespace orvane::ui
