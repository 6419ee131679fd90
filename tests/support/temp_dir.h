#pragma once
// Temporary folders removed with everything in them at the end of a test,
// and small file helpers.
#include <string>
#include <string_view>
#include <vector>

namespace orvane::test {

// A new, empty folder under /tmp; path() is empty when none could be made.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // The path of `name` inside the folder.
    std::string File(std::string_view name) const;
    // Names of the entries of the folder, sorted.
    std::vector<std::string> Entries() const;

private:
    std::string m_path;
};

// A private runtime folder and a shared-memory name of the test's own, so
// that tests never meet a real user's block, titles or sockets. The block of
// that name is removed at the end too.
class TempRuntimeDir : public TempDir {
public:
    TempRuntimeDir();
    ~TempRuntimeDir();

    const std::string& block_name() const { return m_block_name; }
    // True when the shared-memory object of block_name() exists.
    bool BlockExists() const;

private:
    std::string m_block_name;
};

// Replaces the file's content with `data`.
void WriteBytes(const std::string& path, std::string_view data);
// The file's content; empty when it cannot be read.
std::string ReadBytes(const std::string& path);

}  // namespace orvane::test
