#include "ui/pages/browser_page.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "platform/qt/qt_web_page.h"
#include "platform/qt/qt_web_profile.h"
#include "ui/clickable_label.h"
#include "ui/maker_links.h"
#include "ui/orvane_application.h"
#include "ui/pages/page_host.h"
#include "ui/wide_text.h"
#include "webdata/browser_page.h"
#include "webdata/web_addresses.h"

namespace orvane::ui {

using webdata::WebBox;

namespace {

bool IsEnter(QEvent* event) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QPushButton* NewButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QLatin1String(name));
    return button;
}

}  // namespace

// The Qt WebEngine view of the page, started at its first use: the profile,
// the engine's page and the view widget in `area`. Starting the engine takes
// a while, so the window shows first. The profile outlives the page, the
// page outlives the view.
class BrowserPage::EngineView : public platform::WebView {
public:
    explicit EngineView(QWidget* area) : m_area(area) {}
    ~EngineView() override {
        delete m_widget;
        m_page.reset();
        m_profile.reset();
    }

    QWebEngineView* Widget() const { return m_widget; }
    void Start() { Started(); }

    void Navigate(const std::string& url) override { Started().Navigate(url); }
    void Reload() override { Started().Reload(); }
    void RunJavaScript(const std::string& script, ScriptDone done) override {
        Started().RunJavaScript(script, std::move(done));
    }
    std::string Url() const override { return m_page ? m_page->Url() : std::string(); }
    void SetEvents(platform::WebViewEvents events) override {
        m_events = std::move(events);
        if (m_page) m_page->SetEvents(m_events);
    }

private:
    platform::QtWebPage& Started() {
        if (!m_page) {
            m_profile = std::make_unique<platform::QtWebProfile>();
            m_page = std::make_unique<platform::QtWebPage>(m_profile->Profile());
            m_page->SetEvents(m_events);
            m_widget = new QWebEngineView;
            m_widget->setObjectName(QStringLiteral("EdgeBrowser1"));
            m_widget->setAccessibleName(QStringLiteral("Web page"));
            m_widget->setPage(m_page->Page());
            m_area->layout()->addWidget(m_widget);
        }
        return *m_page;
    }

    QWidget* m_area;
    platform::WebViewEvents m_events;
    std::unique_ptr<platform::QtWebProfile> m_profile;
    std::unique_ptr<platform::QtWebPage> m_page;
    QWebEngineView* m_widget = nullptr;
};

