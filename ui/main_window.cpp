// The main window's controls: pages, calculator panel, status line and menus,
// and the engine host. Start-up and shut-down are in main_window_startup.cpp.
#include "ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFont>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/crc_page.h"
#include "ui/field_grid.h"
#include "ui/memo_file.h"
#include "ui/orvane_application.h"
#include "ui/wide_text.h"
#include "ui/window_fonts.h"
#include "ui/window_message_port.h"

namespace orvane::ui {

namespace {

// The box state the calculator model needs with each event.
CalculatorModel::EditState BoxState(const QLineEdit* box) {
    return {Narrow(box->text()), Narrow(box->selectedText())};
}

KeyDescription Describe(const QKeyEvent* e) {
    return {e->key(), e->modifiers().testFlag(Qt::KeypadModifier),
            e->modifiers().testFlag(Qt::ShiftModifier)};
}

// Identifies a physical key: press and release of one key share the scan
// code even when the modifiers changed in between.
quint32 KeyIdentity(const QKeyEvent* e) {
    return e->nativeScanCode() ? e->nativeScanCode() : quint32(e->key());
}

// The font a box shows: its initial pixel font, or the point size a rule set.
void ApplyFontSize(QWidget* box, int initialPixels, int points) {
    QFont f = box->font();
    if (points > 0) {
        f.setPointSize(points);
    } else {
        f.setPixelSize(initialPixels);
    }
    box->setFont(f);
}

}  // namespace

// --- construction --------------------------------------------------------------

TForm1::TForm1(WindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      m_options(std::move(options)),
      m_session(*this),
      m_system(*this, [this](const std::string& line) { AppendMemo1(Wide(line)); }),
      m_calc(m_session, m_memoAccess) {
    setObjectName(QStringLiteral("Form1"));
    m_session.SetSystemValues(&m_system);
    m_session.SetFieldTable(&m_tableLookup);

    BuildPages();
    BuildStatusLine();
    BuildMenus();
    ConnectCalculator();

    m_Timer0 = new QTimer(this);
    m_Timer0->setObjectName(QStringLiteral("Timer0"));
    m_Timer0->setInterval(3000);
    connect(m_Timer0, &QTimer::timeout, this, [this] { Timer0Timer(); });
    m_Timer1 = new QTimer(this);
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer1->setInterval(15000);
    connect(m_Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    m_Timer0->start();

    // Each activation from another window of the program runs FormActivate,
    // once the activation itself has been handled.
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            [this](QWindow* w) { OnFocusWindowChanged(w); });

    if (auto* app = OrvaneApplication::instance())
        app->setKeyPreview(this, [this](QWidget*, QKeyEvent* e) { PreviewKey(e); });

    FormCreate();
}

TForm1::~TForm1() {
    if (auto* app = OrvaneApplication::instance()) app->setKeyPreview(nullptr, {});
    // The listener goes before the widgets its handler writes into.
    m_messagePort.reset();
    // The pages show members of this window (the field table, the memo's
    // access, the calculator): they go first, while those still exist, and
    // their last focus changes reach no handler.
    m_tearingDown = true;
    delete takeCentralWidget();
}

void TForm1::BuildPages() {
    m_PageControl1 = new QTabWidget(this);
    m_PageControl1->setObjectName(QStringLiteral("PageControl1"));
    setCentralWidget(m_PageControl1);

    m_Main = BuildMainPage();
    m_PageControl1->addTab(m_Main, QStringLiteral("Main"));

    // The browser page: its page-source view is also a log of the tools page.
    auto* webInfo = new QWidget;
    webInfo->setObjectName(QStringLiteral("Web_info"));
    auto* webLayout = new QVBoxLayout(webInfo);
    m_Memo1 = new QPlainTextEdit(QStringLiteral("Memo1"));
    m_Memo1->setObjectName(QStringLiteral("Memo1"));
    m_Memo1->setVisible(false);
    webLayout->addWidget(m_Memo1);
    webLayout->addStretch(1);
    m_PageControl1->addTab(webInfo, QStringLiteral("Web_info"));

    auto* webData = new QWidget;
    webData->setObjectName(QStringLiteral("Get_Web_data"));
    m_PageControl1->addTab(webData, QStringLiteral("Get Web data"));

    // The tools page with its log across the bottom.
    auto* tools = new QWidget;
    tools->setObjectName(QStringLiteral("AES_HASH"));
    auto* toolsLayout = new QVBoxLayout(tools);
    toolsLayout->addStretch(1);
    m_Memo2 = new QPlainTextEdit(QStringLiteral("Memo2"));
    m_Memo2->setObjectName(QStringLiteral("Memo2"));
    toolsLayout->addWidget(m_Memo2, 1);
    m_PageControl1->addTab(tools, QStringLiteral("AES_HASH"));

    m_crcPage = new CrcPage;
    m_crcPage->SetExpressionSink([this](const std::string& e) { m_calc.SetExpressionText(e); });
    m_PageControl1->addTab(m_crcPage, QStringLiteral("CRC"));

    connect(m_PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 0) MainEnter();
        if (m_PageControl1->widget(index) == m_crcPage) TabSheet_CRCEnter();
    });
}

