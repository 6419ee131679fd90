#pragma once
// A command-line program of the project as a child process, with pipes on its
// standard input, output and error (or standard output sent to a given file
// descriptor), for tests of the whole process.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include <gtest/gtest.h>

extern char** environ;

namespace orvane::test {

class CliProcess {
public:
    // Starts `exe` with `args`; `env` entries ("NAME=value") are added to the
    // environment. With `stdoutFd` >= 0 standard output goes there instead of
    // a pipe.
    CliProcess(const std::string& exe, std::vector<std::string> args, std::vector<std::string> env = {},
               int stdoutFd = -1) {
        args.insert(args.begin(), exe);
        int in[2], out[2] = {-1, -1}, err[2];
        EXPECT_EQ(pipe2(in, O_CLOEXEC), 0);
        if (stdoutFd < 0) {
            EXPECT_EQ(pipe2(out, O_CLOEXEC), 0);
        }
        EXPECT_EQ(pipe2(err, O_CLOEXEC), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
        posix_spawn_file_actions_adddup2(&actions, stdoutFd >= 0 ? stdoutFd : out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<std::string> envStrings;
        for (char** e = environ; *e; ++e) envStrings.emplace_back(*e);
        envStrings.emplace_back("ORVANE_SHARED_BLOCK_NAME=orvane-cli-test-" + std::to_string(getpid()));
        for (std::string& e : env) envStrings.push_back(e);
        std::vector<char*> envp;
        for (std::string& e : envStrings) envp.push_back(e.data());
        envp.push_back(nullptr);
        EXPECT_EQ(posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]);
        if (out[1] >= 0) close(out[1]);
        close(err[1]);
        m_in = in[1];
        m_out = out[0];
        m_err = err[0];
    }
    ~CliProcess() { Finish(); }
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    void Write(const std::string& text) { ASSERT_EQ(write(m_in, text.data(), text.size()), ssize_t(text.size())); }
    // The next line of standard output; waits for it.
    std::string ReadLine() {
        std::string line;
        char c;
        while (read(m_out, &c, 1) == 1 && c != '\n') line += c;
        return line;
    }
    // Closes the reading end of standard output: the program's next write
    // meets a reader that went away.
    void CloseOutput() {
        if (m_out >= 0) close(m_out), m_out = -1;
    }
    // Writes `input` to standard input while collecting the output (no
    // deadlock on large texts), closes the input, and returns the exit
    // status.
    int Finish(const std::string& input = {}) {
        if (m_pid <= 0) return m_status;
        size_t written = 0;
        pollfd fds[3] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}, {m_in, POLLOUT, 0}};
        if (input.empty() && m_in >= 0) close(m_in), m_in = -1, fds[2].fd = -1;
        int open = (m_out >= 0) + (m_err >= 0);
        char buf[65536];
        while ((open > 0 || fds[2].fd >= 0) && poll(fds, 3, -1) > 0) {
            for (int i = 0; i < 2; ++i) {
                if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
                const ssize_t n = read(fds[i].fd, buf, sizeof buf);
                if (n <= 0) {
                    close(fds[i].fd);
                    fds[i].fd = -1;
                    --open;
                } else {
                    (i == 0 ? out : err).append(buf, size_t(n));
                }
            }
            if (fds[2].fd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
                const ssize_t n = write(m_in, input.data() + written, input.size() - written);
                if (n > 0) written += size_t(n);
                if (n <= 0 || written == input.size()) close(m_in), m_in = -1, fds[2].fd = -1;
            }
        }
        if (m_in >= 0) close(m_in), m_in = -1;
        m_out = m_err = -1;
        int status = 0;
        while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return m_status;
    }

    std::string out, err;

private:
    pid_t m_pid = -1;
    int m_in = -1, m_out = -1, m_err = -1, m_status = -1;
};

}  // namespace orvane::test
