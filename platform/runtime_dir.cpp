#include "platform/runtime_dir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace orvane::platform {

std::string DefaultRuntimeDir() {
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/orvane";
    return "/tmp/orvane-" + std::to_string(geteuid());
}

std::string RuntimeDirProblem(const std::string& dir) {
    if (dir.empty()) return "empty folder name";
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return std::strerror(errno);
    // lstat, not stat: a symlink planted by somebody else must not redirect
    // our lock files and sockets.
    struct stat st {};
    if (lstat(dir.c_str(), &st) != 0) return std::strerror(errno);
    if (!S_ISDIR(st.st_mode)) return "not a folder";
    if (st.st_uid != geteuid()) return "owned by another user";
    if (st.st_mode & (S_IWGRP | S_IWOTH)) return "writable by other users";
    if (faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) != 0) return "not writable";
    return {};
}

bool EnsureRuntimeDir(const std::string& dir, std::string* error) {
    const std::string problem = RuntimeDirProblem(dir);
    if (problem.empty()) return true;
    if (error) *error = dir + ": " + problem;
    return false;
}

}  // namespace orvane::platform
