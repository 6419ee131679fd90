#include "platform/partial_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace orvane::platform {

namespace {

std::string ErrnoText(int err) { return std::strerror(err); }

std::string DirOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

PartialFile::~PartialFile() { Discard(); }

bool PartialFile::Open(const std::string& path, std::string& error) {
    Discard();
    const size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) {
        error = "No file name in " + path;
        return false;
    }
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        error = path + " is a folder";
        return false;
    }
    const std::string dir = DirOf(path);
    std::random_device rd;
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string temp = dir + "/." + name + ".part" + std::to_string(rd());
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            m_fd = fd;
            m_path = path;
            m_temp = std::move(temp);
            return true;
        }
        if (errno != EEXIST) {
            error = "Cannot create a file in " + dir + ": " + ErrnoText(errno);
            return false;
        }
    }
    error = "Cannot create a file in " + dir;
    return false;
}

bool PartialFile::Write(std::string_view data, std::string& error) {
    if (m_fd < 0) {
        error = "The file is not open";
        return false;
    }
    while (!data.empty()) {
        ssize_t n = ::write(m_fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            error = "Cannot write " + m_path + ": " + ErrnoText(errno);
            return false;
        }
        data.remove_prefix(size_t(n));
    }
    return true;
}

bool PartialFile::Commit(std::string& error) {
    if (m_fd < 0) {
        error = "The file is not open";
        return false;
    }
    bool ok = ::fsync(m_fd) == 0;
    int err = errno;
    if (::close(m_fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    m_fd = -1;
    if (ok && ::rename(m_temp.c_str(), m_path.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        error = "Cannot write " + m_path + ": " + ErrnoText(err);
        ::unlink(m_temp.c_str());
        m_temp.clear();
        return false;
    }
    m_temp.clear();
    // Make the rename durable; the file is in place whatever this answers.
    int dfd = ::open(DirOf(m_path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

void PartialFile::Discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
}

}  // namespace orvane::platform
