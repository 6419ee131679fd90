// The CRC page on its own, driven through its controls: captions and the
// reference table, a preset click, typing data, a non-hexadecimal character
// that goes to the error dialog, docking the calculator panel, the layout in
// the window's default size, and "Find parameters" from the field table to a
// picked model.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

#include "engine/crc.h"
#include "smartformat/field_table.h"
#include "tests/support/window_rig.h"
#include "ui/pages/crc_page.h"
#include "ui/wide_text.h"
#include "ui/window_settings.h"

namespace orvane::ui {

using test::Child;
using test::DialogsScope;
using test::WindowRig;

namespace {

QLineEdit* Box(CrcPage& page, const char* name) { return Child<QLineEdit>(page, name); }

QRadioButton* Item(CrcPage& page, const char* group, const QString& caption) {
    const auto items = Child<QGroupBox>(page, group)->findChildren<QRadioButton*>();
    for (QRadioButton* item : items)
        if (item->text() == caption) return item;
    qWarning("no item %s", qPrintable(caption));
    return nullptr;
}

// A page shown offscreen with its expressions recorded.
struct ShownPage {
    CrcPage page;
    QStringList expressions;
    ShownPage() {
        page.SetExpressionSink([this](const std::string& e) { expressions.append(Wide(e)); });
        page.resize(1400, 900);
        page.show();
        // The scroll area places its contents when it has been laid out.
        if (!QTest::qWaitForWindowExposed(&page)) qWarning("page not exposed");
        QCoreApplication::processEvents();
    }
};

QString Crc8(const char* data, bool refin) {
    std::string r;
    RunCRC8_all_type(data, r, 0xFF, 0x00, 0x1D, refin, true);
    return Wide(r);
}

}  // namespace

class CrcPageTest : public QObject {
    Q_OBJECT

private slots:
    void controlsStartWithTheirCaptionsAndValues();
    void referenceTableInAFixedPitchFont();
    void presetClickSetsTheControlsAndWritesTheExpression();
    void typingDataWritesTheExpressionAndComputes();
    void nonHexCharacterGoesToTheErrorDialogAndThePageCarriesOn();
    void changesByHandWaitForTheButton();
    void pageEntryDocksTheCalculatorPanelAtTheBottom();
    void everythingButTheReferenceRowsFitsTheDefaultWindow();
    void findParametersFromTheFieldTableToAPickedModel();
    void badFramesAndNoFitAreShownOnThePage();
};

void CrcPageTest::controlsStartWithTheirCaptionsAndValues() {
    CrcPage page;
    QCOMPARE(page.objectName(), QStringLiteral("CRC"));
    QCOMPARE(Box(page, "Edit_CRC_original_String")->text(), QStringLiteral("BB"));
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), QStringLiteral("CRC_result"));
    QCOMPARE(Box(page, "Edit_CRC_Polynom")->text(), QStringLiteral("$1D"));
    QCOMPARE(Box(page, "Edit_CRC_Initial_value")->text(), QStringLiteral("$FF"));
    QCOMPARE(Box(page, "Edit_CRC_Final_XOR")->text(), QStringLiteral("$00"));
    QCOMPARE(Child<QPushButton>(page, "Button7")->text(), QStringLiteral("CRC Calc"));
    auto* refin = Child<QCheckBox>(page, "CheckBox_CRC_reverse_data");
    auto* refout = Child<QCheckBox>(page, "CheckBox_CRC_reverse_result");
    QCOMPARE(refin->text(), QStringLiteral("Reverse_Data"));
    QCOMPARE(refout->text(), QStringLiteral("Reverse_Result"));
    QVERIFY(refin->isChecked() && refout->isChecked());

    // The parameter boxes' labels.
    for (auto [box, caption] : {std::pair{"Edit_CRC_Polynom", "Polynom"},
                                std::pair{"Edit_CRC_Initial_value", "Initial Value"},
                                std::pair{"Edit_CRC_Final_XOR", "Final XOR"}}) {
        bool labelled = false;
        for (QLabel* l : page.findChildren<QLabel*>())
            labelled |= l->buddy() == Box(page, box) && l->text() == QLatin1String(caption);
        QVERIFY2(labelled, box);
    }

    auto* width = Child<QGroupBox>(page, "RadioGroup_CRC_08_16");
    QCOMPARE(width->title(), QStringLiteral("CRC_08_16"));
    QStringList widthItems;
    for (QRadioButton* b : width->findChildren<QRadioButton*>()) widthItems << b->text();
    QCOMPARE(widthItems, (QStringList{"CRC8", "CRC16"}));
    QVERIFY(Item(page, "RadioGroup_CRC_08_16", "CRC8")->isChecked());

    auto* quick = Child<QGroupBox>(page, "RadioGroup_CRC_Quick_Setting");
    QCOMPARE(quick->title(), QStringLiteral("CRC_Quick_Setting"));
    const auto items = quick->findChildren<QRadioButton*>();
    QCOMPARE(int(items.size()), kCrcPresetCount);
    for (int i = 0; i < kCrcPresetCount; ++i)
        QCOMPARE(items[i]->text(), QString::fromLatin1(kCrcPresets[size_t(i)].caption));
    QVERIFY(Item(page, "RadioGroup_CRC_Quick_Setting", "CRC-8/Logitech")->isChecked());

    // The two tabs below the presets, the reference table first.
    auto* tabs = Child<QTabWidget>(page, "PageControl_CRC");
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Reference table"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Find parameters"));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(Child<QPushButton>(page, "Button_CRC_fill_frames")->text(),
             QStringLiteral("Frames from field table"));
    QCOMPARE(Child<QPushButton>(page, "Button_CRC_search")->text(), QStringLiteral("Search"));
    QCOMPARE(Child<QSpinBox>(page, "SpinEdit_CRC_skip")->value(), 0);
    auto* widths = Child<QComboBox>(page, "ComboBox_CRC_search_width");
    QCOMPARE(widths->count(), 3);
    QCOMPARE(widths->currentText(), QStringLiteral("both"));
    // Each box of the find area is named for a screen reader by its label.
    for (auto [box, caption] :
         {std::pair{"Memo_CRC_frames", "Frames (one per line)"}, std::pair{"SpinEdit_CRC_skip", "Skip"},
          std::pair{"ComboBox_CRC_search_width", "Width"},
          std::pair{"ListBox_CRC_models", "Models (pick one to use it)"}}) {
        bool labelled = false;
        for (QLabel* l : page.findChildren<QLabel*>())
            labelled |= l->buddy() == Child<QWidget>(page, box) && l->text() == QLatin1String(caption);
        QVERIFY2(labelled, box);
    }
    QCOMPARE(Child<QPlainTextEdit>(page, "Memo_CRC_search_messages")->accessibleName(),
             QStringLiteral("Search messages"));
    QCOMPARE(Child<QScrollArea>(page, "CRC_reference_scroll")->accessibleName(),
             QStringLiteral("Reference table"));

    // Nothing sits in the calculator's place yet.
    QCOMPARE(page.CalculatorDock()->count(), 0);
    // The page fits the smallest window: what does not fit scrolls.
    QVERIFY(page.minimumSizeHint().width() <= kMinFormWidth);
    QVERIFY(page.minimumSizeHint().height() <= kMinFormHeight);
}

