// A runtime folder that cannot be used (a plain file, another user's folder,
// one open to everybody, a symbolic link) makes the claim "unregistered",
// naming the folder and the reason, and never "refused": only eight copies
// really running refuse a ninth.
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "platform/fake_title_registry.h"
#include "platform/instance_claim.h"
#include "platform/lock_file_title_registry.h"
#include "platform/runtime_dir.h"
#include "platform/shm_shared_block.h"
#include "tests/support/temp_dir.h"

namespace orvane::test {
namespace {

using platform::InstanceClaim;
using Outcome = platform::InstanceClaim::Outcome;

const std::string kBase = "/opt/orvane/bin/orvane    (Ver: 1.2.3.4)";

// Who can set the case up and see it.
enum class Who { Anyone, Root, NotRoot };

struct Spoil {
    const char* name;
    const char* reason;
    Who who;
    std::function<void(const std::string& dir, const std::string& parent)> make;
};

TEST(PlatformUnusableRuntimeDir, ClaimIsUnregisteredNotRefused) {
    const Spoil spoils[] = {
        {"plain file", "not a folder", Who::Anyone,
         [](const std::string& dir, const std::string&) { std::ofstream(dir) << "x"; }},
        {"open to everybody", "writable by other users", Who::Anyone,
         [](const std::string& dir, const std::string&) {
             ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
             ASSERT_EQ(chmod(dir.c_str(), 0777), 0);
         }},
        {"symbolic link to a folder", "not a folder", Who::Anyone,
         [](const std::string& dir, const std::string& parent) {
             ASSERT_EQ(mkdir((parent + "/elsewhere").c_str(), 0700), 0);
             ASSERT_EQ(symlink("elsewhere", dir.c_str()), 0);
         }},
        // Somebody else made the folder first (a squatted /tmp/orvane-<uid>).
        {"another user's folder", "owned by another user", Who::Root,
         [](const std::string& dir, const std::string&) {
             ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
             ASSERT_EQ(chown(dir.c_str(), 65534, 65534), 0);
         }},
        // Root may write anywhere, so this one only shows for other users.
        {"not writable", "not writable", Who::NotRoot,
         [](const std::string& dir, const std::string&) {
             ASSERT_EQ(mkdir(dir.c_str(), 0500), 0);
         }},
    };
    for (const Spoil& s : spoils) {
        SCOPED_TRACE(s.name);
        const bool root = geteuid() == 0;
        if ((s.who == Who::Root && !root) || (s.who == Who::NotRoot && root)) continue;
        TempRuntimeDir parent;
        const std::string dir = parent.path() + "/orvane";
        s.make(dir, parent.path());

        EXPECT_EQ(platform::RuntimeDirProblem(dir), s.reason);
        platform::LockFileTitleRegistry registry(dir);
        InstanceClaim claim = platform::ClaimInstanceNumber(registry, kBase);
        EXPECT_EQ(claim.outcome, Outcome::Unregistered);
        EXPECT_EQ(claim.number, 0);
        EXPECT_EQ(claim.suffix, "");
        EXPECT_EQ(claim.reason, dir + ": " + s.reason);
        EXPECT_EQ(claim.hold, nullptr);

        // The shared block keeps its locks there too, so it cannot open either.
        platform::SharedBlockOptions options;
        options.name = parent.block_name();
        options.runtime_dir = dir;
        EXPECT_EQ(platform::OpenSharedBlock(options).block, nullptr);
        chmod(dir.c_str(), 0700);  // let the clean-up in
    }
}

TEST(PlatformUnusableRuntimeDir, TheNinthCopyIsStillRefused) {
    platform::FakeTitleRegistry registry;
    for (int n = 1; n <= 8; ++n) registry.MarkTaken(kBase + platform::InstanceSuffix(n));
    EXPECT_EQ(platform::ClaimInstanceNumber(registry, kBase).outcome, Outcome::Refused);
    registry.SetUnusable("/run/user/1000/orvane: not a folder");
    InstanceClaim claim = platform::ClaimInstanceNumber(registry, kBase);
    EXPECT_EQ(claim.outcome, Outcome::Unregistered);
    EXPECT_EQ(claim.reason, "/run/user/1000/orvane: not a folder");
}

}  // namespace
}  // namespace orvane::test
