// The CRC page on its own, driven through its controls: captions and the
// reference table, a preset click, typing data, a non-hexadecimal character
// that goes to the error dialog, and docking the calculator panel.
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

#include "engine/crc.h"
#include "tests/support/window_rig.h"
#include "ui/pages/crc_page.h"
#include "ui/wide_text.h"
#include "ui/window_settings.h"

namespace orvane::ui {

using test::DialogsScope;

namespace {

template <class W>
W* Find(CrcPage& page, const char* name) {
    W* w = page.findChild<W*>(QLatin1String(name));
    if (!w) qWarning("no control %s", name);
    return w;
}

QLineEdit* Box(CrcPage& page, const char* name) { return Find<QLineEdit>(page, name); }

QRadioButton* Item(CrcPage& page, const char* group, const QString& caption) {
    const auto items = Find<QGroupBox>(page, group)->findChildren<QRadioButton*>();
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
};

void CrcPageTest::controlsStartWithTheirCaptionsAndValues() {
    CrcPage page;
    QCOMPARE(page.objectName(), QStringLiteral("CRC"));
    QCOMPARE(Box(page, "Edit_CRC_original_String")->text(), QStringLiteral("BB"));
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), QStringLiteral("CRC_result"));
    QCOMPARE(Box(page, "Edit_CRC_Polynom")->text(), QStringLiteral("$1D"));
    QCOMPARE(Box(page, "Edit_CRC_Initial_value")->text(), QStringLiteral("$FF"));
    QCOMPARE(Box(page, "Edit_CRC_Final_XOR")->text(), QStringLiteral("$00"));
    QCOMPARE(Find<QPushButton>(page, "Button7")->text(), QStringLiteral("CRC Calc"));
    auto* refin = Find<QCheckBox>(page, "CheckBox_CRC_reverse_data");
    auto* refout = Find<QCheckBox>(page, "CheckBox_CRC_reverse_result");
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

    auto* width = Find<QGroupBox>(page, "RadioGroup_CRC_08_16");
    QCOMPARE(width->title(), QStringLiteral("CRC_08_16"));
    QStringList widthItems;
    for (QRadioButton* b : width->findChildren<QRadioButton*>()) widthItems << b->text();
    QCOMPARE(widthItems, (QStringList{"CRC8", "CRC16"}));
    QVERIFY(Item(page, "RadioGroup_CRC_08_16", "CRC8")->isChecked());

    auto* quick = Find<QGroupBox>(page, "RadioGroup_CRC_Quick_Setting");
    QCOMPARE(quick->title(), QStringLiteral("CRC_Quick_Setting"));
    const auto items = quick->findChildren<QRadioButton*>();
    QCOMPARE(int(items.size()), kCrcPresetCount);
    for (int i = 0; i < kCrcPresetCount; ++i)
        QCOMPARE(items[i]->text(), QString::fromLatin1(kCrcPresets[size_t(i)].caption));
    QVERIFY(Item(page, "RadioGroup_CRC_Quick_Setting", "CRC-8/Logitech")->isChecked());

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
    QVERIFY(!Find<QCheckBox>(page, "CheckBox_CRC_reverse_data")->isChecked());
    QVERIFY(!Find<QCheckBox>(page, "CheckBox_CRC_reverse_result")->isChecked());

    // The lower-case digits of a preset reach the expression as they are.
    QTest::mouseClick(Item(page, "RadioGroup_CRC_Quick_Setting", "CRC-16/DNP"), Qt::LeftButton);
    QCOMPARE(s.expressions.last(),
             QStringLiteral("['&STR_VAR:xxx':CRC_16_0000_ffff_3d65_1_1(BB)]"));
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), QStringLiteral("67EC"));
    QVERIFY(Find<QCheckBox>(page, "CheckBox_CRC_reverse_data")->isChecked());
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
    QTest::mouseClick(Find<QPushButton>(page, "Button7"), Qt::LeftButton);
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
    QTest::mouseClick(Find<QPushButton>(page, "Button7"), Qt::LeftButton);
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), QStringLiteral("BD"));
    QVERIFY(s.expressions.isEmpty());  // the button writes no expression

    QTest::mouseClick(Find<QCheckBox>(page, "CheckBox_CRC_reverse_data"), Qt::LeftButton);
    QVERIFY(!page.model().reverse_data());
    QCOMPARE(Box(page, "Edit_CRC_result")->text(), QStringLiteral("BD"));
    QTest::mouseClick(Find<QPushButton>(page, "Button7"), Qt::LeftButton);
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

    // Below everything else on the page.
    QCoreApplication::processEvents();
    page.layout()->activate();
    for (QLabel* l : page.ReferenceLabels())
        QVERIFY(l->mapTo(&page, QPoint(0, l->height())).y() <= panel4->y());

    // Back to the main page, as the window's MainEnter does.
    mainLayout->addWidget(panel4);
    QCOMPARE(page.CalculatorDock()->count(), 0);
}

}  // namespace orvane::ui

QObject* MakeCrcPageTest() { return new orvane::ui::CrcPageTest; }

#include "crc_page_test.moc"
