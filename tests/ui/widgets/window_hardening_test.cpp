// The window against what a hostile or unlucky environment does to it: keys
// typed the moment it shows and activations after dialogs, memo files in
// other encodings or with stray bytes, a flood of window messages
// and senders that never finish, an unusable runtime folder, and the
// termination signals of a logout.
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/socket_message_listener.h"
#include "platform/socket_message_sender.h"
#include "platform/socket_message_wire.h"
#include "tests/support/window_rig.h"
#include "ui/calculator_panel.h"
#include "ui/pages/browser_page.h"
#include "ui/pages/crc_page.h"
#include "ui/pages/main_page.h"
#include "ui/memo_file.h"
#include "ui/window_message_port.h"

namespace orvane::ui {

using test::Drain;
using test::IniValue;
using test::ReadFile;
using test::WriteFile;
using test::WindowRig;

namespace {

// UTF-16 LE bytes of `text`, without a mark.
QByteArray Utf16LE(const QString& text) {
    QByteArray out;
    for (QChar c : text) out += char(c.unicode() & 0xFF), out += char(c.unicode() >> 8);
    return out;
}

// The bytes of a string literal, NUL bytes included.
template <size_t N>
QByteArray Bytes(const char (&literal)[N]) {
    return QByteArray(literal, qsizetype(N - 1));
}

QString Zh() { return QString::fromUtf8("\xe4\xb8\xad\xe6\x96\x87"); }  // "中文"

// True when the peer has closed the connection.
bool Closed(int fd) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 0) <= 0) return false;
    char c;
    return recv(fd, &c, 1, MSG_DONTWAIT) <= 0;
}

}  // namespace

class WindowHardeningTest : public QObject {
    Q_OBJECT

private slots:
    void keysTypedRightAfterShowingReachTheExpressionBox();
    void laterActivationsKeepThePageAndTheFocus();
    void memoFileRoundTrip_data();
    void memoFileRoundTrip();
    void windowWritesTheMemoFileBackInItsForm();
    void messageFloodIsHandledOneAtATime();
    void silentSenderDoesNotFreezeTheWindow();
    void unusableRuntimeFolderIsAWarningNotARefusal_data();
    void unusableRuntimeFolderIsAWarningNotARefusal();
    void terminationSignalsCloseTheWindowWithItsSaves_data();
    void terminationSignalsCloseTheWindowWithItsSaves();
};

// --- memo file encodings ---------------------------------------------------------------

// Keys typed the moment the window shows reach the expression box: no page
// switch and no wait stand between the showing and the first activation.
void WindowHardeningTest::keysTypedRightAfterShowingReachTheExpressionBox() {
    WindowRig rig;
    TForm1& f = rig.Window();
    int browserVisits = 0;
    connect(f.PageControl1(), &QTabWidget::currentChanged, &f, [&](int index) {
        if (f.PageControl1()->widget(index) == &f.browserPage()) ++browserVisits;
    });
    f.show();
    QWindow* window = f.windowHandle();
    for (char c : std::string("6*7")) QTest::keyClick(window, c);
    QTest::keyClick(window, Qt::Key_Return);
    Drain();
    QCOMPARE(f.calculatorPanel().Edit_ans()->text(), QStringLiteral("42"));
    f.FormActivate();  // the first activation, where the platform gave none
    Drain();
    QCOMPARE(f.PageControl1()->currentWidget(), static_cast<QWidget*>(&f.mainPage()));
    QCOMPARE(browserVisits, 0);
}

// Activations after the first (a dialog or the about box closing) write the
// headings and the handle again, and keep the page and the focused control.
void WindowHardeningTest::laterActivationsKeepThePageAndTheFocus() {
    WindowRig rig;
    TForm1& f = rig.Window();
    f.show();
    Drain();
    f.FormActivate();
    QCOMPARE(f.PageControl1()->currentWidget(), static_cast<QWidget*>(&f.mainPage()));
    QCOMPARE(f.focusWidget(), static_cast<QWidget*>(f.calculatorPanel().ComboBoxExpression()));

    f.PageControl1()->setCurrentWidget(&f.crcPage());
    auto* box = f.crcPage().findChild<QLineEdit*>();
    QVERIFY(box);
    box->setFocus();
    f.StatusLine2Show(0, "typed");
    f.FormActivate();
    QCOMPARE(f.PageControl1()->currentWidget(), static_cast<QWidget*>(&f.crcPage()));
    QCOMPARE(f.focusWidget(), static_cast<QWidget*>(box));
    QCOMPARE(f.StatusPanelText(0), QStringLiteral("ASC()"));
    QVERIFY(f.StatusPanelText(4).startsWith(QStringLiteral("Handle:")));

    // A real dialog coming and going, where the platform activates windows.
    QDialog dialog(&f);
    dialog.show();
    if (QTest::qWaitForWindowActive(&dialog, 2000)) {
        dialog.close();
        if (QTest::qWaitForWindowActive(&f, 2000)) {
            Drain();
            QCOMPARE(f.PageControl1()->currentWidget(), static_cast<QWidget*>(&f.crcPage()));
            QCOMPARE(f.focusWidget(), static_cast<QWidget*>(box));
        }
    }
}

