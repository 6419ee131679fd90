#include "webdata/browser_page.h"

#include <gtest/gtest.h>

#include "engine/errors.h"
#include "tests/webdata/fake_web_view.h"
#include "webdata/capturing_browser.h"
#include "tests/webdata/fake_event_loop.h"
#include "tests/webdata/recording_view.h"

namespace orvane::webdata {
namespace {

using test::FakeWebView;
using test::FakeEventLoop;
using test::RecordingView;

TEST(BrowserPage, RefreshTestsOnlyTheFirstFourLetters) {
    struct Row {
        const char* typed;
        const char* opened;
    } rows[] = {{"example.com", "http://example.com"},
                {"HTTPS://example.com", "HTTPS://example.com"},
                {"httpfoo", "httpfoo"},
                {"Http://a", "Http://a"},
                {"htt", "http://htt"},
                {"", "http://"},
                {"ftp://a", "http://ftp://a"}};
    for (const Row& r : rows) EXPECT_EQ(RefreshAddress(r.typed), r.opened) << r.typed;

    FakeEventLoop loop;
    FakeWebView view(loop);
    WebBoxStore boxes;
    CapturingBrowser browser(view, loop, boxes);
    boxes.SetBox(WebBox::Combo_web, "example.com");
    Button3Click(boxes, browser);
    EXPECT_EQ(view.navigations, std::vector<std::string>{"http://example.com"});
    EXPECT_EQ(boxes.Box(WebBox::Combo_web), "example.com");
}

TEST(BrowserPage, DictionaryAddressKeepsTheWordAsTyped) {
    EXPECT_EQ(DictionaryAddress("hello", "http://dict.test/"), "http://dict.test/dictionary?p=hello");
    // Blanks, "&" and Chinese go out as typed, not percent-encoded.
    EXPECT_EQ(DictionaryAddress("a b&c", "http://d/"), "http://d/dictionary?p=a b&c");
    EXPECT_EQ(DictionaryAddress("字典", "http://d/"), "http://d/dictionary?p=字典");
    EXPECT_EQ(DictionaryAddress(""), std::string(kDictionaryBase) + "dictionary?p=");
}

TEST(BrowserPage, CutWindowAfterTheKeyword) {
    struct Row {
        const char* name;
        std::string source, keyword, length, position, window;
    } rows[] = {
        {"Found", "xx RATE = 31.5 NTD yy", "RATE =", "10", "10", " 31.5 NTD "},
        {"PastTheEnd", "xx RATE =", "RATE =", "10", "10", ""},
        {"Absent", "abcdefgh", "XYZ", "3", "3", "cde"},
        {"EmptyKeyword", "abcdefgh", "", "3", "0", "abc"},
        {"HexLength", "k=0123456789", "k=", "$4", "3", "0123"},
        {"WideCharacters", "匯率 1美元 = 31.5 台幣", "1美元 =", "6", "9", " 31.5 "},
        {"NegativeLength", "k=abc", "k=", "-1", "3", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        WebBoxStore boxes;
        boxes.SetBox(WebBox::Edit_keyword, r.keyword);
        boxes.SetBox(WebBox::Edit_length, r.length);
        CutWindow(boxes, r.source);
        EXPECT_EQ(boxes.Box(WebBox::Edit_position), r.position);
        EXPECT_EQ(boxes.Box(WebBox::Edit3), r.window);
    }
}

TEST(BrowserPage, Search1CutsFromThePreviousCaptureAndAsksForANewOne) {
    FakeEventLoop loop;
    FakeWebView view(loop);
    WebBoxStore boxes;
    CapturingBrowser browser(view, loop, boxes);
    browser.SetSourceText("old RATE = 1 NTD");
    boxes.SetBox(WebBox::Edit3, "stale");
    boxes.SetBox(WebBox::Edit_keyword, "RATE =");
    boxes.SetBox(WebBox::Edit_length, "2");
    Button4Click(boxes, browser);
    EXPECT_EQ(view.scripts, std::vector<std::string>{kCaptureScript});
    EXPECT_EQ(boxes.Box(WebBox::Edit3), " 1");

    // At start the length box reads "Edit_length": the conversion error is
    // raised after the position was set, and Edit3 stays empty.
    boxes.SetBox(WebBox::Edit_length, InitialBoxText(WebBox::Edit_length));
    boxes.SetBox(WebBox::Edit3, "stale");
    EXPECT_THROW(Button4Click(boxes, browser), EConvertError);
    EXPECT_EQ(boxes.Box(WebBox::Edit_position), "11");
    EXPECT_EQ(boxes.Box(WebBox::Edit3), "");
}

TEST(BrowserPage, ExtractItemBetweenStartAndEnd) {
    struct Row {
        const char* name;
        std::string window, start, end, value;
    } rows[] = {
        {"Example", " 31.5 NTD ", " ", "NTD", "31.5 "},
        {"EndOnlyBeforeStart", "NTD 31.5 =", "=", "NTD", ""},
        {"StartAbsentCountsItsLength", "ab:cd;", "xyz", ";", ":cd"},
        {"EmptyStart", "abc;", "", ";", ""},
        {"EndAbsent", "a=1", "=", ";", ""},
        {"EmptyEnd", "a=1;", "=", "", ""},
        {"AdjacentStartAndEnd", "a=;", "=", ";", ""},
        {"WideCharacters", "匯率😀 31.5 台幣", "😀", "台幣", " 31.5 "},
        // The captured page lost the quotes, so the start text is not found
        // and the cut starts at its length.
        {"CapturedQuotesDoNotMatch", "<span class=vk_ans vk_bk>31 台幣", "\"vk_ans vk_bk\">", "台幣",
         "_ans vk_bk>31 "},
        {"DoubledQuotesMatch", "<span class=\"vk_ans vk_bk\">31 台幣", "\"vk_ans vk_bk\">", "台幣", "31 "},
    };
    for (const Row& r : rows) EXPECT_EQ(ExtractItem(r.window, r.start, r.end), r.value) << r.name;
}

// A table whose field names are `names` (columns 1..), values "v<c>".
FieldTable TableWith(const std::vector<std::string>& names) {
    FieldTable t;
    t.SetColCount(int(names.size()) + 1);
    for (size_t i = 0; i < names.size(); ++i) {
        t.SetCell(int(i) + 1, 0, names[i]);
        t.SetCell(int(i) + 1, 1, names[i].empty() ? "" : "v" + std::to_string(i + 1));
    }
    return t;
}

TEST(BrowserPage, ChooseItemColumn) {
    struct Row {
        const char* name;
        std::vector<std::string> names;
        std::string title;
        int column;
        bool same, grows;
    } rows[] = {
        {"SameTitle", {"A", "USD", "B"}, "USD", 2, true, false},
        {"FirstEmptyHeader", {"A", "", "B", ""}, "USD", 2, false, false},
        {"EmptyBeforeTitle", {"A", "", "USD"}, "USD", 2, false, false},
        {"CaseMatters", {"usd", "B"}, "USD", 3, false, true},
        {"AllNamedGrows", {"A", "B", "C", "D"}, "USD", 5, false, true},
        {"HeadingColumnIsNoField", {"A", "B"}, "Name", 3, false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ItemColumn c = ChooseItemColumn(TableWith(r.names), r.title);
        EXPECT_EQ(c.column, r.column);
        EXPECT_EQ(c.sameTitle, r.same);
        EXPECT_EQ(c.grows, r.grows);
    }
}

class Search2 : public testing::Test {
protected:
    // Runs "Search 2" with item title `title` on window "x=7;".
    int Run(const std::string& title) {
        boxes.SetBox(WebBox::Edit3, "x=7;");
        boxes.SetBox(WebBox::Edit_keyword_start, "=");
        boxes.SetBox(WebBox::Edit_keyword_end, ";");
        boxes.SetBox(WebBox::Edit_from, title);
        boxes.SetBox(WebBox::Edit_Description, "desc");
        return Button_search_2ndClick(boxes, table, loop, view);
    }
    FakeEventLoop loop;
    WebBoxStore boxes;
    FieldTable table = TableWith({"A", "USD", "B", "C"});
    RecordingView view{table};
};

TEST_F(Search2, SameTitleUpdatesItsColumnAfterAVisiblePause) {
    EXPECT_EQ(Run("USD"), 2);
    EXPECT_EQ(boxes.Box(WebBox::Edit_result), "7");
    EXPECT_EQ(table.ColCount(), 5);
    EXPECT_EQ(table.Cell(2, 0), "USD");
    EXPECT_EQ(table.Cell(2, 1), "7");
    EXPECT_EQ(table.Cell(2, 2), "desc");
    // First redraw: the old value cleared; then the pause; then the new value.
    ASSERT_EQ(view.shownValues.size(), 2u);
    EXPECT_EQ(view.shownValues[0][1], "");
    EXPECT_EQ(view.shownValues[1][1], "7");
    EXPECT_EQ(loop.Now(), uint64_t(kSameTitlePauseMs));
    EXPECT_EQ(view.items, (std::vector<std::pair<int, std::string>>{{2, "USD=7"}}));
}

TEST_F(Search2, NewTitleGrowsAFullTableByTwoColumns) {
    EXPECT_EQ(Run("EUR"), 5);
    EXPECT_EQ(table.ColCount(), 7);
    EXPECT_EQ(table.Cell(5, 0), "EUR");
    EXPECT_EQ(table.Cell(5, 1), "7");
    EXPECT_EQ(table.Cell(6, 0), "");
    EXPECT_EQ(loop.Now(), 0u);  // no pause for a new column
    // The next new title takes the second new column without growing.
    EXPECT_EQ(Run("JPY"), 6);
    EXPECT_EQ(table.ColCount(), 7);
}

TEST_F(Search2, EmptyHeaderBeforeTheTitleMakesTheTitleHeadTwoColumns) {
    table.SetCell(1, 0, "");
    EXPECT_EQ(Run("USD"), 1);
    EXPECT_EQ(table.Cell(1, 0), "USD");
    EXPECT_EQ(table.Cell(2, 0), "USD");
    EXPECT_EQ(table.Cell(2, 1), "v2");  // the old column keeps its value
}

TEST_F(Search2, ColumnRemovedDuringThePauseIsChosenAgain) {
    // During the pause the user deletes the column the title was found in.
    loop.Post(10, [this] { table.DeleteColumn(2); });
    EXPECT_EQ(Run("USD"), 4);
    EXPECT_EQ(table.Cell(4, 0), "USD");
    EXPECT_EQ(table.Cell(4, 1), "7");
}

}  // namespace
}  // namespace orvane::webdata
