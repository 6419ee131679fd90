#pragma once
// The download of the offered file from the about box (`SpeedButton1Click`):
// the confirmation question, where the file goes, the transfer, and opening
// the file with its default program.
#include <functional>
#include <string>
#include <string_view>

#include "about/about_links.h"
#include "about/about_session.h"
#include "engine/session.h"
#include "platform/desktop_opener.h"
#include "platform/http_client.h"

namespace orvane {

struct DownloadPlan {
    std::string url;     // Source_DIR + the file name (percent-encoded)
    std::string folder;  // where the file goes
    std::string path;    // folder + "/" + file_name
    bool inProgramFolder = true;
    bool refused = false;  // the name may not be written: nothing is fetched
};

// Whether `name` is one of the files the program keeps in its folder or its
// working folder, compared without regard to ASCII case: the running program
// `programFileName` and its sibling programs ("orvane", "orvane-eval",
// "orvane-tool", "orvane-tool-qt"), the settings file "<app_name>.ini" (and
// the window's "orvane.ini"), "web data.inf", the memo "orvane.txt", the help
// folder "help", and "<any of these>.lock". An offered file of such a name
// would replace the user's settings or data, or the program itself.
bool IsProgramOwnFileName(std::string_view name, std::string_view programFileName);

// Where the offered file `file_name` goes: the program's folder when this
// user may create files in it, else `downloadFolder`. A name that
// IsSafeDownloadName refuses, or that IsProgramOwnFileName finds for
// `programFileName` (when given), gives a refused plan.
DownloadPlan PlanDownload(const AboutSession& session, const std::string& programFolder,
                          const std::string& downloadFolder, const std::string& programFileName = {});

// The confirmation question: "File: " + file_name + CR LF + "Version: " +
// s_version + CR LF + "download online?"; when the file would not go to the
// program's folder, the line "Into: " + folder comes before the question.
std::string DownloadQuestion(const AboutSession& session, const DownloadPlan& plan);

// "Error while downloading " + file_name.
std::string DownloadErrorText(const AboutSession& session);

class UpdateDownload {
public:
    // Messages go to `host` (plain boxes); the file opens through `opener`.
    UpdateDownload(platform::HttpClient& http, platform::DesktopOpener& opener, EngineHost& host,
                   int idleTimeoutMs = kDownloadIdleTimeoutMs);
    // A download still running is cancelled; its temporary file is removed.
    ~UpdateDownload();
    UpdateDownload(const UpdateDownload&) = delete;
    UpdateDownload& operator=(const UpdateDownload&) = delete;

    // The answer Yes to the question: a refused plan shows DownloadErrorText at
    // once and writes nothing. Otherwise the file is fetched to plan.path (a
    // temporary file renamed into place when complete) and opened with its
    // default program; "No program could open " + path when nothing opens it;
    // DownloadErrorText when the transfer fails. `done` runs afterwards with
    // true when the file arrived. While one download runs, Start does nothing
    // and returns false.
    bool Start(const AboutSession& session, const DownloadPlan& plan,
               std::function<void(bool arrived)> done = {});
    bool running() const { return m_request != 0; }
    // Why the last download failed (the transfer's reason); empty after a
    // success.
    const std::string& last_error() const { return m_lastError; }

private:
    platform::HttpClient& m_http;
    platform::DesktopOpener& m_opener;
    EngineHost& m_host;
    int m_idleTimeoutMs;
    platform::HttpClient::RequestId m_request = 0;
    std::string m_lastError;
};

}  // namespace orvane