QWidget* TForm1::BuildMainPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Main"));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);

    // From the top: the smart-format strip, the field table's tool bar with
    // the memo search, the field table, the memo and the calculator panel.
    layout->addWidget(BuildSmartFormatStrip());
    auto* toolBar = new QToolBar;
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setIconSize(QSize(16, 16));
    m_StringGridDebug = new FieldGrid(m_table);
    const FieldGridActions columns = MakeFieldGridActions(m_StringGridDebug, this);
    for (QAction* a : {columns.Action_insert_col, columns.Action_del_col,
                       columns.Action_move_col_to_left, columns.Action_move_col_to_right})
        toolBar->addAction(a);
    toolBar->addSeparator();
    AddSearchTools(toolBar);
    layout->addWidget(toolBar);
    layout->addWidget(m_StringGridDebug);
    BuildMemo();
    layout->addWidget(m_Memo_test, 1);

    m_Panel4 = BuildCalculatorPanel();
    layout->addWidget(m_Panel4);
    ConnectFieldGrid();
    return page;
}

QWidget* TForm1::BuildCalculatorPanel() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("Panel4"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 2, 0, 0);

    m_ComboBoxExpression = new QLineEdit;
    m_ComboBoxExpression->setObjectName(QStringLiteral("ComboBoxExpression"));
    m_ComboBoxExpression->setFont(CourierNew(kExpressionFontPixels, true));
    m_ComboBoxExpression->setMinimumHeight(m_ComboBoxExpression->sizeHint().height());

    m_Button_Expression = new QPushButton(QStringLiteral("Input"));
    m_Button_Expression->setObjectName(QStringLiteral("Button_Expression"));
    m_Button_Expression->setToolTip(QString::fromLatin1(kInputButtonHint));
    m_Button_Expression->setStatusTip(QString::fromLatin1(kInputButtonHint));

    auto* label1 = new QLabel(QStringLiteral("="));
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setFont(Arial(24, true));

    m_Edit_ans = new QLineEdit;
    m_Edit_ans->setObjectName(QStringLiteral("Edit_ans"));
    m_Edit_ans->setFont(Arial(kAnswerFontPixels, true));
    m_Edit_ans->setMinimumHeight(m_Edit_ans->sizeHint().height());

    grid->addWidget(m_ComboBoxExpression, 0, 0, 1, 7);
    grid->addWidget(m_Button_Expression, 0, 7);
    grid->addWidget(label1, 0, 8);
    grid->addWidget(m_Edit_ans, 0, 9, 1, 2);

    auto conversionBox = [](const char* name) {
        auto* box = new QLineEdit;
        box->setObjectName(QString::fromLatin1(name));
        box->setFont(CourierNew(kConversionFontPixels, true));
        return box;
    };
    m_Edit_Hex = conversionBox("Edit_Hex");
    m_Edit_DEC = conversionBox("Edit_DEC");
    m_Edit_Binary = conversionBox("Edit_Binary");
    int col = 0;
    for (auto [caption, box] : {std::pair{"HEX", m_Edit_Hex}, std::pair{"DEC", m_Edit_DEC},
                                std::pair{"BINARY", m_Edit_Binary}}) {
        auto* label = new QLabel(QString::fromLatin1(caption));
        label->setBuddy(box);
        grid->addWidget(label, 1, col++, Qt::AlignRight);
        grid->addWidget(box, 1, col++);
    }
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 2);
    grid->setColumnStretch(5, 4);
    grid->setColumnStretch(9, 3);

    m_label_sec_to_day_Time = new QLabel(QString::fromLatin1(kSecToDayTimeInitial));
    m_label_sec_to_day_Time->setObjectName(QStringLiteral("label_sec_to_day_Time"));
    m_label_sec_to_day_Time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label_sec_to_day_Time->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(m_label_sec_to_day_Time, 1, 6, 1, 5, Qt::AlignRight);

    m_Button11 = new QPushButton(QStringLiteral("WM_KOR_MESSAGE0"));
    m_Button11->setObjectName(QStringLiteral("Button11"));
    m_Button11->setVisible(false);
    grid->addWidget(m_Button11, 2, 0);
    connect(m_Button11, &QPushButton::clicked, this, [this] { Button11Click(); },
            Qt::QueuedConnection);
    return panel;
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
    auto inert = [] {};

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    command(file, QStringLiteral("Load Table Contents"), [this] { Action_load_table_contentsExecute(); });
    command(file, QStringLiteral("Save Table Contents"), [this] { Action_save_table_contentsExecute(); });
    file->addSeparator();
    command(file, QStringLiteral("Load File to Memo"), [this] { LoadformFile1Click(); },
            "LoadFiletoMemo1");
    command(file, QStringLiteral("Save Memo"), [this] { Savetofile1Click(); }, "SaveMemo1");
    file->addSeparator();
    QAction* exit = command(file, QStringLiteral("E&xit"), [this] { close(); }, "FileExitItem");
    exit->setStatusTip(QStringLiteral("Exit this application"));
    exit->setToolTip(QStringLiteral("Exit this application"));

    QMenu* tool = bar->addMenu(QStringLiteral("&Tool"));
    command(tool, QStringLiteral("&Reset"), [this] { SystemReset(); }, "Reset1");
    command(tool, QStringLiteral("Adj table width"), [this] { Adjtablewidth1Click(); },
            "Adjtablewidth1");
    command(tool, QStringLiteral("LoadCurrency"), inert, "LoadCurrency1");
    command(tool, QStringLiteral("Sec_to_day_time"),
            [this] { m_calc.Action_sec_to_day_timeExecute(); }, "Sec_to_day_time1");
    tool->addSeparator();
    m_Showwebsourcecode = command(tool, QStringLiteral("Show web source code"),
                                  [this] { m_Memo1->setVisible(m_Showwebsourcecode->isChecked()); },
                                  "Showwebsourcecode1");
    m_Showwebsourcecode->setCheckable(true);
    command(tool, QStringLiteral("adj KOR Window"), [this] { adjWindow1Click(); }, "adjWindow1");
    tool->addSeparator();
    QMenu* voices = tool->addMenu(QStringLiteral("Speech Language"));
    voices->setObjectName(QStringLiteral("SpeechLanguage1"));
    m_SayEquation = command(tool, QStringLiteral("Say Equation "), inert, "SayEquation1");
    m_SayEquation->setCheckable(true);
    m_SayEquation->setChecked(false);
    m_SayAnsower = command(tool, QStringLiteral("Say Ansower"), inert, "SayAnsower1");
    m_SayAnsower->setCheckable(true);
    m_SayAnsower->setChecked(true);
    QAction* listVoices = command(tool, QStringLiteral("List speech language"), inert,
                                  "Listspeechlanguage1");
    listVoices->setVisible(false);

    m_styleMenu = bar->addMenu(QStringLiteral("&Style"));
    m_styleMenu->setObjectName(QStringLiteral("Style1"));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    QAction* contents = command(help, QStringLiteral("Help"), [this] { HelpContentsItemClick(); },
                                "HelpContentsItem");
    contents->setStatusTip(QStringLiteral("Display the help contents screen"));
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
    command(help, QStringLiteral("About"), inert, "About1");
}

