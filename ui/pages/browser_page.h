#pragma once
// The browser page (object name "Web_info"): the address box with Refresh
// and "search1", the working boxes of the web-data fetcher with "Search 2",
// the two dictionary boxes, the page-source view Memo1 (hidden until the Tool
// menu's "Show web source code" is checked; the tools page also logs there)
// and the web view filling the rest.
//
// The page shows its boxes to the fetcher as WebBoxes and runs the web view
// through a CapturingBrowser, which captures every loaded page's source into
// Memo1. The web view is Qt WebEngine's, with its profile under the user's
// data folder; tests hand in a web view of their own. The engine starts at
// the view's first use or at WarmUp (the window calls it once it is on the
// screen) and loads while hidden, so nobody has to visit the page to warm it
// up.
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/event_wait.h"
#include "platform/web_view.h"
#include "webdata/capturing_browser.h"
#include "webdata/field_table_view.h"
#include "webdata/web_boxes.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWebEngineView;

namespace orvane::ui {

class ClickableLabel;
class PageHost;

class BrowserPage : public QWidget, public webdata::WebBoxes {
public:
    // `wait` runs the page's waits; `tableView` redraws the field table after
    // "Search 2". `view` is the web view to drive (not owned; it must outlive
    // the page); null: a Qt WebEngine view of the page's own.
    BrowserPage(PageHost& host, platform::EventWait& wait, webdata::FieldTableView& tableView,
                platform::WebView* view = nullptr, QWidget* parent = nullptr);
    ~BrowserPage() override;

    PageHost& host() const { return m_host; }
    webdata::CapturingBrowser& browser() { return *m_browser; }
    // The Qt WebEngine view; null before its first use and when a test
    // handed in a web view.
    QWebEngineView* EdgeBrowser1() const;
    QComboBox* Combo_web() const { return m_Combo_web; }
    QLineEdit* BoxEdit(webdata::WebBox box) const;
    QLineEdit* Edit_DIC_C_E() const { return m_Edit_DIC_C_E; }
    QLineEdit* Edit_DIC_E_C() const { return m_Edit_DIC_E_C; }
    ClickableLabel* Label6() const { return m_Label6; }
    QPlainTextEdit* Memo1() const { return m_Memo1; }
    QPushButton* Button3() const { return m_Button3; }
    QPushButton* Button4() const { return m_Button4; }
    QPushButton* Button_search_2nd() const { return m_Button_search_2nd; }

    // Runs when the dictionary wants the page in front (the window selects
    // it in its page control).
    void SetBringToFront(std::function<void()> bring) { m_bringToFront = std::move(bring); }

    // --- the fetcher's boxes (texts are UTF-8) ---
    std::string Box(webdata::WebBox box) const override;
    void SetBox(webdata::WebBox box, std::string_view text) override;

    // --- operations ---
    // Refresh: opens the address box's address ("http://" in front unless
    // it begins with "http" in any case); the box keeps its text.
    void Button3Click();
    // "search1": clears Edit3, asks for a new capture and cuts the window
    // from the source captured before.
    void Button4Click();
    // "Search 2": the item extraction into Edit_result and the field table.
    void Button_search_2ndClick();
    // The dictionary: the address for `word` into the address box, Refresh,
    // the page to the front.
    void OpenDictionary(const QString& word);
    // Starts the page's own web engine now, so that the first page opens
    // without the engine's start-up; nothing for a view handed in.
    void WarmUp();
    // Tool menu "Show web source code".
    void Showwebsourcecode1Click(bool shown);
    // Appends a line to the source view (the tools page's log).
    void AppendMemo1(const QString& line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* AddBox(webdata::WebBox box, const QString& accessibleName);
    void ShowSource(const std::string& source);

    PageHost& m_host;
    platform::EventWait& m_wait;
    webdata::FieldTableView& m_tableView;
    std::function<void()> m_bringToFront;

    // The page's own Qt WebEngine view, when no view was handed in.
    class EngineView;
    std::unique_ptr<EngineView> m_engine;
    std::unique_ptr<webdata::CapturingBrowser> m_browser;

    QPushButton* m_Button3 = nullptr;
    QComboBox* m_Combo_web = nullptr;
    QPushButton* m_Button4 = nullptr;
    QLineEdit* m_boxes[webdata::kWebBoxCount] = {};
    QPushButton* m_Button_search_2nd = nullptr;
    ClickableLabel* m_Label6 = nullptr;
    QLineEdit* m_Edit_DIC_C_E = nullptr;
    QLineEdit* m_Edit_DIC_E_C = nullptr;
    QPlainTextEdit* m_Memo1 = nullptr;
    // Set while the page itself changes Memo1, so that the change is not
    // read back as the user's edit.
    bool m_syncing = false;
};

}  // namespace orvane::ui
