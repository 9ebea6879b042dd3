// The mode detection, step by step, on small files made in a temporary
// folder. Each row names the step of the detection it exercises.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "text/core/VuxFileTests.h"
#include "viewer/core/VuDetect.h"
#include "viewer/core/VuExtLists.h"

namespace fs = std::filesystem;

namespace {

// A plugin host that takes files by extension and records what it was asked.
class FakeProbe final : public TVuPluginProbe {
public:
    explicit FakeProbe(std::string ext) : ext_(std::move(ext)) {}
    bool OpenMatched(const std::string& fileName) override
    {
        asked.push_back(fileName);
        return !ext_.empty() && ExtensionInList(fileName, ext_);
    }
    std::vector<std::string> asked;

private:
    std::string ext_;
};

class DetectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/peekwell-detect-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        ResetExtensionLists();
    }
    void TearDown() override
    {
        fs::remove_all(dir_);
        ResetExtensionLists();
    }

    std::string Make(const std::string& name, const std::string& bytes)
    {
        std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // Runs the detection starting from a result the test can recognise.
    TVuDetectResult Detect(const std::string& path, const TVuDetectSettings& s, TVuPluginProbe* probe = nullptr)
    {
        TVuDetectResult r{vmodeHex, vEncKOI8};
        DetectMode(path, s, probe, r);
        return r;
    }

    // Undetected files get vmodeBinary so a fall-through is visible.
    static TVuDetectSettings Settings()
    {
        TVuDetectSettings s;
        s.ModeUndetected = vmodeBinary;
        return s;
    }

    std::string dir_;
};

TEST_F(DetectionTest, ExtensionListsInOrder)
{
    const TVuDetectSettings s = Settings();
    const std::string binary("\x01\x02\x03", 3);  // content that is not text
    struct Row {
        const char* name;
        TVuViewerMode mode;
    } rows[] = {
        {"doc.rtf", vmodeRTF},     // step 3
        {"main.cpp", vmodeText},   // step 4, whatever the content
        {"a.JPG", vmodeMedia},     // step 5, image list, name lower-cased
        {"song.mp3", vmodeMedia},  // step 5, media list
        {"page.html", vmodeWeb},   // step 6
        {"data.bin", vmodeBinary}, // nothing claims it: ModeUndetected
    };
    for (const Row& row : rows) {
        TVuDetectResult r = Detect(Make(row.name, binary), s);
        EXPECT_EQ(r.Mode, row.mode) << row.name;
        EXPECT_EQ(r.Encoding, vEncANSI) << row.name << ": step 1 resets the encoding";
    }
}

TEST_F(DetectionTest, DisabledModesFallThrough)
{
    TVuDetectSettings s = Settings();
    s.ModesDisabledForDetect = {vmodeRTF, vmodeMedia};
    EXPECT_EQ(Detect(Make("doc.rtf", "{\\rtf1 hello}"), s).Mode, vmodeText);  // on to the content test
    EXPECT_EQ(Detect(Make("pic.png", std::string("\x89PNG\x00", 5)), s).Mode, vmodeBinary);

    s.ModesDisabledForDetect = {vmodeText};
    EXPECT_EQ(Detect(Make("main.c", "int x;"), s).Mode, vmodeBinary);  // neither list nor content
}

TEST_F(DetectionTest, ListEntryInCapitalsNeverMatches)
{
    ExtImagesList = "JPG";
    EXPECT_EQ(Detect(Make("a.jpg", std::string("\xFF\xD8\xFF\x00", 4)), Settings()).Mode, vmodeBinary);
}

