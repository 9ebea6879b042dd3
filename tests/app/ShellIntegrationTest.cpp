// The file managers' "View with Peekwell" entries under a temporary data
// folder: what is written for which program, that removing takes exactly
// what was written, and what a damaged manifest or a failed write leaves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

#include "TempDir.h"
#include "app/core/ShellIntegration.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kEntries = {
    "applications/peekwell.desktop",
    "kio/servicemenus/peekwell.desktop",
    "nemo/actions/peekwell.nemo_action",
    "nautilus/scripts/View with Peekwell",
};

bool IsExecutable(const std::string& path)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & S_IXUSR);
}

std::string Home(const TempDir& dir)
{
    return dir.path().substr(0, dir.path().size() - 1);
}

TEST(ShellIntegrationTest, WritesEveryEntryForTheProgramAndRemovesExactlyThem)
{
    TempDir dir;
    const std::string home = Home(dir);
    const std::string exe = "/opt/Peek well/bin/peekwell";
    // Files of other programs beside ours.
    dir.Write("applications/other.desktop", "[Desktop Entry]\n");
    dir.Write("nautilus/scripts/Other script", "#!/bin/sh\n");

    EXPECT_FALSE(ShellIntegrationExists(home));
    std::string error;
    ASSERT_TRUE(WriteShellIntegration(home, exe, error)) << error;
    EXPECT_TRUE(ShellIntegrationExists(home));
    EXPECT_EQ(ReadShellManifest(home), kEntries);
    for (const std::string& e : kEntries)
        EXPECT_NE(dir.Read(e).find("Peek well/bin/peekwell"), std::string::npos) << e;

    const std::string app = dir.Read("applications/peekwell.desktop");
    EXPECT_NE(app.find("Type=Application\n"), std::string::npos);
    EXPECT_NE(app.find("\nExec=\"/opt/Peek well/bin/peekwell\" %f\n"), std::string::npos) << app;
    EXPECT_NE(app.find("\nTryExec=/opt/Peek well/bin/peekwell\n"), std::string::npos);
    const std::string dolphin = dir.Read("kio/servicemenus/peekwell.desktop");
    EXPECT_NE(dolphin.find("MimeType=all/allfiles;\n"), std::string::npos);
    EXPECT_NE(dolphin.find("Name=View with Peekwell\nExec=\"/opt/Peek well/bin/peekwell\" %f\n"), std::string::npos);
    EXPECT_NE(dir.Read("nemo/actions/peekwell.nemo_action").find("Name=View with Peekwell\n"), std::string::npos);
    EXPECT_NE(dir.Read("nautilus/scripts/View with Peekwell").find("exec '/opt/Peek well/bin/peekwell' \"$@\"\n"),
              std::string::npos);
    EXPECT_TRUE(IsExecutable(dir.path() + "kio/servicemenus/peekwell.desktop"));
    EXPECT_TRUE(IsExecutable(dir.path() + "nautilus/scripts/View with Peekwell"));
    EXPECT_FALSE(IsExecutable(dir.path() + "applications/peekwell.desktop"));

    // Writing again for a moved program replaces the entries.
    ASSERT_TRUE(WriteShellIntegration(home, "/usr/local/bin/peekwell", error)) << error;
    EXPECT_EQ(dir.Read("nautilus/scripts/View with Peekwell").find("Peek well"), std::string::npos);
    EXPECT_EQ(ReadShellManifest(home), kEntries);

    ASSERT_TRUE(RemoveShellIntegration(home, error)) << error;
    EXPECT_FALSE(ShellIntegrationExists(home));
    for (const std::string& e : kEntries)
        EXPECT_FALSE(fs::exists(dir.path() + e)) << e;
    EXPECT_FALSE(fs::exists(dir.path() + "peekwell"));
    EXPECT_TRUE(fs::exists(dir.path() + "applications/other.desktop"));
    EXPECT_TRUE(fs::exists(dir.path() + "nautilus/scripts/Other script"));

    // Nothing left to remove is no failure.
    EXPECT_TRUE(RemoveShellIntegration(home, error));
}

TEST(ShellIntegrationTest, ExistsWhileAnyListedEntryIsThere)
{
    TempDir dir;
    const std::string home = Home(dir);
    std::string error;
    ASSERT_TRUE(WriteShellIntegration(home, "/usr/bin/peekwell", error)) << error;
    for (size_t i = 0; i + 1 < kEntries.size(); ++i)
        fs::remove(dir.path() + kEntries[i]);
    EXPECT_TRUE(ShellIntegrationExists(home));
    fs::remove(dir.path() + kEntries.back());
    EXPECT_FALSE(ShellIntegrationExists(home)) << "a manifest alone is no integration";
    // Our file names without our manifest are not ours.
    fs::remove(dir.path() + kShellManifest);
    dir.Write("applications/peekwell.desktop", "someone else's\n");
    EXPECT_FALSE(ShellIntegrationExists(home));
    ASSERT_TRUE(RemoveShellIntegration(home, error));
    EXPECT_EQ(dir.Read("applications/peekwell.desktop"), "someone else's\n");
}

