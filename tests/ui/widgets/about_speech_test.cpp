// The about box and the speech output in the window: the box's texts, the
// update check against a server on 127.0.0.1 (reached through
// ORVANE_UPDATE_BASE), the download offer, Help > About, and the voice
// submenu and speech after an answer with a fake speech engine.
#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <memory>

#include "about/about_box_texts.h"
#include "about/about_links.h"
#include "tests/support/local_http_server.h"
#include "tests/support/qt_event_loop.h"
#include "tests/support/window_rig.h"
#include "ui/about_box.h"
#include "ui/about_module.h"
#include "ui/calculator_panel.h"
#include "ui/install_layout.h"
#include "ui/speech_menu.h"
#include "ui/wide_text.h"

namespace orvane::ui {

using test::Drain;
using test::FindAction;
using test::WindowRig;
using HttpServer = orvane::test::LocalHttpServer;

namespace {

constexpr const char* kDocument = "/NAS_file_Share/orvane/index.json";
const QString kVersion = QStringLiteral(ORVANE_EXPECTED_VERSION);

std::string Document(const QString& fileName, const QString& version) {
    return "{\"file_name\":\"" + Narrow(fileName) + "\",\"version\":\"" + Narrow(version) +
           "\",\"website\":\"http://w.test/\"}";
}

// Sets ORVANE_UPDATE_BASE for a test's lifetime.
struct UpdateBase {
    explicit UpdateBase(const std::string& base) { qputenv("ORVANE_UPDATE_BASE", QByteArray::fromStdString(base)); }
    ~UpdateBase() { qunsetenv("ORVANE_UPDATE_BASE"); }
};

// A rig whose program file is the real window program (a link to it), so
// the box shows a real version and date.
void UseRealProgram(WindowRig& rig) {
    QVERIFY(QFile::link(QStringLiteral(ORVANE_WINDOW_EXE), rig.programPath()));
}

// Shows `box` and waits until its update check has answered.
bool ShowAndCheck(TAboutBox& box) {
    box.show();
    box.activateWindow();
    // The activation starts the check; where the platform gives no
    // activation the test starts it as the activation would.
    if (!QTest::qWaitForWindowActive(&box, 2000)) box.FormActivate();
    return orvane::test::RunUntil([&] { return !box.checking(); }, 15000);
}

QStringList Captions(QMenu* menu) {
    QStringList captions;
    for (QAction* a : menu->actions()) captions << a->text();
    return captions;
}

}  // namespace

class AboutSpeechTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void hiddenBoxAtStartUpSetsTheProgramNames();
    void boxShowsTheProgramFile();
    void updateCheckShowsTheAnswer();
    void boxStaysUsableWhileTheServerIsSilent();
    void downloadAnsweredNoWritesNothing();
    void downloadAnsweredYesWritesAndOpensTheFile();
    void downloadOfTheProgramsOwnFileIsRefused();
    void helpAboutShowsAFreshModalBox();
    void linksOpenTheMakersPages();
    void installedProgramFindsItsHelpPages();

    void voiceSubmenuListsEveryVoice();
    void noVoiceGivesOneDisabledItem();
    void choosingAVoiceSpeaksASample();
    void answersAreSpokenAndFailuresReportedOnce();
};

void AboutSpeechTest::init() {
    OrvaneApplication::instance()->setTitle(QString::fromLatin1(OrvaneApplication::kInitialTitle));
}

// --- about box --------------------------------------------------------------------------

void AboutSpeechTest::hiddenBoxAtStartUpSetsTheProgramNames() {
    UpdateBase base("http://updates.test/");
    WindowRig rig;
    TForm1& f = rig.Window();
    TAboutBox* hidden = f.about().hiddenBox();
    QVERIFY(hidden);
    QVERIFY(!hidden->isVisible());
    QCOMPARE(hidden->windowTitle(), QStringLiteral("About  (1)Orvane"));
    const AboutSession& s = f.about().session();
    QCOMPARE(s.file_name, std::string("orvane"));
    QCOMPARE(s.app_name, std::string("orvane"));
    QCOMPARE(s.Source_DIR, std::string("http://updates.test/NAS_file_Share/orvane/"));
    QCOMPARE(s.version_Str, std::string("?.?.?.?"));  // the rig's program file does not exist
    QVERIFY(!hidden->checking());                      // never activated, never checked
}

