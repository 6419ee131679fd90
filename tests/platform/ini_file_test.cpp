#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "tests/support/temp_dir.h"

namespace orvane::platform {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// A file with the shapes the reading rules must cope with.
constexpr std::string_view kSample =
    "; settings\r\n"
    "early=before any section\r\n"
    "[Styles]\r\n"
    "Style = Carbon \r\n"
    "  Width=  800\r\n"
    "width=900\r\n"
    "dq=\"quoted value\"\r\n"
    "sq=' padded '\r\n"
    "mixed=\"open'\r\n"
    "lone=\"\r\n"
    "pair=\"\"\r\n"
    "inner=a \"b\" c\r\n"
    "eq=a=b=c\r\n"
    "noequals\r\n"
    ";Style=commented\r\n"
    "\r\n"
    "[ table ]\r\n"
    "1-0=Field_A\r\n"
    "[STYLES]\r\n"
    "Style=second section\r\n"
    "Extra=only in second\r\n";

TEST(IniRead, FollowsPrivateProfileRules) {
    IniDocument ini{kSample};
    struct Row {
        const char* section;
        const char* key;
        const char* expected;
    } rows[] = {
        {"Styles", "Style", "Carbon"},            // blanks around the value dropped
        {"styles", "STYLE", "Carbon"},            // names ignore case
        {"Styles", "width", "800"},               // first occurrence wins, blanks around the name
        {"Styles", " Width ", "800"},
        {"Styles", "dq", "quoted value"},         // one pair of quotes dropped
        {"Styles", "sq", " padded "},             // ...keeping the blanks inside them
        {"Styles", "mixed", "\"open'"},           // different quotes stay
        {"Styles", "lone", "\""},
        {"Styles", "pair", ""},
        {"Styles", "inner", "a \"b\" c"},
        {"Styles", "eq", "a=b=c"},                // the first '=' splits
        {"Styles", "noequals", "<missing>"},      // a line without '=' is no key
        {"Styles", ";Style", "<missing>"},        // comment lines are no keys
        {"Styles", "Extra", "<missing>"},         // a later section of the same name is not read
        {"Table", "1-0", "Field_A"},              // blanks inside the brackets dropped
        {"", "early", "before any section"},      // keys before the first header
        {"Nowhere", "Style", "<missing>"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ini.ReadString(r.section, r.key, "<missing>"), r.expected) << r.section << "/" << r.key;
}

TEST(IniRead, ValuesAreCutAt2047Characters) {
    std::string longValue(3000, 'x');
    longValue[2046] = 'y';
    IniDocument ini{"[S]\nk=" + longValue + "\nq=\"" + longValue + "\"\n"};
    std::string v = ini.ReadString("S", "k", "");
    EXPECT_EQ(v.size(), kIniValueMax);
    EXPECT_EQ(v.back(), 'y');
    EXPECT_EQ(ini.ReadString("S", "q", "").size(), kIniValueMax);  // quotes dropped before the cut
    EXPECT_EQ(ini.ReadString("S", "k", "", 10), std::string(10, 'x'));
}

// The INI library reads integers by its own copy of the engine's integer
// rule (platform/ may not use the engine): both agree on every spelling.
TEST(IniRead, Sections) {
    IniDocument ini{"[N]\na=42\nb= -7 \nc=0x1F\nd=$10\ne=12abc\nf=\nA=dup\n"};
    EXPECT_EQ(ini.ReadString("N", "b", "5"), "-7");
    EXPECT_EQ(ini.ReadSection("n"), (std::vector<std::string>{"a", "b", "c", "d", "e", "f"}));
    auto values = ini.ReadSectionValues("N");
    ASSERT_EQ(values.size(), 6u);
    EXPECT_EQ(values[0].second, "42");
    EXPECT_TRUE(ini.SectionExists("n"));
    EXPECT_FALSE(ini.SectionExists("m"));
}

TEST(IniWrite, ReplacesFirstOccurrenceOrAppends) {
    IniDocument ini{"[A]\nkey = old ; note\nKEY=second\n\n[B]\nx=1\n"};
    EXPECT_TRUE(ini.WriteString("a", "Key", "new"));
    EXPECT_TRUE(ini.WriteString("A", "added", "v"));
    EXPECT_TRUE(ini.WriteString("C", "k", "c"));
    EXPECT_EQ(ini.Text(),
              "[A]\nkey = new\nKEY=second\nadded=v\n\n[B]\nx=1\n\n[C]\nk=c\n");
    EXPECT_EQ(ini.ReadString("A", "key", ""), "new");
}

TEST(IniWrite, KeepsCrLfLineEnds) {
    IniDocument ini{"[A]\r\nk=1\r\n"};
    ini.WriteString("A", "j", "2");
    EXPECT_EQ(ini.Text(), "[A]\r\nk=1\r\nj=2\r\n");
}

TEST(IniWrite, BatchWriteEqualsSingleWrites) {
    const std::string start = "[T]\n1-0=a\nx=keep\n1-0=dup\n\n[U]\nz=1\n";
    std::vector<std::pair<std::string, std::string_view>> items = {
        {"1-0", "A"}, {"1-1", "B"}, {"2-0", "C"}, {"1-1", "B2"}};
    IniDocument one{start}, batch{start};
    for (const auto& [k, v] : items) one.WriteString("T", k, v);
    EXPECT_TRUE(batch.WriteStrings("T", items));
    EXPECT_EQ(batch.Text(), one.Text());
    IniDocument fresh;
    EXPECT_TRUE(fresh.WriteStrings("New", items));
    EXPECT_EQ(fresh.Text(), "[New]\n1-0=A\n1-1=B2\n2-0=C\n");
}

TEST(IniWrite, LineBreaksInValuesCannotInjectLines) {
    IniDocument ini;
    ini.WriteString("Table", "1-1", std::string("AA\n[Styles]\nStyle=evil", 22));
    ini.WriteString("Table", "1-2", std::string("B\0hidden", 8));
    ini.WriteString("Table", "1-3", "C\r\nD=1");
    EXPECT_FALSE(ini.SectionExists("Styles"));
    EXPECT_EQ(ini.ReadString("Table", "1-1", "?"), "AA");
    EXPECT_EQ(ini.ReadString("Table", "1-2", "?"), "B");
    EXPECT_EQ(ini.ReadString("Table", "1-3", "?"), "C");
    EXPECT_EQ(ini.ReadString("Table", "D", "?"), "?");
}

TEST(IniWrite, RefusesNamesThatCannotBeReadBack) {
    IniDocument ini{"[A]\nk=1\n"};
    const std::string before = ini.Text();
    EXPECT_FALSE(ini.WriteString("", "k", "v"));
    EXPECT_FALSE(ini.WriteString("A]B", "k", "v"));
    EXPECT_FALSE(ini.WriteString("A", "a=b", "v"));
    EXPECT_FALSE(ini.WriteString("A", "  ", "v"));
    EXPECT_FALSE(ini.WriteString("A", "[x", "v"));
    EXPECT_FALSE(ini.WriteString("A", ";x", "v"));
    EXPECT_FALSE(ini.WriteString("A", "a\nb", "v"));
    EXPECT_FALSE(ini.WriteStrings("A", {{"ok", "1"}, {"bad=", "2"}}));
    EXPECT_EQ(ini.Text(), before);
}

TEST(IniWrite, DeleteKeyAndEraseSection) {
    IniDocument ini{"[A]\nk=1\nK=2\nj=3\n[B]\nk=4\n[a]\nk=5\n"};
    EXPECT_TRUE(ini.DeleteKey("A", "k"));
    EXPECT_EQ(ini.ReadString("A", "k", "-"), "-");
    EXPECT_EQ(ini.ReadString("A", "j", "-"), "3");
    EXPECT_FALSE(ini.DeleteKey("A", "k"));
    // Every section of the name goes, so a duplicate cannot resurface.
    EXPECT_TRUE(ini.EraseSection("A"));
    EXPECT_EQ(ini.Text(), "[B]\nk=4\n");
    EXPECT_FALSE(ini.EraseSection("A"));
}

TEST(IniFile, WritesCreateAndRewriteTheFile) {
    TempDir dir;
    IniFile f(dir.File("orvane.ini"));
    EXPECT_EQ(f.ReadString("Table", "1-0", "none"), "none");  // missing file
    EXPECT_TRUE(f.WriteString("Table", "1-0", "Field_A"));
    EXPECT_TRUE(f.WriteInteger("Styles", "Width", 640));
    EXPECT_EQ(ReadBytes(f.Path()), "[Table]\n1-0=Field_A\n\n[Styles]\nWidth=640\n");
    EXPECT_EQ(f.ReadString("styles", "width", ""), "640");
    EXPECT_TRUE(f.Update([](IniDocument& d) {
        d.EraseSection("Table");
        d.WriteString("Table", "1-0", "X");
    }));
    EXPECT_EQ(ReadBytes(f.Path()), "[Styles]\nWidth=640\n\n[Table]\n1-0=X\n");
    EXPECT_TRUE(f.DeleteKey("Styles", "Width"));
    EXPECT_TRUE(f.EraseSection("Styles"));
    EXPECT_EQ(ReadBytes(f.Path()), "[Table]\n1-0=X\n");
    // No temporary left; the lock file of the writes stays.
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"orvane.ini", "orvane.ini.lock"}));
}

