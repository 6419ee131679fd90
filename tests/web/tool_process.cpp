#include "tool_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace orvane::test {

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

std::string ReadFd(int fd) {
    std::string text;
    ::lseek(fd, 0, SEEK_SET);
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0) text.append(buf, size_t(n));
    return text;
}

}  // namespace

std::vector<std::string> ToolRun::OutLines() const { return Lines(out); }
std::vector<std::string> ToolRun::ErrLines() const { return Lines(err); }

ToolRun RunProcess(const std::vector<std::string>& args, const ToolEnv& env) {
    ToolRun run;
    std::vector<std::string> full;
    if (!env.user.empty())
        full = {"/usr/bin/setpriv", "--reuid=" + env.user, "--regid=nogroup", "--clear-groups", "--"};
    full.insert(full.end(), args.begin(), args.end());

    std::vector<std::string> vars = env.vars;
    if (const char* path = std::getenv("PATH")) vars.push_back(std::string("PATH=") + path);

    char outName[] = "/tmp/orvane-tool-out-XXXXXX";
    char errName[] = "/tmp/orvane-tool-err-XXXXXX";
    int outFd = ::mkstemp(outName);
    int errFd = ::mkstemp(errName);
    ::unlink(outName);
    ::unlink(errName);
    if (outFd < 0 || errFd < 0) return run;

    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        int devnull = ::open("/dev/null", O_RDONLY);
        if (devnull >= 0) ::dup2(devnull, 0);
        if (!env.cwd.empty() && ::chdir(env.cwd.c_str()) != 0) ::_exit(127);
        std::vector<char*> argv, envp;
        for (std::string& a : full) argv.push_back(a.data());
        argv.push_back(nullptr);
        for (std::string& v : vars) envp.push_back(v.data());
        envp.push_back(nullptr);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    if (pid > 0) {
        int wstatus = 0;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        for (;;) {
            pid_t r = ::waitpid(pid, &wstatus, WNOHANG);
            if (r == pid) break;
            if (r < 0 && errno != EINTR) break;
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &wstatus, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
    }
    run.out = ReadFd(outFd);
    run.err = ReadFd(errFd);
    ::close(outFd);
    ::close(errFd);
    return run;
}

}  // namespace orvane::test