void AboutSpeechTest::boxShowsTheProgramFile() {
    WindowRig rig;
    UseRealProgram(rig);
    TForm1& f = rig.Window();
    std::unique_ptr<TAboutBox> box = f.about().CreateBox();

    QCOMPARE(box->windowTitle(), QStringLiteral("About  (1)Orvane"));
    QCOMPARE(box->Label1()->text(), QStringLiteral("orvane"));
    QCOMPARE(box->ProgramName()->text(), rig.programPath());
    QCOMPARE(box->Label_Ver()->text(), QStringLiteral("Ver: ") + kVersion);
    // The C locale's short date and long time.
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2}$"))
                 .match(box->UpdateDate()->text())
                 .hasMatch(),
             qPrintable(box->UpdateDate()->text()));
    QCOMPARE(box->UpdateDate()->text(), Wide(FileDateText(Narrow(rig.programPath()))));
    QCOMPARE(box->CompanyLabel()->text(), QString::fromLatin1(kCompanyName));
    QCOMPARE(box->Label1()->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QCOMPARE(box->ProgramName()->palette().color(QPalette::WindowText), QColor(0, 0x80, 0));
    QCOMPARE(box->CompanyLabel()->palette().color(QPalette::WindowText), QColor(0xe0, 0, 0));
    QVERIFY(box->Label1()->font().pointSize() > box->ProgramName()->font().pointSize());
    QVERIFY(!box->ProgramIcon()->pixmap().isNull());
    QCOMPARE(box->SpeedButton1()->text(), QStringLiteral("On line Info"));
    QCOMPARE(box->OKButton()->text(), QStringLiteral("OK"));
    QVERIFY(box->OKButton()->isDefault());
    QVERIFY(!box->SpeedButton1()->autoDefault());
    QVERIFY(box->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(box->layout()->sizeConstraint(), QLayout::SetFixedSize);
    // The running version is the window's caption's.
    QCOMPARE(f.about().session().version_Str, Narrow(kVersion));

    // OK and Escape close the box.
    box->show();
    QTest::mouseClick(box->OKButton(), Qt::LeftButton);
    QVERIFY(!box->isVisible());
    QCOMPARE(box->result(), int(QDialog::Accepted));
    box->show();
    QTest::keyClick(box.get(), Qt::Key_Escape);
    QVERIFY(!box->isVisible());
}

void AboutSpeechTest::updateCheckShowsTheAnswer() {
    HttpServer server;
    UpdateBase base(server.Base());
    WindowRig rig;
    UseRealProgram(rig);
    TForm1& f = rig.Window();

    struct Row {
        const char* name;
        std::string document;  // empty: not on the server (404)
        QString button;
        QString versionHint;
    } rows[] = {
        {"equal", Document(QStringLiteral("orvane-new.zip"), kVersion),
         QStringLiteral("version up-to-date (") + kVersion + u')',
         QStringLiteral("Version:  ") + kVersion + QStringLiteral("\navailable online\nClick to Download")},
        {"different", Document(QStringLiteral("orvane-new.zip"), QStringLiteral("99.0.0.1")),
         QStringLiteral("Different Version:  99.0.0.1\navailable online"),
         QStringLiteral("Version:  99.0.0.1\navailable online\nClick to Download")},
        // The hints of the last success stay; the button says it.
        {"not there", "", QStringLiteral("Web site upgrade not available."),
         QStringLiteral("Version:  99.0.0.1\navailable online\nClick to Download")},
    };
    for (const Row& r : rows) {
        if (r.document.empty())
            server.Route(kDocument, HttpServer::Reply{404, "Not Found", "text/plain", "no"});
        else
            server.Json(kDocument, r.document);
        // A fresh box for each showing; the module keeps the values read.
        std::unique_ptr<TAboutBox> box = f.about().CreateBox();
        QVERIFY2(ShowAndCheck(*box), r.name);
        QCOMPARE(box->SpeedButton1()->text(), r.button);
        if (!r.document.empty()) {
            QCOMPARE(box->Label_Ver()->toolTip(), r.versionHint);
            QCOMPARE(box->CompanyLabel()->toolTip(), QStringLiteral("http://w.test/"));
            QCOMPARE(f.about().session().file_name, std::string("orvane-new.zip"));
        }
    }
    QCOMPARE(server.Requests(), (std::vector<std::string>{kDocument, kDocument, kDocument}));

    // Coming back to the box from another window checks again.
    server.Json(kDocument, Document(QStringLiteral("orvane-new.zip"), kVersion));
    std::unique_ptr<TAboutBox> box = f.about().CreateBox();
    QVERIFY(ShowAndCheck(*box));
    f.show();
    f.activateWindow();
    if (!QTest::qWaitForWindowActive(&f, 2000)) QSKIP("this platform gives no window activation");
    box->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(box.get(), 2000));
    QVERIFY(orvane::test::RunUntil([&] { return server.Requests().size() == 5 && !box->checking(); }));
    QCOMPARE(box->SpeedButton1()->text(), QStringLiteral("version up-to-date (") + kVersion + u')');
}

