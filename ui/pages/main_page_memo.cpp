// The main page's script memo: the box and its context menu, its keys and
// clicks, the quick search and the memo files.
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>

#include "engine/errors.h"
#include "ui/memo_file.h"
#include "ui/orvane_application.h"
#include "ui/pages/main_page.h"
#include "ui/pages/page_host.h"
#include "ui/qt_memo.h"
#include "ui/wide_text.h"
#include "ui/window_fonts.h"

namespace orvane::ui {

namespace {

constexpr const char* kSearchInitial = "Qucik Search";
// The search box shows at least this many characters.
constexpr int kSearchMinimumCharacters = 20;
constexpr int kMemoFontPixels = 11;
constexpr const char* kTextFileFilter = "Text File (*.txt)";
constexpr const char* kProposedSaveName = "tmp_file.txt";

}  // namespace

// --- building ---------------------------------------------------------------------------

void MainPage::AddSearchTools(QToolBar* bar) {
    m_ComboBox_search = new QComboBox;
    m_ComboBox_search->setObjectName(QStringLiteral("ComboBox_search"));
    m_ComboBox_search->setEditable(true);
    m_ComboBox_search->setInsertPolicy(QComboBox::NoInsert);
    m_ComboBox_search->setCompleter(nullptr);
    m_ComboBox_search->setMinimumContentsLength(kSearchMinimumCharacters);
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

void MainPage::BuildMemo() {
    m_Memo_test = new QPlainTextEdit;
    m_Memo_test->setObjectName(QStringLiteral("Memo_test"));
    m_Memo_test->setFont(CourierNew(kMemoFontPixels, false));
    m_Memo_test->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_Memo_test->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_Memo_test->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_Memo_test->setContextMenuPolicy(Qt::CustomContextMenu);
    m_Memo_test->installEventFilter(this);
    m_Memo_test->viewport()->installEventFilter(this);
    QtMemoAccess& access = m_host.memo();
    access.SetWidget(m_Memo_test);
    // The last, empty example line is where the caret rests.
    access.SetText(InitialMemoLines().join(u'\n'));

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

bool MainPage::MemoEvent(QObject* watched, QEvent* event) {
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
        m_keys.Track(watched, event);
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool ctrl = key->modifiers().testFlag(Qt::ControlModifier);
    if (type == QEvent::KeyPress) {
        m_keys.Track(watched, event);
        if (!IsEnterKey(key)) return false;
        // Enter is a command (on its release); Ctrl+Enter breaks the line.
        if (ctrl) m_Memo_test->textCursor().insertBlock();
        return true;
    }
    if (!m_keys.Track(watched, event)) return false;
    if (ctrl && IsEnterKey(key)) return false;
    OrvaneApplication::Run([&] {
        m_memoModel.Memo_testKeyUp(VirtualKeyFromQt({key->key(), false, false}),
                                   key->modifiers().testFlag(Qt::ShiftModifier));
    });
    return false;
}

// --- search -------------------------------------------------------------------------------

void MainPage::ComboBox_searchChange(const QString& text) {
    OrvaneApplication::Run([&] { m_memoModel.ComboBox_searchChange(Narrow(text)); });
}

void MainPage::Action_searchExecute() {
    m_memoModel.Action_searchExecute(Narrow(m_ComboBox_search->currentText()));
}

void MainPage::Action_search_upExecute() {
    m_memoModel.Action_search_upExecute(Narrow(m_ComboBox_search->currentText()));
}

// --- memo files -----------------------------------------------------------------------------

void MainPage::LoadformFile1Click() {
    if (!m_Memo_test->hasFocus()) return;
    const QString path = OrvaneApplication::CurrentDialogs().OpenFileName(
        this, QFileInfo(m_host.programPath()).absolutePath(), QString::fromLatin1(kTextFileFilter));
    if (path.isEmpty()) return;
    QStringList lines;
    QString error;
    if (!QFileInfo(path).isFile())
        throw EOrvane("EFOpenError", "Cannot open file \"" + Narrow(path) + "\". No such file");
    if (!LoadMemoLines(path, lines, &error, &m_loadedFileFormat)) throw EOrvane("EFOpenError", Narrow(error));
    m_host.memo().SetLines(lines);
}

void MainPage::Savetofile1Click() {
    if (!m_Memo_test->hasFocus()) return;
    const QString path = OrvaneApplication::CurrentDialogs().SaveFileName(
        this, QFileInfo(m_host.programPath()).absolutePath(), QString::fromLatin1(kTextFileFilter),
        QString::fromLatin1(kProposedSaveName));
    if (path.isEmpty()) return;
    QString error;
    if (!SaveMemoLines(path, m_host.memo().Lines(), &error, &m_loadedFileFormat))
        throw EOrvane("EFCreateError", Narrow(error));
}

}  // namespace orvane::ui
