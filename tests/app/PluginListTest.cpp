// Which plugin files are found and which disabled.ini switches off.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

#include "TempDir.h"
#include "app/core/PluginList.h"

namespace {

std::vector<std::string> Sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

TEST(PluginListTest, FindsRegularWlxFilesOnly)
{
    TempDir dir;
    dir.Write("plugins/Image.wlx", "x");
    dir.Write("plugins/.hidden.wlx", "x");
    dir.Write("plugins/UPPER.WLX", "x");
    dir.Write("plugins/readme.txt", "x");
    dir.Write("plugins/wlx", "x");
    std::filesystem::create_directory(dir.path() + "plugins/folder.wlx");
    const std::string ro = dir.Write("plugins/ro.wlx", "x");
    ::chmod(ro.c_str(), 0444);
    EXPECT_EQ(Sorted(EnumeratePlugins(dir.path() + "plugins/")),
              (std::vector<std::string>{".hidden.wlx", "Image.wlx", "UPPER.WLX", "ro.wlx"}));
    EXPECT_TRUE(EnumeratePlugins(dir.path() + "missing/").empty());
}

TEST(PluginListTest, DisabledNamesIgnoreLetterCase)
{
    TempDir dir;
    dir.Write("plugins/ImageView.wlx", "x");
    dir.Write("plugins/Office.wlx", "x");
    dir.Write("plugins/disabled.ini", "IMAGEVIEW.WLX\r\ngone.wlx\r\n");
    std::vector<PluginItem> items = ListPlugins(dir.path() + "plugins/");
    ASSERT_EQ(items.size(), 2u);
    for (const PluginItem& item : items)
        EXPECT_EQ(item.enabled, item.name == "Office.wlx") << item.name;
}

TEST(PluginListTest, NoDisabledFileDisablesNothing)
{
    TempDir dir;
    dir.Write("plugins/a.wlx", "x");
    std::vector<PluginItem> items = ListPlugins(dir.path() + "plugins/");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_TRUE(items[0].enabled);
    EXPECT_TRUE(ListPlugins(dir.path() + "nothing/").empty());
}

TEST(PluginListTest, DisabledListLines)
{
    TempDir dir;
    const std::string path = dir.Write("disabled.ini", "a.wlx\r\nb.wlx\nc.wlx");
    EXPECT_EQ(ReadDisabledList(path), (std::vector<std::string>{"a.wlx", "b.wlx", "c.wlx"}));
    EXPECT_TRUE(IsPluginDisabled("B.Wlx", ReadDisabledList(path)));
    EXPECT_FALSE(IsPluginDisabled("b.wlx2", ReadDisabledList(path)));
}

}  // namespace
