#pragma once
// The CRC page (object name "CRC"): data and result boxes, "CRC Calc", the
// width group, the three parameter boxes, the two reflection check boxes, the
// 28 quick settings and the reference table in a fixed-pitch font. The
// controls forward their events to a CrcPageModel and mirror what it reports.
//
// Wiring into the main window:
//   - the generated expression goes to the calculator's expression box:
//       page->SetExpressionSink([&calc](const std::string& e) {
//           calc.SetExpressionText(e); });
//   - entering the page docks the calculator panel at its bottom edge:
//       page->TabSheet_CRCEnter(panel4);   // from the tab widget's currentChanged
//     Entering the main page moves the panel back (MainPage::MainEnter).
//
// Errors a handler raises (data that is not hexadecimal) go to the
// application's error dialog (OrvaneApplication::Run) as soon as they are
// raised, inside the control's own event handling; the page stays usable.
#include <QWidget>

#include <array>

#include "ui/model/crc_page_model.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace orvane::ui {

class CrcPage : public QWidget {
public:
    explicit CrcPage(QWidget* parent = nullptr);

    CrcPageModel& model() { return m_model; }
    // Receives every generated expression (at once, before the CRC is computed).
    void SetExpressionSink(CrcPageModel::ExpressionSink sink);

    // The empty layout at the bottom of the page that holds the calculator
    // panel while the page is shown.
    QVBoxLayout* CalculatorDock() const { return m_dock; }
    // Page entry: moves `panel4` (the calculator panel) into CalculatorDock,
    // unless it is there already. Null does nothing.
    void TabSheet_CRCEnter(QWidget* panel4);

    // The handlers as the controls call them; a raised error goes to the
    // error dialog.
    void Button7Click();
    void Edit_CRC_original_StringChange();
    void RadioGroup_CRC_Quick_SettingClick(int index);

    // The 29 reference labels: the header, then one per preset in table order.
    const std::array<QLabel*, kCrcPresetCount + 1>& ReferenceLabels() const { return m_reference; }

private:
    QWidget* BuildControls();
    QGroupBox* BuildWidthGroup();
    QGroupBox* BuildQuickSettingGroup();
    QWidget* BuildReferenceTable();
    void Connect();
    void Mirror(CrcPageModel::Item item);

    CrcPageModel m_model;

    QLineEdit* m_Edit_CRC_original_String = nullptr;
    QLineEdit* m_Edit_CRC_result = nullptr;
    QPushButton* m_Button7 = nullptr;
    QGroupBox* m_RadioGroup_CRC_08_16 = nullptr;
    QButtonGroup* m_widthButtons = nullptr;
    QLineEdit* m_Edit_CRC_Polynom = nullptr;
    QLineEdit* m_Edit_CRC_Initial_value = nullptr;
    QLineEdit* m_Edit_CRC_Final_XOR = nullptr;
    QCheckBox* m_CheckBox_CRC_reverse_data = nullptr;
    QCheckBox* m_CheckBox_CRC_reverse_result = nullptr;
    QGroupBox* m_RadioGroup_CRC_Quick_Setting = nullptr;
    QButtonGroup* m_quickButtons = nullptr;
    std::array<QLabel*, kCrcPresetCount + 1> m_reference{};
    QVBoxLayout* m_dock = nullptr;
};

}  // namespace orvane::ui
