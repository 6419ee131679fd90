#include "tests/support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <csignal>

extern char** environ;

namespace orvane::test {

namespace {

void CloseFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, ChildOptions options) {
    int in[2] = {-1, -1}, out[2] = {-1, -1}, err[2] = {-1, -1};
    const bool pipeOut = options.stdoutFd < 0;
    if (pipe2(in, O_CLOEXEC) != 0 || (pipeOut && pipe2(out, O_CLOEXEC) != 0) ||
        (options.captureStderr && pipe2(err, O_CLOEXEC) != 0)) {
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
            if (fd >= 0) close(fd);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, pipeOut ? out[1] : options.stdoutFd, 1);
    if (options.captureStderr) posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    if (!options.cwd.empty()) posix_spawn_file_actions_addchdir_np(&actions, options.cwd.c_str());

    std::vector<std::string> args = argv;
    std::vector<char*> argp;
    for (std::string& a : args) argp.push_back(a.data());
    argp.push_back(nullptr);
    std::vector<std::string> envStrings;
    if (!options.cleanEnv) {
        for (char** e = environ; *e; ++e) envStrings.emplace_back(*e);
    } else if (const char* path = getenv("PATH")) {
        envStrings.emplace_back(std::string("PATH=") + path);
    }
    for (std::string& e : options.env) envStrings.push_back(std::move(e));
    std::vector<char*> envp;
    for (std::string& e : envStrings) envp.push_back(e.data());
    envp.push_back(nullptr);

    if (argp[0] == nullptr ||
        posix_spawn(&m_pid, argp[0], &actions, nullptr, argp.data(), envp.data()) != 0)
        m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    if (out[1] >= 0) close(out[1]);
    if (err[1] >= 0) close(err[1]);
    m_in = in[1];
    m_out = out[0];
    m_err = err[0];
}

ChildProcess::~ChildProcess() { Finish(); }

bool ChildProcess::Write(std::string_view text) {
    while (!text.empty()) {
        if (m_in < 0) return false;
        const ssize_t n = write(m_in, text.data(), text.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.remove_prefix(size_t(n));
    }
    return true;
}

std::string ChildProcess::ReadLine() {
    std::string line;
    char c;
    while (m_out >= 0 && read(m_out, &c, 1) == 1 && c != '\n') line += c;
    return line;
}

void ChildProcess::CloseInput() { CloseFd(m_in); }

void ChildProcess::CloseOutput() { CloseFd(m_out); }

int ChildProcess::Finish(std::string_view input) {
    if (input.empty()) CloseInput();
    // A child that stops reading must not kill the test with SIGPIPE.
    struct sigaction ignore {}, old {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &old);
    // The input is written and both output pipes are read together, so a
    // child that fills one of them while the test waits on another never
    // blocks.
    pollfd fds[3] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}, {m_in, POLLOUT, 0}};
    int open = (m_out >= 0) + (m_err >= 0);
    char buf[65536];
    while (open > 0 || fds[2].fd >= 0) {
        if (poll(fds, 3, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[2].fd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t n = write(m_in, input.data(), input.size());
            if (n > 0) input.remove_prefix(size_t(n));
            if ((n < 0 && errno != EINTR && errno != EAGAIN) || input.empty()) {
                CloseInput();
                fds[2].fd = -1;
            }
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                fds[i].fd = -1;
                --open;
            } else {
                (i == 0 ? out : err).append(buf, size_t(n));
            }
        }
    }
    CloseInput();
    sigaction(SIGPIPE, &old, nullptr);
    CloseFd(m_out);
    CloseFd(m_err);
    if (m_pid > 0) {
        int status = 0;
        while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        m_pid = -1;
    }
    return m_status;
}

}  // namespace orvane::test
