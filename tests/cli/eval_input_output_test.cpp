// orvane-eval as a whole process given input files that are no regular files,
// and writing to an output that fails: a full disk, a reader that went away.
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

extern char** environ;

namespace orvane::test {
namespace {

// Where the child's standard output goes.
enum class Output { Pipe, DevFull, ClosedPipe };

struct Result {
    int status = -1;      // exit status, or -1 when the child ended by a signal
    int signal = 0;       // the signal that ended it
    std::string out, err;
};

// Runs orvane-eval with `args`, standard input from `input`, and collects
// its output, error output and how it ended. `memoryLimit` (bytes, 0 for
// none) caps the child's address space.
Result Spawn(std::vector<std::string> args, Output output = Output::Pipe, const std::string& input = {},
             rlim_t memoryLimit = 0) {
    // A child that ends before reading all its input must not end the test.
    std::signal(SIGPIPE, SIG_IGN);
    args.insert(args.begin(), ORVANE_EVAL_EXE);
    int in[2], out[2], err[2];
    EXPECT_EQ(pipe2(in, O_CLOEXEC), 0);
    EXPECT_EQ(pipe2(out, O_CLOEXEC), 0);
    EXPECT_EQ(pipe2(err, O_CLOEXEC), 0);
    const int full = open("/dev/full", O_WRONLY | O_CLOEXEC);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        // Only async-signal-safe calls until the program runs.
        dup2(in[0], 0);
        dup2(output == Output::DevFull ? full : out[1], 1);
        dup2(err[1], 2);
        if (output == Output::ClosedPipe) close(out[0]);  // nobody will read
        std::signal(SIGPIPE, SIG_DFL);
        if (memoryLimit) {
            const rlimit limit{memoryLimit, memoryLimit};
            setrlimit(RLIMIT_AS, &limit);
        }
        execve(argv[0], argv.data(), environ);
        _exit(127);
    }
    EXPECT_GT(pid, 0);
    if (output == Output::ClosedPipe) close(out[0]), out[0] = -1;
    close(in[0]);
    close(out[1]);
    close(err[1]);
    close(full);

    Result r;
    std::thread feeder([fd = in[1], input] {
        size_t done = 0;
        while (done < input.size()) {
            const ssize_t n = write(fd, input.data() + done, input.size() - done);
            if (n <= 0) break;
            done += size_t(n);
        }
        close(fd);
    });
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    int open = (out[0] >= 0) + 1;
    char buf[4096];
    while (open > 0 && poll(fds, 2, -1) > 0) {
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            const ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n <= 0) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            } else {
                (i == 0 ? r.out : r.err).append(buf, size_t(n));
            }
        }
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    feeder.join();
    if (WIFEXITED(status)) r.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) r.signal = WTERMSIG(status);
    return r;
}

class TempFolder {
public:
    TempFolder() {
        char tmpl[] = "/tmp/orvane-cli-io-XXXXXX";
        if (mkdtemp(tmpl)) m_path = tmpl;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

int Lines(const std::string& text) { return int(std::count(text.begin(), text.end(), '\n')); }

TEST(OrvaneEvalInputFiles, OnlyRegularFilesOfAtMostOneGibibyteAreRead) {
    TempFolder dir;
    // A sparse file one byte over the limit, a FIFO, and a table file.
    const std::string big = dir.File("big.bin");
    const int fd = open(big.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, (off_t(1) << 30) + 1), 0);
    close(fd);
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* reason;  // part of the one-line message
    };
    const Case cases[] = {
        {"field from a folder", {"--field", "F=@" + dir.path()}, "is a folder"},
        {"field from /dev/zero", {"--field", "F=@/dev/zero"}, "is a character device"},
        {"field from a huge file", {"--field", "F=@" + big}, "is larger than 1 GiB"},
        {"field from a missing file", {"--field", "F=@" + dir.File("none")}, "cannot read"},
        {"table from /dev/zero", {"--ini", "/dev/zero"}, "is a character device"},
        {"table from a folder", {"--ini", dir.path()}, "is a folder"},
        {"table from a huge file", {"--ini", big}, "is larger than 1 GiB"},
        {"table from a FIFO", {"--ini", fifo}, "is a pipe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"--no-shared", "1+1"};
        args.insert(args.begin(), c.args.begin(), c.args.end());
        const Result r = Spawn(args);
        EXPECT_EQ(r.signal, 0);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(Lines(r.err), 1) << r.err;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
    }

    // A FIFO is read to its end for a field.
    std::thread writer([&] {
        const int w = open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
        if (w < 0) return;
        const std::string text = "AB CD\n";
        for (int i = 0; i < 3; ++i) EXPECT_EQ(write(w, text.data(), text.size()), ssize_t(text.size()));
        close(w);
    });
    const Result piped = Spawn({"--no-shared", "-t", "--field", "Cap=@" + fifo, "['Cap']"});
    writer.join();
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, "AB CD\nAB CD\nAB CD\n");
}

