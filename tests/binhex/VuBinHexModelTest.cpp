// The view's source, buffer, character fetch, properties and their errors.
#include "BinHexTestSupport.h"

#include <stdexcept>
#include <unistd.h>

namespace {

TEST(BinHexSource, OpeningTheOpenNameReadsNothing)
{
    TempFile file("hello\nworld\n");
    TVuBinHexModel m;
    ASSERT_TRUE(m.OpenFile(file.Path()));
    const int64_t reads = m.ReadCount();
    EXPECT_TRUE(m.OpenFile(file.Path()));
    EXPECT_EQ(m.ReadCount(), reads);
    EXPECT_EQ(m.FileSize(), 12);
    // An empty name closes the source.
    EXPECT_TRUE(m.OpenFile(""));
    EXPECT_FALSE(m.HasSource());
}

TEST(BinHexSource, ClosingTheSourceClearsTheViewsSearch)
{
    StreamModel s("find me");
    s.model.Search().SetSourceStream(&s.stream);
    ASSERT_TRUE(s.model.Search().Find(u"me", vEncANSI, 0, 0));
    EXPECT_EQ(s.model.Search().MatchStart(), 5);
    s.model.SetMode(vbmodeHex);  // a re-open closes the source first
    EXPECT_EQ(s.model.Search().Stream(), nullptr);
}

TEST(BinHexSource, MissingFileReportsAndLeavesTheViewEmpty)
{
    MessageCapture messages;
    TVuBinHexModel m;
    EXPECT_FALSE(m.OpenFile("/nonexistent/peekwell.txt"));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "Cannot open file: /nonexistent/peekwell.txt");
    EXPECT_FALSE(m.HasSource());
    EXPECT_TRUE(m.IsEmptySource());
}

// Reloading after the file changed on disk: where the view ends up.
TEST(BinHexSource, ReloadKeepsThePlaceOrFollowsTheTail)
{
    std::string text;
    for (int i = 0; i < 500; ++i)
        text += "line " + std::to_string(1000 + i) + "\n";  // 10 bytes a line
    TempFile file(text);
    const auto append = [&](const std::string& more) {
        FILE* f = std::fopen(file.Path().c_str(), "ab");
        std::fputs(more.c_str(), f);
        std::fclose(f);
    };
    TVuBinHexModel m;
    m.SetFontMetrics({10, 32, 8, true});
    m.SetBitmapSize(800, 10 * 10 + 4);
    ASSERT_TRUE(m.OpenFile(file.Path()));

    // A line start in the middle stays exactly where it was (showing the
    // line before it, as scrolling to an offset does, would creep upwards
    // at every change).
    m.StepLines(200, true, 0);
    ASSERT_EQ(m.ViewPos(), 2000);
    append("line 1500\n");
    ASSERT_TRUE(m.ReloadFile(true));
    EXPECT_EQ(m.FileSize(), 5010);
    EXPECT_EQ(m.ViewPos(), 2000);

    // At the end, following the tail: the new end.
    m.GoEnd();
    m.SetEndVisible(true);  // the drawing would have said so
    append("line 1501\n");
    ASSERT_TRUE(m.ReloadFile(true));
    EXPECT_EQ(m.ViewPos(), 5020 - 10 * 10);
    EXPECT_TRUE(m.Memo().endVisible);
    // Not following: the old place.
    m.SetEndVisible(true);
    const int64_t before = m.ViewPos();
    append("line 1502\n");
    ASSERT_TRUE(m.ReloadFile(false));
    EXPECT_EQ(m.ViewPos(), before);

    // Cut below the view: the end of what is left.
    ASSERT_EQ(::truncate(file.Path().c_str(), 300), 0);
    ASSERT_TRUE(m.ReloadFile(false));
    EXPECT_EQ(m.FileSize(), 300);
    EXPECT_EQ(m.ViewPos(), 300 - 10 * 10);
}

// A stream whose reads fail (a device error, say).
class FailingStream : public TVuStream {
public:
    int64_t Size() const override { return 1000; }
    int64_t ReadAt(int64_t, void*, int64_t) override { return -1; }
};

class ThrowingStream : public TVuStream {
public:
    int64_t Size() const override { return 1000; }
    int64_t ReadAt(int64_t, void*, int64_t) override { throw std::runtime_error("gone"); }
};

