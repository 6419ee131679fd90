#pragma once
// The update check of the about box (`get_onlin_info2`), run at every
// activation of the box and by `orvane-tool update-check`: fetch the update
// document, read it, and say on the update button whether the share offers a
// different version.
#include <functional>
#include <memory>
#include <string>

#include "about/about_links.h"
#include "about/about_session.h"
#include "platform/http_client.h"

namespace orvane {

inline constexpr const char* kOnLineInfo = "On line Info";
inline constexpr const char* kUpgradeNotAvailable = "Web site upgrade not available.";

// What the check shows in the about box.
struct UpdateCheckView {
    std::string SpeedButton1 = kOnLineInfo;  // the update button's caption
    std::string Label_Ver_hint;              // the version label's hint
    std::string company_hint;                // the company label's hint
};

// Applies the answer for the update document to the texts: on a successful
// answer, the document's members into file_name, s_version, s_website (in that
// order, as far as they can be read); then the company hint := s_website,
// web_site_info := "Version:  " + s_version + CR LF + "available online", the
// version hint := web_site_info + CR LF + "Click to Download", and the button
// "version up-to-date (" + s_version + ")" when version_Str equals s_version
// as text, else "Different " + web_site_info. Any failure (no answer, an error
// status, a document that cannot be read completely): web_site_info and the
// button := kUpgradeNotAvailable, with the members read before it kept.
// Returns the reason of a failure, empty on success.
std::string ApplyUpdateAnswer(const platform::HttpResponse& answer, AboutSession& session,
                              UpdateCheckView& view);

class UpdateCheck {
public:
    explicit UpdateCheck(platform::HttpClient& http, int timeoutMs = kUpdateTimeoutMs);
    // A check still running is cancelled: its answer is never applied.
    ~UpdateCheck();
    UpdateCheck(const UpdateCheck&) = delete;
    UpdateCheck& operator=(const UpdateCheck&) = delete;

    // Starts a check: web_site_info is cleared, the button reads kOnLineInfo,
    // and Source_DIR + "index.json" is requested. When the answer comes,
    // ApplyUpdateAnswer runs and then `done`. `session` and `view` must live
    // until then (or until this object ends). While a check is running a new
    // Start does nothing and returns false: the running one answers.
    bool Start(AboutSession& session, UpdateCheckView& view, std::function<void()> done = {});
    bool running() const { return m_request != 0; }
    // The reason of the last check's failure; empty after a success.
    const std::string& last_error() const { return m_lastError; }

private:
    platform::HttpClient& m_http;
    int m_timeoutMs;
    platform::HttpClient::RequestId m_request = 0;
    std::string m_lastError;
};

// `orvane-tool update-check`: the window program's update names ("orvane"),
// the base `base` (UpdateBaseAddress() when empty) and the running version.
// Start runs one check and calls `done` with the button's final text and the
// exit status: 1 when the text is kUpgradeNotAvailable, else 0.
class UpdateCheckCommand {
public:
    UpdateCheckCommand(platform::HttpClient& http, const std::string& base, const std::string& version);
    void Start(std::function<void(const std::string& text, int exitStatus)> done);
    const std::string& document_address() const { return m_documentAddress; }
    // Why the check found no update information; empty after a success.
    const std::string& last_error() const { return m_check.last_error(); }

private:
    AboutSession m_session;
    UpdateCheckView m_view;
    UpdateCheck m_check;
    std::string m_documentAddress;
};

}  // namespace orvane
