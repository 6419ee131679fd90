#pragma once
// A program run as a child process with pipes on its standard input and
// output (and, when asked, its standard error): the test writes to it, reads
// its lines, and ends it by closing its input.
#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

namespace orvane::test {

struct ChildOptions {
    // "NAME=value" entries added to (or overriding, when later) the test's
    // own environment.
    std::vector<std::string> env;
    // Start from an environment that holds only the test's PATH, then `env`.
    bool cleanEnv = false;
    // The child's working folder; empty: the test's own.
    std::string cwd;
    // Collect standard error in `err`; otherwise the child writes to the
    // test's own standard error.
    bool captureStderr = false;
    // When >= 0, the child's standard output goes to this descriptor instead
    // of a pipe (ReadLine and `out` then see nothing).
    int stdoutFd = -1;
};

class ChildProcess {
public:
    // Starts argv[0] (a path) with the arguments argv[1..]; started() tells
    // whether that worked.
    explicit ChildProcess(const std::vector<std::string>& argv, ChildOptions options = {});
    // Finishes the child (see Finish).
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return m_pid > 0; }

    // Writes all of `text` to the child's input; false when it cannot.
    bool Write(std::string_view text);
    // The next line of the child's output without its line break; waits for
    // it. "" at the end of the output.
    std::string ReadLine();
    // Closes the child's input, which tells it to finish.
    void CloseInput();
    // Closes the reading end of the child's output: its next write meets a
    // reader that went away.
    void CloseOutput();
    // Writes `input` to the child's input while reading its output (so a
    // large text never deadlocks), closes the input, reads the rest of the
    // output (and of standard error) into `out` (and `err`) until the child
    // closes them, and waits for its end. The exit status, or -1 when the
    // child did not exit normally or never started. Later calls return the
    // same status.
    int Finish(std::string_view input = {});

    // Filled by Finish: what the child wrote after the last ReadLine.
    std::string out, err;

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    int m_err = -1;
    int m_status = -1;
};

}  // namespace orvane::test
