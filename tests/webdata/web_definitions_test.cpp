#include "webdata/web_definitions.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"
#include "webdata/web_addresses.h"

namespace orvane::webdata {
namespace {

using platform::IniDocument;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

WebDefinitions Defs(std::string_view text) { return WebDefinitions(IniDocument(text)); }

TEST(WebDefinitions, BuiltInCurrencySections) {
    WebDefinitions d = Defs(DefaultWebDefinitions());
    struct Row {
        int n;
        const char* query;
        const char* title;
        const char* keyword;
        int length;
    } rows[] = {{1, "1usd", "USD", "1美元 =", 200},       {2, "1RMB", "RMB", "1人民幣 =", 100},
                {3, "1JPY", "JPY", "1日元 =", 100},       {4, "1CHF", "CHF", "1瑞士法郎 =", 100},
                {5, "1HKD", "HKD", "1港幣 =", 100},       {6, "1EUR", "EUR", "1歐元 =", 100}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.n);
        EXPECT_EQ(d.web(r.n), std::string(kCurrencyQueryPage) + "hl=zh-TW&biw=1123&bih=670&q=" +
                                  r.query + "+%3D%3Ftwd&aq=f&aqi=g1&aql=&oq=&gs_rfai=");
        EXPECT_EQ(d.title(r.n, 1), r.title);
        EXPECT_EQ(d.keyword(r.n), r.keyword);
        EXPECT_EQ(d.keyword_length(r.n), r.length);
        // Written with a blank before it and not enclosed in one pair of
        // quotes, so it keeps both of its quotes: 15 characters.
        EXPECT_EQ(d.keyword_start(r.n, 1), "\"vk_ans vk_bk\">");
        // Written "Keyword_end 1"; asked for as "keyword_end 1".
        EXPECT_EQ(d.keyword_end(r.n, 1), "台幣");
        EXPECT_EQ(d.Description(r.n, 1), "Currency rate");
        EXPECT_EQ(d.keyword_end(r.n, 2), "");
    }
}

TEST(WebDefinitions, BuiltInWeatherSectionsAndSyncDay) {
    WebDefinitions d = Defs(DefaultWebDefinitions());
    EXPECT_EQ(d.web(7), kWeatherPage);
    EXPECT_EQ(d.title(7, 1), "???");  // switched off with ";"
    EXPECT_EQ(d.keyword(7), "???");
    EXPECT_EQ(d.web(8), "");

    EXPECT_EQ(d.web(0), kWeatherExamplePage);
    for (int i = 1; i <= 11; ++i) {
        EXPECT_EQ(d.title(0, i), "Hsinchu" + std::to_string(i));
        EXPECT_FALSE(d.keyword_end(0, i).empty()) << i;
    }
    EXPECT_EQ(d.keyword_start(0, 1), "temp_C: ");  // the quotes keep the blank
    EXPECT_EQ(d.keyword_end(0, 12), "");

    EXPECT_EQ(d.Document().ReadString(kSyncDaySection, kSyncDayKey, ""), "2015/7/25 下午 11:16:06");
    // The second copy of sections 1 to 7 is the same text again.
    const std::string& text = DefaultWebDefinitions();
    size_t first = text.find("[Web Data 1]");
    size_t second = text.find("[Web Data 1]", first + 1);
    ASSERT_NE(second, std::string::npos);
    size_t firstEnd = text.find("[Web Data 0]");
    size_t secondEnd = text.find("[Web sync day]");
    EXPECT_EQ(text.substr(first, firstEnd - first), text.substr(second, secondEnd - second));
}

TEST(WebDefinitions, ReadsWithTheIniRules) {
    std::string longValue(3000, 'v');
    WebDefinitions d = Defs(
        "[web data 1]\n"
        "  WEB =  'http://one'  \n"
        "Keyword_end 1= x\n"
        "keyword_length=$64\n"
        "title 1=first\n"
        "title 1=second\n"
        "[Web Data 2]\n"
        "keyword_length = 0x64\n"
        ";keyword=off\n"
        "keyword_start 1=  \" quoted start \"  \n"
        "Description 1=" + longValue + "\n"
        "[Web Data 3]\n"
        "keyword_length=abc\n"
        "keyword=\n"
        "keyword_start 1=" + std::string(2046, 's') + "台\n"
        "[Web Data 1]\n"
        "web=http://duplicate\n"
        "keyword=late\n");
    EXPECT_EQ(d.web(1), "http://one");
    EXPECT_EQ(d.keyword_end(1, 1), "x");
    EXPECT_EQ(d.title(1, 1), "first");
    EXPECT_EQ(d.keyword(1), "???");  // only the first section of a name counts
    EXPECT_EQ(d.keyword_length(1), 100);
    EXPECT_EQ(d.keyword_length(2), 100);
    EXPECT_EQ(d.keyword_length(3), 200);
    EXPECT_EQ(d.keyword_length(4), 200);
    EXPECT_EQ(d.keyword(2), "???");
    EXPECT_EQ(d.keyword_start(2, 1), " quoted start ");
    EXPECT_EQ(d.Description(2, 1), std::string(2047, 'v'));
    EXPECT_EQ(d.keyword(3), "");  // present but empty: not "???"
    EXPECT_EQ(d.keyword_start(3, 1), std::string(2046, 's'));  // no half character
    EXPECT_EQ(d.title(3, 1), "???");
    EXPECT_EQ(d.web(3), "");
}

TEST(WebDefinitionFile, LoadCreatesTheFileFromTheEditorOnce) {
    TempDir dir;
    std::string path = dir.File(kWebDataFileName);

    DefinitionFileResult first = Button5Click(path, DefaultWebDefinitions());
    EXPECT_EQ(first.kind, DefinitionFileResult::Kind::Created);
    EXPECT_EQ(ReadBytes(path), DefaultWebDefinitions());

    WriteBytes(path, "[Web Data 1]\nweb=http://x");
    DefinitionFileResult second = Button5Click(path, "editor text");
    EXPECT_EQ(second.kind, DefinitionFileResult::Kind::Loaded);
    EXPECT_EQ(second.text, "[Web Data 1]\nweb=http://x");
    EXPECT_EQ(ReadBytes(path), "[Web Data 1]\nweb=http://x");

    EXPECT_EQ(Button6Click(path, "[Web Data 1]\nweb=http://y"), "");
    EXPECT_EQ(ReadBytes(path), "[Web Data 1]\nweb=http://y\n");
}

TEST(WebDefinitionFile, FailuresNameTheFile) {
    TempDir dir;
    std::string path = dir.File("missing/" + std::string(kWebDataFileName));
    DefinitionFileResult r = Button5Click(path, "text");
    EXPECT_EQ(r.kind, DefinitionFileResult::Kind::Failed);
    EXPECT_NE(r.error.find("Cannot create file \"" + path + "\""), std::string::npos) << r.error;

    if (geteuid() != 0) {  // root reads anything
        std::string locked = dir.File(kWebDataFileName);
        WriteBytes(locked, "x");
        chmod(locked.c_str(), 0);
        DefinitionFileResult u = Button5Click(locked, "text");
        EXPECT_EQ(u.kind, DefinitionFileResult::Kind::Failed);
        EXPECT_NE(u.error.find("Cannot open file"), std::string::npos) << u.error;
    }
}

}  // namespace
}  // namespace orvane::webdata
