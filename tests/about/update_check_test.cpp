// The update check and its names, driven through the fake HTTP client.
#include "about/update_check.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "about/update_address.h"
#include "about/update_document.h"
#include "platform/fake_http_client.h"

namespace orvane {
namespace {

using platform::FakeHttpClient;

TEST(UpdateAddress, ProgramNamesAndAddresses) {
    struct Row {
        const char* file;
        const char* app;
    } names[] = {
        {"orvane.exe", "orvane"}, {"orvane", "orvane"}, {"kor.v2.exe", "kor.v2"},
        {"ab", "ab"},             {".hidden", ".hidden"},
    };
    for (const Row& r : names) EXPECT_EQ(AppNameOf(r.file), r.app) << r.file;

    EXPECT_EQ(FileNamePart("/opt/orvane/bin/orvane"), "orvane");
    EXPECT_EQ(SourceDirFor("http://h/", "orvane"), "http://h/NAS_file_Share/orvane/");
    EXPECT_EQ(SourceDirFor("http://h:8080/share", "orvane"), "http://h:8080/share/NAS_file_Share/orvane/");
    EXPECT_EQ(UpdateDocumentAddress(SourceDirFor("http://h/", AppNameOf("orvane.exe"))),
              "http://h/NAS_file_Share/orvane/index.json");
    EXPECT_EQ(DownloadAddress("http://h/d/", "Orvane Setup #2 100%.zip"),
              "http://h/d/Orvane%20Setup%20%232%20100%25.zip");
    EXPECT_EQ(DownloadAddress("http://h/d/", "orvane_2.5.4.0.zip"), "http://h/d/orvane_2.5.4.0.zip");
}

TEST(UpdateAddress, BaseFromTheEnvironment) {
    const char* saved = std::getenv(kUpdateBaseEnv);
    const std::string keep = saved ? saved : "";
    struct Row {
        const char* env;  // nullptr: unset
        std::string base;
    } rows[] = {
        {nullptr, kDefaultUpdateBase},
        {"", kDefaultUpdateBase},
        {"http://127.0.0.1:8080/", "http://127.0.0.1:8080/"},
        {"http://127.0.0.1:8080", "http://127.0.0.1:8080/"},
    };
    for (const Row& r : rows) {
        if (r.env)
            ::setenv(kUpdateBaseEnv, r.env, 1);
        else
            ::unsetenv(kUpdateBaseEnv);
        EXPECT_EQ(UpdateBaseAddress(), r.base) << (r.env ? r.env : "(unset)");
    }
    if (saved)
        ::setenv(kUpdateBaseEnv, keep.c_str(), 1);
    else
        ::unsetenv(kUpdateBaseEnv);
}

TEST(UpdateDocument, MembersAsTexts) {
    struct Row {
        const char* name;
        std::string body;
        std::vector<std::string> values;
        bool ok;
    } rows[] = {
        {"strings", R"({"website":"w","version":"2.5.4.0","file_name":"f.zip","other":[1]})",
         {"f.zip", "2.5.4.0", "w"}, true},
        {"numbers as written", R"({"file_name":7,"version":2.50,"website":-1e3})", {"7", "2.50", "-1e3"}, true},
        {"byte-order mark", "\xEF\xBB\xBF{\"file_name\":\"f\",\"version\":\"1\",\"website\":\"\"}",
         {"f", "1", ""}, true},
        {"first of a name twice", R"({"file_name":"a","file_name":"b","version":"1","website":"w"})",
         {"a", "1", "w"}, true},
        {"nested members do not count", R"({"x":{"file_name":"n"},"file_name":"f","version":"1","website":"w"})",
         {"f", "1", "w"}, true},
        {"missing website", R"({"file_name":"f","version":"1"})", {"f", "1"}, false},
        {"missing version", R"({"file_name":"f","website":"w"})", {"f"}, false},
        {"version an object", R"({"file_name":"f","version":{"v":1},"website":"w"})", {"f"}, false},
        {"website null", R"({"file_name":"f","version":"1","website":null})", {"f", "1"}, false},
        {"file_name true", R"({"file_name":true,"version":"1","website":"w"})", {}, false},
        {"array", R"([{"file_name":"f","version":"1","website":"w"}])", {}, false},
        {"string", R"("file_name")", {}, false},
        {"not JSON", "<html>404</html>", {}, false},
        {"trailing garbage", R"({"file_name":"f","version":"1","website":"w"} x)", {}, false},
        {"empty", "", {}, false},
        {"invalid UTF-8", "{\"file_name\":\"\xff\",\"version\":\"1\",\"website\":\"w\"}", {}, false},
    };
    for (const Row& r : rows) {
        UpdateDocumentRead read = ReadUpdateDocument(r.body);
        EXPECT_EQ(read.values, r.values) << r.name;
        EXPECT_EQ(read.ok(), r.ok) << r.name << ": " << read.error;
    }
    EXPECT_FALSE(ReadUpdateDocument(std::string(100000, '[') + std::string(100000, ']')).ok());
}

constexpr const char* kBase = "http://updates.test/";
constexpr const char* kDocument = "http://updates.test/NAS_file_Share/orvane/index.json";

// A session as the window sets it up for "orvane", version 2.5.3.1, with the
// values of an earlier check.
AboutSession StartingSession() {
    AboutSession s;
    s.version_Str = "2.5.3.1";
    SetProgramNames(s, "orvane", kBase);
    s.s_version = "earlier";
    s.s_website = "http://earlier/";
    return s;
}

TEST(UpdateCheck, AnswersOnTheButton) {
    const std::string notAvailable = kUpgradeNotAvailable;
    struct Row {
        const char* name;
        FakeHttpClient::Route route;  // silent or body; no route when status is 0
        bool routed;
        std::string button;
        std::string file_name, s_version, s_website;
    } rows[] = {
        {"equal", {200, R"({"file_name":"orvane_2531.zip","version":"2.5.3.1","website":"http://w/"})"}, true,
         "version up-to-date (2.5.3.1)", "orvane_2531.zip", "2.5.3.1", "http://w/"},
        {"different", {200, R"({"file_name":"o.zip","version":"2.5.4.0","website":"http://w/"})"}, true,
         "Different Version:  2.5.4.0\r\navailable online", "o.zip", "2.5.4.0", "http://w/"},
        {"compared as text", {200, R"({"file_name":"o.zip","version":"2.5.3.01","website":""})"}, true,
         "Different Version:  2.5.3.01\r\navailable online", "o.zip", "2.5.3.01", ""},
        {"a number member", {200, R"({"file_name":"o.zip","version":2.5,"website":"http://w/"})"}, true,
         "Different Version:  2.5\r\navailable online", "o.zip", "2.5", "http://w/"},
        {"an array", {200, R"([{"file_name":"o.zip","version":"2.5.4.0","website":"w"}])"}, true,
         notAvailable, "orvane", "earlier", "http://earlier/"},
        {"a missing member", {200, R"({"file_name":"o.zip","version":"2.5.4.0"})"}, true, notAvailable, "o.zip",
         "2.5.4.0", "http://earlier/"},
        {"not JSON", {200, "<html>hello</html>"}, true, notAvailable, "orvane", "earlier", "http://earlier/"},
        {"an error status", {404, R"({"file_name":"o.zip","version":"2.5.4.0","website":"w"})", "Not Found"},
         true, notAvailable, "orvane", "earlier", "http://earlier/"},
        {"a silent server", {200, "", "OK", true}, true, notAvailable, "orvane", "earlier", "http://earlier/"},
        {"no server", {}, false, notAvailable, "orvane", "earlier", "http://earlier/"},
    };
    for (const Row& r : rows) {
        FakeHttpClient http;
        if (r.routed) http.SetRoute(kDocument, r.route);
        AboutSession s = StartingSession();
        s.web_site_info = "stale";
        UpdateCheckView view;
        view.SpeedButton1 = "stale";
        UpdateCheck check(http);
        int done = 0;
        ASSERT_TRUE(check.Start(s, view, [&] { ++done; })) << r.name;
        // While the answer is awaited the box shows the first text.
        EXPECT_EQ(view.SpeedButton1, kOnLineInfo) << r.name;
        EXPECT_EQ(s.web_site_info, "") << r.name;
        EXPECT_TRUE(check.running()) << r.name;
        http.RunPending();
        EXPECT_EQ(done, 1) << r.name;
        EXPECT_FALSE(check.running()) << r.name;
        ASSERT_EQ(http.asked().size(), 1u);
        EXPECT_EQ(http.asked()[0].url, kDocument);
        EXPECT_EQ(http.asked()[0].timeoutMs, 10000);

        EXPECT_EQ(view.SpeedButton1, r.button) << r.name;
        EXPECT_EQ(s.file_name, r.file_name) << r.name;
        EXPECT_EQ(s.s_version, r.s_version) << r.name;
        EXPECT_EQ(s.s_website, r.s_website) << r.name;
        if (r.button == notAvailable) {
            EXPECT_EQ(s.web_site_info, notAvailable) << r.name;
            EXPECT_EQ(view.Label_Ver_hint, "") << r.name;
            EXPECT_EQ(view.company_hint, "") << r.name;
            EXPECT_FALSE(check.last_error().empty()) << r.name;
        } else {
            EXPECT_EQ(s.web_site_info, "Version:  " + r.s_version + "\r\navailable online") << r.name;
            EXPECT_EQ(view.Label_Ver_hint, s.web_site_info + "\r\nClick to Download") << r.name;
            EXPECT_EQ(view.company_hint, r.s_website) << r.name;
            EXPECT_EQ(check.last_error(), "") << r.name;
        }
    }
}

TEST(UpdateCheck, OneCheckAtATimeAndNoneAfterTheBoxIsGone) {
    FakeHttpClient http;
    http.SetBody(kDocument, R"({"file_name":"o.zip","version":"2.5.4.0","website":"w"})");
    AboutSession s = StartingSession();
    UpdateCheckView view;
    {
        UpdateCheck check(http);
        EXPECT_TRUE(check.Start(s, view));
        EXPECT_FALSE(check.Start(s, view));  // an activation while the first runs
        EXPECT_EQ(http.pending(), 1u);
    }
    EXPECT_EQ(http.pending(), 0u);  // cancelled with the box
    http.RunPending();
    EXPECT_EQ(view.SpeedButton1, kOnLineInfo);
    EXPECT_EQ(s.file_name, "orvane");

    // Each activation checks again, from the texts of the last check.
    UpdateCheck check(http);
    check.Start(s, view);
    http.RunPending();
    EXPECT_EQ(view.SpeedButton1, "Different Version:  2.5.4.0\r\navailable online");
    http.SetBody(kDocument, "broken");
    check.Start(s, view);
    http.RunPending();
    EXPECT_EQ(view.SpeedButton1, kUpgradeNotAvailable);
    EXPECT_EQ(s.s_version, "2.5.4.0");
    EXPECT_EQ(view.Label_Ver_hint, "Version:  2.5.4.0\r\navailable online\r\nClick to Download");
}

TEST(UpdateCheckCommand, TextAndExitStatus) {
    struct Row {
        const char* name;
        std::string body;  // empty: no server
        std::string text;
        int status;
    } rows[] = {
        {"equal", R"({"file_name":"o","version":"9.9.9.9","website":"w"})", "version up-to-date (9.9.9.9)", 0},
        {"different", R"({"file_name":"o","version":"1.0","website":"w"})",
         "Different Version:  1.0\r\navailable online", 0},
        {"no update information", "", kUpgradeNotAvailable, 1},
    };
    for (const Row& r : rows) {
        FakeHttpClient http;
        if (!r.body.empty()) http.SetBody("http://127.0.0.1:9/x/NAS_file_Share/orvane/index.json", r.body);
        UpdateCheckCommand command(http, "http://127.0.0.1:9/x", "9.9.9.9");
        EXPECT_EQ(command.document_address(), "http://127.0.0.1:9/x/NAS_file_Share/orvane/index.json");
        std::string text;
        int status = -1;
        command.Start([&](const std::string& t, int rc) {
            text = t;
            status = rc;
        });
        http.RunPending();
        EXPECT_EQ(text, r.text) << r.name;
        EXPECT_EQ(status, r.status) << r.name;
    }
}

}  // namespace
}  // namespace orvane
