#include "ui/pages/web_data_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/session.h"
#include "ui/pages/page_host.h"
#include "ui/wide_text.h"
#include "webdata/daily_check.h"
#include "webdata/web_data_fetcher.h"
#include "webdata/web_definitions.h"

namespace orvane::ui {

namespace {

QPushButton* NewButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QLatin1String(name));
    return button;
}

}  // namespace

WebDataPage::WebDataPage(PageHost& host, EngineHost& engine, webdata::WebDataFetcher& fetcher,
                         QWidget* parent)
    : QWidget(parent), m_host(host), m_engine(engine), m_fetcher(fetcher) {
    setObjectName(QStringLiteral("Get_Web_data"));

    m_Memo_web_inf = new QPlainTextEdit(Wide(webdata::DefaultWebDefinitions()));
    m_Memo_web_inf->setObjectName(QStringLiteral("Memo_web_inf"));
    m_Memo_web_inf->setAccessibleName(QStringLiteral("Web data definitions"));
    m_Memo_web_inf->setLineWrapMode(QPlainTextEdit::NoWrap);

    m_Button5 = NewButton("Button5", QStringLiteral("Load web data.inf"));
    m_Button6 = NewButton("Button6", QStringLiteral("Save  web data.inf"));
    m_Edit1 = new QLineEdit(QStringLiteral("0"));
    m_Edit1->setObjectName(QStringLiteral("Edit1"));
    m_Edit1->setMaximumWidth(80);
    auto* sectionLabel = new QLabel(QStringLiteral("0: get all data"));
    sectionLabel->setBuddy(m_Edit1);
    m_Button_getCurrency = NewButton("Button_getCurrency", QStringLiteral("Get Data"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_Button5);
    buttons->addWidget(m_Button6);
    buttons->addSpacing(24);
    buttons->addWidget(m_Edit1);
    buttons->addWidget(sectionLabel);
    buttons->addSpacing(24);
    buttons->addWidget(m_Button_getCurrency);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_Memo_web_inf, 1);

    // Commands run once their click has been handled; an error goes to the
    // application's error dialog.
    connect(m_Button5, &QPushButton::clicked, this, [this] { Button5Click(); }, Qt::QueuedConnection);
    connect(m_Button6, &QPushButton::clicked, this, [this] { Button6Click(); }, Qt::QueuedConnection);
    connect(m_Button_getCurrency, &QPushButton::clicked, this, [this] { Button_getCurrencyClick(); },
            Qt::QueuedConnection);
}

QString WebDataPage::DefinitionsPath() const { return Wide(m_fetcher.DefinitionsPath()); }

void WebDataPage::Button5Click() {
    const webdata::DefinitionFileResult r =
        webdata::Button5Click(m_fetcher.DefinitionsPath(), Narrow(m_Memo_web_inf->toPlainText()));
    switch (r.kind) {
        case webdata::DefinitionFileResult::Kind::Loaded:
            m_Memo_web_inf->setPlainText(Wide(r.text));
            break;
        case webdata::DefinitionFileResult::Kind::Created:
            break;
        case webdata::DefinitionFileResult::Kind::Failed:
            m_engine.ShowMessage(MsgIcon::Error, r.error);
            break;
    }
}

void WebDataPage::Button6Click() {
    const std::string error =
        webdata::Button6Click(m_fetcher.DefinitionsPath(), Narrow(m_Memo_web_inf->toPlainText()));
    if (!error.empty()) m_engine.ShowMessage(MsgIcon::Error, error);
}

int32_t WebDataPage::Section() const { return webdata::SectionOfEdit1(Narrow(m_Edit1->text())); }

void WebDataPage::Button_getCurrencyClick() { m_fetcher.LoadCurrency(Section()); }

}  // namespace orvane::ui
