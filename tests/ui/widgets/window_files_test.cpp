// The window's files and looks without a window: section "Styles" of the
// settings file, the memo file, the named styles and the shipped help pages.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include "platform/ini_file.h"
#include "ui/memo_file.h"
#include "ui/style_manager.h"
#include "ui/window_settings.h"

namespace orvane::ui {

class WindowFilesTest : public QObject {
    Q_OBJECT

private slots:
    void readSettings_data();
    void readSettings();
    void writeSettingsRoundTrip();
    void splitLines_data();
    void splitLines();
    void decodeText_data();
    void decodeText();
    void memoFileRoundTrip();
    void memoFileMissingAndUnreadable();
    void styleNames();
    void styleSwitchChangesPaletteAndBack();
    void helpPagesLinkToEachOther();
};

// --- settings -----------------------------------------------------------------

void WindowFilesTest::readSettings_data() {
    QTest::addColumn<QString>("section");  // the file's text
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("sayEquation");
    QTest::addColumn<bool>("sayAnsower");
    QTest::addColumn<QString>("style");

    QTest::newRow("no file") << "" << 800 << 750 << 0 << 0 << false << true << "";
    QTest::newRow("other section only") << "[Table]\n1-0=x\n" << 800 << 750 << 0 << 0 << false << true << "";
    QTest::newRow("below minimums")
        << "[Styles]\nForm Width=640\nForm Height=599\n" << 800 << 600 << 0 << 0 << false << true << "";
    QTest::newRow("at minimums") << "[Styles]\nForm Width=800\nForm Height=600\n" << 800 << 600 << 0 << 0
                                 << false << true << "";
    QTest::newRow("just above")
        << "[styles]\nform width=801\nFORM HEIGHT=601\n" << 801 << 601 << 0 << 0 << false << true << "";
    QTest::newRow("hexadecimal") << "[Styles]\nForm Width=0x400\nForm Height=$300\nForm Left=0X10\n"
                                 << 1024 << 768 << 16 << 0 << false << true << "";
    QTest::newRow("garbage numbers")
        << "[Styles]\nForm Width=wide\nForm Height=12px\nForm Left=\nForm Top=--3\nSay Ansower=yes\n"
        << 800 << 750 << 0 << 0 << false << true << "";
    QTest::newRow("beyond 32 bits is no integer")
        << "[Styles]\nForm Width=99999999999\nForm Top=-99999999999\n" << 800 << 750 << 0 << 0 << false
        << true << "";
    QTest::newRow("huge but 32-bit")
        << "[Styles]\nForm Width=2147483647\nForm Height=40000\nForm Left=-2147483648\nForm Top=70000\n"
        << 32767 << 32767 << -32768 << 32767 << false << true << "";
    QTest::newRow("position as read, even off-screen")
        << "[Styles]\nForm Left=-50\nForm Top=5000\n" << 800 << 750 << -50 << 5000 << false << true << "";
    QTest::newRow("Booleans: any integer but 0")
        << "[Styles]\nSay Equation=2\nSay Ansower=0\n" << 800 << 750 << 0 << 0 << true << false << "";
    QTest::newRow("style name, quotes and blanks dropped")
        << "[Styles]\nStyle Name = \"Carbon\" \n" << 800 << 750 << 0 << 0 << false << true << "Carbon";
    QTest::newRow("first key wins") << "[Styles]\nForm Width=900\nForm Width=1000\n" << 900 << 750 << 0 << 0
                                    << false << true << "";
    QTest::newRow("binary garbage") << QString::fromLatin1("\x01\xff[Sty\x00les\n=\n[[\n", 14) << 800 << 750
                                    << 0 << 0 << false << true << "";
}

void WindowFilesTest::readSettings() {
    QFETCH(QString, section);
    const WindowSettings s = ReadWindowSettings(platform::IniDocument(section.toStdString()));
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(bool, sayEquation);
    QFETCH(bool, sayAnsower);
    QFETCH(QString, style);
    QCOMPARE(s.width, width);
    QCOMPARE(s.height, height);
    QCOMPARE(s.left, left);
    QCOMPARE(s.top, top);
    QCOMPARE(s.sayEquation, sayEquation);
    QCOMPARE(s.sayAnsower, sayAnsower);
    QCOMPARE(QString::fromStdString(s.styleName), style);
}

void WindowFilesTest::writeSettingsRoundTrip() {
    // An empty style name is not written; other keys and sections stay.
    platform::IniDocument ini(std::string("[Table]\n1-0=Field_A\n[Styles]\nOwn Key=kept\n"));
    WindowSettings s;
    s.width = 1024;
    s.height = 600;
    s.left = -10;
    s.top = 20;
    s.sayEquation = true;
    s.sayAnsower = false;
    WriteWindowSettings(ini, s);
    std::string_view value;
    QVERIFY(!ini.Find(kStylesSection, "Style Name", value));
    QVERIFY(ini.Find(kStylesSection, "Own Key", value));
    QVERIFY(ini.Find("Table", "1-0", value));
    QVERIFY(ini.Find(kStylesSection, "Say Equation", value));
    QCOMPARE(std::string(value), std::string("1"));
    QVERIFY(ini.Find(kStylesSection, "Form Width", value));
    QCOMPARE(std::string(value), std::string("1024"));

    s.styleName = "Luna";
    WriteWindowSettings(ini, s);
    const WindowSettings back = ReadWindowSettings(ini);
    QCOMPARE(back.styleName, std::string("Luna"));
    QCOMPARE(back.width, 1024);
    QCOMPARE(back.height, 600);
    QCOMPARE(back.left, -10);
    QCOMPARE(back.top, 20);
    QCOMPARE(back.sayEquation, true);
    QCOMPARE(back.sayAnsower, false);
}

// --- memo file ------------------------------------------------------------------

void WindowFilesTest::splitLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("one line, no break") << "a" << QStringList{"a"};
    QTest::newRow("trailing break adds no line") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("CR LF, LF and lone CR") << "a\r\nb\nc\rd" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("empty last line kept") << "a\n\n" << QStringList{"a", ""};
    QTest::newRow("only a break") << "\r\n" << QStringList{""};
}

