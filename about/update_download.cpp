#include "about/update_download.h"

#include <unistd.h>

#include <cctype>

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

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

bool IsProgramOwnFileName(std::string_view name, std::string_view programFileName) {
    const std::string app = AppNameOf(programFileName);
    const std::string own[] = {std::string(programFileName), "orvane", "orvane-eval", "orvane-tool",
                               "orvane-tool-qt", app + ".ini", "orvane.ini", "web data.inf",
                               "orvane.txt", "help"};
    constexpr std::string_view kLock = ".lock";
    for (const std::string& o : own) {
        if (o.empty()) continue;
        if (SameIgnoringCase(name, o)) return true;
        if (name.size() == o.size() + kLock.size() && SameIgnoringCase(name.substr(0, o.size()), o) &&
            SameIgnoringCase(name.substr(o.size()), kLock))
            return true;
    }
    return false;
}

DownloadPlan PlanDownload(const AboutSession& session, const std::string& programFolder,
                          const std::string& downloadFolder, const std::string& programFileName) {
    DownloadPlan plan;
    if (!IsSafeDownloadName(session.file_name) ||
        (!programFileName.empty() && IsProgramOwnFileName(session.file_name, programFileName))) {
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
