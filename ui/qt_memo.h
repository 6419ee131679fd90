#pragma once
// The script memo's text box as the calculator panel and the memo's commands
// see it.
#include <QString>
#include <QStringList>

#include <string>

#include "ui/model/calculator_model.h"
#include "ui/model/script_memo.h"

class QPlainTextEdit;

namespace orvane::ui {

// The script memo widget as the calculator panel and the memo's commands read
// and change it. Its lines (what the calculator's tape and the memo file hold)
// are the box's lines without the empty line that follows a final line break:
// the box keeps its text ending with a line break, so the caret can rest below
// the last statement and the next one is appended there.
class QtMemoAccess : public MemoAccess, public MemoBox {
public:
    void SetWidget(QPlainTextEdit* memo) { m_memo = memo; }
    // --- MemoAccess ---
    int LineCount() const override;
    std::string Line(int index) const override;
    // Fills the empty last line of the box, or adds a line after the last.
    void AppendLine(const std::string& line) override;

    // --- MemoBox ---
    bool Empty() const override;
    int VisibleLineCount() const override;
    std::string VisibleLine(int index) const override;
    MemoSelection Selection() const override;
    void InsertLineAfter(int index, const std::string& text) override;
    void Select(int line, int column, int length) override;
    void FocusBox() override;

    // All lines, and replacing them all (the box then ends with a line break).
    QStringList Lines() const;
    void SetLines(const QStringList& lines);
    // Replaces the box's text as it stands.
    void SetText(const QString& text);

private:
    QPlainTextEdit* m_memo = nullptr;
};

}  // namespace orvane::ui
