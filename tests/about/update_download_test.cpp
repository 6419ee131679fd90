// The download offered by the about box, through the fake HTTP client into
// real folders.
#include "about/update_download.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"
#include "about/about_box_texts.h"
#include "about/update_address.h"
#include "platform/fake_http_client.h"

namespace orvane {
namespace {

using platform::FakeHttpClient;

class RecordingOpener : public platform::DesktopOpener {
public:
    bool Open(const std::string& target) override {
        opened.push_back(target);
        return works;
    }
    std::vector<std::string> opened;
    bool works = true;
};

constexpr const char* kSource = "http://updates.test/NAS_file_Share/orvane/";

struct Rig {
    test::TempDir program;
    test::TempDir downloads;
    FakeHttpClient http;
    RecordingOpener opener;
    test::RecordingHost host;
    UpdateDownload download{http, opener, host};
    AboutSession session;

    explicit Rig(const std::string& fileName) {
        session.Source_DIR = kSource;
        session.file_name = fileName;
        session.s_version = "2.5.4.0";
    }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> texts;
        for (const auto& m : host.messages)
            if (m.box) texts.push_back(m.text);
        return texts;
    }
    // Runs the download as after Yes; returns what `done` said.
    bool Yes(const DownloadPlan& plan) {
        bool arrived = false;
        EXPECT_TRUE(download.Start(session, plan, [&](bool ok) { arrived = ok; }));
        http.RunPending();
        return arrived;
    }
};

TEST(UpdateDownload, GoodFileIsWrittenAndOpened) {
    Rig rig("orvane 2.5.4.0.zip");
    rig.http.SetBody(std::string(kSource) + "orvane%202.5.4.0.zip", "PK-data");
    DownloadPlan plan = PlanDownload(rig.session, rig.program.path(), rig.downloads.path());
    EXPECT_TRUE(plan.inProgramFolder);
    EXPECT_EQ(DownloadQuestion(rig.session, plan), "File: orvane 2.5.4.0.zip\r\nVersion: 2.5.4.0\r\ndownload online?");
    EXPECT_TRUE(rig.Yes(plan));
    const std::string path = rig.program.File("orvane 2.5.4.0.zip");
    EXPECT_EQ(test::ReadBytes(path), "PK-data");
    EXPECT_EQ(rig.program.Entries(), std::vector<std::string>{"orvane 2.5.4.0.zip"});
    EXPECT_EQ(rig.opener.opened, std::vector<std::string>{path});
    EXPECT_TRUE(rig.Boxes().empty());
    EXPECT_EQ(rig.http.asked().at(0).timeoutMs, kDownloadIdleTimeoutMs);
}

TEST(UpdateDownload, UnsafeNamesAreRefusedAndNothingIsWritten) {
    const char* names[] = {"../evil.sh", "..", "a/../../b", "sub/file", "back\\slash", ".bashrc", ".",
                           "",           "   ", "bell\x07.zip", "del\x7f", "line\nbreak", "a..zip"};
    for (const char* name : names) {
        Rig rig(name);
        rig.http.SetBody(DownloadAddress(kSource, name), "payload");
        EXPECT_FALSE(IsSafeDownloadName(name)) << name;
        DownloadPlan plan = PlanDownload(rig.session, rig.program.path(), rig.downloads.path());
        EXPECT_TRUE(plan.refused) << name;
        EXPECT_FALSE(rig.Yes(plan)) << name;
        EXPECT_EQ(rig.Boxes(), std::vector<std::string>{"Error while downloading " + std::string(name)}) << name;
        EXPECT_TRUE(rig.http.asked().empty()) << name;
        EXPECT_TRUE(rig.program.Entries().empty()) << name;
        EXPECT_TRUE(rig.opener.opened.empty()) << name;
    }
    for (const char* fine : {"orvane.zip", "Setup (2).exe", "x", "orvane-2.5.4.0.tar.gz", " lead blank"})
        EXPECT_TRUE(IsSafeDownloadName(fine)) << fine;
    EXPECT_FALSE(IsSafeDownloadName(std::string(256, 'a')));
    EXPECT_TRUE(IsSafeDownloadName(std::string(255, 'a')));
}

// A download named like one of the program's own files would replace the
// user's settings, data or the program itself: refused like an unsafe name.
TEST(UpdateDownload, TheProgramsOwnFilesAreNeverReplaced) {
    const char* own[] = {"orvane",      "orvane.ini",     "ORVANE.INI",    "web data.inf",
                         "orvane.txt",  "orvane.ini.lock", "web data.inf.LOCK", "orvane-tool",
                         "orvane-eval", "orvane-tool-qt", "help",          "mycalc.ini"};
    for (const char* name : own) {
        Rig rig(name);
        test::WriteBytes(rig.program.File(name), "the user's own");
        rig.http.SetBody(DownloadAddress(kSource, name), "payload");
        EXPECT_TRUE(IsProgramOwnFileName(name, std::string_view(name) == "mycalc.ini" ? "mycalc" : "orvane"))
            << name;
        DownloadPlan plan = PlanDownload(rig.session, rig.program.path(), rig.downloads.path(),
                                         std::string_view(name) == "mycalc.ini" ? "mycalc" : "orvane");
        EXPECT_TRUE(plan.refused) << name;
        EXPECT_FALSE(rig.Yes(plan)) << name;
        EXPECT_EQ(rig.Boxes(), std::vector<std::string>{"Error while downloading " + std::string(name)}) << name;
        EXPECT_TRUE(rig.http.asked().empty()) << name;
        EXPECT_EQ(test::ReadBytes(rig.program.File(name)), "the user's own") << name;
    }
    for (const char* fine : {"orvane.zip", "orvane-2.5.4.0.deb", "orvane.ini.bak", "help.html", "orvane2"})
        EXPECT_FALSE(IsProgramOwnFileName(fine, "orvane")) << fine;
    // Without the program's name only the unsafe names are refused.
    Rig rig("orvane.ini");
    EXPECT_FALSE(PlanDownload(rig.session, rig.program.path(), rig.downloads.path()).refused);
}

TEST(UpdateDownload, FailuresLeaveNoFileBehind) {
    struct Row {
        const char* name;
        FakeHttpClient::Route route;
        bool routed;
    } rows[] = {
        {"server error", {500, "oops", "Internal Server Error"}, true},
        {"connection dropped", {200, std::string(1000, 'x'), "OK", false, true}, true},
        {"silent server", {200, "", "OK", true}, true},
        {"no server", {}, false},
    };
    for (const Row& r : rows) {
        Rig rig("orvane.zip");
        test::WriteBytes(rig.program.File("orvane.zip"), "old copy");
        if (r.routed) rig.http.SetRoute(std::string(kSource) + "orvane.zip", r.route);
        EXPECT_FALSE(rig.Yes(PlanDownload(rig.session, rig.program.path(), rig.downloads.path()))) << r.name;
        EXPECT_EQ(rig.Boxes(), std::vector<std::string>{"Error while downloading orvane.zip"}) << r.name;
        EXPECT_FALSE(rig.download.last_error().empty()) << r.name;
        EXPECT_EQ(rig.program.Entries(), std::vector<std::string>{"orvane.zip"}) << r.name;
        EXPECT_EQ(test::ReadBytes(rig.program.File("orvane.zip")), "old copy") << r.name;
        EXPECT_TRUE(rig.opener.opened.empty()) << r.name;
    }
}

TEST(UpdateDownload, ProgramFolderNotWritableGoesToDownloads) {
    Rig rig("orvane.zip");
    rig.http.SetBody(std::string(kSource) + "orvane.zip", "zip");
    // A folder that cannot be written even by root: it does not exist.
    DownloadPlan plan = PlanDownload(rig.session, rig.program.File("gone"), rig.downloads.path() + "/");
    EXPECT_FALSE(plan.inProgramFolder);
    EXPECT_EQ(plan.path, rig.downloads.File("orvane.zip"));
    EXPECT_EQ(DownloadQuestion(rig.session, plan),
              "File: orvane.zip\r\nVersion: 2.5.4.0\r\nInto: " + rig.downloads.path() + "\r\ndownload online?");
    EXPECT_TRUE(rig.Yes(plan));
    EXPECT_EQ(test::ReadBytes(rig.downloads.File("orvane.zip")), "zip");
    EXPECT_EQ(rig.opener.opened, std::vector<std::string>{rig.downloads.File("orvane.zip")});
}

TEST(UpdateDownload, NothingToOpenItIsSaid) {
    Rig rig("orvane.zip");
    rig.http.SetBody(std::string(kSource) + "orvane.zip", "zip");
    rig.opener.works = false;
    EXPECT_TRUE(rig.Yes(PlanDownload(rig.session, rig.program.path(), "")));
    EXPECT_EQ(rig.Boxes(), std::vector<std::string>{"No program could open " + rig.program.File("orvane.zip")});
}

TEST(AboutBoxTexts, CreationTexts) {
    test::CLocaleScope locale;
    test::TempDir dir;
    const std::string program = dir.File("orvane");
    test::WriteBytes(program, "not a program");
    AboutSession session;
    session.s_version = "kept";
    AboutBoxTexts t = AboutFormCreate(session, " (1)Orvane", program, "http://u.test/");
    EXPECT_EQ(t.caption, "About  (1)Orvane");
    EXPECT_EQ(t.Label1, "orvane");
    EXPECT_EQ(t.ProgramName, program);
    EXPECT_EQ(t.Label_Ver, "Ver: ?.?.?.?");
    EXPECT_EQ(t.companyName, kCompanyName);
    EXPECT_EQ(session.file_name, "orvane");
    EXPECT_EQ(session.app_name, "orvane");
    EXPECT_EQ(session.Source_DIR, "http://u.test/NAS_file_Share/orvane/");
    EXPECT_EQ(session.s_version, "kept");

    // The file's time in the locale's short date and long time.
    struct timespec times[2] = {{0, UTIME_OMIT}, {0, 0}};
    std::tm tm{};
    tm.tm_year = 2024 - 1900;
    tm.tm_mon = 1;
    tm.tm_mday = 29;
    tm.tm_hour = 7;
    tm.tm_min = 5;
    tm.tm_sec = 9;
    tm.tm_isdst = -1;
    times[1].tv_sec = std::mktime(&tm);
    ASSERT_EQ(::utimensat(AT_FDCWD, program.c_str(), times, 0), 0);
    EXPECT_EQ(FileDateText(program), "2024/02/29 07:05:09");
    FormatSettings german = FormatSettings::CLocale();
    german.DateSeparator = '.';
    german.ShortDateFormat = "dd/mm/yyyy";
    EXPECT_EQ(FileDateText(program, german), "29.02.2024 07:05:09");
    EXPECT_EQ(FileDateText(dir.File("missing")), "");

    // The running test program carries the build's version note.
    EXPECT_EQ(AboutFormCreate(session, "t", "/proc/self/exe", "http://u.test/").Label_Ver,
              std::string("Ver: ") + ORVANE_EXPECTED_VERSION);
}

TEST(AboutBoxTexts, CompanyLabelTarget) {
    struct Row {
        const char* website;
        std::string target;
    } rows[] = {
        {"https://maker.test/", "https://maker.test/"},
        {"HTTP://maker.test/x", "HTTP://maker.test/x"},
        {"", kMakerStartPage},
        {"file:///etc/passwd", kMakerStartPage},
        {"javascript:alert(1)", kMakerStartPage},
        {"http://", kMakerStartPage},
    };
    for (const Row& r : rows) {
        AboutSession s;
        s.s_website = r.website;
        EXPECT_EQ(CompanyLabelTarget(s), r.target) << r.website;
    }
}

}  // namespace
}  // namespace orvane
