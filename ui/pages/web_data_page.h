#pragma once
// The web-data page (object name "Get_Web_data"): the definition editor
// Memo_web_inf with the built-in definitions, "Load web data.inf" and "Save
// web data.inf", the section box Edit1 ("0": all sections) and "Get Data",
// which runs the web-data fetcher over the browser page. The definitions
// file is "web data.inf" in the folder of the settings file.
#include <QString>
#include <QWidget>

#include <cstdint>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace orvane {
class EngineHost;
}  // namespace orvane

namespace orvane::webdata {
class WebDataFetcher;
}  // namespace orvane::webdata

namespace orvane::ui {

class PageHost;

class WebDataPage : public QWidget {
public:
    // `engine` shows the error boxes of the file buttons; `fetcher` runs
    // "Get Data" (its definitions path is the one the buttons use). All
    // three must outlive the page.
    WebDataPage(PageHost& host, EngineHost& engine, webdata::WebDataFetcher& fetcher,
                QWidget* parent = nullptr);

    PageHost& host() const { return m_host; }
    QPlainTextEdit* Memo_web_inf() const { return m_Memo_web_inf; }
    QLineEdit* Edit1() const { return m_Edit1; }
    QPushButton* Button5() const { return m_Button5; }
    QPushButton* Button6() const { return m_Button6; }
    QPushButton* Button_getCurrency() const { return m_Button_getCurrency; }
    // The definitions file.
    QString DefinitionsPath() const;

    // "Load web data.inf": the file into the editor, or, when there is no
    // file, the editor's text into a new file (the start-up runs it once).
    void Button5Click();
    // "Save  web data.inf": the editor's text replaces the file.
    void Button6Click();
    // "Get Data": a fetch of the section in Edit1.
    void Button_getCurrencyClick();
    // The section Edit1 asks for (0, all sections, when it is no integer).
    int32_t Section() const;

private:
    PageHost& m_host;
    EngineHost& m_engine;
    webdata::WebDataFetcher& m_fetcher;
    QPlainTextEdit* m_Memo_web_inf = nullptr;
    QPushButton* m_Button5 = nullptr;
    QPushButton* m_Button6 = nullptr;
    QLineEdit* m_Edit1 = nullptr;
    QPushButton* m_Button_getCurrency = nullptr;
};

}  // namespace orvane::ui