void CrcPageTest::referenceTableInAFixedPitchFont() {
    CrcPage page;
    const auto& labels = page.ReferenceLabels();
    QCOMPARE(labels[0]->text(), Wide(CrcReferenceHeader()));
    QVERIFY(labels[0]->text().startsWith(QStringLiteral("CRC name")));
    QVERIFY(labels[0]->text().contains(u'\t'));
    const std::vector<CrcReferenceRow> rows = CrcReferenceRows();
    for (size_t i = 0; i < rows.size(); ++i) QCOMPARE(labels[i + 1]->text(), Wide(rows[i].text));
    QVERIFY(labels[23]->text().startsWith(QStringLiteral("CRC-A ")));
    QVERIFY(labels[23]->text().endsWith(QStringLiteral("BB=>5AA6")));
    QVERIFY(labels[24]->text().startsWith(QStringLiteral("CRC-16/USB ")));
    for (QLabel* l : labels) {
        QCOMPARE(l->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(l->font().styleHint(), QFont::TypeWriter);
        QCOMPARE(l->textFormat(), Qt::PlainText);
        QCOMPARE(l->textInteractionFlags(), Qt::NoTextInteraction);
    }
}

void CrcPageTest::presetClickSetsTheControlsAndWritesTheExpression() {
    ShownPage s;
    CrcPage& page = s.page;
    QTest::mouseClick(Item(page, "RadioGroup_CRC_Quick_Setting", "CRC16/CCITT-FALSE"),
                      Qt::LeftButton);

    QCOMPARE(s.expressions, QStringList{"['&STR_VAR:xxx':CRC_16_FFFF_0000_1021_0_0(BB)]"});
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), QStringLiteral("F740"));
    QVERIFY(Item(page, "RadioGroup_CRC_08_16", "CRC16")->isChecked());
    QVERIFY(!Item(page, "RadioGroup_CRC_08_16", "CRC8")->isChecked());
    QCOMPARE(Box(page, "Edit_CRC_Polynom")->text(), QStringLiteral("$1021"));
    QCOMPARE(Box(page, "Edit_CRC_Initial_value")->text(), QStringLiteral("$FFFF"));
    QCOMPARE(Box(page, "Edit_CRC_Final_XOR")->text(), QStringLiteral("$0000"));
    QVERIFY(!Child<QCheckBox>(page, "CheckBox_CRC_reverse_data")->isChecked());
    QVERIFY(!Child<QCheckBox>(page, "CheckBox_CRC_reverse_result")->isChecked());

    // The lower-case digits of a preset reach the expression as they are.
    QTest::mouseClick(Item(page, "RadioGroup_CRC_Quick_Setting", "CRC-16/DNP"), Qt::LeftButton);
    QCOMPARE(s.expressions.last(),
             QStringLiteral("['&STR_VAR:xxx':CRC_16_0000_ffff_3d65_1_1(BB)]"));
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), QStringLiteral("67EC"));
    QVERIFY(Child<QCheckBox>(page, "CheckBox_CRC_reverse_data")->isChecked());
    QCOMPARE(page.model().quick_setting(), 13);
}

