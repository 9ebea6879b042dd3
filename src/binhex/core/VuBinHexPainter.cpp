#include "binhex/core/VuBinHexPainter.h"

#include "text/core/VuViewerMsg.h"
#include "text/core/VuxSProc.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

bool IsBreak(char16_t ch) { return ch == 13 || ch == 10; }

std::u16string HexDigits(int64_t value, int digits)
{
    static const char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string s(size_t(digits), u'0');
    for (int i = digits - 1; i >= 0 && value > 0; --i, value >>= 4)
        s[size_t(i)] = kDigits[value & 15];
    return s;
}

std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

}  // namespace

TVuBinHexPainter::TVuBinHexPainter(TVuBinHexModel& model) : model_(model) { model_.SetLineMeasure(this); }

TVuBinHexPainter::~TVuBinHexPainter() { model_.SetLineMeasure(nullptr); }

void TVuBinHexPainter::CharExtents(const std::u16string& line, std::vector<int>& extents)
{
    extents.clear();
    if (!canvas_)
        return;
    std::vector<int> edges;
    LineExtents(*canvas_, line, TextOutputOptionsOf(model_, false), edges);
    extents.assign(edges.begin() + 1, edges.end());
}

TVuBinHexPainter::Palette TVuBinHexPainter::PaletteFor(const TVuDrawRequest& request, const TVuViewColors& c) const
{
    if (request.print)
        return Palette{0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0x808080, 0x000000};
    Palette p{c.background, c.hexBack, c.text, c.hex, c.hex2, c.lines, c.error};
    if (!request.enabled)
        p.text = p.hex = p.hex2 = p.lines = p.error = c.grayText;
    return p;
}

int TVuBinHexPainter::LinesToDraw() const { return std::min(model_.VisibleLines() + 1, kMaxDrawLines); }

// Lines start below this offset: the file size, or in the Unicode modes
// the end of its last whole unit (a trailing odd byte is not shown).
int64_t TVuBinHexPainter::DrawLimit() const
{
    const int cs = model_.CharSize();
    return model_.FileSize() / cs * cs;
}

bool TVuBinHexPainter::IsSelected(int64_t offset) const
{
    return model_.SelLength() > 0 && offset >= model_.SelStart() && offset < model_.SelStart() + model_.SelLength();
}

void TVuBinHexPainter::FitWidths(int width)
{
    const int w = std::max(model_.FontMetrics().cellWidth, 1);
    const int count = (width - model_.LeftMargin()) / w;
    const int digits = model_.OffsetDigits();
    if (model_.TextWidthFit())
        model_.SetTextWidth(count);
    if (model_.TextWidthFitHex())
        model_.SetTextWidthHex((count - digits - 5) / 4);
    if (model_.TextWidthFitUHex())
        model_.SetTextWidthUHex((count - digits - 5) / 6);
}

TVuDrawResult TVuBinHexPainter::DrawTo(TVuCanvas& canvas, const TVuDrawRequest& request, const TVuViewColors& colors)
{
    TVuBinHexModel& m = model_;
    if (m.BufferPos() < 0 || m.BufferPos() > m.LastPos() || m.ViewPos() < m.BufferPos() ||
        m.ViewPos() > m.BufferPos() + 2 * m.BlockSize()) {
        char text[160];
        std::snprintf(text, sizeof text, "Positions out of range: DrawTo\r\rBufferPos: %lld\rViewPos: %lld",
                      static_cast<long long>(m.BufferPos()), static_cast<long long>(m.ViewPos()));
        throw std::logic_error(text);
    }
    const Palette pal = PaletteFor(request, colors);
    gutterColor_ = colors.gutter;

    canvas.SetSize(request.width, request.height);
    canvas.FillRect({0, 0, request.width, request.height}, pal.background);
    if (m.TextGutter())
        canvas.FillRect({0, 0, m.TextGutterWidth(), request.height}, gutterColor_);
    if (request.positions)
        request.positions->Clear(m.CharSize());
    canvas.UseFont(m.UsesOemFont() ? vcfOem : vcfNormal);
    const TVuFontInfo font = canvas.FontInfo();
    m.SetFontMetrics({font.height > 0 ? font.height : 1, font.firstChar, font.cellWidth > 0 ? font.cellWidth : 1,
                      font.fixedPitch});
    m.SetBitmapSize(request.width, request.height);
    // Wrapping measures on the surface being drawn, then on the screen's
    // canvas again (printing draws on a canvas of its own).
    struct MeasureOn {
        TVuCanvas*& slot;
        TVuCanvas* previous;
        ~MeasureOn() { if (previous) slot = previous; }
    } measureOn{canvas_, canvas_};
    canvas_ = &canvas;

    FitWidths(request.width);
    TVuDrawResult result;
    result.visibleBytes = int64_t(m.VisibleLines()) * m.LineUnit();
    if (!m.ReadOK()) {
        DrawReadError(canvas, request, pal);
    } else {
        if (IsUnicodeMode(m.Mode()))
            m.DetectByteOrder();
        if (IsTextMode(m.Mode()))
            DrawTextLines(canvas, request, pal, result);
        else if (m.Mode() == vbmodeBinary)
            DrawBinaryLines(canvas, request, pal, result);
        else
            DrawHexLines(canvas, request, pal, result);
    }
    m.SetEndVisible(result.endVisible);
    return result;
}

