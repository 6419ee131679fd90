// A real shared block cut short by another process while a session uses it:
// the session must treat it as missing memory instead of dying of SIGBUS.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"
#include "tools/share_memory_open.h"
#include "variables/instance_slots.h"
#include "variables/variable_access.h"
#include "variables/variable_session.h"

namespace orvane::test {
namespace {

// Sets the size of the named shared-memory object as another process would.
void ResizeObject(const std::string& name, off_t size) {
    const int fd = shm_open(("/" + name).c_str(), O_RDWR, 0);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(ftruncate(fd, size), 0);
    close(fd);
}

TEST(ShareMemoryOpen, ABlockTruncatedUnderTheSessionCountsAsMissing) {
    CLocaleScope locale;
    TempRuntimeDir dir;
    platform::SharedBlockOptions options;
    options.name = dir.block_name();
    options.runtime_dir = dir.path();
    RecordingHost host;
    VariableSession session(host, OpenShareMemory(host, options), 1);
    ASSERT_NE(session.MapFilePointer(), nullptr);
    session.Assign_variable_Single("KOR_G_S_MEM3", "before", true);
    ASSERT_TRUE(host.messages.empty());

    for (off_t cut : {off_t(0), off_t(4096)}) {
        SCOPED_TRACE(cut);
        ResizeObject(dir.block_name(), cut);
        EXPECT_EQ(session.MapFilePointer(), nullptr);
        bool found = true;
        EXPECT_EQ(STR_Varable_Get(session, "KOR_G_S_MEM3", found), "");
        session.Assign_variable_Single("KOR_G_S_MEM3", "after", true);
        EXPECT_EQ(KorCount(session.MapFilePointer()), 0);
        std::vector<std::string> boxes;
        for (const auto& m : host.messages)
            if (m.box) boxes.push_back(m.text);
        host.messages.clear();
        EXPECT_EQ(boxes, (std::vector<std::string>{"No such global memory in system!",
                                                    "No such global memory in system! can't assign"}));
    }

    // Grown back to its size, the block is usable again (its lost pages read as zeros).
    ResizeObject(dir.block_name(), off_t(sizeof(Share_Memory)));
    ASSERT_NE(session.MapFilePointer(), nullptr);
    session.Assign_variable_Single("KOR_G_S_MEM3", "again", true);
    bool found = false;
    EXPECT_EQ(STR_Varable_Get(session, "KOR_G_S_MEM3", found), "again");
}

}  // namespace
}  // namespace orvane::test
