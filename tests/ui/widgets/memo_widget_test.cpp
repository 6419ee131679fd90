// The script memo, its search box and files, and the smart-format box, driven
// through the window's widgets.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringConverter>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>

#include "platform/ini_file.h"
#include "tests/support/window_rig.h"
#include "ui/calculator_panel.h"
#include "ui/field_grid.h"
#include "ui/memo_file.h"
#include "ui/pages/crc_page.h"
#include "ui/pages/main_page.h"

namespace orvane::ui {

using test::Drain;
using test::IniValue;
using test::WindowRig;

namespace {


QPlainTextEdit* MemoBoxOf(TForm1& f) { return f.findChild<QPlainTextEdit*>(QStringLiteral("Memo_test")); }
QComboBox* Combo(TForm1& f, const char* name) { return f.findChild<QComboBox*>(QLatin1String(name)); }

// Puts the memo's caret at `column` of line `line` (selecting `length`).
void PlaceCaret(TForm1& f, int line, int column, int length = 0) {
    QPlainTextEdit* memo = MemoBoxOf(f);
    QTextCursor c(memo->document()->findBlockByNumber(line));
    c.setPosition(c.position() + column);
    c.setPosition(c.position() + length, QTextCursor::KeepAnchor);
    memo->setTextCursor(c);
}

QString BlockText(TForm1& f, int line) {
    return MemoBoxOf(f)->document()->findBlockByNumber(line).text();
}

int LineOf(TForm1& f, const QString& text) {
    const QStringList lines = f.memo().Lines();
    return int(lines.indexOf(text));
}


}  // namespace

class MemoWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void typedStatementEndsUpInTheMemoFile();
    void enterInTheMemoWritesTheAnswerBelow();
    void arrowKeysWalkTheExampleLines();
    void positionDisplayFollowsTheCaret();
    void searchWhileTypingAndF3();
    void loadAndSaveNeedTheMemoFocus();
    void loadReadsUtf16AndReportsUnreadableFiles();
    void smartFormatBoxAppendsResultsAndKeepsItsHistory();
    void crcPageBorrowsTheCalculatorPanel();
    void gridDoubleClickInsertsIntoTheLastUsedBox();
    void leavingTheGridWritesTheTable();
};

