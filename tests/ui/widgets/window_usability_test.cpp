// The window as a new user meets it: hints that must not hide the status
// line, Chinese texts that must be drawn with real glyphs, and the
// continuation keys after the history keys.
#include <QAction>
#include <QApplication>
#include <QGlyphRun>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTableView>
#include <QTest>
#include <QTextLayout>
#include <QToolBar>

#include <algorithm>

#include "tests/support/window_rig.h"
#include "ui/model/panel_layout.h"

namespace orvane::ui {

using test::Child;
using test::FindAction;
using test::WindowRig;

namespace {

// The five panels' texts as the user sees them, joined by " | ", with a
// temporary message in front when one shows.
QString ShownPanels(TForm1& f) {
    QStringList shown;
    if (!f.statusBar()->currentMessage().isEmpty())
        shown << QStringLiteral("<message: %1>").arg(f.statusBar()->currentMessage());
    for (int i = 0; i < 5; ++i) {
        auto* panel = Child<QLabel>(f, QStringLiteral("StatusPanel%1").arg(i).toLatin1().constData());
        shown << (!panel ? QStringLiteral("<missing>")
                  : panel->isHidden() ? QStringLiteral("<hidden>")
                                      : panel->text());
    }
    return shown.join(QStringLiteral(" | "));
}

// The characters of `text` that `font` (with the fallbacks the system adds)
// draws as the empty box of a missing glyph, with the family tried.
QString MissingGlyphs(const QFont& font, const QString& text) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QString missing;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        if (std::find(glyphs.begin(), glyphs.end(), 0u) != glyphs.end())
            missing += run.rawFont().familyName() + QStringLiteral(";");
    }
    return missing;
}

}  // namespace

class WindowUsabilityTest : public QObject {
    Q_OBJECT

private slots:
    void hintsAreToolTipsAndLeaveTheStatusLine();
    void chineseTextsHaveRealGlyphs();
    void upKeepsTheStatementForTheContinuationKeys();
};

void WindowUsabilityTest::hintsAreToolTipsAndLeaveTheStatusLine() {
    WindowRig rig;
    TForm1& f = rig.Window();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    // Texts of the test's own in the panels, written again before each hover
    // (the window's activations write their headings).
    const QString panels = QStringLiteral("panel 0 | panel 1 | panel 2 | panel 3 | panel 4");
    auto fillPanels = [&f] {
        for (int i = 0; i < 5; ++i) f.StatusLine2Show(i, "panel " + std::to_string(i));
    };
    fillPanels();
    QCOMPARE(ShownPanels(f), panels);

    // Hovering a button: the widget sends its status tip, if it has one.
    auto* input = Child<QPushButton>(f, "Button_Expression");
    QVERIFY(input);
    QCOMPARE(input->toolTip(), QString::fromLatin1(kInputButtonHint));
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), input->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(input, &enter);
    QCOMPARE(ShownPanels(f), panels);

    // The field table's tool buttons.
    auto* toolBar = Child<QToolBar>(f, "ToolBar1");
    QVERIFY(toolBar);
    struct Tool {
        const char* action;
        const char* hint;
    };
    for (const Tool& t : {Tool{"Action_insert_col", "Insert a Column"}, Tool{"Action_del_col", "Delete a Column"},
                          Tool{"Action_move_col_to_left", "Swap current column to left"},
                          Tool{"Action_move_col_to_right", "Swap current column to Right"}}) {
        auto* action = Child<QAction>(f, t.action);
        QVERIFY2(action, t.action);
        QWidget* button = toolBar->widgetForAction(action);
        QVERIFY2(button, t.action);
        QCOMPARE(button->toolTip(), QString::fromLatin1(t.hint));
        fillPanels();
        QEnterEvent toolEnter(QPointF(2, 2), QPointF(2, 2), button->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(button, &toolEnter);
        QCOMPARE(ShownPanels(f), panels);
    }

    // Menu items, hovered in their open menu; their hints show as tooltips.
    for (const char* caption : {"E&xit", "Help"}) {
        QAction& item = FindAction(f, QString::fromLatin1(caption));
        auto* menu = qobject_cast<QMenu*>(item.parent());
        QVERIFY2(menu, caption);
        QVERIFY(menu->toolTipsVisible());
        QVERIFY(!item.toolTip().isEmpty() && item.toolTip() != item.text());
        f.menuBar()->setActiveAction(menu->menuAction());  // opened from the menu bar
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        fillPanels();
        menu->setActiveAction(&item);
        QTest::mouseMove(menu, menu->actionGeometry(&item).center());
        QCOMPARE(menu->activeAction(), &item);
        QCOMPARE(ShownPanels(f), panels);
        menu->hide();
    }

    // Whatever sends a status tip to the window, the panels stay.
    fillPanels();
    QStatusTipEvent tip(QStringLiteral("a hint"));
    QApplication::sendEvent(&f, &tip);
    QCOMPARE(ShownPanels(f), panels);
}

