// The CRC page's widgets: layout, event forwarding to CrcPageModel and the
// mirror of its state.
#include "ui/pages/crc_page.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/orvane_application.h"
#include "ui/wide_text.h"
#include "ui/window_fonts.h"

namespace orvane::ui {

namespace {

// The reference table's fixed-pitch font, so that the padded columns line up.
QFont ReferenceFont() { return CourierNew(12, false); }

// Sets a box's text without reporting it back to the model.
void MirrorText(QLineEdit* box, const std::string& text) {
    const QString wide = Wide(text);
    if (box->text() == wide) return;
    const QSignalBlocker block(box);
    box->setText(wide);
}

void MirrorChecked(QAbstractButton* button, bool on) {
    if (!button || button->isChecked() == on) return;
    const QSignalBlocker block(button);
    button->setChecked(on);
}

// Checks item `id` of an exclusive group without reporting it back.
void MirrorGroup(QButtonGroup* group, int id) {
    const QSignalBlocker block(group);
    MirrorChecked(group->button(id), true);
}

constexpr int kQuickSettingColumns = 4;

}  // namespace

CrcPage::CrcPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CRC"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    // The controls and the presets on top, the two tabs below them taking the
    // rest of the height. A window lower than the default scrolls the page
    // vertically; nothing on it is wider than the window, so it never
    // scrolls sideways (the reference table scrolls inside its own area).
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(BuildControls());
    column->addWidget(BuildQuickSettingGroup(), 0, Qt::AlignLeft);
    column->addWidget(BuildLowerTabs(), 1);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("CRC_controls"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(content);
    layout->addWidget(scroll, 1);

    // Empty until the calculator panel is docked here on page entry.
    m_dock = new QVBoxLayout;
    m_dock->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(m_dock);

    Connect();
}

QWidget* CrcPage::BuildControls() {
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);

