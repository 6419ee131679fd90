// The tools page model: what each handler writes to Memo1 and Memo2, in
// order, and what it shows through the host.
#include "tools/tools_page_model.h"

#include <gtest/gtest.h>

#include "tests/support/recording_host.h"
#include "platform/fake_guid_source.h"
#include "tests/tools/smbios_fixture.h"
#include "tests/support/temp_dir.h"
#include "tools/aes_cipher.h"

namespace orvane {
namespace {

using Lines = std::vector<std::string>;

// The model with recorded logs, a recording host and queued GUIDs.
struct Page {
    explicit Page(SmbiosPaths paths = {}) : model(host, md5, guids, std::move(paths)) {
        model.SetMemo1([this](const std::string& l) { memo1.push_back(l); });
        model.SetMemo2([this](const std::string& l) { memo2.push_back(l); });
        model.SetBoxListener([this](ToolsBox b) { changed.push_back(b); });
    }
    test::RecordingHost host;
    Md5Hasher md5;
    platform::FakeGuidSource guids;
    ToolsPageModel model;
    Lines memo1, memo2;
    std::vector<ToolsBox> changed;
};

TEST(ToolsPageModel, InitialTexts) {
    Page p;
    EXPECT_EQ(std::string(kToolsPlaceholder).size(), 16u);
    EXPECT_EQ(p.model.Text(ToolsBox::Key), kToolsPlaceholder);
    EXPECT_EQ(p.model.Text(ToolsBox::IV), kToolsPlaceholder);
    EXPECT_EQ(p.model.Text(ToolsBox::DATA), kToolsPlaceholder);
    EXPECT_EQ(p.model.Text(ToolsBox::Encoded), "ComboBox_Encoded");
}

TEST(ToolsPageModel, EncodeThenDecodeLogsInOrder) {
    Page p;
    p.model.Button_encodeClick();
    const std::string b64 = AesEncodeText(kToolsPlaceholder, kToolsPlaceholder, kToolsPlaceholder);
    EXPECT_EQ(p.memo1, (Lines{"-------", b64, "-------", "-------"}));
    EXPECT_EQ(p.memo2, (Lines{"44"}));  // the encoded box's change handler
    EXPECT_EQ(p.model.Text(ToolsBox::Encoded), b64);
    EXPECT_EQ(p.changed, (std::vector<ToolsBox>{ToolsBox::Encoded}));

    p.model.Button_decodeClick();
    EXPECT_EQ(p.memo2, (Lines{"44", "------original-", std::string(kToolsPlaceholder) + std::string(16, '\x10'),
                              "-----trimed--", kToolsPlaceholder, "-------"}));
    EXPECT_EQ(p.memo1.size(), 4u);

    // Leading and trailing blanks and line breaks go with the pad bytes.
    p.memo2.clear();
    p.model.SetText(ToolsBox::DATA, MultiLineBoxText("  two\nlines \n"));
    p.model.SetText(ToolsBox::IV, "");
    p.model.Button_encodeClick();
    p.model.Button_decodeClick();
    EXPECT_EQ(p.memo2, (Lines{"15", "24", "------original-", std::string("  two\r\nlines \r\n") + std::string(1, '\x01'),
                              "-----trimed--", "two\r\nlines", "-------"}));
}

TEST(ToolsPageModel, DecodeOfAnEmptyTextAndOfAWrongKey) {
    Page p;
    p.model.SetText(ToolsBox::Encoded, "");
    p.model.Button_decodeClick();
    EXPECT_EQ(p.memo2, (Lines{"0", "------original-", "", "-----trimed--", "", "-------"}));

    p.model.Button_encodeClick();
    p.model.SetText(ToolsBox::Key, "another key");
    p.memo2.clear();
    p.model.Button_decodeClick();  // not detected: shows what the decryption gives
    ASSERT_EQ(p.memo2.size(), 5u);
    EXPECT_EQ(p.memo2[1].size(), 32u);
    EXPECT_NE(p.memo2[1].substr(0, 16), kToolsPlaceholder);
}

TEST(ToolsPageModel, LengthFeedback) {
    Page p;
    struct Row {
        ToolsBox box;
        std::string text;
        bool toMemo1;
        const char* length;
    } rows[] = {
        {ToolsBox::Key, "abc", true, "3"},
        {ToolsBox::IV, "", true, "0"},
        {ToolsBox::DATA, "a\r\nb", false, "4"},               // a line break counts 2
        {ToolsBox::DATA, "\xC3\xA9\xE2\x82\xAC", false, "2"},  // é€: one unit each
        {ToolsBox::Encoded, "\xF0\x9F\x98\x80", false, "2"},   // one emoji: a surrogate pair
        {ToolsBox::Encoded, "\xFF" "a", false, "2"},           // a stray byte counts one
    };
    for (const Row& r : rows) {
        p.memo1.clear();
        p.memo2.clear();
        p.model.SetText(r.box, r.text);
        EXPECT_EQ(r.toMemo1 ? p.memo1 : p.memo2, Lines{r.length}) << r.text;
        EXPECT_TRUE((r.toMemo1 ? p.memo2 : p.memo1).empty()) << r.text;
    }
    p.memo1.clear();
    p.memo2.clear();
    p.model.ComboBox_Click(ToolsBox::DATA);
    p.model.ComboBox_Click2(ToolsBox::Key);
    EXPECT_EQ(p.memo2, Lines{"2"});
    EXPECT_EQ(p.memo1, Lines{"3"});
    EXPECT_TRUE(p.changed.empty());  // only the model's own changes are reported
}

TEST(ToolsPageModel, MultiLineBoxTextWritesCrLf) {
    const char* rows[][2] = {{"a\nb", "a\r\nb"},     {"a\r\nb", "a\r\nb"}, {"a\rb", "a\r\nb"},
                             {"\n\n", "\r\n\r\n"},   {"a\r\n\nb", "a\r\n\r\nb"},
                             {"\r", "\r\n"},         {"plain", "plain"}};
    for (const auto& r : rows) EXPECT_EQ(MultiLineBoxText(r[0]), r[1]) << r[0];
}

TEST(ToolsPageModel, Digests) {
    test::TempDir dir;
    Page p;
    p.model.SetText(ToolsBox::DATA, "abc");
    p.memo2.clear();
    p.model.Button_String_MD5Click();
    // The box's line breaks count as CR LF.
    p.model.SetText(ToolsBox::DATA, MultiLineBoxText("a\nb"));
    p.model.Button_String_MD5Click();
    test::WriteBytes(dir.File("f"), "abc");
    EXPECT_TRUE(p.model.Button8Click(std::nullopt));  // the dialog was cancelled
    EXPECT_TRUE(p.model.Button8Click(dir.File("f")));
    EXPECT_FALSE(p.model.Button8Click(dir.File("missing")));
    EXPECT_EQ(p.memo2, (Lines{"MD5: 900150983CD24FB0D6963F7D28E17F72", "4",
                              "MD5: " + p.md5.MD5_Str("a\r\nb"), "MD5: 900150983CD24FB0D6963F7D28E17F72"}));
    ASSERT_EQ(p.host.messages.size(), 1u);
    EXPECT_EQ(p.host.messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(p.host.messages[0].text, "File not Exist");
}

TEST(ToolsPageModel, SystemInformation) {
    test::Firmware fw(test::Table(), test::EntryPoint2(2, 4));
    Page p(fw.paths);
    EXPECT_TRUE(p.model.Button_systeminfoClick());
    EXPECT_EQ(p.memo2, (Lines{"System Information", "Manufacter    Acme Corp", "Product Name  Widget 9",
                              "Version       1.0", "Serial Number ",
                              "UUID          33221100554477668899AABBCCDDEEFF",
                              "UUID          00112233-4455-6677-8899-AABBCCDDEEFF",
                              "SKU Number    SKU-7", "Family        Bench", ""}));
    EXPECT_TRUE(p.memo1.empty());

    // No readable tables (as in a container): the failure line alone.
    test::TempDir empty;
    Page q(SmbiosPaths{empty.File("DMI"), empty.File("ep")});
    EXPECT_FALSE(q.model.Button_systeminfoClick());
    ASSERT_EQ(q.memo2.size(), 1u);
    EXPECT_EQ(q.memo2[0], "EFOpenError: Cannot open file \"" + empty.File("ep") + "\". No such file or directory");
}

// A clock that moves on by 1.5 s at each reading.
class TickingHost : public test::RecordingHost {
public:
    LocalDateTime Now() override {
        LocalDateTime t = now;
        now.second += 1;
        now.millisecond += 500;
        if (now.millisecond >= 1000) now.millisecond -= 1000, now.second += 1;
        return t;
    }
};

TEST(ToolsPageModel, DatesAndGuids) {
    test::CLocaleScope scope;
    TickingHost host;
    host.now = {2024, 1, 2, 9, 5, 3, 7};
    Md5Hasher md5;
    platform::FakeGuidSource guids;
    ToolsPageModel model(host, md5, guids);
    Lines memo2;
    model.SetMemo2([&](const std::string& l) { memo2.push_back(l); });

    model.Button_timeClick();
    ASSERT_EQ(memo2.size(), 7u);
    EXPECT_EQ(memo2[3], "yyyy-mm-dd hh:nn:ss.zzz 2024-01-02 09:05:03.007");
    memo2.clear();
    model.Button9Click();
    ASSERT_EQ(memo2.size(), 21u);
    EXPECT_EQ(memo2[3], "yyyy-mm-dd hh:nn:ss.zzz 2024-01-02 09:05:04.507");
    EXPECT_EQ(memo2[10], "yyyy-mm-dd hh:nn:ss.zzz 2024-01-02 09:05:06.007");
    EXPECT_EQ(memo2[17], "yyyy-mm-dd hh:nn:ss.zzz 2024-01-02 09:05:07.507");
    EXPECT_EQ(memo2[20], "1899, 12,30, 0, 0, 2sec, 0 =0.000023148148148");

    memo2.clear();
    platform::Guid a, b;
    a.Data1 = 0xDEADBEEF;
    b.Data1 = 0x0000000A;
    guids.Queue(a);
    guids.Queue(b);
    EXPECT_TRUE(model.Button_GUIDClick());
    EXPECT_TRUE(model.Button_GUIDClick());
    EXPECT_FALSE(model.Button_GUIDClick());  // the generator failed: nothing written
    EXPECT_EQ(memo2, (Lines{"{DEADBEEF-0000-0000-0000-000000000000}", "{0000000A-0000-0000-0000-000000000000}"}));
}

}  // namespace
}  // namespace orvane