void CrcPageTest::typingDataWritesTheExpressionAndComputes() {
    ShownPage s;
    CrcPage& page = s.page;
    QLineEdit* data = Box(page, "Edit_CRC_original_String");
    data->selectAll();
    QTest::keyClicks(data, QStringLiteral("31 32"));
    // One expression per change of the box: "3", "31", "31 ", "31 3", "31 32".
    QCOMPARE(int(s.expressions.size()), 5);
    QCOMPARE(s.expressions.last(), QStringLiteral("['&STR_VAR:xxx':CRC_8_FF_00_1D_1_1(31 32)]"));
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), Crc8("3132", true));
    QCOMPARE(Wide(page.model().data_text()), QStringLiteral("31 32"));
}

void CrcPageTest::nonHexCharacterGoesToTheErrorDialogAndThePageCarriesOn() {
    DialogsScope scope;
    ShownPage s;
    CrcPage& page = s.page;
    QLineEdit* data = Box(page, "Edit_CRC_original_String");
    data->setFocus();
    data->end(false);
    QTest::keyClicks(data, QStringLiteral("G"));

    QCOMPARE(scope.dialogs.errors.size(), 1);
    QCOMPARE(scope.dialogs.errors[0].text, QStringLiteral("'$G' is not a valid integer value"));
    QCOMPARE(s.expressions.last(), QStringLiteral("['&STR_VAR:xxx':CRC_8_FF_00_1D_1_1(BBG)]"));
    QCOMPARE(data->text(), QStringLiteral("BBG"));  // the typed character stays
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), QStringLiteral("CRC_result"));

    // The button with the bad data fails the same way.
    QTest::mouseClick(Child<QPushButton>(page, "Button7"), Qt::LeftButton);
    QCOMPARE(scope.dialogs.errors.size(), 2);

    QTest::keyClick(data, Qt::Key_Backspace);
    QCOMPARE(scope.dialogs.errors.size(), 2);
    QCOMPARE(s.expressions.last(), QStringLiteral("['&STR_VAR:xxx':CRC_8_FF_00_1D_1_1(BB)]"));
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), QStringLiteral("BD"));
    QTest::mouseClick(Item(page, "RadioGroup_CRC_Quick_Setting", "CRC-16/XMODEM"), Qt::LeftButton);
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), QStringLiteral("16B0"));
    QCOMPARE(scope.dialogs.errors.size(), 2);
}