    auto edit = [](const char* name, const char* text) {
        auto* e = new QLineEdit(QString::fromLatin1(text));
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    m_Edit_CRC_original_String = edit("Edit_CRC_original_String", kCrcInitialData);
    m_Edit_CRC_result = edit("Edit_CRC_result", kCrcInitialResult);
    m_Button7 = new QPushButton(QStringLiteral("CRC Calc"));
    m_Button7->setObjectName(QStringLiteral("Button7"));
    grid->addWidget(m_Edit_CRC_original_String, 0, 0, 1, 4);
    grid->addWidget(m_Button7, 0, 4);
    grid->addWidget(m_Edit_CRC_result, 0, 5, 1, 2);

    grid->addWidget(BuildWidthGroup(), 1, 0, 2, 1);
    const CrcPreset& initial = kCrcPresets[kCrcInitialPreset];
    m_Edit_CRC_Polynom = edit("Edit_CRC_Polynom", initial.polynom);
    m_Edit_CRC_Initial_value = edit("Edit_CRC_Initial_value", initial.initial);
    m_Edit_CRC_Final_XOR = edit("Edit_CRC_Final_XOR", initial.finalXor);
    int col = 1;
    for (auto [caption, e] : {std::pair{"Polynom", m_Edit_CRC_Polynom},
                              std::pair{"Initial Value", m_Edit_CRC_Initial_value},
                              std::pair{"Final XOR", m_Edit_CRC_Final_XOR}}) {
        auto* label = new QLabel(QString::fromLatin1(caption));
        label->setBuddy(e);
        grid->addWidget(label, 1, col);
        grid->addWidget(e, 2, col++);
    }

    m_CheckBox_CRC_reverse_data = new QCheckBox(QStringLiteral("Reverse_Data"));
    m_CheckBox_CRC_reverse_data->setObjectName(QStringLiteral("CheckBox_CRC_reverse_data"));
    m_CheckBox_CRC_reverse_data->setChecked(true);
    m_CheckBox_CRC_reverse_result = new QCheckBox(QStringLiteral("Reverse_Result"));
    m_CheckBox_CRC_reverse_result->setObjectName(QStringLiteral("CheckBox_CRC_reverse_result"));
    m_CheckBox_CRC_reverse_result->setChecked(true);
    grid->addWidget(m_CheckBox_CRC_reverse_data, 1, 4, 1, 2);
    grid->addWidget(m_CheckBox_CRC_reverse_result, 2, 4, 1, 2);
    grid->setColumnStretch(6, 1);
    return box;
}

QGroupBox* CrcPage::BuildWidthGroup() {
    m_RadioGroup_CRC_08_16 = new QGroupBox(QStringLiteral("CRC_08_16"));
    m_RadioGroup_CRC_08_16->setObjectName(QStringLiteral("RadioGroup_CRC_08_16"));
    m_widthButtons = new QButtonGroup(m_RadioGroup_CRC_08_16);
    // Two columns: the items side by side.
    auto* row = new QHBoxLayout(m_RadioGroup_CRC_08_16);
    for (int id = 0; id < 2; ++id) {
        auto* item = new QRadioButton(QString::fromLatin1(kCrcWidthCaptions[id]));
        item->setObjectName(QStringLiteral("RadioGroup_CRC_08_16_%1").arg(id));
        m_widthButtons->addButton(item, id);
        row->addWidget(item);
    }
    m_widthButtons->button(int(CrcWidth::Crc8))->setChecked(true);
    return m_RadioGroup_CRC_08_16;
}

QGroupBox* CrcPage::BuildQuickSettingGroup() {
    m_RadioGroup_CRC_Quick_Setting = new QGroupBox(QStringLiteral("CRC_Quick_Setting"));
    m_RadioGroup_CRC_Quick_Setting->setObjectName(QStringLiteral("RadioGroup_CRC_Quick_Setting"));
    m_quickButtons = new QButtonGroup(m_RadioGroup_CRC_Quick_Setting);
    auto* grid = new QGridLayout(m_RadioGroup_CRC_Quick_Setting);
    // Tight rows leave the height to the tabs below.
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(0);
    // Filled column by column, as a radio group lays out its items.
    const int rows = (kCrcPresetCount + kQuickSettingColumns - 1) / kQuickSettingColumns;
    for (const CrcPreset& p : kCrcPresets) {
        auto* item = new QRadioButton(QString::fromLatin1(p.caption));
        item->setObjectName(QStringLiteral("RadioGroup_CRC_Quick_Setting_%1").arg(p.index));
        m_quickButtons->addButton(item, p.index);
        grid->addWidget(item, p.index % rows, p.index / rows);
    }
    m_quickButtons->button(kCrcInitialPreset)->setChecked(true);
    return m_RadioGroup_CRC_Quick_Setting;
}

QWidget* CrcPage::BuildReferenceTable() {
    auto* table = new QWidget;
    table->setObjectName(QStringLiteral("CRC_reference_table"));
    auto* column = new QVBoxLayout(table);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(0);
    const QFont font = ReferenceFont();
    auto label = [&](size_t i, const std::string& text) {
        // Plain text: the default alignment of a label expands the tabs.
        auto* l = new QLabel(Wide(text));
        l->setObjectName(QStringLiteral("Label_CRC_reference_%1").arg(i));
        l->setTextFormat(Qt::PlainText);
        l->setTextInteractionFlags(Qt::NoTextInteraction);  // text only
        l->setFont(font);
        column->addWidget(l);
        m_reference[i] = l;
    };
    label(0, CrcReferenceHeader());
    const std::vector<CrcReferenceRow> rows = CrcReferenceRows();
    for (size_t i = 0; i < rows.size(); ++i) label(i + 1, rows[i].text);
    column->addStretch(1);

    // Wider and taller than its place: it scrolls both ways inside it.
    m_referenceScroll = new QScrollArea;
    m_referenceScroll->setObjectName(QStringLiteral("CRC_reference_scroll"));
    m_referenceScroll->setAccessibleName(QStringLiteral("Reference table"));
    m_referenceScroll->setWidgetResizable(true);
    m_referenceScroll->setWidget(table);
    return m_referenceScroll;
}

QTabWidget* CrcPage::BuildLowerTabs() {
    m_PageControl_CRC = new QTabWidget;
    m_PageControl_CRC->setObjectName(QStringLiteral("PageControl_CRC"));
    m_PageControl_CRC->addTab(BuildReferenceTable(), QStringLiteral("Reference table"));
    m_PageControl_CRC->addTab(BuildFindArea(), QStringLiteral("Find parameters"));
    return m_PageControl_CRC;
}

void CrcPage::Connect() {
    m_model.SetListener([this](CrcPageModel::Item item) { Mirror(item); });

    connect(m_Edit_CRC_original_String, &QLineEdit::textChanged, this,
            [this] { Edit_CRC_original_StringChange(); });
    connect(m_Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    connect(m_quickButtons, &QButtonGroup::idClicked, this,
            [this](int id) { RadioGroup_CRC_Quick_SettingClick(id); });

    // Changes by hand are only stored.
    connect(m_widthButtons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) m_model.SetWidth(CrcWidth(id));
    });
    connect(m_Edit_CRC_Polynom, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_model.SetPolynomText(Narrow(t)); });
    connect(m_Edit_CRC_Initial_value, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_model.SetInitialValueText(Narrow(t)); });
    connect(m_Edit_CRC_Final_XOR, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_model.SetFinalXorText(Narrow(t)); });
    connect(m_CheckBox_CRC_reverse_data, &QCheckBox::toggled, this,
            [this](bool on) { m_model.SetReverseData(on); });
    connect(m_CheckBox_CRC_reverse_result, &QCheckBox::toggled, this,
            [this](bool on) { m_model.SetReverseResult(on); });
    ConnectFindArea();
}

