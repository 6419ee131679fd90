// The main window's frame: the pages and the calculator panel, the status
// line, the menus, the timers, the engine host and the key preview. Start-up,
// the instance protocol and shut-down are in main_window_startup.cpp.
#include "ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include "ui/about_module.h"
#include "ui/calculator_panel.h"
#include "ui/field_grid.h"
#include "ui/hints.h"
#include "ui/key_tracker.h"
#include "ui/orvane_application.h"
#include "ui/pages/browser_page.h"
#include "ui/pages/crc_page.h"
#include "ui/pages/main_page.h"
#include "ui/pages/tools_page.h"
#include "ui/pages/web_data_page.h"
#include "ui/program_icon.h"
#include "ui/speech_menu.h"
#include "ui/wide_text.h"
#include "ui/window_message_port.h"
#include "webdata/daily_check.h"
#include "webdata/web_data_fetcher.h"

namespace orvane::ui {

// --- construction --------------------------------------------------------------

TForm1::TForm1(WindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      m_options(std::move(options)),
      m_session(*this),
      m_system(*this, [this](const std::string& line) { AppendMemo1(Wide(line)); }),
      m_calc(m_session, m_memoAccess) {
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(ProgramIcon());
    m_about = std::make_unique<AboutModule>(this, *this);
    m_session.SetSystemValues(&m_system);
    m_session.SetFieldTable(&m_tableLookup);

    BuildPages();
    BuildStatusLine();
    BuildMenus();
    ShowHintsAsToolTips(*this);
    BuildTimers();

    // Each activation from another window of the program runs FormActivate,
    // once the activation itself has been handled.
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            [this](QWindow* w) { OnFocusWindowChanged(w); });

    if (auto* app = OrvaneApplication::instance())
        app->setKeyPreview(this, [this](QWidget*, QKeyEvent* e) { PreviewKey(e); });

    FormCreate();
    // Then the about box of the start-up, hidden (its creation steps run now).
    try {
        m_about->CreateHiddenBox();
    } catch (...) {
        if (auto* app = OrvaneApplication::instance()) app->ReportError(std::current_exception());
    }
}

TForm1::~TForm1() {
    m_fetcher->RequestStop();
    if (auto* app = OrvaneApplication::instance()) app->setKeyPreview(nullptr, {});
    m_calc.SetSpeech(nullptr);
    // The listener goes before the widgets its handler writes into.
    m_messagePort.reset();
    // The pages show members of this window (the field table, the memo's
    // access, the calculator): they go first, while those still exist.
    delete takeCentralWidget();
}

void TForm1::BuildPages() {
    m_PageControl1 = new QTabWidget(this);
    m_PageControl1->setObjectName(QStringLiteral("PageControl1"));
    setCentralWidget(m_PageControl1);

    m_Panel4 = new CalculatorPanel(m_calc);
    connect(m_Panel4->Button11(), &QAbstractButton::clicked, this, [this] { Button11Click(); },
            Qt::QueuedConnection);

    m_mainPage = new MainPage(*this, *m_Panel4);
    m_mainPage->MainEnter(m_Panel4);
    m_PageControl1->addTab(m_mainPage, QStringLiteral("Main"));
    FieldGrid& grid = m_mainPage->fieldGrid();
    m_browserPage = new BrowserPage(*this, m_wait, grid, m_options.webView);
    m_browserPage->SetBringToFront([this] { m_PageControl1->setCurrentWidget(m_browserPage); });
    m_PageControl1->addTab(m_browserPage, QStringLiteral("Web_info"));
    // The definitions' path follows the settings file (FormCreate).
    m_fetcher = std::make_unique<webdata::WebDataFetcher>(
        webdata::FetchPorts{*this, m_browserPage->browser(), *m_browserPage, m_wait, m_table, grid},
        std::string());
    m_webDataPage = new WebDataPage(*this, *this, *m_fetcher);
    m_PageControl1->addTab(m_webDataPage, QStringLiteral("Get Web data"));
    m_toolsPage = new ToolsPage(*this, *this, m_system.Hasher());
    m_PageControl1->addTab(m_toolsPage, QStringLiteral("AES_HASH"));
    m_crcPage = new CrcPage;
    m_crcPage->SetExpressionSink([this](const std::string& e) { m_calc.SetExpressionText(e); });
    m_crcPage->SetFieldTable(&m_table);
    m_PageControl1->addTab(m_crcPage, QStringLiteral("CRC"));

    connect(m_PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        QWidget* page = m_PageControl1->widget(index);
        if (page == m_mainPage) MainEnter();
        if (page == m_crcPage) TabSheet_CRCEnter();
    });
}

