#include "binhex/gui/VuQtCanvas.h"

#include <QGlyphRun>
#include <QPalette>
#include <QTextLayout>

#include <cmath>

namespace {

QColor Rgb(TVuColor c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

QString ToQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

// Coverage masks held per font before they are dropped and captured anew.
constexpr size_t kMaskBytesLimit = 16u << 20;
// Glyphs of each raw font checked against Qt's own drawing before its masks
// are trusted unchecked.
constexpr int kCheckedGlyphs = 16;

QRect ToQRect(const TVuRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

int DotsPerMeter(int dpi) { return qRound(dpi / 0.0254); }

// A device of the canvas's resolution to measure fonts on before any image
// exists.
QImage MetricsDevice(int dpi)
{
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(DotsPerMeter(dpi));
    device.setDotsPerMeterY(DotsPerMeter(dpi));
    return device;
}

// Characters whose look depends on their neighbours: drawn through Qt's
// shaping, never one glyph at a time.
bool NeedsShaping(char16_t c)
{
    return (c >= 0x0300 && c <= 0x036F) ||  // combining marks
           (c >= 0x0590 && c <= 0x08FF) ||  // Hebrew, Arabic, Syriac, Thaana, NKo ...
           (c >= 0x0900 && c <= 0x0DFF) ||  // Indic scripts
           (c >= 0x0E00 && c <= 0x0FFF) ||  // Thai, Lao, Tibetan
           (c >= 0x1000 && c <= 0x109F) ||  // Myanmar
           (c >= 0x1780 && c <= 0x18AF) ||  // Khmer, Mongolian
           (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
           (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||  // joiners, bidi controls
           (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xD800 && c <= 0xDFFF) ||  // marks, surrogates
           (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE00 && c <= 0xFE0F) ||  // presentation forms, selectors
           (c >= 0xFE20 && c <= 0xFE2F) || (c >= 0xFE70 && c <= 0xFEFF);
}

}  // namespace

TVuQtCanvas::TVuQtCanvas(QImage::Format format, int dpi)
    : format_(format), dpi_(dpi > 0 ? dpi : 96), normalCache_(dpi_), oemCache_(dpi_)
{
    SetFonts(QFont(), QFont());
}

TVuQtCanvas::~TVuQtCanvas() { Finish(); }

void TVuQtCanvas::SetFonts(const QFont& normal, const QFont& oem)
{
    Finish();
    normal_ = normal;
    oem_ = oem;
    device_ = MetricsDevice(dpi_);
    ResetCache(normalCache_, normal_);
    ResetCache(oemCache_, oem_);
    UseFont(useOem_ ? vcfOem : vcfNormal);
}

void TVuQtCanvas::UseFont(TVuCanvasFont font)
{
    useOem_ = font == vcfOem;
    metrics_.emplace(Current(), &device_);
    ascent_ = metrics_->ascent();
    if (painter_)
        painter_->setFont(Current());
}

TVuFontInfo TVuQtCanvas::FontInfo()
{
    TVuFontInfo info;
    info.height = metrics_->height();
    // Qt tells no first defined character; the fonts we ask for all start at
    // the space.
    info.firstChar = 32;
    info.cellWidth = TextWidth(u"0");
    info.fixedPitch = TextWidth(u"W") == TextWidth(u".");
    return info;
}

void TVuQtCanvas::Finish()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

const QImage& TVuQtCanvas::Image()
{
    Finish();
    return image_;
}

QPainter& TVuQtCanvas::Painter()
{
    if (!painter_) {
        if (image_.isNull())
            SetSize(1, 1);
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setFont(Current());
    }
    return *painter_;
}

void TVuQtCanvas::SetSize(int width, int height)
{
    width = width > 0 ? width : 1;
    height = height > 0 ? height : 1;
    if (image_.width() == width && image_.height() == height && !image_.isNull())
        return;
    Finish();
    image_ = QImage(width, height, format_);
    image_.setDotsPerMeterX(DotsPerMeter(dpi_));
    image_.setDotsPerMeterY(DotsPerMeter(dpi_));
}

void TVuQtCanvas::Clear(int width, int height, TVuColor color)
{
    SetSize(width, height);
    FillRect({0, 0, width, height}, color);
}

void TVuQtCanvas::ResetCache(FontCache& cache, const QFont& font)
{
    cache.fonts.clear();
    cache.fonts.push_back(QRawFont::fromFont(QFont(font, &device_)));
    cache.glyphs.assign(65536, Glyph{});
    cache.shaped.clear();
    cache.coverage.Clear();
    cache.masks.clear();
    cache.checked.clear();
}

size_t TVuQtCanvas::GlyphMaskCount() const
{
    size_t count = 0;
    for (const FontCache* cache : {&normalCache_, &oemCache_})
        for (const TVuGlyphMask& mask : cache->masks)
            count += mask.width > 0 ? 1 : 0;
    return count;
}

int32_t TVuQtCanvas::MaskOf(FontCache& cache, Glyph& g)
{
    if (g.mask != -1)
        return g.mask;
    if (cache.checked.size() < cache.fonts.size())
        cache.checked.resize(cache.fonts.size(), 0);
    int& checked = cache.checked[size_t(g.slot)];
    if (checked < 0)
        return g.mask = -2;
    TVuGlyphMask mask;
    switch (cache.coverage.CaptureGlyph(cache.fonts[size_t(g.slot)], g.index, checked < kCheckedGlyphs, mask)) {
    case TVuGlyphMasks::captureOk:
        if (mask.width > 0 && checked < kCheckedGlyphs)
            ++checked;
        g.mask = int32_t(cache.masks.size());
        cache.masks.push_back(mask);
        break;
    case TVuGlyphMasks::captureNone:
        g.mask = -2;
        break;
    case TVuGlyphMasks::captureMismatch:
        checked = -1;
        g.mask = -2;
        break;
    }
    return g.mask;
}

const TVuQtCanvas::Glyph& TVuQtCanvas::GlyphOf(char16_t ch)
{
    FontCache& cache = Cache();
    Glyph& g = cache.glyphs[ch];
    if (g.slot != -1)
        return g;
    if (NeedsShaping(ch) || !cache.fonts[0].isValid()) {
        g.slot = -2;
        return g;
    }
    QRawFont font = cache.fonts[0];
    quint32 index = 0;
    int count = 1;
    const QChar qc(ch);
    font.glyphIndexesForChars(&qc, 1, &index, &count);
    if (index == 0) {
        // Not in the font: let Qt find the fallback once, then keep it.
        QTextLayout layout(QString(qc), Current(), &device_);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns();
        if (!runs.isEmpty() && !runs[0].glyphIndexes().isEmpty()) {
            font = runs[0].rawFont();
            index = runs[0].glyphIndexes()[0];
        }
    }
    int slot = 0;
    while (slot < int(cache.fonts.size()) && !(cache.fonts[size_t(slot)] == font))
        ++slot;
    if (slot == int(cache.fonts.size()))
        cache.fonts.push_back(font);
    QPointF advance;
    font.advancesForGlyphIndexes(&index, &advance, 1);
    g.slot = int16_t(slot);
    g.index = index;
    g.advance = int(std::lround(advance.x()));
    return g;
}

size_t TVuQtCanvas::SegmentEnd(std::u16string_view text, size_t from)
{
    const bool simple = GlyphOf(text[from]).slot >= 0;
    size_t i = from + 1;
    if (simple) {
        while (i < text.size() && GlyphOf(text[i]).slot >= 0)
            ++i;
        return i;
    }
    // A shaped segment runs over the characters that need shaping and the
    // blanks between them, so a sentence of a joining script is one run.
    size_t end = i;
    while (i < text.size()) {
        const char16_t ch = text[i];
        if (GlyphOf(ch).slot < 0)
            end = ++i;
        else if (ch == u' ')
            ++i;
        else
            break;
    }
    return end;
}

const TVuQtCanvas::Shaped& TVuQtCanvas::ShapedOf(std::u16string_view segment)
{
    FontCache& cache = Cache();
    const std::u16string key(segment);
    auto it = cache.shaped.find(key);
    if (it != cache.shaped.end())
        return it->second;
    // Segments repeat (a stray mark among CJK units, the same Arabic word):
    // keep a few thousand, then start again.
    if (cache.shaped.size() >= 4096)
        cache.shaped.clear();
    QTextLayout layout(ToQString(segment), Current(), &device_);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    Shaped shaped;
    shaped.runs = layout.glyphRuns();
    shaped.ascent = line.ascent();
    shaped.width = qRound(line.naturalTextWidth());
    for (size_t k = 1; k <= segment.size(); ++k)
        shaped.extents.push_back(qRound(line.cursorToX(int(k))));
    return cache.shaped.emplace(key, std::move(shaped)).first->second;
}

int TVuQtCanvas::TextOut(int x, int y, std::u16string_view text, TVuColor color)
{
    QPainter& p = Painter();
    p.setPen(Rgb(color));
    FontCache& cache = Cache();
    const bool useMasks = UsesMasks();
    // Masks are a few hundred bytes a glyph: a file running through most of
    // the 65536 units captures them again rather than holding them all.
    if (cache.coverage.Bytes() > kMaskBytesLimit) {
        cache.coverage.Clear();
        cache.masks.clear();
        for (Glyph& g : cache.glyphs)
            g.mask = -1;
    }
    // The glyphs of each raw font, gathered over the whole text: one run a
    // font however often the text switches between them (a run's glyphs
    // carry their own positions).
    runs_.resize(cache.fonts.size());
    for (std::vector<RunGlyph>& run : runs_)
        run.clear();
    int pen = 0;
    // Glyphs wholly outside the image are not drawn at all: a line of 300
    // characters is often wider than the view.
    const int right = image_.width() - x;
    for (size_t i = 0; i < text.size();) {
        const size_t end = SegmentEnd(text, i);
        runs_.resize(cache.fonts.size());  // resolving may have found a fallback
        if (cache.glyphs[text[i]].slot < 0) {
            const Shaped& shaped = ShapedOf(text.substr(i, end - i));
            if (pen < right && x + pen + shaped.width > 0)
                for (const QGlyphRun& run : shaped.runs)
                    p.drawGlyphRun(QPointF(x + pen, y + ascent_ - shaped.ascent), run);
            pen += shaped.width;
            i = end;
            continue;
        }
        for (; i < end; ++i) {
            Glyph& g = cache.glyphs[text[i]];
            if (x + pen + g.advance > 0 && pen < right)
                runs_[size_t(g.slot)].push_back({g.index, pen, useMasks ? MaskOf(cache, g) : -2});
            pen += g.advance;
        }
    }
    // Each font's glyphs in order; those Qt draws go out as runs between the
    // composited ones, so overlapping glyphs stack as they always did.
    const TVuPixels pixels =
        useMasks ? TVuPixels{image_.bits(), image_.bytesPerLine(), image_.width(), image_.height()} : TVuPixels{};
    const QRgb rgb = Rgb(color).rgb();
    const QPointF origin(x, y + ascent_);
    for (size_t slot = 0; slot < runs_.size(); ++slot) {
        qtIndexes_.clear();
        qtPositions_.clear();
        const auto flush = [&] {
            if (qtIndexes_.isEmpty())
                return;
            QGlyphRun run;
            run.setRawFont(cache.fonts[slot]);
            run.setGlyphIndexes(qtIndexes_);
            run.setPositions(qtPositions_);
            p.drawGlyphRun(origin, run);
            qtIndexes_.clear();
            qtPositions_.clear();
        };
        for (const RunGlyph& glyph : runs_[slot]) {
            if (glyph.mask < 0) {
                qtIndexes_.push_back(glyph.index);
                qtPositions_.push_back(QPointF(glyph.pen, 0));
                continue;
            }
            flush();
            cache.coverage.Blend(pixels, x + glyph.pen, y + ascent_, cache.masks[size_t(glyph.mask)], rgb);
        }
        flush();
    }
    return pen;
}

int TVuQtCanvas::TextWidth(std::u16string_view text)
{
    int width = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t end = SegmentEnd(text, i);
        if (Cache().glyphs[text[i]].slot < 0) {
            width += ShapedOf(text.substr(i, end - i)).width;
            i = end;
        } else {
            for (; i < end; ++i)
                width += Cache().glyphs[text[i]].advance;
        }
    }
    return width;
}

void TVuQtCanvas::TextExtents(std::u16string_view text, std::vector<int>& extents)
{
    extents.clear();
    extents.reserve(text.size());
    int width = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t end = SegmentEnd(text, i);
        if (Cache().glyphs[text[i]].slot < 0) {
            const Shaped& shaped = ShapedOf(text.substr(i, end - i));
            for (int e : shaped.extents)
                extents.push_back(width + e);
            width += shaped.width;
            i = end;
        } else {
            for (; i < end; ++i)
                extents.push_back(width += Cache().glyphs[text[i]].advance);
        }
    }
}

void TVuQtCanvas::FillRect(const TVuRect& rect, TVuColor color) { Painter().fillRect(ToQRect(rect), Rgb(color)); }

void TVuQtCanvas::Line(int x1, int y1, int x2, int y2, TVuColor color, int penWidth)
{
    QPainter& p = Painter();
    p.setPen(QPen(Rgb(color), penWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(x1, y1, x2, y2);
}

void TVuQtCanvas::Ellipse(const TVuRect& box, TVuColor pen, TVuColor brush)
{
    QPainter& p = Painter();
    p.setPen(QPen(Rgb(pen), 1));
    p.setBrush(Rgb(brush));
    p.drawEllipse(QRect(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1));
    p.setBrush(Qt::NoBrush);
}

void TVuQtCanvas::InvertRect(const TVuRect& rect)
{
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(ToQRect(rect), Qt::white);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}
