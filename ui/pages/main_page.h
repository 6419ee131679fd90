#pragma once
// The main page (object name "Main"). From the top: the smart-format strip
// (template box, "Smart Format", the two variable lists, the shared texts),
// the field table's tool bar (column commands and the memo's quick search),
// the field table grid, the script memo and, while this page was entered
// last, the calculator panel.
//
// The memo is the calculator's tape and a script at once (its keys and
// clicks go to the ScriptMemoModel); a double-click on the grid inserts into
// the box used last; leaving the grid writes the table to the settings file.
// Everything else of the window comes through the PageHost.
#include <QWidget>

#include "ui/key_tracker.h"
#include "ui/memo_file.h"
#include "ui/model/script_memo.h"

class QAction;
class QComboBox;
class QPlainTextEdit;
class QToolBar;

namespace orvane::ui {

class CalculatorPanel;
class FieldGrid;
class PageHost;

class MainPage : public QWidget {
public:
    // The page over the host's session, calculator, field table and memo;
    // `panel` receives the grid's insertions while the expression box was
    // used last. Both must outlive the page.
    MainPage(PageHost& host, CalculatorPanel& panel, QWidget* parent = nullptr);
    ~MainPage() override;

    FieldGrid& fieldGrid() const { return *m_StringGridDebug; }
    ScriptMemoModel& scriptMemo() { return m_memoModel; }
    QPlainTextEdit* Memo_test() const { return m_Memo_test; }

    // Page entry: moves `panel4` (the calculator panel) to the bottom of the
    // page, unless it is there already.
    void MainEnter(QWidget* panel4);

    // --- smart-format strip ---
    // "Smart Format": processes the box's template into the memo.
    void Button_SmartformatClick();
    // End of an edit in the template box: its selected text joins the list.
    void ComboBoxEx_Smart_formatEndEdit();
    // "KOR P/G_S_MEM": lists the shared block's texts in the memo.
    void Button_KOR_G_S_MEMClick();

    // --- memo search ---
    void ComboBox_searchChange(const QString& text);
    void Action_searchExecute();
    void Action_search_upExecute();

    // --- memo files (menu "Load File to Memo" / "Save Memo" and the memo's
    // context menu): only while the memo has the keyboard focus ---
    void LoadformFile1Click();
    void Savetofile1Click();

    // --- field table grid ---
    // A double-click's text goes into the box used last (lastfocus).
    void StringGridDebugInsert(const QString& text);
    // The grid lost the focus: its cells go to the settings file (without
    // clearing the section first).
    void StringGridDebugExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildSmartFormatStrip();
    QToolBar* BuildToolBar();
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

    PageHost& m_host;
    CalculatorPanel& m_panel;
    ScriptMemoModel m_memoModel;
    KeyPressTracker m_keys;
    // How the last file loaded into the memo was read: "Save Memo" writes it
    // back in that form.
    MemoFileFormat m_loadedFileFormat;

    QComboBox* m_ComboBoxEx_Smart_format = nullptr;
    QComboBox* m_ComboBox_search = nullptr;
    QAction* m_Action_search = nullptr;
    QAction* m_Action_search_up = nullptr;
    FieldGrid* m_StringGridDebug = nullptr;
    QPlainTextEdit* m_Memo_test = nullptr;
};

}  // namespace orvane::ui
