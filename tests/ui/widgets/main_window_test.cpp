// The main window as a user and the other copies meet it: start-up, instance
// numbers, typing statements, the error dialog, settings and styles, window
// messages, the shared texts, the memo file and the menus.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <memory>
#include <thread>

#include "platform/ini_file.h"
#include "platform/lock_file_title_registry.h"
#include "platform/socket_message_sender.h"
#include "tests/support/window_rig.h"
#include "ui/calculator_panel.h"
#include "ui/memo_file.h"
#include "ui/pages/main_page.h"
#include "variables/instance_slots.h"

namespace orvane::ui {

using test::Drain;
using test::FindAction;
using test::IniValue;
using test::WindowRig;
using test::WriteFile;

namespace {

QLineEdit* Box(TForm1& f, const char* name) { return f.findChild<QLineEdit*>(QLatin1String(name)); }
QPlainTextEdit* Memo(TForm1& f, const char* name) {
    return f.findChild<QPlainTextEdit*>(QLatin1String(name));
}

// The memo's lines after a first start: the example lines without the empty
// last one, which is the line the caret rests on.
QStringList ExampleTape() { return InitialMemoLines().mid(0, 36); }

QString LastMemoLine(TForm1& f) { return f.memo().Lines().value(f.memo().Lines().size() - 1); }

// Types a statement into the expression box and releases Enter.
void Enter(TForm1& f, const QString& statement) {
    QLineEdit* box = Box(f, "ComboBoxExpression");
    box->selectAll();
    QTest::keyClicks(box, statement);
    QTest::keyClick(box, Qt::Key_Return);
}

QString BaseTitle(const WindowRig& rig) { return rig.programPath() + QStringLiteral("    (Ver: ?.?.?.?)"); }

const platform::WindowHandle kOwnHandle = platform::OwnWindowHandle();

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startupClaimsSlotOneAndShowsTheCaption();
    void secondCopyIsNumberTwo();
    void ninthCopyIsRefusedAndSavesNothing();
    void sharedBlockMissingIsAWarningOnly();
    void typingAStatementFillsEveryBox();
    void continuationKeysUseTheKeypad();
    void strayKeyReleaseDoesNotEvaluate();
    void errorsGoToTheErrorDialogAndTheProgramCarriesOn();
    void answerAndConversionBoxesConvert();
    void keyEchoInTheStatusLine();
    void variableListsAndReset();
    void settingsAreAppliedAndWrittenBack();
    void firstRunWritesNoStyleName();
    void styleMenuSwitchesAtOnce();
    void memoFileLoadedAndSaved();
    void unreadableMemoFileIsReportedAndNeverReplaced();
    void windowMessagesAreShownAndLogged();
    void sharedTextsAreListed();
    void activationShowsHeadingsAndHandle();
    void menuBarHasEveryItem();
    void helpAndVisitOpenTheirPages();

private:
    QPalette m_palette;
    QString m_style;
};

void MainWindowTest::init() {
    m_palette = QApplication::palette();
    m_style = QApplication::style()->name();
    OrvaneApplication::instance()->setTitle(QString::fromLatin1(OrvaneApplication::kInitialTitle));
}

void MainWindowTest::cleanup() {
    // A style chosen by a test must not become the next window's default.
    QApplication::setStyle(m_style);
    QApplication::setPalette(m_palette);
}

// --- start-up and instance numbers ----------------------------------------------------

void MainWindowTest::startupClaimsSlotOneAndShowsTheCaption() {
    WindowRig rig;
    TForm1& f = rig.Window();

    QVERIFY(!f.Terminated());
    QCOMPARE(f.windowTitle(), BaseTitle(rig) + QStringLiteral(" (1)"));
    QCOMPARE(OrvaneApplication::instance()->title(), QStringLiteral(" (1)Orvane"));
    QCOMPARE(f.instance_suffix(), QStringLiteral(" (1)"));
    QCOMPARE(int(f.session().instance_no()), 1);
    QCOMPARE(KorSlotHandle(f.session().MapFilePointer(), 1), std::optional<int32_t>(kOwnHandle));
    QCOMPARE(int(f.session().MapFilePointer()->KOR[0].Share_Mem_KOR_num), 1);
    QCOMPARE(KorCount(f.session().MapFilePointer()), 1);

    QCOMPARE(f.Ini_name(), rig.ini());
    QCOMPARE(Memo(f, "Memo2")->toPlainText(),
             QStringLiteral("Memo2\nini path & name: ") + rig.ini());
    QCOMPARE(f.memo().Lines(), ExampleTape());
    QCOMPARE(f.hpPath(), rig.options.helpDir + QStringLiteral("/index.html"));
    QCOMPARE(f.version_Str(), QStringLiteral("?.?.?.?"));
    QCOMPARE(f.fieldTable().Cell(1, 0), std::string("Field_A"));
    const QStringList headings{"ASC()", "KEY CODE", "Cursor POS", "HEX", "BINARY"};
    for (int i = 0; i < 5; ++i) QCOMPARE(f.StatusPanelText(i), headings[i]);
    QCOMPARE(f.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->count(), 5);

    QVERIFY(f.Timer0()->isActive());
    QCOMPARE(f.Timer0()->interval(), 3000);
    QVERIFY(!f.Timer1()->isActive());
    QCOMPARE(f.Timer1()->interval(), 15000);
    f.Timer0Timer();
    QVERIFY(!f.Timer0()->isActive());

    QVERIFY(rig.dialogs.boxes.isEmpty());
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void MainWindowTest::secondCopyIsNumberTwo() {
    WindowRig rig;
    rig.Window();  // the first copy
    auto second = rig.OpenAnother();
    QCOMPARE(second->windowTitle(), BaseTitle(rig) + QStringLiteral(" (2)"));
    QCOMPARE(OrvaneApplication::instance()->title(), QStringLiteral(" (2)Orvane"));
    QCOMPARE(KorSlotHandle(second->session().MapFilePointer(), 2), std::optional<int32_t>(kOwnHandle));
    QCOMPARE(KorCount(second->session().MapFilePointer()), 2);

    // With 1 and 3 running and 2 gone, the next copy takes 2 again.
    auto third = rig.OpenAnother();
    QCOMPARE(third->instance_suffix(), QStringLiteral(" (3)"));
    second.reset();
    auto again = rig.OpenAnother();
    QCOMPARE(again->instance_suffix(), QStringLiteral(" (2)"));
    QVERIFY(rig.dialogs.boxes.isEmpty());
}

void MainWindowTest::ninthCopyIsRefusedAndSavesNothing() {
    WindowRig rig;
    platform::LockFileTitleRegistry registry(rig.options.runtimeDir);
    std::vector<std::unique_ptr<platform::TitleHold>> running;
    for (int n = 1; n <= 8; ++n)
        running.push_back(registry.TryHold((BaseTitle(rig) + QStringLiteral(" (%1)").arg(n)).toStdString()));
    {
        TForm1& f = rig.Window();
        QVERIFY(f.Terminated());
        QCOMPARE(f.windowTitle(), BaseTitle(rig) + QStringLiteral(" (?)"));
        QCOMPARE(rig.dialogs.boxes.size(), 1);
        QCOMPARE(rig.dialogs.boxes[0].icon, MsgIcon::Error);
        QCOMPARE(rig.dialogs.boxes[0].text, QStringLiteral("Maximum number of Orvane are 8"));
        QCOMPARE(KorCount(f.session().MapFilePointer()), 0);
    }
    rig.DestroyWindow();
    QVERIFY(!QFile::exists(rig.ini()));
    QVERIFY(!QFile::exists(rig.memo()));
}

void MainWindowTest::sharedBlockMissingIsAWarningOnly() {
    WindowRig rig;
    rig.options.sharedBlockName = "no/such/block";
    TForm1& f = rig.Window();
    QCOMPARE(rig.dialogs.boxes.size(), 1);
    QCOMPARE(rig.dialogs.boxes[0].icon, MsgIcon::Warning);
    QCOMPARE(rig.dialogs.boxes[0].title, QStringLiteral("Warning"));
    QCOMPARE(rig.dialogs.boxes[0].text, QStringLiteral("Could not create file map"));
    QVERIFY(f.session().MapFilePointer() == nullptr);
    QCOMPARE(f.windowTitle(), BaseTitle(rig) + QStringLiteral(" (1)"));
    // Nothing to list or to send to; the calculator still works.
    f.mainPage().Button_KOR_G_S_MEMClick();
    f.adjWindow1Click();
    QCOMPARE(f.memo().Lines(), ExampleTape());
    QCOMPARE(rig.dialogs.boxes.size(), 1);
    Enter(f, QStringLiteral("1+2"));
    QCOMPARE(Box(f, "Edit_ans")->text(), QStringLiteral("3"));
}

// --- calculator panel ----------------------------------------------------------------

void MainWindowTest::typingAStatementFillsEveryBox() {
    WindowRig rig;
    TForm1& f = rig.Window();
    Enter(f, QStringLiteral("6*7"));

    QCOMPARE(Box(f, "Edit_ans")->text(), QStringLiteral("42"));
    QCOMPARE(Box(f, "Edit_DEC")->text(), QStringLiteral("42"));
    QCOMPARE(Box(f, "Edit_Hex")->text(), QStringLiteral("2A"));
    QCOMPARE(Box(f, "Edit_Binary")->text(), QStringLiteral("0010 1010"));
    QCOMPARE(f.StatusPanelText(3), QStringLiteral("0x2A"));
    QCOMPARE(f.StatusPanelText(4), QStringLiteral("6*7"));  // the selected statement
    QCOMPARE(LastMemoLine(f), QStringLiteral("6*7"));
    QCOMPARE(Box(f, "ComboBoxExpression")->selectedText(), QStringLiteral("6*7"));
    QCOMPARE(f.session().Tmp_answer_1, std::string("42"));
    // Fonts: answer of 2 characters 28 points, a short statement 24 points.
    QCOMPARE(Box(f, "Edit_ans")->font().pointSize(), 28);
    QCOMPARE(Box(f, "ComboBoxExpression")->font().pointSize(), 24);
    QCOMPARE(Box(f, "Edit_Hex")->font().pixelSize(), 16);
    QCOMPARE(f.findChild<QLabel*>(QStringLiteral("label_sec_to_day_Time"))->text(), QStringLiteral("now()"));

    // The "Input" button evaluates without adding to the memo.
    const int lines = f.memo().LineCount();
    Box(f, "ComboBoxExpression")->setText(QStringLiteral("90061"));
    QTest::keyClick(Box(f, "ComboBoxExpression"), Qt::Key_End);  // lets the box report its text
    QTest::mouseClick(f.findChild<QPushButton*>(QStringLiteral("Button_Expression")), Qt::LeftButton);
    Drain();
    QCOMPARE(Box(f, "Edit_ans")->text(), QStringLiteral("90061"));
    QCOMPARE(f.memo().LineCount(), lines);
    // Seconds to date-time from the Tool menu.
    FindAction(f, QStringLiteral("Sec_to_day_time")).trigger();
    Drain();
    QCOMPARE(f.findChild<QLabel*>(QStringLiteral("label_sec_to_day_Time"))->text(),
             QStringLiteral("1 day 1:1:1\n1970/01/02 01:01:01"));
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void MainWindowTest::continuationKeysUseTheKeypad() {
    WindowRig rig;
    TForm1& f = rig.Window();
    QLineEdit* box = Box(f, "ComboBoxExpression");
    Enter(f, QStringLiteral("1+2"));
    // Keypad "+" continues the selected statement.
    QTest::keyClick(box, Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(box->text(), QStringLiteral("1+2+"));
    QTest::keyClicks(box, QStringLiteral("4"));
    QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(Box(f, "Edit_ans")->text(), QStringLiteral("7"));
    // Keypad "*" brackets it first.
    QTest::keyClick(box, Qt::Key_Asterisk, Qt::KeypadModifier);
    QCOMPARE(box->text(), QStringLiteral("(1+2+4)*"));
    QTest::keyClicks(box, QStringLiteral("2"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(Box(f, "Edit_ans")->text(), QStringLiteral("14"));
    // The main keyboard's "+" replaces the selection; a ")" without partner
    // brackets the whole text.
    QTest::keyClick(box, Qt::Key_Plus);
    QCOMPARE(box->text(), QStringLiteral("+"));
    box->clear();
    QTest::keyClicks(box, QStringLiteral("5-1)"));
    QCOMPARE(box->text(), QStringLiteral("(5-1)"));
    // Up fetches the tape from its last line backwards.
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(box->text(), QStringLiteral("(1+2+4)*2"));
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(box->text(), QStringLiteral("1+2+4"));
}

void MainWindowTest::strayKeyReleaseDoesNotEvaluate() {
    WindowRig rig;
    TForm1& f = rig.Window();
    QLineEdit* box = Box(f, "ComboBoxExpression");
    QTest::keyClicks(box, QStringLiteral("1/0"));
    const int lines = f.memo().LineCount();
    // The release of an Enter whose press closed a box or chose a menu item
    // elsewhere.
    QTest::keyRelease(box, Qt::Key_Return);
    QTest::keyRelease(Box(f, "Edit_DEC"), Qt::Key_Return);
    QCOMPARE(f.memo().LineCount(), lines);
    QVERIFY(rig.dialogs.errors.isEmpty());
    QCOMPARE(Box(f, "Edit_Hex")->text(), QString());
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(rig.dialogs.errors.size(), 1);
}

void MainWindowTest::errorsGoToTheErrorDialogAndTheProgramCarriesOn() {
    WindowRig rig;
    TForm1& f = rig.Window();
    Enter(f, QStringLiteral("2+3"));
    const int lines = f.memo().LineCount();

    Enter(f, QStringLiteral("1/0"));
    QCOMPARE(rig.dialogs.errors.size(), 1);
    QCOMPARE(rig.dialogs.errors[0].text, QStringLiteral("Floating point division by zero"));
    QCOMPARE(rig.dialogs.errors[0].title, QStringLiteral(" (1)Orvane"));
    QCOMPARE(Box(f, "Edit_ans")->text(), QStringLiteral("5"));
    QCOMPARE(f.memo().LineCount(), lines);  // the failed statement is not on the tape

    // Through the "Input" button and a menu command as well.
    Box(f, "ComboBoxExpression")->setText(QStringLiteral("0/0"));
    QTest::keyClick(Box(f, "ComboBoxExpression"), Qt::Key_End);
    QTest::mouseClick(f.findChild<QPushButton*>(QStringLiteral("Button_Expression")), Qt::LeftButton);
    Drain();
    QCOMPARE(rig.dialogs.errors.size(), 2);
    QCOMPARE(rig.dialogs.errors[1].text, QStringLiteral("Invalid floating point operation"));
    Enter(f, QStringLiteral("2.5"));
    FindAction(f, QStringLiteral("Sec_to_day_time")).trigger();
    Drain();
    QCOMPARE(rig.dialogs.errors.size(), 3);
    QCOMPARE(rig.dialogs.errors[2].text, QStringLiteral("'2.5' is not a valid integer value"));
    QCOMPARE(f.findChild<QLabel*>(QStringLiteral("label_sec_to_day_Time"))->text(), QStringLiteral("now()"));

    Enter(f, QStringLiteral("7*6"));
    QCOMPARE(Box(f, "Edit_ans")->text(), QStringLiteral("42"));
    QCOMPARE(rig.dialogs.errors.size(), 3);
}

void MainWindowTest::answerAndConversionBoxesConvert() {
    WindowRig rig;
    TForm1& f = rig.Window();
    // Typing into the answer box runs the conversions.
    QTest::keyClicks(Box(f, "Edit_ans"), QStringLiteral("255"));
    Drain();
    QCOMPARE(Box(f, "Edit_DEC")->text(), QStringLiteral("255"));
    QCOMPARE(Box(f, "Edit_Hex")->text(), QStringLiteral("FF"));
    QCOMPARE(Box(f, "Edit_Binary")->text(), QStringLiteral("1111 1111"));
    // Enter in the binary box fills the two others.
    QLineEdit* binary = Box(f, "Edit_Binary");
    binary->setText(QStringLiteral(" 1111 0000 "));
    QTest::keyClick(binary, Qt::Key_Return);
    QCOMPARE(Box(f, "Edit_DEC")->text(), QStringLiteral("240"));
    QCOMPARE(Box(f, "Edit_Hex")->text(), QStringLiteral("F0"));
    QCOMPARE(Box(f, "Edit_ans")->text(), QStringLiteral("255"));
    // Any other key converts nothing.
    QLineEdit* hex = Box(f, "Edit_Hex");
    hex->setText(QStringLiteral("10"));
    QTest::keyClick(hex, Qt::Key_Space);
    QCOMPARE(Box(f, "Edit_DEC")->text(), QStringLiteral("240"));
    QTest::keyClick(hex, Qt::Key_Return);
    QCOMPARE(Box(f, "Edit_DEC")->text(), QStringLiteral("16"));
}

void MainWindowTest::keyEchoInTheStatusLine() {
    WindowRig rig;
    TForm1& f = rig.Window();
    QTest::keyClick(Memo(f, "Memo_test"), Qt::Key_A);
    QCOMPARE(f.StatusPanelText(0), QStringLiteral("97(0x61)"));
    QCOMPARE(f.StatusPanelText(1), QStringLiteral("65(0x41)"));
    QCOMPARE(f.calculator().lastfocus(), 2);
    // The keypad's digits have codes of their own.
    QTest::keyClick(Box(f, "ComboBoxExpression"), Qt::Key_5, Qt::KeypadModifier);
    QCOMPARE(f.StatusPanelText(1), QStringLiteral("101(0x65)"));
    QCOMPARE(f.StatusPanelText(0), QStringLiteral("53(0x35)"));
    QCOMPARE(f.calculator().lastfocus(), 1);
    QTest::keyClick(Box(f, "Edit_DEC"), Qt::Key_Return);
    QCOMPARE(f.StatusPanelText(1), QStringLiteral("13(0x0D)"));
}

void MainWindowTest::variableListsAndReset() {
    WindowRig rig;
    TForm1& f = rig.Window();
    Enter(f, QStringLiteral("a=5"));
    Enter(f, QStringLiteral("s:str=[\"hi\"]"));
    const int before = f.memo().LineCount();
    QTest::mouseClick(f.findChild<QPushButton*>(QStringLiteral("ButtonVarableList")), Qt::LeftButton);
    QTest::mouseClick(f.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    Drain();
    const QStringList lines = f.memo().Lines().mid(before);
    QCOMPARE(lines, (QStringList{" 0:            A = 5", " 0:            S = hi "}));

    f.StatusLine2Show(2, "x");
    FindAction(f, QStringLiteral("&Reset")).trigger();
    Drain();
    QVERIFY(f.session().INI_Parameter()[0].Name.empty());
    QCOMPARE(f.StatusPanelText(2), QStringLiteral("Cursor POS"));
    QTest::mouseClick(f.findChild<QPushButton*>(QStringLiteral("ButtonVarableList")), Qt::LeftButton);
    Drain();
    QCOMPARE(f.memo().LineCount(), before + 2);  // nothing listed
}

// --- settings and styles ----------------------------------------------------------------

void MainWindowTest::settingsAreAppliedAndWrittenBack() {
    WindowRig rig;
    WriteFile(rig.ini(),
              "[Table]\n1-0=Alpha\n1-1=01 02\n[Styles]\nStyle Name=Carbon\nForm Width=0x400\n"
              "Form Height=599\nForm Left=10\nForm Top=20\nSay Equation=1\nSay Ansower=0\n");
    StyleManager reference;
    {
        TForm1& f = rig.Window();
        QCOMPARE(f.width(), 1024);
        QCOMPARE(f.height(), 600);
        QCOMPARE(f.pos(), QPoint(10, 20));
        QCOMPARE(f.style_name(), QStringLiteral("Carbon"));
        for (QAction* item : f.StyleMenu()->actions())
            QCOMPARE(item->isChecked(), item->text() == QLatin1String("Carbon"));
        QCOMPARE(QApplication::palette().color(QPalette::Window),
                 reference.PaletteOf(QStringLiteral("Carbon")).color(QPalette::Window));
        QVERIFY(FindAction(f, QStringLiteral("Say Equation ")).isChecked());
        QVERIFY(!FindAction(f, QStringLiteral("Say Ansower")).isChecked());
        QCOMPARE(f.fieldTable().Cell(1, 0), std::string("Alpha"));
        QCOMPARE(f.fieldTable().Cell(2, 0), std::string("Field_B"));

        f.resize(900, 700);
        Enter(f, QStringLiteral("1+1"));
        QVERIFY(f.close());
    }
    rig.DestroyWindow();
    QCOMPARE(IniValue(rig.ini(), "Styles", "Style Name"), std::string("Carbon"));
    QCOMPARE(IniValue(rig.ini(), "Styles", "Form Width"), std::string("900"));
    QCOMPARE(IniValue(rig.ini(), "Styles", "Form Height"), std::string("700"));
    QCOMPARE(IniValue(rig.ini(), "Styles", "Form Left"), std::string("10"));
    QCOMPARE(IniValue(rig.ini(), "Styles", "Form Top"), std::string("20"));
    QCOMPARE(IniValue(rig.ini(), "Styles", "Say Equation"), std::string("1"));
    QCOMPARE(IniValue(rig.ini(), "Styles", "Say Ansower"), std::string("0"));
    QCOMPARE(IniValue(rig.ini(), "Table", "1-0"), std::string("Alpha"));
    QCOMPARE(IniValue(rig.ini(), "Table", "2-1"), std::string("11 22 33 44 55 66"));
    QStringList memo;
    QVERIFY(LoadMemoLines(rig.memo(), memo));
    // The 36 example lines (the last, empty one is where the caret rests),
    // then the statement.
    QCOMPARE(memo, ExampleTape() << QStringLiteral("1+1"));
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void MainWindowTest::firstRunWritesNoStyleName() {
    WindowRig rig;
    {
        TForm1& f = rig.Window();
        QCOMPARE(f.size(), QSize(800, 750));
        QCOMPARE(f.pos(), QPoint(0, 0));
        QVERIFY(!FindAction(f, QStringLiteral("Say Equation ")).isChecked());
        QVERIFY(FindAction(f, QStringLiteral("Say Ansower")).isChecked());
        for (QAction* item : f.StyleMenu()->actions()) QVERIFY(!item->isChecked());
        QVERIFY(f.close());
    }
    rig.DestroyWindow();
    QCOMPARE(IniValue(rig.ini(), "Styles", "Style Name"), std::string("<missing>"));
    QCOMPARE(IniValue(rig.ini(), "Styles", "Form Width"), std::string("800"));
    QCOMPARE(IniValue(rig.ini(), "Styles", "Say Ansower"), std::string("1"));
}

void MainWindowTest::styleMenuSwitchesAtOnce() {
    WindowRig rig;
    StyleManager reference;
    const QColor original = QApplication::palette().color(QPalette::Window);
    {
        TForm1& f = rig.Window();
        auto item = [&](const char* name) {
            for (QAction* a : f.StyleMenu()->actions())
                if (a->text() == QLatin1String(name)) return a;
            return static_cast<QAction*>(nullptr);
        };
        QCOMPARE(f.StyleMenu()->actions().size(), StyleManager::StyleNames().size());
        item("Luna")->trigger();
        Drain();
        QCOMPARE(f.style_name(), QStringLiteral("Luna"));
        QCOMPARE(Box(f, "Edit_ans")->palette().color(QPalette::Base),
                 reference.PaletteOf(QStringLiteral("Luna")).color(QPalette::Base));
        QCOMPARE(QApplication::palette().color(QPalette::Highlight),
                 reference.PaletteOf(QStringLiteral("Luna")).color(QPalette::Highlight));
        for (QAction* a : f.StyleMenu()->actions()) QCOMPARE(a->isChecked(), a == item("Luna"));

        item("Windows")->trigger();
        Drain();
        QCOMPARE(f.style_name(), QStringLiteral("Windows"));
        QCOMPARE(QApplication::palette().color(QPalette::Window), original);
        for (QAction* a : f.StyleMenu()->actions()) QCOMPARE(a->isChecked(), a == item("Windows"));
        QVERIFY(f.close());
    }
    rig.DestroyWindow();
    QCOMPARE(IniValue(rig.ini(), "Styles", "Style Name"), std::string("Windows"));
}

// --- memo file -------------------------------------------------------------------------------

void MainWindowTest::memoFileLoadedAndSaved() {
    WindowRig rig;
    WriteFile(rig.memo(), "1+1\r\n2+2\r\n");
    {
        TForm1& f = rig.Window();
        QCOMPARE(f.memo().Lines(), (QStringList{"1+1", "2+2"}));
        // The history keys read that tape.
        QTest::keyClick(Box(f, "ComboBoxExpression"), Qt::Key_Up);
        QCOMPARE(Box(f, "ComboBoxExpression")->text(), QStringLiteral("1+1"));
        Enter(f, QStringLiteral("3+3"));
        QVERIFY(f.close());
    }
    rig.DestroyWindow();
    QStringList lines;
    QVERIFY(LoadMemoLines(rig.memo(), lines));
    QCOMPARE(lines, (QStringList{"1+1", "2+2", "3+3"}));
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void MainWindowTest::unreadableMemoFileIsReportedAndNeverReplaced() {
    WindowRig rig;
    QVERIFY(QDir().mkpath(rig.memo()));  // a folder where the file should be
    {
        TForm1& f = rig.Window();
        QCOMPARE(rig.dialogs.errors.size(), 1);
        QVERIFY2(rig.dialogs.errors[0].text.startsWith(QStringLiteral("Cannot ")),
                 qPrintable(rig.dialogs.errors[0].text));
        QCOMPARE(f.memo().Lines(), ExampleTape());
        QVERIFY(f.close());
    }
    rig.DestroyWindow();
    // No second error from saving: the memo was not written over it.
    QCOMPARE(rig.dialogs.errors.size(), 1);
    QVERIFY(QFileInfo(rig.memo()).isDir());
    QCOMPARE(IniValue(rig.ini(), "Styles", "Form Width"), std::string("800"));
}

// --- window messages and the shared block -------------------------------------------------------

void MainWindowTest::windowMessagesAreShownAndLogged() {
    WindowRig rig;
    TForm1& f = rig.Window();
    const QString boxText = QString::number(kOwnHandle) + QString::fromUtf8(" wmme 第一种消息处理方式");

    f.Button11Click();
    QCOMPARE(rig.dialogs.boxes.size(), 1);
    QCOMPARE(rig.dialogs.boxes[0].icon, MsgIcon::None);
    QCOMPARE(rig.dialogs.boxes[0].title, QStringLiteral(" (1)Orvane"));
    QCOMPARE(rig.dialogs.boxes[0].text, boxText);
    QCOMPARE(LastMemoLine(f), QStringLiteral("got message:    0"));

    // The broadcast reaches the own slot, the only one occupied.
    FindAction(f, QStringLiteral("adj KOR Window")).trigger();
    Drain();
    QCOMPARE(rig.dialogs.boxes.size(), 2);
    QCOMPARE(LastMemoLine(f), QStringLiteral("got message:  402"));

    // Another process's message arrives through the event loop; its sender
    // waits until the window has handled it.
    std::atomic<bool> delivered{false};
    std::thread other([&] {
        platform::SocketMessageSender sender(rig.options.runtimeDir);
        delivered = sender.Send(kOwnHandle, {platform::WM_KOR_MESSAGE0, 12345, 0});
    });
    QTRY_COMPARE(LastMemoLine(f), QStringLiteral("got message:12345"));
    other.join();
    QVERIFY(delivered);
    QCOMPARE(rig.dialogs.boxes.size(), 3);
}

void MainWindowTest::sharedTextsAreListed() {
    WindowRig rig;
    TForm1& f = rig.Window();
    Share_Memory* block = f.session().MapFilePointer();
    QVERIFY(block);
    const int before = f.memo().LineCount();
    f.mainPage().Button_KOR_G_S_MEMClick();
    QCOMPARE(f.memo().LineCount(), before);  // all texts empty: nothing

    std::strcpy(block->KOR[0].Share_Mem_private_data, "hello");
    std::strcpy(block->Public_data[2].Share_Mem_Public_data, "world");
    std::memset(block->Public_data[63].Share_Mem_Public_data, 'z', 256);  // no end mark
    QTest::mouseClick(f.findChild<QPushButton*>(QStringLiteral("Button_KOR_G_S_MEM")), Qt::LeftButton);
    Drain();
    QCOMPARE(f.memo().Lines().mid(before),
             (QStringList{"KOR_P_S_MEM1: hello", "KOR_G_S_MEM3:str=world",
                          QStringLiteral("KOR_G_S_MEM64:str=") + QString(256, u'z')}));
}

// --- activation, menus, help ---------------------------------------------------------------------

void MainWindowTest::activationShowsHeadingsAndHandle() {
    WindowRig rig;
    TForm1& f = rig.Window();
    auto* pages = f.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    const QString handle = QString::asprintf("Handle:%10d 0x%X", kOwnHandle, unsigned(kOwnHandle));

    pages->setCurrentIndex(3);
    f.FormActivate();
    const QStringList expected{"ASC()", "KEY CODE", "Cursor Pos", "HEX", handle};
    for (int i = 0; i < 5; ++i) QCOMPARE(f.StatusPanelText(i), expected[i]);
    QCOMPARE(pages->currentIndex(), 0);

    // Showing the window activates it; so does coming back from a dialog.
    f.show();
    f.activateWindow();
    QTRY_COMPARE(f.StatusPanelText(4), handle);
    QTRY_VERIFY(Box(f, "ComboBoxExpression")->hasFocus());
    f.StatusLine2Show(4, "cleared");
    QDialog other(&f);
    other.show();
    other.activateWindow();
    QTRY_VERIFY(other.isActiveWindow());
    other.close();
    f.activateWindow();
    QTRY_COMPARE(f.StatusPanelText(4), handle);
}

void MainWindowTest::menuBarHasEveryItem() {
    WindowRig rig;
    TForm1& f = rig.Window();
    // Caption per item, "-" for a separator; a leading "?" marks a check
    // item (then "+" or "-" its mark); "(hidden)" an item that is not shown.
    auto describe = [](QMenu* menu) {
        QStringList items;
        for (QAction* a : menu->actions()) {
            QString d = a->isSeparator() ? QStringLiteral("-") : a->text();
            if (a->isCheckable()) d = (a->isChecked() ? "?+" : "?-") + d;
            if (a->menu()) d += QStringLiteral(" >");
            if (!a->isVisible()) d += QStringLiteral(" (hidden)");
            items.append(d);
        }
        return items;
    };
    QStringList titles;
    for (QAction* a : f.menuBar()->actions()) titles.append(a->text());
    QCOMPARE(titles, (QStringList{"&File", "&Tool", "&Style", "&Help"}));
    const auto menus = f.menuBar()->actions();
    QCOMPARE(describe(menus[0]->menu()),
             (QStringList{"Load Table Contents", "Save Table Contents", "-", "Load File to Memo",
                          "Save Memo", "-", "E&xit"}));
    QCOMPARE(describe(menus[1]->menu()),
             (QStringList{"&Reset", "Adj table width", "LoadCurrency", "Sec_to_day_time", "-",
                          "?-Show web source code", "adj KOR Window", "-", "Speech Language >",
                          "?-Say Equation ", "?+Say Ansower", "List speech language (hidden)"}));
    QStringList styles;
    for (const QString& name : StyleManager::StyleNames()) styles.append("?-" + name);
    QCOMPARE(describe(menus[2]->menu()), styles);
    QCOMPARE(describe(menus[3]->menu()),
             (QStringList{"Help", "Expresion   1+2*5 sin(['x'])  ....", "-", "&Visit my Home Page",
                          "&Visit my Google site", "About"}));

    // The hints are tooltips (a status tip would hide the status panels).
    QCOMPARE(FindAction(f, QStringLiteral("E&xit")).toolTip(), QStringLiteral("Exit this application"));
    QAction* help = &FindAction(f, QStringLiteral("Help"));
    QCOMPARE(help->toolTip(), QStringLiteral("Display the help contents screen"));
    QCOMPARE(help->shortcut(), QKeySequence(Qt::Key_F1));
    QCOMPARE(f.findChild<QPushButton*>(QStringLiteral("Button_Expression"))->toolTip(),
             QStringLiteral("Example: 1+2+3*(5+8)+sin(1)"));
    QVERIFY(!f.findChild<QPushButton*>(QStringLiteral("Button11"))->isVisibleTo(&f));

    // The source view follows its check item.
    QAction* source = &FindAction(f, QStringLiteral("Show web source code"));
    source->trigger();
    Drain();
    QVERIFY(!Memo(f, "Memo1")->isHidden());
    source->trigger();
    Drain();
    QVERIFY(Memo(f, "Memo1")->isHidden());
}

void MainWindowTest::helpAndVisitOpenTheirPages() {
    WindowRig rig;
    TForm1& f = rig.Window();
    for (const char* caption : {"Help", "Expresion   1+2*5 sin(['x'])  ....", "&Visit my Home Page",
                                "&Visit my Google site"})
        FindAction(f, QLatin1String(caption)).trigger();
    Drain();
    QCOMPARE(rig.dialogs.urls.size(), 4);
    QCOMPARE(rig.dialogs.urls[0], QUrl::fromLocalFile(rig.options.helpDir + "/index.html"));
    QCOMPARE(rig.dialogs.urls[1], QUrl::fromLocalFile(rig.options.helpDir + "/Expression_Process.htm"));
    QCOMPARE(rig.dialogs.urls[2].scheme(), QStringLiteral("https"));
    QCOMPARE(rig.dialogs.urls[3].scheme(), QStringLiteral("https"));
    QVERIFY(rig.dialogs.urls[2] != rig.dialogs.urls[3]);
}

}  // namespace orvane::ui

QObject* MakeMainWindowTest() { return new orvane::ui::MainWindowTest; }

#include "main_window_test.moc"
