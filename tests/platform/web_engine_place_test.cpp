#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>
#include <string>

#include "platform/web_engine_flags.h"
#include "platform/web_profile_place.h"
#include "tests/support/env_scope.h"
#include "tests/support/temp_dir.h"

namespace orvane::platform {
namespace {

using test::EnvScope;

TEST(ChromiumFlags, AppendsTheQuietSwitchesToTheUsersOwn) {
    const std::string quiet =
        "--disable-background-networking --disable-component-update --disable-domain-reliability "
        "--no-pings";
    struct Row {
        const char* name;
        const char* existing;
        bool root;
        std::string flags;
    } rows[] = {
        {"None", "", false, quiet},
        {"Root", "", true, quiet + " --no-sandbox"},
        {"UsersFirst", "--lang=de  ", false, "--lang=de " + quiet},
        {"NoDuplicate", "--no-sandbox --no-pings", true,
         "--no-sandbox --no-pings --disable-background-networking --disable-component-update "
         "--disable-domain-reliability"},
        {"ValueCountsAsPresent", "--disable-component-update=1", false,
         "--disable-component-update=1 --disable-background-networking --disable-domain-reliability "
         "--no-pings"},
    };
    for (const Row& r : rows) EXPECT_EQ(ChromiumFlags(r.existing, r.root), r.flags) << r.name;
}

TEST(WebProfilePlace, UserDataDirFollowsXdgThenHome) {
    {
        EnvScope xdg("XDG_DATA_HOME", "/x/data");
        EnvScope home("HOME", "/h");
        EXPECT_EQ(UserDataDir(), "/x/data/orvane");
    }
    {
        EnvScope xdg("XDG_DATA_HOME", "relative");
        EnvScope home("HOME", "/h");
        EXPECT_EQ(UserDataDir(), "/h/.local/share/orvane");
    }
    EnvScope xdg("XDG_DATA_HOME", nullptr);
    EnvScope home("HOME", nullptr);
    EXPECT_EQ(UserDataDir(), "");
}

TEST(WebProfilePlace, OneHolderAtATime) {
    test::TempDir dir;
    const std::string data = dir.File("a/orvane");
    std::optional<WebProfileClaim> first(std::in_place, data);
    ASSERT_TRUE(first->Held()) << first->Reason();
    EXPECT_EQ(first->StoragePath(), data + "/web-profile/storage");
    EXPECT_EQ(first->CachePath(), data + "/web-profile/cache");
    struct stat st;
    ASSERT_EQ(::stat((data + "/web-profile").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    WebProfileClaim second(data);
    EXPECT_FALSE(second.Held());
    EXPECT_TRUE(second.StoragePath().empty());
    EXPECT_NE(second.Reason().find("in use by another process"), std::string::npos);

    first.reset();
    WebProfileClaim third(data);
    EXPECT_TRUE(third.Held());

    WebProfileClaim none("");
    EXPECT_FALSE(none.Held());
    EXPECT_FALSE(none.Reason().empty());
    test::WriteBytes(dir.File("file"), "x");
    WebProfileClaim blocked(dir.File("file"));  // a file where the folder should be
    EXPECT_FALSE(blocked.Held());
    EXPECT_NE(blocked.Reason().find("cannot create"), std::string::npos);
}

}  // namespace
}  // namespace orvane::platform
