// The calculator panel's widgets: layout, event forwarding to the
// CalculatorModel and the mirror of its texts.
#include "ui/calculator_panel.h"

#include <QFont>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/field_text_insertion.h"
#include "ui/orvane_application.h"
#include "ui/wide_text.h"
#include "ui/window_fonts.h"

namespace orvane::ui {

namespace {

// The box state the calculator model needs with each event.
CalculatorModel::EditState BoxState(const QLineEdit* box) {
    return {Narrow(box->text()), Narrow(box->selectedText())};
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

// The "=" between the expression and its answer.
constexpr int kEqualsSignPixels = 24;

}  // namespace

CalculatorPanel::CalculatorPanel(CalculatorModel& calc, QWidget* parent)
    : QWidget(parent), m_calc(calc) {
    setObjectName(QStringLiteral("Panel4"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 2, 0, 0);

    m_ComboBoxExpression = new QLineEdit;
    m_ComboBoxExpression->setObjectName(QStringLiteral("ComboBoxExpression"));
    m_ComboBoxExpression->setFont(CourierNew(kExpressionFontPixels, true));
    m_ComboBoxExpression->setMinimumHeight(m_ComboBoxExpression->sizeHint().height());

    m_Button_Expression = new QPushButton(QStringLiteral("Input"));
    m_Button_Expression->setObjectName(QStringLiteral("Button_Expression"));
    m_Button_Expression->setToolTip(QString::fromLatin1(kInputButtonHint));

    auto* label1 = new QLabel(QStringLiteral("="));
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setFont(Arial(kEqualsSignPixels, true));

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

    Connect();
}

CalculatorPanel::~CalculatorPanel() { m_calc.SetListener({}); }

void CalculatorPanel::Connect() {
    m_calc.SetListener([this](CalculatorModel::Item item) { Mirror(item); });
    for (QLineEdit* box : {m_ComboBoxExpression, m_Edit_Hex, m_Edit_DEC, m_Edit_Binary})
        box->installEventFilter(this);
    // A double-click on the grid replaces the selection the expression box
    // had when the user left it.
    KeepBoxSelection(m_ComboBoxExpression);
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

void CalculatorPanel::Mirror(CalculatorModel::Item item) {
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

void CalculatorPanel::Button_ExpressionClick() { m_calc.Button_ExpressionClick(); }

void CalculatorPanel::InsertFieldText(const QString& text) {
    InsertFieldTextIntoBox(m_ComboBoxExpression, text);
    // The calculator keeps the box's text; the caret stays at its end.
    m_calc.SetExpressionText(Narrow(m_ComboBoxExpression->text()), CalculatorModel::Cursor::End);
}

bool CalculatorPanel::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool conversionBox = watched == m_Edit_Hex || watched == m_Edit_DEC || watched == m_Edit_Binary;
    if (watched != m_ComboBoxExpression && !conversionBox) return QWidget::eventFilter(watched, event);
    if (type == QEvent::FocusIn || type == QEvent::KeyPress) m_keys.Track(watched, event);
    // A release without its press in this box (the Enter that closed a box
    // elsewhere) does nothing.
    if (type == QEvent::KeyRelease && !m_keys.Track(watched, event)) return false;

    if (watched == m_ComboBoxExpression) {
        if (type == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            m_calc.ComboBoxExpressionKeyDown(VirtualKeyFromQt(DescribeKey(key)),
                                             key->modifiers().testFlag(Qt::ShiftModifier),
                                             BoxState(m_ComboBoxExpression));
            for (QChar unit : key->text())
                m_calc.ComboBoxExpressionKeyPress(char32_t(unit.unicode()),
                                                  BoxState(m_ComboBoxExpression));
            return false;  // the box then takes the key as usual
        }
        if (type == QEvent::KeyRelease) {
            OrvaneApplication::Run([&] {
                m_calc.ComboBoxExpressionKeyUp(
                    VirtualKeyFromQt(DescribeKey(static_cast<QKeyEvent*>(event))),
                    BoxState(m_ComboBoxExpression));
            });
            return false;
        }
        if (type == QEvent::Enter) m_calc.ComboBoxExpressionMouseEnter();
        return false;
    }
    if (type == QEvent::KeyRelease) {
        const auto which = watched == m_Edit_Hex   ? CalculatorModel::ConversionBox::Hex
                           : watched == m_Edit_DEC ? CalculatorModel::ConversionBox::Dec
                                                   : CalculatorModel::ConversionBox::Binary;
        auto* box = static_cast<QLineEdit*>(watched);
        OrvaneApplication::Run([&] {
            m_calc.Edit_DECKeyUp(which, VirtualKeyFromQt(DescribeKey(static_cast<QKeyEvent*>(event))),
                                 Narrow(box->text()));
        });
    }
    return false;
}

}  // namespace orvane::ui
