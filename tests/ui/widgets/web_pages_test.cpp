// The browser page and the web-data page in the window, over a web view that
// serves pages from a map on the Qt event loop: the controls and their first
// texts, Refresh and Enter, the capture into Memo1, "search1" and "Search 2",
// the dictionary, "Show web source code", the definition file buttons, the
// fetch from the page and from the Tool menu, and the start-up timers; and
// once the real Qt WebEngine view, offscreen, on a page of a local server.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

#include <map>
#include <string>

#include "smartformat/field_table.h"
#include "tests/support/local_http_server.h"
#include "tests/support/window_rig.h"
#include "ui/calculator_panel.h"
#include "ui/clickable_label.h"
#include "ui/pages/browser_page.h"
#include "ui/pages/web_data_page.h"
#include "webdata/capturing_browser.h"
#include "webdata/web_addresses.h"
#include "webdata/web_data_fetcher.h"
#include "webdata/web_definitions.h"

namespace orvane::ui {

using test::Drain;
using test::FindAction;
using test::IniValue;
using test::ReadFile;
using test::WriteFile;
using test::WindowRig;
using webdata::WebBox;

namespace {

// Handles events until the browser has captured a page (at most 5 s).
bool WaitForCapture(BrowserPage& page) {
    page.browser().set_web_flashed(false);
    return QTest::qWaitFor([&] { return page.browser().web_flashed(); }, 5000);
}

// The field column headed `title`, 0 when none.
int ColumnOf(const FieldTable& table, const std::string& title) {
    for (int c = 1; c < table.ColCount(); ++c)
        if (table.Cell(c, FieldTable::kNameRow) == title) return c;
    return 0;
}

const char* const kRatePage = "http://rates.test/usd";

// One currency section over kRatePage and the sync day.
const char* const kRateDefinitions =
    "[Web Data 1]\n"
    "web=http://rates.test/usd\n"
    "title 1=USD\n"
    "keyword=RATE =\n"
    "keyword_length=10\n"
    "keyword_start 1=\" \"\n"
    "Keyword_end 1=NTD\n"
    "Description 1=Currency rate\n";

}  // namespace

class WebPagesTest : public QObject {
    Q_OBJECT

private slots:
    void browserPageControlsStartWithTheirTexts();
    void refreshEnterAndCaptureIntoTheSourceView();
    void dictionaryOpensItsAddressAndShowsThePage();
    void definitionFileIsCreatedLoadedAndSaved();
    void toolMenuFetchFillsTheTableAndRefusesASecondOne();
    void startUpTimerOpensTheAddressAndArmsTheDailyFetch();
    void realWebViewStartsAtFirstUseAndCapturesALocalPage();
};

void WebPagesTest::browserPageControlsStartWithTheirTexts() {
    WindowRig rig;
    TForm1& f = rig.Window();
    BrowserPage& page = f.browserPage();
    QCOMPARE(page.Button3()->text(), QStringLiteral("Refresh"));
    QCOMPARE(page.Button4()->text(), QStringLiteral("search1"));
    QCOMPARE(page.Button_search_2nd()->text(), QStringLiteral("Search 2"));
    QCOMPARE(page.Label6()->text(), QStringLiteral(" Dictionary "));
    QCOMPARE(page.Edit_DIC_C_E()->text(), QStringLiteral("dictionary"));
    QCOMPARE(page.Edit_DIC_E_C()->text(), QStringLiteral("English->Chinese"));
    QCOMPARE(page.Combo_web()->currentText(), QString::fromLatin1(webdata::kSearchEngineHomePage));
    QCOMPARE(page.Combo_web()->count(), 2);
    const struct {
        WebBox box;
        const char* text;
    } boxes[] = {{WebBox::Edit_keyword, "Keyword"},       {WebBox::Edit_position, "position"},
                 {WebBox::Edit_length, "Edit_length"},    {WebBox::Edit3, ""},
                 {WebBox::Edit_keyword_start, "keyword_start"},
                 {WebBox::Edit_keyword_end, "keyword_end"}, {WebBox::Edit_result, "Result"},
                 {WebBox::Edit_from, "Title"},            {WebBox::Edit_Description, "Description"}};
    for (const auto& b : boxes) QCOMPARE(page.BoxEdit(b.box)->text(), QString::fromLatin1(b.text));
    // Every box and button can be found by a screen reader.
    for (QWidget* w : page.findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPushButton*>(w) || qobject_cast<QComboBox*>(w) ||
            qobject_cast<QPlainTextEdit*>(w))
            QVERIFY2(!w->accessibleName().isEmpty() || !w->property("text").toString().isEmpty(),
                     qPrintable(w->objectName()));

    // The source view is hidden until the menu item is checked.
    f.show();
    f.PageControl1()->setCurrentWidget(&page);
    QVERIFY(!page.Memo1()->isVisible());
    QAction& show = FindAction(f, QStringLiteral("Show web source code"));
    show.trigger();
    Drain();
    QVERIFY(page.Memo1()->isVisible());
    show.trigger();
    Drain();
    QVERIFY(!page.Memo1()->isVisible());
}

void WebPagesTest::refreshEnterAndCaptureIntoTheSourceView() {
    WindowRig rig;
    rig.web.pages["http://example.test/a"] = "<p class=\"v\" title=\"\">1+1</p>";
    TForm1& f = rig.Window();
    BrowserPage& page = f.browserPage();

    // Refresh puts "http://" in front of an address without it; the view's
    // address then comes back into the box, and the page is captured.
    page.SetBox(WebBox::Combo_web, "example.test/a");
    page.Button3()->click();
    QVERIFY(WaitForCapture(page));
    QCOMPARE(rig.web.navigations.back(), std::string("http://example.test/a"));
    QCOMPARE(page.Combo_web()->currentText(), QStringLiteral("http://example.test/a"));
    QCOMPARE(rig.web.scripts.back(), std::string("encodeURI(document.documentElement.outerHTML)"));
    // Lone quotes go, a pair becomes one, "+" is a blank; hidden or not.
    QCOMPARE(page.Memo1()->toPlainText(), QStringLiteral("<p class=v title=\">1 1</p>"));

    // Enter in the address box opens an "HTTPS" address as typed.
    page.Combo_web()->setFocus();
    page.Combo_web()->setEditText(QStringLiteral("HTTPS://other.test"));
    QTest::keyClick(page.Combo_web()->lineEdit(), Qt::Key_Return);
    QCOMPARE(rig.web.navigations.back(), std::string("HTTPS://other.test"));
    QCOMPARE(page.Combo_web()->count(), 2);  // Enter adds no preset
    QVERIFY(WaitForCapture(page));
    // A page that gives "null" leaves the last capture.
    QCOMPARE(page.Memo1()->toPlainText(), QStringLiteral("<p class=v title=\">1 1</p>"));

    // "search1" cuts from the source captured before, "Search 2" stores
    // the item in the field table.
    page.SetBox(WebBox::Edit_keyword, "class=");
    page.SetBox(WebBox::Edit_length, "9");
    page.Button4Click();
    QCOMPARE(page.Box(WebBox::Edit_position), std::string("10"));
    QCOMPARE(page.Box(WebBox::Edit3), std::string("v title=\""));
    page.SetBox(WebBox::Edit_keyword_start, "v ");
    page.SetBox(WebBox::Edit_keyword_end, "=");
    page.SetBox(WebBox::Edit_from, "Attr");
    page.Button_search_2ndClick();
    QCOMPARE(page.Box(WebBox::Edit_result), std::string("title"));
    const int column = ColumnOf(f.fieldTable(), "Attr");
    QVERIFY(column > 0);
    QCOMPARE(f.fieldTable().Cell(column, FieldTable::kValueRow), std::string("title"));
    QCOMPARE(f.fieldTable().Cell(column, FieldTable::kDescriptionRow), std::string("Description"));
}

void WebPagesTest::dictionaryOpensItsAddressAndShowsThePage() {
    WindowRig rig;
    TForm1& f = rig.Window();
    BrowserPage& page = f.browserPage();
    f.show();
    const std::string base = std::string(webdata::kDictionaryBase) + "dictionary?p=";

    page.Edit_DIC_E_C()->setText(QStringLiteral("hello world"));
    QTest::keyClick(page.Edit_DIC_E_C(), Qt::Key_Return);
    QCOMPARE(f.PageControl1()->currentWidget(), static_cast<QWidget*>(&page));
    QCOMPARE(rig.web.navigations.back(), base + "hello world");

    f.PageControl1()->setCurrentIndex(0);
    page.Edit_DIC_C_E()->setText(QString::fromUtf8("字典"));
    QTest::keyClick(page.Edit_DIC_C_E(), Qt::Key_Enter);
    QCOMPARE(rig.web.navigations.back(), base + "字典");
    QCOMPARE(f.PageControl1()->currentWidget(), static_cast<QWidget*>(&page));

    // A click on the label looks up the first box's word.
    page.Edit_DIC_C_E()->setText(QStringLiteral("word"));
    QTest::mouseClick(page.Label6(), Qt::LeftButton);
    QCOMPARE(rig.web.navigations.back(), base + "word");
    QCOMPARE(page.Combo_web()->currentText(), QString::fromStdString(base + "word"));
}

void WebPagesTest::definitionFileIsCreatedLoadedAndSaved() {
    const QByteArray defaults = QByteArray::fromStdString(webdata::DefaultWebDefinitions());
    {
        // The first start writes the built-in definitions beside the settings.
        WindowRig rig;
        TForm1& f = rig.Window();
        const QString path = rig.File(QStringLiteral("prog/web data.inf"));
        QCOMPARE(f.webDataPage().DefinitionsPath(), path);
        QCOMPARE(ReadFile(path), defaults);
        WebDataPage& page = f.webDataPage();
        QCOMPARE(page.Memo_web_inf()->toPlainText().toUtf8(), defaults);
        QCOMPARE(page.Edit1()->text(), QStringLiteral("0"));
        QCOMPARE(page.Button6()->text(), QStringLiteral("Save  web data.inf"));

        // Saving writes the editor's text; loading reads the file back.
        page.Memo_web_inf()->setPlainText(QString::fromLatin1(kRateDefinitions));
        page.Button6()->click();
        Drain();
        QCOMPARE(ReadFile(path), QByteArray(kRateDefinitions));
        page.Memo_web_inf()->setPlainText(QStringLiteral("edited"));
        page.Button5()->click();
        Drain();
        QCOMPARE(page.Memo_web_inf()->toPlainText(), QString::fromLatin1(kRateDefinitions));
        QVERIFY(rig.dialogs.errors.isEmpty() && rig.dialogs.boxes.isEmpty());
    }
    {
        // An existing file is shown and left as it is.
        WindowRig rig;
        WriteFile(rig.File(QStringLiteral("prog/web data.inf")), "[Web Data 1]\nweb=x\n");
        TForm1& f = rig.Window();
        QCOMPARE(f.webDataPage().Memo_web_inf()->toPlainText(), QStringLiteral("[Web Data 1]\nweb=x\n"));
        QCOMPARE(ReadFile(rig.File(QStringLiteral("prog/web data.inf"))), QByteArray("[Web Data 1]\nweb=x\n"));
    }
}

void WebPagesTest::toolMenuFetchFillsTheTableAndRefusesASecondOne() {
    WindowRig rig;
    rig.web.pages[kRatePage] = "<html><body>xx RATE = 31.5 NTD yy</body></html>";
    WriteFile(rig.File(QStringLiteral("prog/web data.inf")), kRateDefinitions);
    // Before Timer0 no other page is loading, so no other capture can end
    // the fetch's wait early.
    TForm1& f = rig.Window();

    // While the fetch waits for its page: the browser page is in front, and
    // another fetch is refused.
    QWidget* pageDuringFetch = nullptr;
    webdata::FetchOutcome second = webdata::FetchOutcome::Finished;
    QString refusedText;
    QTimer::singleShot(300, &f, [&] {
        pageDuringFetch = f.PageControl1()->currentWidget();
        second = f.fetcher().LoadCurrency(0);
        refusedText = f.StatusPanelText(webdata::kFetchPanel);
    });
    FindAction(f, QStringLiteral("LoadCurrency")).trigger();
    Drain();  // the menu command runs here, with its whole fetch

    QCOMPARE(pageDuringFetch, static_cast<QWidget*>(&f.browserPage()));
    QCOMPARE(second, webdata::FetchOutcome::Refused);
    QCOMPARE(refusedText, QString::fromLatin1(webdata::kFetchRunningText));
    QCOMPARE(f.PageControl1()->currentIndex(), 0);
    QCOMPARE(f.StatusPanelText(webdata::kFetchPanel), QStringLiteral("Currency update finished"));
    const int column = ColumnOf(f.fieldTable(), "USD");
    QVERIFY(column > 0);
    QCOMPARE(f.fieldTable().Cell(column, FieldTable::kValueRow), std::string("31.5 "));
    QCOMPARE(f.fieldTable().Cell(column, FieldTable::kDescriptionRow), std::string("Currency rate"));
    // The run went on to section 2, which has no address.
    QCOMPARE(f.browserPage().Box(WebBox::Edit3), std::string("Web Data 2web not found"));
    QVERIFY(rig.dialogs.boxes.isEmpty());
}

void WebPagesTest::startUpTimerOpensTheAddressAndArmsTheDailyFetch() {
    WindowRig rig;
    rig.options.clock = [] { return LocalDateTime{2026, 12, 10, 9, 30, 0, 0}; };
    // No sections: the armed fetch ends at once at section 1.
    WriteFile(rig.File(QStringLiteral("prog/web data.inf")), "[Web sync day]\ndatetime=not a date\n");
    TForm1& f = rig.Window();
    QVERIFY(f.Timer0()->isActive());
    QCOMPARE(f.Timer0()->interval(), 3000);
    QVERIFY(!f.Timer1()->isActive());

    f.Timer0Timer();
    QVERIFY(!f.Timer0()->isActive());
    QCOMPARE(rig.web.navigations.back(), std::string(webdata::kSearchEngineHomePage));
    QVERIFY(f.Timer1()->isActive());
    QCOMPARE(f.Timer1()->interval(), 15000);
    QCOMPARE(f.StatusPanelText(webdata::kFetchPanel), QStringLiteral("Currency update in 15 sec."));
    const QString inf = rig.File(QStringLiteral("prog/web data.inf"));
    QVERIFY(IniValue(inf, "Web sync day", "datetime") != "not a date");

    f.Timer1Timer();
    QVERIFY(!f.Timer1()->isActive());
    QCOMPARE(f.browserPage().Box(WebBox::Edit3), std::string("Web Data 1web not found"));
    QCOMPARE(f.StatusPanelText(webdata::kFetchPanel), QStringLiteral("Currency update finished"));

    // A second check on the same day arms nothing.
    f.Timer0Timer();
    QVERIFY(!f.Timer1()->isActive());
}

void WebPagesTest::realWebViewStartsAtFirstUseAndCapturesALocalPage() {
    const std::map<std::string, std::string> pages = {
        {"/rates", "<html><body><p class=\"r\">RATE = 31.5 NTD</p></body></html>"}};
    orvane::test::LocalHttpServer server(pages);
    QVERIFY(server.Port() != 0);
    WindowRig rig;
    rig.options.webView = nullptr;  // the page's own Qt WebEngine view
    TForm1& f = rig.Window();
    BrowserPage& page = f.browserPage();
    // Nothing of the engine runs until the view is first used.
    QVERIFY(!page.EdgeBrowser1());

    page.SetBox(WebBox::Combo_web, server.Url("/rates"));
    page.Button3Click();
    QVERIFY(page.EdgeBrowser1());
    page.browser().set_web_flashed(false);
    QVERIFY(QTest::qWaitFor([&] { return page.browser().web_flashed(); }, 30000));
    QVERIFY2(page.Memo1()->toPlainText().contains(QStringLiteral("<p class=r>RATE = 31.5 NTD</p>")),
             qPrintable(page.Memo1()->toPlainText()));
    QCOMPARE(page.Combo_web()->currentText(), QString::fromStdString(server.Url("/rates")));
}

}  // namespace orvane::ui

QObject* MakeWebPagesTest() { return new orvane::ui::WebPagesTest; }

#include "web_pages_test.moc"