void TForm1::BuildStyleMenu() {
    for (const QString& name : StyleManager::StyleNames()) {
        QAction* item = m_styleMenu->addAction(name);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, item] { StyleClick(item); },
                Qt::QueuedConnection);
    }
}

// --- status line and engine host ------------------------------------------------------

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
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

// --- calculator panel ----------------------------------------------------------------

void TForm1::ConnectCalculator() {
    m_calc.SetListener([this](CalculatorModel::Item item) { MirrorCalculator(item); });
    for (QLineEdit* box : {m_ComboBoxExpression, m_Edit_Hex, m_Edit_DEC, m_Edit_Binary})
        box->installEventFilter(this);
    // Paste, drop and the like change the box without the key handling.
    connect(m_ComboBoxExpression, &QLineEdit::textEdited, this,
            [this] { m_calc.ExpressionBoxEdited(BoxState(m_ComboBoxExpression)); });
    // The answer box's own edits run the answer fan-out.
    connect(m_Edit_ans, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_calc.Edit_ansChange(Narrow(text)); },
            Qt::QueuedConnection);
    connect(m_Button_Expression, &QPushButton::clicked, this, [this] { Button_ExpressionClick(); },
            Qt::QueuedConnection);
}

void TForm1::MirrorCalculator(CalculatorModel::Item item) {
    using Item = CalculatorModel::Item;
    auto setText = [](QLineEdit* box, const std::string& text) {
        const QString wide = Wide(text);
        if (box->text() != wide) box->setText(wide);
    };
    switch (item) {
        case Item::Expression: setText(m_ComboBoxExpression, m_calc.expression_text()); break;
        case Item::ExpressionCursor:
            if (m_calc.expression_cursor() == CalculatorModel::Cursor::SelectAll) {
                m_ComboBoxExpression->selectAll();
            } else if (m_calc.expression_cursor() == CalculatorModel::Cursor::End) {
                m_ComboBoxExpression->deselect();
                m_ComboBoxExpression->setCursorPosition(int(m_ComboBoxExpression->text().size()));
            }
            break;
        case Item::ExpressionFont:
            ApplyFontSize(m_ComboBoxExpression, kExpressionFontPixels, m_calc.expression_font_points());
            break;
        case Item::Answer: setText(m_Edit_ans, m_calc.answer_text()); break;
        case Item::AnswerFont:
            ApplyFontSize(m_Edit_ans, kAnswerFontPixels, m_calc.answer_font_points());
            break;
        case Item::Dec: setText(m_Edit_DEC, m_calc.dec_text()); break;
        case Item::Hex: setText(m_Edit_Hex, m_calc.hex_text()); break;
        case Item::Binary: setText(m_Edit_Binary, m_calc.binary_text()); break;
        case Item::SecToDayTime: {
            QString label = Wide(m_calc.sec_to_day_time_text());
            label.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            m_label_sec_to_day_Time->setText(label);
            break;
        }
    }
}

