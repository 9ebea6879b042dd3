#include "binhex/gui/VuQtGlyphMasks.h"

#include <QGlyphRun>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// x * a / 255 on each byte of x, rounded the way Qt's raster engine does.
inline uint32_t ByteMul(uint32_t x, uint32_t a)
{
    uint64_t t = ((uint64_t(x) | (uint64_t(x) << 24)) & 0x00FF00FF00FF00FFull) * a;
    t = (t + ((t >> 8) & 0x00FF00FF00FF00FFull) + 0x0080008000800080ull) >> 8;
    t &= 0x00FF00FF00FF00FFull;
    return uint32_t(t) | uint32_t(t >> 24);
}

// One pixel of an opaque `color` at coverage `a` over `d`.
inline void BlendPixel(uint32_t& d, uint32_t color, uint32_t a)
{
    if (a == 0)
        return;
    if (a == 255) {
        d = color;
        return;
    }
    const uint32_t s = ByteMul(color, a);
    d = s + ByteMul(d, (~s) >> 24);
}

#if defined(__SSE2__)
// x * a / 255 on 16-bit lanes holding bytes, rounded as ByteMul.
inline __m128i Mul255(__m128i x, __m128i a)
{
    const __m128i t = _mm_mullo_epi16(x, a);
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), _mm_set1_epi16(0x80)), 8);
}
#endif

// One row of `n` pixels: the same arithmetic as BlendPixel, four pixels at
// a time where the compiler allows.
void BlendRow(uint32_t* dst, const uint8_t* cov, int n, uint32_t color)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i c255 = _mm_set1_epi16(255);
    const __m128i src = _mm_unpacklo_epi8(_mm_set1_epi32(int(color)), zero);  // two pixels of 16-bit lanes
    const __m128i solid = _mm_set1_epi32(int(color));
    for (; i + 4 <= n; i += 4) {
        uint32_t a4;
        std::memcpy(&a4, cov + i, 4);
        if (a4 == 0)
            continue;
        __m128i* p = reinterpret_cast<__m128i*>(dst + i);
        if (a4 == 0xFFFFFFFFu) {
            _mm_storeu_si128(p, solid);
            continue;
        }
        __m128i a = _mm_cvtsi32_si128(int(a4));
        a = _mm_unpacklo_epi8(a, a);
        a = _mm_unpacklo_epi16(a, a);  // each pixel's coverage in its four bytes
        const __m128i aLo = _mm_unpacklo_epi8(a, zero);
        const __m128i aHi = _mm_unpackhi_epi8(a, zero);
        const __m128i d = _mm_loadu_si128(p);
        const __m128i lo = _mm_add_epi16(Mul255(src, aLo), Mul255(_mm_unpacklo_epi8(d, zero), _mm_sub_epi16(c255, aLo)));
        const __m128i hi = _mm_add_epi16(Mul255(src, aHi), Mul255(_mm_unpackhi_epi8(d, zero), _mm_sub_epi16(c255, aHi)));
        _mm_storeu_si128(p, _mm_packus_epi16(lo, hi));
    }
#endif
    for (; i < n; ++i)
        BlendPixel(dst[i], color, cov[i]);
}

// The check's background: opaque colours of every level, varying from
// pixel to pixel, so a blend other than ours shows somewhere.
uint32_t Pattern(int x, int y)
{
    const uint32_t h = uint32_t(x) * 0x9E3779B1u ^ uint32_t(y) * 0x85EBCA77u;
    return 0xFF000000u | ((h ^ (h >> 13)) & 0xFFFFFFu);
}

constexpr QRgb kCheckColor = 0xFF3C8DD2u;

}  // namespace

TVuGlyphMasks::TVuGlyphMasks(int dpi) : dpi_(dpi) {}

