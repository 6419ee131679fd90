#include "platform/settings_path.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/env_scope.h"
#include "tests/support/temp_dir.h"

namespace orvane::platform {
namespace {

using test::EnvScope;
using test::TempDir;

TEST(SettingsPath, ChangeFileExt) {
    struct Row {
        const char* path;
        const char* expected;
    } rows[] = {
        {"/opt/orvane/orvane", "/opt/orvane/orvane.ini"},
        {"/opt/orvane/orvane.exe", "/opt/orvane/orvane.ini"},
        {"/opt/my.dir/orvane", "/opt/my.dir/orvane.ini"},
        {"/opt/.hidden", "/opt/.hidden.ini"},
        {"orvane-eval", "orvane-eval.ini"},
        {"a.b.c", "a.b.ini"},
    };
    for (const Row& r : rows) EXPECT_EQ(ChangeFileExt(r.path, ".ini"), r.expected) << r.path;
}

TEST(SettingsPath, BesideTheProgramWhenItsFolderIsWritable) {
    TempDir program, config;
    EXPECT_EQ(SettingsFilePath(program.File("orvane"), config.File("orvane")), program.File("orvane.ini"));
    EXPECT_TRUE(config.Entries().empty());  // the fallback is not created when unused
}

TEST(SettingsPath, UserConfigFolderWhenTheProgramFolderIsNotWritable) {
    TempDir config;
    // A folder that cannot take files (it does not exist; permission bits do
    // not stop root, who may run the tests).
    const std::string fallback = config.File("xdg/orvane");
    EXPECT_EQ(SettingsFilePath("/nonexistent-orvane-dir/orvane", fallback), fallback + "/orvane.ini");
    struct stat st;
    ASSERT_EQ(stat(fallback.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(SettingsPath, UserConfigDirFollowsXdg) {
    EnvScope home("HOME", "/home/tester");
    {
        EnvScope xdg("XDG_CONFIG_HOME", "/xdg/config");
        EXPECT_EQ(UserConfigDir(), "/xdg/config/orvane");
    }
    {
        EnvScope xdg("XDG_CONFIG_HOME", "relative/config");  // not absolute: ignored
        EXPECT_EQ(UserConfigDir(), "/home/tester/.config/orvane");
    }
    EnvScope xdg("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(UserConfigDir(), "/home/tester/.config/orvane");
}

TEST(SettingsPath, RunningProgram) {
    std::string self = ProgramFilePath();
    ASSERT_FALSE(self.empty());
    EXPECT_EQ(self.substr(self.rfind('/') + 1), "platform_tests");
}

}  // namespace
}  // namespace orvane::platform
