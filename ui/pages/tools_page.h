#pragma once
// The tools page (object name "AES_HASH"): the cipher's Key and IV boxes and
// the DATA and Encoded boxes on top, the buttons grouped by tool (digest,
// cipher, machine identity, date and GUID), and the log Memo2 filling the
// rest (the start-up writes the settings file's path there first).
//
// The page holds no logic of its own: it forwards every change, click and
// button to its ToolsPageModel, and shows what the model writes, Memo2 here
// and Memo1 on the browser page (through the page host); message boxes and
// the clock come from the engine host. Texts the model changes are copied
// into the boxes with their change signals blocked, so that each change
// handler runs once.
#include <QWidget>

#include <string>

#include "platform/libuuid_guid_source.h"
#include "tools/tools_page_model.h"

class QEvent;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace orvane {
class EngineHost;
class Md5Hasher;
}  // namespace orvane

namespace orvane::ui {

class PageHost;

// A log line as the logs show it: each line break (CR LF, LF or a lone CR)
// inside it starts a new line of the log.
QString LogLineText(const std::string& line);

class ToolsPage : public QWidget {
public:
    // `engine` shows the model's message boxes and answers its clock;
    // `hasher` is the window's MD5 hasher. All three must outlive the page.
    // The system information is read where ORVANE_SMBIOS_DIR points, else
    // from the system's firmware tables.
    ToolsPage(PageHost& host, EngineHost& engine, Md5Hasher& hasher, QWidget* parent = nullptr);
    ~ToolsPage() override;

    PageHost& host() const { return m_host; }
    ToolsPageModel& model() { return m_model; }
    QPlainTextEdit* Memo2() const { return m_Memo2; }
    QLineEdit* ComboBox_Key() const { return m_ComboBox_Key; }
    QLineEdit* ComboBox_IV() const { return m_ComboBox_IV; }
    QPlainTextEdit* ComboBox_DATA() const { return m_ComboBox_DATA; }
    QPlainTextEdit* ComboBox_Encoded() const { return m_ComboBox_Encoded; }

    // Appends a line to the log.
    void AppendMemo2(const QString& line);

    // "FIle MD5": runs the file dialog (no file-type filters) and digests the
    // chosen file; a cancel does nothing.
    void Button8Click();

protected:
    // Clicks into the four boxes run their change handlers.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildInputs();
    QGroupBox* BuildCipherGroup();
    QWidget* BuildToolButtons();
    QPushButton* AddButton(const char* name, const char* caption, void (ToolsPage::*handler)());
    void ConnectBoxes();
    // The model changed `box`: its text goes into the widget, unreported.
    void MirrorBox(ToolsBox box);
    // The widget's text of `box` as the model reads it.
    std::string BoxText(ToolsBox box) const;
    // The widget of `box` changed: the model takes the new text.
    void BoxEdited(ToolsBox box);

    void Button_encodeClick() { m_model.Button_encodeClick(); }
    void Button_decodeClick() { m_model.Button_decodeClick(); }
    void Button_String_MD5Click() { m_model.Button_String_MD5Click(); }
    void Button_systeminfoClick() { m_model.Button_systeminfoClick(); }
    void Button_timeClick() { m_model.Button_timeClick(); }
    void Button9Click() { m_model.Button9Click(); }
    void Button_GUIDClick() { m_model.Button_GUIDClick(); }

    PageHost& m_host;
    platform::LibuuidGuidSource m_guids;
    ToolsPageModel m_model;

    QLineEdit* m_ComboBox_Key = nullptr;
    QLineEdit* m_ComboBox_IV = nullptr;
    QPlainTextEdit* m_ComboBox_DATA = nullptr;
    QPlainTextEdit* m_ComboBox_Encoded = nullptr;
    QPlainTextEdit* m_Memo2 = nullptr;
};

}  // namespace orvane::ui
