// Line finding forward and backward, line moves and scrolling in every mode.
#include "BinHexTestSupport.h"

namespace {

using Lines = std::vector<std::string>;

TEST(BinHexLines, EachBreakEndsOneLine)
{
    struct Row {
        const char* name;
        const char* data;
        Lines lines;
    } rows[] = {
        {"CR LF", "a\r\nb", {"a", "b"}},
        {"LF CR", "a\n\rb", {"a", "b"}},
        {"lone CR", "a\rb", {"a", "b"}},
        {"lone LF", "a\nb", {"a", "b"}},
        {"CR CR ends two lines", "a\r\rb", {"a", "", "b"}},
        {"LF LF ends two lines", "a\n\nb", {"a", "", "b"}},
        {"CR LF CR LF", "a\r\n\r\nb", {"a", "", "b"}},
        {"a final break adds no line", "a\nb\n", {"a", "b"}},
    };
    for (const Row& row : rows) {
        StreamModel s(row.data);
        EXPECT_EQ(LinesFrom(s.model, 0), row.lines) << row.name;
    }
}

TEST(BinHexLines, LongLineIsCutIntoLineLimitPieces)
{
    StreamModel s(std::string(1000, 'x') + "\nend");
    std::vector<size_t> sizes;
    for (const std::string& line : LinesFrom(s.model, 0))
        sizes.push_back(line.size());
    EXPECT_EQ(sizes, (std::vector<size_t>{300, 300, 300, 100, 3}));
}

TEST(BinHexLines, MovingUpVisitsTheEmptyLine)
{
    StreamModel s("A\r\n\r\nB");
    const int64_t b = 5;
    const int64_t empty = s.model.NextLineStart(false, b);
    EXPECT_EQ(empty, 3);
    EXPECT_EQ(s.model.NextLineStart(false, empty), 0);
    // The same through the line moves.
    s.model.StepLines(2, true, 0);
    EXPECT_EQ(s.model.ViewPos(), b);
    s.model.LineUp(1);
    EXPECT_EQ(s.model.ViewPos(), 3);
    s.model.LineUp(1);
    EXPECT_EQ(s.model.ViewPos(), 0);
    s.model.LineUp(1);
    EXPECT_EQ(s.model.ViewPos(), 0);
}

TEST(BinHexLines, BackwardFindsTheLineStartsForwardFound)
{
    // Short, empty and mixed-break lines, all shorter than LineLimit.
    std::string data;
    for (int i = 0; i < 400; ++i) {
        data += std::string(size_t(i * 7 % 90), char('a' + i % 26));
        data += (i % 3 == 0) ? "\r\n" : (i % 3 == 1) ? "\n" : "\r";
    }
    data += "last";
    StreamModel s(data);
    std::vector<int64_t> starts;
    for (int64_t pos = 0; pos >= 0; pos = s.model.NextLineStart(true, pos))
        starts.push_back(pos);
    ASSERT_EQ(starts.size(), 401u);
    for (size_t i = starts.size() - 1; i > 0; --i)
        ASSERT_EQ(s.model.NextLineStart(false, starts[i]), starts[i - 1]) << i;
    // From the end of the data the last line is found whole.
    EXPECT_EQ(s.model.NextLineStart(false, s.model.FileSize()), starts.back());
}

TEST(BinHexLines, EndShowsTheLastPageOfLines)
{
    std::string data;
    for (int i = 0; i < 100; ++i)
        data += "line" + std::to_string(i) + "\n";
    data += "tail";
    StreamModel s(data, vbmodeText, 10);
    s.model.GoEnd();
    EXPECT_EQ(LinesFrom(s.model, s.model.ViewPos(), 10).front(), "line91");
    EXPECT_EQ(LinesFrom(s.model, s.model.ViewPos()).back(), "tail");
    // Down is ignored while the end is visible; up moves a page.
    s.model.SetEndVisible(true);
    const int64_t end = s.model.ViewPos();
    s.model.PageDown();
    EXPECT_EQ(s.model.ViewPos(), end);
    s.model.PageUp();
    EXPECT_EQ(LinesFrom(s.model, s.model.ViewPos(), 1).front(), "line81");
}

TEST(BinHexLines, PageMovesAcrossAFileLargerThanTheBuffer)
{
    // 20 000 lines of 99 characters: 2 MB, many buffers long.
    std::string data;
    for (int i = 0; i < 20000; ++i) {
        std::string n = std::to_string(i);
        data += n + std::string(99 - n.size(), '.') + "\n";
    }
    StreamModel s(data, vbmodeText, 50);
    for (int i = 0; i < 300; ++i)
        s.model.PageDown();
    EXPECT_EQ(s.model.ViewPos(), 300LL * 50 * 100);
    for (int i = 0; i < 299; ++i)
        s.model.PageUp();
    EXPECT_EQ(s.model.ViewPos(), 50LL * 100);
    // Reads happen only when the view leaves the buffer's window.
    EXPECT_LT(s.model.ReadCount(), 300);
    // Down to the end and past it, the view stays where drawing needs it:
    // in the first two blocks of the buffer.
    for (int i = 0; i < 500; ++i) {
        s.model.PageDown();
        ASSERT_GE(s.model.ViewPos(), s.model.BufferPos()) << i;
        ASSERT_LE(s.model.ViewPos(), s.model.BufferPos() + 2 * s.model.BlockSize()) << i;
    }
    EXPECT_EQ(s.model.ViewPos(), 19999LL * 100);  // the last line
}

TEST(BinHexLines, ScrollToShowsTheContainingLine)
{
    StreamModel s("first line\nsecond line\nthird");
    s.model.ScrollTo(15);  // inside "second line"
    EXPECT_EQ(s.model.ViewPos(), 11);
    s.model.ScrollTo(11);  // the first character of its line: one line higher
    EXPECT_EQ(s.model.ViewPos(), 0);
    s.model.ScrollTo(1000);  // past the end: the end of the file
    EXPECT_EQ(s.model.ViewPos(), 0);
    s.model.ScrollTo(-5);
    EXPECT_EQ(s.model.ViewPos(), 0);
}

TEST(BinHexLines, SwitchingFromHexToTextShowsTheLineHoldingTheOffset)
{
    // Lines of 100 bytes; 0x1230 = 4656 lies inside line 46 (4600..4699).
    std::string data;
    for (int i = 0; i < 100; ++i)
        data += std::string(99, char('a' + i % 26)) + "\n";
    TempFile file(data);
    TVuBinHexModel m;
    m.SetMode(vbmodeHex);
    ASSERT_TRUE(m.OpenFile(file.Path()));
    m.ScrollTo(0x1230);
    EXPECT_EQ(m.ViewPos(), 0x1230);
    m.SetMode(vbmodeText);
    EXPECT_EQ(m.ViewPos(), 4600);
    // At the first character of a line the view starts one line higher.
    m.SetMode(vbmodeHex);
    m.ScrollTo(4800);
    m.SetMode(vbmodeText);
    EXPECT_EQ(m.ViewPos(), 4700);
}

TEST(BinHexLines, WrapCutsAfterABlankAndDropsIt)
{
    // Every character is one cell of 10 pixels; the surface holds 10 cells.
    struct Cells : TVuLineMeasure {
        void CharExtents(const std::u16string& line, std::vector<int>& extents) override
        {
            extents.clear();
            for (size_t i = 0; i < line.size(); ++i)
                extents.push_back(int(i + 1) * 10);
        }
    } cells;
    StreamModel s("hello world and more\nx");
    s.model.SetLineMeasure(&cells);
    s.model.SetBitmapSize(102, 100);  // 100 pixels after the 2-pixel margin
    s.model.SetTextWrap(true);
    EXPECT_EQ(LinesFrom(s.model, 0), (Lines{"hello", "world and", "more", "x"}));
    StreamModel word("abcdefghijklmnopqrstuvwxyz");
    word.model.SetLineMeasure(&cells);
    word.model.SetBitmapSize(102, 100);
    word.model.SetTextWrap(true);
    EXPECT_EQ(LinesFrom(word.model, 0), (Lines{"abcdefghij", "klmnopqrst", "uvwxyz"}));
}

TEST(BinHexFixed, LineMovesKeepTheLineUnitAndStopAtTheLastPage)
{
    StreamModel s(std::string(1000, 'z'), vbmodeHex, 10);  // 63 lines of 16
    s.model.ScrollTo(100);
    EXPECT_EQ(s.model.ViewPos(), 96);
    s.model.LineDown(1);
    EXPECT_EQ(s.model.ViewPos(), 112);
    s.model.SetHorzScrollPos(50);
    s.model.LineUp(100);
    EXPECT_EQ(s.model.ViewPos(), 0);
    EXPECT_EQ(s.model.HorzScrollPos(), 0);
    // Last line starts at 992; the last page starts nine lines before.
    EXPECT_EQ(s.model.LastPageStart(), 992 - 9 * 16);
    for (int i = 0; i < 20; ++i)
        s.model.PageDown();
    EXPECT_EQ(s.model.ViewPos(), 992 - 9 * 16);
    s.model.GoHome();
    s.model.GoEnd();
    EXPECT_EQ(s.model.ViewPos(), 992 - 9 * 16);
}

TEST(BinHexFixed, ScrollToFarKeepsTheViewInTheFirstTwoBlocks)
{
    StreamModel s(std::string(2 << 20, 'q'), vbmodeBinary);
    for (int64_t target : {1500000LL, 70000LL, 2000000LL, 0LL}) {
        s.model.ScrollTo(target);
        EXPECT_EQ(s.model.ViewPos(), target / 80 * 80);
        EXPECT_LE(s.model.BufferPos(), s.model.ViewPos());
        EXPECT_LT(s.model.ViewPos(), s.model.BufferPos() + 2 * s.model.BlockSize());
    }
}

}  // namespace
