#include "platform/lock_file_title_registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/runtime_dir.h"

namespace orvane::platform {
namespace {

class LockFileHold : public TitleHold {
public:
    LockFileHold(std::string title, int fd) : m_title(std::move(title)), m_fd(fd) {}
    ~LockFileHold() override { close(m_fd); }  // releases the lock; the file stays
    const std::string& title() const override { return m_title; }

private:
    std::string m_title;
    int m_fd;
};

}  // namespace

uint64_t Fnv1a64(const std::string& text) {
    uint64_t h = 0xcbf29ce484222325ULL;
    for (unsigned char c : text) {
        h ^= c;
        h *= 0x100000001b3ULL;
    }
    return h;
}

LockFileTitleRegistry::LockFileTitleRegistry(std::string runtime_dir)
    : m_dir(runtime_dir.empty() ? DefaultRuntimeDir() : std::move(runtime_dir)) {}

std::string LockFileTitleRegistry::LockPath(const std::string& title) const {
    char name[40];
    std::snprintf(name, sizeof name, "/title-%016llx.lock",
                  static_cast<unsigned long long>(Fnv1a64(title)));
    return m_dir + name;
}

bool LockFileTitleRegistry::Exists(const std::string& title) {
    int fd = open(LockPath(title).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;  // nobody ever held it
    int r;
    do {
        r = flock(fd, LOCK_SH | LOCK_NB);
    } while (r != 0 && errno == EINTR);
    const bool held = (r != 0 && errno == EWOULDBLOCK);
    close(fd);
    return held;
}

std::unique_ptr<TitleHold> LockFileTitleRegistry::TryHold(const std::string& title,
                                                          std::string* error) {
    if (!EnsureRuntimeDir(m_dir, error)) return nullptr;
    // The lock files are never removed: removing one could let a second
    // process lock a new file of the same name while the first still holds
    // the old one.
    const std::string path = LockPath(title);
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        if (error) *error = path + ": " + std::strerror(errno);
        return nullptr;
    }
    int r;
    do {
        r = flock(fd, LOCK_EX | LOCK_NB);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {
        // EWOULDBLOCK: another copy holds the title.
        if (errno != EWOULDBLOCK && error) *error = path + ": " + std::strerror(errno);
        close(fd);
        return nullptr;
    }
    // Keep the title readable in the file for whoever inspects the folder.
    if (ftruncate(fd, 0) == 0) {
        std::string line = title + "\n";
        ssize_t ignored = pwrite(fd, line.data(), line.size(), 0);
        (void)ignored;
    }
    return std::make_unique<LockFileHold>(title, fd);
}

}  // namespace orvane::platform
