#pragma once
// The about box TAboutBox: a fixed-size dialog that stays on top and opens
// centred on the screen. It names the program file (Label1, large blue), its
// full path (ProgramName, small green), its version (Label_Ver) and date
// (UpdateDate), the maker (the company label, red) and shows the program's
// icon; the update button (SpeedButton1) tells what the update share offers
// and offers its download; OK (default and cancel button) closes it.
//
// Creating the box runs its creation steps (FormCreate). Each activation runs
// the update check without blocking: the box stays usable and the button
// reads "On line Info" until the answer (or the 10 s time-out) comes.
#include <QColor>
#include <QDialog>

#include <memory>
#include <string>

#include "about/update_check.h"

class QLabel;
class QPushButton;

namespace orvane::ui {

class AboutModule;
class ClickableLabel;

// Object names of the box's controls.
inline constexpr const char* kCompanyLabelName = "CompanyName";

// The colours of the file name (blue), the path (green) and the company (red).
inline constexpr QColor kLabel1Colour{0x00, 0x00, 0xff};
inline constexpr QColor kProgramNameColour{0x00, 0x80, 0x00};
inline constexpr QColor kCompanyColour{0xe0, 0x00, 0x00};

class TAboutBox : public QDialog {
public:
    // Builds the box over `parent` for the module's program file and runs
    // FormCreate: caption "About " + the application's title, the labels,
    // the program names of the module's texts.
    TAboutBox(AboutModule& module, QWidget* parent = nullptr);
    // A check still running is cancelled.
    ~TAboutBox() override;

    // The box became active: the update check starts (while one runs, that
    // one answers).
    void FormActivate();
    // The update button: asks whether to download the offered file; on Yes
    // the module's download fetches it and opens it.
    void SpeedButton1Click();
    // The picture: the maker's home page in the default browser.
    void Image1Click();
    // The company label: the update document's web site, else the maker's
    // start page.
    void CompanyLabelClick();

    // --- for tests ---
    bool checking() const { return m_check && m_check->running(); }
    const UpdateCheckView& view() const { return m_view; }
    QLabel* Label1() const { return m_Label1; }
    QLabel* ProgramName() const { return m_ProgramName; }
    QLabel* Label_Ver() const { return m_Label_Ver; }
    QLabel* UpdateDate() const { return m_UpdateDate; }
    QLabel* CompanyLabel() const;
    QLabel* ProgramIcon() const { return m_ProgramIcon; }
    QPushButton* SpeedButton1() const { return m_SpeedButton1; }
    QPushButton* OKButton() const { return m_OKButton; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void BuildControls();
    // Shows the check's texts on the button and in the hints.
    void ShowView();

    AboutModule& m_module;
    UpdateCheckView m_view;
    std::unique_ptr<UpdateCheck> m_check;

    ClickableLabel* m_Image1 = nullptr;
    QLabel* m_ProgramIcon = nullptr;
    QLabel* m_Label1 = nullptr;
    QLabel* m_ProgramName = nullptr;
    QLabel* m_Label_Ver = nullptr;
    QLabel* m_UpdateDate = nullptr;
    ClickableLabel* m_Company = nullptr;
    QPushButton* m_SpeedButton1 = nullptr;
    QPushButton* m_OKButton = nullptr;
};

// A text of the about module as a widget shows it: CR LF becomes a line
// break.
QString AboutDisplayText(const std::string& text);

}  // namespace orvane::ui