void TVuBinHexPainter::Highlight(TVuCanvas& canvas, const TVuDrawRequest& request, int x, int y, int64_t from,
                                 const std::u16string& text, const std::vector<int32_t>& offsets,
                                 const TVuTextOutputOptions& options)
{
    const TVuBinHexModel& m = model_;
    if (m.SelLength() <= 0 || text.empty())
        return;
    const int cs = m.CharSize();
    const int64_t len = int64_t(text.size());
    const int64_t lineBytes = offsets.empty() ? len * cs : offsets.back();
    const int64_t selEnd = m.SelStart() + m.SelLength();
    if (m.SelStart() >= from + lineBytes || selEnd <= from)
        return;
    if (x >= request.width || y >= request.height)
        return;
    int64_t first, last;
    if (offsets.empty()) {
        first = std::max<int64_t>((m.SelStart() - from) / cs, 0);
        last = std::min<int64_t>((selEnd - from) / cs, len);
    } else {
        // The units of the characters the selection covers.
        const auto end = offsets.begin() + len;
        first = std::lower_bound(offsets.begin(), end, m.SelStart() - from) - offsets.begin();
        last = std::lower_bound(offsets.begin(), end, selEnd - from) - offsets.begin();
    }
    std::vector<int> extents;
    LineExtents(canvas, text, options, extents);
    canvas.InvertRect({x + extents[size_t(first)], y, x + extents[size_t(last)], y + m.FontMetrics().lineHeight});
}

void TVuBinHexPainter::DrawTextLines(TVuCanvas& canvas, const TVuDrawRequest& request, const Palette& pal,
                                     TVuDrawResult& result)
{
    TVuBinHexModel& m = model_;
    const int lh = m.FontMetrics().lineHeight;
    const int visible = m.VisibleLines();
    const int x = m.LeftMargin() - m.HorzScrollPos();
    const int64_t limit = DrawLimit();
    const int gw = m.TextGutterWidth();
    int64_t pos = m.ViewPos();
    int64_t afterVisible = -1;  // start of the line after the last fully visible one
    const int count = LinesToDraw();
    for (int k = 0; k < count; ++k) {
        if (pos >= limit || (request.endOffset >= 0 && pos > request.endOffset))
            break;
        const TVuReadLine line = m.ReadLine(true, pos);
        const int64_t next = m.NextLineStartAfter(pos, line);
        const int64_t after = pos + line.bytes;
        const bool endsWithBreak = !m.IsOutOfBuffer(after) && IsBreak(m.GetChar(after, false));
        const TVuTextOutputOptions options = TextOutputOptionsOf(m, endsWithBreak);
        const int y = k * lh;
        const int width = DrawLineText(canvas, x, y, line.text, options, pal.text);
        Highlight(canvas, request, x, y, pos, line.text, line.offsets, options);
        if (request.positions)
            request.positions->Add(line.text, x, y, pos, width, line.offsets);
        if (m.TextGutter()) {
            canvas.FillRect({0, y, gw, y + lh}, gutterColor_);
            const int64_t prev = m.PrevCharStart(pos);
            if (pos == 0 || m.IsOutOfBuffer(prev) || IsBreak(m.GetChar(prev, false))) {
                const int cx = gw / 2;
                const int cy = y + lh / 2;
                canvas.Ellipse({cx - 3, cy - 3, cx + 3, cy + 3}, pal.text, pal.background);
            }
        }
        if (k == visible - 1)
            afterVisible = next;
        if (next < 0) {
            if (k < visible)
                result.endVisible = true;
            break;
        }
        pos = next;
    }
    if (m.VariableScrollbar())
        result.visibleBytes = (afterVisible >= 0 ? afterVisible : m.FileSize()) - m.ViewPos();
}

void TVuBinHexPainter::DrawBinaryLines(TVuCanvas& canvas, const TVuDrawRequest& request, const Palette& pal,
                                       TVuDrawResult& result)
{
    TVuBinHexModel& m = model_;
    const int lh = m.FontMetrics().lineHeight;
    const int n = m.TextWidth();
    const int x = m.LeftMargin() - m.HorzScrollPos();
    const int64_t size = m.FileSize();
    const TVuTextOutputOptions options = TextOutputOptionsOf(m, false);
    const int count = LinesToDraw();
    std::u16string text;
    for (int k = 0; k < count; ++k) {
        const int64_t o = m.ViewPos() + int64_t(k) * n;
        if (o >= size || (request.endOffset >= 0 && o > request.endOffset))
            break;
        text.clear();
        for (int j = 0; j < n && o + j < size; ++j)
            text += m.GetChar(o + j, true);
        const int y = k * lh;
        const int width = DrawLineText(canvas, x, y, text, options, pal.text);
        Highlight(canvas, request, x, y, o, text, {}, options);
        if (request.positions)
            request.positions->Add(text, x, y, o, width);
    }
    result.endVisible = m.ViewPos() >= size - int64_t(m.VisibleLines()) * n;
    if (m.TextGutter())
        canvas.FillRect({0, 0, m.TextGutterWidth(), request.height}, gutterColor_);
}

