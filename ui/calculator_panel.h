#pragma once
// The calculator panel (object name "Panel4"): the expression box, the
// "Input" button, the answer box, the HEX/DEC/BINARY conversion boxes and the
// seconds-to-date-time label. The boxes forward their events to the window's
// CalculatorModel and mirror the texts it reports. The panel sits at the
// bottom of the main page or of the CRC page, whichever was entered last.
//
// It also carries the hidden "WM_KOR_MESSAGE0" button (Button11) of the
// instance protocol; the window connects it.
#include <QWidget>

#include "ui/key_tracker.h"
#include "ui/model/calculator_model.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvane::ui {

class CalculatorPanel : public QWidget {
public:
    // The panel over `calc`, which must outlive it; becomes the model's
    // listener.
    explicit CalculatorPanel(CalculatorModel& calc, QWidget* parent = nullptr);
    // Stops being the model's listener.
    ~CalculatorPanel() override;

    QLineEdit* ComboBoxExpression() const { return m_ComboBoxExpression; }
    QLineEdit* Edit_ans() const { return m_Edit_ans; }
    QPushButton* Button11() const { return m_Button11; }

    // The "Input" button: evaluates the expression box.
    void Button_ExpressionClick();
    // A double-click on the field table while the expression box was used
    // last: `text` replaces the selection the box had when the user left it
    // (else goes in at its caret); the box gets the focus with the caret at
    // its end, and the calculator keeps the new text.
    void InsertFieldText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Connect();
    void Mirror(CalculatorModel::Item item);

    CalculatorModel& m_calc;
    KeyPressTracker m_keys;

    QLineEdit* m_ComboBoxExpression = nullptr;
    QPushButton* m_Button_Expression = nullptr;
    QLineEdit* m_Edit_ans = nullptr;
    QLineEdit* m_Edit_Hex = nullptr;
    QLineEdit* m_Edit_DEC = nullptr;
    QLineEdit* m_Edit_Binary = nullptr;
    QLabel* m_label_sec_to_day_Time = nullptr;
    QPushButton* m_Button11 = nullptr;
};

}  // namespace orvane::ui
