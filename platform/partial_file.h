#pragma once
// A file that appears at its path only when it is complete: the bytes go to a
// hidden temporary file in the same folder, which Commit renames into place.
// Whatever ends without Commit (an error, a cancel, a crash of the transfer)
// leaves the folder as it was: the temporary file is removed.
#include <string>
#include <string_view>

namespace orvane::platform {

class PartialFile {
public:
    PartialFile() = default;
    // Removes the temporary file unless Commit succeeded.
    ~PartialFile();
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    // Creates the temporary file ".<name>.part<random>" beside `path` (mode
    // 0666 less the umask). False with `error` set when the folder cannot take
    // it or `path` names a folder.
    bool Open(const std::string& path, std::string& error);
    // Appends `data`; false with `error` set on a write failure (a full disk).
    bool Write(std::string_view data, std::string& error);
    // Flushes the data to disk and renames the temporary file to the path given
    // to Open, replacing a file of that name. False with `error` set (and the
    // temporary file removed) when any step fails.
    bool Commit(std::string& error);
    // Removes the temporary file; the path given to Open is left untouched.
    void Discard();

    bool is_open() const { return m_fd >= 0; }
    const std::string& temp_path() const { return m_temp; }

private:
    int m_fd = -1;
    std::string m_path;
    std::string m_temp;
};

}  // namespace orvane::platform