void WindowHardeningTest::memoFileRoundTrip_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("encoding");      // MemoFileFormat::Encoding
    QTest::addColumn<QStringList>("shown");  // the lines as the memo shows them
    QTest::addColumn<QByteArray>("changed");  // the file after line 1 became "y=中文" and "new" was added

    const QString gbk = QStringLiteral("x=") + QChar(0xDCD6) + QChar(0xDCD0) + QChar(0xDCCE) + QChar(0xDCC4);
    QTest::newRow("GBK bytes among ASCII lines")
        << QByteArray("1+1\nx=\xd6\xd0\xce\xc4\n2*3\n") << int(MemoFileFormat::Encoding::NotUtf8)
        << QStringList{"1+1", gbk, "2*3"}
        << QByteArray("1+1\ny=\xe4\xb8\xad\xe6\x96\x87\n2*3\nnew\n");
    QTest::newRow("one stray byte in a UTF-8 file")
        << QByteArray("a=\xe4\xb8\xad\xe6\x96\x87\nb\xff\nc\n") << int(MemoFileFormat::Encoding::NotUtf8)
        << QStringList{QStringLiteral("a=") + Zh(), QStringLiteral("b") + QChar(0xDCFF), "c"}
        << QByteArray("a=\xe4\xb8\xad\xe6\x96\x87\ny=\xe4\xb8\xad\xe6\x96\x87\nc\nnew\n");
    QTest::newRow("UTF-16 LE with mark and CR LF")
        << (QByteArray("\xff\xfe") + Utf16LE(QStringLiteral("1+1\r\n") + Zh() + QStringLiteral("\r\n2*3\r\n")))
        << int(MemoFileFormat::Encoding::Utf16LE) << QStringList{"1+1", Zh(), "2*3"}
        << (QByteArray("\xff\xfe") +
            Utf16LE(QStringLiteral("1+1\r\ny=") + Zh() + QStringLiteral("\r\n2*3\r\nnew\r\n")));
    QTest::newRow("UTF-8 with mark, CR LF, no final break")
        << QByteArray("\xef\xbb\xbf" "1+1\r\nx=\xe4\xb8\xad\r\n2*3") << int(MemoFileFormat::Encoding::Utf8)
        << QStringList{"1+1", QString::fromUtf8("x=\xe4\xb8\xad"), "2*3"}
        << QByteArray("\xef\xbb\xbf" "1+1\r\ny=\xe4\xb8\xad\xe6\x96\x87\r\n2*3\r\nnew\r\n");
    QTest::newRow("mixed line breaks, a paragraph separator and a NUL kept")
        << Bytes("1+1\r\nx\xe2\x80\xa9y\n\x00z\r2*3\n") << int(MemoFileFormat::Encoding::Utf8)
        << QStringList{"1+1", QStringLiteral("x") + QChar(0xDCE2) + QChar(0xDC80) + QChar(0xDCA9) + u'y',
                       QString(QChar(0)) + u'z', "2*3"}
        << Bytes("1+1\r\ny=\xe4\xb8\xad\xe6\x96\x87\r\n\x00z\r2*3\nnew\r\n");
}

