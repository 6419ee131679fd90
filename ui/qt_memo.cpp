#include "ui/qt_memo.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

#include "ui/wide_text.h"

namespace orvane::ui {

// --- the memo box -------------------------------------------------------------------

// The box's text always ends with a line break once lines were set, so its
// last block is empty; that block is not a line of the memo.
bool QtMemoAccess::Empty() const { return m_memo->document()->isEmpty(); }

int QtMemoAccess::VisibleLineCount() const { return m_memo->document()->blockCount(); }

std::string QtMemoAccess::VisibleLine(int index) const {
    return Narrow(m_memo->document()->findBlockByNumber(index).text());
}

int QtMemoAccess::LineCount() const {
    const QTextDocument* doc = m_memo->document();
    if (doc->isEmpty()) return 0;
    const int blocks = doc->blockCount();
    return doc->lastBlock().text().isEmpty() ? blocks - 1 : blocks;
}

std::string QtMemoAccess::Line(int index) const { return VisibleLine(index); }

void QtMemoAccess::AppendLine(const std::string& line) {
    QTextDocument* doc = m_memo->document();
    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::End);
    const bool lastEmpty = doc->lastBlock().text().isEmpty();
    cursor.insertText(lastEmpty ? Wide(line) + u'\n' : u'\n' + Wide(line) + u'\n');
    // The caret follows the tape's end, which scrolls it into view.
    m_memo->setTextCursor(cursor);
    m_memo->ensureCursorVisible();
}

QStringList QtMemoAccess::Lines() const {
    QStringList lines;
    const int count = LineCount();
    lines.reserve(count);
    QTextBlock b = m_memo->document()->begin();
    for (int i = 0; i < count && b.isValid(); ++i, b = b.next()) lines.append(b.text());
    return lines;
}

void QtMemoAccess::SetLines(const QStringList& lines) {
    SetText(lines.isEmpty() ? QString() : lines.join(u'\n') + u'\n');
}

void QtMemoAccess::SetText(const QString& text) { m_memo->setPlainText(text); }

MemoSelection QtMemoAccess::Selection() const {
    const QTextCursor cursor = m_memo->textCursor();
    const QTextBlock block = m_memo->document()->findBlock(cursor.selectionStart());
    MemoSelection sel;
    sel.line = block.blockNumber();
    sel.column = cursor.selectionStart() - block.position();
    sel.length = cursor.selectionEnd() - cursor.selectionStart();
    sel.crossesLine = cursor.selectionEnd() > block.position() + block.length() - 1;
    return sel;
}

void QtMemoAccess::InsertLineAfter(int index, const std::string& text) {
    QTextBlock block = m_memo->document()->findBlockByNumber(index);
    if (!block.isValid()) block = m_memo->document()->lastBlock();
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertBlock();
    cursor.insertText(Wide(text));
    m_memo->setTextCursor(cursor);
    m_memo->ensureCursorVisible();
}

void QtMemoAccess::Select(int line, int column, int length) {
    const QTextBlock block = m_memo->document()->findBlockByNumber(line);
    if (!block.isValid()) return;
    const int last = m_memo->document()->characterCount() - 1;
    QTextCursor cursor(m_memo->document());
    cursor.setPosition(std::min(block.position() + column, last));
    cursor.setPosition(std::min(block.position() + column + length, last), QTextCursor::KeepAnchor);
    m_memo->setTextCursor(cursor);
    m_memo->ensureCursorVisible();
}

void QtMemoAccess::FocusBox() { m_memo->setFocus(Qt::OtherFocusReason); }

}  // namespace orvane::ui