// A fresh window, "6*7" and Enter in the expression box, then closing: the
// memo file holds the example lines and the statement; the settings file the
// table and the window size.
void MemoWidgetTest::typedStatementEndsUpInTheMemoFile() {
    WindowRig rig;
    {
        TForm1& f = rig.Window();
        f.show();
        QLineEdit* box = f.findChild<QLineEdit*>(QStringLiteral("ComboBoxExpression"));
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("6*7"));
        QTest::keyClick(box, Qt::Key_Return);
        Drain();
        QVERIFY(f.close());
    }
    rig.DestroyWindow();
    QStringList lines;
    QVERIFY(LoadMemoLines(rig.memo(), lines));
    QCOMPARE(lines, InitialMemoLines().mid(0, 36) << QStringLiteral("6*7"));
    QCOMPARE(IniValue(rig.ini(), "Table", "1-0"), std::string("Field_A"));
    QVERIFY(IniValue(rig.ini(), "Styles", "Form Width") != "<missing>");
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void MemoWidgetTest::enterInTheMemoWritesTheAnswerBelow() {
    WindowRig rig;
    TForm1& f = rig.Window();
    QPlainTextEdit* memo = MemoBoxOf(f);
    const int y = LineOf(f, QStringLiteral("0x1D"));
    QVERIFY(y > 0);
    PlaceCaret(f, y, 2);
    QTest::keyClick(memo, Qt::Key_Return);
    QCOMPARE(BlockText(f, y), QStringLiteral("0x1D"));  // Enter broke no line
    QCOMPARE(BlockText(f, y + 1), QStringLiteral("29"));
    QCOMPARE(memo->textCursor().blockNumber(), y + 1);
    QCOMPARE(memo->textCursor().positionInBlock(), 2);
    QCOMPARE(f.calculator().lastfocus(), 2);

    // Enter on "29" inserts an empty line; Ctrl+Enter breaks the line instead.
    QTest::keyClick(memo, Qt::Key_Return);
    QCOMPARE(BlockText(f, y + 2), QString());
    const int blocks = memo->document()->blockCount();
    PlaceCaret(f, y, 2);
    QTest::keyClick(memo, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(memo->document()->blockCount(), blocks + 1);
    QCOMPARE(BlockText(f, y), QStringLiteral("0x"));
    QCOMPARE(BlockText(f, y + 1), QStringLiteral("1D"));

    // Down shows the next line's answer in the calculator.
    PlaceCaret(f, 0, 0);
    QTest::keyClick(memo, Qt::Key_Down);
    QCOMPARE(f.findChild<QLineEdit*>(QStringLiteral("Edit_ans"))->text(), QStringLiteral("1"));

    // A faulting statement goes to the error dialog and changes nothing.
    f.memo().AppendLine("1/0");
    const QStringList before = f.memo().Lines();
    PlaceCaret(f, int(before.size()) - 1, 0);
    QTest::keyClick(memo, Qt::Key_Return);
    QCOMPARE(rig.dialogs.errors.size(), 1);
    QCOMPARE(f.memo().Lines(), before);
}

// Down through every example line shows its answer; none of them raises.
void MemoWidgetTest::arrowKeysWalkTheExampleLines() {
    WindowRig rig;
    TForm1& f = rig.Window();
    f.show();
    QPlainTextEdit* memo = MemoBoxOf(f);
    QLineEdit* answer = f.findChild<QLineEdit*>(QStringLiteral("Edit_ans"));
    PlaceCaret(f, 0, 0);
    QHash<QString, QString> seen;
    for (int i = 1; i < 36; ++i) {
        QTest::keyClick(memo, Qt::Key_Down);
        QCOMPARE(memo->textCursor().blockNumber(), i);
        seen.insert(BlockText(f, i), answer->text());
    }
    QCOMPARE(seen.value(QStringLiteral("0x1D")), QStringLiteral("29"));
    QCOMPARE(seen.value(QStringLiteral("X1016(255)")), QStringLiteral("FF"));
    QCOMPARE(seen.value(QStringLiteral("1+['&VAR:A']")), QStringLiteral("101"));
    QCOMPARE(seen.value(QStringLiteral("MAX(1,2,3,min(2,3,4))")), QStringLiteral("3"));
    QVERIFY2(rig.dialogs.errors.isEmpty(), qPrintable(rig.dialogs.errors.value(0).text));
    QVERIFY(rig.dialogs.boxes.isEmpty());
}

void MemoWidgetTest::positionDisplayFollowsTheCaret() {
    WindowRig rig;
    TForm1& f = rig.Window();
    QPlainTextEdit* memo = MemoBoxOf(f);
    f.memo().SetLines({QStringLiteral("1B 24 43"), QStringLiteral("ABC")});
    PlaceCaret(f, 0, 5);
    QTest::keyClick(memo, Qt::Key_Shift);  // any key's release shows the position
    QCOMPARE(f.StatusPanelText(kPanelCursor), QStringLiteral("[5] or [-4]"));
    PlaceCaret(f, 0, 3, 2);
    QTest::keyClick(memo, Qt::Key_Shift);
    QCOMPARE(f.StatusPanelText(kPanelCursor), QStringLiteral("[4..5]  or [4..-4]    len:2"));
    PlaceCaret(f, 1, 0, 1);
    QTest::keyClick(memo, Qt::Key_Shift);
    QCOMPARE(f.StatusPanelText(kPanelCursor), QStringLiteral("[1] or [-3]    len:1"));
    QCOMPARE(f.StatusPanelText(kPanelAsc), QStringLiteral("A=65(0x41)"));
    PlaceCaret(f, 0, 6, 5);
    QTest::keyClick(memo, Qt::Key_Shift);
    QCOMPARE(f.StatusPanelText(kPanelCursor), QStringLiteral("Cross line"));

    // A click places the caret and shows its position.
    memo->show();
    const QRect line0 = memo->cursorRect(QTextCursor(memo->document()->findBlockByNumber(1)));
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, line0.center() + QPoint(1, 0));
    Drain();
    QCOMPARE(f.StatusPanelText(kPanelCursor), QStringLiteral("[0] or [-4]"));
}