TEST(BinHexSource, FailedStreamReadsAreReportedNotThrown)
{
    MessageCapture messages;
    FailingStream failing;
    ThrowingStream throwing;
    for (TVuStream* s : {static_cast<TVuStream*>(&failing), static_cast<TVuStream*>(&throwing)}) {
        TVuBinHexModel m;
        EXPECT_TRUE(m.OpenStream(s));
        EXPECT_FALSE(m.ReadOK());
    }
    EXPECT_EQ(messages.texts, (std::vector<std::string>{"Cannot read stream", "Cannot read stream"}));
}

TEST(BinHexSource, SmallerThanOneCharacterIsEmpty)
{
    StreamModel empty("", vbmodeText);
    EXPECT_TRUE(empty.model.IsEmptySource());
    StreamModel oneByte("A", vbmodeUnicode);
    EXPECT_TRUE(oneByte.model.IsEmptySource());
    StreamModel oneChar("A", vbmodeText);
    EXPECT_FALSE(oneChar.model.IsEmptySource());
}

TEST(BinHexSource, BufferIsThreeBlocksOfTwoHundredLines)
{
    StreamModel text("x", vbmodeText);
    EXPECT_EQ(text.model.BufferSize(), 180000);
    StreamModel unicode("xx", vbmodeUnicode);
    EXPECT_EQ(unicode.model.BufferSize(), 360000);
}

TEST(BinHexSource, AssertionsOfTheFetch)
{
    TVuBinHexModel none;
    char byte = 0;
    try {
        none.ReadSource(&byte, 1, 0);
        FAIL();
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "Buffer not allocated: ReadSource");
    }
    // 1 MB of text: far offsets are in the file but not in the buffer.
    StreamModel big(std::string(1 << 20, 'a'));
    try {
        big.model.GetChar(900000, false);
        FAIL();
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "Buffer position out of range: GetChar");
    }
    EXPECT_THROW(big.model.HexOfChar(900000), std::logic_error);
    EXPECT_TRUE(big.model.IsOutOfBuffer(900000));
    EXPECT_TRUE(big.model.IsOutOfBuffer(-1));
    EXPECT_TRUE(big.model.IsOutOfBuffer(1 << 20));
}

TEST(BinHexFetch, CharactersBelowTheFirstBecomeDotsExceptBreaksInText)
{
    StreamModel s(std::string("a\t\r\n\x01\x00", 6));
    const std::u16string text = {s.model.GetChar(0, false), s.model.GetChar(1, false), s.model.GetChar(2, false),
                                 s.model.GetChar(3, false), s.model.GetChar(4, false), s.model.GetChar(5, false)};
    EXPECT_EQ(text, u"a\t\r\n..");
    EXPECT_EQ(s.model.GetChar(1, true), u'.');
    EXPECT_EQ(s.model.GetChar(2, true), u'.');
    // Past the end the character is 0, shown as a dot.
    EXPECT_EQ(s.model.GetChar(6, false), u'.');
}

TEST(BinHexFetch, EncodingConvertsEachByteButAnsiAndOemSpecialStayRaw)
{
    StreamModel s("\xC1");
    EXPECT_EQ(s.model.GetChar(0, false), u'\xC1');  // ANSI: the byte itself
    s.model.SetTextEncoding(vEncCyrKOI8R);
    EXPECT_EQ(s.model.GetChar(0, false), u'\u0430');  // KOI8-R 0xC1 is Cyrillic a
    s.model.SetTextEncoding(vEncOEM);
    s.model.SetTextOemSpecial(true);
    EXPECT_TRUE(s.model.NoConversion());
    EXPECT_TRUE(s.model.UsesOemFont());
    EXPECT_EQ(s.model.GetChar(0, false), u'\xC1');
}

TEST(BinHexFetch, ByteOrderFromTheMark)
{
    struct Row {
        const char* name;
        std::string data;
        uint8_t order;
        char16_t second;
    } rows[] = {
        {"FE FF is big-endian", std::string("\xFE\xFF\x00\x41", 4), 2, u'A'},
        {"FF FE stays little-endian", std::string("\xFF\xFE\x41\x00", 4), 1, u'A'},
        {"no mark is little-endian", std::string("\x42\x00\x41\x00", 4), 1, u'A'},
    };
    for (const Row& row : rows) {
        StreamModel s(row.data, vbmodeUnicode);
        s.model.DetectByteOrder();
        EXPECT_EQ(s.model.ByteOrder(), row.order) << row.name;
        EXPECT_EQ(s.model.GetChar(2, false), row.second) << row.name;
    }
}

