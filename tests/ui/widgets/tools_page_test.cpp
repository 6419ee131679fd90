// The tools page inside the window, driven through its controls: captions and
// initial texts, the cipher's round trip in the two logs, the length lines of
// the change handlers (once per change), the digests of a multi-line text and
// of a chosen file, the date lines under a fixed clock, GUIDs, and the system
// information from firmware fixtures.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextCursor>

#include <optional>

#include "tests/support/temp_dir.h"
#include "tests/support/window_rig.h"
#include "tests/tools/smbios_fixture.h"
#include "tools/aes_cipher.h"
#include "ui/pages/browser_page.h"
#include "ui/pages/tools_page.h"
#include "ui/wide_text.h"

namespace orvane::ui {

using test::WindowRig;

namespace {

QStringList Lines(const QPlainTextEdit* log) { return log->toPlainText().split(u'\n'); }

// What a log gains from the moment of construction on.
class LogTail {
public:
    explicit LogTail(const QPlainTextEdit* log) : m_log(log), m_start(Lines(log).size()) {}
    QStringList operator()() const { return Lines(m_log).mid(m_start); }

private:
    const QPlainTextEdit* m_log;
    qsizetype m_start;
};

QPushButton* Button(ToolsPage& page, const char* name) {
    auto* b = page.findChild<QPushButton*>(QLatin1String(name));
    if (!b) qWarning("no button %s", name);
    return b;
}

// Clicks a button and runs its handler (queued behind the click).
void Click(ToolsPage& page, const char* name) {
    Button(page, name)->click();
    test::Drain();
}

QPlainTextEdit* Memo1(WindowRig& rig) { return rig.Window().browserPage().Memo1(); }

// Sets ORVANE_SMBIOS_DIR for its lifetime.
class SmbiosDirScope {
public:
    explicit SmbiosDirScope(const std::string& dir) { qputenv("ORVANE_SMBIOS_DIR", dir.c_str()); }
    ~SmbiosDirScope() { qunsetenv("ORVANE_SMBIOS_DIR"); }
};

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/')); }

}  // namespace

class ToolsPageTest : public QObject {
    Q_OBJECT

private slots:
    void controlsCarryTheirCaptionsAndTexts();
    void encodeThenDecodeShowsTheRoundTrip();
    void lengthLinesOncePerChangeOrClick();
    void stringMd5OfAMultiLineText();
    void fileMd5ChosenCancelledAndMissing();
    void dateLinesUnderAFixedClock();
    void guidLines();
    void systemInformationFromFirmwareFiles();
};

void ToolsPageTest::controlsCarryTheirCaptionsAndTexts() {
    WindowRig rig;
    ToolsPage& page = rig.Window().toolsPage();
    QCOMPARE(page.objectName(), QStringLiteral("AES_HASH"));
    const std::pair<const char*, const char*> buttons[] = {
        {"Button_encode", "Button_encode"},   {"Button_decode", "Button_decode"},
        {"Button_String_MD5", "String_MD5"},  {"Button8", "FIle MD5"},
        {"Button_systeminfo", "PC Systeminfo UUID"}, {"Button_time", "Date_time"},
        {"Button9", "Run Datetime 3 times"},  {"Button_GUID", "GUID"}};
    for (auto [name, caption] : buttons) QCOMPARE(Button(page, name)->text(), QLatin1String(caption));

    for (auto [box, label] : {std::pair{page.ComboBox_Key(), "Key"}, std::pair{page.ComboBox_IV(), "IV"}}) {
        QCOMPARE(box->text(), QStringLiteral("1234567890123456"));
        bool labelled = false;
        for (QLabel* l : page.findChildren<QLabel*>()) labelled |= l->buddy() == box && l->text() == label;
        QVERIFY2(labelled, label);
    }
    QCOMPARE(page.ComboBox_DATA()->toPlainText(), QStringLiteral("1234567890123456"));
    QCOMPARE(page.ComboBox_DATA()->accessibleName(), QStringLiteral("DATA"));
    QCOMPARE(page.ComboBox_Encoded()->toPlainText(), QStringLiteral("ComboBox_Encoded"));
    QCOMPARE(page.ComboBox_Encoded()->accessibleName(), QStringLiteral("Encoded"));
    // The start-up's line stays below the initial text.
    QCOMPARE(Lines(page.Memo2()), (QStringList{"Memo2", "ini path & name: " + rig.ini()}));
}

void ToolsPageTest::encodeThenDecodeShowsTheRoundTrip() {
    WindowRig rig;
    ToolsPage& page = rig.Window().toolsPage();
    const QString placeholder = QStringLiteral("1234567890123456");
    const QString b64 = Wide(AesEncodeText(kToolsPlaceholder, kToolsPlaceholder, kToolsPlaceholder));
    {
        const LogTail memo1(Memo1(rig)), memo2(page.Memo2());
        Click(page, "Button_encode");
        QCOMPARE(memo1(), (QStringList{"-------", b64, "-------", "-------"}));
        QCOMPARE(memo2(), QStringList{"44"});  // once: the page's copy of the text is not a change
        QCOMPARE(page.ComboBox_Encoded()->toPlainText(), b64);
        Click(page, "Button_decode");
        QCOMPARE(memo2(), (QStringList{"44", "------original-", placeholder + QString(16, QChar(0x10)),
                                       "-----trimed--", placeholder, "-------"}));
    }

    // A multi-line text goes through as CR LF and comes back as lines of
    // the log; the blank ends go with the pad byte on the trimmed line.
    page.ComboBox_DATA()->setPlainText(QStringLiteral("  two\nlines \n"));
    const LogTail memo2(page.Memo2());
    Click(page, "Button_encode");
    Click(page, "Button_decode");
    QCOMPARE(memo2(), (QStringList{"24", "------original-", "  two", "lines ", QString(QChar(0x01)),
                                   "-----trimed--", "two", "lines", "-------"}));
}

void ToolsPageTest::lengthLinesOncePerChangeOrClick() {
    WindowRig rig;
    ToolsPage& page = rig.Window().toolsPage();
    const LogTail memo1(Memo1(rig)), memo2(page.Memo2());

    page.ComboBox_DATA()->moveCursor(QTextCursor::End);
    QTest::keyClicks(page.ComboBox_DATA(), QStringLiteral("ab"));
    QTest::keyClick(page.ComboBox_DATA(), Qt::Key_Return);  // a line break counts 2
    page.ComboBox_Encoded()->setPlainText(QStringLiteral("QUJD"));
    QTest::mouseClick(page.ComboBox_DATA()->viewport(), Qt::LeftButton);
    QCOMPARE(memo2(), (QStringList{"17", "18", "20", "4", "20"}));

    // Key and IV write theirs to Memo1.
    QTest::keyClick(page.ComboBox_Key(), Qt::Key_Backspace);
    page.ComboBox_IV()->setText(QString());
    QTest::mouseClick(page.ComboBox_IV(), Qt::LeftButton);
    QCOMPARE(memo1(), (QStringList{"15", "0", "0"}));
    QCOMPARE(memo2().size(), 5);
    QCOMPARE(page.model().Text(ToolsBox::Key), std::string("123456789012345"));
    QCOMPARE(page.model().Text(ToolsBox::DATA), std::string("1234567890123456ab\r\n"));
}

void ToolsPageTest::stringMd5OfAMultiLineText() {
    WindowRig rig;
    ToolsPage& page = rig.Window().toolsPage();
    const LogTail memo2(page.Memo2());
    page.ComboBox_DATA()->setPlainText(QStringLiteral("abc\ndef"));
    Click(page, "Button_String_MD5");
    // A non-breaking space stays one (the box's plain-text form would make
    // it a space).
    page.ComboBox_DATA()->setPlainText(QStringLiteral("a\u00A0b\nc"));
    Click(page, "Button_String_MD5");
    QCOMPARE(memo2(), (QStringList{"8", "MD5: EF48AEB68D58E89D00B438129A28326B",  // "abc\r\ndef"
                                   "6", "MD5: 883947BF800C129639C6E36C4CD4271F"}));  // "a\xC2\xA0b\r\nc"
}

void ToolsPageTest::fileMd5ChosenCancelledAndMissing() {
    WindowRig rig;
    ToolsPage& page = rig.Window().toolsPage();
    orvane::test::TempDir dir;
    orvane::test::WriteBytes(dir.File("abc.bin"), "abc");
    struct Row {
        const char* what;
        QString chosen;
        QStringList lines;
        std::optional<QString> box;
    };
    const Row rows[] = {
        {"chosen", Wide(dir.File("abc.bin")), {"MD5: 900150983CD24FB0D6963F7D28E17F72"}, std::nullopt},
        {"cancelled", QString(), {}, std::nullopt},
        {"missing", Wide(dir.File("gone.bin")), {}, QStringLiteral("File not Exist")},
    };
    for (const Row& row : rows) {
        rig.dialogs.boxes.clear();
        rig.dialogs.fileDialogs.clear();
        rig.dialogs.chosenFile = row.chosen;
        const LogTail memo2(page.Memo2());
        Click(page, "Button8");
        QVERIFY2(rig.dialogs.fileDialogs.size() == 1, row.what);
        QVERIFY2(rig.dialogs.fileDialogs[0].filter.isEmpty(), row.what);  // no file-type filters
        QVERIFY2(memo2() == row.lines, row.what);
        QVERIFY2(rig.dialogs.boxes.size() == (row.box ? 1 : 0), row.what);
        if (row.box) {
            QCOMPARE(rig.dialogs.boxes[0].text, *row.box);
            QCOMPARE(rig.dialogs.boxes[0].icon, MsgIcon::Error);
        }
    }
}

void ToolsPageTest::dateLinesUnderAFixedClock() {
    WindowRig rig;
    rig.options.clock = [] { return LocalDateTime{2024, 1, 2, 9, 5, 3, 7}; };
    ToolsPage& page = rig.Window().toolsPage();
    const QStringList block = {"45293.3785070255",
                               "2024/01/02 09:05:03",
                               "ddd d of mmm yyyy Tue 2 of Jan 2024",
                               "yyyy-mm-dd hh:nn:ss.zzz 2024-01-02 09:05:03.007",
                               "1899, 12,30, 0, 0, 0sec, 0 =0.000000000000000",
                               "1899, 12,30, 0, 0, 1sec, 0 =0.000011574074074",
                               "1899, 12,30, 0, 0, 2sec, 0 =0.000023148148148"};
    const LogTail memo2(page.Memo2());
    Click(page, "Button_time");
    QCOMPARE(memo2(), block);
    Click(page, "Button9");
    QCOMPARE(memo2(), block + block + block + block);
}

void ToolsPageTest::guidLines() {
    WindowRig rig;
    ToolsPage& page = rig.Window().toolsPage();
    const LogTail memo2(page.Memo2());
    Click(page, "Button_GUID");
    Click(page, "Button_GUID");
    const QStringList lines = memo2();
    QCOMPARE(lines.size(), 2);
    const QRegularExpression form(
        QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
    for (const QString& line : lines) QVERIFY2(form.match(line).hasMatch(), qPrintable(line));
    QVERIFY(lines[0] != lines[1]);
}

void ToolsPageTest::systemInformationFromFirmwareFiles() {
    using namespace orvane::test;
    const Firmware full(Table(), EntryPoint2(2, 4));
    // A table without a System Information structure.
    Bytes noSysInfo = Structure(0, 0x0000, {1, 2, 0, 0}, {"BIOS Vendor", "v2.1"});
    const Bytes end = Structure(127, 0xFEFF, {}, {});
    noSysInfo.insert(noSysInfo.end(), end.begin(), end.end());
    const Firmware partial(noSysInfo, EntryPoint2(2, 4));
    const TempDir empty;

    struct Row {
        const char* what;
        std::string dir;
        QStringList lines;
    };
    const QStringList labelsOnly = {"System Information", "Manufacter    ", "Product Name  ",
                                    "Version       ", "Serial Number "};
    const Row rows[] = {
        {"full", FolderOf(full.paths.table),
         {"System Information", "Manufacter    Acme Corp", "Product Name  Widget 9",
          "Version       1.0", "Serial Number ", "UUID          33221100554477668899AABBCCDDEEFF",
          "UUID          00112233-4455-6677-8899-AABBCCDDEEFF", "SKU Number    SKU-7",
          "Family        Bench", ""}},
        {"no system information", FolderOf(partial.paths.table),
         labelsOnly + QStringList{"ESmbiosError: No System Information structure in the SMBIOS table"}},
        // As in a container, where the firmware files are missing.
        {"no files", empty.path(),
         {Wide("EFOpenError: Cannot open file \"" + empty.path() +
               "/smbios_entry_point\". No such file or directory")}},
    };
    for (const Row& row : rows) {
        const SmbiosDirScope scope(row.dir);
        WindowRig rig;
        ToolsPage& page = rig.Window().toolsPage();
        const LogTail memo2(page.Memo2());
        Click(page, "Button_systeminfo");
        QVERIFY2(memo2() == row.lines, row.what);
    }
}

}  // namespace orvane::ui

QObject* MakeToolsPageTest() { return new orvane::ui::ToolsPageTest; }

#include "tools_page_test.moc"
