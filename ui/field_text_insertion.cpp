// Inserting a field-table double-click's text into the box used last.
#include "ui/field_text_insertion.h"

#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include "ui/model/field_insert.h"

namespace orvane::ui {

namespace {

// The selection a line edit had when it lost the focus; see KeepBoxSelection.
class KeptSelection : public QObject {
public:
    explicit KeptSelection(QLineEdit* box) : QObject(box), m_box(box) {
        setObjectName(QStringLiteral("KeptSelection"));
        box->installEventFilter(this);
        // A text set while the box has no focus makes the old selection void.
        connect(box, &QLineEdit::textChanged, this, [this] { m_kept = false; });
    }

    // Start and length of the kept selection; false when none is kept.
    bool Get(int* start, int* length) const {
        if (!m_kept) return false;
        *start = m_start;
        *length = m_length;
        return true;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The filter runs before the box's own focus-out drops the selection.
        if (watched == m_box && event->type() == QEvent::FocusOut) {
            const bool selected = m_box->hasSelectedText();
            m_start = selected ? m_box->selectionStart() : m_box->cursorPosition();
            m_length = selected ? m_box->selectionLength() : 0;
            m_kept = true;
        } else if (watched == m_box && event->type() == QEvent::FocusIn) {
            m_kept = false;
        }
        return false;
    }

private:
    QLineEdit* m_box;
    bool m_kept = false;
    int m_start = 0;
    int m_length = 0;
};

}  // namespace

void KeepBoxSelection(QLineEdit* box) {
    if (!box->findChild<KeptSelection*>(QStringLiteral("KeptSelection"),
                                        Qt::FindDirectChildrenOnly))
        new KeptSelection(box);
}

void InsertFieldTextIntoBox(QLineEdit* box, const QString& text) {
    const bool selected = box->hasSelectedText();
    int start = selected ? box->selectionStart() : box->cursorPosition();
    int length = selected ? box->selectionLength() : 0;
    if (!box->hasFocus()) {
        if (const auto* kept = box->findChild<KeptSelection*>(QStringLiteral("KeptSelection"),
                                                              Qt::FindDirectChildrenOnly))
            kept->Get(&start, &length);
    }
    const BoxInsertion result =
        InsertIntoBox(box->text().toStdU16String(), start, length, text.toStdU16String());
    box->setText(QString::fromStdU16String(result.text));
    box->setFocus();
    box->setCursorPosition(result.caret);
}

void InsertFieldTextIntoMemo(QPlainTextEdit* memo, const QString& text) {
    const QTextCursor selection = memo->textCursor();
    const int start = selection.selectionStart();
    const int length = selection.selectionEnd() - start;
    const QTextBlock block = memo->document()->findBlock(start);
    const int lineStart = block.position();
    const int col = start - lineStart;
    const QString line = QString::fromStdU16String(InsertIntoMemoLine(
        block.text().toStdU16String(), col, length, text.toStdU16String()));

    QTextCursor edit(block);
    edit.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    edit.insertText(line);
    QTextCursor caret(memo->document());
    caret.setPosition(lineStart + col + int(text.size()));
    memo->setTextCursor(caret);
}

}  // namespace orvane::ui
