// The main page: layout, the smart-format strip, the field table's tool bar
// and grid. The script memo, its search and its files are in
// main_page_memo.cpp.
#include "ui/pages/main_page.h"

#include <QAction>
#include <QComboBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include "smartformat/field_table.h"
#include "smartformat/smart_format.h"
#include "ui/calculator_panel.h"
#include "ui/field_grid.h"
#include "ui/field_text_insertion.h"
#include "ui/orvane_application.h"
#include "ui/pages/page_host.h"
#include "ui/qt_memo.h"
#include "ui/wide_text.h"
#include "variables/kor_listing.h"

namespace orvane::ui {

namespace {

// The smart-format box's first text and its list.
constexpr const char* kSmartFormatInitial =
    "[\"aaa \" +'Field_A':M3(#h[1][2],) + 'field_B':V10([13][14][16][17])-9900 ]";
constexpr const char* kSmartFormatEntries[] = {
    "['Field_A':LRC([all])]",
    "['Field_A':CRC16([all])]",
    "['Field_A':CRC8([all])]",
    "['Field_A':CRC_16_0000_0000_8005_1_1([all])]",
    "['Field_A':CRC_16_FFFF_0000_1021_0_0([all])]",
};
// The template box shows at least this many characters.
constexpr int kSmartFormatMinimumCharacters = 30;
constexpr int kToolBarIconPixels = 16;

}  // namespace

MainPage::MainPage(PageHost& host, CalculatorPanel& panel, QWidget* parent)
    : QWidget(parent),
      m_host(host),
      m_panel(panel),
      m_memoModel(host.session(), host.calculator(), host.memo()) {
    setObjectName(QStringLiteral("Main"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    layout->addWidget(BuildSmartFormatStrip());
    m_StringGridDebug = new FieldGrid(m_host.fieldTable());
    layout->addWidget(BuildToolBar());
    layout->addWidget(m_StringGridDebug);
    BuildMemo();
    layout->addWidget(m_Memo_test, 1);
    ConnectFieldGrid();
}

MainPage::~MainPage() {
    // The grid and the boxes go with the base class, after this page's own
    // members: nothing they report may reach the page any more.
    disconnect(m_StringGridDebug, nullptr, this, nullptr);
    m_host.memo().SetWidget(nullptr);
}

QWidget* MainPage::BuildSmartFormatStrip() {
    auto* panel3 = new QWidget;
    panel3->setObjectName(QStringLiteral("Panel3"));
    auto* strip = new QHBoxLayout(panel3);
    strip->setContentsMargins(0, 0, 0, 0);

    m_ComboBoxEx_Smart_format = new QComboBox;
    m_ComboBoxEx_Smart_format->setObjectName(QStringLiteral("ComboBoxEx_Smart_format"));
    m_ComboBoxEx_Smart_format->setEditable(true);
    // The list grows only by the end-of-edit rule, never by the box itself.
    m_ComboBoxEx_Smart_format->setInsertPolicy(QComboBox::NoInsert);
    // No inline completion: Enter on a selected text would replace it by the
    // first list entry.
    m_ComboBoxEx_Smart_format->setCompleter(nullptr);
    m_ComboBoxEx_Smart_format->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_ComboBoxEx_Smart_format->setMinimumContentsLength(kSmartFormatMinimumCharacters);
    for (const char* entry : kSmartFormatEntries)
        m_ComboBoxEx_Smart_format->addItem(QString::fromLatin1(entry));
    m_ComboBoxEx_Smart_format->setEditText(QString::fromLatin1(kSmartFormatInitial));
    m_ComboBoxEx_Smart_format->lineEdit()->setCursorPosition(0);
    m_ComboBoxEx_Smart_format->lineEdit()->installEventFilter(this);

    auto* smart = new QPushButton(QStringLiteral("Smart Format"));
    smart->setObjectName(QStringLiteral("Button_Smartformat"));
    auto* varList = new QPushButton(QStringLiteral("Variable List"));
    varList->setObjectName(QStringLiteral("ButtonVarableList"));
    auto* strList = new QPushButton(QStringLiteral("Str Variable List"));
    strList->setObjectName(QStringLiteral("Button1"));
    auto* korMem = new QPushButton(QStringLiteral("KOR P/G_S_MEM"));
    korMem->setObjectName(QStringLiteral("Button_KOR_G_S_MEM"));
    strip->addWidget(m_ComboBoxEx_Smart_format, 1);
    strip->addWidget(smart);
    strip->addWidget(varList);
    strip->addWidget(strList);
    strip->addWidget(korMem);

    CalculatorModel& calc = m_host.calculator();
    connect(smart, &QPushButton::clicked, this, [this] { Button_SmartformatClick(); },
            Qt::QueuedConnection);
    // "Variable List" and "Str Variable List" append the two tables to the memo.
    connect(varList, &QPushButton::clicked, this, [&calc] { calc.ButtonVarableListClick(); },
            Qt::QueuedConnection);
    connect(strList, &QPushButton::clicked, this, [&calc] { calc.Button1Click(); },
            Qt::QueuedConnection);
    connect(korMem, &QPushButton::clicked, this, [this] { Button_KOR_G_S_MEMClick(); },
            Qt::QueuedConnection);
    return panel3;
}

QToolBar* MainPage::BuildToolBar() {
    auto* toolBar = new QToolBar;
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setIconSize(QSize(kToolBarIconPixels, kToolBarIconPixels));
    const FieldGridActions columns = MakeFieldGridActions(m_StringGridDebug, this);
    for (QAction* a : {columns.Action_insert_col, columns.Action_del_col,
                       columns.Action_move_col_to_left, columns.Action_move_col_to_right})
        toolBar->addAction(a);
    toolBar->addSeparator();
    AddSearchTools(toolBar);
    return toolBar;
}

void MainPage::MainEnter(QWidget* panel4) {
    // The calculator panel sits at the bottom of whichever page was entered
    // last of the main page and the CRC page.
    if (!panel4 || panel4->parentWidget() == this) return;
    if (auto* column = qobject_cast<QVBoxLayout*>(layout())) column->addWidget(panel4);
}

// --- field table grid -------------------------------------------------------------------

void MainPage::ConnectFieldGrid() {
    connect(m_StringGridDebug, &FieldGrid::columnClicked, this,
            [this](int column) { m_host.StatusLine2Show(kPanelAsc, std::to_string(column)); });
    connect(m_StringGridDebug, &FieldGrid::insertRequested, this,
            [this](const QString& text) { StringGridDebugInsert(text); });
    connect(m_StringGridDebug, &FieldGrid::gridExited, this, [this] { StringGridDebugExit(); });
}

void MainPage::StringGridDebugInsert(const QString& text) {
    const int lastfocus = m_host.calculator().lastfocus();
    if (lastfocus == 1) {
        m_panel.InsertFieldText(text);
    } else if (lastfocus == 2) {
        InsertFieldTextIntoMemo(m_Memo_test, text);
    }
}

void MainPage::StringGridDebugExit() {
    // An unwritable file is not reported.
    m_host.fieldTable().WriteFile(Narrow(m_host.Ini_name()));
}

// --- shared texts -----------------------------------------------------------------------

void MainPage::Button_KOR_G_S_MEMClick() {
    for (const std::string& line : orvane::Button_KOR_G_S_MEMClick(m_host.session().MapFilePointer()))
        m_host.memo().AppendLine(line);
}

// --- smart-format box ---------------------------------------------------------------------

void MainPage::ProcessSmartFormat(const QString& text) {
    SmartSession& session = m_host.session();
    bool success = true;
    const std::string result = String_Proc(session, Narrow(text), true, success);
    session.Tmp_answer_all = result;
    // Each CR LF of the result starts another memo line.
    size_t start = 0;
    for (size_t at; (at = result.find("\r\n", start)) != std::string::npos; start = at + 2)
        m_host.memo().AppendLine(result.substr(start, at - start));
    m_host.memo().AppendLine(result.substr(start));
}

void MainPage::Button_SmartformatClick() { ProcessSmartFormat(m_ComboBoxEx_Smart_format->currentText()); }

void MainPage::ComboBoxEx_Smart_formatEndEdit() {
    // The selected part of the edit field joins the list unless an earlier
    // entry already holds exactly that text.
    const QString selected = m_ComboBoxEx_Smart_format->lineEdit()->selectedText();
    if (m_ComboBoxEx_Smart_format->findText(selected, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
        return;
    m_ComboBoxEx_Smart_format->addItem(selected);
}

void MainPage::SmartFormatBoxEvent(QEvent* event) {
    QLineEdit* edit = m_ComboBoxEx_Smart_format->lineEdit();
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn) {
        m_keys.Track(edit, event);
    } else if (type == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            ComboBoxEx_Smart_formatEndEdit();
    } else if (type == QEvent::KeyPress) {
        m_keys.Track(edit, event);
        if (IsEnterKey(static_cast<QKeyEvent*>(event))) ComboBoxEx_Smart_formatEndEdit();
    } else if (type == QEvent::KeyRelease) {
        if (m_keys.Track(edit, event) && IsEnterKey(static_cast<QKeyEvent*>(event)))
            OrvaneApplication::Run([&] { ProcessSmartFormat(m_ComboBoxEx_Smart_format->currentText()); });
    }
}

bool MainPage::eventFilter(QObject* watched, QEvent* event) {
    if (m_Memo_test && (watched == m_Memo_test || watched == m_Memo_test->viewport()))
        return MemoEvent(watched, event);
    if (m_ComboBoxEx_Smart_format && watched == m_ComboBoxEx_Smart_format->lineEdit()) {
        SmartFormatBoxEvent(event);
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace orvane::ui
