#include "about/update_check.h"

#include "about/update_address.h"
#include "about/update_document.h"

namespace orvane {

std::string ApplyUpdateAnswer(const platform::HttpResponse& answer, AboutSession& session,
                              UpdateCheckView& view) {
    std::string error = answer.error;
    if (error.empty()) {
        UpdateDocumentRead read = ReadUpdateDocument(answer.body);
        std::string* targets[] = {&session.file_name, &session.s_version, &session.s_website};
        for (size_t i = 0; i < read.values.size(); ++i) *targets[i] = read.values[i];
        error = read.error;
    }
    if (!error.empty()) {
        session.web_site_info = kUpgradeNotAvailable;
        view.SpeedButton1 = kUpgradeNotAvailable;
        return error;
    }
    view.company_hint = session.s_website;
    session.web_site_info = "Version:  " + session.s_version + "\r\navailable online";
    view.Label_Ver_hint = session.web_site_info + "\r\nClick to Download";
    if (session.version_Str == session.s_version)
        view.SpeedButton1 = "version up-to-date (" + session.s_version + ")";
    else
        view.SpeedButton1 = "Different " + session.web_site_info;
    return {};
}

UpdateCheck::UpdateCheck(platform::HttpClient& http, int timeoutMs) : m_http(http), m_timeoutMs(timeoutMs) {}

UpdateCheck::~UpdateCheck() {
    if (m_request) m_http.Cancel(m_request);
}

bool UpdateCheck::Start(AboutSession& session, UpdateCheckView& view, std::function<void()> done) {
    if (m_request) return false;
    session.web_site_info.clear();
    view.SpeedButton1 = kOnLineInfo;
    m_request = m_http.Get(UpdateDocumentAddress(session.Source_DIR), m_timeoutMs,
                           [this, &session, &view, done = std::move(done)](const platform::HttpResponse& r) {
                               m_request = 0;
                               m_lastError = ApplyUpdateAnswer(r, session, view);
                               if (done) done();
                           });
    return true;
}

UpdateCheckCommand::UpdateCheckCommand(platform::HttpClient& http, const std::string& base,
                                       const std::string& version)
    : m_check(http) {
    m_session.version_Str = version;
    SetProgramNames(m_session, kWindowProgramName, base.empty() ? UpdateBaseAddress() : base);
    m_documentAddress = UpdateDocumentAddress(m_session.Source_DIR);
}

void UpdateCheckCommand::Start(std::function<void(const std::string& text, int exitStatus)> done) {
    m_check.Start(m_session, m_view, [this, done = std::move(done)] {
        const std::string& text = m_view.SpeedButton1;
        done(text, text == kUpgradeNotAvailable ? 1 : 0);
    });
}

}  // namespace orvane
