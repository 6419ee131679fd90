#include "platform/shm_shared_block.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/runtime_dir.h"

namespace orvane::platform {
namespace {

int FlockRetry(int fd, int op) {
    int r;
    do {
        r = flock(fd, op);
    } while (r != 0 && errno == EINTR);
    return r;
}

int OpenLockFile(const std::string& path) {
    return open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

// Holds the gate lock for its lifetime: opening and closing of the block are
// serialised, so the holder count seen through the holders lock is stable.
class Gate {
public:
    explicit Gate(const std::string& path) : m_fd(OpenLockFile(path)) {
        if (m_fd >= 0 && FlockRetry(m_fd, LOCK_EX) != 0) {
            close(m_fd);
            m_fd = -1;
        }
    }
    ~Gate() {
        if (m_fd >= 0) close(m_fd);  // closing releases the lock
    }
    Gate(const Gate&) = delete;
    Gate& operator=(const Gate&) = delete;
    bool ok() const { return m_fd >= 0; }

private:
    int m_fd;
};

class ShmSharedBlock : public SharedBlock {
public:
    ShmSharedBlock(std::string shm_name, std::string gate_path, int holders_fd, int shm_fd,
                   void* addr, std::size_t size)
        : m_shm_name(std::move(shm_name)),
          m_gate_path(std::move(gate_path)),
          m_holders_fd(holders_fd),
          m_shm_fd(shm_fd),
          m_addr(addr),
          m_size(size) {}

    ~ShmSharedBlock() override {
        munmap(m_addr, m_size);
        close(m_shm_fd);
        Gate gate(m_gate_path);
        // Only the last holder gets the exclusive lock; it removes the block.
        // A failed attempt drops our shared lock, which is what closing does
        // anyway.
        if (FlockRetry(m_holders_fd, LOCK_EX | LOCK_NB) == 0) shm_unlink(m_shm_name.c_str());
        close(m_holders_fd);
    }

    void* data() override { return m_addr; }
    std::size_t size() const override { return m_size; }
    bool Intact() const override {
        struct stat st {};
        return fstat(m_shm_fd, &st) == 0 && static_cast<std::size_t>(st.st_size) >= m_size;
    }

private:
    std::string m_shm_name;
    std::string m_gate_path;
    int m_holders_fd;
    int m_shm_fd;  // kept open to watch the object's size
    void* m_addr;
    std::size_t m_size;
};

SharedBlockOpenResult Fail(const char* warning, const std::string& detail) {
    SharedBlockOpenResult r;
    r.warning = warning;
    r.detail = detail;
    return r;
}

std::string Errno(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

SharedBlockOpenResult OpenSharedBlock(const SharedBlockOptions& options) {
    const std::string& name = options.name;
    if (name.empty() || name.size() > 200 || name.find('/') != std::string::npos ||
        name == "." || name == ".." || options.size == 0)
        return Fail(kCouldNotCreateFileMap, "invalid block name or size");

    const std::string dir =
        options.runtime_dir.empty() ? DefaultRuntimeDir() : options.runtime_dir;
    std::string why;
    if (!EnsureRuntimeDir(dir, &why)) return Fail(kCouldNotCreateFileMap, why);

    const std::string shm_name = "/" + name;
    const std::string gate_path = dir + "/" + name + ".gate.lock";
    Gate gate(gate_path);
    if (!gate.ok()) return Fail(kCouldNotCreateFileMap, Errno("gate lock"));

    int holders = OpenLockFile(dir + "/" + name + ".holders.lock");
    if (holders < 0) return Fail(kCouldNotCreateFileMap, Errno("holders lock"));
    if (FlockRetry(holders, LOCK_EX | LOCK_NB) == 0) {
        // Nobody else holds the block: whatever exists under the name was
        // left by a process that crashed; start afresh.
        shm_unlink(shm_name.c_str());
    }
    if (FlockRetry(holders, LOCK_SH) != 0) {
        std::string d = Errno("holders lock");
        close(holders);
        return Fail(kCouldNotCreateFileMap, d);
    }

    auto give_up = [&](const char* warning, const std::string& d) {
        if (FlockRetry(holders, LOCK_EX | LOCK_NB) == 0) shm_unlink(shm_name.c_str());
        close(holders);
        return Fail(warning, d);
    };

    int fd = shm_open(shm_name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return give_up(kCouldNotCreateFileMap, Errno("shm_open"));
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        std::string d = Errno("fstat");
        close(fd);
        return give_up(kCouldNotCreateFileMap, d);
    }
    if (st.st_uid != geteuid()) {
        // Another user's object: neither read nor write through it.
        close(fd);
        close(holders);
        return Fail(kCouldNotCreateFileMap, "shared block owned by another user");
    }
    // A new object has size 0; growing it fills it with zeros.
    if (static_cast<std::size_t>(st.st_size) < options.size &&
        ftruncate(fd, static_cast<off_t>(options.size)) != 0) {
        std::string d = Errno("ftruncate");
        close(fd);
        return give_up(kCouldNotCreateFileMap, d);
    }
    void* addr = mmap(nullptr, options.size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (addr == MAP_FAILED) {
        const int map_errno = errno;
        close(fd);
        errno = map_errno;
        return give_up(kMapFilePointerIsNil, Errno("mmap"));
    }

    SharedBlockOpenResult r;
    r.block = std::make_unique<ShmSharedBlock>(shm_name, gate_path, holders, fd, addr, options.size);
    return r;
}

}  // namespace orvane::platform
