#include "about/update_address.h"

#include <cstdlib>

#include "about/about_links.h"

namespace orvane {

std::string FileNamePart(std::string_view path) {
    size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string AppNameOf(std::string_view fileName) {
    size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return std::string(fileName);
    return std::string(fileName.substr(0, dot));
}

std::string WithTrailingSlash(std::string base) {
    if (base.empty() || base.back() != '/') base += '/';
    return base;
}

std::string UpdateBaseAddress() {
    const char* env = std::getenv(kUpdateBaseEnv);
    return WithTrailingSlash(env && *env ? std::string(env) : std::string(kDefaultUpdateBase));
}

std::string SourceDirFor(const std::string& base, const std::string& appName) {
    return WithTrailingSlash(base) + "NAS_file_Share/" + appName + "/";
}

std::string UpdateDocumentAddress(const std::string& sourceDir) { return sourceDir + "index.json"; }

std::string DownloadAddress(const std::string& sourceDir, const std::string& fileName) {
    static const char* hex = "0123456789ABCDEF";
    std::string out = sourceDir;
    for (unsigned char c : fileName) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                           std::string_view("-._~!$&'()*+,;=:@").find(char(c)) != std::string_view::npos;
        if (plain) {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

bool IsSafeDownloadName(std::string_view name) {
    if (name.empty() || name.size() > 255) return false;
    if (name.find_first_not_of(' ') == std::string_view::npos) return false;
    if (name.front() == '.') return false;
    if (name.find("..") != std::string_view::npos) return false;
    for (unsigned char c : name)
        if (c == '/' || c == '\\' || c < 32 || c == 127) return false;
    return true;
}

}  // namespace orvane