TEST(OrvaneEvalOutput, AFailedWriteEndsTheRunWithStatusOne) {
    // A full disk: the reason on standard error.
    const Result full = Spawn({"--no-shared", "1+1"}, Output::DevFull);
    EXPECT_EQ(full.signal, 0);
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "orvane-eval: cannot write the output: No space left on device\n");

    // Statements from standard input, each answer flushed before the next read.
    std::string many;
    for (int i = 0; i < 2000; ++i) many += "2*" + std::to_string(i) + "\n";
    const Result fullPipe = Spawn({"--no-shared"}, Output::DevFull, many);
    EXPECT_EQ(fullPipe.status, 1);
    EXPECT_EQ(Lines(fullPipe.err), 1) << fullPipe.err;

    // A reader that went away: quietly, without dying of SIGPIPE.
    for (const std::string& input : {std::string(), many}) {
        SCOPED_TRACE(input.empty() ? "arguments" : "standard input");
        const Result closed = Spawn(input.empty() ? std::vector<std::string>{"--no-shared", "1+1"}
                                                : std::vector<std::string>{"--no-shared"},
                                  Output::ClosedPipe, input);
        EXPECT_EQ(closed.signal, 0) << "ended by signal " << closed.signal;
        EXPECT_EQ(closed.status, 1);
        EXPECT_EQ(closed.err, "");
    }

    // The help text is a write like any other.
    const Result help = Spawn({"--help"}, Output::DevFull);
    EXPECT_EQ(help.status, 1);
    EXPECT_EQ(help.err, full.err);
}

std::string Repeat(const std::string& s, size_t n) {
    std::string out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i) out += s;
    return out;
}

// Pathological inputs of 2 MB each: every one is answered or rejected with
// its own error, within an address space of 512 MiB (a nesting that copied
// its text at each of its 200 levels would need more than that).
TEST(OrvaneEvalHugeInputs, AnsweredOrRejectedInBoundedMemory) {
    constexpr size_t kSize = 2u << 20;
#if defined(__SANITIZE_ADDRESS__)
    constexpr rlim_t kLimit = 0;  // the sanitizer's shadow memory needs the address space
#else
    constexpr rlim_t kLimit = rlim_t(512) << 20;
#endif
    const std::string kTooDeep = "raised(ELimitExceeded): Expression nested too deeply (more than 200 levels)\n";
    struct Case {
        const char* name;
        std::string input;
        const char* answer;
        std::string err;
    };
    const Case cases[] = {
        {"nested (", Repeat("(", kSize / 2) + "1" + Repeat(")", kSize / 2), "", kTooDeep},
        {"nested ( with blanks", Repeat("( ", kSize / 4) + "1" + Repeat(" )", kSize / 4), "", kTooDeep},
        {"nested calls", Repeat("ABS(", kSize / 5) + "1" + Repeat(")", kSize / 5), "", kTooDeep},
        {"nested X commands", Repeat("X1016(", kSize / 7) + "1" + Repeat(")", kSize / 7), "", kTooDeep},
        {"199 levels around a long sum", Repeat("(", 199) + Repeat("1+", kSize / 2) + "1" + Repeat(")", 199),
         "1048577", ""},
        {"long sum", Repeat("1+", kSize / 2) + "1", "1048577", ""},
        {"nested {", Repeat("{", kSize / 2) + "1" + Repeat("}", kSize / 2), "",
         "raised(ELimitExceeded): Brace groups keep expanding into new brace groups\n"},
        {"nested [", Repeat("[", kSize / 2) + "1" + Repeat("]", kSize / 2), "",
         "status[3]: unknow format Length:>" + std::to_string(kSize - 1) +
             "<\nstatus[3]: Variable convert error \n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result r = Spawn({"--no-shared"}, Output::Pipe, c.input + "\n", kLimit);
        EXPECT_EQ(r.signal, 0);
        EXPECT_EQ(r.status, c.err.rfind("raised", 0) == 0 ? 1 : 0);
        EXPECT_EQ(r.out, std::string(c.answer) + "\n");
        EXPECT_EQ(r.err, c.err);
    }
}

}  // namespace
}  // namespace orvane::test
