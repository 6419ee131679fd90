// Title registry and the claim of instance numbers, on real lock files in a
// private runtime folder and with the in-memory registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/fake_title_registry.h"
#include "platform/instance_claim.h"
#include "platform/lock_file_title_registry.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace orvane::test {
namespace {

using platform::ClaimInstanceNumber;
using platform::InstanceClaim;
using Outcome = platform::InstanceClaim::Outcome;

const std::string kBase = "/opt/orvane/bin/orvane    (Ver: 1.2.3.4)";

TEST(PlatformTitleRegistry, ATitleExistsExactlyWhileItIsHeld) {
    TempRuntimeDir dir;
    platform::LockFileTitleRegistry registry(dir.path());
    EXPECT_FALSE(registry.Exists("title"));
    {
        auto hold = registry.TryHold("title");
        ASSERT_TRUE(hold);
        EXPECT_EQ(hold->title(), "title");
        EXPECT_TRUE(registry.Exists("title"));
        EXPECT_FALSE(registry.Exists("title "));
        EXPECT_FALSE(registry.Exists("Title"));
        EXPECT_FALSE(registry.TryHold("title")) << "two holders of one title";
        // Another registry object over the same folder sees the same titles.
        platform::LockFileTitleRegistry other(dir.path());
        EXPECT_TRUE(other.Exists("title"));
    }
    EXPECT_FALSE(registry.Exists("title"));
    EXPECT_TRUE(registry.TryHold("title"));
}

// Two copies started together get 1 and 2; six more fill the numbers up to 8;
// a ninth is refused; a copy with another base title counts on its own; and a
// number is free again once its copy has ended.
TEST(PlatformInstanceClaim, ClaimsAcrossProcessesAreAtomicAndStopAtEight) {
    TempRuntimeDir dir;
    ChildProcess a({PLATFORM_HELPER, "claim", dir.path(), kBase});
    ChildProcess b({PLATFORM_HELPER, "claim", dir.path(), kBase});
    ASSERT_TRUE(a.started() && b.started());
    std::vector<std::string> got = {a.ReadLine(), b.ReadLine()};
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<std::string>{"claimed 1", "claimed 2"}));

    platform::LockFileTitleRegistry registry(dir.path());
    std::vector<InstanceClaim> mine;
    for (int n = 3; n <= 8; ++n) {
        mine.push_back(ClaimInstanceNumber(registry, kBase));
        EXPECT_EQ(mine.back().outcome, Outcome::Claimed);
        EXPECT_EQ(mine.back().number, n);
        EXPECT_EQ(mine.back().suffix, " (" + std::to_string(n) + ")");
    }
    EXPECT_TRUE(registry.Exists(kBase + " (8)"));

    ChildProcess ninth({PLATFORM_HELPER, "claim", dir.path(), kBase});
    EXPECT_EQ(ninth.ReadLine(), "refused 9");
    EXPECT_FALSE(registry.Exists(kBase + " (9)")) << "the refused copy must not take a title";

    ChildProcess otherVersion({PLATFORM_HELPER, "claim", dir.path(), "/opt/orvane/bin/orvane    (Ver: 1.2.3.5)"});
    EXPECT_EQ(otherVersion.ReadLine(), "claimed 1");

    a.Finish();
    b.Finish();
    InstanceClaim again = ClaimInstanceNumber(registry, kBase);
    EXPECT_EQ(again.outcome, Outcome::Claimed);
    EXPECT_EQ(again.number, 1);
}

TEST(PlatformInstanceClaim, TheFirstFreeNumberIsTaken) {
    struct Case {
        std::vector<int> taken;
        Outcome outcome;
        int number;
        const char* suffix;
    };
    const Case cases[] = {
        {{}, Outcome::Claimed, 1, " (1)"},
        {{1, 3}, Outcome::Claimed, 2, " (2)"},
        {{1, 2, 3, 4, 5, 6, 7, 8}, Outcome::Refused, 9, " (9)"},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9}, Outcome::NoNumber, 0, ""},
    };
    for (const Case& c : cases) {
        platform::FakeTitleRegistry registry;
        for (int n : c.taken) registry.MarkTaken(kBase + " (" + std::to_string(n) + ")");
        InstanceClaim claim = ClaimInstanceNumber(registry, kBase);
        EXPECT_EQ(claim.outcome, c.outcome) << c.number;
        EXPECT_EQ(claim.number, c.number);
        EXPECT_EQ(claim.suffix, c.suffix);
        EXPECT_EQ(claim.hold != nullptr, c.outcome == Outcome::Claimed);
        if (c.outcome == Outcome::Claimed) {
            EXPECT_TRUE(registry.Exists(kBase + claim.suffix));
            claim.hold.reset();
            EXPECT_FALSE(registry.Exists(kBase + claim.suffix));
        }
    }
}

}  // namespace
}  // namespace orvane::test
