// The field table grid: the view's look and options, the column commands,
// width fitting and the click, double-click and leave events.
#include "ui/field_grid.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <utility>

#include "ui/model/field_insert.h"
#include "ui/wide_text.h"
#include "ui/window_fonts.h"

namespace orvane::ui {

namespace {

constexpr int kRows = FieldTable::kRows;

constexpr int kGridFontPixels = 13;
constexpr int kColumnNumberFontPixels = 9;

QFont GridFont() { return CourierNew(kGridFontPixels, true); }

// The column numbers above the grid only carry the resize handles: small.
QFont ColumnNumberFont() {
    QFont f;
    f.setPixelSize(kColumnNumberFontPixels);
    return f;
}

}  // namespace

// --- FieldGrid -------------------------------------------------------------------------------

FieldGrid::FieldGrid(FieldTable& table, QWidget* parent)
    : QTableView(parent), m_model(new FieldTableItemModel(table, this)) {
    setObjectName(QStringLiteral("StringGridDebug"));
    setFont(GridFont());
    setModel(m_model);

    setShowGrid(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    // Tab leaves the grid for the next control, as in a classic string grid;
    // the arrow keys move between cells.
    setTabKeyNavigation(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // Cells are read-only until the first double-click; then the view's own
    // triggers (double-click, edit key, typing) apply.
    m_editTriggers = editTriggers() | QAbstractItemView::DoubleClicked |
                     QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed;
    setEditTriggers(QAbstractItemView::NoEditTriggers);

    // Row headings: the heading column's texts at a fixed width. Dragging a
    // heading moves its row's data (OnRowMoved); clicking one selects nothing,
    // because the heading column is no part of any selection.
    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(kRowHeight);
    rows->setFixedWidth(kHeadingWidth);
    rows->setSectionsClickable(false);
    rows->setSectionsMovable(true);
    rows->setHighlightSections(false);
    connect(rows, &QHeaderView::sectionMoved, this, &FieldGrid::OnRowMoved);

    // Column numbers: small, only there to drag a column wider or narrower.
    QHeaderView* cols = horizontalHeader();
    cols->setFont(ColumnNumberFont());
    cols->setSectionResizeMode(QHeaderView::Interactive);
    cols->setDefaultSectionSize(kColumnWidth);
    cols->setSectionsClickable(false);
    cols->setSectionsMovable(false);
    cols->setHighlightSections(false);
    cols->setStretchLastSection(false);

    Rebuild({}, 1, 0);

    connect(this, &QAbstractItemView::clicked, this, [this] { StringGridDebugClick(); });
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, &FieldGrid::OnFocusChanged);
    FitHeight();
}

FieldGrid::~FieldGrid() {
    // The base class destructors move the focus off the grid and its editor;
    // that is no leaving, and this object is half gone by then.
    disconnect(m_focusWatch);
}

int FieldGrid::currentColumn() const {
    const int c = currentIndex().column();
    return c >= 1 ? c : 1;
}

int FieldGrid::currentRow() const {
    const int r = currentIndex().row();
    return r >= 0 ? r : 0;
}

void FieldGrid::Rebuild(std::vector<int> widths, int col, int row) {
    m_model->Reload();
    // A model reset shows column 0 again and forgets the widths.
    setColumnHidden(0, true);
    const int n = m_model->columnCount();
    for (int c = 1; c < n; ++c)
        setColumnWidth(c, c < int(widths.size()) && widths[size_t(c)] > 0 ? widths[size_t(c)]
                                                                          : kColumnWidth);
    SetCurrentCell(col, row);
}

std::vector<int> FieldGrid::ColumnWidths() const {
    std::vector<int> widths(size_t(m_model->columnCount()), 0);
    for (int c = 1; c < int(widths.size()); ++c) widths[size_t(c)] = columnWidth(c);
    return widths;
}

void FieldGrid::SetCurrentCell(int col, int row) {
    const int n = m_model->columnCount();
    if (n < 2) return;
    col = std::clamp(col, 1, n - 1);
    row = std::clamp(row, 0, kRows - 1);
    selectionModel()->setCurrentIndex(m_model->index(row, col),
                                      QItemSelectionModel::ClearAndSelect);
}

void FieldGrid::CommitEditor() {
    if (state() != QAbstractItemView::EditingState) return;
    for (int c = 1; c < m_model->columnCount(); ++c)
        for (int r = 0; r < kRows; ++r)
            if (QWidget* editor = indexWidget(m_model->index(r, c))) {
                commitData(editor);
                closeEditor(editor, QAbstractItemDelegate::NoHint);
                return;
            }
}

// --- column commands ---------------------------------------------------------------------------

void FieldGrid::Action_insert_colExecute() {
    CommitEditor();
    const int col = currentColumn(), row = currentRow();
    // The widths stay with their positions; the new last column gets 64.
    std::vector<int> widths = ColumnWidths();
    table().InsertColumn(col);
    Rebuild(std::move(widths), col, row);
}

void FieldGrid::Action_del_colExecute() {
    CommitEditor();
    const int col = currentColumn(), row = currentRow();
    std::vector<int> widths = ColumnWidths();
    table().DeleteColumn(col);
    // Deleting the last column leaves the new last one current.
    Rebuild(std::move(widths), col, row);
}

void FieldGrid::Action_move_col_to_leftExecute() { SwapCurrentWith(-1); }

void FieldGrid::Action_move_col_to_rightExecute() { SwapCurrentWith(+1); }

void FieldGrid::SwapCurrentWith(int step) {
    const int col = currentColumn(), row = currentRow();
    const int other = col + step;
    if (other < 1 || other >= table().ColCount() || other >= m_model->columnCount()) return;
    CommitEditor();
    std::vector<int> widths = ColumnWidths();
    std::swap(widths[size_t(col)], widths[size_t(other)]);
    table().SwapColumns(col, other);
    Rebuild(std::move(widths), other, row);
}

// --- widths --------------------------------------------------------------------------------

void FieldGrid::Adjtablewidth1Click() {
    Refresh();
    for (int c = 1; c < m_model->columnCount(); ++c) ADJ_PIS_width(c);
}

void FieldGrid::ADJ_PIS_width(int col) {
    // The heading column keeps its width.
    if (col < 1 || col >= m_model->columnCount()) return;
    const QFontMetrics metrics(font());
    int width = kColumnWidth;
    for (int r = 0; r < kRows; ++r)
        width = std::max(width, metrics.horizontalAdvance(Wide(table().Cell(col, r)) + u'X'));
    setColumnWidth(col, width);
}

void FieldGrid::Refresh() { Rebuild(ColumnWidths(), currentColumn(), currentRow()); }

// --- events --------------------------------------------------------------------------------

void FieldGrid::StringGridDebugClick() {
    const int col = currentColumn();
    ADJ_PIS_width(col);
    emit columnClicked(col);
}

void FieldGrid::StringGridDebugDblClick() {
    if (!m_model->editable()) {
        m_model->setEditable(true);
        setEditTriggers(m_editTriggers);
    }
    const int col = currentColumn(), row = currentRow();
    const std::string text = FieldInsertText(row, table().Cell(col, row));
    if (!text.empty()) emit insertRequested(Wide(text));
}

void FieldGrid::StringGridDebugExit() {
    CommitEditor();
    emit gridExited();
}

void FieldGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    // The view opens a cell editor only when editing was already on, so the
    // double-click that switches editing on opens none.
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) StringGridDebugDblClick();
}

void FieldGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange) FitHeight();
}

void FieldGrid::OnRowMoved(int /*logicalIndex*/, int oldVisualIndex, int newVisualIndex) {
    if (m_restoringRows) return;
    CommitEditor();
    // The rows' data move, not the header sections: put the sections back in
    // their order (it is the identity before every drag), then move the cells.
    m_restoringRows = true;
    verticalHeader()->moveSection(newVisualIndex, oldVisualIndex);
    m_restoringRows = false;

    const int from = oldVisualIndex, to = newVisualIndex;
    int row = currentRow();
    if (row == from)
        row = to;
    else if (from < row && row <= to)
        --row;
    else if (to <= row && row < from)
        ++row;
    const int col = currentColumn();
    m_model->MoveRow(from, to);
    SetCurrentCell(col, row);
}

bool FieldGrid::Contains(const QWidget* widget) const {
    return widget == this || isAncestorOf(widget);
}

void FieldGrid::OnFocusChanged(QWidget* old, QWidget* now) {
    // Leaving means going to another control of the same window: switching
    // to another program, a menu or a message box is no leaving, the focus
    // comes back to the grid afterwards.
    if (!old || !now || !Contains(old) || Contains(now)) return;
    if (now->window() != window() || now->window()->windowType() == Qt::Popup) return;
    StringGridDebugExit();
}

void FieldGrid::FitHeight() {
    // Exactly the three rows, the column numbers and the scroll bar.
    const QHeaderView* cols = horizontalHeader();
    const int header = std::max(cols->minimumHeight(), cols->sizeHint().height());
    int bar = horizontalScrollBar()->sizeHint().height();
    if (style()->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents, nullptr, this))
        bar += style()->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing, nullptr, this);
    setFixedHeight(2 * frameWidth() + header + kRows * kRowHeight + bar);
}

// --- tool bar commands and insertion ---------------------------------------------------------

FieldGridActions MakeFieldGridActions(FieldGrid* grid, QObject* parent) {
    auto make = [&](const char* name, const QString& text, const QString& hint,
                    void (FieldGrid::*command)()) {
        auto* action = new QAction(text, parent);
        action->setObjectName(QLatin1String(name));
        action->setToolTip(hint);
        QObject::connect(action, &QAction::triggered, grid,
                         [grid, command] { (grid->*command)(); });
        return action;
    };
    FieldGridActions a;
    a.Action_insert_col = make("Action_insert_col", QStringLiteral("+Col"),
                               QStringLiteral("Insert a Column"),
                               &FieldGrid::Action_insert_colExecute);
    a.Action_del_col = make("Action_del_col", QStringLiteral("-Col"),
                            QStringLiteral("Delete a Column"), &FieldGrid::Action_del_colExecute);
    a.Action_move_col_to_left = make("Action_move_col_to_left", QStringLiteral("<-"),
                                     QStringLiteral("Swap current column to left"),
                                     &FieldGrid::Action_move_col_to_leftExecute);
    a.Action_move_col_to_right = make("Action_move_col_to_right", QStringLiteral("->"),
                                      QStringLiteral("Swap current column to Right"),
                                      &FieldGrid::Action_move_col_to_rightExecute);
    a.Action_move_col_to_left->setIcon(grid->style()->standardIcon(QStyle::SP_ArrowLeft));
    a.Action_move_col_to_right->setIcon(grid->style()->standardIcon(QStyle::SP_ArrowRight));
    return a;
}

}  // namespace orvane::ui
