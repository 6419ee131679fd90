#pragma once
// A private runtime folder and a shared-memory name of the test's own, so
// that tests never meet a real user's block, titles or sockets. Both are
// removed at the end.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace orvane::test {

class TempRuntimeDir {
public:
    TempRuntimeDir() {
        char tmpl[] = "/tmp/orvane-test-XXXXXX";
        if (mkdtemp(tmpl)) m_path = tmpl;
        static std::atomic<int> counter{0};
        m_block_name = "orvane-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    }
    ~TempRuntimeDir() {
        shm_unlink(("/" + m_block_name).c_str());
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    TempRuntimeDir(const TempRuntimeDir&) = delete;
    TempRuntimeDir& operator=(const TempRuntimeDir&) = delete;

    const std::string& path() const { return m_path; }
    const std::string& block_name() const { return m_block_name; }
    // True when the shared-memory object of block_name() exists.
    bool BlockExists() const {
        int fd = shm_open(("/" + m_block_name).c_str(), O_RDONLY, 0);
        if (fd < 0) return false;
        close(fd);
        return true;
    }

private:
    std::string m_path;
    std::string m_block_name;
};

}  // namespace orvane::test