TEST(BinHexFetch, UnicodeHexShowsTheUnitHighByteFirstWhateverTheOrder)
{
    StreamModel s(std::string("\x41\x00\x42\x00", 4), vbmodeUHex);
    for (uint8_t order : {1, 2}) {
        s.model.SetByteOrder(order);
        EXPECT_EQ(s.model.HexOfChar(0), "0041");
        EXPECT_EQ(s.model.HexOfChar(2), "0042");  // the last unit too
    }
    EXPECT_EQ(s.model.HexOfChar(4), "");
    StreamModel bytes("\x0A\xFF", vbmodeHex);
    EXPECT_EQ(bytes.model.HexOfChar(1), "FF");
}

TEST(BinHexFetch, TrailingOddByteIsNotShownInUnicode)
{
    StreamModel s(std::string("a\0b\0c", 5), vbmodeUnicode);
    EXPECT_EQ(s.model.LastPos(), 2);
    EXPECT_EQ(LinesFrom(s.model, 0), (std::vector<std::string>{"ab"}));
}

TEST(BinHexProperties, SettersKeepTheirRanges)
{
    TVuBinHexModel m;
    struct Row {
        int in, width, hex, tab, indent;
    } rows[] = {
        {18, 18, 16, 16, 18}, {3, 3, 2, 3, 3}, {1, 2, 2, 1, 1}, {0, 2, 2, 1, 0},
        {400, 300, 300, 16, 80}, {301, 300, 300, 16, 80}, {299, 299, 296, 16, 80},
    };
    for (const Row& r : rows) {
        m.SetTextWidth(r.in);
        m.SetTextWidthHex(r.in);
        m.SetTextWidthUHex(r.in);
        m.SetTextTabSize(r.in);
        m.SetTextSearchIndentVert(r.in);
        EXPECT_EQ(m.TextWidth(), r.width) << r.in;
        EXPECT_EQ(m.TextWidthHex(), r.hex) << r.in;
        EXPECT_EQ(m.TextWidthUHex(), r.hex) << r.in;
        EXPECT_EQ(m.TextTabSize(), r.tab) << r.in;
        EXPECT_EQ(m.TextSearchIndentVert(), r.indent) << r.in;
    }
    m.SetTextWidthFitHex(true);
    m.SetTextWidthHex(40);
    m.SetTextWidthFitHex(false);
    EXPECT_EQ(m.TextWidthHex(), 16);
    m.SetTextWidthFitUHex(true);
    m.SetTextWidthFitUHex(false);
    EXPECT_EQ(m.TextWidthUHex(), 8);
}

TEST(BinHexProperties, OffsetDigits)
{
    EXPECT_EQ(OffsetDigitsFor(0), 8);
    EXPECT_EQ(OffsetDigitsFor(17), 8);
    EXPECT_EQ(OffsetDigitsFor(0xFFFFFFFF), 8);
    EXPECT_EQ(OffsetDigitsFor(0x100000000), 10);
    EXPECT_EQ(OffsetDigitsFor(0x10000000000), 12);
    // A 5 GiB file, sparse so it costs no disk.
    TempFile sparse = TempFile::Sparse(5LL << 30);
    TVuBinHexModel m;
    ASSERT_TRUE(m.OpenFile(sparse.Path()));
    EXPECT_EQ(m.OffsetDigits(), 10);
    EXPECT_EQ(m.FileSize(), 5LL << 30);
}

TEST(BinHexProperties, SelectionRoundsToCharactersAndStopsAtTheEnd)
{
    StreamModel s(std::string(10, 'a'), vbmodeUnicode);
    EXPECT_TRUE(s.model.SetSelection(3, 5));
    EXPECT_EQ(s.model.SelStart(), 2);
    EXPECT_EQ(s.model.SelLength(), 4);
    s.model.SetSelection(6, 100);
    EXPECT_EQ(s.model.SelLength(), 4);
    // "To the end" as the largest length a caller can give.
    s.model.SetSelection(4, INT64_MAX);
    EXPECT_EQ(s.model.SelStart(), 4);
    EXPECT_EQ(s.model.SelLength(), 6);
    EXPECT_FALSE(s.model.SetSelection(-1, 2));
    EXPECT_FALSE(s.model.SetSelection(20, 2));
}

}  // namespace
