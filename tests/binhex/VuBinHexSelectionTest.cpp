// Words and lines around a click, the selected bytes as copied, the
// selected text in both accessors, and scrolling a selection into view.
#include "BinHexTestSupport.h"

#include "binhex/core/VuBinHexSelection.h"

#include <stdexcept>
#include <unistd.h>

namespace {

std::string Utf16Le(const std::string& ascii)
{
    std::string out;
    for (char c : ascii)
        out += std::string{c, '\0'};
    return out;
}

std::string Selected(const std::string& data, TVuByteRange r)
{
    return data.substr(size_t(r.start), size_t(r.length));
}

TEST(BinHexSelection, WordsAndLinesAroundAnOffset)
{
    // q is the offset under the click minus one character; the character at
    // q itself is never tested, so a q on a blank joins both neighbours.
    const struct {
        const char* name;
        std::string data;
        int64_t q;
        bool line;
        std::string expected;
    } rows[] = {
        {"word at b", "ab cd", 1, false, "ab"},
        {"word at the space joins both words", "ab cd", 2, false, "ab cd"},
        {"word stops at punctuation", "x=foo_bar9(1)", 4, false, "foo_bar9"},
        {"high characters are word characters", "a \xE9t\xE9 b", 3, false, "\xE9t\xE9"},
        {"a control character ends a word", "ab\x01" "cd", 0, false, "ab"},
        {"line between breaks", "one\r\ntwo three\nfour", 7, true, "two three"},
        {"a dot is no line delimiter", "a.b c", 0, true, "a.b c"},
        {"a control character ends a line", "ab\x01" "cd", 4, true, "cd"},
        {"at the first character", "abc def", 0, false, "abc"},
        {"at the last character", "abc def", 6, false, "def"},
    };
    for (const auto& r : rows) {
        StreamModel s(r.data);
        EXPECT_EQ(Selected(r.data, WordOrLineAt(s.model, r.q, r.line)), r.expected) << r.name;
    }
}

TEST(BinHexSelection, LineScanStopsAfterLineLimitEachWay)
{
    const std::string data(1000, 'x');
    StreamModel s(data);
    const TVuByteRange r = WordOrLineAt(s.model, 500, true);
    EXPECT_EQ(r, (TVuByteRange{200, 601}));
}

TEST(BinHexSelection, UnicodeWordsAreWholeUnits)
{
    StreamModel s(Utf16Le("ab cd"), vbmodeUnicode);
    s.model.DetectByteOrder();
    EXPECT_EQ(WordOrLineAt(s.model, 2, false), (TVuByteRange{0, 4}));
    EXPECT_EQ(WordOrLineAt(s.model, 4, false), (TVuByteRange{0, 10}));
    // Outside the source there is nothing to select.
    EXPECT_EQ(WordOrLineAt(s.model, 40, false).length, 0);
}

TEST(BinHexSelection, CopyReadsAtMostTheLimitStraightFromTheFile)
{
    TempFile big = TempFile::Sparse(20 << 20);
    TVuBinHexModel m;
    ASSERT_TRUE(m.OpenFile(big.Path()));
    ASSERT_TRUE(m.SetSelection(0, m.FileSize()));
    const int64_t bufferPos = m.BufferPos();
    EXPECT_EQ(int64_t(SelectedBytes(m).size()), int64_t(16) << 20);
    EXPECT_EQ(m.BufferPos(), bufferPos);  // the view's buffer did not move
}

TEST(BinHexSelection, CopyIsCutToWhatTheFileStillHolds)
{
    TempFile file("0123456789abcdef");
    TVuBinHexModel m;
    ASSERT_TRUE(m.OpenFile(file.Path()));
    ASSERT_TRUE(m.SetSelection(4, 10));
    ASSERT_EQ(::truncate(file.Path().c_str(), 8), 0);  // cut while shown
    EXPECT_EQ(SelectedBytes(m), "4567");
}

class FailingStream : public TVuStream {
public:
    int64_t Size() const override { return 100; }
    int64_t ReadAt(int64_t, void*, int64_t) override { return -1; }
};

TEST(BinHexSelection, FailedCopyReadReportsAndGivesNothing)
{
    FailingStream failing;
    TVuBinHexModel m;
    MessageCapture messages;
    m.OpenStream(&failing);
    m.SetSelection(0, 10);
    messages.texts.clear();
    EXPECT_EQ(SelectedBytes(m), "");
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Cannot read stream"});
}

TEST(BinHexSelection, TextAccessorsBelongToTheirModes)
{
    StreamModel text("hello");
    text.model.SetSelection(1, 3);
    EXPECT_EQ(SelectionText(text.model), "ell");
    try {
        SelectionTextW(text.model);
        FAIL() << "no assertion";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "SelTextW is called in non-Unicode mode");
    }

    StreamModel wide("\xFE\xFF" + std::string("\0h\0i", 4), vbmodeUnicode);
    wide.model.DetectByteOrder();
    EXPECT_EQ(SelectionTextW(wide.model), u"");  // no selection yet
    wide.model.SetSelection(2, 4);
    EXPECT_EQ(SelectionTextW(wide.model), u"hi");  // big-endian from the mark
    try {
        SelectionText(wide.model);
        FAIL() << "no assertion";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "SelText is called in Unicode mode");
    }
}

TEST(BinHexSelection, ScrollingAStartIntoViewLeavesIndentLinesAbove)
{
    std::string data;
    for (int i = 0; i < 1000; ++i)
        data += "row " + std::to_string(10000 + i) + "\n";  // 10 bytes a line
    StreamModel text(data);
    // A line start: the line lands one line further down than the indent.
    text.model.ScrollToLineOf(5000, 5);
    EXPECT_EQ(text.model.ViewPos(), 5000 - 6 * 10);
    text.model.ScrollToLineOf(5003, 5);
    EXPECT_EQ(text.model.ViewPos(), 5000 - 5 * 10);
    text.model.ScrollToLineOf(30, 5);
    EXPECT_EQ(text.model.ViewPos(), 0);

    StreamModel hex(data, vbmodeHex);
    hex.model.ScrollToLineOf(0x1234, 5);
    EXPECT_EQ(hex.model.ViewPos(), 0x1230 - 5 * 16);
    hex.model.ScrollToLineOf(0x20, 5);
    EXPECT_EQ(hex.model.ViewPos(), 0);
}

}  // namespace