void CrcPage::SetExpressionSink(CrcPageModel::ExpressionSink sink) {
    m_model.SetExpressionSink(std::move(sink));
}

void CrcPage::Mirror(CrcPageModel::Item item) {
    using Item = CrcPageModel::Item;
    switch (item) {
        case Item::Data: MirrorText(m_Edit_CRC_original_String, m_model.data_text()); break;
        case Item::Result: MirrorText(m_Edit_CRC_result, m_model.result_text()); break;
        case Item::Width: MirrorGroup(m_widthButtons, int(m_model.width())); break;
        case Item::Polynom: MirrorText(m_Edit_CRC_Polynom, m_model.polynom_text()); break;
        case Item::InitialValue:
            MirrorText(m_Edit_CRC_Initial_value, m_model.initial_value_text());
            break;
        case Item::FinalXor: MirrorText(m_Edit_CRC_Final_XOR, m_model.final_xor_text()); break;
        case Item::ReverseData:
            MirrorChecked(m_CheckBox_CRC_reverse_data, m_model.reverse_data());
            break;
        case Item::ReverseResult:
            MirrorChecked(m_CheckBox_CRC_reverse_result, m_model.reverse_result());
            break;
        case Item::QuickSetting: MirrorGroup(m_quickButtons, m_model.quick_setting()); break;
        default: MirrorFindArea(item); break;
    }
}

// --- handlers -------------------------------------------------------------------------------

// Each runs inside a control's signal, so a raised error is reported right
// there instead of unwinding through the toolkit.

void CrcPage::Button7Click() {
    OrvaneApplication::Run([this] { m_model.Button7Click(); });
}

void CrcPage::Edit_CRC_original_StringChange() {
    OrvaneApplication::Run([this] {
        m_model.Edit_CRC_original_StringChange(Narrow(m_Edit_CRC_original_String->text()));
    });
}

void CrcPage::RadioGroup_CRC_Quick_SettingClick(int index) {
    OrvaneApplication::Run([this, index] { m_model.RadioGroup_CRC_Quick_SettingClick(index); });
}

void CrcPage::TabSheet_CRCEnter(QWidget* panel4) {
    if (!panel4 || m_dock->indexOf(panel4) >= 0) return;
    // Adding to the dock reparents the panel from the page it was on.
    m_dock->addWidget(panel4);
}

}  // namespace orvane::ui
