// Files that appear only when complete.
#include "platform/partial_file.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/temp_dir.h"

namespace orvane::platform {
namespace {

TEST(PartialFile, AppearsOnlyOnCommit) {
    test::TempDir dir;
    const std::string path = dir.File("offer.zip");
    std::string error;
    test::WriteBytes(path, "old");
    {
        PartialFile f;
        ASSERT_TRUE(f.Open(path, error)) << error;
        ASSERT_TRUE(f.Write("new ", error));
        ASSERT_TRUE(f.Write("data", error));
        EXPECT_EQ(dir.Entries().size(), 2u);  // the old file and the hidden temporary one
        EXPECT_EQ(test::ReadBytes(path), "old");
        ASSERT_TRUE(f.Commit(error)) << error;
    }
    EXPECT_EQ(test::ReadBytes(path), "new data");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"offer.zip"});

    // Without Commit (discarded, or simply destroyed) nothing changes.
    for (bool discard : {true, false}) {
        auto f = std::make_unique<PartialFile>();
        ASSERT_TRUE(f->Open(path, error));
        ASSERT_TRUE(f->Write("half", error));
        if (discard)
            f->Discard();
        else
            f.reset();
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"offer.zip"}) << discard;
        EXPECT_EQ(test::ReadBytes(path), "new data") << discard;
    }
}

TEST(PartialFile, RefusesWhatCannotBeWritten) {
    test::TempDir dir;
    std::string error;
    PartialFile f;
    EXPECT_FALSE(f.Open(dir.File("missing folder/x"), error));
    EXPECT_EQ(error.rfind("Cannot create a file in", 0), 0u) << error;
    EXPECT_FALSE(f.Open(dir.path(), error));  // a folder
    EXPECT_FALSE(f.Open(dir.path() + "/", error));
    EXPECT_FALSE(f.Write("x", error));
    EXPECT_FALSE(f.Commit(error));
    EXPECT_TRUE(dir.Entries().empty());
}

}  // namespace
}  // namespace orvane::platform
