#pragma once
// The main window TForm1: the five pages (ui/pages/), the calculator panel
// they share, the menus, the status line and the timers; start-up, the
// instance protocol (instance number, window messages, shared block) and
// shut-down. The window is the engine's host (status panels, message boxes,
// clock) and the pages' host (PageHost); it owns the session, the field
// table, the calculator model and the memo's access, and wires them into the
// pages.
#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "engine/session.h"
#include "platform/qt/qt_event_wait.h"
#include "platform/speech_engine.h"
#include "platform/title_registry.h"
#include "platform/web_view.h"
#include "platform/window_messages.h"
#include "smartformat/field_table.h"
#include "smartformat/field_table_lookup.h"
#include "smartformat/smart_session.h"
#include "ui/model/calculator_model.h"
#include "ui/pages/page_host.h"
#include "ui/memo_file.h"
#include "ui/qt_memo.h"
#include "ui/qt_system_values.h"
#include "ui/style_manager.h"

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QTabWidget;
class QTimer;
class QWindow;

namespace orvane::webdata {
class WebDataFetcher;
}  // namespace orvane::webdata

namespace orvane::ui {

class AboutModule;
class BrowserPage;
class CalculatorPanel;
class CrcPage;
class FieldGrid;
class MainPage;
class ScriptMemoModel;
class SpeechMenu;
class ToolsPage;
class WebDataPage;
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
    // The folder of the help pages; default: "help" beside the program, or
    // the installed "<prefix>/share/orvane/help" (DefaultHelpDir).
    QString helpDir;
    // The folder of the title locks and message sockets; default: the
    // per-user runtime folder.
    std::string runtimeDir;
    // The shared block's name; default: "myKORMappedFile".
    std::string sharedBlockName;
    // The browser page's web view (not owned; it outlives the window);
    // default: a Qt WebEngine view of the page's own.
    platform::WebView* webView = nullptr;
    // The clock that Now() reads; default: the system's local time.
    std::function<LocalDateTime()> clock;
    // The speech engine (not owned; it outlives the window); default: Qt
    // TextToSpeech.
    platform::SpeechEngine* speechEngine = nullptr;
};