void TForm1::Button_ExpressionClick() { m_calc.Button_ExpressionClick(); }

void TForm1::MainEnter() {
    // The calculator panel sits at the bottom of whichever page was entered
    // last of the main page and the CRC page.
    if (m_Panel4->parentWidget() == m_Main) return;
    if (auto* layout = qobject_cast<QVBoxLayout*>(m_Main->layout())) layout->addWidget(m_Panel4);
}

// --- field table ---------------------------------------------------------------------------

void TForm1::ConnectFieldGrid() {
    // A double-click on the grid replaces the selection the expression box
    // had when the user left it.
    KeepBoxSelection(m_ComboBoxExpression);
    connect(m_StringGridDebug, &FieldGrid::columnClicked, this,
            [this](int column) { StatusLine2Show(kPanelAsc, std::to_string(column)); });
    connect(m_StringGridDebug, &FieldGrid::insertRequested, this,
            [this](const QString& text) { StringGridDebugInsert(text); });
    connect(m_StringGridDebug, &FieldGrid::gridExited, this, [this] { StringGridDebugExit(); });
}

void TForm1::StringGridDebugInsert(const QString& text) {
    if (m_calc.lastfocus() == 1) {
        InsertFieldTextIntoBox(m_ComboBoxExpression, text);
        // The calculator keeps the box's text; the caret stays at its end.
        m_calc.SetExpressionText(Narrow(m_ComboBoxExpression->text()),
                                 CalculatorModel::Cursor::End);
    } else if (m_calc.lastfocus() == 2) {
        InsertFieldTextIntoMemo(m_Memo_test, text);
    }
}

