#include "binhex/core/VuFileNotification.h"

#include "binhex/FileNotificationTestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <ostream>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

using namespace filenotif_test;
using namespace std::chrono_literals;

namespace {

// The filters the text view watches its file with.
const uint32_t kViewMask = FileNotifyMask({foNotifyFilename, foNotifySize, foNotifyLastWrite});

TDirThreadSettings FileSettings(const std::string& fileName, uint32_t mask = kViewMask)
{
    TDirThreadSettings s;
    s.FileName = fileName;
    s.Mask = mask;
    return s;
}

TDirThreadSettings FolderSettings(const std::string& folder, uint32_t mask, bool subtree)
{
    TDirThreadSettings s;
    s.Directory = folder;
    s.Mask = mask;
    s.Subtree = subtree;
    return s;
}

int OpenDescriptors()
{
    int n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

}  // namespace

TEST(FileNotificationMask, SumsTheFiltersOfTheOptions)
{
    EXPECT_EQ(FileNotifyMask({foNotifyFilename, foNotifyDirname, foNotifyLastWrite}), 0x13u);
    EXPECT_EQ(FileNotifyMask({foNotifyFilename, foNotifyDirname, foNotifyAttributes, foNotifySize, foNotifyLastWrite,
                  foNotifyLastAccess, foNotifyCreation, foNotifySecurity}),
        0x17Fu);
    EXPECT_EQ(FileNotifyMask({}), 0u);
}

TEST(FileNotificationSnapshot, WatchedFolderOfAFile)
{
    EXPECT_EQ(WatchedFolderOf("/home/u/log.txt"), "/home/u");
    EXPECT_EQ(WatchedFolderOf("/log.txt"), "/");
    EXPECT_EQ(WatchedFolderOf("log.txt"), ".");
}

// Which differences count as a change under which filters.
TEST(FileNotificationSnapshot, ComparedByTheMask)
{
    FileSnapshot base;
    base.Exists = true;
    base.Size = 10;
    base.Attributes = 0100644;
    base.LastWriteTime = 1000;
    base.CreationTime = 500;
    base.LastAccessTime = 2000;
    base.Device = 1;
    base.Inode = 42;

    struct Row {
        const char* what;
        std::function<void(FileSnapshot&)> change;
        uint32_t mask;
        bool changed;
    };
    const std::vector<Row> rows = {
        {"nothing differs", [](FileSnapshot&) {}, 0x17F, false},
        {"deleted, whatever the mask", [](FileSnapshot& s) { s = FileSnapshot{}; }, 0, true},
        {"size under size", [](FileSnapshot& s) { s.Size = 11; }, kNotifyChangeSize, true},
        {"size under last write only", [](FileSnapshot& s) { s.Size = 11; }, kNotifyChangeLastWrite, false},
        {"write time under last write", [](FileSnapshot& s) { s.LastWriteTime++; }, kNotifyChangeLastWrite, true},
        {"write time under size only", [](FileSnapshot& s) { s.LastWriteTime++; }, kNotifyChangeSize, false},
        {"access time under last access", [](FileSnapshot& s) { s.LastAccessTime++; }, kNotifyChangeLastAccess, true},
        {"access time under the view's filters", [](FileSnapshot& s) { s.LastAccessTime++; }, kViewMask, false},
        {"permissions under attributes", [](FileSnapshot& s) { s.Attributes = 0100600; }, kNotifyChangeAttributes, true},
        {"permissions under the view's filters", [](FileSnapshot& s) { s.Attributes = 0100600; }, kViewMask, false},
        {"birth time under creation", [](FileSnapshot& s) { s.CreationTime++; }, kNotifyChangeCreation, true},
        {"another file under the name", [](FileSnapshot& s) { s.Inode = 43; }, kNotifyChangeFileName, true},
        {"another file under size only", [](FileSnapshot& s) { s.Inode = 43; }, kNotifyChangeSize, false},
    };
    for (const Row& row : rows) {
        FileSnapshot now = base;
        row.change(now);
        EXPECT_EQ(FileSnapshotChanged(base, now, row.mask), row.changed) << row.what;
    }
}

TEST(FileNotificationSnapshot, TakenFromTheFile)
{
    ScratchDir dir;
    EXPECT_FALSE(TakeFileSnapshot(dir / "missing").Exists);
    WriteFile(dir / "a", "12345");
    const FileSnapshot s = TakeFileSnapshot(dir / "a");
    EXPECT_TRUE(s.Exists);
    EXPECT_EQ(s.Size, 5);
    EXPECT_NE(s.Inode, 0u);
    EXPECT_NE(s.LastWriteTime, 0);
}

// In file mode the thread wakes for every file of the folder, but only a
// change of the watched file's snapshot is raised.
TEST(FileNotificationThread, AnotherFileInTheFolderRaisesNothing)
{
    ScratchDir dir;
    WriteFile(dir / "watched.log", "first\n");
    WriteFile(dir / "other.txt", "x");
    CallCounter changes;
    TDirThread thread(FileSettings(dir / "watched.log"), std::ref(changes));
    ASSERT_TRUE(thread.Active());

    WriteFile(dir / "other.txt", "more", true);
    WriteFile(dir / "new.txt", "new");
    ::utimensat(AT_FDCWD, (dir / "other.txt").c_str(), nullptr, 0);
    std::rename((dir / "new.txt").c_str(), (dir / "renamed.txt").c_str());
    std::remove((dir / "renamed.txt").c_str());
    std::filesystem::create_directory(dir / "sub");
    std::this_thread::sleep_for(kQuietPeriod);
    EXPECT_EQ(changes.Count(), 0);

    // The watch is alive: the watched file itself still raises.
    WriteFile(dir / "watched.log", "second\n", true);
    EXPECT_TRUE(changes.WaitFor(1));
}

// Each way the watched file can change under a viewer raises a change.
struct FileChange {
    const char* name;
    std::function<void(const ScratchDir&, const std::string& file)> apply;
};

void PrintTo(const FileChange& change, std::ostream* os)
{
    *os << change.name;
}

class FileNotificationChange : public ::testing::TestWithParam<FileChange> {};

TEST_P(FileNotificationChange, Raises)
{
    ScratchDir dir;
    const std::string file = dir / "sub/watched.txt";
    std::filesystem::create_directory(dir / "sub");
    WriteFile(file, "0123456789");
    CallCounter changes;
    TDirThread thread(FileSettings(file), std::ref(changes));
    ASSERT_TRUE(thread.Active());
    GetParam().apply(dir, file);
    EXPECT_TRUE(changes.WaitFor(1)) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Ways, FileNotificationChange,
    ::testing::Values(
        FileChange{"Appended", [](const ScratchDir&, const std::string& f) { WriteFile(f, "more", true); }},
        FileChange{"Truncated", [](const ScratchDir&, const std::string& f) { ::truncate(f.c_str(), 0); }},
        FileChange{"Deleted", [](const ScratchDir&, const std::string& f) { std::remove(f.c_str()); }},
        FileChange{"RenamedOver",
            [](const ScratchDir&, const std::string& f) {
                WriteFile(f + ".tmp", "saved by an editor");
                std::rename((f + ".tmp").c_str(), f.c_str());
            }},
        // Same size and modification time, as a copy that keeps times leaves it.
        FileChange{"ReplacedKeepingSizeAndTime",
            [](const ScratchDir&, const std::string& f) {
                struct stat st {};
                ::stat(f.c_str(), &st);
                WriteFile(f + ".tmp", "abcdefghij");
                const timespec times[2] = {st.st_atim, st.st_mtim};
                ::utimensat(AT_FDCWD, (f + ".tmp").c_str(), times, 0);
                std::rename((f + ".tmp").c_str(), f.c_str());
            }},
        FileChange{"FolderRemoved",
            [](const ScratchDir& d, const std::string&) { std::filesystem::remove_all(d / "sub"); }},
        FileChange{"FolderRenamed",
            [](const ScratchDir& d, const std::string&) {
                std::rename((d / "sub").c_str(), (d / "moved").c_str());
            }}),
    [](const ::testing::TestParamInfo<FileChange>& info) { return std::string(info.param.name); });

// A vanished folder raises a change, and once a folder of that name is back
// the watch goes on there.
TEST(FileNotificationThread, VanishedFolderIsWatchedAgainWhenBack)
{
    ScratchDir dir;
    std::filesystem::create_directory(dir / "sub");
    WriteFile(dir / "sub/a.txt", "a");
    CallCounter changes;
    TDirThread thread(FileSettings(dir / "sub/a.txt"), std::ref(changes));
    std::filesystem::remove_all(dir / "sub");
    ASSERT_TRUE(changes.WaitFor(1));
    EXPECT_TRUE(thread.Active());

    std::filesystem::create_directory(dir / "sub");
    WriteFile(dir / "sub/a.txt", "back again");
    ASSERT_TRUE(changes.WaitFor(2));
    std::this_thread::sleep_for(50ms);
    const int before = changes.Count();
    WriteFile(dir / "sub/a.txt", "more", true);
    EXPECT_TRUE(changes.WaitFor(before + 1));
}

TEST(FileNotificationThread, FolderThatCannotBeWatchedIsInactive)
{
    ScratchDir dir;
    WriteFile(dir / "plain", "not a folder");
    CallCounter changes;
    for (const TDirThreadSettings& s : {FileSettings(dir / "missing/a.txt"), FolderSettings("", kViewMask, false),
             FolderSettings(dir / "missing", kViewMask, false), FolderSettings(dir / "plain", kViewMask, false),
             TDirThreadSettings{}}) {
        TDirThread thread(s, std::ref(changes));
        EXPECT_FALSE(thread.Active()) << s.Directory << s.FileName;
    }
    EXPECT_EQ(changes.Count(), 0);
}

TEST(FileNotificationThread, FolderModeRaisesWhatTheMaskSelects)
{
    ScratchDir dir;
    WriteFile(dir / "a.txt", "a");
    CallCounter changes;
    // Names only: writing to a file is not a change, creating one is.
    TDirThread thread(FolderSettings(dir.Path(), kNotifyChangeFileName, false), std::ref(changes));
    WriteFile(dir / "a.txt", "more", true);
    std::this_thread::sleep_for(kQuietPeriod);
    EXPECT_EQ(changes.Count(), 0);
    WriteFile(dir / "b.txt", "b");
    EXPECT_TRUE(changes.WaitFor(1));
}

TEST(FileNotificationThread, SubtreeFollowsSubfolders)
{
    ScratchDir dir;
    std::filesystem::create_directories(dir / "old/deep");
    const uint32_t mask = kNotifyChangeFileName | kNotifyChangeLastWrite;

    CallCounter flat;
    CallCounter tree;
    TDirThread flatThread(FolderSettings(dir.Path(), mask, false), std::ref(flat));
    TDirThread treeThread(FolderSettings(dir.Path(), mask, true), std::ref(tree));

    WriteFile(dir / "old/deep/a.txt", "a");
    EXPECT_TRUE(tree.WaitFor(1));
    // A folder made while watching is followed too.
    std::filesystem::create_directory(dir / "new");
    std::this_thread::sleep_for(50ms);
    const int before = tree.Count();
    WriteFile(dir / "new/b.txt", "b");
    EXPECT_TRUE(tree.WaitFor(before + 1));

    std::this_thread::sleep_for(kQuietPeriod);
    EXPECT_EQ(flat.Count(), 0) << "without Subtree, files in subfolders are not watched";
}

// Terminate while a writer keeps the thread busy: it returns, and no
// callback runs after it has.
TEST(FileNotificationThread, TerminateJoinsWhileEventsArrive)
{
    ScratchDir dir;
    const std::string file = dir / "busy.log";
    WriteFile(file, "");
    std::atomic<bool> stopWriter{false};
    std::thread writer([&] {
        for (int i = 0; !stopWriter.load(); ++i)
            WriteFile(file, std::to_string(i) + "\n", true);
    });
    for (int round = 0; round < 20; ++round) {
        CallCounter changes;
        TDirThread thread(FileSettings(file), std::ref(changes));
        ASSERT_TRUE(changes.WaitFor(1));
        thread.Terminate();
        const int atStop = changes.Count();
        EXPECT_FALSE(thread.Active());
        std::this_thread::sleep_for(5ms);
        EXPECT_EQ(changes.Count(), atStop);
        thread.Terminate();  // a second call is harmless
    }
    stopWriter.store(true);
    writer.join();
}

TEST(FileNotificationThread, StartAndStopRepeatedlyLeaksNothing)
{
    ScratchDir dir;
    const std::string file = dir / "a.txt";
    WriteFile(file, "a");
    const int descriptors = OpenDescriptors();
    for (int i = 0; i < 200; ++i) {
        CallCounter changes;
        TDirThread thread(FileSettings(file), std::ref(changes));
        if (i % 20 == 0) {
            WriteFile(file, std::to_string(i), true);
            EXPECT_TRUE(changes.WaitFor(1));
        }
    }
    EXPECT_EQ(OpenDescriptors(), descriptors);
}
