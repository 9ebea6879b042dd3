// The conf.ini table: defaults, the program-folder macro, the shared
// splitter key, every key written, and foreign content kept.
#include <gtest/gtest.h>

#include <set>

#include "app/core/AppSettings.h"
#include "viewer/core/VuExtLists.h"

namespace {

const std::string kAppDir = "/opt/peekwell/";

TEST(AppSettingsTest, FirstStartWithoutConfIni)
{
    AppSettings s = DefaultAppSettings(kAppDir);
    ReadAppSettings(IniDocument(), kAppDir, s);
    EXPECT_EQ(s.Left, 0);
    EXPECT_EQ(s.Top, 0);
    EXPECT_EQ(s.Width, 800);
    EXPECT_EQ(s.Height, 600);
    EXPECT_FALSE(s.Maximized);
    EXPECT_EQ(s.TreeWidth, 200);
    EXPECT_EQ(s.ListWidth, 200);
    EXPECT_TRUE(s.TreeVisible && s.ListVisible && s.Splitter1Visible && s.Splitter2Visible);
    EXPECT_EQ(s.SkinDir, "/opt/peekwell/skins");
    EXPECT_EQ(s.SkinName, "Office12Style");
    EXPECT_TRUE(s.UseSkin);
    EXPECT_TRUE(s.WordWrap);
    EXPECT_EQ(s.TextFont, "Arial");
    EXPECT_EQ(s.TextFontSize, 10);
    EXPECT_EQ(s.WaveOutVolume, 0);
    EXPECT_EQ(s.MediaMode, 0);  // the classic player control
    EXPECT_EQ(s.MediaVolume, 1);
    EXPECT_EQ(s.LanguageFile, "/opt/peekwell/Languages/english.lng");
    EXPECT_EQ(s.ExtText, kDefaultExtTextList);
    EXPECT_EQ(s.ExtMedia, kDefaultExtMediaList);
    EXPECT_EQ(s.TextColor, static_cast<int32_t>(0xFF000005u));
    EXPECT_EQ(s.TextColorHexBack, 0xECECEC);
    EXPECT_TRUE(s.MouseFileExplorer && s.LNKOpen && s.LmbPause);
    EXPECT_EQ(s.ThumbW, 100);
}

TEST(AppSettingsTest, ReadOrderHoldsEveryKeyOfTheTable)
{
    std::set<std::string> keys;
    for (const ConfKey& row : kConfReadOrder)
        keys.insert(std::string(row.section) + "/" + row.key);
    EXPECT_EQ(keys.size(), 41u);  // 42 rows, the splitter key twice
    EXPECT_STREQ(kConfReadOrder[5].key, "visible");
    EXPECT_STREQ(kConfReadOrder[8].section, "splitters");
}

TEST(AppSettingsTest, CloseWritesEveryKeyAndTheyReadBack)
{
    AppSettings s = DefaultAppSettings(kAppDir);
    s.Left = 11; s.Top = 22; s.Width = 1000; s.Height = 700; s.Maximized = true;
    s.TreeWidth = 150; s.ListWidth = 260; s.TreeVisible = false;
    s.ExtText = "c,h,log"; s.SkinName = "Dark"; s.UseSkin = false;
    s.TextFont = "DejaVu Sans Mono"; s.TextFontSize = 13; s.TextFontColor = 0x0000FF;
    s.TextFontBold = true; s.TextFontUnderline = true;
    s.TextColor = 0xFFFFEE; s.TextColorGutter = 0x123456;
    s.ViewMode = 3; s.ThumbW = 64; s.ThumbH = 48; s.MediaMode = 2; s.WaveOutVolume = 65535;
    s.LmbPause = false; s.AutoMenu = true;

    IniDocument ini;
    WriteAppSettings(ini, kAppDir, s);
    for (const ConfKey& row : kConfReadOrder)
        EXPECT_TRUE(ini.Value(row.section, row.key).has_value()) << row.section << "/" << row.key;

    AppSettings back = DefaultAppSettings(kAppDir);
    ReadAppSettings(IniDocument::Parse(ini.Text()), kAppDir, back);
    EXPECT_EQ(back.Left, 11);
    EXPECT_EQ(back.Height, 700);
    EXPECT_TRUE(back.Maximized);
    EXPECT_EQ(back.TreeWidth, 150);
    EXPECT_EQ(back.ListWidth, 260);
    EXPECT_FALSE(back.TreeVisible);
    EXPECT_EQ(back.ExtText, "c,h,log");
    EXPECT_EQ(back.SkinName, "Dark");
    EXPECT_FALSE(back.UseSkin);
    EXPECT_EQ(back.TextFont, "DejaVu Sans Mono");
    EXPECT_EQ(back.TextFontSize, 13);
    EXPECT_EQ(back.TextFontColor, 0x0000FF);
    EXPECT_TRUE(back.TextFontBold);
    EXPECT_FALSE(back.TextFontItalic);
    EXPECT_TRUE(back.TextFontUnderline);
    EXPECT_EQ(back.TextColor, 0xFFFFEE);
    EXPECT_EQ(back.TextColorGutter, 0x123456);
    EXPECT_EQ(back.ViewMode, 3);
    EXPECT_EQ(back.ThumbH, 48);
    EXPECT_EQ(back.MediaMode, 2);
    EXPECT_EQ(back.WaveOutVolume, 65535);
    EXPECT_FALSE(back.LmbPause);
    EXPECT_TRUE(back.AutoMenu);
}

TEST(AppSettingsTest, SharedSplitterKeyTakesSplitter2)
{
    for (bool s2 : {false, true}) {
        AppSettings s = DefaultAppSettings(kAppDir);
        s.Splitter1Visible = !s2;
        s.Splitter2Visible = s2;
        IniDocument ini;
        WriteAppSettings(ini, kAppDir, s);
        EXPECT_EQ(ini.ReadString("splitters", "visible", "?"), s2 ? "1" : "0");

        AppSettings back = DefaultAppSettings(kAppDir);
        ReadAppSettings(ini, kAppDir, back);
        EXPECT_EQ(back.Splitter1Visible, s2);
        EXPECT_EQ(back.Splitter2Visible, s2);
    }
}

TEST(AppSettingsTest, AppMacroRoundTripWhereverTheProgramIs)
{
    IniDocument ini = IniDocument::Parse("[skin]\nDIR={app}skins\n[language]\nfile={app}Languages/russian.lng\n");
    for (const std::string appDir : {"/opt/peekwell/", "/home/ann/Apps/Peekwell 2/"}) {
        AppSettings s = DefaultAppSettings(appDir);
        ReadAppSettings(ini, appDir, s);
        EXPECT_EQ(s.SkinDir, appDir + "skins");
        EXPECT_EQ(s.LanguageFile, appDir + "Languages/russian.lng");

        IniDocument out = ini;
        WriteAppSettings(out, appDir, s);
        EXPECT_EQ(out.ReadString("skin", "DIR", ""), "{app}skins");
        EXPECT_EQ(out.ReadString("language", "file", ""), "{app}Languages/russian.lng");
    }
}

TEST(AppSettingsTest, AppMacroRules)
{
    EXPECT_EQ(ExpandAppMacro("{app}a;{app}b", "/p/"), "/p/a;/p/b");
    EXPECT_EQ(FoldAppMacro("/p/a;/p/b", "/p/"), "{app}a;{app}b");
    EXPECT_EQ(FoldAppMacro("/elsewhere/skins", "/p/"), "/elsewhere/skins");  // outside: unchanged
    EXPECT_EQ(FoldAppMacro("/P/skins", "/p/"), "/P/skins");                  // case-sensitive
    EXPECT_EQ(FoldAppMacro("/p", "/p/"), "/p");                              // the folder needs its "/"
    // A program folder whose name holds the macro itself expands once and
    // does not loop.
    EXPECT_EQ(ExpandAppMacro("{app}skins", "/x/{app}/"), "/x/{app}/skins");
    EXPECT_EQ(FoldAppMacro("/x/{app}/skins", "/x/{app}/"), "{app}skins");
    // Missing keys give the default paths as they stand, not expanded again.
    AppSettings s = DefaultAppSettings("/x/{app}/");
    ReadAppSettings(IniDocument::Parse(""), "/x/{app}/", s);
    EXPECT_EQ(s.SkinDir, "/x/{app}/skins");
    EXPECT_EQ(s.LanguageFile, "/x/{app}/Languages/english.lng");
}

TEST(AppSettingsTest, UnknownContentKeptOnWriteBack)
{
    const std::string original =
        "; written by hand\n"
        "[window]\n"
        "left=3\n"
        "colour scheme=mine\n"
        "[Plugins.Extra]\n"
        "path=/usr/lib/x\n";
    IniDocument ini = IniDocument::Parse(original);
    AppSettings s = DefaultAppSettings(kAppDir);
    ReadAppSettings(ini, kAppDir, s);
    WriteAppSettings(ini, kAppDir, s);
    const std::string out = ini.Text();
    EXPECT_EQ(out.rfind("; written by hand\n[window]\nleft=3\ncolour scheme=mine\n", 0), 0u) << out;
    EXPECT_NE(out.find("[Plugins.Extra]\npath=/usr/lib/x\n"), std::string::npos);
    EXPECT_EQ(IniDocument::Parse(out).ReadInteger("window", "left", 0), 3);
}

TEST(AppSettingsTest, CurrentValuesAreTheDefaults)
{
    // Rows whose default is "the current value" keep it when the key is absent.
    AppSettings s = DefaultAppSettings(kAppDir);
    s.ExtText = "current,list";
    s.TextColorHex = 0x010203;
    ReadAppSettings(IniDocument::Parse("[ext]\nweb=htm\n"), kAppDir, s);
    EXPECT_EQ(s.ExtText, "current,list");
    EXPECT_EQ(s.ExtWeb, "htm");  // a value read replaces the list whole
    EXPECT_EQ(s.TextColorHex, 0x010203);
}

}  // namespace