TEST_F(DetectionTest, ContentTest)
{
    const TVuDetectSettings s = Settings();
    std::string nulAt2500(3 * 1024, 'a');
    nulAt2500[2500] = '\0';
    std::string nulAt100(3 * 1024, 'a');
    nulAt100[100] = '\0';
    struct Row {
        const char* what;
        const char* name;
        std::string bytes;
        TVuViewerMode mode;
        TVuEncoding encoding;
    } rows[] = {
        {"ordinary text in no list", "readme.TXT", "Hello,\r\nworld\n", vmodeText, vEncANSI},
        {"a NUL beyond the 2 KB tested", "big.log", nulAt2500, vmodeText, vEncANSI},
        {"a NUL inside the 2 KB", "big.dat", nulAt100, vmodeBinary, vEncANSI},
        {"UTF-16 mark in no list", "u.bin", std::string("\xFF\xFE" "a\0b\0", 6), vmodeUnicode, vEncANSI},
        {"big-endian UTF-16 mark", "u.be", std::string("\xFE\xFF\0a", 4), vmodeUnicode, vEncANSI},
        {"UTF-8 mark with extension txt", "utf8.txt", "\xEF\xBB\xBFtext", vmodeRTF, vEncANSI},
        {"empty file", "empty.txt", "", vmodeBinary, vEncANSI},
        {"DOS box drawing", "dos.txt", "+" + std::string(30, '\xC4') + "+\r\n" + std::string(10, '\xE0'), vmodeText, vEncOEM},
        {"Western high letters", "win.txt", "caf\xE9 na\xEFve r\xE9sum\xE9", vmodeText, vEncANSI},
    };
    for (const Row& row : rows) {
        TVuDetectResult r = Detect(Make(row.name, row.bytes), s);
        EXPECT_EQ(r.Mode, row.mode) << row.what;
        EXPECT_EQ(r.Encoding, row.encoding) << row.what;
    }
}

// UTF-8 without a byte-order mark, against the OEM rule.
TEST_F(DetectionTest, Utf8TextBeforeTheOemRule)
{
    const TVuDetectSettings s = Settings();
    // 2 KB are tested: the last byte read is the lead of a two-byte "ж".
    const std::string cut = std::string(2047, 'a') + "\xD0\xB6 rest";
    struct Row {
        const char* what;
        std::string bytes;
        TVuViewerMode mode;
        TVuEncoding encoding;
    } rows[] = {
        {"ASCII alone stays ANSI", "plain words\r\n", vmodeText, vEncANSI},
        {"Latin UTF-8", "caf\xC3\xA9 na\xC3\xAFve", vmodeText, vEncUTF8},
        // D0 and D1 are OEM markers: the OEM rule alone takes this for DOS text.
        {"Cyrillic UTF-8", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD0\xBC\xD0\xB8\xD1\x80", vmodeText,
         vEncUTF8},
        {"CJK UTF-8", "\xE4\xB8\xAD\xE6\x96\x87\xE6\x96\x87\xE6\x9C\xAC", vmodeText, vEncUTF8},
        {"a sample cut inside a sequence", cut, vmodeText, vEncUTF8},
        {"valid UTF-8, then DOS box drawing", "\xD0\xB6" + std::string(30, '\xC4'), vmodeText, vEncOEM},
        {"Windows-1251 Cyrillic", "\xCF\xF0\xE8\xE2\xE5\xF2", vmodeText, vEncANSI},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF\xD0\xB6", vmodeRTF, vEncANSI},
    };
    for (const Row& row : rows) {
        TVuDetectResult r = Detect(Make(std::string("t") + std::to_string(&row - rows) + ".txt", row.bytes), s);
        EXPECT_EQ(r.Mode, row.mode) << row.what;
        EXPECT_EQ(r.Encoding, row.encoding) << row.what;
    }
}

TEST_F(DetectionTest, UnicodeDisabledGoesOnToTheOtherTests)
{
    TVuDetectSettings s = Settings();
    s.ModesDisabledForDetect = {vmodeUnicode};
    const std::string utf16 = std::string("\xFF\xFE", 2) + "a b c";  // FF FE are text bytes too
    EXPECT_EQ(Detect(Make("u.bin", utf16), s).Mode, vmodeText);
    s.ModesDisabledForDetect = {vmodeUnicode, vmodeText};
    EXPECT_EQ(Detect(Make("u2.bin", utf16), s).Mode, vmodeBinary);

    s.ModesDisabledForDetect = {vmodeRTF};
    EXPECT_EQ(Detect(Make("utf8.txt", "\xEF\xBB\xBFplain"), s).Mode, vmodeText);
}

