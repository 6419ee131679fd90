#include "webdata/web_data_fetcher.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"
#include "tests/webdata/fake_web_view.h"
#include "tests/webdata/fake_event_loop.h"
#include "tests/webdata/recording_view.h"
#include "webdata/capturing_browser.h"
#include "webdata/web_definitions.h"

namespace orvane::webdata {
namespace {

using test::FakeWebView;
using test::FakeEventLoop;
using test::RecordingHost;
using test::RecordingView;
using test::TempDir;
using test::WriteBytes;

using Items = std::vector<std::pair<int, std::string>>;

// Three sections over three local pages; section 3 has two items.
const char* kThreeSections =
    "[Web Data 0]\n"
    "web=http://127.0.0.1/never\n"
    "[Web Data 1]\n"
    "web=http://127.0.0.1/usd\n"
    "title 1=USD\n"
    "keyword=USD =\n"
    "keyword_length=12\n"
    "keyword_start 1=\" \"\n"
    "Keyword_end 1=NTD\n"
    "Description 1=Currency rate\n"
    "[Web Data 2]\n"
    "web=127.0.0.1/jpy\n"
    "title 1=JPY\n"
    "keyword=JPY =\n"
    "keyword_length=$C\n"
    "keyword_start 1=\" \"\n"
    "keyword_end 1=NTD\n"
    "[Web Data 3]\n"
    "web=http://127.0.0.1/weather\n"
    "title 1=Temp\n"
    "keyword=天氣\n"
    "keyword_length=40\n"
    "keyword_start 1=溫度\n"
    "keyword_end 1=度\n"
    "Description 1=Temperature\n"
    "keyword_start 2=濕度\n"
    "keyword_end 2=%\n"
    "title 2=Humidity\n";

class Fetch : public testing::Test {
protected:
    Fetch() {
        web.pages["http://127.0.0.1/usd"] = "<p>1 USD = 31.5 NTD</p>";
        web.pages["http://127.0.0.1/jpy"] = "<p>1 JPY = 0.21 NTD</p>";
        web.pages["http://127.0.0.1/weather"] = "<div class=\"w\">天氣 溫度28度 濕度79%</div>";
        WriteBytes(path, kThreeSections);
    }
    std::vector<std::string> Statuses() const {
        std::vector<std::string> out;
        for (const auto& m : host.messages)
            if (!m.box) out.push_back(std::to_string(m.panel) + ":" + m.text);
        return out;
    }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> out;
        for (const auto& m : host.messages)
            if (m.box) out.push_back(m.text);
        return out;
    }