void AboutSpeechTest::boxStaysUsableWhileTheServerIsSilent() {
    HttpServer server;
    server.Route(kDocument, HttpServer::Silent());
    UpdateBase base(server.Base());
    WindowRig rig;
    TForm1& f = rig.Window();
    auto box = f.about().CreateBox();
    box->show();
    box->FormActivate();
    QVERIFY(orvane::test::RunUntil([&] { return !server.Requests().empty(); }));
    QVERIFY(box->checking());
    QCOMPARE(box->SpeedButton1()->text(), QStringLiteral("On line Info"));
    // Another activation while it waits asks nothing more.
    box->FormActivate();
    Drain();
    QCOMPARE(server.Requests().size(), size_t(1));
    // The box answers its buttons meanwhile; closing it ends the check.
    QTest::mouseClick(box->OKButton(), Qt::LeftButton);
    QVERIFY(!box->isVisible());
    box.reset();
    Drain();
}

void AboutSpeechTest::downloadAnsweredNoWritesNothing() {
    HttpServer server;
    server.Json(kDocument, Document(QStringLiteral("orvane-new.zip"), QStringLiteral("99.0.0.1")));
    server.Route("/NAS_file_Share/orvane/orvane-new.zip", HttpServer::Bytes("PK"));
    UpdateBase base(server.Base());
    WindowRig rig;
    TForm1& f = rig.Window();
    auto box = f.about().CreateBox();
    QVERIFY(ShowAndCheck(*box));

    for (Dialogs::Answer answer : {Dialogs::Answer::No, Dialogs::Answer::Cancel}) {
        rig.dialogs.answer = answer;
        QTest::mouseClick(box->SpeedButton1(), Qt::LeftButton);
        Drain();
    }
    QCOMPARE(rig.dialogs.questions.size(), 2);
    QCOMPARE(rig.dialogs.questions[0].title, QStringLiteral("Confirm"));
    QCOMPARE(rig.dialogs.questions[0].text,
             QStringLiteral("File: orvane-new.zip\nVersion: 99.0.0.1\ndownload online?"));
    Drain();
    QCOMPARE(server.Requests(), std::vector<std::string>{kDocument});
    QVERIFY(!QFileInfo::exists(rig.File(QStringLiteral("prog/orvane-new.zip"))));
    QVERIFY(rig.dialogs.urls.isEmpty());
    QVERIFY(rig.dialogs.boxes.isEmpty());
}

void AboutSpeechTest::downloadAnsweredYesWritesAndOpensTheFile() {
    HttpServer server;
    server.Json(kDocument, Document(QStringLiteral("orvane new.zip"), QStringLiteral("99.0.0.1")));
    server.Route("/NAS_file_Share/orvane/orvane%20new.zip", HttpServer::Bytes("PK-new"));
    UpdateBase base(server.Base());
    WindowRig rig;
    TForm1& f = rig.Window();
    auto box = f.about().CreateBox();
    QVERIFY(ShowAndCheck(*box));
    rig.dialogs.answer = Dialogs::Answer::Yes;
    const QDir prog(rig.File(QStringLiteral("prog")));
    const QStringList before = prog.entryList(QDir::Files | QDir::Hidden);
    QTest::mouseClick(box->SpeedButton1(), Qt::LeftButton);
    const QString target = rig.File(QStringLiteral("prog/orvane new.zip"));
    QVERIFY(orvane::test::RunUntil([&] { return !rig.dialogs.urls.isEmpty(); }));
    QCOMPARE(rig.dialogs.urls, QVector<QUrl>{QUrl::fromLocalFile(target)});
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("PK-new"));
    // Only the file itself arrived in the program's folder.
    QStringList arrived = prog.entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : before) arrived.removeOne(name);
    QCOMPARE(arrived, QStringList{QStringLiteral("orvane new.zip")});
    QVERIFY(rig.dialogs.boxes.isEmpty());

    // A server error: the error box, nothing written.
    server.Route("/NAS_file_Share/orvane/orvane%20new.zip", HttpServer::Reply{500, "Oops", "text/plain", "x"});
    QVERIFY(file.remove());
    QTest::mouseClick(box->SpeedButton1(), Qt::LeftButton);
    QVERIFY(orvane::test::RunUntil([&] { return !rig.dialogs.boxes.isEmpty(); }));
    QCOMPARE(rig.dialogs.boxes[0].text, QStringLiteral("Error while downloading orvane new.zip"));
    QVERIFY(!QFileInfo::exists(target));
}

