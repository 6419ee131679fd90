#pragma once
// Runs the platform helper program as a child process with its standard input
// and output connected to pipes: the test reads its lines and ends it by
// closing its input.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

extern char** environ;

namespace orvane::test {

class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& args) {
        int in[2], out[2];
        if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]);
        close(out[1]);
        m_in = in[1];
        m_out = out[0];
    }
    ~ChildProcess() {
        CloseInput();
        Wait();
        if (m_out >= 0) close(m_out);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return m_pid > 0; }

    // The next line the child writes, without its line break; "" at its end.
    std::string ReadLine() {
        std::string line;
        char c;
        while (read(m_out, &c, 1) == 1 && c != '\n') line += c;
        return line;
    }
    // Tells the child to finish.
    void CloseInput() {
        if (m_in >= 0) close(m_in);
        m_in = -1;
    }
    // Waits for the child's end; its exit status, or -1.
    int Wait() {
        if (m_pid > 0) {
            int status = 0;
            while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
            }
            m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            m_pid = -1;
        }
        return m_status;
    }

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    int m_status = -1;
};

}  // namespace orvane::test
