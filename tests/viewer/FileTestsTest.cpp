// The extension test and the first-bytes tests on in-memory sources.
#include <gtest/gtest.h>

#include "text/core/VuxFileTests.h"

namespace {

struct ExtCase {
    const char* name;
    const char* list;
    bool expected;
};

class ExtensionInListTest : public ::testing::TestWithParam<ExtCase> {};

TEST_P(ExtensionInListTest, MatchesWholeEntries)
{
    const ExtCase& c = GetParam();
    EXPECT_EQ(ExtensionInList(c.name, c.list), c.expected) << c.name << " in \"" << c.list << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ExtensionInListTest,
    ::testing::Values(
        ExtCase{"a.JPG", "bmp,jpg,png", true},           // the file's extension is lower-cased
        ExtCase{"a.jpg", "bmp,JPG,png", false},          // a list entry in capitals never matches
        ExtCase{"a.jp", "bmp,jpg", false},               // whole entries only
        ExtCase{"a.pg", "jpg", false},
        ExtCase{"/x/archive.tar.gz", "gz", true},        // the last dot counts
        ExtCase{"/x/dir.txt/readme", "txt", false},      // a "/" after the dot: no extension
        ExtCase{"/x/dir.txt/readme", "txt,,c", true},    // ... which matches an empty entry
        ExtCase{"Makefile", "c,h", false},
        ExtCase{"Makefile", ",c,h", true},               // a leading comma is an empty entry
        ExtCase{"Makefile", "c,h,", true},               // so is a trailing one
        ExtCase{"dvd.DVR-MS", "flv,dvr-ms", true},       // only A..Z are lower-cased
        ExtCase{"photo.ÉTÉ", "été", false},               // bytes beyond ASCII pass unchanged
        ExtCase{"photo.été", "été", true},
        ExtCase{".bashrc", "bashrc", true}));

TEST(ExtInTwoListsTest, JoinsBothLists)
{
    EXPECT_TRUE(ExtInTwoLists("a.mp3", "png,bmp", "mp3"));
    EXPECT_TRUE(ExtInTwoLists("a.png", "png,bmp", "mp3"));
    EXPECT_FALSE(ExtInTwoLists("a.txt", "png,bmp", "mp3"));
}

// A source whose every read fails.
class BrokenStream final : public TVuStream {
public:
    int64_t Size() const override { return 4096; }
    int64_t ReadAt(int64_t, void*, int64_t) override { return -1; }
};

TEST(ByteOrderMarkTest, NeedsEveryByteOfTheMark)
{
    TVuMemoryStream le(std::string("\xFF\xFE", 2)), be(std::string("\xFE\xFF", 2)), one(std::string("\xFF", 1));
    EXPECT_TRUE(HasUtf16Bom(le));
    EXPECT_TRUE(HasUtf16Bom(be));
    EXPECT_FALSE(HasUtf16Bom(one));  // a 1-byte file is not Unicode

    TVuMemoryStream utf8("\xEF\xBB\xBFhello"), cut("\xEF\xBB");
    EXPECT_TRUE(HasUtf8Bom(utf8));
    EXPECT_FALSE(HasUtf8Bom(cut));

    TVuMemoryStream rtf("{\\rtf1\\ansi}"), upper("{\\RTF1}");
    EXPECT_TRUE(StartsWithRtf(rtf));
    EXPECT_FALSE(StartsWithRtf(upper));  // case-sensitive

    BrokenStream broken;
    EXPECT_FALSE(HasUtf16Bom(broken));
    EXPECT_FALSE(HasUtf8Bom(broken));
    EXPECT_FALSE(StartsWithRtf(broken));
}

TEST(IsFileTextTest, ControlBytesAndReadFailures)
{
    bool oem = true;
    TVuMemoryStream plain("line one\r\n\tline two\n");
    EXPECT_TRUE(IsFileText(plain, 2, true, oem));
    EXPECT_FALSE(oem);

    for (int bad : {0, 8, 11, 12, 14, 31}) {
        std::string bytes = "text";
        bytes += static_cast<char>(bad);
        TVuMemoryStream s(bytes);
        EXPECT_FALSE(IsFileText(s, 2, false, oem)) << "byte " << bad;
    }

    TVuMemoryStream empty;
    EXPECT_FALSE(IsFileText(empty, 2, true, oem));
    EXPECT_FALSE(IsFileText(plain, 0, true, oem));  // size 0 turns the test off
    BrokenStream broken;
    EXPECT_FALSE(IsFileText(broken, 2, true, oem));
}

TEST(IsFileTextTest, OnlyTheFirstSizeKilobytesCount)
{
    std::string bytes(3 * 1024, 'a');
    bytes[2500] = '\0';
    TVuMemoryStream s(bytes);
    bool oem = false;
    EXPECT_TRUE(IsFileText(s, 2, false, oem));   // byte 2500 lies beyond 2048
    EXPECT_FALSE(IsFileText(s, 3, false, oem));  // but not beyond 3072
}

TEST(IsFileTextTest, LargeSizeReadsInBlocks)
{
    // A size far beyond the file costs no buffer of that size; every block
    // of the file is still tested.
    std::string bytes(200 * 1024, 'x');
    bytes[150 * 1024] = '\x01';
    TVuMemoryStream s(bytes);
    bool oem = false;
    EXPECT_FALSE(IsFileText(s, 0xFFFFFFFFu, false, oem));
    bytes[150 * 1024] = 'x';
    TVuMemoryStream t(bytes);
    EXPECT_TRUE(IsFileText(t, 0xFFFFFFFFu, false, oem));
}

struct OemCase {
    const char* what;
    int marker;       // the high byte that may dominate
    int markerCount;  // of 100 high bytes; the rest are 0xE0 (a letter, not a marker)
    bool expected;
};

class OemRuleTest : public ::testing::TestWithParam<OemCase> {};

TEST_P(OemRuleTest, ShareAboveSeventeenPercent)
{
    const OemCase& c = GetParam();
    std::string bytes = "plain words ";
    bytes.append(static_cast<size_t>(c.markerCount), static_cast<char>(c.marker));
    bytes.append(static_cast<size_t>(100 - c.markerCount), '\xE0');
    TVuMemoryStream s(bytes);
    bool oem = !c.expected;
    ASSERT_TRUE(IsFileText(s, 2, true, oem));
    EXPECT_EQ(oem, c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OemRuleTest,
    ::testing::Values(OemCase{"box drawing at 18%", 0xB3, 18, true},
                      OemCase{"box drawing at exactly 17%", 0xB3, 17, false},
                      OemCase{"lowest marker 176", 176, 18, true},
                      OemCase{"highest marker 223", 223, 18, true},
                      OemCase{"224 is no marker", 224, 100, false},
                      OemCase{"175 is no marker", 175, 60, false},
                      OemCase{"169 counts", 169, 40, true},
                      OemCase{"255 counts", 255, 40, true}));

TEST(IsFileTextTest, NoOemAnswerWithoutDetection)
{
    TVuMemoryStream s(std::string(50, '\xB0'));
    bool oem = true;
    ASSERT_TRUE(IsFileText(s, 2, false, oem));
    EXPECT_FALSE(oem);
}

}  // namespace