void WindowHardeningTest::memoFileRoundTrip() {
    QFETCH(QByteArray, file);
    QFETCH(int, encoding);
    QFETCH(QStringList, shown);
    QFETCH(QByteArray, changed);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("orvane.txt"));
    WriteFile(path, file);

    QStringList lines;
    MemoFileFormat format;
    QVERIFY(LoadMemoLines(path, lines, nullptr, &format));
    QCOMPARE(int(format.encoding), encoding);
    QCOMPARE(lines, shown);

    // Unchanged: byte for byte.
    QVERIFY(SaveMemoLines(path, lines, nullptr, &format));
    QCOMPARE(ReadFile(path), file);

    // A changed line among unchanged ones, and a new line at the end.
    lines[1] = QStringLiteral("y=") + Zh();
    lines << QStringLiteral("new");
    QVERIFY(SaveMemoLines(path, lines, nullptr, &format));
    QCOMPARE(ReadFile(path), changed);

    // Read again, the file shows what was saved.
    QStringList again;
    QVERIFY(LoadMemoLines(path, again));
    QCOMPARE(again, lines);
}

// The window reads the memo file at start-up and writes it when it closes:
// a GBK line survives, and the statement typed meanwhile is added as UTF-8.
void WindowHardeningTest::windowWritesTheMemoFileBackInItsForm() {
    WindowRig w;
    const QByteArray original("ABS(-123)\r\nS:str=\xd6\xd0\xce\xc4\r\n");
    WriteFile(w.memo(), original);
    {
        TForm1 f(w.options);
        QVERIFY(f.close());
    }
    QCOMPARE(ReadFile(w.memo()), original);
    {
        TForm1 f(w.options);
        f.show();
        QLineEdit* box = f.findChild<QLineEdit*>(QStringLiteral("ComboBoxExpression"));
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("6*7"));
        QTest::keyClick(box, Qt::Key_Return);
        Drain();
        QVERIFY(f.close());
    }
    QCOMPARE(ReadFile(w.memo()), original + "6*7\r\n");
    QVERIFY(w.dialogs.errors.isEmpty());
}

// --- window messages -----------------------------------------------------------------------

// Hundreds of senders while the first message's box is open with its own
// event loop: the handler never runs inside itself, the others wait with
// their senders blocked, and all are handled once the box closes.
void WindowHardeningTest::messageFloodIsHandledOneAtATime() {
    WindowRig w;
    constexpr int kSenders = 300;
    constexpr platform::WindowHandle kHandle = 6161;
    int depth = 0, deepest = 0, handled = 0;
    std::atomic<int> returned{0};
    std::unique_ptr<WindowMessagePort> port;
    port = WindowMessagePort::Create(w.options.runtimeDir, kHandle, [&](const platform::WindowMessage&) {
        deepest = std::max(deepest, ++depth);
        if (++handled == 1) {
            // A modal box: its loop runs until the listener holds every sender
            // it takes at once.
            QEventLoop box;
            QTimer look;
            connect(&look, &QTimer::timeout, &box, [&] {
                if (port->listener().WaitingSenders() >= platform::SocketMessageListener::kMaxSenders)
                    box.quit();
            });
            look.start(5);
            box.exec();
            QCOMPARE(returned.load(), 0);
        }
        --depth;
    });
    QVERIFY(port);
    std::vector<std::thread> senders;
    for (int i = 0; i < kSenders; ++i)
        senders.emplace_back([&, i] {
            if (platform::SocketMessageSender(w.options.runtimeDir).Send(kHandle, {platform::WM_KOR_MESSAGE0, i, 0}))
                ++returned;
        });
    QTRY_COMPARE_WITH_TIMEOUT(returned.load(), kSenders, 60000);
    for (std::thread& t : senders) t.join();
    QCOMPARE(handled, kSenders);
    QCOMPARE(deepest, 1);
}

