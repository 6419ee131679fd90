#include "webdata/daily_check.h"

#include <gtest/gtest.h>

#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"
#include "webdata/web_definitions.h"

namespace orvane::webdata {
namespace {

using test::CLocaleScope;
using test::RecordingHost;
using test::TempDir;
using test::WriteBytes;

class DailyCheck : public testing::Test {
protected:
    DailyCheck() { host.now = {2026, 3, 1, 9, 30, 15, 250}; }
    Timer1State Check() { return currency_update(path, host); }
    std::string Stored() const {
        return platform::IniFile(path).ReadString(kSyncDaySection, kSyncDayKey, "<none>");
    }
    void StoreSyncDay(const std::string& value) {
        WriteBytes(path, "[Web Data 1]\nweb=http://x\n[Web sync day]\ndatetime=" + value + "\n");
    }

    CLocaleScope locale;
    TempDir dir;
    std::string path = dir.File(kWebDataFileName);
    RecordingHost host;
};

TEST_F(DailyCheck, ArmsTimer1UnlessTheLastCheckWasToday) {
    struct Row {
        const char* name;
        std::string stored;
        Timer1State state;
    } rows[] = {
        {"EarlierToday", "2026/03/01 00:00:01", Timer1State::Disabled},
        {"LaterToday", "2026/03/01 23:59:59", Timer1State::Disabled},
        {"DateOnlyToday", "2026/03/01", Timer1State::Disabled},
        {"Yesterday", "2026/02/28 23:59:59", Timer1State::Enabled},
        {"Tomorrow", "2026/03/02 00:00:00", Timer1State::Enabled},
        {"SameDayLastYear", "2025/03/01 09:30:15", Timer1State::Enabled},
        {"Unreadable", "abc", Timer1State::Enabled},
        {"OtherLocaleText", "2015/7/25 下午 11:16:06", Timer1State::Enabled},
        {"Empty", "", Timer1State::Enabled},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        host.messages.clear();
        StoreSyncDay(r.stored);
        EXPECT_EQ(Check(), r.state);
        EXPECT_EQ(host.StatusCount("Currency update in 15 sec."),
                  r.state == Timer1State::Enabled ? 1 : 0);
        if (!host.messages.empty()) {
            EXPECT_EQ(host.messages[0].panel, 4);
        }
        // Written whether or not a fetch follows; the rest of the file stays.
        EXPECT_EQ(Stored(), "2026/03/01 09:30:15");
        EXPECT_EQ(platform::IniFile(path).ReadString("Web Data 1", "web", ""), "http://x");
    }
}

TEST_F(DailyCheck, TwiceInOneDayArmsOnlyTheFirstTime) {
    EXPECT_EQ(Check(), Timer1State::Enabled);  // no file: ten days ago
    EXPECT_EQ(Stored(), "2026/03/01 09:30:15");
    host.now.hour = 18;
    EXPECT_EQ(Check(), Timer1State::Disabled);
    EXPECT_EQ(host.StatusCount("Currency update in 15 sec."), 1);
    EXPECT_EQ(Stored(), "2026/03/01 18:30:15");
}

TEST_F(DailyCheck, UnreadableValueCountsAsTenDaysAgo) {
    platform::IniDocument doc("[web SYNC day]\nDateTime='nonsense'\n");
    LocalDateTime t = ReadSyncDay(doc, host.now);
    EXPECT_EQ(t.year, 2026);
    EXPECT_EQ(t.month, 2);
    EXPECT_EQ(t.day, 19);
    LocalDateTime read = ReadSyncDay(platform::IniDocument("[Web sync day]\ndatetime=2024/2/29 1:02:03"),
                                     host.now);
    EXPECT_EQ(SyncDayText(read), "2024/02/29 01:02:03");
}

TEST_F(DailyCheck, Timer1ShowsItsTextAndFetchesTheSectionBox) {
    struct Row {
        const char* edit1;
        int32_t section;
    } rows[] = {{"0", 0}, {"3", 3}, {"$10", 16}, {"x", 0}, {"", 0}, {"2 ", 0}};
    for (const Row& r : rows) {
        host.messages.clear();
        EXPECT_EQ(Timer1Timer(host, r.edit1), r.section) << r.edit1;
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].panel, 4);
        EXPECT_EQ(host.messages[0].text, "Updateing Currency");
    }
}

}  // namespace
}  // namespace orvane::webdata