void WindowFilesTest::splitLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(SplitTextLines(text), lines);
}

void WindowFilesTest::decodeText_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("UTF-8") << QByteArray("x=\xc3\xa9") << QString::fromUtf8("x=\xc3\xa9");
    QTest::newRow("UTF-8 with mark") << QByteArray("\xef\xbb\xbf" "ab") << QStringLiteral("ab");
    QTest::newRow("UTF-16 LE with mark") << QByteArray("\xff\xfe" "a\0b\0", 6) << QStringLiteral("ab");
    QTest::newRow("UTF-16 BE with mark") << QByteArray("\xfe\xff\0a\0b", 6) << QStringLiteral("ab");
    QTest::newRow("not UTF-8: each stray byte as its escape")
        << QByteArray("caf\xe9 \x80") << (QStringLiteral("caf") + QChar(0xDCE9) + u' ' + QChar(0xDC80));
}

void WindowFilesTest::decodeText() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeTextFile(bytes), text);
}

void WindowFilesTest::memoFileRoundTrip() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("orvane.txt"));
    const QStringList initial = InitialMemoLines();
    QCOMPARE(initial.size(), 37);
    QCOMPARE(initial.first(), QStringLiteral("ABS(-123)"));
    QCOMPARE(initial.at(17), QStringLiteral("MIN(1,2,3) "));
    QCOMPARE(initial.last(), QString());

    QVERIFY(SaveMemoLines(path, initial));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("ABS(-123)\nINT(1.6)\n"));
    QVERIFY(bytes.endsWith("-1E-1-1E-1\n\n"));
    file.close();

    QStringList back;
    QVERIFY(LoadMemoLines(path, back));
    QCOMPARE(back, initial);

    // A non-ASCII line and a line break typed inside a line survive.
    const QStringList other{QString::fromUtf8("\xe7\xac\xac\xe4\xb8\x80"),
                            QStringLiteral("a") + QChar(QChar::LineSeparator) + QStringLiteral("b")};
    QVERIFY(SaveMemoLines(path, other));
    QVERIFY(LoadMemoLines(path, back));
    QCOMPARE(back, (QStringList{other.first(), "a", "b"}));
}