void TForm1::StringGridDebugExit() {
    if (m_tearingDown) return;
    m_table.WriteFile(Narrow(m_Ini_name));  // an unwritable file is not reported
}

void TForm1::Adjtablewidth1Click() { m_StringGridDebug->Adjtablewidth1Click(); }

void TForm1::TabSheet_CRCEnter() {
    // Docked at the CRC page's bottom edge, the panel shows the generated
    // expression and its answer.
    m_crcPage->TabSheet_CRCEnter(m_Panel4);
}

void TForm1::PreviewKey(QKeyEvent* event) {
    // The window sees every key before the focused control: key code in the
    // second panel, typed characters in the first.
    m_calc.FormKeyDown(VirtualKeyFromQt(Describe(event)));
    for (QChar unit : event->text()) m_calc.FormKeyPress(char32_t(unit.unicode()));
}

bool TForm1::TrackKey(QObject* box, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn) {
        m_keysDown.remove(box);
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress) {
        m_keysDown[box].insert(KeyIdentity(key));
        return false;
    }
    if (key->isAutoRepeat()) return false;
    auto it = m_keysDown.find(box);
    return it != m_keysDown.end() && it->remove(KeyIdentity(key));
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (m_tearingDown) return false;
    const QEvent::Type type = event->type();
    const bool conversionBox = watched == m_Edit_Hex || watched == m_Edit_DEC || watched == m_Edit_Binary;
    if (watched == m_ComboBoxExpression || conversionBox) {
        if (type == QEvent::FocusIn || type == QEvent::KeyPress) TrackKey(watched, event);
        if (type == QEvent::KeyRelease && !TrackKey(watched, event)) return false;
    }
    if (watched == m_ComboBoxExpression) {
        if (type == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            m_calc.ComboBoxExpressionKeyDown(VirtualKeyFromQt(Describe(key)),
                                             key->modifiers().testFlag(Qt::ShiftModifier),
                                             BoxState(m_ComboBoxExpression));
            for (QChar unit : key->text())
                m_calc.ComboBoxExpressionKeyPress(char32_t(unit.unicode()),
                                                  BoxState(m_ComboBoxExpression));
            return false;  // the box then takes the key as usual
        }
        if (type == QEvent::KeyRelease) {
            OrvaneApplication::Run([&] {
                m_calc.ComboBoxExpressionKeyUp(VirtualKeyFromQt(Describe(static_cast<QKeyEvent*>(event))),
                                               BoxState(m_ComboBoxExpression));
            });
            return false;
        }
        if (type == QEvent::Enter) m_calc.ComboBoxExpressionMouseEnter();
        return false;
    }
    if (conversionBox && type == QEvent::KeyRelease) {
        const auto which = watched == m_Edit_Hex   ? CalculatorModel::ConversionBox::Hex
                           : watched == m_Edit_DEC ? CalculatorModel::ConversionBox::Dec
                                                   : CalculatorModel::ConversionBox::Binary;
        auto* box = static_cast<QLineEdit*>(watched);
        OrvaneApplication::Run([&] {
            m_calc.Edit_DECKeyUp(which, VirtualKeyFromQt(Describe(static_cast<QKeyEvent*>(event))),
                                 Narrow(box->text()));
        });
        return false;
    }
    if (watched == m_Memo_test || watched == m_Memo_test->viewport()) return MemoEvent(watched, event);
    if (m_ComboBoxEx_Smart_format && watched == m_ComboBoxEx_Smart_format->lineEdit()) {
        SmartFormatBoxEvent(event);
        return false;
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- logs -------------------------------------------------------------------------------

void TForm1::AppendMemo2(const QString& line) { m_Memo2->appendPlainText(line); }
void TForm1::AppendMemo1(const QString& line) { m_Memo1->appendPlainText(line); }
void TForm1::AppendMemo_test(const QString& line) { m_memoAccess.AppendLine(Narrow(line)); }

void TForm1::closeEvent(QCloseEvent* event) {
    if (!m_terminated) FormClose();
    event->accept();
}

}  // namespace orvane::ui
