// The shared block: creation, sharing between holders and processes, and its
// removal with the last holder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <fstream>

#include "platform/field_text.h"
#include "platform/shm_shared_block.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "variables/share_memory.h"

namespace orvane::test {
namespace {

using platform::OpenSharedBlock;
using platform::SharedBlockOptions;

class PlatformSharedBlock : public ::testing::Test {
protected:
    SharedBlockOptions Options() const {
        SharedBlockOptions o;
        o.name = dir.block_name();
        o.runtime_dir = dir.path();
        return o;
    }
    static bool AllZero(platform::SharedBlock& b) {
        const auto* p = static_cast<const unsigned char*>(b.data());
        for (std::size_t i = 0; i < b.size(); ++i)
            if (p[i] != 0) return false;
        return true;
    }

    TempRuntimeDir dir;
};

TEST_F(PlatformSharedBlock, HoldersShareOneZeroFilledBlockThatGoesWithTheLast) {
    auto first = OpenSharedBlock(Options());
    ASSERT_TRUE(first.block) << first.warning << ": " << first.detail;
    EXPECT_TRUE(first.warning.empty());
    ASSERT_EQ(first.block->size(), 23680u);
    EXPECT_TRUE(AllZero(*first.block));

    auto second = OpenSharedBlock(Options());
    ASSERT_TRUE(second.block);
    std::memcpy(first.block->data(), "hello", 6);
    EXPECT_STREQ(static_cast<const char*>(second.block->data()), "hello");

    first.block.reset();
    EXPECT_TRUE(dir.BlockExists()) << "removed while another holder still has it";
    EXPECT_STREQ(static_cast<const char*>(second.block->data()), "hello");
    second.block.reset();
    EXPECT_FALSE(dir.BlockExists());

    auto again = OpenSharedBlock(Options());
    ASSERT_TRUE(again.block);
    EXPECT_TRUE(AllZero(*again.block)) << "a new block must start empty";
}

TEST_F(PlatformSharedBlock, ABlockLeftByACrashedHolderIsReplacedByAnEmptyOne) {
    // What a holder that died without closing leaves: the object, no lock.
    int fd = shm_open(("/" + dir.block_name()).c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, 23680), 0);
    ASSERT_EQ(pwrite(fd, "stale", 5, 100), 5);
    close(fd);

    auto opened = OpenSharedBlock(Options());
    ASSERT_TRUE(opened.block);
    EXPECT_TRUE(AllZero(*opened.block));
}

TEST_F(PlatformSharedBlock, FailuresGiveTheWindowsWarningText) {
    SharedBlockOptions badName = Options();
    badName.name = "a/b";
    SharedBlockOptions badDir = Options();
    badDir.runtime_dir = dir.path() + "/not-a-folder";
    std::ofstream(badDir.runtime_dir) << "x";
    for (const SharedBlockOptions& o : {badName, badDir}) {
        auto r = OpenSharedBlock(o);
        EXPECT_FALSE(r.block);
        EXPECT_EQ(r.warning, "Could not create file map") << r.detail;
    }
    // The object can be sized (tmpfs files are sparse) but no address space
    // holds a view of 2^62 bytes.
    SharedBlockOptions tooBig = Options();
    tooBig.size = std::size_t(1) << 62;
    auto r = OpenSharedBlock(tooBig);
    EXPECT_FALSE(r.block);
    EXPECT_EQ(r.warning, "MapFilePointer is nil") << r.detail;
    EXPECT_FALSE(dir.BlockExists()) << "a failed open must not leave a block behind";
}

// A real second process: one copy writes a public text and keeps running; a
// later one reads it; when both have ended the block is gone.
TEST_F(PlatformSharedBlock, TwoProcessesSeeTheSameTextsAndTheBlockEndsWithThem) {
    ChildProcess writer({PLATFORM_HELPER, "hold-block", dir.block_name(), dir.path(), "7", "shared text"});
    ASSERT_TRUE(writer.started());
    ASSERT_EQ(writer.ReadLine(), "ready");

    {
        ChildProcess reader({PLATFORM_HELPER, "read-block", dir.block_name(), dir.path(), "7"});
        ASSERT_TRUE(reader.started());
        EXPECT_EQ(reader.ReadLine(), "text:shared text");
        EXPECT_EQ(reader.Finish(), 0);
    }
    EXPECT_TRUE(dir.BlockExists()) << "the writer still holds it";

    writer.CloseInput();
    EXPECT_EQ(writer.Finish(), 0);
    EXPECT_FALSE(dir.BlockExists());
}

TEST(PlatformFieldText, ReadsStopAtZeroOrFieldEndAndWritesStayInside) {
    struct Read {
        std::string bytes;  // the whole field
        std::string text;
    };
    const Read reads[] = {
        {std::string("abc\0zzzz", 8), "abc"},
        {std::string("\0abcdefg", 8), ""},
        {"abcdefgh", "abcdefgh"},  // no zero byte: the whole field, nothing after it
    };
    for (const Read& r : reads) {
        std::string memory = r.bytes + "TAIL";  // what follows the field
        EXPECT_EQ(platform::ReadFieldText(memory.data(), r.bytes.size()), r.text);
    }

    struct Write {
        std::string text;
        std::string field;  // field of 8 bytes, prefilled with 'x'
    };
    const Write writes[] = {
        {"abc", std::string("abc\0xxxx", 8)},
        {"", std::string("\0xxxxxxx", 8)},
        {"abcdefgh", "abcdefgh"},     // exactly full: no room for the zero
        {"abcdefghijk", "abcdefgh"},  // cut to the field
    };
    for (const Write& w : writes) {
        std::string memory(12, 'x');
        platform::WriteFieldText(memory.data(), 8, w.text);
        EXPECT_EQ(memory.substr(0, 8), w.field) << w.text;
        EXPECT_EQ(memory.substr(8), "xxxx") << "wrote past the field";
    }
}

}  // namespace
}  // namespace orvane::test