void CrcPageTest::changesByHandWaitForTheButton() {
    ShownPage s;
    CrcPage& page = s.page;
    QVERIFY(s.expressions.isEmpty());
    QTest::mouseClick(Child<QPushButton>(page, "Button7"), Qt::LeftButton);
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), QStringLiteral("BD"));
    QVERIFY(s.expressions.isEmpty());  // the button writes no expression

    QTest::mouseClick(Child<QCheckBox>(page, "CheckBox_CRC_reverse_data"), Qt::LeftButton);
    QVERIFY(!page.model().reverse_data());
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), QStringLiteral("BD"));
    QTest::mouseClick(Child<QPushButton>(page, "Button7"), Qt::LeftButton);
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), Crc8("BB", false));

    // Typed parameters and the width by hand reach the model without computing.
    QLineEdit* poly = Box(page, "Edit_CRC_Polynom");
    poly->selectAll();
    QTest::keyClicks(poly, QStringLiteral("$07"));
    QTest::mouseClick(Item(page, "RadioGroup_CRC_08_16", "CRC16"), Qt::LeftButton);
    QCOMPARE(Wide(page.model().polynom_text()), QStringLiteral("$07"));
    QVERIFY(page.model().width() == CrcWidth::Crc16);
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), Crc8("BB", false));
    QVERIFY(s.expressions.isEmpty());
}

void CrcPageTest::pageEntryDocksTheCalculatorPanelAtTheBottom() {
    ShownPage s;
    CrcPage& page = s.page;
    // The panel starts on another page, as Panel4 does on the main page.
    QWidget main;
    auto* mainLayout = new QVBoxLayout(&main);
    auto* panel4 = new QWidget;
    panel4->setObjectName(QStringLiteral("Panel4"));
    panel4->setMinimumHeight(60);
    mainLayout->addWidget(panel4);

    page.TabSheet_CRCEnter(panel4);
    QCOMPARE(panel4->parentWidget(), &page);
    QCOMPARE(page.CalculatorDock()->count(), 1);
    QCOMPARE(mainLayout->indexOf(panel4), -1);
    page.TabSheet_CRCEnter(panel4);  // entered again: stays once
    QCOMPARE(page.CalculatorDock()->count(), 1);

    // Below everything else on the page (the lowest part is the tabs of the
    // reference table and of "Find parameters").
    QCoreApplication::processEvents();
    page.layout()->activate();
    auto* tabs = Child<QTabWidget>(page, "PageControl_CRC");
    QVERIFY(tabs->mapTo(&page, QPoint(0, tabs->height())).y() <= panel4->y());

    // Back to the main page, as the window's MainEnter does.
    mainLayout->addWidget(panel4);
    QCOMPARE(page.CalculatorDock()->count(), 0);
}

