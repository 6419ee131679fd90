// The update check and the download over real HTTP: the Qt Network client
// against a server on 127.0.0.1 in this process.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"
#include "about/update_check.h"
#include "about/update_download.h"
#include "tests/support/local_http_server.h"
#include "tests/support/qt_event_loop.h"
#include "platform/qt/qt_http_client.h"

namespace orvane {
namespace {

using test::LocalHttpServer;

constexpr const char* kDocumentPath = "/NAS_file_Share/orvane/index.json";

struct Outcome {
    std::string button, file_name, s_version, s_website;
};

// One check as the about box of "orvane" 2.5.3.1 runs it against `base`.
Outcome Check(const std::string& base, int timeoutMs = 2000) {
    platform::QtHttpClient http;
    AboutSession s;
    s.version_Str = "2.5.3.1";
    SetProgramNames(s, "orvane", base);
    UpdateCheckView view;
    UpdateCheck check(http, timeoutMs);
    bool done = false;
    check.Start(s, view, [&] { done = true; });
    EXPECT_TRUE(test::RunUntil([&] { return done; }));
    return {view.SpeedButton1, s.file_name, s.s_version, s.s_website};
}

TEST(UpdateCheckOverHttp, Cases) {
    const std::string notAvailable = kUpgradeNotAvailable;
    struct Row {
        const char* name;
        std::string body;  // "silent": the server never answers; "404": not there
        Outcome expected;
    } rows[] = {
        {"equal", R"({"file_name":"orvane.zip","version":"2.5.3.1","website":"http://w/"})",
         {"version up-to-date (2.5.3.1)", "orvane.zip", "2.5.3.1", "http://w/"}},
        {"different", R"({"file_name":"orvane.zip","version":"2.5.4.0","website":"http://w/"})",
         {"Different Version:  2.5.4.0\r\navailable online", "orvane.zip", "2.5.4.0", "http://w/"}},
        {"a number member", R"({"file_name":"orvane.zip","version":3,"website":"http://w/"})",
         {"Different Version:  3\r\navailable online", "orvane.zip", "3", "http://w/"}},
        {"an array", R"([{"file_name":"orvane.zip","version":"2.5.4.0","website":"http://w/"}])",
         {notAvailable, "orvane", "", ""}},
        {"a missing member", R"({"file_name":"orvane.zip","version":"2.5.4.0"})",
         {notAvailable, "orvane.zip", "2.5.4.0", ""}},
        {"not JSON", "<html>It works!</html>", {notAvailable, "orvane", "", ""}},
        {"not there", "404", {notAvailable, "orvane", "", ""}},
        {"a silent server", "silent", {notAvailable, "orvane", "", ""}},
    };
    for (const Row& r : rows) {
        LocalHttpServer server;
        if (r.body == "silent")
            server.Route(kDocumentPath, LocalHttpServer::Silent());
        else if (r.body != "404")
            server.Json(kDocumentPath, r.body);
        // A short limit only where the server stays silent.
        Outcome o = Check(server.Base(), r.body == "silent" ? 300 : 10000);
        EXPECT_EQ(o.button, r.expected.button) << r.name;
        EXPECT_EQ(o.file_name, r.expected.file_name) << r.name;
        EXPECT_EQ(o.s_version, r.expected.s_version) << r.name;
        EXPECT_EQ(o.s_website, r.expected.s_website) << r.name;
        EXPECT_EQ(server.Requests(), std::vector<std::string>{kDocumentPath}) << r.name;
    }
    Outcome closed = Check("http://127.0.0.1:" + std::to_string(test::ClosedPort()) + "/");
    EXPECT_EQ(closed.button, notAvailable);
}

TEST(UpdateCheckOverHttp, CommandTakesTheBaseFromTheEnvironment) {
    LocalHttpServer server;
    server.Json(kDocumentPath, R"({"file_name":"orvane.zip","version":"2.5.4.0","website":"http://w/"})");
    const char* saved = std::getenv(kUpdateBaseEnv);
    const std::string keep = saved ? saved : "";
    ::setenv(kUpdateBaseEnv, server.Base().c_str(), 1);
    platform::QtHttpClient http;
    UpdateCheckCommand command(http, "", "2.5.3.1");
    std::string text;
    int status = -1;
    command.Start([&](const std::string& t, int rc) {
        text = t;
        status = rc;
    });
    EXPECT_TRUE(test::RunUntil([&] { return status >= 0; }));
    EXPECT_EQ(text, "Different Version:  2.5.4.0\r\navailable online");
    EXPECT_EQ(status, 0);
    if (saved)
        ::setenv(kUpdateBaseEnv, keep.c_str(), 1);
    else
        ::unsetenv(kUpdateBaseEnv);
}

class RecordingOpener : public platform::DesktopOpener {
public:
    bool Open(const std::string& target) override {
        opened.push_back(target);
        return true;
    }
    std::vector<std::string> opened;
};

TEST(UpdateDownloadOverHttp, Cases) {
    LocalHttpServer server;
    const std::string payload(200000, 'z');
    server.Route("/NAS_file_Share/orvane/orvane%202.5.4.0.zip", LocalHttpServer::Bytes(payload));
    server.Route("/NAS_file_Share/orvane/broken.zip",
                 LocalHttpServer::Reply{500, "Internal Server Error", "text/plain", "oops"});
    server.Route("/NAS_file_Share/orvane/cut.zip", LocalHttpServer::Bytes(payload, true));
    struct Row {
        const char* name;
        std::string file_name;
        bool arrives;
    } rows[] = {
        {"a good file", "orvane 2.5.4.0.zip", true},
        {"a refused name", "../orvane.zip", false},
        {"a server error", "broken.zip", false},
        {"a dropped connection", "cut.zip", false},
    };
    for (const Row& r : rows) {
        test::TempDir program;
        platform::QtHttpClient http;
        RecordingOpener opener;
        test::RecordingHost host;
        UpdateDownload download(http, opener, host, 2000);
        AboutSession s;
        SetProgramNames(s, "orvane", server.Base());
        s.file_name = r.file_name;
        bool finished = false, arrived = false;
        download.Start(s, PlanDownload(s, program.path(), ""), [&](bool ok) {
            finished = true;
            arrived = ok;
        });
        EXPECT_TRUE(test::RunUntil([&] { return finished; })) << r.name;
        EXPECT_EQ(arrived, r.arrives) << r.name;
        if (r.arrives) {
            EXPECT_EQ(program.Entries(), std::vector<std::string>{r.file_name}) << r.name;
            EXPECT_EQ(test::ReadBytes(program.File(r.file_name)), payload) << r.name;
            EXPECT_EQ(opener.opened, std::vector<std::string>{program.File(r.file_name)}) << r.name;
            EXPECT_TRUE(host.messages.empty()) << r.name;
        } else {
            EXPECT_TRUE(program.Entries().empty()) << r.name;  // no temporary file either
            EXPECT_TRUE(opener.opened.empty()) << r.name;
            ASSERT_EQ(host.messages.size(), 1u) << r.name;
            EXPECT_EQ(host.messages[0].text, "Error while downloading " + r.file_name) << r.name;
        }
    }
    // The refused name never reached the server.
    for (const std::string& path : server.Requests()) EXPECT_EQ(path.find(".."), std::string::npos) << path;
}

}  // namespace
}  // namespace orvane