TEST_F(DetectionTest, TextDetectLimitInKilobytes)
{
    TVuDetectSettings s = Settings();
    s.TextDetectLimit = 1;
    EXPECT_EQ(Detect(Make("k1.log", std::string(1024, 'x')), s).Mode, vmodeText);
    EXPECT_EQ(Detect(Make("k1plus.log", std::string(1025, 'x')), s).Mode, vmodeBinary);
    // The limit is on text only: the byte-order marks still decide.
    EXPECT_EQ(Detect(Make("big.u16", std::string("\xFF\xFE", 2) + std::string(4000, 'a')), s).Mode, vmodeUnicode);
}

TEST_F(DetectionTest, ContentTestSwitches)
{
    const std::string path = Make("notes.log", "plain words");
    TVuDetectSettings s = Settings();
    s.TextDetect = false;
    EXPECT_EQ(Detect(path, s).Mode, vmodeBinary);

    s = Settings();
    s.TextDetectSize = 0;  // no text test, but the marks are still looked at
    EXPECT_EQ(Detect(path, s).Mode, vmodeBinary);
    EXPECT_EQ(Detect(Make("u.bin", std::string("\xFF\xFE", 2)), s).Mode, vmodeUnicode);

    s = Settings();
    s.TextDetectOEM = false;  // the encoding is then left alone
    TVuDetectResult r = Detect(Make("dos.log", std::string(40, '\xB0')), s);
    EXPECT_EQ(r.Mode, vmodeText);
    EXPECT_EQ(r.Encoding, vEncKOI8);
    r = Detect(Make("utf8.log", "\xD0\xB6"), s);
    EXPECT_EQ(r.Encoding, vEncKOI8);
}

TEST_F(DetectionTest, MissingFileEndsUndetected)
{
    TVuDetectResult r = Detect(dir_ + "/no-such-file", Settings());
    EXPECT_EQ(r.Mode, vmodeBinary);
}

TEST_F(DetectionTest, PluginsFirstWinsOverTheLists)
{
    const std::string ini = Make("setup.ini", "[a]\nb=1\n");
    FakeProbe probe("ini");
    TVuDetectSettings s = Settings();
    EXPECT_EQ(Detect(ini, s, &probe).Mode, vmodeWLX);
    ASSERT_EQ(probe.asked.size(), 1u);

    s.PluginsFirst = false;  // the text list claims it; plugins are not asked
    probe.asked.clear();
    EXPECT_EQ(Detect(ini, s, &probe).Mode, vmodeText);
    EXPECT_TRUE(probe.asked.empty());
}

TEST_F(DetectionTest, PluginsLastOnlyForUnclaimedFiles)
{
    FakeProbe probe("xyz");
    TVuDetectSettings s = Settings();
    s.PluginsFirst = false;
    const std::string binary(std::string("\x00\x01", 2));
    EXPECT_EQ(Detect(Make("model.xyz", binary), s, &probe).Mode, vmodeWLX);
    EXPECT_EQ(probe.asked.size(), 1u);

    probe.asked.clear();
    EXPECT_EQ(Detect(Make("other.abc", binary), s, &probe).Mode, vmodeBinary);  // asked, refused
    EXPECT_EQ(probe.asked.size(), 1u);

    // PluginsFirst with a refusing probe: asked once, not again at the end.
    s.PluginsFirst = true;
    probe.asked.clear();
    EXPECT_EQ(Detect(Make("third.abc", binary), s, &probe).Mode, vmodeBinary);
    EXPECT_EQ(probe.asked.size(), 1u);

    s.ModesDisabledForDetect = {vmodeWLX};
    probe.asked.clear();
    EXPECT_EQ(Detect(Make("four.xyz", binary), s, &probe).Mode, vmodeBinary);
    EXPECT_TRUE(probe.asked.empty());
}

}  // namespace
