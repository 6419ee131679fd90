#pragma once
// Unbuffered-style line input and buffered output on file descriptors: the
// output is flushed whenever the next input line is not yet available, so
// orvane-eval can sit in a pipe and still answer in bulk when fed in bulk.
#include <string>

namespace orvane {

// Writes all of `data` to `fd`, retrying after interruptions and short
// writes. 0 on success, else the errno of the failed write (EIO when the
// system wrote nothing without saying why). Needs SIGPIPE ignored to report
// a closed pipe as EPIPE.
int WriteAllTo(int fd, const std::string& data);

class LineOutput {
public:
    explicit LineOutput(int fd) : m_fd(fd) {}
    ~LineOutput() { Flush(); }
    void Write(const std::string& s);
    void Flush();
    // The errno of the first failed write, or 0. After a failure every later
    // write is dropped.
    int Error() const { return m_error; }

private:
    int m_fd;
    int m_error = 0;
    std::string m_buf;
};

class LineInput {
public:
    // `beforeBlock` is flushed before any read that may wait.
    LineInput(int fd, LineOutput& beforeBlock) : m_fd(fd), m_out(beforeBlock) {}
    // Next line without its line break (and one trailing CR); false at the
    // end, and false without reading on once the output has failed.
    bool Next(std::string& line);

private:
    int m_fd;
    LineOutput& m_out;
    std::string m_buf;
    size_t m_pos = 0;
    bool m_eof = false;
};

}  // namespace orvane
