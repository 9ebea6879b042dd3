// Glyphs kept as the coverage Qt's raster engine gives them, and composited
// onto the canvas's 32-bit image with the engine's own blend arithmetic.
//
// Qt blends an anti-aliased glyph pixel by pixel, branching on every
// coverage value; a screen of CJK text (3000 glyphs of a fallback font) costs
// over a millisecond that way. A mask here is captured once from Qt itself
// (the glyph drawn white on black gives its coverage exactly), checked by
// drawing it once more through Qt in a colour over a patterned background,
// and then composited four pixels at a time:
//
//       s = c * a / 255        c: pen colour channel, a: coverage
//       d = s + d * (255 - a) / 255
//
// with x * y / 255 rounded as Qt rounds it, so every pixel comes out as Qt's.
// A colour glyph, sub-pixel anti-aliasing or a glyph larger than the capture
// stays with Qt; a font whose checked glyphs come out otherwise than Qt's
// (gamma-corrected blending, say) stays with Qt as a whole.
//
//   pen at (x, y) on the baseline
//        |
//        v   mask: width x height coverage bytes, its top-left corner at
//   +----+   (x + dx, y + dy); rows of `width` bytes from `offset` in the
//   | ## |   store
//   |#  #|
//   +----+
#pragma once

#include <QImage>
#include <QRawFont>

#include <cstdint>
#include <vector>

struct TVuGlyphMask {
    int dx = 0;  // left edge from the pen position
    int dy = 0;  // top edge from the baseline
    int width = 0;
    int height = 0;
    size_t offset = 0;  // first coverage byte in the store
};

// Pixels of a 32-bit image (Format_RGB32 or Format_ARGB32_Premultiplied).
struct TVuPixels {
    uchar* bits = nullptr;
    qsizetype stride = 0;  // bytes from a row to the next
    int width = 0;
    int height = 0;
};

class TVuGlyphMasks {
public:
    // `dpi`: the resolution of the canvas the masks are for.
    explicit TVuGlyphMasks(int dpi);

    enum CaptureResult : uint8_t {
        captureOk,        // `mask` composites as Qt draws the glyph
        captureNone,      // this glyph is Qt's to draw (colour, sub-pixel, too large)
        captureMismatch,  // Qt blends this font otherwise: all its glyphs are Qt's
    };
    // Captures how Qt draws glyph `index` of `font` at a whole-pixel pen
    // position into `mask` (width 0 for a glyph that paints nothing).
    // `check`: also draw it once through Qt in a colour over a pattern and
    // compare with the mask composited there. The blend is the same for every
    // glyph of a font, so checking a font's first few glyphs is enough; the
    // coverage itself is always taken from Qt.
    CaptureResult CaptureGlyph(const QRawFont& font, quint32 index, bool check, TVuGlyphMask& mask);

    // Composites `mask` in the opaque `color` with the pen at (x, y);
    // pixels outside `pixels` are not touched.
    void Blend(const TVuPixels& pixels, int x, int y, const TVuGlyphMask& mask, QRgb color) const;

    // Bytes of coverage held.
    size_t Bytes() const { return coverage_.size(); }
    // Forgets every mask (offsets handed out before become invalid).
    void Clear() { coverage_.clear(); }

private:
    int dpi_;
    std::vector<uint8_t> coverage_;
    QImage scratch_;  // where glyphs are drawn to be captured and checked
    std::vector<uint32_t> expected_;  // the check's background, blended by us
};