void TForm1::BuildStatusLine() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusLine"));
    for (int i = 0; i < kStatusPanels; ++i) {
        auto* panel = new QLabel;
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFixedWidth(kStatusPanelWidths[size_t(i)]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        bar->addWidget(panel);
        m_StatusLine[size_t(i)] = panel;
    }
}

void TForm1::BuildTimers() {
    m_Timer0 = new QTimer(this);
    m_Timer0->setObjectName(QStringLiteral("Timer0"));
    m_Timer0->setInterval(webdata::kTimer0IntervalMs);
    connect(m_Timer0, &QTimer::timeout, this, [this] { Timer0Timer(); });
    m_Timer1 = new QTimer(this);
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer1->setInterval(webdata::kTimer1IntervalMs);
    connect(m_Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    m_Timer0->start();
}

// --- menus -------------------------------------------------------------------------

void TForm1::BuildMenus() {
    QMenuBar* bar = menuBar();
    // A command runs after the menu has closed; an error it raises goes to the
    // application's error dialog.
    auto command = [this](QMenu* menu, const QString& caption, auto handler,
                          const char* name = nullptr) {
        QAction* a = menu->addAction(caption);
        if (name) a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler, Qt::QueuedConnection);
        return a;
    };
    // The speech switches only hold a state; the speech output reads it.
    auto inert = [] {};

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    command(file, QStringLiteral("Load Table Contents"), [this] { Action_load_table_contentsExecute(); });
    command(file, QStringLiteral("Save Table Contents"), [this] { Action_save_table_contentsExecute(); });
    file->addSeparator();
    command(file, QStringLiteral("Load File to Memo"), [this] { m_mainPage->LoadformFile1Click(); },
            "LoadFiletoMemo1");
    command(file, QStringLiteral("Save Memo"), [this] { m_mainPage->Savetofile1Click(); }, "SaveMemo1");
    file->addSeparator();
    QAction* exit = command(file, QStringLiteral("E&xit"), [this] { close(); }, "FileExitItem");
    exit->setToolTip(QStringLiteral("Exit this application"));

    QMenu* tool = bar->addMenu(QStringLiteral("&Tool"));
    command(tool, QStringLiteral("&Reset"), [this] { SystemReset(); }, "Reset1");
    command(tool, QStringLiteral("Adj table width"), [this] { Adjtablewidth1Click(); },
            "Adjtablewidth1");
    command(tool, QStringLiteral("LoadCurrency"), [this] { LoadCurrency1Click(); }, "LoadCurrency1");
    command(tool, QStringLiteral("Sec_to_day_time"),
            [this] { m_calc.Action_sec_to_day_timeExecute(); }, "Sec_to_day_time1");
    tool->addSeparator();
    m_Showwebsourcecode = command(
        tool, QStringLiteral("Show web source code"),
        [this] { m_browserPage->Showwebsourcecode1Click(m_Showwebsourcecode->isChecked()); },
        "Showwebsourcecode1");
    m_Showwebsourcecode->setCheckable(true);
    command(tool, QStringLiteral("adj KOR Window"), [this] { adjWindow1Click(); }, "adjWindow1");
    tool->addSeparator();
    QMenu* voices = tool->addMenu(QStringLiteral("Speech Language"));
    voices->setObjectName(QStringLiteral("SpeechLanguage1"));
    m_voiceMenu = voices;
    m_speech = std::make_unique<SpeechMenu>(
        voices, m_calc, *m_Panel4, [this](int panel, const std::string& text) { StatusLine2Show(panel, text); },
        m_options.speechEngine);
    m_calc.SetSpeech(&m_speech->model());
    m_SayEquation = command(tool, QStringLiteral("Say Equation "), inert, "SayEquation1");
    m_SayEquation->setCheckable(true);
    m_SayEquation->setChecked(false);
    m_SayAnsower = command(tool, QStringLiteral("Say Ansower"), inert, "SayAnsower1");
    m_SayAnsower->setCheckable(true);
    m_SayAnsower->setChecked(true);
    // The switches as the speech output reads them, also when the settings set them.
    SpeechModel& speech = m_speech->model();
    speech.set_say_equation(m_SayEquation->isChecked());
    speech.set_say_ansower(m_SayAnsower->isChecked());
    connect(m_SayEquation, &QAction::toggled, this, [&speech](bool on) { speech.set_say_equation(on); });
    connect(m_SayAnsower, &QAction::toggled, this, [&speech](bool on) { speech.set_say_ansower(on); });
    QAction* listVoices = command(tool, QStringLiteral("List speech language"),
                                  [this] { m_speech->Listspeechlanguage1Click(); }, "Listspeechlanguage1");
    listVoices->setVisible(false);

    m_styleMenu = bar->addMenu(QStringLiteral("&Style"));
    m_styleMenu->setObjectName(QStringLiteral("Style1"));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    QAction* contents = command(help, QStringLiteral("Help"), [this] { HelpContentsItemClick(); },
                                "HelpContentsItem");
    contents->setToolTip(QStringLiteral("Display the help contents screen"));
    contents->setShortcut(QKeySequence(Qt::Key_F1));
    contents->setShortcutContext(Qt::WindowShortcut);
    command(help, QStringLiteral("Expresion   1+2*5 sin(['x'])  ...."), [this] { Expresion1Click(); },
            "Expresion1");
    help->addSeparator();
    command(help, QStringLiteral("&Visit my Home Page"), [this] { VisitmyHomePage1Click(); },
            "VisitmyHomePage1");
    command(help, QStringLiteral("&Visit my Google site"), [this] { VisitmyGooglesite1Click(); },
            "VisitmyGooglesite1");
    command(help, QStringLiteral("About"), [this] { ShowAboutBox(); }, "About1");
}

