// UTF-8 text in the view: characters of 1 to 4 bytes and invalid bytes
// found by lines forward and backward, positions moved to character starts,
// selections of whole characters, the text as copied, and the layout map
// from drawn units back to byte offsets.
#include "BinHexTestSupport.h"
#include "FakeCanvas.h"

#include "binhex/core/VuBinHexPainter.h"
#include "binhex/core/VuBinHexSelection.h"
#include "text/core/VuxUtf8.h"

namespace {

// Lines with 1- to 4-byte characters, invalid bytes (a lone continuation, a
// lone lead, a cut sequence, bytes that never occur) and every kind of break.
const std::string kMixed = "plain ascii\r\n"
                           "\xD0\x96\xD1\x83\xD0\xBA \xD0\xB6\xD1\x83\xD0\xBA\n"                      // Жук жук
                           "\xE4\xB8\xAD\xE6\x96\x87 text\r"                                          // 中文 text
                           "\xF0\x9F\x98\x80 smile \xF0\x9F\x98\x81\n\r"                             // two emoji
                           "bad \x80 \xD0 \xE4\xB8 \xFF end\n"
                           "\n"
                           "a\xD0\xB6\xE4\xB8\xAD\xF0\x9F\x98\x80z";

struct Utf8Model {
    explicit Utf8Model(const std::string& data, int lines = 10) : stream(data)
    {
        model.SetTextEncoding(vEncUTF8);
        model.SetFontMetrics({10, 32, 8, true});
        model.SetBitmapSize(800, lines * 10 + 4);
        model.OpenStream(&stream);
    }
    TVuMemoryStream stream;
    TVuBinHexModel model;
};

const uint8_t* Raw(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

bool IsCharStart(const std::string& data, int64_t offset)
{
    return offset >= int64_t(data.size()) || Utf8CharStart(Raw(data), data.size(), size_t(offset)) == size_t(offset);
}

// Every line start walking forward from 0.
std::vector<int64_t> ForwardStarts(const TVuBinHexModel& m)
{
    std::vector<int64_t> starts;
    for (int64_t pos = 0; pos >= 0; pos = m.NextLineStart(true, pos))
        starts.push_back(pos);
    return starts;
}

TEST(BinHexUtf8, LinesDecodeCharactersWithOneReplacementPerInvalidByte)
{
    Utf8Model s(kMixed);
    std::vector<std::u16string> lines;
    for (int64_t pos = 0; pos >= 0 && pos < s.model.FileSize();) {
        const TVuReadLine line = s.model.ReadLine(true, pos);
        lines.push_back(line.text);
        pos = s.model.NextLineStartAfter(pos, line);
    }
    EXPECT_EQ(lines, (std::vector<std::u16string>{u"plain ascii", u"Жук жук", u"中文 text", u"😀 smile 😁",
                                                   u"bad \uFFFD \uFFFD \uFFFD\uFFFD \uFFFD end", u"",
                                                   u"aж中😀z"}));
    // Characters, not bytes or units: the last line is 5 characters in
    // 11 bytes and 6 units, each unit knowing the bytes before its character.
    const int64_t last = int64_t(kMixed.rfind('a'));
    const TVuReadLine line = s.model.ReadLine(true, last);
    EXPECT_EQ(line.count, 5);
    EXPECT_EQ(line.bytes, 11);
    EXPECT_EQ(line.offsets, (std::vector<int32_t>{0, 1, 3, 6, 6, 10, 11}));
}

TEST(BinHexUtf8, LinesFoundForwardAndBackwardAgree)
{
    // The mixed lines over and over, with lines just under LineLimit
    // characters made of two- and four-byte ones (up to 1156 bytes), in a
    // source several buffers long. (A line longer than LineLimit is cut
    // into pieces from its start going down and from its end going up, in
    // every encoding alike.)
    std::string data;
    for (int i = 0; data.size() < 3'000'000; ++i) {
        data += kMixed;
        data += (i % 3 == 0) ? "\r\n" : "\n";
        if (i % 7 == 0) {
            for (int k = 0; k < 250 + i % 40; ++k)
                data += k % 5 == 0 ? "\xF0\x9F\x98\x80" : "\xD0\xB6";
            data += "\n";
        }
    }
    data += "tail";
    Utf8Model s(data, 50);
    ASSERT_GT(s.model.FileSize(), 3 * s.model.BufferSize());
    // Walk down page by page and back up line by line around each page.
    for (int page = 0; page < 3000; ++page) {
        const int64_t top = s.model.ViewPos();
        std::vector<int64_t> starts{top};
        for (int k = 0; k < 60; ++k) {
            const int64_t next = s.model.NextLineStart(true, starts.back());
            if (next < 0)
                break;
            starts.push_back(next);
        }
        for (size_t k = 1; k < starts.size(); ++k) {
            ASSERT_TRUE(IsCharStart(data, starts[k])) << starts[k];
            ASSERT_EQ(s.model.NextLineStart(false, starts[k]), starts[k - 1]) << "line at " << starts[k];
        }
        if (starts.size() <= 50)
            break;  // the last page: paging down shows the last lines instead
        const int64_t before = s.model.ViewPos();
        s.model.PageDown();
        if (s.model.ViewPos() == before)
            break;
        // Paging down 50 lines lands on the 50th line start found above.
        ASSERT_EQ(s.model.ViewPos(), starts[50]);
    }
    // From the end the last line is found whole, and up from there the
    // view comes back to where paging down went.
    s.model.GoEnd();
    EXPECT_TRUE(IsCharStart(data, s.model.ViewPos()));
    const int64_t lastLine = s.model.NextLineStart(false, s.model.FileSize());
    EXPECT_EQ(lastLine, int64_t(data.rfind('\n')) + 1);
}

TEST(BinHexUtf8, LineLimitCountsCharacters)
{
    std::string data;
    for (int k = 0; k < 700; ++k)
        data += "\xD0\xB6";  // 700 characters, 1400 bytes
    Utf8Model s(data + "\nz");
    std::vector<int> counts;
    std::vector<int64_t> bytes;
    for (int64_t pos = 0; pos >= 0 && pos < s.model.FileSize();) {
        const TVuReadLine line = s.model.ReadLine(true, pos);
        counts.push_back(line.count);
        bytes.push_back(line.bytes);
        pos = s.model.NextLineStartAfter(pos, line);
    }
    EXPECT_EQ(counts, (std::vector<int>{300, 300, 100, 1}));
    EXPECT_EQ(bytes, (std::vector<int64_t>{600, 600, 200, 1}));
}

TEST(BinHexUtf8, PositionsInsideASequenceMoveBackToItsStart)
{
    Utf8Model s(kMixed);
    const int64_t han = int64_t(kMixed.find("\xE4\xB8\xAD"));
    for (int64_t inside : {han + 1, han + 2}) {
        EXPECT_EQ(s.model.CharStart(inside), han);
        s.model.RestoreViewPos(inside);
        EXPECT_EQ(s.model.ViewPos(), han);
    }
    // A lone continuation byte is a character of its own.
    const int64_t lone = int64_t(kMixed.find("bad ")) + 4;
    EXPECT_EQ(s.model.CharStart(lone), lone);
    EXPECT_EQ(s.model.CharBytesAt(lone), 1);
    EXPECT_EQ(s.model.PrevCharStart(han + 3), han);
    // Switching to UTF-8 with the view inside a character moves it too.
    TVuMemoryStream stream(kMixed);
    TVuBinHexModel m;
    m.OpenStream(&stream);
    m.RestoreViewPos(han + 1);
    EXPECT_EQ(m.ViewPos(), han + 1);
    m.SetTextEncoding(vEncUTF8);
    EXPECT_EQ(m.ViewPos(), han);
    EXPECT_EQ(m.BlockSize(), int64_t(kUtf8MaxBytes) * LineLimit(vbmodeText) * kMaxDrawLines);
}

TEST(BinHexUtf8, SelectionsAreWholeCharacters)
{
    Utf8Model s(kMixed);
    const int64_t emoji = int64_t(kMixed.find("\xF0\x9F\x98\x80"));
    struct Row {
        const char* what;
        int64_t start, length;
        int64_t wantStart, wantLength;
    } rows[] = {
        {"a start inside moves back", emoji + 2, 5, emoji, 7},
        {"an end inside moves forward", emoji, 2, emoji, 4},
        {"both inside one character", emoji + 1, 1, emoji, 4},
        {"whole characters stay", emoji, 4, emoji, 4},
        {"nothing selected stays empty", emoji + 3, 0, emoji, 0},
    };
    for (const Row& r : rows) {
        s.model.SetSelection(0, 0);
        s.model.SetSelection(r.start, r.length);
        EXPECT_EQ(s.model.SelStart(), r.wantStart) << r.what;
        EXPECT_EQ(s.model.SelLength(), r.wantLength) << r.what;
    }
    // Far outside the buffer the bytes around are read for it.
    std::string big(4'000'000, 'x');
    big.replace(3'500'000, 3, "\xE4\xB8\xAD");
    Utf8Model far(big);
    ASSERT_TRUE(far.model.IsOutOfBuffer(3'500'001));
    far.model.SetSelection(3'500'001, 1);
    EXPECT_EQ(far.model.SelStart(), 3'500'000);
    EXPECT_EQ(far.model.SelLength(), 3);
}

TEST(BinHexUtf8, CopiedTextIsTheFilesText)
{
    Utf8Model s(kMixed);
    s.model.SetSelection(0, s.model.FileSize());
    EXPECT_EQ(SelectedBytes(s.model), kMixed);
    EXPECT_EQ(SelectionTextUnicode(s.model), EncodingToUnicode(kMixed, vEncUTF8));
    EXPECT_EQ(Utf16ToUtf8(SelectionTextUnicode(s.model)).substr(0, 40), kMixed.substr(0, 40));
    // Narrowed to ANSI, each character the code page lacks is one "?".
    const int64_t last = int64_t(kMixed.rfind('a'));
    s.model.SetSelection(last, 11);
    EXPECT_EQ(SelectionText(s.model), "a???z");
}

TEST(BinHexUtf8, WordsAreWholeCharacters)
{
    Utf8Model s(kMixed);
    const int64_t word = int64_t(kMixed.find("\xD0\xB6\xD1\x83\xD0\xBA"));  // жук
    const TVuByteRange r = WordOrLineAt(s.model, word + 2, false);
    EXPECT_EQ(r, (TVuByteRange{word, 6}));
    const TVuByteRange line = WordOrLineAt(s.model, word, true);
    EXPECT_EQ(kMixed.substr(size_t(line.start), size_t(line.length)), "\xD0\x96\xD1\x83\xD0\xBA \xD0\xB6\xD1\x83\xD0\xBA");
}

// The binary and hex modes show bytes: every byte from 0x80 up is ".".
TEST(BinHexUtf8, FixedModesShowHighBytesAsDots)
{
    for (TVuBinHexMode mode : {vbmodeBinary, vbmodeHex}) {
        Utf8Model s("a\xD0\xB6z");
        s.model.SetMode(mode);
        EXPECT_EQ(s.model.MaxCharBytes(), 1);
        std::u16string shown;
        for (int64_t i = 0; i < 4; ++i)
            shown += s.model.GetChar(i, true);
        EXPECT_EQ(shown, u"a..z");
    }
}

// Drawn on cells of 8 pixels: a character beyond U+FFFF is two units, two
// cells, and the map from points to offsets and the highlight both follow
// the units' byte offsets.
TEST(BinHexUtf8, DrawnUnitsMapBackToByteOffsets)
{
    const std::string data = "a\xD0\xB6\xE4\xB8\xAD\xF0\x9F\x98\x80z\nnext";
    TVuMemoryStream stream(data);
    TVuBinHexModel model;
    model.SetTextEncoding(vEncUTF8);
    model.OpenStream(&stream);
    TVuBinHexPainter painter(model);
    FakeCanvas canvas(8, 10, 2);
    TStrPositions positions;
    TVuDrawRequest request;
    request.width = 802;
    request.height = 104;
    request.positions = &positions;
    model.SetSelection(3, 7);  // 中😀
    painter.DrawTo(canvas, request, TVuViewColors{});
    EXPECT_EQ(canvas.WideRow(0), u"aж中😀z");
    ASSERT_EQ(positions.Count(), 2u);
    // Cells 0..5 hold a, ж, 中, the pair, z; the middle of each cell decides.
    const TVuTextOutputOptions options = TextOutputOptionsOf(model, false);
    const int expected[] = {0, 1, 3, 6, 6, 10, 11};
    for (int cell = 0; cell <= 6; ++cell)
        EXPECT_EQ(positions.OffsetAt(2 + cell * 8 + 1, 5, 10, canvas, options), expected[cell]) << "cell " << cell;
    int x = 0, y = 0;
    ASSERT_TRUE(positions.PointOf(6, x, y, canvas, options));
    EXPECT_EQ(canvas.Col(x), 3);
    // The highlight covers 中 and both units of the emoji: cells 2..4.
    const std::vector<FakeCanvas::Op> inverted = canvas.OpsOf('I');
    ASSERT_EQ(inverted.size(), 1u);
    EXPECT_EQ(canvas.Col(inverted[0].rect.left), 2);
    EXPECT_EQ(canvas.Col(inverted[0].rect.right), 5);
}

// Wrapping cuts between characters, never inside a surrogate pair, and the
// next line starts at the byte after the last one kept.
TEST(BinHexUtf8, WrapKeepsCharactersWhole)
{
    struct Cells : TVuLineMeasure {
        void CharExtents(const std::u16string& line, std::vector<int>& extents) override
        {
            extents.clear();
            for (size_t i = 0; i < line.size(); ++i)
                extents.push_back(int(i + 1) * 10);
        }
    } cells;
    std::string data;
    for (int k = 0; k < 12; ++k)
        data += "\xF0\x9F\x98\x80";  // 12 emoji: 24 units, 48 bytes
    Utf8Model s(data);
    s.model.SetLineMeasure(&cells);
    s.model.SetBitmapSize(2 + 55, 100);  // 5 cells: two emoji and half of a third
    s.model.SetTextWrap(true);
    std::vector<int64_t> starts = ForwardStarts(s.model);
    EXPECT_EQ(starts, (std::vector<int64_t>{0, 8, 16, 24, 32, 40}));
    const TVuReadLine line = s.model.ReadLine(true, 0);
    EXPECT_EQ(line.text.size(), 4u);
    EXPECT_EQ(line.count, 2);
    EXPECT_EQ(line.bytes, 8);
    EXPECT_EQ(line.offsets.back(), 8);
}

}  // namespace