// At 800 x 750 with the calculator panel docked: every control of the page
// is inside the page's visible part, above the panel, on either tab, and the
// page does not scroll. The reference table scrolls inside its own area to
// its last column and row, and the controls stay where they are meanwhile.
void CrcPageTest::everythingButTheReferenceRowsFitsTheDefaultWindow() {
    WindowRig rig;
    TForm1& f = rig.Window();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    test::Drain();  // the first activation selects "Main"
    QCOMPARE(f.size(), QSize(800, 750));
    CrcPage& page = f.crcPage();
    f.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentWidget(&page);
    QCoreApplication::processEvents();
    auto* panel4 = f.findChild<QWidget*>(QStringLiteral("Panel4"));
    QCOMPARE(panel4->parentWidget(), &page);

    auto* scroll = Child<QScrollArea>(page, "CRC_controls");
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    const QRect shown(scroll->viewport()->mapTo(&f, QPoint(0, 0)), scroll->viewport()->size());
    const int panelTop = panel4->mapTo(&f, QPoint(0, 0)).y();
    const auto fits = [&](const char* name) {
        auto* w = Child<QWidget>(page, name);
        const QRect r(w->mapTo(&f, QPoint(0, 0)), w->size());
        if (w->isVisible() && shown.contains(r) && r.bottom() < panelTop) return true;
        qWarning("%s at (%d,%d %dx%d) is outside (%d,%d %dx%d) or below %d", name, r.x(), r.y(),
                 r.width(), r.height(), shown.x(), shown.y(), shown.width(), shown.height(), panelTop);
        return false;
    };
    const char* const always[] = {
        "Edit_CRC_original_String", "Button7", "Edit_CRC_result", "RadioGroup_CRC_08_16",
        "Edit_CRC_Polynom", "Edit_CRC_Initial_value", "Edit_CRC_Final_XOR",
        "CheckBox_CRC_reverse_data", "CheckBox_CRC_reverse_result", "RadioGroup_CRC_Quick_Setting",
        "PageControl_CRC"};
    for (const char* name : always) QVERIFY2(fits(name), name);
    // The parameter boxes' labels too.
    for (QLabel* l : page.findChildren<QLabel*>()) {
        const QString buddy = l->buddy() ? l->buddy()->objectName() : QString();
        if (!buddy.startsWith(QStringLiteral("Edit_CRC_"))) continue;
        const QRect r(l->mapTo(&f, QPoint(0, 0)), l->size());
        QVERIFY2(l->isVisible() && shown.contains(r), qPrintable(l->text()));
    }
    // The result box shows "CRC_result" in full.
    QLineEdit* result = Box(page, "Edit_CRC_result");
    QVERIFY(result->width() >= result->fontMetrics().horizontalAdvance(result->text()) + 8);

    auto* tabs = Child<QTabWidget>(page, "PageControl_CRC");
    QVERIFY(fits("CRC_reference_scroll"));
    tabs->setCurrentIndex(1);
    QCoreApplication::processEvents();
    for (const char* name : {"Button_CRC_fill_frames", "SpinEdit_CRC_skip", "ComboBox_CRC_search_width",
                             "Button_CRC_search", "Memo_CRC_frames", "ListBox_CRC_models",
                             "Memo_CRC_search_messages"})
        QVERIFY2(fits(name), name);
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    // The fill button reads the window's field table (its two default fields).
    QTest::mouseClick(Child<QPushButton>(page, "Button_CRC_fill_frames"), Qt::LeftButton);
    QCOMPARE(Child<QPlainTextEdit>(page, "Memo_CRC_frames")->toPlainText(),
             QStringLiteral("1B 24 43 02 99 05\n11 22 33 44 55 66"));

    // The reference table: every column and row can be scrolled to, inside
    // its own area; the data box does not move.
    tabs->setCurrentIndex(0);
    QCoreApplication::processEvents();
    auto* reference = Child<QScrollArea>(page, "CRC_reference_scroll");
    const auto& labels = page.ReferenceLabels();
    const QPoint dataAt = Box(page, "Edit_CRC_original_String")->mapTo(&f, QPoint(0, 0));
    QScrollBar* across = reference->horizontalScrollBar();
    QScrollBar* down = reference->verticalScrollBar();
    for (QLabel* l : labels)
        QVERIFY(l->geometry().right() < across->maximum() + reference->viewport()->width());
    QVERIFY(labels.back()->geometry().bottom() < down->maximum() + reference->viewport()->height());
    across->setValue(across->maximum());
    down->setValue(down->maximum());
    QCoreApplication::processEvents();
    const QRect last = labels.back()->geometry().translated(reference->widget()->pos());
    QVERIFY(reference->viewport()->rect().contains(last.bottomRight()));
    QCOMPARE(Box(page, "Edit_CRC_original_String")->mapTo(&f, QPoint(0, 0)), dataAt);
    QVERIFY(rig.dialogs.errors.isEmpty());
}

namespace {

// Frames that end in their CRC-16/MODBUS, low byte first, of four lengths.
const char* const kModbusFrames[] = {"01 03 00 00 00 0A C5 CD", "01 06 00 01 00 03 98 0B",
                                     "11 10 00 01 00 02 04 00 0A 01 02 C6 F0", "01 03 02 00 2A 39 9B"};

void ClickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

}  // namespace