TVuGlyphMasks::CaptureResult TVuGlyphMasks::CaptureGlyph(const QRawFont& font, quint32 index, bool check, TVuGlyphMask& mask)
{
    mask = TVuGlyphMask{};
    QPointF advance;
    font.advancesForGlyphIndexes(&index, &advance, 1);
    const qreal extent = std::max({font.pixelSize(), font.ascent() + font.descent(), std::abs(advance.x())});
    if (!(extent < 512))
        return captureNone;
    // Room for the glyph around the pen: a glyph reaching the edge is taken
    // as too large to capture.
    const int side = 4 * int(std::ceil(extent)) + 16;
    if (scratch_.width() < side) {
        scratch_ = QImage(side, side, QImage::Format_RGB32);
        const int dpm = qRound(dpi_ / 0.0254);
        scratch_.setDotsPerMeterX(dpm);
        scratch_.setDotsPerMeterY(dpm);
    }
    const int size = scratch_.width();
    const QPoint pen(size / 3, size * 2 / 3);
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes({index});
    run.setPositions({QPointF(0, 0)});

    // White on black: every channel of a pixel is the glyph's coverage there.
    scratch_.fill(0xFF000000u);
    {
        QPainter p(&scratch_);
        p.setPen(QColor(Qt::white));
        p.drawGlyphRun(pen, run);
    }
    int left = size, top = size, right = -1, bottom = -1;
    for (int y = 0; y < size; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(scratch_.constScanLine(y));
        for (int x = 0; x < size; ++x) {
            const QRgb px = row[x] & 0xFFFFFFu;
            if (px == 0)
                continue;
            if (qRed(px) != qGreen(px) || qGreen(px) != qBlue(px))
                return captureNone;  // colour or sub-pixel anti-aliased
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return captureOk;  // paints nothing
    if (left == 0 || top == 0 || right == size - 1 || bottom == size - 1)
        return captureNone;
    mask.dx = left - pen.x();
    mask.dy = top - pen.y();
    mask.width = right - left + 1;
    mask.height = bottom - top + 1;
    mask.offset = coverage_.size();
    coverage_.resize(mask.offset + size_t(mask.width) * size_t(mask.height));
    uint8_t* out = coverage_.data() + mask.offset;
    for (int y = top; y <= bottom; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(scratch_.constScanLine(y));
        for (int x = left; x <= right; ++x)
            *out++ = uint8_t(qBlue(row[x]));
    }
    if (!check)
        return captureOk;

    // The check: Qt draws the glyph in a colour over the pattern, one pixel
    // off the capture's position; the mask composited there must match.
    const QPoint checkPen = pen + QPoint(1, 1);
    expected_.resize(size_t(size) * size_t(size));
    for (int y = 0; y < size; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(scratch_.scanLine(y));
        for (int x = 0; x < size; ++x)
            row[x] = expected_[size_t(y) * size_t(size) + size_t(x)] = Pattern(x, y);
    }
    {
        QPainter p(&scratch_);
        p.setPen(QColor::fromRgb(kCheckColor));
        p.drawGlyphRun(checkPen, run);
    }
    const TVuPixels expected{reinterpret_cast<uchar*>(expected_.data()), qsizetype(size) * 4, size, size};
    Blend(expected, checkPen.x(), checkPen.y(), mask, kCheckColor);
    for (int y = 0; y < size; ++y)
        if (std::memcmp(scratch_.constScanLine(y), expected_.data() + size_t(y) * size_t(size), size_t(size) * 4) !=
            0) {
            coverage_.resize(mask.offset);
            mask = TVuGlyphMask{};
            return captureMismatch;
        }
    return captureOk;
}

void TVuGlyphMasks::Blend(const TVuPixels& pixels, int x, int y, const TVuGlyphMask& mask, QRgb color) const
{
    const int left = x + mask.dx;
    const int top = y + mask.dy;
    const int x0 = std::max(left, 0);
    const int x1 = std::min(left + mask.width, pixels.width);
    const int y0 = std::max(top, 0);
    const int y1 = std::min(top + mask.height, pixels.height);
    if (x0 >= x1 || y0 >= y1)
        return;
    const uint8_t* cov = coverage_.data() + mask.offset + size_t(y0 - top) * size_t(mask.width) + size_t(x0 - left);
    uchar* row = pixels.bits + qsizetype(y0) * pixels.stride;
    for (int yy = y0; yy < y1; ++yy) {
        BlendRow(reinterpret_cast<uint32_t*>(row) + x0, cov, x1 - x0, color);
        cov += mask.width;
        row += pixels.stride;
    }
}