    TempDir dir;
    std::string path = dir.File(kWebDataFileName);
    RecordingHost host;
    FakeEventLoop loop;
    FakeWebView web{loop};
    WebBoxStore boxes;
    CapturingBrowser browser{web, loop, boxes};
    FieldTable table;
    RecordingView view{table};
    WebDataFetcher fetcher{FetchPorts{host, browser, boxes, loop, table, view}, path};
};

TEST_F(Fetch, AllSectionsUntilOneHasNoAddress) {
    EXPECT_EQ(fetcher.LoadCurrency(0), FetchOutcome::Finished);
    EXPECT_EQ(web.navigations,
              (std::vector<std::string>{"http://127.0.0.1/usd", "http://127.0.0.1/jpy",
                                        "http://127.0.0.1/weather"}));
    EXPECT_EQ(view.items, (Items{{1, "USD=31.5 "}, {2, "JPY=0.21 "}, {3, "Temp=28"}, {4, "Humidity=79"}}));
    EXPECT_EQ(table.Cell(1, 2), "Currency rate");
    EXPECT_EQ(table.Cell(2, 2), "???");
    EXPECT_EQ(table.Cell(4, 2), "???");
    EXPECT_EQ(Statuses(),
              (std::vector<std::string>{"4:USD", "4:JPY", "4:Temp", "4:Currency update finished"}));
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(view.fits, 1);
    // The working boxes show the last steps.
    EXPECT_EQ(boxes.Box(WebBox::Combo_web), "");
    EXPECT_EQ(boxes.Box(WebBox::Edit3), "Web Data 4web not found");
    EXPECT_EQ(boxes.Box(WebBox::Edit_keyword), "天氣");
    EXPECT_EQ(boxes.Box(WebBox::Edit_length), "40");
    EXPECT_EQ(boxes.Box(WebBox::Edit_position), "16");
    EXPECT_EQ(boxes.Box(WebBox::Edit_keyword_start), "???");
    EXPECT_EQ(boxes.Box(WebBox::Edit_keyword_end), "");
    EXPECT_EQ(boxes.Box(WebBox::Edit_from), "Humidity");
    EXPECT_EQ(boxes.Box(WebBox::Edit_result), "79");
    // Each page: load, then the capture a second later.
    EXPECT_EQ(loop.Now(), 3u * (200 + kCaptureDelayMs));
    EXPECT_FALSE(fetcher.Running());
}

TEST_F(Fetch, OneSectionFetchesOnlyItsFirstItem) {
    EXPECT_EQ(fetcher.LoadCurrency(3), FetchOutcome::Finished);
    EXPECT_EQ(web.navigations, std::vector<std::string>{"http://127.0.0.1/weather"});
    EXPECT_EQ(view.items, (Items{{1, "Temp=28"}}));
    EXPECT_EQ(boxes.Box(WebBox::Edit3), " 溫度28度 濕度79%</div>");
    EXPECT_EQ(Statuses(), (std::vector<std::string>{"4:Temp", "4:Currency update finished"}));

    // The same title again updates its column in place, after the pause.
    web.pages["http://127.0.0.1/weather"] = "天氣 溫度30度";
    uint64_t before = loop.Now();
    EXPECT_EQ(fetcher.LoadCurrency(3), FetchOutcome::Finished);
    EXPECT_EQ(view.items.back(), (std::pair<int, std::string>{1, "Temp=30"}));
    EXPECT_EQ(loop.Now() - before, uint64_t(200 + kCaptureDelayMs + 50));
}

TEST_F(Fetch, SectionWithoutAddressOrKeyword) {
    EXPECT_EQ(fetcher.LoadCurrency(9), FetchOutcome::Finished);
    EXPECT_EQ(boxes.Box(WebBox::Edit3), "Web Data 9web not found");
    EXPECT_TRUE(web.navigations.empty());
    EXPECT_EQ(Statuses(), std::vector<std::string>{"4:Currency update finished"});

    // A keyword switched off ends a run over all sections after its page.
    WriteBytes(path, "[Web Data 1]\nweb=http://127.0.0.1/usd\n;keyword=USD =\n[Web Data 2]\nweb=x\n");
    host.messages.clear();
    EXPECT_EQ(fetcher.LoadCurrency(0), FetchOutcome::Finished);
    EXPECT_EQ(web.navigations, std::vector<std::string>{"http://127.0.0.1/usd"});
    EXPECT_EQ(boxes.Box(WebBox::Edit_keyword), "???");
    EXPECT_EQ(Statuses(), (std::vector<std::string>{"4:???", "4:Currency update finished"}));
    EXPECT_TRUE(view.items.empty());
}

TEST_F(Fetch, MissingFile) {
    std::remove(path.c_str());
    EXPECT_EQ(fetcher.LoadCurrency(0), FetchOutcome::FileNotFound);
    EXPECT_EQ(boxes.Box(WebBox::Edit3), "file not found");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(view.fits, 0);
}

TEST_F(Fetch, PageNeverCapturedTimesOut) {
    web.pages.erase("http://127.0.0.1/jpy");  // accepts and never answers
    fetcher.SetTimeoutMs(2000);
    EXPECT_EQ(fetcher.LoadCurrency(0), FetchOutcome::TimedOut);
    EXPECT_EQ(web.navigations.size(), 2u);
    EXPECT_EQ(boxes.Box(WebBox::Edit_position), "time out");
    EXPECT_EQ(Boxes(), std::vector<std::string>{"time out!"});
    EXPECT_EQ(host.messages.back().icon, MsgIcon::Warning);
    EXPECT_EQ(Statuses(), std::vector<std::string>{"4:USD"});  // keeps the last title
    EXPECT_EQ(view.fits, 0);
    EXPECT_EQ(view.items, (Items{{1, "USD=31.5 "}}));
    EXPECT_EQ(loop.Now(), uint64_t(200 + kCaptureDelayMs + 2000));
}

TEST_F(Fetch, DefaultTimeoutIs13Seconds) {
    web.pages.clear();
    EXPECT_EQ(fetcher.TimeoutMs(), 13000);
    EXPECT_EQ(fetcher.LoadCurrency(1), FetchOutcome::TimedOut);
    EXPECT_EQ(loop.Now(), 13000u);
}

TEST_F(Fetch, CaptureResultsThatBringNoNewSource) {
    // "null" still ends the wait; the previous source is used.
    browser.SetSourceText("old 1 USD = 30.0 NTD");
    web.pages.erase("http://127.0.0.1/usd");
    web.rawJson["http://127.0.0.1/usd"] = "null";
    EXPECT_EQ(fetcher.LoadCurrency(1), FetchOutcome::Finished);
    EXPECT_EQ(view.items, (Items{{1, "USD=30.0 "}}));

    // A malformed capture never sets the flag: time out.
    web.rawJson["http://127.0.0.1/usd"] = "\"%E5%8F\"%\"";
    fetcher.SetTimeoutMs(3000);
    EXPECT_EQ(fetcher.LoadCurrency(1), FetchOutcome::TimedOut);
    EXPECT_EQ(browser.SourceText(), "old 1 USD = 30.0 NTD");
}

TEST_F(Fetch, SecondFetchWhileOneRunsIsRefused) {
    FetchOutcome inner = FetchOutcome::Finished;
    loop.Post(100, [&] { inner = fetcher.LoadCurrency(2); });
    EXPECT_EQ(fetcher.LoadCurrency(1), FetchOutcome::Finished);
    EXPECT_EQ(inner, FetchOutcome::Refused);
    EXPECT_EQ(Statuses(), (std::vector<std::string>{std::string("4:") + kFetchRunningText, "4:USD",
                                                    "4:Currency update finished"}));
    EXPECT_EQ(web.navigations.size(), 1u);
    // Once it has ended, a new one runs.
    EXPECT_EQ(fetcher.LoadCurrency(2), FetchOutcome::Finished);
}

TEST_F(Fetch, StopEndsTheRunAtItsWait) {
    loop.Post(100, [&] { fetcher.RequestStop(); });
    EXPECT_EQ(fetcher.LoadCurrency(0), FetchOutcome::Stopped);
    EXPECT_EQ(loop.Now(), 100u);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(Statuses().empty());
    EXPECT_EQ(fetcher.LoadCurrency(1), FetchOutcome::Finished);  // the stop does not linger
}

TEST_F(Fetch, DefaultDefinitionsRunSectionsOneToSixAndEndAtSeven) {
    WriteBytes(path, DefaultWebDefinitions());
    WebDefinitions defs{platform::IniDocument(DefaultWebDefinitions())};
    const char* keywords[] = {"1美元 =", "1人民幣 =", "1日元 =", "1瑞士法郎 =", "1港幣 =", "1歐元 ="};
    for (int n = 1; n <= 6; ++n)
        web.pages[defs.web(n)] = std::string("<p>") + keywords[n - 1] +
                                     " <span class=\"\"vk_ans vk_bk\"\">" + std::to_string(n) +
                                     ".5 台幣</span></p>";
    web.pages[defs.web(7)] = "<html>weather</html>";
    EXPECT_EQ(fetcher.LoadCurrency(0), FetchOutcome::Finished);
    EXPECT_EQ(web.navigations.size(), 7u);
    EXPECT_EQ(view.items, (Items{{1, "USD=1.5 "}, {2, "RMB=2.5 "}, {3, "JPY=3.5 "}, {4, "CHF=4.5 "},
                                 {5, "HKD=5.5 "}, {6, "EUR=6.5 "}}));
    EXPECT_EQ(table.ColCount(), 7);  // grew once, by two
    EXPECT_EQ(Statuses().back(), "4:Currency update finished");
    EXPECT_EQ(Statuses()[6], "4:???");
    EXPECT_EQ(boxes.Box(WebBox::Edit_keyword), "???");
}

}  // namespace
}  // namespace orvane::webdata
