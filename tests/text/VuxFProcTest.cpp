#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "text/core/VuxFProc.h"

namespace fs = std::filesystem;

class FileRoutines : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("peekwell_fproc_" + std::to_string(::getpid()));
        fs::create_directories(dir_ / "sub.dir");
        std::ofstream(dir_ / "five.txt", std::ios::binary) << "12345";
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string P(const char* name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

TEST_F(FileRoutines, ExistenceAndOpening)
{
    bool isDir = true;
    EXPECT_TRUE(PathExists(P("five.txt"), &isDir));
    EXPECT_FALSE(isDir);
    EXPECT_TRUE(PathExists(P("sub.dir"), &isDir));
    EXPECT_TRUE(isDir);
    EXPECT_FALSE(PathExists(P("missing"), &isDir));
    EXPECT_FALSE(isDir);
    EXPECT_FALSE(PathExists(""));

    EXPECT_TRUE(RegularFileExists(P("five.txt")));
    EXPECT_FALSE(RegularFileExists(P("sub.dir")));
    EXPECT_TRUE(CanOpenFile(P("five.txt")));
    EXPECT_FALSE(CanOpenFile(P("sub.dir")));
    EXPECT_FALSE(CanOpenFile(P("missing")));

    TVuFileHandle h = OpenForReading(P("five.txt"));
    ASSERT_TRUE(h.Valid());
    EXPECT_EQ(HandleFileSize(h), 5);
    TVuFileHandle moved = std::move(h);
    EXPECT_FALSE(h.Valid());
    EXPECT_EQ(HandleFileSize(moved), 5);
    EXPECT_EQ(HandleFileSize(TVuFileHandle()), -1);

    EXPECT_EQ(AnsiNameOf(P("five.txt")), P("five.txt"));
    EXPECT_EQ(AnsiNameOf(P("missing")), "");
}

TEST_F(FileRoutines, SizeTimeAndNames)
{
    int64_t size = -1, time = -1;
    ASSERT_TRUE(FileSizeAndTime(P("five.txt"), size, time));
    EXPECT_EQ(size, 5);
    EXPECT_GT(time, 0);
    EXPECT_FALSE(FileSizeAndTime(P("missing"), size, time));
    EXPECT_EQ(size, 0);
    EXPECT_EQ(time, 0);

    EXPECT_EQ(ShortPathOf("/a/b"), "/a/b");
    EXPECT_EQ(FullPathOf(""), "");
    EXPECT_EQ(FullPathOf("/a/./b/../c"), "/a/c");
    EXPECT_EQ(FullPathOf("x.txt"), (fs::current_path() / "x.txt").string());
}
