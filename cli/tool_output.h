#pragma once
// orvane-tool's standard streams: output lines through one buffer with every
// write checked, and the whole of standard input read at once.
#include <functional>
#include <string>
#include <string_view>

namespace orvane {

class ToolOutput {
public:
    explicit ToolOutput(int fd) : m_fd(fd) {}
    ToolOutput(const ToolOutput&) = delete;
    ToolOutput& operator=(const ToolOutput&) = delete;

    // Writes `text` and a LF. Large texts go out directly, without a copy.
    // After a failed write, nothing more is written (see Error).
    void Line(std::string_view text);
    // Writes `text` as it is (a piece of a line).
    void Write(std::string_view text);
    // Writes what is buffered; false when a write failed (now or before).
    bool Flush();
    // 0, or the errno of the first write that failed (EPIPE when the reader
    // went away).
    int Error() const { return m_error; }

private:
    void WriteAll(const char* data, size_t size);

    int m_fd;
    int m_error = 0;
    std::string m_buf;
};

// Reads everything from `fd` into `out`; false (with errno in `err`) when a
// read fails.
bool ReadAll(int fd, std::string& out, int& err);

// Reads everything from `fd` and hands it to `feed` piece by piece, with one
// trailing line break (LF or CR LF) of the whole left out; false (with errno
// in `err`) when a read fails.
bool StreamText(int fd, const std::function<void(std::string_view)>& feed, int& err);

// Drops one trailing line break (LF or CR LF) from `text`.
void DropOneLineBreak(std::string& text);

}  // namespace orvane