void CrcPageTest::findParametersFromTheFieldTableToAPickedModel() {
    DialogsScope scope;
    ShownPage s;
    CrcPage& page = s.page;
    FieldTable table;
    table.SetColCount(6);
    for (int i = 0; i < 4; ++i) {
        table.SetCell(i + 1, FieldTable::kNameRow, "F" + std::to_string(i + 1));
        table.SetCell(i + 1, FieldTable::kValueRow, kModbusFrames[i]);
    }
    table.SetCell(5, FieldTable::kValueRow, "99 99");  // no name: not taken
    page.SetFieldTable(&table);
    Child<QTabWidget>(page, "PageControl_CRC")->setCurrentIndex(1);

    QTest::mouseClick(Child<QPushButton>(page, "Button_CRC_fill_frames"), Qt::LeftButton);
    auto* frames = Child<QPlainTextEdit>(page, "Memo_CRC_frames");
    QCOMPARE(frames->toPlainText().split(u'\n').size(), 4);
    QCOMPARE(Wide(page.model().frames_text()), frames->toPlainText());
    QTest::mouseClick(Child<QPushButton>(page, "Button_CRC_search"), Qt::LeftButton);

    auto* list = Child<QListWidget>(page, "ListBox_CRC_models");
    QVERIFY(list->count() >= 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("CRC_16_FFFF_0000_8005_1_1 little CRC-16/MODBUS"));
    auto* messages = Child<QPlainTextEdit>(page, "Memo_CRC_search_messages");
    QCOMPARE(messages->toPlainText(), QString());  // four frames of four lengths: nothing to add
    QVERIFY(s.expressions.isEmpty());

    ClickRow(list, 0);
    QVERIFY(Item(page, "RadioGroup_CRC_08_16", "CRC16")->isChecked());
    QCOMPARE(Box(page, "Edit_CRC_Polynom")->text(), QStringLiteral("$8005"));
    QCOMPARE(Box(page, "Edit_CRC_Initial_value")->text(), QStringLiteral("$FFFF"));
    QCOMPARE(Box(page, "Edit_CRC_Final_XOR")->text(), QStringLiteral("$0000"));
    QVERIFY(Child<QCheckBox>(page, "CheckBox_CRC_reverse_data")->isChecked());
    QVERIFY(Child<QCheckBox>(page, "CheckBox_CRC_reverse_result")->isChecked());
    QVERIFY(Item(page, "RadioGroup_CRC_Quick_Setting", "CRC-16/MODBUS")->isChecked());
    QCOMPARE(Box(page, "Edit_CRC_original_String")->text(), QStringLiteral("01 03 00 00 00 0A"));
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), QStringLiteral("CDC5"));  // stored as C5 CD
    QCOMPARE(s.expressions,
             QStringList{"['&STR_VAR:xxx':CRC_16_FFFF_0000_8005_1_1(01 03 00 00 00 0A)]"});
    QVERIFY(messages->toPlainText().startsWith(QStringLiteral("picked CRC_16_FFFF_0000_8005_1_1: ")));

    // The width choice and the skip count reach the model: CRC-8 only, with
    // the first byte left out, finds no model in these frames.
    Child<QComboBox>(page, "ComboBox_CRC_search_width")->setCurrentIndex(0);
    Child<QSpinBox>(page, "SpinEdit_CRC_skip")->setValue(1);
    QVERIFY(page.model().search_widths() == CrcSearchWidths::Width8);
    QCOMPARE(page.model().skip(), size_t(1));
    QVERIFY(scope.dialogs.errors.isEmpty());
}

void CrcPageTest::badFramesAndNoFitAreShownOnThePage() {
    DialogsScope scope;
    ShownPage s;
    CrcPage& page = s.page;
    Child<QTabWidget>(page, "PageControl_CRC")->setCurrentIndex(1);
    auto* frames = Child<QPlainTextEdit>(page, "Memo_CRC_frames");
    auto* list = Child<QListWidget>(page, "ListBox_CRC_models");
    auto* messages = Child<QPlainTextEdit>(page, "Memo_CRC_search_messages");
    auto* search = Child<QPushButton>(page, "Button_CRC_search");

    // Typed frames: the second line is not hex.
    frames->setFocus();
    QTest::keyClicks(frames, QStringLiteral("01 03 00 00 00 0A C5 CD"));
    QTest::keyClick(frames, Qt::Key_Return);
    QTest::keyClicks(frames, QStringLiteral("01 06 0x"));
    QTest::mouseClick(search, Qt::LeftButton);
    QCOMPARE(list->count(), 0);
    QCOMPARE(messages->toPlainText(),
             QStringLiteral("frame 2 \"01 06 0x\" is not hex byte text such as \"1B 24 43 02 99 05\""));

    // Frames no CRC-8 or CRC-16 model fits.
    frames->setPlainText(QStringLiteral("01 02 03 04 05\n10 20 30 40 50 60 70\nAA BB CC DD EE FF 00 11 22\n"
                                        "DE AD BE EF CA FE BA BE 12 34 56"));
    QTest::mouseClick(search, Qt::LeftButton);
    QCOMPARE(list->count(), 0);
    QCOMPARE(messages->toPlainText(), QStringLiteral("no CRC-8 or CRC-16 model fits these frames"));
    QVERIFY(scope.dialogs.errors.isEmpty());  // on the page, not in a box
}

}  // namespace orvane::ui

QObject* MakeCrcPageTest() { return new orvane::ui::CrcPageTest; }

#include "crc_page_test.moc"
