#pragma once
// The main window TForm1: the five pages, the menus, the status line and the
// timers; start-up, instance claim and shut-down; the calculator panel's
// widgets, which forward their events to the CalculatorModel and mirror its
// texts. The window is the engine's host (status panels, message boxes,
// clock).
#include <QHash>
#include <QMainWindow>
#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <string>

#include "engine/session.h"
#include "platform/title_registry.h"
#include "platform/window_messages.h"
#include "smartformat/field_table.h"
#include "smartformat/smart_session.h"
#include "smartformat/system_values_linux.h"
#include "ui/model/calculator_model.h"
#include "ui/memo_file.h"
#include "ui/model/script_memo.h"
#include "ui/qt_memo.h"
#include "ui/qt_system_values.h"
#include "ui/style_manager.h"

class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolBar;
class QWindow;

namespace orvane::ui {

class CrcPage;
class FieldGrid;
class WindowMessagePort;

// Where the window finds its files and shared resources. Empty members take
// the program's defaults.
struct WindowOptions {
    // The program file (caption, version, settings and help folder);
    // default: the running program.
    QString programPath;
    // The settings file; default: "<program>.ini" beside the program, or in
    // the user's configuration folder when the program's folder is not
    // writable.
    QString iniPath;
    // The memo file; default: "orvane.txt" in the current working directory.
    QString memoPath;
    // The folder of the help pages; default: "help" beside the program.
    QString helpDir;
    // The folder of the title locks and message sockets; default: the
    // per-user runtime folder.
    std::string runtimeDir;
    // The shared block's name; default: "myKORMappedFile".
    std::string sharedBlockName;
    // How long each activation shows the browser page.
    int browserVisitMs = 3000;
};

class TForm1 : public QMainWindow, public EngineHost {
public:
    // Builds the window and runs the start-up sequence (FormCreate). Needs an
    // OrvaneApplication.
    explicit TForm1(WindowOptions options = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // --- EngineHost ---
    void StatusLine2Show(int panel, const std::string& text) override;
    void ShowMessage(MsgIcon icon, const std::string& text) override;
    LocalDateTime Now() override;

    // --- start, run, stop ---
    // True after the start-up refused a ninth copy: the program ends without
    // showing the window and without saving anything.
    bool Terminated() const { return m_terminated; }
    void FormActivate();
    void Timer0Timer();
    void Timer1Timer();
    void FormClose();
    void OnMyMessage(const platform::WindowMessage& message);
    void Button11Click();
    void adjWindow1Click();
    void Button_KOR_G_S_MEMClick();
    void SystemReset();

    // --- settings, styles, help ---
    void Action_Load_styleExecute();
    void Action_Save_styleExecute();
    void StyleClick(QAction* item);
    void HelpContentsItemClick();
    void Expresion1Click();
    void VisitmyHomePage1Click();
    void VisitmyGooglesite1Click();

    // --- field table and memo files ---
    void Action_load_table_contentsExecute();
    void Action_save_table_contentsExecute();
    // The grid lost the focus: its cells go to the settings file (without
    // clearing the section first).
    void StringGridDebugExit();
    // A double-click's text goes into the box used last (lastfocus).
    void StringGridDebugInsert(const QString& text);
    void Adjtablewidth1Click();
    // Menu "Load File to Memo" / "Save Memo" and the memo's context menu:
    // only while the memo has the keyboard focus.
    void LoadformFile1Click();
    void Savetofile1Click();

    // --- script memo, search and smart-format box ---
    void ComboBox_searchChange(const QString& text);
    void Action_searchExecute();
    void Action_search_upExecute();
    void Button_SmartformatClick();
    void ComboBoxEx_Smart_formatEndEdit();

    // --- calculator panel ---
    void Button_ExpressionClick();
    void MainEnter();
    void TabSheet_CRCEnter();

    // --- what the window holds (for tests and the other pages) ---
    SmartSession& session() { return m_session; }
    CalculatorModel& calculator() { return m_calc; }
    CrcPage& crcPage() { return *m_crcPage; }
    ScriptMemoModel& scriptMemo() { return m_memoModel; }
    FieldTable& fieldTable() { return m_table; }
    FieldGrid& fieldGrid() { return *m_StringGridDebug; }
    QtMemoAccess& memo() { return m_memoAccess; }
    const QString& Ini_name() const { return m_Ini_name; }
    const QString& hpPath() const { return m_hpPath; }
    const QString& version_Str() const { return m_version_Str; }
    const QString& BaseTitle() const { return m_baseTitle; }
    const QString& instance_suffix() const { return m_instance_suffix; }
    const QString& style_name() const { return m_style_name; }
    QString StatusPanelText(int panel) const;
    QMenu* StyleMenu() const { return m_styleMenu; }
    QTimer* Timer0() const { return m_Timer0; }
    QTimer* Timer1() const { return m_Timer1; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPages();
    QWidget* BuildMainPage();
    QWidget* BuildCalculatorPanel();
    QWidget* BuildSmartFormatStrip();
    // The memo search (box and the two search buttons) at the end of the
    // field table's tool bar.
    void AddSearchTools(QToolBar* bar);
    void BuildMemo();
    void ConnectFieldGrid();
    // Memo events from the event filter; true when the event is consumed.
    bool MemoEvent(QObject* watched, QEvent* event);
    void SmartFormatBoxEvent(QEvent* event);
    // Processes a template text and appends the result's lines to the memo.
    void ProcessSmartFormat(const QString& text);
    void BuildStatusLine();
    void BuildMenus();
    void BuildStyleMenu();
    void ConnectCalculator();
    void MirrorCalculator(CalculatorModel::Item item);

    void FormCreate();
    void OpenSharedBlock();
    void ClaimInstanceNumber();
    void LoadMemoFile();
    // Writes the memo's lines to the memo file; raises with the reason when
    // that fails. Does nothing when the start-up could not read the file, so
    // that a file it could not show is never replaced.
    void SaveMemoFile();
    void AppendMemo2(const QString& line);
    void AppendMemo1(const QString& line);
    void AppendMemo_test(const QString& line);
    void OnFocusWindowChanged(QWindow* window);
    void PreviewKey(QKeyEvent* event);
    // Records a key press in `box`; for a release, true when its press was
    // recorded there (and forgets it).
    bool TrackKey(QObject* box, QEvent* event);

    WindowOptions m_options;
    QString m_programPath;

    SmartSession m_session;
    QtSystemValues m_system;
    FieldTable m_table;
    FieldTableLookup m_tableLookup{m_table};
    QtMemoAccess m_memoAccess;
    CalculatorModel m_calc;
    ScriptMemoModel m_memoModel{m_session, m_calc, m_memoAccess};
    StyleManager m_styles;

    // Program-wide state of the window module.
    QString m_Ini_name;
    QString m_hpPath;
    QString m_version_Str;
    QString m_baseTitle;
    QString m_instance_suffix;
    QString m_style_name;
    std::unique_ptr<platform::TitleHold> m_titleHold;
    std::unique_ptr<WindowMessagePort> m_messagePort;
    bool m_terminated = false;
    bool m_tearingDown = false;
    bool m_memoLoadFailed = false;
    // The runtime folder cannot be used: no shared block, no instance number.
    bool m_runtimeDirProblem = false;
    // How the memo file was read, and how the last file loaded into the memo
    // was: each is written back in its own form.
    MemoFileFormat m_memoFileFormat;
    MemoFileFormat m_loadedFileFormat;
    QWindow* m_lastFocusWindow = nullptr;
    bool m_activatedOnce = false;
    // Keys pressed in a box since it got the focus: a release only counts
    // when its press went to the same box, so the Enter that chose a menu
    // item or closed a box does not reach the box that gets the focus next.
    QHash<QObject*, QSet<quint32>> m_keysDown;

    // Pages and controls.
    QTabWidget* m_PageControl1 = nullptr;
    QWidget* m_Main = nullptr;
    QWidget* m_Panel4 = nullptr;
    CrcPage* m_crcPage = nullptr;
    FieldGrid* m_StringGridDebug = nullptr;
    QPlainTextEdit* m_Memo_test = nullptr;
    QComboBox* m_ComboBoxEx_Smart_format = nullptr;
    QComboBox* m_ComboBox_search = nullptr;
    QAction* m_Action_search = nullptr;
    QAction* m_Action_search_up = nullptr;
    QPlainTextEdit* m_Memo1 = nullptr;
    QPlainTextEdit* m_Memo2 = nullptr;
    QLineEdit* m_ComboBoxExpression = nullptr;
    QPushButton* m_Button_Expression = nullptr;
    QLineEdit* m_Edit_ans = nullptr;
    QLineEdit* m_Edit_Hex = nullptr;
    QLineEdit* m_Edit_DEC = nullptr;
    QLineEdit* m_Edit_Binary = nullptr;
    QLabel* m_label_sec_to_day_Time = nullptr;
    QPushButton* m_Button11 = nullptr;
    std::array<QLabel*, kStatusPanels> m_StatusLine{};

    // Menus.
    QMenu* m_styleMenu = nullptr;
    QAction* m_SayEquation = nullptr;
    QAction* m_SayAnsower = nullptr;
    QAction* m_Showwebsourcecode = nullptr;

    QTimer* m_Timer0 = nullptr;
    QTimer* m_Timer1 = nullptr;
};

}  // namespace orvane::ui
