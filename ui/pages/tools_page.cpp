// The tools page's widgets: layout, event forwarding to ToolsPageModel and
// the mirror of the texts the model changes.
#include "ui/pages/tools_page.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QVBoxLayout>

#include <optional>

#include "tools/smbios.h"
#include "ui/orvane_application.h"
#include "ui/pages/page_host.h"
#include "ui/wide_text.h"
#include "ui/window_fonts.h"

namespace orvane::ui {

namespace {

// Lines the DATA and Encoded boxes show without scrolling.
constexpr int kTextBoxLines = 5;
// The log's fixed-pitch font, so that the labelled system lines line up.
constexpr int kLogFontPixels = 13;

QString Caption(const char* text) { return QString::fromLatin1(text); }

// The text of a multi-line box as typed: its raw text keeps non-breaking
// spaces (the plain-text form would turn them into spaces), and its paragraph
// and line separators are line breaks.
QString TypedText(const QPlainTextEdit* box) {
    QString text = box->document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = u'\n';
    return text;
}

QPlainTextEdit* TextBox(const char* name, const char* accessibleName, const std::string& text) {
    auto* box = new QPlainTextEdit(LogLineText(text));
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(QLatin1String(accessibleName));
    box->setToolTip(QLatin1String(accessibleName));
    box->setTabChangesFocus(true);
    const QMargins m = box->contentsMargins();
    box->setFixedHeight(box->fontMetrics().lineSpacing() * kTextBoxLines +
                        2 * int(box->document()->documentMargin()) + m.top() + m.bottom());
    return box;
}

}  // namespace

QString LogLineText(const std::string& line) {
    QString text = Wide(line);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

ToolsPage::ToolsPage(PageHost& host, EngineHost& engine, Md5Hasher& hasher, QWidget* parent)
    : QWidget(parent), m_host(host), m_model(engine, hasher, m_guids, SmbiosPathsFromEnvironment()) {
    setObjectName(Caption(kToolsPageCaption));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(BuildInputs());
    layout->addWidget(BuildToolButtons());

    m_Memo2 = new QPlainTextEdit(Caption(kMemo2InitialText));
    m_Memo2->setObjectName(QStringLiteral("Memo2"));
    m_Memo2->setAccessibleName(QStringLiteral("Tools log"));
    m_Memo2->setFont(CourierNew(kLogFontPixels, false));
    layout->addWidget(m_Memo2, 1);

    m_model.SetMemo1([this](const std::string& line) { m_host.AppendMemo1(LogLineText(line)); });
    m_model.SetMemo2([this](const std::string& line) { AppendMemo2(LogLineText(line)); });
    m_model.SetBoxListener([this](ToolsBox box) { MirrorBox(box); });
    ConnectBoxes();
}

ToolsPage::~ToolsPage() = default;

// Key and IV side by side; below them the plain text, the cipher's buttons
// and the cipher text.
QWidget* ToolsPage::BuildInputs() {
    auto* inputs = new QWidget;
    auto* column = new QVBoxLayout(inputs);
    column->setContentsMargins(0, 0, 0, 0);

    auto* keys = new QHBoxLayout;
    auto addKeyBox = [keys](const char* name, const char* label) {
        auto* box = new QLineEdit(Caption(kToolsPlaceholder));
        box->setObjectName(QLatin1String(name));
        auto* caption = new QLabel(Caption(label));
        caption->setBuddy(box);
        keys->addWidget(caption);
        keys->addWidget(box, 1);
        return box;
    };
    m_ComboBox_Key = addKeyBox("ComboBox_Key", kKeyLabel);
    keys->addSpacing(12);
    m_ComboBox_IV = addKeyBox("ComboBox_IV", kIVLabel);
    column->addLayout(keys);

    auto* texts = new QHBoxLayout;
    m_ComboBox_DATA = TextBox("ComboBox_DATA", "DATA", m_model.Text(ToolsBox::DATA));
    m_ComboBox_Encoded = TextBox("ComboBox_Encoded", "Encoded", m_model.Text(ToolsBox::Encoded));
    texts->addWidget(m_ComboBox_DATA, 1);
    texts->addWidget(BuildCipherGroup());
    texts->addWidget(m_ComboBox_Encoded, 1);
    column->addLayout(texts);
    return inputs;
}

QGroupBox* ToolsPage::BuildCipherGroup() {
    auto* group = new QGroupBox(QStringLiteral("Cipher"));
    group->setObjectName(QStringLiteral("CipherTools"));
    auto* buttons = new QVBoxLayout(group);
    buttons->addWidget(AddButton("Button_encode", kButtonEncodeCaption, &ToolsPage::Button_encodeClick));
    buttons->addWidget(AddButton("Button_decode", kButtonDecodeCaption, &ToolsPage::Button_decodeClick));
    buttons->addStretch(1);
    return group;
}

// One row of groups: digests, machine identity, date and GUID.
QWidget* ToolsPage::BuildToolButtons() {
    auto* row = new QWidget;
    auto* groups = new QHBoxLayout(row);
    groups->setContentsMargins(0, 0, 0, 0);
    auto addGroup = [&](const char* name, const char* title,
                        std::initializer_list<QPushButton*> members) {
        auto* group = new QGroupBox(Caption(title));
        group->setObjectName(QLatin1String(name));
        auto* line = new QHBoxLayout(group);
        for (QPushButton* b : members) line->addWidget(b);
        groups->addWidget(group);
    };
    addGroup("DigestTools", "Digest",
             {AddButton("Button_String_MD5", kButtonStringMd5Caption, &ToolsPage::Button_String_MD5Click),
              AddButton("Button8", kButtonFileMd5Caption, &ToolsPage::Button8Click)});
    addGroup("IdentityTools", "Machine identity",
             {AddButton("Button_systeminfo", kButtonSysteminfoCaption, &ToolsPage::Button_systeminfoClick)});
    addGroup("DateGuidTools", "Date and GUID",
             {AddButton("Button_time", kButtonTimeCaption, &ToolsPage::Button_timeClick),
              AddButton("Button9", kButton9Caption, &ToolsPage::Button9Click),
              AddButton("Button_GUID", kButtonGuidCaption, &ToolsPage::Button_GUIDClick)});
    groups->addStretch(1);
    return row;
}

QPushButton* ToolsPage::AddButton(const char* name, const char* caption,
                                  void (ToolsPage::*handler)()) {
    auto* button = new QPushButton(Caption(caption));
    button->setObjectName(QLatin1String(name));
    // The handler runs once the click has been handled: its boxes and dialogs
    // are modal outside the button's own event handling, and an error it
    // raises goes to the application's error dialog.
    connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); },
            Qt::QueuedConnection);
    return button;
}