void WindowUsabilityTest::chineseTextsHaveRealGlyphs() {
    WindowRig rig;
    TForm1& f = rig.Window();
    // The box of window message 1280, web-data titles and items (simplified
    // and traditional characters), and a memo line.
    const QString texts = QString::fromUtf8(
        " wmme \xe7\xac\xac\xe4\xb8\x80\xe7\xa7\x8d\xe6\xb6\x88\xe6\x81\xaf\xe5\xa4\x84\xe7\x90\x86"
        "\xe6\x96\xb9\xe5\xbc\x8f 1\xe7\xbe\x8e\xe5\x85\x83 = 1\xe4\xba\xba\xe6\xb0\x91\xe5\xb9\xa3 "
        "1\xe6\xad\x90\xe5\x85\x83 \xe6\xba\xab\xe5\xba\xa6 \xe4\xb8\x8b\xe5\x8d\x88 \xe4\xb8\xad\xe6\x96\x87");
    struct Place {
        const char* name;
        QFont font;
    };
    auto fontOf = [&](const char* name) {
        QWidget* w = Child<QWidget>(f, name);
        return w ? w->font() : QFont(QStringLiteral("no such widget"));
    };
    const Place places[] = {
        {"message box", QApplication::font("QMessageBox")},
        {"labels", QApplication::font("QLabel")},
        {"script memo", fontOf("Memo_test")},
        {"field table", fontOf("StringGridDebug")},
        {"expression box", fontOf("ComboBoxExpression")},
        {"answer box", fontOf("Edit_ans")},
    };
    for (const Place& p : places)
        QVERIFY2(MissingGlyphs(p.font, texts).isEmpty(),
                 qPrintable(QStringLiteral("%1 (%2): no glyphs in %3")
                                .arg(QLatin1String(p.name), p.font.family(), MissingGlyphs(p.font, texts))));
}

void WindowUsabilityTest::upKeepsTheStatementForTheContinuationKeys() {
    WindowRig rig;
    TForm1& f = rig.Window();
    auto* box = Child<QLineEdit>(f, "ComboBoxExpression");
    QVERIFY(box);
    box->clear();
    QTest::keyClicks(box, QStringLiteral("5+5"));
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(box->text(), QStringLiteral("5+5"));
    QCOMPARE(box->selectedText(), QStringLiteral("5+5"));
    QCOMPARE(f.StatusPanelText(4), QStringLiteral("5+5"));
    QTest::keyClick(box, Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClicks(box, QStringLiteral("1"));
    QCOMPARE(box->text(), QStringLiteral("5+5+1"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(Child<QLineEdit>(f, "Edit_ans")->text(), QStringLiteral("11"));
}

}  // namespace orvane::ui

QObject* MakeWindowUsabilityTest() { return new orvane::ui::WindowUsabilityTest; }

#include "window_usability_test.moc"
