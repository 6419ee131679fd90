#pragma once
// The tools page (object name "AES_HASH"): digests, cipher, date and GUID
// lines, system values. Today it holds its log Memo2 across the bottom (the
// start-up writes the settings file's path there).
#include <QWidget>

class QPlainTextEdit;

namespace orvane::ui {

class PageHost;

class ToolsPage : public QWidget {
public:
    explicit ToolsPage(PageHost& host, QWidget* parent = nullptr);

    PageHost& host() const { return m_host; }
    QPlainTextEdit* Memo2() const { return m_Memo2; }

    // Appends a line to the log.
    void AppendMemo2(const QString& line);

private:
    PageHost& m_host;
    QPlainTextEdit* m_Memo2 = nullptr;
};

}  // namespace orvane::ui