void ToolsPage::ConnectBoxes() {
    connect(m_ComboBox_Key, &QLineEdit::textChanged, this, [this] { BoxEdited(ToolsBox::Key); });
    connect(m_ComboBox_IV, &QLineEdit::textChanged, this, [this] { BoxEdited(ToolsBox::IV); });
    connect(m_ComboBox_DATA, &QPlainTextEdit::textChanged, this, [this] { BoxEdited(ToolsBox::DATA); });
    connect(m_ComboBox_Encoded, &QPlainTextEdit::textChanged, this,
            [this] { BoxEdited(ToolsBox::Encoded); });
    for (QWidget* w : {static_cast<QWidget*>(m_ComboBox_Key), static_cast<QWidget*>(m_ComboBox_IV),
                       m_ComboBox_DATA->viewport(), m_ComboBox_Encoded->viewport()})
        w->installEventFilter(this);
}

std::string ToolsPage::BoxText(ToolsBox box) const {
    switch (box) {
        case ToolsBox::Key: return Narrow(m_ComboBox_Key->text());
        case ToolsBox::IV: return Narrow(m_ComboBox_IV->text());
        case ToolsBox::DATA: return MultiLineBoxText(Narrow(TypedText(m_ComboBox_DATA)));
        case ToolsBox::Encoded: break;
    }
    return MultiLineBoxText(Narrow(TypedText(m_ComboBox_Encoded)));
}

void ToolsPage::BoxEdited(ToolsBox box) {
    // A multi-line box also reports changes of layout or format alone; only
    // a new text is a change.
    std::string text = BoxText(box);
    if (text == m_model.Text(box)) return;
    OrvaneApplication::Run([&] { m_model.SetText(box, std::move(text)); });
}

void ToolsPage::MirrorBox(ToolsBox box) {
    const QString text = LogLineText(m_model.Text(box));
    switch (box) {
        case ToolsBox::Key:
        case ToolsBox::IV: {
            QLineEdit* edit = box == ToolsBox::Key ? m_ComboBox_Key : m_ComboBox_IV;
            const QSignalBlocker block(edit);
            edit->setText(text);
            break;
        }
        case ToolsBox::DATA:
        case ToolsBox::Encoded: {
            QPlainTextEdit* edit = box == ToolsBox::DATA ? m_ComboBox_DATA : m_ComboBox_Encoded;
            const QSignalBlocker block(edit);
            edit->setPlainText(text);
            break;
        }
    }
}

bool ToolsPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        OrvaneApplication::Run([&] {
            if (watched == m_ComboBox_Key) m_model.ComboBox_Click2(ToolsBox::Key);
            else if (watched == m_ComboBox_IV) m_model.ComboBox_Click2(ToolsBox::IV);
            else if (watched == m_ComboBox_DATA->viewport()) m_model.ComboBox_Click(ToolsBox::DATA);
            else if (watched == m_ComboBox_Encoded->viewport())
                m_model.ComboBox_Click(ToolsBox::Encoded);
        });
    }
    return QWidget::eventFilter(watched, event);
}

void ToolsPage::AppendMemo2(const QString& line) { m_Memo2->appendPlainText(line); }

void ToolsPage::Button8Click() {
    const QString path = OrvaneApplication::CurrentDialogs().OpenFileName(this, QString(), QString());
    m_model.Button8Click(path.isEmpty() ? std::nullopt : std::optional<std::string>(Narrow(path)));
}

}  // namespace orvane::ui
