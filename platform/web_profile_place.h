#pragma once
// Where the web view keeps its profile (cookies, local storage, cache):
// "<user data folder>/web-profile". A browser engine's profile folder may be
// used by one process at a time, so a process claims it with a lock file
// first; a second copy of the window, or orvane-tool while the window runs,
// gets no claim and keeps its profile in memory instead.
#include <string>

namespace orvane::platform {

// "$XDG_DATA_HOME/orvane" when XDG_DATA_HOME is an absolute path, else
// "$HOME/.local/share/orvane"; empty when neither is usable. Does not
// create it.
std::string UserDataDir();

class WebProfileClaim {
public:
    // Creates "<dataDir>/web-profile" (mode 0700, with missing parents) and
    // takes an exclusive lock on its file "lock" without waiting. When the
    // folder cannot be made or another process holds the lock, the claim is
    // not held and Reason says why.
    explicit WebProfileClaim(const std::string& dataDir);
    ~WebProfileClaim();
    WebProfileClaim(const WebProfileClaim&) = delete;
    WebProfileClaim& operator=(const WebProfileClaim&) = delete;

    // True while this process holds the profile folder.
    bool Held() const { return m_fd >= 0; }
    // The folder for persistent data ("<dir>/storage") and the cache
    // ("<dir>/cache"); empty when not held.
    const std::string& StoragePath() const { return m_storage; }
    const std::string& CachePath() const { return m_cache; }
    // Why the claim is not held (one sentence, naming the folder); empty when
    // held.
    const std::string& Reason() const { return m_reason; }

private:
    int m_fd = -1;
    std::string m_storage;
    std::string m_cache;
    std::string m_reason;
};

}  // namespace orvane::platform
