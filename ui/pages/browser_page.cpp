#include "ui/pages/browser_page.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace orvane::ui {

BrowserPage::BrowserPage(PageHost& host, QWidget* parent) : QWidget(parent), m_host(host) {
    setObjectName(QStringLiteral("Web_info"));
    auto* layout = new QVBoxLayout(this);
    m_Memo1 = new QPlainTextEdit(QStringLiteral("Memo1"));
    m_Memo1->setObjectName(QStringLiteral("Memo1"));
    m_Memo1->setVisible(false);
    layout->addWidget(m_Memo1);
    layout->addStretch(1);
}

void BrowserPage::AppendMemo1(const QString& line) { m_Memo1->appendPlainText(line); }

void BrowserPage::Showwebsourcecode1Click(bool shown) { m_Memo1->setVisible(shown); }

}  // namespace orvane::ui