void TForm1::BuildStyleMenu() {
    for (const QString& name : StyleManager::StyleNames()) {
        QAction* item = m_styleMenu->addAction(name);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, item] { StyleClick(item); },
                Qt::QueuedConnection);
    }
}

// --- status line, logs and engine host ------------------------------------------------

void TForm1::StatusLine2Show(int panel, const std::string& text) {
    if (panel < 0 || panel >= kStatusPanels) return;
    m_StatusLine[size_t(panel)]->setText(Wide(text));
}

QString TForm1::StatusPanelText(int panel) const {
    if (panel < 0 || panel >= kStatusPanels) return {};
    return m_StatusLine[size_t(panel)]->text();
}

void TForm1::ShowMessage(MsgIcon icon, const std::string& text) {
    auto* app = OrvaneApplication::instance();
    const QString title = app ? app->title() : QString::fromLatin1(OrvaneApplication::kInitialTitle);
    OrvaneApplication::CurrentDialogs().Message(this, icon, MessageCaption(icon, title), Wide(text));
}

LocalDateTime TForm1::Now() {
    if (m_options.clock) return m_options.clock();
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

void TForm1::AppendMemo1(const QString& line) { m_browserPage->AppendMemo1(line); }
void TForm1::AppendMemo2(const QString& line) { m_toolsPage->AppendMemo2(line); }
void TForm1::AppendMemo_test(const QString& line) { m_memoAccess.AppendLine(Narrow(line)); }

FieldGrid& TForm1::fieldGrid() const { return m_mainPage->fieldGrid(); }
ScriptMemoModel& TForm1::scriptMemo() const { return m_mainPage->scriptMemo(); }

// --- pages and keys ------------------------------------------------------------------

void TForm1::MainEnter() { m_mainPage->MainEnter(m_Panel4); }

void TForm1::TabSheet_CRCEnter() {
    // Docked at the CRC page's bottom edge, the panel shows the generated
    // expression and its answer.
    m_crcPage->TabSheet_CRCEnter(m_Panel4);
}

void TForm1::Adjtablewidth1Click() { m_mainPage->fieldGrid().Adjtablewidth1Click(); }

void TForm1::PreviewKey(QKeyEvent* event) {
    // The window sees every key before the focused control: key code in the
    // second panel, typed characters in the first.
    m_calc.FormKeyDown(VirtualKeyFromQt(DescribeKey(event)));
    for (QChar unit : event->text()) m_calc.FormKeyPress(char32_t(unit.unicode()));
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A running fetch ends at its next wait.
    m_fetcher->RequestStop();
    if (!m_terminated) FormClose();
    event->accept();
}

}  // namespace orvane::ui