void WindowFilesTest::memoFileMissingAndUnreadable() {
    QTemporaryDir dir;
    QStringList lines{"kept"};
    QString error;
    QVERIFY(LoadMemoLines(dir.filePath(QStringLiteral("missing.txt")), lines, &error));
    QCOMPARE(lines, QStringList{"kept"});

    // A folder in place of the file cannot be read, nor replaced.
    const QString folder = dir.filePath(QStringLiteral("orvane.txt"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(!LoadMemoLines(folder, lines, &error));
    QVERIFY2(error.contains(folder), qPrintable(error));
    QCOMPARE(lines, QStringList{"kept"});
    QVERIFY(!SaveMemoLines(folder, lines, &error));
    QVERIFY2(error.startsWith(QStringLiteral("Cannot create file")), qPrintable(error));
    QVERIFY(QFileInfo(folder).isDir());
}

// --- styles -----------------------------------------------------------------------

void WindowFilesTest::styleNames() {
    const QStringList names = StyleManager::StyleNames();
    QCOMPARE(names.first(), QStringLiteral("Windows"));
    for (const char* name : {"Auric", "Carbon", "Light", "Luna", "Obsidian", "Silver"})
        QVERIFY2(names.contains(QLatin1String(name)), name);
    QStringList unique = names;
    QCOMPARE(unique.removeDuplicates(), 0);
    QVERIFY(!StyleManager::IsStyleName(QStringLiteral("carbon")));  // exact letters
}

void WindowFilesTest::styleSwitchChangesPaletteAndBack() {
    const QPalette original = QApplication::palette();
    StyleManager styles;
    // Every style looks different from the default and from the others.
    QSet<QString> windowColours{original.color(QPalette::Window).name()};
    for (const QString& name : StyleManager::StyleNames()) {
        if (name == QLatin1String(kDefaultStyleName)) continue;
        windowColours.insert(styles.PaletteOf(name).color(QPalette::Window).name() +
                             styles.PaletteOf(name).color(QPalette::Highlight).name());
    }
    QCOMPARE(windowColours.size(), StyleManager::StyleNames().size());

    QVERIFY(styles.SetStyle(QStringLiteral("Obsidian")));
    QCOMPARE(styles.ActiveStyle(), QStringLiteral("Obsidian"));
    QCOMPARE(QApplication::palette().color(QPalette::Window),
             styles.PaletteOf(QStringLiteral("Obsidian")).color(QPalette::Window));
    QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("fusion"));

    QVERIFY(!styles.SetStyle(QStringLiteral("NoSuchStyle")));
    QCOMPARE(styles.ActiveStyle(), QStringLiteral("Obsidian"));

    QVERIFY(styles.SetStyle(QStringLiteral("Windows")));
    QCOMPARE(QApplication::palette().color(QPalette::Window), original.color(QPalette::Window));
    QCOMPARE(QApplication::palette().color(QPalette::Highlight), original.color(QPalette::Highlight));
}

// --- help pages ---------------------------------------------------------------------

void WindowFilesTest::helpPagesLinkToEachOther() {
    const QDir help(QStringLiteral(ORVANE_HELP_SOURCE_DIR));
    for (const char* page : {"index.html", "Expression_Process.htm", "Smart_Format.htm"}) {
        QFile file(help.filePath(QLatin1String(page)));
        QVERIFY2(file.open(QIODevice::ReadOnly), page);
        const QString html = QString::fromUtf8(file.readAll());
        QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#:]+)\""));
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(help.exists(target), qPrintable(QLatin1String(page) + " -> " + target));
        }
    }
}

}  // namespace orvane::ui

QObject* MakeWindowFilesTest() { return new orvane::ui::WindowFilesTest; }

#include "window_files_test.moc"