void AboutSpeechTest::downloadOfTheProgramsOwnFileIsRefused() {
    HttpServer server;
    server.Json(kDocument, Document(QStringLiteral("orvane.ini"), QStringLiteral("99.0.0.1")));
    server.Route("/NAS_file_Share/orvane/orvane.ini", HttpServer::Bytes("[Table]\n"));
    UpdateBase base(server.Base());
    WindowRig rig;
    TForm1& f = rig.Window();
    f.Action_save_table_contentsExecute();
    QFile ini(rig.ini());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray before = ini.readAll();
    ini.close();
    auto box = f.about().CreateBox();
    QVERIFY(ShowAndCheck(*box));
    rig.dialogs.answer = Dialogs::Answer::Yes;
    QTest::mouseClick(box->SpeedButton1(), Qt::LeftButton);
    QVERIFY(orvane::test::RunUntil([&] { return !rig.dialogs.boxes.isEmpty(); }));
    QCOMPARE(rig.dialogs.boxes[0].text, QStringLiteral("Error while downloading orvane.ini"));
    QCOMPARE(server.Requests(), std::vector<std::string>{kDocument});
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll(), before);
}

void AboutSpeechTest::helpAboutShowsAFreshModalBox() {
    HttpServer server;
    server.Json(kDocument, Document(QStringLiteral("orvane.zip"), QStringLiteral("99.0.0.1")));
    UpdateBase base(server.Base());
    WindowRig rig;
    TForm1& f = rig.Window();
    TAboutBox* seen = nullptr;
    bool modal = false;
    QString caption;
    // The box runs its own event loop: look at it from there, then close it.
    std::function<void()> inspect = [&] {
        TAboutBox* box = f.about().shownBox();
        if (!box || !box->isVisible()) {
            QTimer::singleShot(20, inspect);
            return;
        }
        seen = box;
        modal = box->isModal();
        caption = box->windowTitle();
        box->FormActivate();
        orvane::test::RunUntil([&] { return !box->checking(); });
        box->accept();
    };
    QTimer::singleShot(0, inspect);
    FindAction(f, QStringLiteral("About")).trigger();
    Drain();
    QVERIFY(seen);
    QVERIFY(seen != f.about().hiddenBox());
    QVERIFY(modal);
    QCOMPARE(caption, QStringLiteral("About  (1)Orvane"));
    QVERIFY(!f.about().shownBox());  // destroyed when it closed
    QVERIFY(!server.Requests().empty());
}

void AboutSpeechTest::linksOpenTheMakersPages() {
    HttpServer server;
    server.Json(kDocument, R"({"file_name":"orvane.zip","version":"9","website":"https://site.test/x"})");
    UpdateBase base(server.Base());
    WindowRig rig;
    auto box = rig.Window().about().CreateBox();
    box->CompanyLabelClick();  // before any check: the start page
    box->Image1Click();
    QVERIFY(ShowAndCheck(*box));
    QTest::mouseClick(box->CompanyLabel(), Qt::LeftButton);
    QCOMPARE(rig.dialogs.urls,
             (QVector<QUrl>{QUrl(QString::fromLatin1(kMakerStartPage)), QUrl(QString::fromLatin1(kMakerHomePage)),
                            QUrl(QStringLiteral("https://site.test/x"))}));
}

void AboutSpeechTest::installedProgramFindsItsHelpPages() {
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("share/orvane/help")));
    const QString program = prefix.filePath(QStringLiteral("bin/orvane"));
    QCOMPARE(DefaultHelpDir(program), prefix.filePath(QStringLiteral("share/orvane/help")));
    // Help beside the program (a build tree) comes first.
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin/help")));
    QCOMPARE(DefaultHelpDir(program), prefix.filePath(QStringLiteral("bin/help")));

    WindowRig rig;
    rig.options.helpDir.clear();
    QVERIFY(QDir(rig.folder()).mkpath(QStringLiteral("share/orvane/help")));
    QVERIFY(QDir(rig.folder()).mkpath(QStringLiteral("bin")));
    rig.options.programPath = rig.File(QStringLiteral("bin/orvane"));
    QCOMPARE(rig.Window().hpPath(), rig.File(QStringLiteral("share/orvane/help/index.html")));
}

