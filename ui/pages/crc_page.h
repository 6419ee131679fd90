#pragma once
// The CRC page (object name "CRC"): data and result boxes, "CRC Calc", the
// width group, the three parameter boxes, the two reflection check boxes and
// the 28 quick settings on top; below them two tabs: the reference table in a
// fixed-pitch font (scrolling inside its own area) and "Find parameters" (the
// frames box, its fill from the field table, the skip count, the width
// choice, "Search", the result list and the messages). The controls forward
// their events to a CrcPageModel and mirror what it reports.
//
// At the window's default size (800 x 750) everything but the reference
// table's rows is visible without scrolling; a smaller window scrolls the
// page vertically, never sideways.
//
// Wiring into the main window:
//   - the generated expression goes to the calculator's expression box:
//       page->SetExpressionSink([&calc](const std::string& e) {
//           calc.SetExpressionText(e); });
//   - entering the page docks the calculator panel at its bottom edge:
//       page->TabSheet_CRCEnter(panel4);   // from the tab widget's currentChanged
//     Entering the main page moves the panel back (MainPage::MainEnter).
//   - the field table that "Find parameters" fills its frames from:
//       page->SetFieldTable(&table);
//
// Errors a handler raises (data that is not hexadecimal) go to the
// application's error dialog (OrvaneApplication::Run) as soon as they are
// raised, inside the control's own event handling; the page stays usable.
#include <QWidget>

#include <array>

#include "ui/model/crc_page_model.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTabWidget;
class QVBoxLayout;

namespace orvane {
class FieldTable;
}

namespace orvane::ui {

class CrcPage : public QWidget {
public:
    explicit CrcPage(QWidget* parent = nullptr);

    CrcPageModel& model() { return m_model; }
    // Receives every generated expression (at once, before the CRC is computed).
    void SetExpressionSink(CrcPageModel::ExpressionSink sink);
    // The field table the frames are filled from; it must outlive the page.
    // Without one the fill finds no field and says so.
    void SetFieldTable(const FieldTable* table) { m_fieldTable = table; }

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
    // "Find parameters": fill the frames from the field table, search, and a
    // result of the list picked (clicked, or Enter on it).
    void Button_CRC_fill_framesClick();
    void Button_CRC_searchClick();
    void ListBox_CRC_modelsPick(int row);

    // The 29 reference labels: the header, then one per preset in table order.
    const std::array<QLabel*, kCrcPresetCount + 1>& ReferenceLabels() const { return m_reference; }

private:
    QWidget* BuildControls();
    QGroupBox* BuildWidthGroup();
    QGroupBox* BuildQuickSettingGroup();
    QWidget* BuildReferenceTable();
    QTabWidget* BuildLowerTabs();
    QWidget* BuildFindArea();
    void Connect();
    void ConnectFindArea();
    void Mirror(CrcPageModel::Item item);
    // The items of "Find parameters"; false for the others.
    bool MirrorFindArea(CrcPageModel::Item item);

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
    QTabWidget* m_PageControl_CRC = nullptr;
    QScrollArea* m_referenceScroll = nullptr;

    const FieldTable* m_fieldTable = nullptr;
    QPlainTextEdit* m_Memo_CRC_frames = nullptr;
    QPushButton* m_Button_CRC_fill_frames = nullptr;
    QSpinBox* m_SpinEdit_CRC_skip = nullptr;
    QComboBox* m_ComboBox_CRC_search_width = nullptr;
    QPushButton* m_Button_CRC_search = nullptr;
    QListWidget* m_ListBox_CRC_models = nullptr;
    QPlainTextEdit* m_Memo_CRC_search_messages = nullptr;

    QVBoxLayout* m_dock = nullptr;
};

}  // namespace orvane::ui
