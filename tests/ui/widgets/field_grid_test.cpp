// The field table grid as the user meets it: what it shows, the column
// commands of the tool bar, width fitting, click and double-click, dragging a
// row by its heading, and leaving the grid with an open cell editor.
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <string>

#include "smartformat/field_table.h"
#include "ui/field_grid.h"
#include "ui/field_text_insertion.h"

namespace orvane::ui {

namespace {

// A window holding the grid over a table with the default fields, and a box
// outside the grid to move the focus to.
struct GridWindow {
    FieldTable table;
    QWidget window;
    FieldGrid* grid = nullptr;
    QLineEdit* outside = nullptr;

    GridWindow() {
        table.FillDefaults();
        auto* layout = new QVBoxLayout(&window);
        grid = new FieldGrid(table);
        outside = new QLineEdit;
        outside->setObjectName(QStringLiteral("outside"));
        layout->addWidget(grid);
        layout->addWidget(outside);
        window.resize(640, 240);
        window.show();
        window.activateWindow();
    }

    QModelIndex Index(int col, int row) const { return grid->model()->index(row, col); }
    QPoint Center(int col, int row) const { return grid->visualRect(Index(col, row)).center(); }
    QString Shown(int col, int row) const { return Index(col, row).data().toString(); }
    void Click(int col, int row) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Center(col, row));
    }
    void DoubleClick(int col, int row) {
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, Center(col, row));
    }
    // Makes (col, row) the current cell as a keyboard user would.
    void Select(int col, int row) { grid->setCurrentIndex(Index(col, row)); }
    // Column names of the table, "" for an empty name, columns 1..n-1.
    QStringList Names() const {
        QStringList names;
        for (int c = 1; c < table.ColCount(); ++c)
            names << QString::fromStdString(table.Cell(c, FieldTable::kNameRow));
        return names;
    }
};

int TextWidth(const FieldGrid& grid, const QString& text) {
    return QFontMetrics(grid.font()).horizontalAdvance(text + u'X');
}

}  // namespace

class FieldGridTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheDefaultFieldsWithTheirHeadings();
    void insertAtColumnOneMovesEveryFieldRight();
    void deleteRemovesTheColumnButNeverTheLastFieldName();
    void moveLeftAndRightSwapCellsAndWidths();
    void editingIsOffUntilTheFirstDoubleClick();
    void doubleClickOffersAReferenceOrAValue();
    void adjWidthFitsLongCellsAndKeepsShortOnesAt64();
    void refreshShowsATableChangedElsewhere();
    void clickFitsAndReportsTheColumn();
    void draggingARowHeadingMovesTheRowsData();
    void leavingTheGridCommitsTheEditorAndFiresOnce();
    void insertionHelpersEditTheBoxAndOneMemoLine();
    void toolBarActionsCarryTheirHints();
};

