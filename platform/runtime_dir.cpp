#include "platform/runtime_dir.h"

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

bool EnsureRuntimeDir(const std::string& dir, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = dir + ": " + why;
        return false;
    };
    if (dir.empty()) return fail("empty folder name");
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return fail(std::strerror(errno));
    // lstat, not stat: a symlink planted by somebody else must not redirect
    // our lock files and sockets.
    struct stat st {};
    if (lstat(dir.c_str(), &st) != 0) return fail(std::strerror(errno));
    if (!S_ISDIR(st.st_mode)) return fail("not a folder");
    if (st.st_uid != geteuid()) return fail("owned by another user");
    if (st.st_mode & (S_IWGRP | S_IWOTH)) return fail("writable by other users");
    return true;
}

}  // namespace orvane::platform
