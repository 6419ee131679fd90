// The script memo, its search tool bar, its files, and the smart-format strip
// of the main page.
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>

#include "engine/errors.h"
#include "smartformat/smart_format.h"
#include "ui/main_window.h"
#include "ui/memo_file.h"
#include "ui/orvane_application.h"
#include "ui/wide_text.h"
#include "ui/window_fonts.h"

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
constexpr const char* kSearchInitial = "Qucik Search";
constexpr const char* kTextFileFilter = "Text File (*.txt)";
constexpr const char* kProposedSaveName = "tmp_file.txt";

bool IsEnter(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

}  // namespace

// --- building ---------------------------------------------------------------------------

QWidget* TForm1::BuildSmartFormatStrip() {
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
    m_ComboBoxEx_Smart_format->setMinimumContentsLength(30);
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

    connect(smart, &QPushButton::clicked, this, [this] { Button_SmartformatClick(); },
            Qt::QueuedConnection);
    connect(varList, &QPushButton::clicked, this, [this] { m_calc.ButtonVarableListClick(); },
            Qt::QueuedConnection);
    connect(strList, &QPushButton::clicked, this, [this] { m_calc.Button1Click(); },
            Qt::QueuedConnection);
    connect(korMem, &QPushButton::clicked, this, [this] { Button_KOR_G_S_MEMClick(); },
            Qt::QueuedConnection);
    return panel3;
}

void TForm1::AddSearchTools(QToolBar* bar) {
    m_ComboBox_search = new QComboBox;
    m_ComboBox_search->setObjectName(QStringLiteral("ComboBox_search"));
    m_ComboBox_search->setEditable(true);
    m_ComboBox_search->setInsertPolicy(QComboBox::NoInsert);
    m_ComboBox_search->setCompleter(nullptr);
    m_ComboBox_search->setMinimumContentsLength(20);
    m_ComboBox_search->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_ComboBox_search->setEditText(QString::fromLatin1(kSearchInitial));
    // Only the user's edits search; the first text above does not.
    connect(m_ComboBox_search, &QComboBox::editTextChanged, this,
            [this](const QString& text) { ComboBox_searchChange(text); });
    bar->addWidget(m_ComboBox_search);

    m_Action_search = bar->addAction(style()->standardIcon(QStyle::SP_ArrowDown),
                                     QStringLiteral("Search down"));
    m_Action_search->setObjectName(QStringLiteral("Action_search"));
    m_Action_search->setShortcut(QKeySequence(Qt::Key_F3));
    m_Action_search->setShortcutContext(Qt::WindowShortcut);
    m_Action_search->setToolTip(QStringLiteral("Search down (F3)"));
    connect(m_Action_search, &QAction::triggered, this, [this] { Action_searchExecute(); });

    m_Action_search_up = bar->addAction(style()->standardIcon(QStyle::SP_ArrowUp),
                                        QStringLiteral("Search up"));
    m_Action_search_up->setObjectName(QStringLiteral("Action_search_up"));
    m_Action_search_up->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    m_Action_search_up->setShortcutContext(Qt::WindowShortcut);
    m_Action_search_up->setToolTip(QStringLiteral("Search up (Shift+F3)"));
    connect(m_Action_search_up, &QAction::triggered, this, [this] { Action_search_upExecute(); });
}

void TForm1::BuildMemo() {
    m_Memo_test = new QPlainTextEdit;
    m_Memo_test->setObjectName(QStringLiteral("Memo_test"));
    m_Memo_test->setFont(CourierNew(11, false));
    m_Memo_test->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_Memo_test->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_Memo_test->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_Memo_test->setContextMenuPolicy(Qt::CustomContextMenu);
    m_Memo_test->installEventFilter(this);
    m_Memo_test->viewport()->installEventFilter(this);
    m_memoAccess.SetWidget(m_Memo_test);
    // The last, empty example line is where the caret rests.
    m_memoAccess.SetText(InitialMemoLines().join(u'\n'));

    auto* menu = new QMenu(m_Memo_test);
    menu->setObjectName(QStringLiteral("PopupMenu_memo"));
    QAction* save = menu->addAction(QStringLiteral("Save to file"));
    save->setObjectName(QStringLiteral("Savetofile1"));
    QAction* load = menu->addAction(QStringLiteral("Load form File"));
    load->setObjectName(QStringLiteral("LoadformFile1"));
    connect(save, &QAction::triggered, this, [this] { Savetofile1Click(); }, Qt::QueuedConnection);
    connect(load, &QAction::triggered, this, [this] { LoadformFile1Click(); }, Qt::QueuedConnection);
    connect(m_Memo_test, &QWidget::customContextMenuRequested, this, [this, menu](const QPoint& at) {
        m_Memo_test->setFocus(Qt::PopupFocusReason);
        menu->popup(m_Memo_test->viewport()->mapToGlobal(at));
    });
}

// --- memo events ---------------------------------------------------------------------------