void MemoWidgetTest::searchWhileTypingAndF3() {
    WindowRig rig;
    TForm1& f = rig.Window();
    f.show();
    QPlainTextEdit* memo = MemoBoxOf(f);
    QComboBox* search = Combo(f, "ComboBox_search");
    QCOMPARE(search->currentText(), QStringLiteral("Qucik Search"));
    QCOMPARE(search->count(), 0);

    QVERIFY(QTest::qWaitForWindowActive(&f));
    search->lineEdit()->setFocus();
    search->lineEdit()->selectAll();
    QTest::keyClicks(search->lineEdit(), QStringLiteral("abs"));
    QCOMPARE(f.StatusPanelText(kPanelBinary), QStringLiteral("Line:0, pos:1, Len:3"));
    QCOMPARE(memo->textCursor().selectedText(), QStringLiteral("ABS"));
    QVERIFY(search->lineEdit()->hasFocus());

    // F3 goes down to the next line holding "abs", Shift+F3 back up.
    QTest::keyClick(search->lineEdit(), Qt::Key_F3);
    const int down = LineOf(f, QStringLiteral("ABS(INT(log10(10^4)))"));
    QCOMPARE(memo->textCursor().blockNumber(), down);
    QCOMPARE(f.StatusPanelText(kPanelBinary), QStringLiteral("Line:%1, pos:1, Len:3").arg(down));
    QVERIFY(memo->hasFocus());
    QTest::keyClick(memo, Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(memo->textCursor().blockNumber(), 0);

    // A miss keeps the selection and leaves the fifth panel empty.
    search->lineEdit()->selectAll();
    QTest::keyClicks(search->lineEdit(), QStringLiteral("zzz"));
    QCOMPARE(f.StatusPanelText(kPanelBinary), QString());
    QCOMPARE(memo->textCursor().blockNumber(), 0);
}

void MemoWidgetTest::loadAndSaveNeedTheMemoFocus() {
    WindowRig rig;
    TForm1& f = rig.Window();
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    const QString target = rig.File(QStringLiteral("saved.txt"));
    rig.dialogs.chosenFile = target;

    // Without the memo's focus the menu commands do nothing.
    f.findChild<QLineEdit*>(QStringLiteral("ComboBoxExpression"))->setFocus();
    f.mainPage().Savetofile1Click();
    f.mainPage().LoadformFile1Click();
    QVERIFY(rig.dialogs.fileDialogs.isEmpty());

    MemoBoxOf(f)->setFocus();
    f.mainPage().Savetofile1Click();
    QCOMPARE(rig.dialogs.fileDialogs.size(), 1);
    QCOMPARE(rig.dialogs.fileDialogs[0].proposedName, QStringLiteral("tmp_file.txt"));
    QCOMPARE(rig.dialogs.fileDialogs[0].filter, QStringLiteral("Text File (*.txt)"));
    QCOMPARE(rig.dialogs.fileDialogs[0].dir, rig.File(QStringLiteral("prog")));
    QStringList saved;
    QVERIFY(LoadMemoLines(target, saved));
    QCOMPARE(saved, f.memo().Lines());

    // Round trip: a changed memo comes back as it was saved.
    f.memo().SetLines({QStringLiteral("other")});
    f.mainPage().LoadformFile1Click();
    QCOMPARE(f.memo().Lines(), saved);
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void MemoWidgetTest::loadReadsUtf16AndReportsUnreadableFiles() {
    WindowRig rig;
    TForm1& f = rig.Window();
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    MemoBoxOf(f)->setFocus();

    const QString utf16 = rig.File(QStringLiteral("wide.txt"));
    {
        QFile file(utf16);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QStringEncoder enc(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        file.write(enc.encode(QStringLiteral("1+1\r\nÄ=2\r\n")));
    }
    rig.dialogs.chosenFile = utf16;
    f.mainPage().LoadformFile1Click();
    QCOMPARE(f.memo().Lines(), (QStringList{QStringLiteral("1+1"), QStringLiteral("Ä=2")}));

    // A folder cannot be read: the error dialog, and the memo stays.
    rig.dialogs.chosenFile = rig.folder();
    OrvaneApplication::Run([&] { f.mainPage().LoadformFile1Click(); });
    QCOMPARE(rig.dialogs.errors.size(), 1);
    QCOMPARE(f.memo().Lines(), (QStringList{QStringLiteral("1+1"), QStringLiteral("Ä=2")}));
}

void MemoWidgetTest::smartFormatBoxAppendsResultsAndKeepsItsHistory() {
    WindowRig rig;
    TForm1& f = rig.Window();
    f.show();
    QComboBox* smart = Combo(f, "ComboBoxEx_Smart_format");
    QCOMPARE(smart->currentText(),
             QStringLiteral("[\"aaa \" +'Field_A':M3(#h[1][2],) + 'field_B':V10([13][14][16][17])-9900 ]"));
    QCOMPARE(smart->count(), 5);
    QCOMPARE(smart->itemText(0), QStringLiteral("['Field_A':LRC([all])]"));

    // The button processes the text into the memo.
    f.findChild<QPushButton*>(QStringLiteral("Button_Smartformat"))->click();
    Drain();
    QCOMPARE(f.memo().Lines().last(), QStringLiteral("aaa #h1B,#h24,#h43,#h02,#h99,#h05,-4334"));

    // Enter in the box: the result's lines go to the memo, and the selected
    // text joins the list once.
    QLineEdit* edit = smart->lineEdit();
    edit->setFocus();
    f.fieldTable().SetCell(3, 0, "Lines");
    f.fieldTable().SetCell(3, 1, "1B 24 43 02 99 05\r\nx");
    edit->setText(QStringLiteral("['Lines']"));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY2(rig.dialogs.errors.isEmpty(), qPrintable(rig.dialogs.errors.value(0).text));
    QVERIFY2(rig.dialogs.boxes.isEmpty(), qPrintable(rig.dialogs.boxes.value(0).text));
    const QStringList lines = f.memo().Lines();
    QCOMPARE(lines.mid(lines.size() - 2),
             (QStringList{QStringLiteral("1B 24 43 02 99 05"), QStringLiteral("x")}));
    QCOMPARE(smart->count(), 6);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(smart->count(), 6);
    QCOMPARE(f.session().Tmp_answer_all, std::string("1B 24 43 02 99 05\r\nx"));
}

// Entering the CRC page docks the calculator panel there; a preset writes its
// expression into the expression box, which evaluates to the page's result.
void MemoWidgetTest::crcPageBorrowsTheCalculatorPanel() {
    WindowRig rig;
    TForm1& f = rig.Window();
    f.show();
    auto* tabs = f.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    QWidget* panel4 = f.findChild<QWidget*>(QStringLiteral("Panel4"));
    QWidget* crc = &f.crcPage();
    tabs->setCurrentWidget(crc);
    QVERIFY(crc->isAncestorOf(panel4));

    f.crcPage().RadioGroup_CRC_Quick_SettingClick(5);  // CRC16/CCITT-FALSE
    auto* box = f.findChild<QLineEdit*>(QStringLiteral("ComboBoxExpression"));
    QCOMPARE(box->text(), QStringLiteral("['&STR_VAR:xxx':CRC_16_FFFF_0000_1021_0_0(BB)]"));
    f.calculatorPanel().Button_ExpressionClick();
    QCOMPARE(f.findChild<QLineEdit*>(QStringLiteral("Edit_ans"))->text(), QStringLiteral("F740"));

    tabs->setCurrentIndex(0);
    QVERIFY(!crc->isAncestorOf(panel4));
    QVERIFY(tabs->widget(0)->isAncestorOf(panel4));
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void MemoWidgetTest::gridDoubleClickInsertsIntoTheLastUsedBox() {
    WindowRig rig;
    TForm1& f = rig.Window();
    f.show();
    FieldGrid& grid = f.fieldGrid();
    auto dblClick = [&](int col, int row) {
        grid.setCurrentIndex(grid.model()->index(row, col));
        grid.StringGridDebugDblClick();
    };

    // Before either box was used nothing is inserted.
    const QStringList memoBefore = f.memo().Lines();
    dblClick(1, 0);
    QCOMPARE(f.memo().Lines(), memoBefore);
    QVERIFY(grid.editingEnabled());

    // The expression box: a name cell becomes a reference at the caret.
    QLineEdit* box = f.findChild<QLineEdit*>(QStringLiteral("ComboBoxExpression"));
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("LEN("));
    QCOMPARE(f.calculator().lastfocus(), 1);
    dblClick(1, 0);
    QCOMPARE(box->text(), QStringLiteral("LEN(['Field_A']"));
    QCOMPARE(box->cursorPosition(), int(box->text().size()));
    QCOMPARE(f.calculator().expression_text(), std::string("LEN(['Field_A']"));

    // The memo: the value replaces the selection of the caret line.
    QPlainTextEdit* memo = MemoBoxOf(f);
    f.memo().SetLines({QStringLiteral("a XX b"), QStringLiteral("next")});
    PlaceCaret(f, 0, 2, 2);
    QTest::keyClick(memo, Qt::Key_Shift);  // a key released in the memo
    QCOMPARE(f.calculator().lastfocus(), 2);
    dblClick(2, 1);
    QCOMPARE(f.memo().Lines(),
             (QStringList{QStringLiteral("a 11 22 33 44 55 66 b"), QStringLiteral("next")}));
    QVERIFY(rig.dialogs.errors.isEmpty());
}

// Leaving the grid writes its cells without clearing the section; the full
// save replaces the section.
void MemoWidgetTest::leavingTheGridWritesTheTable() {
    WindowRig rig;
    TForm1& f = rig.Window();
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    FieldGrid& grid = f.fieldGrid();
    f.fieldTable().SetCell(4, 0, "Field_D");
    grid.Refresh();
    grid.setFocus();
    MemoBoxOf(f)->setFocus();
    QCOMPARE(IniValue(rig.ini(), "Table", "4-0"), std::string("Field_D"));

    // Deleting column 4 and leaving again keeps the old key of the last
    // column; the full save drops it.
    grid.setCurrentIndex(grid.model()->index(0, 4));
    grid.Action_del_colExecute();
    grid.setFocus();
    MemoBoxOf(f)->setFocus();
    QCOMPARE(IniValue(rig.ini(), "Table", "4-0"), std::string("Field_D"));
    f.Action_save_table_contentsExecute();
    QCOMPARE(IniValue(rig.ini(), "Table", "4-0"), std::string("<missing>"));
    QCOMPARE(IniValue(rig.ini(), "Table", "1-0"), std::string("Field_A"));
}

}  // namespace orvane::ui

QObject* MakeMemoWidgetTest() { return new orvane::ui::MemoWidgetTest; }

#include "memo_widget_test.moc"
