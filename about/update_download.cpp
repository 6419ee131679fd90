#include "about/update_download.h"

#include <unistd.h>

#include "about/update_address.h"

namespace orvane {

namespace {

std::string WithoutTrailingSlash(std::string dir) {
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

std::string Join(const std::string& dir, const std::string& name) {
    return dir == "/" ? "/" + name : dir + "/" + name;
}

}  // namespace

DownloadPlan PlanDownload(const AboutSession& session, const std::string& programFolder,
                          const std::string& downloadFolder) {
    DownloadPlan plan;
    if (!IsSafeDownloadName(session.file_name)) {
        plan.refused = true;
        return plan;
    }
    const std::string program = WithoutTrailingSlash(programFolder);
    plan.inProgramFolder = !program.empty() && ::access(program.c_str(), W_OK | X_OK) == 0;
    plan.folder = plan.inProgramFolder ? program : WithoutTrailingSlash(downloadFolder);
    plan.path = Join(plan.folder, session.file_name);
    plan.url = DownloadAddress(session.Source_DIR, session.file_name);
    return plan;
}

std::string DownloadQuestion(const AboutSession& session, const DownloadPlan& plan) {
    std::string text = "File: " + session.file_name + "\r\nVersion: " + session.s_version + "\r\n";
    if (!plan.refused && !plan.inProgramFolder) text += "Into: " + plan.folder + "\r\n";
    return text + "download online?";
}

std::string DownloadErrorText(const AboutSession& session) {
    return "Error while downloading " + session.file_name;
}

UpdateDownload::UpdateDownload(platform::HttpClient& http, platform::DesktopOpener& opener,
                               EngineHost& host, int idleTimeoutMs)
    : m_http(http), m_opener(opener), m_host(host), m_idleTimeoutMs(idleTimeoutMs) {}

UpdateDownload::~UpdateDownload() {
    if (m_request) m_http.Cancel(m_request);
}

bool UpdateDownload::Start(const AboutSession& session, const DownloadPlan& plan,
                           std::function<void(bool)> done) {
    if (m_request) return false;
    const std::string errorText = DownloadErrorText(session);
    if (plan.refused || plan.folder.empty()) {
        m_lastError = plan.refused ? "The offered file name cannot be written: " + session.file_name
                                   : "No folder to download into";
        m_host.ShowMessage(MsgIcon::None, errorText);
        if (done) done(false);
        return true;
    }
    m_request = m_http.Download(
        plan.url, plan.path, m_idleTimeoutMs,
        [this, errorText, done = std::move(done)](const platform::DownloadResult& r) {
            m_request = 0;
            m_lastError = r.error;
            if (!r.ok()) {
                m_host.ShowMessage(MsgIcon::None, errorText);
            } else if (!m_opener.Open(r.path)) {
                m_host.ShowMessage(MsgIcon::None, "No program could open " + r.path);
            }
            if (done) done(r.ok());
        });
    return true;
}

}  // namespace orvane