TEST(IniFile, ReplacementKeepsModeAndFollowsLinks) {
    TempDir dir;
    const std::string real = dir.File("real.ini"), link = dir.File("link.ini");
    WriteBytes(real, "[A]\nk=1\n");
    ASSERT_EQ(chmod(real.c_str(), 0640), 0);
    ASSERT_EQ(symlink("real.ini", link.c_str()), 0);
    IniFile f(link);
    EXPECT_TRUE(f.WriteString("A", "k", "2"));
    struct stat st;
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadBytes(real), "[A]\nk=2\n");
}

TEST(IniFile, FailedWritesLeaveTheOldFile) {
    TempDir dir;
    // A folder that is missing, and a path that is a folder.
    EXPECT_FALSE(IniFile(dir.File("none/x.ini")).WriteString("A", "k", "v"));
    EXPECT_FALSE(IniFile(dir.path()).WriteString("A", "k", "v"));

    // A write that runs out of space half-way (the file-size limit stands in
    // for a full disk): the old file stays whole and no temporary remains.
    const std::string path = dir.File("orvane.ini");
    const std::string old = "[Table]\n1-0=Field_A\n";
    WriteBytes(path, old);
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool wrote = IniFile(path).WriteString("Table", "1-1", std::string(10000, 'A'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(wrote);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"orvane.ini", "orvane.ini.lock"}));
}

}  // namespace
}  // namespace orvane::platform