void FieldGridTest::showsTheDefaultFieldsWithTheirHeadings() {
    GridWindow w;
    FieldGrid& g = *w.grid;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));

    QCOMPARE(g.objectName(), QStringLiteral("StringGridDebug"));
    QCOMPARE(w.Shown(1, 0), QStringLiteral("Field_A"));
    QCOMPARE(w.Shown(1, 1), QStringLiteral("1B 24 43 02 99 05"));
    QCOMPARE(w.Shown(2, 0), QStringLiteral("Field_B"));
    QCOMPARE(w.Shown(2, 1), QStringLiteral("11 22 33 44 55 66"));
    QCOMPARE(w.Shown(3, 0), QString());
    QCOMPARE(g.model()->columnCount(), 5);

    // The heading column is the row headings, not a cell column.
    QVERIFY(g.isColumnHidden(0));
    QVERIFY(!(g.model()->flags(w.Index(0, 0)) & Qt::ItemIsSelectable));
    QCOMPARE(g.model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("Name"));
    QCOMPARE(g.model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("Data"));
    QCOMPARE(g.model()->headerData(2, Qt::Vertical).toString(), QString());
    QCOMPARE(g.verticalHeader()->width(), FieldGrid::kHeadingWidth);

    QCOMPARE(g.currentColumn(), 1);
    QCOMPARE(g.currentRow(), 0);
    for (int c = 1; c < 5; ++c) QCOMPARE(g.columnWidth(c), 64);
    for (int r = 0; r < 3; ++r) QCOMPARE(g.rowHeight(r), 24);
    QCOMPARE(g.font().family(), QStringLiteral("Courier New"));
    QCOMPARE(g.font().pixelSize(), 13);
    QVERIFY(g.font().bold());
    QCOMPARE(g.selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(g.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(g.horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
    // The grid is exactly as high as its three rows.
    QCOMPARE(g.viewport()->height(), 3 * FieldGrid::kRowHeight);
}

void FieldGridTest::insertAtColumnOneMovesEveryFieldRight() {
    GridWindow w;
    FieldGrid& g = *w.grid;
    g.setColumnWidth(1, 100);
    g.setColumnWidth(2, 80);
    w.Select(1, 1);

    g.Action_insert_colExecute();

    QCOMPARE(w.table.ColCount(), 6);
    QCOMPARE(g.model()->columnCount(), 6);
    QCOMPARE(w.Names(), QStringList({"", "Field_A", "Field_B", "", ""}));
    QCOMPARE(w.Shown(2, 1), QStringLiteral("1B 24 43 02 99 05"));
    QCOMPARE(w.Shown(1, 1), QString());
    // Templates still find the moved fields by name.
    QVERIFY(w.table.FindValue("field_a"));
    QCOMPARE(*w.table.FindValue("field_a"), std::string("1B 24 43 02 99 05"));
    QCOMPARE(*w.table.FindValue("FIELD_B"), std::string("11 22 33 44 55 66"));
    // Widths stay with their positions; the new last column is 64 wide.
    QCOMPARE(g.columnWidth(1), 100);
    QCOMPARE(g.columnWidth(2), 80);
    QCOMPARE(g.columnWidth(5), 64);
    QCOMPARE(g.currentColumn(), 1);
    QCOMPARE(g.currentRow(), 1);
    QVERIFY(g.isColumnHidden(0));
}

void FieldGridTest::deleteRemovesTheColumnButNeverTheLastFieldName() {
    GridWindow w;
    FieldGrid& g = *w.grid;
    g.setColumnWidth(4, 90);

    // The last column current: it goes, the new last one becomes current.
    w.Select(4, 0);
    g.Action_del_colExecute();
    QCOMPARE(w.table.ColCount(), 4);
    QCOMPARE(g.model()->columnCount(), 4);
    QCOMPARE(g.currentColumn(), 3);

    w.Select(1, 0);
    g.Action_del_colExecute();
    QCOMPARE(w.Names(), QStringList({"Field_B", ""}));
    g.Action_del_colExecute();
    QCOMPARE(w.Names(), QStringList({""}));
    QCOMPARE(w.table.ColCount(), 2);

    // One field column left: its name stays, value and description go.
    w.table.SetCell(1, 0, "Only");
    w.table.SetCell(1, 1, "01 02");
    w.table.SetCell(1, 2, "desc");
    g.Refresh();
    g.Action_del_colExecute();
    QCOMPARE(w.table.ColCount(), 2);
    QCOMPARE(w.Shown(1, 0), QStringLiteral("Only"));
    QCOMPARE(w.Shown(1, 1), QString());
    QCOMPARE(w.Shown(1, 2), QString());
    QCOMPARE(g.currentColumn(), 1);
}

void FieldGridTest::moveLeftAndRightSwapCellsAndWidths() {
    GridWindow w;
    FieldGrid& g = *w.grid;
    g.setColumnWidth(1, 100);
    g.setColumnWidth(2, 70);
    w.Select(2, 1);

    g.Action_move_col_to_leftExecute();
    QCOMPARE(w.Names(), QStringList({"Field_B", "Field_A", "", ""}));
    QCOMPARE(w.Shown(2, 1), QStringLiteral("1B 24 43 02 99 05"));
    QCOMPARE(g.columnWidth(1), 70);
    QCOMPARE(g.columnWidth(2), 100);
    QCOMPARE(g.currentColumn(), 1);  // the selection moves with the data
    QCOMPARE(g.currentRow(), 1);

    g.Action_move_col_to_leftExecute();  // column 1: nothing
    QCOMPARE(w.Names(), QStringList({"Field_B", "Field_A", "", ""}));
    QCOMPARE(g.currentColumn(), 1);

    g.Action_move_col_to_rightExecute();
    QCOMPARE(w.Names(), QStringList({"Field_A", "Field_B", "", ""}));
    QCOMPARE(g.columnWidth(1), 100);
    QCOMPARE(g.columnWidth(2), 70);
    QCOMPARE(g.currentColumn(), 2);

    w.Select(4, 0);
    w.table.SetCell(4, 0, "Last");
    g.Action_move_col_to_rightExecute();  // the last column: nothing
    QCOMPARE(w.Names(), QStringList({"Field_A", "Field_B", "", "Last"}));
    QCOMPARE(g.currentColumn(), 4);
}

void FieldGridTest::editingIsOffUntilTheFirstDoubleClick() {
    GridWindow w;
    FieldGrid& g = *w.grid;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    g.setFocus();
    w.Select(1, 1);

    QVERIFY(!g.editingEnabled());
    QVERIFY(!(g.model()->flags(w.Index(1, 1)) & Qt::ItemIsEditable));
    QTest::keyClick(&g, Qt::Key_A);
    QTest::keyClick(&g, Qt::Key_F2);
    QVERIFY(!g.isEditing());
    QCOMPARE(w.table.Cell(1, 1), std::string("1B 24 43 02 99 05"));

    w.DoubleClick(2, 1);
    QVERIFY(g.editingEnabled());
    QVERIFY(g.model()->flags(w.Index(1, 1)) & Qt::ItemIsEditable);
    // From now on typing over a cell edits it, as in any grid.
    g.setFocus();
    w.Select(3, 2);
    QTest::keyClick(&g, Qt::Key_A);
    QVERIFY(g.isEditing());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // commits a moment later
    QTRY_COMPARE(w.table.Cell(3, 2), std::string("ab"));
    QVERIFY(!g.isEditing());
}

void FieldGridTest::doubleClickOffersAReferenceOrAValue() {
    struct Case {
        int col, row;
        QString expected;  // empty: nothing is offered
    };
    const Case cases[] = {
        {1, 0, QStringLiteral("['Field_A']")},
        {1, 1, QStringLiteral("1B 24 43 02 99 05")},
        {2, 0, QStringLiteral("['Field_B']")},
        {2, 2, QString()},  // an empty description
        {3, 0, QString()},  // an unnamed column
    };
    GridWindow w;
    QSignalSpy offered(w.grid, &FieldGrid::insertRequested);
    for (const Case& c : cases) {
        offered.clear();
        w.DoubleClick(c.col, c.row);
        QCOMPARE(w.grid->currentColumn(), c.col);
        if (c.expected.isEmpty()) {
            QCOMPARE(offered.count(), 0);
        } else {
            QCOMPARE(offered.count(), 1);
            QCOMPARE(offered.at(0).at(0).toString(), c.expected);
        }
    }
}

void FieldGridTest::adjWidthFitsLongCellsAndKeepsShortOnesAt64() {
    GridWindow w;
    FieldGrid& g = *w.grid;
    const QString longValue = QStringLiteral("00 11 22 33 44 55 66 77 88 99 AA BB");
    w.table.SetCell(1, 1, "12");
    w.table.SetCell(2, 1, longValue.toStdString());
    w.table.SetCell(3, 2, "a rather long description of a field");
    g.setColumnWidth(4, 200);  // dragged wide by hand

    g.Adjtablewidth1Click();

    QCOMPARE(w.Shown(2, 1), longValue);  // refreshed from the table
    QCOMPARE(g.columnWidth(1), 64);
    QCOMPARE(g.columnWidth(2), TextWidth(g, longValue));
    QVERIFY(g.columnWidth(2) > 64);
    QCOMPARE(g.columnWidth(3),
             TextWidth(g, QStringLiteral("a rather long description of a field")));
    QCOMPARE(g.columnWidth(4), 64);
    QCOMPARE(g.verticalHeader()->width(), FieldGrid::kHeadingWidth);
}

void FieldGridTest::refreshShowsATableChangedElsewhere() {
    GridWindow w;
    FieldGrid& g = *w.grid;
    g.setColumnWidth(2, 90);
    w.Select(2, 1);
    // Four fields named, then one more: the table grows by two columns.
    w.table.SetCell(3, 0, "C");
    w.table.SetCell(4, 0, "D");
    w.table.SetField("Fetched", "01 02");

    g.Refresh();

    QCOMPARE(g.model()->columnCount(), 7);
    QCOMPARE(w.Shown(5, 0), QStringLiteral("Fetched"));
    QCOMPARE(w.Shown(5, 1), QStringLiteral("01 02"));
    QCOMPARE(g.columnWidth(2), 90);
    QCOMPARE(g.columnWidth(5), 64);
    QCOMPARE(g.columnWidth(6), 64);
    QVERIFY(g.isColumnHidden(0));
    QCOMPARE(g.currentColumn(), 2);
    QCOMPARE(g.currentRow(), 1);
}

void FieldGridTest::clickFitsAndReportsTheColumn() {
    GridWindow w;
    FieldGrid& g = *w.grid;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    QSignalSpy reported(&g, &FieldGrid::columnClicked);

    w.Click(2, 0);
    QCOMPARE(reported.count(), 1);
    QCOMPARE(reported.at(0).at(0).toInt(), 2);
    QCOMPARE(g.currentColumn(), 2);
    // Column 2 holds "11 22 33 44 55 66": fitted to it; column 3 untouched.
    QCOMPARE(g.columnWidth(2), TextWidth(g, QStringLiteral("11 22 33 44 55 66")));
    QCOMPARE(g.columnWidth(3), 64);

    w.Click(3, 1);
    QCOMPARE(reported.count(), 2);
    QCOMPARE(reported.at(1).at(0).toInt(), 3);
    QCOMPARE(g.columnWidth(3), 64);  // empty cells: never narrower than 64
}

void FieldGridTest::draggingARowHeadingMovesTheRowsData() {
    GridWindow w;
    FieldGrid& g = *w.grid;
    QHeaderView* rows = g.verticalHeader();
    QVERIFY(rows->sectionsMovable());
    w.Select(1, 0);

    // Drag the name row's heading below the value row's heading.
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    const int x = rows->width() / 2;
    QTest::mousePress(rows->viewport(), Qt::LeftButton, {}, QPoint(x, 12));
    for (int y = 16; y <= 40; y += 4) QTest::mouseMove(rows->viewport(), QPoint(x, y));
    QTest::mouseRelease(rows->viewport(), Qt::LeftButton, {}, QPoint(x, 40));

    QCOMPARE(w.table.Cell(0, 0), std::string("Data"));
    QCOMPARE(w.table.Cell(0, 1), std::string("Name"));
    QCOMPARE(w.table.Cell(1, 0), std::string("1B 24 43 02 99 05"));
    QCOMPARE(w.table.Cell(1, 1), std::string("Field_A"));
    QCOMPARE(w.table.Cell(2, 1), std::string("Field_B"));
    QCOMPARE(g.model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("Data"));
    // The rows are shown in their order again; the current cell moved along.
    for (int r = 0; r < 3; ++r) QCOMPARE(rows->logicalIndex(r), r);
    QCOMPARE(g.currentRow(), 1);
    QCOMPARE(w.Shown(1, 1), QStringLiteral("Field_A"));

    // The description row to the top: the other two shift down.
    w.table.SetCell(2, 2, "about B");
    rows->moveSection(2, 0);
    QCOMPARE(w.table.Cell(2, 0), std::string("about B"));
    QCOMPARE(w.table.Cell(2, 1), std::string("11 22 33 44 55 66"));
    QCOMPARE(w.table.Cell(2, 2), std::string("Field_B"));
    QCOMPARE(g.currentRow(), 2);
}

void FieldGridTest::leavingTheGridCommitsTheEditorAndFiresOnce() {
    GridWindow w;
    FieldGrid& g = *w.grid;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QSignalSpy left(&g, &FieldGrid::gridExited);

    // Focus from the grid to its own editor and back is no leaving.
    g.setFocus();
    QTRY_VERIFY(g.hasFocus());
    g.StringGridDebugDblClick();  // editing on
    w.Select(2, 1);
    g.edit(w.Index(2, 1));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QVERIFY(editor != w.outside);
    editor->setText(QStringLiteral("AA BB"));
    QCOMPARE(left.count(), 0);

    // Straight from the editor to a box outside the grid.
    w.outside->setFocus();
    QTRY_VERIFY(w.outside->hasFocus());
    QCOMPARE(left.count(), 1);
    QCOMPARE(w.table.Cell(2, 1), std::string("AA BB"));
    QVERIFY(!g.isEditing());

    // Coming back and leaving again from the grid itself.
    g.setFocus();
    QCOMPARE(left.count(), 1);
    w.outside->setFocus();
    QCOMPARE(left.count(), 2);

    // The outside box losing the focus is nothing to the grid.
    g.setFocus();
    QCOMPARE(left.count(), 2);
}

void FieldGridTest::insertionHelpersEditTheBoxAndOneMemoLine() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* box = new QLineEdit;
    auto* memo = new QPlainTextEdit;
    layout->addWidget(box);
    layout->addWidget(memo);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    KeepBoxSelection(box);

    // The box loses its selection to the grid; the insertion still replaces it.
    box->setText(QStringLiteral("1+x+2"));
    box->setFocus();
    box->setSelection(2, 1);
    memo->setFocus();
    QVERIFY(!box->hasSelectedText());
    InsertFieldTextIntoBox(box, QStringLiteral("['Field_A']"));
    QCOMPARE(box->text(), QStringLiteral("1+['Field_A']+2"));
    QCOMPARE(box->cursorPosition(), box->text().size());
    QTRY_VERIFY(box->hasFocus());

    // A selection from the middle of line 0 into line 1: only line 0 changes.
    memo->setPlainText(QStringLiteral("1B 24 43\n02 99 05\nlast"));
    QTextCursor c(memo->document());
    c.setPosition(3);
    c.setPosition(12, QTextCursor::KeepAnchor);
    memo->setTextCursor(c);
    InsertFieldTextIntoMemo(memo, QStringLiteral("v"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("1B v\n02 99 05\nlast"));
    QCOMPARE(memo->textCursor().position(), 4);
}

void FieldGridTest::toolBarActionsCarryTheirHints() {
    GridWindow w;
    const FieldGridActions a = MakeFieldGridActions(w.grid, &w.window);
    QCOMPARE(a.Action_insert_col->toolTip(), QStringLiteral("Insert a Column"));
    QCOMPARE(a.Action_del_col->toolTip(), QStringLiteral("Delete a Column"));
    QCOMPARE(a.Action_move_col_to_left->toolTip(), QStringLiteral("Swap current column to left"));
    QCOMPARE(a.Action_move_col_to_right->toolTip(), QStringLiteral("Swap current column to Right"));

    w.Select(1, 0);
    a.Action_move_col_to_right->trigger();
    QCOMPARE(w.Names(), QStringList({"Field_B", "Field_A", "", ""}));
    a.Action_insert_col->trigger();
    QCOMPARE(w.Names(), QStringList({"Field_B", "", "Field_A", "", ""}));
    a.Action_del_col->trigger();
    a.Action_move_col_to_left->trigger();
    QCOMPARE(w.Names(), QStringList({"Field_A", "Field_B", "", ""}));
}

}  // namespace orvane::ui

QObject* MakeFieldGridTest() { return new orvane::ui::FieldGridTest; }

#include "field_grid_test.moc"