BrowserPage::BrowserPage(PageHost& host, platform::EventWait& wait, webdata::FieldTableView& tableView,
                         platform::WebView* view, QWidget* parent)
    : QWidget(parent), m_host(host), m_wait(wait), m_tableView(tableView) {
    setObjectName(QStringLiteral("Web_info"));

    // The address row: Refresh, the address box and "search1".
    m_Button3 = NewButton("Button3", QStringLiteral("Refresh"));
    m_Combo_web = new QComboBox;
    m_Combo_web->setObjectName(QStringLiteral("Combo_web"));
    m_Combo_web->setEditable(true);
    m_Combo_web->setInsertPolicy(QComboBox::NoInsert);
    m_Combo_web->addItem(QString::fromLatin1(webdata::kSearchEngineHomePage));
    m_Combo_web->addItem(QString::fromLatin1(kHomePageUrl));
    m_Combo_web->setEditText(QString::fromLatin1(webdata::InitialBoxText(WebBox::Combo_web)));
    m_Combo_web->setAccessibleName(QStringLiteral("Address"));
    m_Combo_web->lineEdit()->setAccessibleName(QStringLiteral("Address"));
    m_Combo_web->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_Combo_web->installEventFilter(this);
    m_Combo_web->lineEdit()->installEventFilter(this);
    m_Button4 = NewButton("Button4", QStringLiteral("search1"));
    auto* addressRow = new QHBoxLayout;
    addressRow->addWidget(m_Button3);
    addressRow->addWidget(m_Combo_web, 1);
    addressRow->addWidget(m_Button4);

    // The keyword window.
    auto* windowRow = new QHBoxLayout;
    windowRow->addWidget(AddBox(WebBox::Edit_keyword, QStringLiteral("Keyword")));
    windowRow->addWidget(AddBox(WebBox::Edit_position, QStringLiteral("Window position")));
    windowRow->addWidget(AddBox(WebBox::Edit_length, QStringLiteral("Window length")));
    windowRow->addWidget(AddBox(WebBox::Edit3, QStringLiteral("Window text")), 3);

    // The item extraction.
    m_Button_search_2nd = NewButton("Button_search_2nd", QStringLiteral("Search 2"));
    auto* itemRow = new QHBoxLayout;
    itemRow->addWidget(m_Button_search_2nd);
    itemRow->addWidget(AddBox(WebBox::Edit_keyword_start, QStringLiteral("Item start text")));
    itemRow->addWidget(AddBox(WebBox::Edit_keyword_end, QStringLiteral("Item end text")));
    itemRow->addWidget(AddBox(WebBox::Edit_result, QStringLiteral("Result")));
    itemRow->addWidget(AddBox(WebBox::Edit_from, QStringLiteral("Title")));
    itemRow->addWidget(AddBox(WebBox::Edit_Description, QStringLiteral("Description")));

    // The dictionary.
    m_Label6 = new ClickableLabel;
    m_Label6->setObjectName(QStringLiteral("Label6"));
    m_Label6->setText(QStringLiteral(" Dictionary "));
    m_Label6->setToolTip(QStringLiteral("Look the word up in the dictionary"));
    m_Label6->setAccessibleName(QStringLiteral("Dictionary"));
    m_Label6->SetAction([this] { OpenDictionary(m_Edit_DIC_C_E->text()); });
    m_Edit_DIC_C_E = new QLineEdit(QStringLiteral("dictionary"));
    m_Edit_DIC_C_E->setObjectName(QStringLiteral("Edit_DIC_C_E"));
    m_Edit_DIC_C_E->setAccessibleName(QStringLiteral("Dictionary word"));
    m_Edit_DIC_C_E->installEventFilter(this);
    m_Edit_DIC_E_C = new QLineEdit(QStringLiteral("English->Chinese"));
    m_Edit_DIC_E_C->setObjectName(QStringLiteral("Edit_DIC_E_C"));
    m_Edit_DIC_E_C->setAccessibleName(QStringLiteral("English to Chinese word"));
    m_Edit_DIC_E_C->installEventFilter(this);
    auto* dictionaryRow = new QHBoxLayout;
    dictionaryRow->addWidget(m_Label6);
    dictionaryRow->addWidget(m_Edit_DIC_C_E, 1);
    dictionaryRow->addWidget(m_Edit_DIC_E_C, 1);

    // The source view, hidden at first.
    m_Memo1 = new QPlainTextEdit;
    m_Memo1->setObjectName(QStringLiteral("Memo1"));
    m_Memo1->setAccessibleName(QStringLiteral("Web page source"));
    m_Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_Memo1->setVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(addressRow);
    layout->addLayout(windowRow);
    layout->addLayout(itemRow);
    layout->addLayout(dictionaryRow);
    layout->addWidget(m_Memo1, 1);

    // The web view fills the rest (a test's view shows nothing there).
    auto* viewArea = new QWidget;
    viewArea->setObjectName(QStringLiteral("WebViewArea"));
    auto* viewLayout = new QVBoxLayout(viewArea);
    viewLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(viewArea, 3);
    if (!view) {
        m_engine = std::make_unique<EngineView>(viewArea);
        view = m_engine.get();
    }
    m_browser = std::make_unique<webdata::CapturingBrowser>(*view, m_wait, *this);
    m_browser->SetSourceChangedHandler([this](const std::string& source) { ShowSource(source); });
    m_browser->SetSourceText("Memo1");
    // A hand edit of the source view is what the next "search1" cuts from.
    connect(m_Memo1, &QPlainTextEdit::textChanged, this, [this] {
        if (m_syncing) return;
        m_syncing = true;
        m_browser->SetSourceText(Narrow(m_Memo1->toPlainText()));
        m_syncing = false;
    });

    // Commands run once their click has been handled; an error goes to the
    // application's error dialog.
    connect(m_Button3, &QPushButton::clicked, this, [this] { Button3Click(); }, Qt::QueuedConnection);
    connect(m_Button4, &QPushButton::clicked, this, [this] { Button4Click(); }, Qt::QueuedConnection);
    connect(m_Button_search_2nd, &QPushButton::clicked, this, [this] { Button_search_2ndClick(); },
            Qt::QueuedConnection);
}

