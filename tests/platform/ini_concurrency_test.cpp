// Settings files written by several copies at once, and the permission bits a
// private settings file has while its replacement is written.
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "tests/support/temp_dir.h"

namespace orvane::platform {
namespace {

using test::TempDir;

constexpr int kWritesPerProcess = 120;

// Writes keys "<prefix><n>" one at a time, each write its own
// read-modify-write of the whole file.
void WriteKeys(const std::string& path, const std::string& prefix) {
    IniFile ini(path);
    for (int n = 0; n < kWritesPerProcess; ++n)
        ini.WriteString("Keys", prefix + std::to_string(n), std::to_string(n));
}

TEST(IniFileConcurrency, TwoProcessesWritingOneFileLoseNoKey) {
    TempDir dir;
    const std::string path = dir.File("orvane.ini");
    ASSERT_TRUE(IniFile(path).WriteString("Styles", "Form Width", "800"));

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        WriteKeys(path, "child");
        _exit(0);
    }
    WriteKeys(path, "parent");
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const IniDocument doc = IniFile(path).Read();
    int missing = 0;
    for (const char* prefix : {"child", "parent"})
        for (int n = 0; n < kWritesPerProcess; ++n)
            if (doc.ReadString("Keys", prefix + std::to_string(n), "<missing>") != std::to_string(n))
                ++missing;
    EXPECT_EQ(missing, 0) << "keys lost between the two writers";
    EXPECT_EQ(doc.ReadString("Styles", "Form Width", ""), "800");
}

TEST(IniFileConcurrency, ReplacementOfAPrivateFileIsNeverReadableByOthers) {
    TempDir dir;
    const std::string path = dir.File("orvane.ini");
    ASSERT_TRUE(IniFile(path).WriteString("Table", "1-0", "Field_A"));
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    const mode_t oldMask = umask(022);

    // Watch the folder for the temporary file and look at its mode while the
    // large content is being written into it.
    const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, dir.path().c_str(), IN_CREATE), 0);
    std::atomic<bool> done{false};
    std::atomic<int> seen{0};
    std::atomic<unsigned> widest{0};
    std::thread watcher([&] {
        alignas(inotify_event) char buf[4096];
        while (!done) {
            pollfd p{watch, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0) continue;
            const ssize_t n = read(watch, buf, sizeof buf);
            for (ssize_t at = 0; at < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buf + at);
                at += ssize_t(sizeof(inotify_event) + e->len);
                if (e->len == 0 || std::string(e->name).find(".tmp") == std::string::npos) continue;
                struct stat st {};
                if (stat((dir.path() + "/" + e->name).c_str(), &st) != 0) continue;
                ++seen;
                widest = widest | unsigned(st.st_mode & 0777);
            }
        }
    });
    // A few rounds, in case a busy machine let one replacement pass unseen.
    bool wrote = true;
    for (int round = 0; round < 5 && wrote && seen == 0; ++round)
        wrote = IniFile(path).WriteString("Table", "1-1", std::string(32u << 20, char('a' + round)));
    done = true;
    watcher.join();
    close(watch);
    umask(oldMask);

    ASSERT_TRUE(wrote);
    EXPECT_GT(seen.load(), 0) << "the temporary file was never seen";
    EXPECT_EQ(widest.load(), 0600u) << "the new content was readable by others while written";
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

}  // namespace
}  // namespace orvane::platform
