// Sessions over the real shared block, opened the way the window and
// orvane-eval open it.
#include "tools/share_memory_open.h"

#include <gtest/gtest.h>

#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"
#include "variables/variable_access.h"
#include "variables/variable_session.h"

namespace orvane::test {
namespace {

TEST(ShareMemoryOpen, TwoSessionsOpeningTheBlockShareItsTexts) {
    CLocaleScope locale;
    TempRuntimeDir dir;
    platform::SharedBlockOptions options;
    options.name = dir.block_name();
    options.runtime_dir = dir.path();
    RecordingHost host1, host2;
    {
        VariableSession one(host1, OpenShareMemory(host1, options), 1);
        VariableSession two(host2, OpenShareMemory(host2, options), 2);
        ASSERT_NE(one.MapFilePointer(), nullptr);
        ASSERT_NE(two.MapFilePointer(), nullptr);
        EXPECT_NE(one.MapFilePointer(), two.MapFilePointer()) << "two separate views expected";

        one.Assign_variable_Single("KOR_G_S_MEM12", "from one", true);
        one.Assign_variable_Single("KOR_P_S_MEM", "private one", true);
        bool found = false;
        EXPECT_EQ(STR_Varable_Get(two, "KOR_G_S_MEM12", found), "from one");
        EXPECT_EQ(STR_Varable_Get(two, "KOR_P_S_MEM1", found), "private one");
        EXPECT_TRUE(host1.messages.empty());
        EXPECT_TRUE(host2.messages.empty());
    }
    EXPECT_FALSE(dir.BlockExists());
}

TEST(ShareMemoryOpen, AFailedOpenShowsTheWarning) {
    RecordingHost host;
    platform::SharedBlockOptions options;
    options.name = "bad/name";
    EXPECT_EQ(OpenShareMemory(host, options), nullptr);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].box);
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(host.messages[0].text, "Could not create file map");
}

}  // namespace
}  // namespace orvane::test
