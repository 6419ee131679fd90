// The lines of the date and GUID buttons with a fixed clock and a set locale
// record.
#include "tools/date_guid_lines.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/support/recording_host.h"
#include "engine/format_settings.h"
#include "platform/libuuid_guid_source.h"

namespace orvane {
namespace {

using test::CLocaleScope;

// A record with a comma decimal separator and day-first dates.
FormatSettings CommaRecord() {
    FormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.DateSeparator = '.';
    fs.ShortDateFormat = "dd/mm/yyyy";
    fs.LongTimeFormat = "hh:nn:ss";
    fs.ShortDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    fs.ShortMonthNames = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                          "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    return fs;
}

TEST(DateTimeLines, SevenLinesInTheRecordInForce) {
    CLocaleScope scope;
    const std::vector<std::string> references = {
        "1899, 12,30, 0, 0, 0sec, 0 =0.000000000000000",
        "1899, 12,30, 0, 0, 1sec, 0 =0.000011574074074",
        "1899, 12,30, 0, 0, 2sec, 0 =0.000023148148148",
    };
    struct Row {
        const char* name;
        LocalDateTime t;
        std::vector<std::string> first4;
    } rows[] = {
        {"morning", {2024, 1, 2, 9, 5, 3, 7},
         {"45293.3785070255", "2024/01/02 09:05:03", "ddd d of mmm yyyy Tue 2 of Jan 2024",
          "yyyy-mm-dd hh:nn:ss.zzz 2024-01-02 09:05:03.007"}},
        {"noon", {2023, 3, 15, 12, 0, 0, 0},
         {"45000.5", "2023/03/15 12:00:00", "ddd d of mmm yyyy Wed 15 of Mar 2023",
          "yyyy-mm-dd hh:nn:ss.zzz 2023-03-15 12:00:00.000"}},
        {"midnight: no time part", {2024, 1, 2, 0, 0, 0, 0},
         {"45293", "2024/01/02", "ddd d of mmm yyyy Tue 2 of Jan 2024",
          "yyyy-mm-dd hh:nn:ss.zzz 2024-01-02 00:00:00.000"}},
        {"a millisecond after midnight", {2024, 1, 2, 0, 0, 0, 1},
         {"45293.0000000116", "2024/01/02 00:00:00", "ddd d of mmm yyyy Tue 2 of Jan 2024",
          "yyyy-mm-dd hh:nn:ss.zzz 2024-01-02 00:00:00.001"}},
    };
    for (const Row& r : rows) {
        std::vector<std::string> expected = r.first4;
        expected.insert(expected.end(), references.begin(), references.end());
        EXPECT_EQ(DateTimeLines(r.t), expected) << r.name;
    }
}

TEST(DateTimeLines, CommaDecimalSeparator) {
    CLocaleScope scope;
    SetFormatSettings(CommaRecord());
    EXPECT_EQ(DateTimeLines({2023, 3, 15, 12, 0, 0, 0}),
              (std::vector<std::string>{
                  "45000,5", "15.03.2023 12:00:00", "ddd d of mmm yyyy Mi 15 of Mär 2023",
                  "yyyy-mm-dd hh:nn:ss.zzz 2023-03-15 12:00:00.000",
                  "1899, 12,30, 0, 0, 0sec, 0 =0,000000000000000",
                  "1899, 12,30, 0, 0, 1sec, 0 =0,000011574074074",
                  "1899, 12,30, 0, 0, 2sec, 0 =0,000023148148148"}));
}

TEST(GuidText, RegistryForm) {
    platform::Guid g;
    g.Data1 = 0x0123ABCD;
    g.Data2 = 0x00EF;
    g.Data3 = 0xA001;
    g.Data4 = {0xFE, 0x0D, 0x00, 0x11, 0x22, 0xBC, 0xDE, 0x0F};
    EXPECT_EQ(GuidText(g), "{0123ABCD-00EF-A001-FE0D-001122BCDE0F}");
    EXPECT_EQ(GuidText(platform::Guid{}), "{00000000-0000-0000-0000-000000000000}");
}

// The real generator: new random GUIDs in their 38-character upper-case form.
TEST(GuidText, LibuuidMakesDifferentGuids) {
    platform::LibuuidGuidSource source;
    std::set<std::string> seen;
    for (int i = 0; i < 50; ++i) {
        platform::Guid g;
        ASSERT_TRUE(source.NewGuid(g));
        const std::string text = GuidText(g);
        ASSERT_EQ(text.size(), 38u);
        for (char c : text) EXPECT_EQ(c, std::toupper(static_cast<unsigned char>(c))) << text;
        EXPECT_EQ((g.Data3 >> 12), 4) << text;  // version 4: random
        EXPECT_TRUE(seen.insert(text).second) << text;
    }
}

}  // namespace
}  // namespace orvane
