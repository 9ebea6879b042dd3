// Layout of each mode to the character cell, marks, colours, selection,
// gutter, the read-error text, the drawn-lines map and the scroll bars.
#include "BinHexTestSupport.h"
#include "FakeCanvas.h"

#include "binhex/core/VuBinHexPainter.h"
#include "binhex/core/VuBinHexScrollBars.h"

namespace {

constexpr int kCell = 8;
constexpr int kHeight = 10;
constexpr TVuColor kGrey = 0x6D6D6D;

// A model, its painter and a fixed-cell canvas of 100 columns x 10 lines.
struct Screen {
    explicit Screen(const std::string& data, TVuBinHexMode mode = vbmodeText) : stream(data)
    {
        model.SetMode(mode);
        model.OpenStream(&stream);
    }
    TVuDrawResult Draw(bool enabled = true, bool print = false)
    {
        TVuDrawRequest request;
        request.width = 2 + 100 * kCell;
        request.height = 10 * kHeight + 4;
        request.enabled = enabled;
        request.print = print;
        request.positions = &positions;
        colors.grayText = kGrey;
        return painter.DrawTo(canvas, request, colors);
    }
    TVuMemoryStream stream;
    TVuBinHexModel model;
    TVuBinHexPainter painter{model};
    FakeCanvas canvas{kCell, kHeight, 2};
    TStrPositions positions;
    TVuViewColors colors;
};

std::string Bytes(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += char('A' + i % 26);
    return s;
}

TEST(BinHexLayout, HexColumnsAtTheDefaults)
{
    Screen s(Bytes(40), vbmodeHex);
    s.Draw();
    // Byte columns from 11w, the second half one cell further, text at 61w.
    EXPECT_EQ(s.canvas.Row(0),
              "00000000:  41 42 43 44 45 46 47 48  49 4A 4B 4C 4D 4E 4F 50  ABCDEFGHIJKLMNOP");
    EXPECT_EQ(s.canvas.Row(0).find("41"), 11u);
    EXPECT_EQ(s.canvas.Row(0).find("ABCD"), 61u);
    EXPECT_EQ(s.canvas.Row(2), "00000020:  47 48 49 4A 4B 4C 4D 4E                           GHIJKLMN");
    // Colours alternate every two bytes.
    EXPECT_EQ(s.canvas.ColorAt(0, 11), s.colors.hex);
    EXPECT_EQ(s.canvas.ColorAt(0, 17), s.colors.hex2);
    EXPECT_EQ(s.canvas.ColorAt(0, 0), s.colors.text);
    // Three separators, pen 2, at D+2, D+3(N/2)+3 and D+3N+4 cells.
    std::vector<int> cols;
    for (const FakeCanvas::Op& op : s.canvas.OpsOf('L'))
        if (op.rect.top == 0)
            cols.push_back(s.canvas.Col(op.rect.left));
    EXPECT_EQ(cols, (std::vector<int>{10, 35, 60}));
    EXPECT_EQ(s.canvas.OpsOf('L')[0].penWidth, 2);
}

TEST(BinHexLayout, SeventeenBytesInHexGiveTwoLines)
{
    Screen s(Bytes(17), vbmodeHex);
    const TVuDrawResult r = s.Draw();
    EXPECT_EQ(s.canvas.Row(1), "00000010:  51                                                Q");
    EXPECT_EQ(s.canvas.Row(2), "");
    ASSERT_EQ(s.positions.Count(), 2u);
    EXPECT_EQ(s.positions[1].text, u"Q");
    EXPECT_TRUE(r.endVisible);
}

TEST(BinHexLayout, UnicodeHexShowsUnitsOfFourDigits)
{
    Screen s(std::string("A\0B\0C\0D\0E\0F\0G\0H\0I\0", 18), vbmodeUHex);
    s.Draw();
    EXPECT_EQ(s.canvas.Row(0), "00000000:  0041 0042 0043 0044  0045 0046 0047 0048  ABCDEFGH");
    EXPECT_EQ(s.canvas.Row(1), "00000010:  0049                                      I");
}

TEST(BinHexLayout, TextAndUnicodeLines)
{
    Screen text("first\r\nsecond\n\nfourth");
    text.Draw();
    EXPECT_EQ(text.canvas.Row(0), "first");
    EXPECT_EQ(text.canvas.Row(1), "second");
    EXPECT_EQ(text.canvas.Row(2), "");
    EXPECT_EQ(text.canvas.Row(3), "fourth");
    EXPECT_TRUE(text.model.EndVisible());

    Screen be(std::string("\xFE\xFF\0H\0i\0\n\0x\0y", 13), vbmodeUnicode);  // odd byte last
    be.Draw();
    EXPECT_EQ(be.model.ByteOrder(), 2);
    EXPECT_EQ(be.canvas.Row(0), "?Hi");  // the mark U+FEFF is drawn as it is
    EXPECT_EQ(be.canvas.Row(1), "xy");
}

TEST(BinHexLayout, BinaryLinesOfTextWidth)
{
    Screen s(std::string("ab\ncd\tef") + std::string(200, 'z'), vbmodeBinary);
    s.model.SetTextWidth(10);
    s.Draw();
    EXPECT_EQ(s.canvas.Row(0), "ab.cd.efzz");
    EXPECT_EQ(s.canvas.Row(1), "zzzzzzzzzz");
    EXPECT_EQ(s.positions[1].offset, 10);
}

TEST(BinHexLayout, NonPrintableMarks)
{
    Screen s("a\tb\r\nc d");
    s.model.SetTextNonPrintable(true);
    s.Draw();
    // The tab at column 2 expands to the next stop (7 cells), its mark in
    // the middle cell; the break gets the pilcrow, a space the middle dot.
    EXPECT_EQ(s.canvas.WideRow(0), u"a   \u00BB   b\u00B6");
    EXPECT_EQ(s.canvas.WideRow(1), u"c\u00B7d");
}

TEST(BinHexLayout, OemFontUsesTheOemMarksAndCodePage)
{
    Screen s("\xB0 x");
    s.model.SetTextEncoding(vEncOEM);
    s.model.SetTextOemSpecial(true);
    s.model.SetTextNonPrintable(true);
    s.Draw();
    EXPECT_EQ(s.canvas.font, vcfOem);
    const char16_t* oem = EncodingTable(vEncOEM);
    ASSERT_NE(oem, nullptr);
    EXPECT_EQ(s.canvas.WideRow(0), (std::u16string{oem[0xB0], oem[250], u'x'}));
}

TEST(BinHexLayout, DisabledAndPrintedColours)
{
    Screen s(Bytes(20), vbmodeHex);
    s.Draw(false);
    EXPECT_EQ(s.canvas.ColorAt(0, 0), kGrey);
    EXPECT_EQ(s.canvas.ColorAt(0, 11), kGrey);
    EXPECT_EQ(s.canvas.ColorAt(0, 61), kGrey);
    for (const FakeCanvas::Op& op : s.canvas.OpsOf('L'))
        EXPECT_EQ(op.color, kGrey);
    s.Draw(true, true);
    EXPECT_EQ(s.canvas.ColorAt(0, 11), 0x000000u);
    EXPECT_EQ(s.canvas.OpsOf('F')[0].color, 0xFFFFFFu);  // white page
}

TEST(BinHexLayout, SelectionIsInverted)
{
    Screen text("hello world");
    text.model.SetSelection(2, 5);  // "llo w"
    text.Draw();
    auto inv = text.canvas.OpsOf('I');
    ASSERT_EQ(inv.size(), 1u);
    EXPECT_EQ(text.canvas.Col(inv[0].rect.left), 2);
    EXPECT_EQ(text.canvas.Col(inv[0].rect.right), 7);
    EXPECT_EQ(inv[0].rect.bottom - inv[0].rect.top, kHeight);

    Screen hex(Bytes(20), vbmodeHex);
    hex.model.SetSelection(7, 2);  // bytes 7 and 8 straddle the middle gap
    hex.Draw();
    std::vector<std::pair<int, int>> cols;
    for (const FakeCanvas::Op& op : hex.canvas.OpsOf('I'))
        cols.push_back({hex.canvas.Col(op.rect.left), hex.canvas.Col(op.rect.right)});
    EXPECT_EQ(cols, (std::vector<std::pair<int, int>>{{32, 34}, {36, 38}, {68, 70}}));
}

TEST(BinHexLayout, GutterCirclesMarkTextLineStartsOnly)
{
    Screen s(std::string(450, 'x') + "\nshort");
    s.model.SetTextGutter(true);
    s.canvas = FakeCanvas(kCell, kHeight, 12);  // the margin follows the gutter
    s.Draw();
    // 450 characters are two displayed lines; only the first and "short"
    // start a text line.
    std::vector<int> rows;
    for (const FakeCanvas::Op& op : s.canvas.OpsOf('E'))
        rows.push_back((op.rect.top + op.rect.bottom) / 2 / kHeight);
    EXPECT_EQ(rows, (std::vector<int>{0, 2}));
    EXPECT_EQ(s.positions[0].x, 12);  // the margin follows the gutter
}

TEST(BinHexLayout, ReadErrorTextInsteadOfData)
{
    MessageCapture messages;
    struct Failing : TVuStream {
        int64_t Size() const override { return 100; }
        int64_t ReadAt(int64_t, void*, int64_t) override { return -1; }
    } failing;
    TVuBinHexModel model;
    TVuBinHexPainter painter(model);
    model.OpenStream(&failing);
    FakeCanvas canvas(kCell, kHeight, 2);
    canvas.strict = false;
    TVuDrawRequest request;
    request.width = 802;
    request.height = 104;
    painter.DrawTo(canvas, request, TVuViewColors{});
    const std::string expected = "Read error at offset 00000000";
    // Centred: x = (802 - 29 * 8) / 2 = 285, y = (104 - 10) / 2 = 47.
    EXPECT_EQ(canvas.Row(4).substr(35), expected);
    EXPECT_EQ(canvas.lastText.first, 285);
    EXPECT_EQ(canvas.lastText.second, 47);
}

TEST(BinHexLayout, WrappingMeasuresOnTheCanvas)
{
    Screen s("one two three four five six seven eight nine ten eleven twelve");
    s.model.SetTextWrap(true);
    s.model.SetBitmapSize(2 + 100 * kCell, 104);
    s.Draw();  // first drawing measures the font; lines are 100 cells
    EXPECT_EQ(s.canvas.Row(1), "");
    Screen narrow("one two three four five six seven eight nine ten eleven twelve");
    narrow.model.SetTextWrap(true);
    TVuDrawRequest request;
    request.width = 2 + 20 * kCell;
    request.height = 104;
    narrow.painter.DrawTo(narrow.canvas, request, narrow.colors);
    EXPECT_EQ(narrow.canvas.Row(0), "one two three four");
    EXPECT_EQ(narrow.canvas.Row(1), "five six seven eight");
    EXPECT_EQ(narrow.canvas.Row(2), "nine ten eleven");
    EXPECT_EQ(narrow.canvas.Row(3), "twelve");
}

TEST(BinHexLayout, FittedWidthsFollowTheSurface)
{
    Screen s(Bytes(2000), vbmodeHex);
    s.model.SetTextWidthFitHex(true);
    s.model.SetTextWidthFit(true);
    s.Draw();
    // 100 cells: (100 - 8 - 5) div 4 = 21, down to a multiple of 4.
    EXPECT_EQ(s.model.TextWidthHex(), 20);
    EXPECT_EQ(s.model.TextWidth(), 100);
}

TEST(BinHexLayout, HomeAfterAFarJumpDrawsTheStart)
{
    // The start must be read back: drawing from offset 0 with the buffer far
    // away would break the positions check.
    std::string data = "START" + std::string(1 << 20, 'a');
    Screen s(data);
    s.model.ScrollTo(900000);
    ASSERT_GT(s.model.BufferPos(), 0);
    s.model.GoHome();
    EXPECT_NO_THROW(s.Draw());
    EXPECT_EQ(s.canvas.Row(0).substr(0, 5), "START");
}

TEST(BinHexPositions, PointsAndOffsets)
{
    Screen s("abcdef\nxyz");
    s.Draw();
    TVuTextOutputOptions options = TextOutputOptionsOf(s.model, false);
    auto at = [&](int x, int y) { return s.positions.OffsetAt(x, y, kHeight, s.canvas, options); };
    EXPECT_EQ(at(0, 0), 0);                // left of the origin
    EXPECT_EQ(at(2 + 2 * kCell + 3, 5), 2);  // left half of "c"
    EXPECT_EQ(at(2 + 2 * kCell + 5, 5), 3);  // right half of "c"
    EXPECT_EQ(at(700, 5), 6);              // right of the line: after "f"
    EXPECT_EQ(at(4, 15), 7);               // second line
    EXPECT_EQ(at(10, 95), 10);             // below the last line
    int x = 0, y = 0;
    ASSERT_TRUE(s.positions.PointOf(8, x, y, s.canvas, options));
    EXPECT_EQ(x, 2 + kCell);
    EXPECT_EQ(y, kHeight);
    EXPECT_FALSE(s.positions.PointOf(6, x, y, s.canvas, options));  // the break
    EXPECT_EQ(s.positions.WidestLine(s.canvas, options), 2 + 6 * kCell);
    TStrPositions empty;
    EXPECT_EQ(empty.OffsetAt(5, 5, kHeight, s.canvas, options), -1);
}

TEST(BinHexScrollBars, VerticalRules)
{
    struct Row {
        const char* name;
        bool readOK;
        int64_t size, unit, view, visible;
        int max, page, pos;
    } rows[] = {
        {"a failed read hides it", false, 1000, 10, 0, 100, 0, 0, 0},
        {"one line unit or less hides it", true, 10, 10, 0, 100, 0, 0, 0},
        {"a part visible", true, 1000, 10, 500, 100, 100, 10, 50},
        {"all visible: page above max", true, 1000, 10, 0, 2000, 100, 101, 0},
        {"huge file: 32767 at most", true, 10LL << 30, 16, 5LL << 30, 800, 32767, 1, 16383},
    };
    for (const Row& r : rows) {
        TVuScrollInfo info = VertScrollInfo(r.readOK, r.size, r.unit, r.view, r.visible);
        EXPECT_EQ(info.max, r.max) << r.name;
        EXPECT_EQ(info.page, r.page) << r.name;
        EXPECT_EQ(info.pos, r.pos) << r.name;
    }
    EXPECT_FALSE(VertScrollInfo(true, 1000, 10, 0, 2000).Visible());
    EXPECT_EQ(ThumbOffset(1000, 50, 100), 500);
}

TEST(BinHexScrollBars, HorizontalRangeOnlyGrows)
{
    int pos = 0, max = 0;
    TVuScrollInfo info = HorzScrollInfo(false, 1500, 500, pos, max);
    EXPECT_EQ(info.max, 1500);
    EXPECT_EQ(info.page, 501);
    EXPECT_TRUE(info.Visible());
    pos = 5000;  // clamped to content - client
    info = HorzScrollInfo(false, 1500 - 5000, 500, pos, max);
    EXPECT_EQ(pos, 1000);
    info = HorzScrollInfo(false, 300, 500, pos = 0, max);  // narrower lines later
    EXPECT_EQ(info.max, 1500);
    EXPECT_FALSE(HorzScrollInfo(true, 1500, 500, pos, max).Visible());

    // Short lines in a client that narrows (its vertical bar showing) need
    // no horizontal bar.
    int narrowMax = 0;
    EXPECT_FALSE(HorzScrollInfo(false, 300, 640, pos = 0, narrowMax).Visible());
    EXPECT_FALSE(HorzScrollInfo(false, 300, 620, pos = 0, narrowMax).Visible());
}

}  // namespace