// A client that connects and sends nothing: the window's event loop keeps
// running (a timer keeps firing) until the client is dropped.
void WindowHardeningTest::silentSenderDoesNotFreezeTheWindow() {
    WindowRig w;
    constexpr platform::WindowHandle kHandle = 6262;
    int handled = 0;
    auto port = WindowMessagePort::Create(w.options.runtimeDir, kHandle,
                                          [&](const platform::WindowMessage&) { ++handled; });
    QVERIFY(port);
    sockaddr_un addr;
    platform::wire::FillAddress(platform::SocketMessageListener::SocketPath(w.options.runtimeDir, kHandle), addr);
    const int silent = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    QCOMPARE(::connect(silent, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0);

    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    QTRY_VERIFY_WITH_TIMEOUT(Closed(silent), 10000);
    // Dropped after its 2 s; the loop ran all along (about 200 ticks).
    QVERIFY2(ticks >= 20, qPrintable(QString::number(ticks)));
    QCOMPARE(handled, 0);
    close(silent);
}

// --- an unusable runtime folder ---------------------------------------------------------------

void WindowHardeningTest::unusableRuntimeFolderIsAWarningNotARefusal_data() {
    QTest::addColumn<QString>("spoil");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a plain file") << "file" << "not a folder";
    QTest::newRow("open to everybody") << "mode" << "writable by other users";
    QTest::newRow("another user's folder") << "owner" << "owned by another user";
}

void WindowHardeningTest::unusableRuntimeFolderIsAWarningNotARefusal() {
    QFETCH(QString, spoil);
    QFETCH(QString, reason);
    if (spoil == "owner" && geteuid() != 0) QSKIP("only root can give a folder to another user");
    WindowRig w;
    const QString dir = QString::fromStdString(w.options.runtimeDir);
    QVERIFY(QDir(dir).removeRecursively());
    if (spoil == "file") {
        WriteFile(dir, "squatted");
    } else {
        QVERIFY(QDir().mkdir(dir));
        if (spoil == "mode") QCOMPARE(chmod(qPrintable(dir), 0777), 0);
        if (spoil == "owner") QCOMPARE(chown(qPrintable(dir), 65534, 65534), 0);
    }
    {
        TForm1 f(w.options);
        QVERIFY(!f.Terminated());
        QCOMPARE(w.dialogs.boxes.size(), 1);
        QCOMPARE(w.dialogs.boxes[0].icon, MsgIcon::Warning);
        const QString text = w.dialogs.boxes[0].text;
        QVERIFY2(text.contains(dir + QStringLiteral(": ") + reason), qPrintable(text));
        QCOMPARE(f.windowTitle(), w.programPath() + QStringLiteral("    (Ver: ?.?.?.?) (?)"));
        QCOMPARE(f.instance_suffix(), QString());
        QVERIFY(f.session().MapFilePointer() == nullptr);
        // The calculator works as ever.
        QLineEdit* box = f.findChild<QLineEdit*>(QStringLiteral("ComboBoxExpression"));
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("1+2"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(f.findChild<QLineEdit*>(QStringLiteral("Edit_ans"))->text(), QStringLiteral("3"));
        QVERIFY(f.close());
    }
    QCOMPARE(w.dialogs.boxes.size(), 1);
    QVERIFY(w.dialogs.errors.isEmpty());
    QVERIFY(QFile::exists(w.memo()));
    chmod(qPrintable(dir), 0700);
    if (spoil == "owner") chown(qPrintable(dir), geteuid(), getegid());
}

// --- termination signals ---------------------------------------------------------------------

void WindowHardeningTest::terminationSignalsCloseTheWindowWithItsSaves_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

// The real program in a child process, its settings beside its copy in a
// folder of the test's own, its memo file in its working folder.
void WindowHardeningTest::terminationSignalsCloseTheWindowWithItsSaves() {
    QFETCH(int, signal);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("prog")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("xdg")));
    const QString program = dir.filePath(QStringLiteral("prog/orvane"));
    QVERIFY(QFile::copy(QStringLiteral(ORVANE_WINDOW_EXE), program));

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("xdg")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("ORVANE_SHARED_BLOCK_NAME"),
               QStringLiteral("orvane-signal-test-%1").arg(QCoreApplication::applicationPid()));
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(dir.path());
    child.setProgram(program);
    child.start();
    QVERIFY(child.waitForStarted());
    // Its message socket shows that the start-up is under way, with the
    // signals already caught.
    const QString socket = dir.filePath(QStringLiteral("xdg/orvane/kor-window-%1.sock").arg(child.processId()));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 20000);

    QCOMPARE(::kill(pid_t(child.processId()), signal), 0);
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);

    QStringList memo;
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("orvane.txt"))));
    QVERIFY(LoadMemoLines(dir.filePath(QStringLiteral("orvane.txt")), memo));
    QCOMPARE(memo, InitialMemoLines().mid(0, 36));
    const QString ini = dir.filePath(QStringLiteral("prog/orvane.ini"));
    QCOMPARE(IniValue(ini, "Styles", "Form Width"), std::string("800"));
    QCOMPARE(IniValue(ini, "Table", "1-0"), std::string("Field_A"));
    QVERIFY(!QFile::exists(socket));
}

}  // namespace orvane::ui

QObject* MakeWindowHardeningTest() { return new orvane::ui::WindowHardeningTest; }

#include "window_hardening_test.moc"