BrowserPage::~BrowserPage() {
    // The capture handling goes before the view it drives.
    m_browser.reset();
    m_engine.reset();
}

QWebEngineView* BrowserPage::EdgeBrowser1() const { return m_engine ? m_engine->Widget() : nullptr; }

QLineEdit* BrowserPage::AddBox(WebBox box, const QString& accessibleName) {
    auto* edit = new QLineEdit(QString::fromUtf8(webdata::InitialBoxText(box)));
    edit->setObjectName(QLatin1String(webdata::WebBoxName(box)));
    edit->setAccessibleName(accessibleName);
    m_boxes[int(box)] = edit;
    return edit;
}

QLineEdit* BrowserPage::BoxEdit(WebBox box) const {
    return box == WebBox::Combo_web ? m_Combo_web->lineEdit() : m_boxes[int(box)];
}

std::string BrowserPage::Box(WebBox box) const {
    if (box == WebBox::Combo_web) return Narrow(m_Combo_web->currentText());
    return Narrow(m_boxes[int(box)]->text());
}

void BrowserPage::SetBox(WebBox box, std::string_view text) {
    const QString wide = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (box == WebBox::Combo_web) {
        m_Combo_web->setEditText(wide);
        return;
    }
    QLineEdit* edit = m_boxes[int(box)];
    edit->setText(wide);
    edit->setCursorPosition(0);  // a long window shows its start
}

void BrowserPage::Button3Click() { webdata::Button3Click(*this, *m_browser); }

void BrowserPage::Button4Click() { webdata::Button4Click(*this, *m_browser); }

void BrowserPage::Button_search_2ndClick() {
    webdata::Button_search_2ndClick(*this, m_host.fieldTable(), m_wait, m_tableView);
}

void BrowserPage::OpenDictionary(const QString& word) {
    SetBox(WebBox::Combo_web, webdata::DictionaryAddress(Narrow(word)));
    Button3Click();
    if (m_bringToFront) m_bringToFront();
}

void BrowserPage::WarmUp() {
    if (m_engine) m_engine->Start();
}

void BrowserPage::Showwebsourcecode1Click(bool shown) { m_Memo1->setVisible(shown); }

void BrowserPage::AppendMemo1(const QString& line) {
    std::string text = m_browser->Source();
    if (!text.empty()) text += '\n';
    text += Narrow(line);
    m_syncing = true;
    m_browser->SetSourceText(std::move(text));
    m_Memo1->appendPlainText(line);
    m_syncing = false;
}

void BrowserPage::ShowSource(const std::string& source) {
    if (m_syncing) return;
    m_syncing = true;
    m_Memo1->setPlainText(Wide(source));
    m_syncing = false;
}

bool BrowserPage::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the address box opens it; the key goes no further.
    if ((watched == m_Combo_web || watched == m_Combo_web->lineEdit()) &&
        event->type() == QEvent::KeyPress && IsEnter(event)) {
        OrvaneApplication::Run([this] { Button3Click(); });
        return true;
    }
    // Enter released in a dictionary box looks its word up.
    if ((watched == m_Edit_DIC_C_E || watched == m_Edit_DIC_E_C) &&
        event->type() == QEvent::KeyRelease && IsEnter(event)) {
        const QString word = static_cast<QLineEdit*>(watched)->text();
        OrvaneApplication::Run([this, word] { OpenDictionary(word); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace orvane::ui
