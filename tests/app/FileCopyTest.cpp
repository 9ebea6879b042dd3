// Copying the viewed file: a new copy, replacing an old one, and failures
// that leave the old target whole and nothing behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "TempDir.h"
#include "app/core/FileCopy.h"

namespace {

size_t EntriesIn(const std::string& dir)
{
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir))
        ++n;
    return n;
}

TEST(FileCopyTest, CopiesAndReplacesKeepingModeAndTime)
{
    TempDir dir;
    const std::string source = dir.Write("photo.jpg", std::string(3 << 20, 'p') + "end");
    ::chmod(source.c_str(), 0640);
    const struct timespec times[2] = {{1000000000, 0}, {1100000000, 0}};
    ::utimensat(AT_FDCWD, source.c_str(), times, 0);
    dir.Write("out/photo.jpg", "old copy");

    std::string error;
    ASSERT_TRUE(CopyFileReplacing(source, dir.path() + "out/photo.jpg", error)) << error;
    EXPECT_EQ(dir.Read("out/photo.jpg"), dir.Read("photo.jpg"));
    struct stat st{};
    ASSERT_EQ(::stat((dir.path() + "out/photo.jpg").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(st.st_mtim.tv_sec, 1100000000);
    EXPECT_EQ(EntriesIn(dir.path() + "out"), 1u);  // no temporary file left

    ASSERT_TRUE(CopyFileReplacing(source, dir.path() + "new.jpg", error)) << error;
    EXPECT_EQ(dir.Read("new.jpg").size(), (3u << 20) + 3);
}

TEST(FileCopyTest, ALinkedTargetIsReplacedThroughTheLink)
{
    TempDir dir;
    const std::string source = dir.Write("a.txt", "new text");
    dir.Write("real.txt", "old text");
    std::filesystem::create_symlink(dir.path() + "real.txt", dir.path() + "link.txt");
    std::string error;
    ASSERT_TRUE(CopyFileReplacing(source, dir.path() + "link.txt", error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() + "link.txt"));
    EXPECT_EQ(dir.Read("real.txt"), "new text");
}

TEST(FileCopyTest, FailuresLeaveTheOldTargetAndNoTemporaryFile)
{
    TempDir dir;
    const std::string source = dir.Write("a.txt", "new text");
    dir.Write("out/a.txt", "old text");
    std::filesystem::create_directories(dir.path() + "folder");
    std::string error;

    EXPECT_FALSE(CopyFileReplacing(source, source, error));
    EXPECT_EQ(error, "the target is the file being copied");
    EXPECT_EQ(dir.Read("a.txt"), "new text");

    EXPECT_FALSE(CopyFileReplacing(source, dir.path() + "folder", error));
    EXPECT_EQ(error, "the target is a folder");

    EXPECT_FALSE(CopyFileReplacing(dir.path() + "missing.txt", dir.path() + "out/a.txt", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(dir.Read("out/a.txt"), "old text");

    EXPECT_FALSE(CopyFileReplacing(source, dir.path() + "no/such/folder/a.txt", error));
    EXPECT_FALSE(error.empty());

    EXPECT_EQ(EntriesIn(dir.path() + "out"), 1u);
}

// A copy that breaks off half-way (here: the file size limit, as a full
// disk would) leaves the old target as it was.
TEST(FileCopyTest, ACopyCutShortLeavesTheOldTarget)
{
    TempDir dir;
    const std::string source = dir.Write("big.bin", std::string(3 << 20, 'b'));
    dir.Write("out/big.bin", "old copy");

    struct rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1 << 20;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool copied = CopyFileReplacing(source, dir.path() + "out/big.bin", error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(copied);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(dir.Read("out/big.bin"), "old copy");
    EXPECT_EQ(EntriesIn(dir.path() + "out"), 1u);
}

}  // namespace
