#include "platform/web_profile_place.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace orvane::platform {

namespace {

// Creates `dir` and its missing parents; the new levels get `mode`.
bool MakeDirs(const std::string& dir, mode_t mode) {
    struct stat st;
    if (::stat(dir.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return true;
        errno = ENOTDIR;
        return false;
    }
    size_t slash = dir.rfind('/');
    if (slash != std::string::npos && slash > 0 && !MakeDirs(dir.substr(0, slash), mode)) return false;
    return ::mkdir(dir.c_str(), mode) == 0 || errno == EEXIST;
}

}  // namespace

std::string UserDataDir() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/orvane";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/share/orvane";
    return {};
}

WebProfileClaim::WebProfileClaim(const std::string& dataDir) {
    if (dataDir.empty()) {
        m_reason = "no folder for the web profile (neither XDG_DATA_HOME nor HOME is set)";
        return;
    }
    const std::string dir = dataDir + "/web-profile";
    if (!MakeDirs(dir, 0700)) {
        m_reason = "cannot create the web profile folder " + dir + ": " + std::strerror(errno);
        return;
    }
    const std::string lock = dir + "/lock";
    int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_reason = "cannot open " + lock + ": " + std::strerror(errno);
        return;
    }
    int r;
    do {
        r = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {
        m_reason = errno == EWOULDBLOCK ? "the web profile " + dir + " is in use by another process"
                                        : "cannot lock " + lock + ": " + std::strerror(errno);
        ::close(fd);
        return;
    }
    m_fd = fd;
    m_storage = dir + "/storage";
    m_cache = dir + "/cache";
}

WebProfileClaim::~WebProfileClaim() {
    if (m_fd >= 0) ::close(m_fd);
}

}  // namespace orvane::platform
