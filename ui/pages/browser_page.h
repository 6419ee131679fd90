#pragma once
// The browser page (object name "Web_info"). Today it holds the page-source
// view Memo1, hidden until the Tool menu's "Show web source code" is
// checked; the view is also a log that the tools page writes to.
#include <QWidget>

class QPlainTextEdit;

namespace orvane::ui {

class PageHost;

class BrowserPage : public QWidget {
public:
    explicit BrowserPage(PageHost& host, QWidget* parent = nullptr);

    PageHost& host() const { return m_host; }
    QPlainTextEdit* Memo1() const { return m_Memo1; }

    // Appends a line to the source view.
    void AppendMemo1(const QString& line);
    // Shows or hides the source view (menu "Show web source code").
    void Showwebsourcecode1Click(bool shown);

private:
    PageHost& m_host;
    QPlainTextEdit* m_Memo1 = nullptr;
};

}  // namespace orvane::ui