class TForm1 : public QMainWindow, public EngineHost, public PageHost {
public:
    // Builds the window and runs the start-up sequence (FormCreate). Needs an
    // OrvaneApplication.
    explicit TForm1(WindowOptions options = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // --- EngineHost and PageHost ---
    void StatusLine2Show(int panel, const std::string& text) override;
    void ShowMessage(MsgIcon icon, const std::string& text) override;
    LocalDateTime Now() override;
    SmartSession& session() override { return m_session; }
    CalculatorModel& calculator() override { return m_calc; }
    FieldTable& fieldTable() override { return m_table; }
    QtMemoAccess& memo() override { return m_memoAccess; }
    void AppendMemo1(const QString& line) override;
    void AppendMemo2(const QString& line) override;
    const QString& Ini_name() const override { return m_Ini_name; }
    const QString& programPath() const override { return m_programPath; }

    // --- start, run, stop ---
    // True after the start-up refused a ninth copy: the program ends without
    // showing the window and without saving anything.
    bool Terminated() const { return m_terminated; }
    // The window was activated: status headings and handle; the first time
    // also the "Main" page, the focus to the expression box and the grid's
    // widths (later activations keep the page and the focus).
    void FormActivate();
    // The first tick after start-up; stops itself: opens the address box's
    // address and runs the daily web-data check (which may arm Timer1).
    void Timer0Timer();
    // The web-data fetch's tick; stops itself and fetches the section in
    // the web-data page's section box.
    void Timer1Timer();
    // Tool menu "LoadCurrency": the browser page in front, a fetch of the
    // section box's section, then the first page again.
    void LoadCurrency1Click();
    // "web data.inf" beside the settings file.
    QString WebDataPath() const;
    // Shut-down: saves the table, the window settings and the memo.
    void FormClose();
    // A private window message arrived (WM_KOR_MESSAGE0: a box and a memo line).
    void OnMyMessage(const platform::WindowMessage& message);
    // The hidden "WM_KOR_MESSAGE0" button: sends the message to this window.
    void Button11Click();
    // Tool menu "adj KOR Window": sends the message to every registered copy.
    void adjWindow1Click();
    // Tool menu "Reset": empty variable tables and the status headings.
    void SystemReset();

    // --- settings, styles, help ---
    // Applies section "Styles" of the settings file: style, size, position,
    // speech switches.
    void Action_Load_styleExecute();
    // Writes them back, then the memo file.
    void Action_Save_styleExecute();
    // A Style menu item: switches the application's style at once.
    void StyleClick(QAction* item);
    // Help menu "Help" (F1): the help contents page.
    void HelpContentsItemClick();
    // Help menu "Expresion ...": the expression help page.
    void Expresion1Click();
    void VisitmyHomePage1Click();
    void VisitmyGooglesite1Click();
    // Help menu "About": a new about box, shown modally.
    void ShowAboutBox();

    // --- field table file ---
    // File menu "Load Table Contents": the table from section "Table".
    void Action_load_table_contentsExecute();
    // File menu "Save Table Contents": the table replaces section "Table",
    // then the memo file is written.
    void Action_save_table_contentsExecute();
    // Tool menu "Adj table width": fits the grid's columns.
    void Adjtablewidth1Click();

    // --- page entries (the calculator panel moves along) ---
    void MainEnter();
    void TabSheet_CRCEnter();

    // --- the pages and what the window holds (for tests) ---
    MainPage& mainPage() const { return *m_mainPage; }
    BrowserPage& browserPage() const { return *m_browserPage; }
    WebDataPage& webDataPage() const { return *m_webDataPage; }
    ToolsPage& toolsPage() const { return *m_toolsPage; }
    CrcPage& crcPage() const { return *m_crcPage; }
    webdata::WebDataFetcher& fetcher() const { return *m_fetcher; }
    QTabWidget* PageControl1() const { return m_PageControl1; }
    CalculatorPanel& calculatorPanel() const { return *m_Panel4; }
    AboutModule& about() const { return *m_about; }
    SpeechMenu& speech() const { return *m_speech; }
    QMenu* VoiceMenu() const { return m_voiceMenu; }
    FieldGrid& fieldGrid() const;
    ScriptMemoModel& scriptMemo() const;
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

private:
    void BuildPages();
    void BuildStatusLine();
    void BuildMenus();
    void BuildStyleMenu();
    void BuildTimers();

    void FormCreate();
    void OpenSharedBlock();
    void ClaimInstanceNumber();
    void LoadMemoFile();
    // Writes the memo's lines to the memo file; raises with the reason when
    // that fails. Does nothing when the start-up could not read the file, so
    // that a file it could not show is never replaced.
    void SaveMemoFile();
    void AppendMemo_test(const QString& line);
    void OnFocusWindowChanged(QWindow* window);
    // Every key of the window, before the focused control sees it.
    void PreviewKey(QKeyEvent* event);

    WindowOptions m_options;
    QString m_programPath;

    SmartSession m_session;
    QtSystemValues m_system;
    FieldTable m_table;
    FieldTableLookup m_tableLookup{m_table};
    QtMemoAccess m_memoAccess;
    CalculatorModel m_calc;
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
    bool m_memoLoadFailed = false;
    // The runtime folder cannot be used: no shared block, no instance number.
    bool m_runtimeDirProblem = false;
    // How the memo file was read: it is written back in that form.
    MemoFileFormat m_memoFileFormat;
    QWindow* m_lastFocusWindow = nullptr;
    bool m_activatedOnce = false;
    // The first activation has selected "Main" and focused the expression box.
    bool m_firstActivationDone = false;
    // The waits of the browser page and the web-data fetcher.
    platform::QtEventWait m_wait;

    // Pages, the calculator panel and the status line.
    QTabWidget* m_PageControl1 = nullptr;
    MainPage* m_mainPage = nullptr;
    BrowserPage* m_browserPage = nullptr;
    WebDataPage* m_webDataPage = nullptr;
    ToolsPage* m_toolsPage = nullptr;
    CrcPage* m_crcPage = nullptr;
    std::unique_ptr<webdata::WebDataFetcher> m_fetcher;
    CalculatorPanel* m_Panel4 = nullptr;
    std::array<QLabel*, kStatusPanels> m_StatusLine{};

    // Menus.
    QMenu* m_styleMenu = nullptr;
    QAction* m_SayEquation = nullptr;
    QAction* m_SayAnsower = nullptr;
    QAction* m_Showwebsourcecode = nullptr;

    QTimer* m_Timer0 = nullptr;
    QTimer* m_Timer1 = nullptr;

    // The about boxes and the speech output.
    std::unique_ptr<AboutModule> m_about;
    std::unique_ptr<SpeechMenu> m_speech;
    QMenu* m_voiceMenu = nullptr;
};

}  // namespace orvane::ui
