#include "platform/settings_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace orvane::platform {

namespace {

std::string_view DirPart(std::string_view path) {
    size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {};
    return slash == 0 ? std::string_view("/") : path.substr(0, slash);
}

std::string_view NamePart(std::string_view path) {
    size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// Creates `dir` and its missing parents; the last level gets `mode`.
bool MakeDirs(const std::string& dir, mode_t mode) {
    struct stat st;
    if (::stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    std::string_view parent = DirPart(dir);
    if (!parent.empty() && parent != dir && !MakeDirs(std::string(parent), 0755)) return false;
    return ::mkdir(dir.c_str(), mode) == 0 || errno == EEXIST;
}

}  // namespace

std::string ProgramFilePath() {
    std::string buf(PATH_MAX, '\0');
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n <= 0 || size_t(n) >= buf.size()) return {};
    buf.resize(size_t(n));
    return buf;
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    std::string_view name = NamePart(path);
    size_t dot = name.rfind('.');
    size_t keep = path.size();
    if (dot != std::string_view::npos && dot > 0) keep = path.size() - name.size() + dot;
    std::string out(path.substr(0, keep));
    out += ext;
    return out;
}

std::string UserConfigDir() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/orvane";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config/orvane";
    return {};
}

std::string SettingsDir(std::string_view programPath, const std::string& fallbackDir) {
    std::string dir(DirPart(programPath));
    // Replacing a file through rename needs write and search permission on
    // the folder itself.
    if (!dir.empty() && ::access(dir.c_str(), W_OK | X_OK) == 0) return dir;
    if (fallbackDir.empty()) return dir;
    std::string fb = fallbackDir;
    while (fb.size() > 1 && fb.back() == '/') fb.pop_back();
    MakeDirs(fb, 0700);
    return fb;
}

std::string SettingsFilePath(std::string_view programPath, const std::string& fallbackDir) {
    std::string dir = SettingsDir(programPath, fallbackDir);
    std::string name = ChangeFileExt(NamePart(programPath), ".ini");
    if (dir.empty()) return name;
    return dir == "/" ? "/" + name : dir + "/" + name;
}

std::string SettingsFilePath() { return SettingsFilePath(ProgramFilePath(), UserConfigDir()); }

}  // namespace orvane::platform
