// Reading shortcut targets: the parts of the Shell Link format a target can
// come from, damaged and foreign files, and placing Windows paths here.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ShellLinkWriter.h"
#include "TempDir.h"
#include "app/core/ShellLink.h"

namespace {

struct TargetRow {
    const char* name;
    LinkWriter link;
    const char* target;    // ShellLinkTargetPath
    const char* relative;  // relativePath
};

TEST(ShellLinkTest, TargetsFromEveryPartOfTheFormat)
{
    LinkWriter local;
    local.localBase = "C:\\Users\\me\\";
    local.suffix = "report.txt";
    local.idList = true;
    LinkWriter wide = local;
    wide.unicodeInfo = true;
    wide.localBase = "D:\\data\\notes.txt";
    wide.suffix = "";
    LinkWriter net;
    net.netName = "\\\\server\\share";
    net.suffix = "docs\\a.txt";
    LinkWriter env;
    env.envTarget = "%USERPROFILE%\\a.txt";
    env.relative = ".\\a.txt";
    env.unicodeStrings = true;
    LinkWriter rel;
    rel.relative = "..\\b\\c.txt";
    rel.workDir = "C:\\b";

    const TargetRow rows[] = {
        {"local base path and suffix after an ID list", local, "C:\\Users\\me\\report.txt", ""},
        {"Unicode local base path", wide, "D:\\data\\notes.txt", ""},
        {"network name and suffix", net, "\\\\server\\share\\docs\\a.txt", ""},
        {"environment target, Unicode strings", env, "%USERPROFILE%\\a.txt", ".\\a.txt"},
        {"relative path only", rel, "", "..\\b\\c.txt"},
    };
    for (const TargetRow& row : rows) {
        SCOPED_TRACE(row.name);
        ShellLinkData data;
        ASSERT_TRUE(ParseShellLink(row.link.Bytes(), data));
        EXPECT_EQ(ShellLinkTargetPath(data), row.target);
        EXPECT_EQ(data.relativePath, row.relative);
    }
}

TEST(ShellLinkTest, DamagedAndForeignFilesAreNoShortcuts)
{
    LinkWriter link;
    link.localBase = "C:\\x.txt";
    link.relative = "x.txt";
    const std::string good = link.Bytes();
    ShellLinkData data;
    ASSERT_TRUE(ParseShellLink(good, data));

    std::string badClsid = good;
    badClsid[5] ^= 0x40;
    const std::string cases[] = {
        "",
        "plain text, not a shortcut at all, but long enough to hold a header of seventy-six bytes",
        badClsid,
        good.substr(0, 76 + 10),   // cut inside the link info
        good.substr(0, good.size() - 8),  // cut inside the relative path
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes.size());
        EXPECT_FALSE(ParseShellLink(bytes, data));
    }
}

class LocalPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = std::getenv("WINEPREFIX") ? std::getenv("WINEPREFIX") : "";
        ::setenv("WINEPREFIX", (dir_.path() + "wine").c_str(), 1);
    }
    void TearDown() override
    {
        if (saved_.empty())
            ::unsetenv("WINEPREFIX");
        else
            ::setenv("WINEPREFIX", saved_.c_str(), 1);
    }
    TempDir dir_;
    std::string saved_;
};

TEST_F(LocalPathTest, WindowsPathsArePlacedHere)
{
    dir_.Write("base/Docs/Report.txt", "r");
    const std::string base = dir_.path() + "base/sub/";
    std::filesystem::create_directories(base);

    EXPECT_EQ(LocalPathOf("Z:\\tmp\\x", base), "/tmp/x");
    EXPECT_EQ(LocalPathOf("..\\Docs\\Report.txt", base), dir_.path() + "base/Docs/Report.txt");
    // Windows names are case-blind: the existing entry is found.
    EXPECT_EQ(LocalPathOf("..\\docs\\REPORT.TXT", base), dir_.path() + "base/Docs/Report.txt");
    EXPECT_EQ(LocalPathOf(".\\new.txt", base), base + "new.txt");
    EXPECT_EQ(LocalPathOf("\\\\server\\share\\a", base), "");
    EXPECT_EQ(LocalPathOf("C:\\a.txt", base), "");  // the prefix has no drive C:

    // A drive of the Wine prefix leads into the folder it links to; ".."
    // never climbs above a drive's root.
    std::filesystem::create_directories(dir_.path() + "wine/dosdevices");
    std::filesystem::create_directory_symlink(dir_.path() + "base", dir_.path() + "wine/dosdevices/c:");
    EXPECT_EQ(LocalPathOf("C:\\..\\Docs\\report.txt", base), dir_.path() + "wine/dosdevices/c:/Docs/Report.txt");
}

TEST_F(LocalPathTest, LnkTargetPrefersTheNameThatExists)
{
    dir_.Write("dir/target.txt", "t");
    LinkWriter link;
    link.localBase = "C:\\Users\\me\\target.txt";  // from the machine that made it
    link.relative = "..\\dir\\target.txt";
    const std::string lnk = dir_.Write("links/target.lnk", link.Bytes());
    EXPECT_EQ(LnkTarget(lnk), dir_.path() + "dir/target.txt");

    LinkWriter missing;
    missing.localBase = "Z:\\nowhere\\gone.txt";
    missing.relative = "gone.txt";
    EXPECT_EQ(LnkTarget(dir_.Write("links/gone.lnk", missing.Bytes())), "/nowhere/gone.txt");

    EXPECT_EQ(LnkTarget(dir_.Write("links/fake.lnk", "not a link")), "");
    EXPECT_EQ(LnkTarget(dir_.path() + "links/absent.lnk"), "");
}

}  // namespace