TEST(ShellIntegrationTest, DamagedManifestNeverReachesOutsideTheDataFolder)
{
    TempDir outer;
    const std::string home = outer.path() + "data";
    outer.Write("precious.txt", "keep");
    outer.Write("data/applications/mine.desktop", "keep");
    outer.Write(std::string("data/") + kShellManifest,
                "# comment\n../precious.txt\n" + outer.path() + "precious.txt\n"
                "applications/../applications/mine.desktop\n./applications/mine.desktop\n"
                "applications//mine.desktop\napplications/peekwell.desktop\r\n");
    outer.Write("data/applications/peekwell.desktop", "ours");
    EXPECT_EQ(ReadShellManifest(home), (std::vector<std::string>{"applications/peekwell.desktop"}));
    std::string error;
    ASSERT_TRUE(RemoveShellIntegration(home, error)) << error;
    EXPECT_EQ(outer.Read("precious.txt"), "keep");
    EXPECT_EQ(outer.Read("data/applications/mine.desktop"), "keep");
    EXPECT_FALSE(fs::exists(home + "/applications/peekwell.desktop"));
}

TEST(ShellIntegrationTest, EntriesOfAnEarlierManifestThatAreNoLongerOursGo)
{
    TempDir dir;
    const std::string home = Home(dir);
    dir.Write("kservices5/ServiceMenus/peekwell.desktop", "old");
    dir.Write(kShellManifest, "kservices5/ServiceMenus/peekwell.desktop\n");
    std::string error;
    ASSERT_TRUE(WriteShellIntegration(home, "/usr/bin/peekwell", error)) << error;
    EXPECT_FALSE(fs::exists(dir.path() + "kservices5/ServiceMenus/peekwell.desktop"));
    EXPECT_EQ(ReadShellManifest(home), kEntries);
}

TEST(ShellIntegrationTest, AFailedWriteNamesTheFileAndLeavesWhatWasWrittenRemovable)
{
    TempDir dir;
    const std::string home = Home(dir);
    dir.Write("nemo", "a file where the folder should be");
    std::string error;
    EXPECT_FALSE(WriteShellIntegration(home, "/usr/bin/peekwell", error));
    EXPECT_NE(error.find(dir.path() + "nemo"), std::string::npos) << error;
    EXPECT_TRUE(fs::exists(dir.path() + "applications/peekwell.desktop"));
    EXPECT_TRUE(ShellIntegrationExists(home));
    ASSERT_TRUE(RemoveShellIntegration(home, error)) << error;
    EXPECT_FALSE(fs::exists(dir.path() + "applications/peekwell.desktop"));
    EXPECT_FALSE(fs::exists(dir.path() + "kio/servicemenus/peekwell.desktop"));
    EXPECT_EQ(dir.Read("nemo"), "a file where the folder should be");
}

TEST(ShellIntegrationTest, RefusesProgramPathsNoEntryCanHold)
{
    TempDir dir;
    for (const std::string exe : {"peekwell", "", "/opt/a\nb/peekwell"}) {
        std::string error;
        EXPECT_FALSE(WriteShellIntegration(Home(dir), exe, error)) << exe;
        EXPECT_FALSE(error.empty());
        EXPECT_FALSE(fs::exists(dir.path() + kShellManifest)) << exe;
    }
}

TEST(ShellIntegrationTest, QuotesArgumentsForDesktopEntriesAndTheShell)
{
    struct Case {
        std::string in, desktop, nemo, shell;
    };
    const Case cases[] = {
        {"/usr/bin/peekwell", "\"/usr/bin/peekwell\"", "\"/usr/bin/peekwell\"", "'/usr/bin/peekwell'"},
        {"/a b/p", "\"/a b/p\"", "\"/a b/p\"", "'/a b/p'"},
        {"/a\"b", "\"/a\\\\\"b\"", "\"/a\\\\\"b\"", "'/a\"b'"},
        {"/$HOME/`x`", "\"/\\\\$HOME/\\\\`x\\\\`\"", "\"/\\\\$HOME/\\\\`x\\\\`\"", "'/$HOME/`x`'"},
        {"/a\\b", "\"/a\\\\\\\\b\"", "\"/a\\\\\\\\b\"", "'/a\\b'"},
        {"/50%f", "\"/50%%f\"", "\"/50%f\"", "'/50%f'"},
        {"/it's", "\"/it's\"", "\"/it's\"", "'/it'\\''s'"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DesktopExecArgument(c.in), c.desktop) << c.in;
        EXPECT_EQ(DesktopExecArgument(c.in, false), c.nemo) << c.in;
        EXPECT_EQ(ShellQuote(c.in), c.shell) << c.in;
    }
}

TEST(ShellIntegrationTest, DataHomeFollowsTheXdgRules)
{
    const char* savedXdg = std::getenv("XDG_DATA_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string xdg = savedXdg ? savedXdg : "", homeDir = savedHome ? savedHome : "";
    struct Case {
        const char* xdg;  // nullptr: unset
        const char* home;
        std::string expected;
    };
    const Case cases[] = {
        {"/tmp/data/", "/home/u", "/tmp/data"},
        {nullptr, "/home/u", "/home/u/.local/share"},
        {"", "/home/u", "/home/u/.local/share"},
        {"relative/data", "/home/u/", "/home/u/.local/share"},
    };
    for (const Case& c : cases) {
        if (c.xdg)
            ::setenv("XDG_DATA_HOME", c.xdg, 1);
        else
            ::unsetenv("XDG_DATA_HOME");
        ::setenv("HOME", c.home, 1);
        EXPECT_EQ(ShellDataHome(), c.expected) << (c.xdg ? c.xdg : "(unset)");
    }
    if (savedXdg)
        ::setenv("XDG_DATA_HOME", xdg.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
    if (savedHome)
        ::setenv("HOME", homeDir.c_str(), 1);
}

}  // namespace