bool TForm1::MemoEvent(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Enter) {
        m_memoModel.Memo_testMouseEnter();
        return false;
    }
    if (watched == m_Memo_test->viewport()) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // After the box has placed the caret or finished the selection.
        if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton)
            QTimer::singleShot(0, this, [this] { m_memoModel.Memo_testClick(); });
        if (type == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton)
            QTimer::singleShot(0, this, [this] { m_memoModel.Memo_testDblClick(); });
        return false;
    }
    if (type == QEvent::FocusIn) {
        TrackKey(watched, event);
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool ctrl = key->modifiers().testFlag(Qt::ControlModifier);
    if (type == QEvent::KeyPress) {
        TrackKey(watched, event);
        if (!IsEnter(key)) return false;
        // Enter is a command (on its release); Ctrl+Enter breaks the line.
        if (ctrl) m_Memo_test->textCursor().insertBlock();
        return true;
    }
    if (!TrackKey(watched, event)) return false;
    if (ctrl && IsEnter(key)) return false;
    OrvaneApplication::Run([&] {
        m_memoModel.Memo_testKeyUp(VirtualKeyFromQt({key->key(), false, false}),
                                   key->modifiers().testFlag(Qt::ShiftModifier));
    });
    return false;
}

// --- search -------------------------------------------------------------------------------

void TForm1::ComboBox_searchChange(const QString& text) {
    OrvaneApplication::Run([&] { m_memoModel.ComboBox_searchChange(Narrow(text)); });
}

void TForm1::Action_searchExecute() {
    m_memoModel.Action_searchExecute(Narrow(m_ComboBox_search->currentText()));
}

void TForm1::Action_search_upExecute() {
    m_memoModel.Action_search_upExecute(Narrow(m_ComboBox_search->currentText()));
}

// --- memo files -----------------------------------------------------------------------------

void TForm1::LoadformFile1Click() {
    if (!m_Memo_test->hasFocus()) return;
    const QString path = OrvaneApplication::CurrentDialogs().OpenFileName(
        this, QFileInfo(m_programPath).absolutePath(), QString::fromLatin1(kTextFileFilter));
    if (path.isEmpty()) return;
    QStringList lines;
    QString error;
    if (!QFileInfo(path).isFile())
        throw EOrvane("EFOpenError", "Cannot open file \"" + Narrow(path) + "\". No such file");
    if (!LoadMemoLines(path, lines, &error, &m_loadedFileFormat))
        throw EOrvane("EFOpenError", Narrow(error));
    m_memoAccess.SetLines(lines);
}

void TForm1::Savetofile1Click() {
    if (!m_Memo_test->hasFocus()) return;
    const QString path = OrvaneApplication::CurrentDialogs().SaveFileName(
        this, QFileInfo(m_programPath).absolutePath(), QString::fromLatin1(kTextFileFilter),
        QString::fromLatin1(kProposedSaveName));
    if (path.isEmpty()) return;
    QString error;
    if (!SaveMemoLines(path, m_memoAccess.Lines(), &error, &m_loadedFileFormat))
        throw EOrvane("EFCreateError", Narrow(error));
}

// --- smart-format box -----------------------------------------------------------------------

void TForm1::ProcessSmartFormat(const QString& text) {
    bool success = true;
    const std::string result = String_Proc(m_session, Narrow(text), true, success);
    m_session.Tmp_answer_all = result;
    // Each CR LF of the result starts another memo line.
    size_t start = 0;
    for (size_t at; (at = result.find("\r\n", start)) != std::string::npos; start = at + 2)
        m_memoAccess.AppendLine(result.substr(start, at - start));
    m_memoAccess.AppendLine(result.substr(start));
}

void TForm1::Button_SmartformatClick() { ProcessSmartFormat(m_ComboBoxEx_Smart_format->currentText()); }

void TForm1::ComboBoxEx_Smart_formatEndEdit() {
    // The selected part of the edit field joins the list unless an earlier
    // entry already holds exactly that text.
    const QString selected = m_ComboBoxEx_Smart_format->lineEdit()->selectedText();
    if (m_ComboBoxEx_Smart_format->findText(selected, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
        return;
    m_ComboBoxEx_Smart_format->addItem(selected);
}

void TForm1::SmartFormatBoxEvent(QEvent* event) {
    QLineEdit* edit = m_ComboBoxEx_Smart_format->lineEdit();
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn) {
        TrackKey(edit, event);
    } else if (type == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            ComboBoxEx_Smart_formatEndEdit();
    } else if (type == QEvent::KeyPress) {
        TrackKey(edit, event);
        if (IsEnter(static_cast<QKeyEvent*>(event))) ComboBoxEx_Smart_formatEndEdit();
    } else if (type == QEvent::KeyRelease) {
        if (TrackKey(edit, event) && IsEnter(static_cast<QKeyEvent*>(event)))
            OrvaneApplication::Run([&] { ProcessSmartFormat(m_ComboBoxEx_Smart_format->currentText()); });
    }
}

}  // namespace orvane::ui