// vbmodeHex and vbmodeUHex: a byte is one cell of 2 digits 3 cells apart, a
// 16-bit unit one of 4 digits 5 cells apart.
void TVuBinHexPainter::DrawHexLines(TVuCanvas& canvas, const TVuDrawRequest& request, const Palette& pal,
                                    TVuDrawResult& result)
{
    TVuBinHexModel& m = model_;
    const bool units = m.Mode() == vbmodeUHex;
    const int n = units ? m.TextWidthUHex() : m.TextWidthHex();  // cells per line
    const int cs = units ? 2 : 1;                                 // bytes per cell
    const int pitch = units ? 5 : 3;                              // cells from one to the next
    const int digits = units ? 4 : 2;
    const int lh = m.FontMetrics().lineHeight;
    const int w = m.FontMetrics().cellWidth;
    const int d = m.OffsetDigits();
    const int x = m.LeftMargin() - m.HorzScrollPos();
    const int64_t size = m.FileSize();
    const int64_t lineBytes = int64_t(n) * cs;
    const TVuTextOutputOptions options = TextOutputOptionsOf(m, false);
    // With cells exactly one character wide, the digits of one colour go out
    // as one string per line, spaced by blanks, instead of one call a cell.
    const bool cellsExact = m.FontMetrics().fixedPitch && canvas.TextWidth(u"0W.") == 3 * w;
    const int hexCells = pitch * n + 2;
    const int textColumn = d + pitch * n + 5;
    const int count = LinesToDraw();
    std::u16string text, run1, run2;
    for (int k = 0; k < count; ++k) {
        const int64_t o = m.ViewPos() + int64_t(k) * lineBytes;
        if (o + cs > size || (request.endOffset >= 0 && o > request.endOffset))
            break;
        const int y = k * lh;
        std::u16string offsetText = HexDigits(o, d);
        offsetText += u':';
        canvas.TextOut(x, y, offsetText, pal.text);
        canvas.FillRect({x + (d + 2) * w, y, x + (d + 2 + hexCells) * w, y + lh + 1}, pal.hexBack);

        text.clear();
        if (cellsExact) {
            run1.assign(size_t(hexCells), u' ');
            run2.assign(size_t(hexCells), u' ');
        }
        for (int j = 0; j < n; ++j) {
            const int64_t at = o + int64_t(j) * cs;
            if (at + cs > size)
                break;
            const std::u16string hex = Widen(m.HexOfChar(at));
            const int cell = pitch * j + (j >= n / 2 ? 1 : 0);  // from column d + 3
            const bool first = j % 4 < 2;
            if (cellsExact)
                (first ? run1 : run2).replace(size_t(cell), hex.size(), hex);
            else
                canvas.TextOut(x + (d + 3 + cell) * w, y, hex, first ? pal.hex : pal.hex2);
            text += m.GetChar(at, true);
        }
        if (cellsExact) {
            const int hx = x + (d + 3) * w;
            for (auto [run, color] : {std::pair{&run1, pal.hex}, std::pair{&run2, pal.hex2}}) {
                while (!run->empty() && run->back() == u' ')
                    run->pop_back();
                if (!run->empty())
                    canvas.TextOut(hx, y, *run, color);
            }
        }
        for (int j = 0; j < int(text.size()); ++j) {
            const int64_t at = o + int64_t(j) * cs;
            if (!IsSelected(at))
                continue;
            const int cx = x + (d + 3 + pitch * j + (j >= n / 2 ? 1 : 0)) * w;
            canvas.InvertRect({cx, y, cx + digits * w, y + lh});
        }
        const int tx = x + textColumn * w;
        const int width = DrawLineText(canvas, tx, y, text, options, pal.text);
        Highlight(canvas, request, tx, y, o, text, {}, options);
        if (request.positions)
            request.positions->Add(text, tx, y, o, width);
        for (int col : {d + 2, d + pitch * (n / 2) + 3, d + pitch * n + 4})
            canvas.Line(x + col * w, y, x + col * w, y + lh, pal.lines, 2);
    }
    result.endVisible = m.ViewPos() >= size - int64_t(m.VisibleLines()) * lineBytes;
    if (m.TextGutter())
        canvas.FillRect({0, 0, m.TextGutterWidth(), request.height}, gutterColor_);
}

void TVuBinHexPainter::DrawReadError(TVuCanvas& canvas, const TVuDrawRequest& request, const Palette& pal)
{
    const TVuBinHexModel& m = model_;
    const std::u16string text =
        SubstPercentS(ViewerMessages.ReadErrorAtOffset, {HexDigits(m.ViewPos(), m.OffsetDigits())});
    const int tw = canvas.TextWidth(text);
    const int x = std::max((request.width - tw) / 2, m.LeftMargin());
    const int y = std::max((request.height - m.FontMetrics().lineHeight) / 2, 0);
    canvas.TextOut(x, y, text, pal.error);
}
