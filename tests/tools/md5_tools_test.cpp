#include "tools/md5_tools.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <thread>

#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"

namespace orvane {
namespace {

using test::RecordingHost;
using test::TempDir;
using test::WriteBytes;

// The RFC 1321 test suite.
TEST(Md5, KnownDigests) {
    struct Row {
        const char* text;
        const char* digest;
    } rows[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"},
        {"a", "0CC175B9C0F1B6A831C399E269772661"},
        {"abc", "900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "D174AB98D277D9F5A5611C2C9F419D9F"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
    };
    Md5Hasher md5;
    for (const Row& r : rows) EXPECT_EQ(md5.MD5_Str(r.text), r.digest) << r.text;
    EXPECT_EQ(md5.MD5_Str(std::string("a\0b", 3)), md5.MD5_Str(std::string("a\0b", 3)));
    EXPECT_NE(md5.MD5_Str(std::string("a\0b", 3)), md5.MD5_Str("a"));
}

// A file's digest is the digest of its bytes, whatever its size relative to
// the read chunk.
TEST(Md5, FileDigestsEqualTextDigests) {
    TempDir dir;
    RecordingHost host;
    Md5Hasher md5;
    for (size_t size : {size_t(0), size_t(1), Md5Hasher::kChunkSize - 1, Md5Hasher::kChunkSize,
                        Md5Hasher::kChunkSize + 1, 2 * Md5Hasher::kChunkSize, size_t(100000)}) {
        std::string data(size, '\0');
        for (size_t i = 0; i < size; ++i) data[i] = char((i * 131) ^ (i >> 8));
        const std::string path = dir.File("f" + std::to_string(size));
        WriteBytes(path, data);
        EXPECT_EQ(md5.MD5_file(path, host), md5.MD5_Str(data)) << size;
    }
    WriteBytes(dir.File("abc"), "abc");
    EXPECT_EQ(md5.MD5_file(dir.File("abc"), host), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_TRUE(host.messages.empty());
}

TEST(Md5, FileFailuresShowTheirMessage) {
    TempDir dir;
    struct Row {
        std::string path;
        const char* message;
    } rows[] = {
        {dir.File("missing"), "File not Exist"},
        {dir.path(), "File not Exist"},  // a folder is no file
        {"", "File not Exist"},
        // Opens, then every read fails.
        {"/proc/self/mem", "An error occurred while reading the file"},
    };
    Md5Hasher md5;
    for (const Row& r : rows) {
        RecordingHost host;
        EXPECT_EQ(md5.MD5_file(r.path, host), "") << r.path;
        ASSERT_EQ(host.messages.size(), 1u) << r.path;
        EXPECT_TRUE(host.messages[0].box);
        EXPECT_EQ(host.messages[0].icon, MsgIcon::Error);
        EXPECT_EQ(host.messages[0].text, r.message);
        // A digest after a failed one starts afresh.
        EXPECT_EQ(md5.MD5_Str("abc"), "900150983CD24FB0D6963F7D28E17F72");
    }
}

// A pipe hands its data over in pieces smaller than a chunk; the digest must
// still cover all of it.
TEST(Md5, ShortReadsAreNotTheEnd) {
    TempDir dir;
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string data;
    for (int i = 0; i < 40000; ++i) data += char('A' + i % 26);
    auto oldPipeHandler = std::signal(SIGPIPE, SIG_IGN);
    std::thread writer([&] {
        int fd = open(fifo.c_str(), O_WRONLY);
        for (size_t off = 0; off < data.size(); off += 1000) {
            size_t n = std::min<size_t>(1000, data.size() - off);
            if (write(fd, data.data() + off, n) != ssize_t(n)) break;
            // Hand over the next piece only once the reader has taken this
            // one, so that every read it makes is short; stop when it has
            // gone away.
            int pending = 0;
            while (ioctl(fd, FIONREAD, &pending) == 0 && pending > 0) {
                pollfd p{fd, POLLOUT, 0};
                if (poll(&p, 1, 0) > 0 && (p.revents & POLLERR)) break;
                std::this_thread::yield();
            }
        }
        close(fd);
    });
    RecordingHost host;
    Md5Hasher md5;
    std::string digest = md5.MD5_file(fifo, host);
    writer.join();
    std::signal(SIGPIPE, oldPipeHandler);
    EXPECT_EQ(digest, md5.MD5_Str(data));
}

}  // namespace
}  // namespace orvane
