#include "ui/pages/tools_page.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace orvane::ui {

ToolsPage::ToolsPage(PageHost& host, QWidget* parent) : QWidget(parent), m_host(host) {
    setObjectName(QStringLiteral("AES_HASH"));
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    m_Memo2 = new QPlainTextEdit(QStringLiteral("Memo2"));
    m_Memo2->setObjectName(QStringLiteral("Memo2"));
    layout->addWidget(m_Memo2, 1);
}

void ToolsPage::AppendMemo2(const QString& line) { m_Memo2->appendPlainText(line); }

}  // namespace orvane::ui
