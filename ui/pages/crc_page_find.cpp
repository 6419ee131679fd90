// The CRC page's "Find parameters" tab: its controls, their forwarding to
// CrcPageModel and the mirror of its find-related state.
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextDocument>

#include "smartformat/field_table.h"
#include "ui/orvane_application.h"
#include "ui/pages/crc_page.h"
#include "ui/wide_text.h"
#include "ui/window_fonts.h"

namespace orvane::ui {

namespace {

// Frames and model lines are hex and names: a fixed-pitch font keeps their
// digits in columns.
QFont FindFont() { return CourierNew(12, false); }

QLabel* BuddyLabel(const char* caption, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(caption));
    label->setBuddy(buddy);
    return label;
}

QString JoinLines(const std::vector<std::string>& lines) {
    QStringList wide;
    for (const std::string& line : lines) wide << Wide(line);
    return wide.join(u'\n');
}

// The messages box shows this many lines.
constexpr int kMessageLines = 4;

// The height of a text box that shows `lines` lines of its font.
int LinesHeight(const QPlainTextEdit& box, int lines) {
    const QMargins m = box.contentsMargins();
    const int documentMargin = int(box.document()->documentMargin());
    return box.fontMetrics().lineSpacing() * lines + 2 * documentMargin + m.top() + m.bottom() + 2;
}

// Shows the wait cursor while it lives (a search of the largest input takes
// a good part of a second).
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

QWidget* CrcPage::BuildFindArea() {
    auto* area = new QWidget;
    area->setObjectName(QStringLiteral("TabSheet_CRC_find"));
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(4, 4, 4, 4);

    m_Button_CRC_fill_frames = new QPushButton(QStringLiteral("Frames from field table"));
    m_Button_CRC_fill_frames->setObjectName(QStringLiteral("Button_CRC_fill_frames"));
    m_SpinEdit_CRC_skip = new QSpinBox;
    m_SpinEdit_CRC_skip->setObjectName(QStringLiteral("SpinEdit_CRC_skip"));
    m_SpinEdit_CRC_skip->setRange(0, int(kCrcSearchMaxFrameBytes));
    m_SpinEdit_CRC_skip->setToolTip(QStringLiteral("Leading bytes of each frame that the CRC does not cover"));
    m_ComboBox_CRC_search_width = new QComboBox;
    m_ComboBox_CRC_search_width->setObjectName(QStringLiteral("ComboBox_CRC_search_width"));
    for (const char* caption : kCrcSearchWidthCaptions)
        m_ComboBox_CRC_search_width->addItem(QString::fromLatin1(caption));
    m_ComboBox_CRC_search_width->setCurrentIndex(int(m_model.search_widths()));
    m_Button_CRC_search = new QPushButton(QStringLiteral("Search"));
    m_Button_CRC_search->setObjectName(QStringLiteral("Button_CRC_search"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_Button_CRC_fill_frames);
    bar->addSpacing(12);
    bar->addWidget(BuddyLabel("Skip", m_SpinEdit_CRC_skip));
    bar->addWidget(m_SpinEdit_CRC_skip);
    bar->addSpacing(12);
    bar->addWidget(BuddyLabel("Width", m_ComboBox_CRC_search_width));
    bar->addWidget(m_ComboBox_CRC_search_width);
    bar->addSpacing(12);
    bar->addWidget(m_Button_CRC_search);
    bar->addStretch(1);
    grid->addLayout(bar, 0, 0, 1, 2);

    m_Memo_CRC_frames = new QPlainTextEdit;
    m_Memo_CRC_frames->setObjectName(QStringLiteral("Memo_CRC_frames"));
    m_Memo_CRC_frames->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_Memo_CRC_frames->setFont(FindFont());
    m_Memo_CRC_frames->setTabChangesFocus(true);
    m_Memo_CRC_frames->setPlaceholderText(QStringLiteral("e.g. 01 03 00 00 00 0A C5 CD"));
    m_ListBox_CRC_models = new QListWidget;
    m_ListBox_CRC_models->setObjectName(QStringLiteral("ListBox_CRC_models"));
    grid->addWidget(BuddyLabel("Frames (one per line)", m_Memo_CRC_frames), 1, 0);
    grid->addWidget(BuddyLabel("Models (pick one to use it)", m_ListBox_CRC_models), 1, 1);
    grid->addWidget(m_Memo_CRC_frames, 2, 0);
    grid->addWidget(m_ListBox_CRC_models, 2, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    grid->setRowStretch(2, 1);

    // A box of its own height, so that what the search says never changes
    // the layout; more lines than fit scroll inside it.
    m_Memo_CRC_search_messages = new QPlainTextEdit;
    m_Memo_CRC_search_messages->setObjectName(QStringLiteral("Memo_CRC_search_messages"));
    m_Memo_CRC_search_messages->setAccessibleName(QStringLiteral("Search messages"));
    m_Memo_CRC_search_messages->setReadOnly(true);
    m_Memo_CRC_search_messages->setTabChangesFocus(true);
    m_Memo_CRC_search_messages->setFixedHeight(
        LinesHeight(*m_Memo_CRC_search_messages, kMessageLines));
    grid->addWidget(m_Memo_CRC_search_messages, 3, 0, 1, 2);
    return area;
}

void CrcPage::ConnectFindArea() {
    connect(m_Memo_CRC_frames, &QPlainTextEdit::textChanged, this,
            [this] { m_model.SetFramesText(Narrow(m_Memo_CRC_frames->toPlainText())); });
    connect(m_SpinEdit_CRC_skip, &QSpinBox::valueChanged, this,
            [this](int skip) { m_model.SetSkip(size_t(skip)); });
    connect(m_ComboBox_CRC_search_width, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_model.SetSearchWidths(CrcSearchWidths(index)); });
    connect(m_Button_CRC_fill_frames, &QPushButton::clicked, this,
            [this] { Button_CRC_fill_framesClick(); });
    connect(m_Button_CRC_search, &QPushButton::clicked, this, [this] { Button_CRC_searchClick(); });
    // A click picks; so does Enter (or a double-click) on the current item.
    connect(m_ListBox_CRC_models, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListBox_CRC_modelsPick(m_ListBox_CRC_models->row(item)); });
    connect(m_ListBox_CRC_models, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { ListBox_CRC_modelsPick(m_ListBox_CRC_models->row(item)); });
}

bool CrcPage::MirrorFindArea(CrcPageModel::Item item) {
    using Item = CrcPageModel::Item;
    switch (item) {
        case Item::Frames: {
            const QString text = Wide(m_model.frames_text());
            if (m_Memo_CRC_frames->toPlainText() != text) {
                const QSignalBlocker block(m_Memo_CRC_frames);
                m_Memo_CRC_frames->setPlainText(text);
            }
            return true;
        }
        case Item::Skip: {
            const QSignalBlocker block(m_SpinEdit_CRC_skip);
            m_SpinEdit_CRC_skip->setValue(int(m_model.skip()));
            return true;
        }
        case Item::SearchWidths: {
            const QSignalBlocker block(m_ComboBox_CRC_search_width);
            m_ComboBox_CRC_search_width->setCurrentIndex(int(m_model.search_widths()));
            return true;
        }
        case Item::FoundModels: {
            m_ListBox_CRC_models->clear();
            for (const std::string& line : m_model.found_lines())
                m_ListBox_CRC_models->addItem(Wide(line));
            return true;
        }
        case Item::SearchMessages:
            m_Memo_CRC_search_messages->setPlainText(JoinLines(m_model.search_messages()));
            return true;
        default: return false;
    }
}

// --- handlers -------------------------------------------------------------------------------

void CrcPage::Button_CRC_fill_framesClick() {
    OrvaneApplication::Run([this] {
        const FieldTable none;  // no table: no field to fill from
        m_model.FillFramesFromFieldTable(m_fieldTable ? *m_fieldTable : none);
    });
}

void CrcPage::Button_CRC_searchClick() {
    const WaitCursor wait;
    OrvaneApplication::Run([this] { m_model.SearchClick(); });
}

void CrcPage::ListBox_CRC_modelsPick(int row) {
    OrvaneApplication::Run([this, row] { m_model.PickFoundModel(row); });
}

}  // namespace orvane::ui
