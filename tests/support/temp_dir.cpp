#include "tests/support/temp_dir.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace orvane::test {

TempDir::TempDir() {
    char tmpl[] = "/tmp/orvane-test-XXXXXX";
    if (mkdtemp(tmpl)) m_path = tmpl;
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::File(std::string_view name) const { return m_path + "/" + std::string(name); }

std::vector<std::string> TempDir::Entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(m_path))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TempRuntimeDir::TempRuntimeDir() {
    static std::atomic<int> counter{0};
    m_block_name = "orvane-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
}

TempRuntimeDir::~TempRuntimeDir() { shm_unlink(("/" + m_block_name).c_str()); }

bool TempRuntimeDir::BlockExists() const {
    const int fd = shm_open(("/" + m_block_name).c_str(), O_RDONLY, 0);
    if (fd < 0) return false;
    close(fd);
    return true;
}

void WriteBytes(const std::string& path, std::string_view data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), std::streamsize(data.size()));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace orvane::test
