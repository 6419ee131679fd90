#pragma once
// The web view's profile on Qt WebEngine: cookies, local storage and the HTTP
// cache on disk under "<user data folder>/web-profile" (UserDataDir(),
// normally ~/.local/share/orvane) while this process holds that folder, else
// kept in memory for the life of the process (a second copy of the window,
// orvane-tool while the window runs, no usable home folder).
#include <memory>
#include <string>

#include "platform/web_profile_place.h"

class QWebEngineProfile;

namespace orvane::platform {

class QtWebProfile {
public:
    // Builds the profile for `dataDir` (UserDataDir() by default). Needs the
    // application object; the profile must outlive every page made with it.
    explicit QtWebProfile(const std::string& dataDir = UserDataDir());
    ~QtWebProfile();
    QtWebProfile(const QtWebProfile&) = delete;
    QtWebProfile& operator=(const QtWebProfile&) = delete;

    QWebEngineProfile* Profile() const { return m_profile.get(); }
    // True when the profile lives on disk.
    bool Persistent() const { return m_claim.Held(); }
    // Why the profile is kept in memory; empty when it is on disk.
    const std::string& Note() const { return m_claim.Reason(); }

private:
    WebProfileClaim m_claim;  // released after the profile is gone
    std::unique_ptr<QWebEngineProfile> m_profile;
};

}  // namespace orvane::platform