// --- speech ---------------------------------------------------------------------------

void AboutSpeechTest::voiceSubmenuListsEveryVoice() {
    WindowRig rig;
    rig.speech.voices = {{"kal", "English (United States)"}, {"slt", "English (United Kingdom)"}};
    TForm1& f = rig.Window();
    Drain();  // the listing runs once the window is up
    QMenu* menu = f.VoiceMenu();
    QCOMPARE(Captions(menu), (QStringList{QStringLiteral("kal - English (United States)"),
                                          QStringLiteral("slt - English (United Kingdom)")}));
    const QList<QAction*> items = menu->actions();
    QVERIFY(items[0]->isCheckable() && items[0]->isEnabled() && items[0]->isChecked());
    QVERIFY(items[1]->isCheckable() && items[1]->isEnabled() && !items[1]->isChecked());
    QVERIFY(items[0]->actionGroup() && items[0]->actionGroup()->isExclusive());
    QCOMPARE(f.speech().model().speech_voice(), std::string("name=kal "));
    QVERIFY(rig.dialogs.errors.isEmpty());
    QVERIFY(rig.speech.said().empty());  // the listing says nothing
}

void AboutSpeechTest::noVoiceGivesOneDisabledItem() {
    WindowRig rig;
    rig.speech.listError = "No speech engine is installed";
    TForm1& f = rig.Window();
    Drain();
    const QList<QAction*> items = f.VoiceMenu()->actions();
    QCOMPARE(items.size(), 1);
    QCOMPARE(items[0]->text(), QStringLiteral("(no voices)"));
    QVERIFY(!items[0]->isEnabled());
    QVERIFY(rig.dialogs.errors.isEmpty());
    QVERIFY(rig.dialogs.boxes.isEmpty());
    // An answer says nothing and shows nothing.
    f.calculator().SetExpressionText("1+2");
    f.calculatorPanel().Button_ExpressionClick();
    Drain();
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void AboutSpeechTest::choosingAVoiceSpeaksASample() {
    WindowRig rig;
    rig.speech.voices = {{"kal", "English"}, {"slt", "English"}};
    TForm1& f = rig.Window();
    Drain();
    f.calculator().SetExpressionText("6*7");
    f.calculatorPanel().Button_ExpressionClick();
    QCOMPARE(rig.speech.said().size(), size_t(1));
    f.VoiceMenu()->actions()[1]->trigger();
    Drain();
    const QList<QAction*> items = f.VoiceMenu()->actions();
    QVERIFY(!items[0]->isChecked());
    QVERIFY(items[1]->isChecked());
    QCOMPARE(f.speech().model().speech_voice(), std::string("name=slt "));
    QCOMPARE(rig.speech.said().size(), size_t(2));
    QCOMPARE(rig.speech.said().back().voice, std::string("slt"));
    QCOMPARE(rig.speech.said().back().text, std::string("42"));
}

void AboutSpeechTest::answersAreSpokenAndFailuresReportedOnce() {
    WindowRig rig;
    rig.speech.voices = {{"kal", "English"}};
    TForm1& f = rig.Window();
    Drain();
    auto answer = [&](const char* statement) {
        f.calculator().SetExpressionText(statement);
        f.calculatorPanel().Button_ExpressionClick();
        Drain();
    };
    answer("1+2");  // "Say Ansower" on by default
    QCOMPARE(rig.speech.said().back().text, std::string("3"));
    FindAction(f, QStringLiteral("Say Equation ")).trigger();  // now both
    QVERIFY(f.speech().model().say_equation());
    answer("2+2");
    QCOMPARE(rig.speech.said().back().text, std::string("2+2=4"));
    answer("2+2");  // the same answer: the answer box does not change
    QCOMPARE(rig.speech.said().size(), size_t(2));

    // No audio device: the first failure in the error dialog, later ones in
    // the fifth status panel only.
    rig.speech.speakError = "No audio device";
    answer("5+5");
    answer("6+6");
    QCOMPARE(rig.dialogs.errors.size(), 1);
    QCOMPARE(rig.dialogs.errors[0].text, QStringLiteral("No audio device"));
    QCOMPARE(f.StatusPanelText(4), QStringLiteral("No audio device"));
}

}  // namespace orvane::ui

QObject* MakeAboutSpeechTest() { return new orvane::ui::AboutSpeechTest; }

#include "about_speech_test.moc"
